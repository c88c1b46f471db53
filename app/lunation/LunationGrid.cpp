#include "lunation/LunationGrid.h"

#include <algorithm>
#include <cmath>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "calendar/SarCal.h"
#include "calendar/TVGCal.h"
#include "calendar/Solilunar.h"
#include "calendar/Triday.h"

namespace tavr::lunation {

namespace {

constexpr std::array<std::string_view, kMonthCalendarCount> kListTexts = {
    "Sarvenes Calendar dates",
    "Vosko-Rindal Solilunar dates",
    "Tussary-Vosko Goddess dates",
    "Lunar Dovrenia Triday dates",
};

int ValidCalendar(int calendar) {
    return calendar >= 0 && calendar < kMonthCalendarCount ? calendar : kSarvenes;
}

std::string Prefix3(std::string_view name) {
    return std::string(name.substr(0, 3));
}

// "Mon Dec 7": weekday and month cut to three letters, the day with one blank.
std::string CommonEraText(DayNumber d, const EuroDate& ce) {
    return Prefix3(WeekdayNameOf(d)) + " " + Prefix3(dates::MonthName(ce.month)) + " " +
           std::to_string(ce.day);
}

// The text of the third cell line and the month name of the title for day d.
struct CalendarDay {
    std::string text;
    std::string monthName;
};

CalendarDay ChosenCalendarDay(int calendar, DayNumber d) {
    switch (calendar) {
    case kSolilunar: {
        const VrslcDate v = vr::FromDayNumber(d);
        if (!v.valid) return {};
        const std::string month(vr::MonthName(v.month));
        return {month + " " + std::to_string(v.day), month};
    }
    case kGoddess: {
        const tvg::TvgDate t = tvg::FromDayNumber(d);
        if (!t.valid) return {};
        const std::string month(tvg::MonthName(t.month));
        return {month + " " + std::to_string(t.day), month};
    }
    case kTriday: {
        const DtcLunarDate l = ldt::FromDayNumber(d);
        if (!l.valid) return {};
        std::string day(ldt::DayName(l.day));
        constexpr std::string_view kEnding = "sday";
        if (day.size() >= kEnding.size() &&
            day.compare(day.size() - kEnding.size(), kEnding.size(), kEnding) == 0)
            day.erase(day.size() - kEnding.size());
        return {day + " " + std::to_string(l.triday) + " " + std::string(ldt::ShortMonthName(l.month)),
                std::string(ldt::MonthName(l.month))};
    }
    default: {
        const EuroDate s = sar::FromDayNumber(d);
        const std::string month(sar::MonthName(s.month));
        return {month + " " + std::to_string(s.day), month};
    }
    }
}

} // namespace

std::string_view MonthCalendarText(int calendar) {
    return calendar >= 0 && calendar < kMonthCalendarCount ? kListTexts[static_cast<std::size_t>(calendar)]
                                                           : std::string_view{};
}

int CellWidth(int calendar) {
    return calendar == kTriday ? kWideCellWidth : kCellWidth;
}

bool IsVisibleCell(int cell, bool longLunation) {
    if (cell < 0 || cell >= kCellCount) return false;
    const int row = cell / kColumns;
    const int column = cell % kColumns;
    return column < kColumns - 1 || row == 1 || (row == 3 && longLunation);
}

std::string PictureFileName(int cell) {
    if (cell < 0 || cell >= kCellCount || cell == 7 || cell == 23) return {};
    return "day" + std::to_string(cell + 1) + ".gif";
}

int32_t LunationAt(AstroJulianDate moment) {
    return lunar::LunationOf(moment);
}

int32_t ShownLunationAt(AstroJulianDate moment) {
    return std::clamp(LunationAt(moment), kFirstLunation, kLastLunation);
}

DayNumber TodayIn(const LunationView& view, AstroJulianDate now) {
    return CivilDayOf(AjdToCjd(now, view.EffectiveOffset()));
}

DayNumber FirstDayOf(int32_t lunation, const LunationView& view) {
    const double newMoon = lunar::PhaseMomentUT(lunation, lunar::kNewMoon);
    return CivilDayOf(AjdToCjd(newMoon, view.EffectiveOffset()));
}

std::string YearAndMonthText(int32_t month1, int32_t year1, int32_t month2, int32_t year2) {
    const std::string m1(dates::MonthName(month1));
    const std::string m2(dates::MonthName(month2));
    if (year1 != year2) return m1 + " " + std::to_string(year1) + " - " + m2 + " " + std::to_string(year2);
    if (month1 == month2) return m1 + " " + std::to_string(year1);
    return m1 + "-" + m2 + " " + std::to_string(year1);
}

Grid BuildLunationGrid(int32_t lunation, const LunationView& view, int calendar, DayNumber today) {
    Grid g;
    g.lunation = lunation;
    g.calendar = ValidCalendar(calendar);
    g.cellWidth = CellWidth(g.calendar);
    g.windowTitle = std::string(MonthCalendarText(g.calendar));
    g.firstDay = FirstDayOf(lunation, view);
    g.days = FirstDayOf(lunation + 1, view) - g.firstDay;
    g.longLunation = g.days == 30;

    DayNumber d = g.firstDay - 1;
    int n = 0;
    EuroDate first{}, last{};
    for (int i = 0; i < kCellCount; ++i) {
        Cell& c = g.cells[static_cast<std::size_t>(i)];
        c.picture = PictureFileName(i);
        if (!IsVisibleCell(i, g.longLunation)) continue;
        ++d;
        ++n;
        c.visible = true;
        c.number = n;
        c.dayNumber = d;
        c.numberText = std::to_string(n) + (n < 10 ? " " : "");
        c.today = d == today;
        if (c.today) g.todayCell = i;
        const EuroDate ce = DayNumberToEuroDate(d, kLetterCE);
        if (n == 1) first = ce;
        last = ce;
        c.commonEraText = CommonEraText(d, ce);
        const int16_t weekday = DayOfWeek(d);
        c.weekend = weekday == 0 || weekday == 6;
        CalendarDay chosen = ChosenCalendarDay(g.calendar, d);
        c.calendarText = std::move(chosen.text);
        if (i == 15) g.title = "Lunation " + std::to_string(lunation) + " (" + chosen.monthName + ")";
    }
    g.yearAndMonth = YearAndMonthText(first.month, first.year, last.month, last.year);
    return g;
}

StepResult StepLunation(int32_t lunation, Step step) {
    StepResult r;
    const bool next = step == Step::Next;
    r.messageTitle = std::string("Show ") + (next ? "next" : "previous") + " lunation";
    r.lunation = lunation;
    if (!next && lunation <= kFirstLunation) {
        r.messageText = "This is the earliest lunation which can be displayed.";
        return r;
    }
    if (next && lunation >= kLastLunation) {
        r.messageText = "This is the latest lunation which can be displayed.";
        return r;
    }
    r.moved = true;
    r.lunation = next ? lunation + 1 : lunation - 1;
    return r;
}

WindowLayout ComputeLayout(int calendar, int stepButtonWidth, int closeHeight) {
    WindowLayout l;
    l.cellWidth = CellWidth(ValidCalendar(calendar));
    l.width = 2 * kGridLeft + kColumns * l.cellWidth;
    l.height = kGridTop + kRows * kCellHeight + closeHeight + 60;
    l.buttonTop = l.height - closeHeight - 47;
    l.closeWidth = stepButtonWidth / 2;
    l.gap = static_cast<int>(strproc::RoundHalfEven((l.width - 2.5 * stepButtonWidth) / 4.0));
    l.previousLeft = l.gap;
    l.nextLeft = 2 * l.gap + stepButtonWidth;
    l.closeLeft = 3 * l.gap + 2 * stepButtonWidth;
    return l;
}

int WindowLeft(int screenWidth, int windowWidth) {
    return screenWidth - windowWidth < 0 ? 0 : screenWidth - windowWidth;
}

int CellTop(int cell) {
    return kGridTop + (cell / kColumns) * kCellHeight;
}
int CellLeft(int cell, int cellWidth) {
    return kGridLeft + (cell % kColumns) * cellWidth;
}
int PictureTop(int cell) {
    return CellTop(cell) + 1;
}
int PictureLeft(int cell, int cellWidth) {
    return CellLeft(cell, cellWidth) + 10;
}

} // namespace tavr::lunation
