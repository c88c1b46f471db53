#include "calendar/TVGCal.h"

#include <algorithm>
#include <array>
#include <limits>

#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "tavr_floor.h"

namespace tavr::tvg {

namespace {

constexpr bool ShortYear(int32_t year) {
    return year % 10 == 0 || year % 235 == 0;
}
constexpr int32_t YearLen(int32_t year) {
    return ShortYear(year) ? 383 : 384;
}

// Days of the cycle before year y (index 1..470); index 471 is the cycle length.
struct YearStarts {
    std::array<int32_t, kCycleYears + 2> start{};
    constexpr YearStarts() {
        for (int32_t y = 1; y <= kCycleYears; ++y)
            start[static_cast<std::size_t>(y + 1)] = start[y] + YearLen(y);
    }
};
constexpr YearStarts kYearStarts{};
static_assert(kYearStarts.start[kCycleYears + 1] == kCycleDays, "the cycle has 180,432 days");

// Days of the year before month m (odd months 30, even 29): 1..13.
constexpr int32_t MonthStart(int32_t month) {
    return (month - 1) * 29 + month / 2;
}

constexpr std::array<std::string_view, 14> kMonthNames = {"",      "Athena", "Brigid", "Cerridwen", "Diana",
                                                          "Epona", "Freya",  "Gaea",   "Hathor",    "Inanna",
                                                          "Juno",  "Kore",   "Lilith", "Maria"};

} // namespace

bool IsShortYear(int32_t year) {
    return ShortYear(year);
}
int YearLength(int32_t year) {
    return YearLen(year);
}

int MonthLength(int32_t year, int32_t month) {
    if (month < 1 || month > 13) return 0;
    if (month == 13) return ShortYear(year) ? 29 : 30;
    return month % 2 == 1 ? 30 : 29;
}

bool IsValidDate(int32_t year, int32_t month, int32_t day) {
    return year >= 1 && year <= kCycleYears && day >= 1 && day <= MonthLength(year, month);
}

bool ToDayNumber(TvgDate& date) {
    if (!IsValidDate(date.year, date.month, date.day)) {
        date.valid = false;
        date.dayNumber = 0;
        return false;
    }
    const int64_t dn = (static_cast<int64_t>(date.cycle) - 1) * kCycleDays + kEpoch +
                       kYearStarts.start[static_cast<std::size_t>(date.year)] + MonthStart(date.month) +
                       date.day - 1;
    if (!FitsInt32(dn)) {
        date.valid = false;
        date.dayNumber = 0;
        return false;
    }
    date.dayNumber = static_cast<DayNumber>(dn);
    date.valid = true;
    return true;
}

TvgDate FromDayNumber(DayNumber d) {
    const CyclePlace p =
        PlaceInCycles(d, kEpoch, kCycleDays, kYearStarts.start.data(), kCycleYears, MonthLength);
    TvgDate date;
    date.cycle = static_cast<int32_t>(p.cycle + 1);
    date.year = p.year;
    date.month = p.month;
    date.day = p.day;
    date.dayNumber = d;
    date.valid = true;
    return date;
}

bool Parse(const std::string& text, TvgDate& date) {
    // 1-1-1 is the shortest text.
    if (text.size() < 5) return false;
    std::string s = strproc::KeepChars(text, "-0123456789");
    if (s.empty() || s.back() == '-') return false;
    int32_t dashes = strproc::CountOccurrences(s, "-", true);
    bool negative = false;
    if (dashes == 4) {
        if (s[0] != '-' || s.size() < 2 || s[1] < '1' || s[1] > '9') return false;
        s.erase(0, 1);
        negative = true;
        dashes = 3;
    }
    if (dashes != 2 && dashes != 3) return false;
    std::size_t pos = 0;
    int64_t fields[4] = {1, 0, 0, 0};
    for (int f = dashes == 3 ? 0 : 1; f < 4; ++f) {
        if (!strproc::ReadDigits(s, pos, fields[f])) return false; // a field without digits
        if (f < 3) {
            if (pos >= s.size() || s[pos] != '-') return false;
            ++pos;
        }
    }
    if (pos != s.size()) return false;
    if (negative) fields[0] = -fields[0];
    TvgDate work;
    work.cycle = static_cast<int32_t>(fields[0]);
    work.year = static_cast<int32_t>(fields[1]);
    work.month = static_cast<int32_t>(fields[2]);
    work.day = static_cast<int32_t>(fields[3]);
    if (!ToDayNumber(work)) return false;
    date = work;
    return true;
}

void CycleStep(TvgDate& date, bool forward) {
    StepCycle(date.cycle, forward);
}

namespace {

// Years 1..470 of a cycle.
bool ShiftYear(TvgDate& date, bool forward) {
    return ShiftYearInCycle(date.year, date.cycle, 1, kCycleYears, forward);
}

} // namespace

void YearStep(TvgDate& date, bool forward) {
    if (!ShiftYear(date, forward)) return;
    if (date.month == 13 && date.day == 30 && ShortYear(date.year)) date.day = 29;
}

void MonthStep(TvgDate& date, bool forward) {
    if (!ShiftMonthInYear(
            date, forward, [](const TvgDate&) { return 13; }, ShiftYear))
        return;
    if (date.day == 30) date.day = MonthLength(date.year, date.month);
}

bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward) {
    return StepThroughRecord<TvgDate>(d, unit, forward, FromDayNumber, ToDayNumber,
                                      {CycleStep, YearStep, MonthStep});
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 13 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string Text(const TvgDate& date, TextForm form, bool withCode) {
    std::string shortText = std::to_string(date.cycle) + "-" + std::to_string(date.year) + "-" +
                            dates::ZeroPadded(date.month, 2) + "-" + dates::ZeroPadded(date.day, 2);
    if (withCode) shortText += " TVG";
    switch (form) {
    case TextForm::Short:
        return shortText;
    case TextForm::Descriptive: {
        TvgDate converted = date;
        const std::string weekday =
            ToDayNumber(converted) ? std::string(WeekdayNameOf(converted.dayNumber)) : "";
        return shortText + " (" + weekday + ", " + std::string(MonthName(date.month)) +
               dates::SpacedNumber(date.day) + ", " + std::to_string(date.cycle) + "-" +
               std::to_string(date.year) + ")";
    }
    case TextForm::Long:
        return "The " + strproc::Ordinal(date.day) + " day of " + std::string(MonthName(date.month)) +
               " in the year" + dates::SpacedNumber(date.year) + " of cycle" +
               dates::SpacedNumber(date.cycle);
    default:
        return {};
    }
}

} // namespace tavr::tvg
