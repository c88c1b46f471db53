#include "calendar/Solilunar.h"

#include <array>
#include <limits>

#include "base/LibLoader.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "tavr_floor.h"

namespace tavr {

namespace {

struct VrslcApi {
    decltype(&jdn_to_vrslcdate) jdnToDate = nullptr;
    decltype(&vrslcdate_to_jdn) dateToJdn = nullptr;
    decltype(&vrmonth_length) monthLength = nullptr;
    decltype(&is_long_vrslc_year) isLongYear = nullptr;
    decltype(&vrslc_datestr_to_vrslc_date) parse = nullptr;
    bool ok = false;
};

const VrslcApi& Vrslc() {
    static const VrslcApi api = [] {
        VrslcApi a;
        a.jdnToDate = BindFunction<decltype(&jdn_to_vrslcdate)>("vrslc", "jdn_to_vrslcdate", 4);
        a.dateToJdn = BindFunction<decltype(&vrslcdate_to_jdn)>("vrslc", "vrslcdate_to_jdn", 4);
        a.monthLength = BindFunction<decltype(&vrmonth_length)>("vrslc", "vrmonth_length", 4);
        a.isLongYear = BindFunction<decltype(&is_long_vrslc_year)>("vrslc", "is_long_vrslc_year", 8);
        a.parse =
            BindFunction<decltype(&vrslc_datestr_to_vrslc_date)>("vrslc", "vrslc_datestr_to_vrslc_date", 8);
        a.ok = a.jdnToDate && a.dateToJdn && a.monthLength && a.isLongYear && a.parse;
        return a;
    }();
    return api;
}

} // namespace

namespace vr {

namespace {

// Cycles of the supported great cycles -859 .. 858 (114 cycles each): beyond
// them the library cannot represent the day number.
constexpr int64_t kCyclesPerGreatCycle = kYearsPerGreatCycle / kYearsPerCycle;
constexpr int64_t kFirstCycle = -859 * kCyclesPerGreatCycle;
constexpr int64_t kLastCycle = 859 * kCyclesPerGreatCycle - 1;

constexpr std::array<std::string_view, 14> kMonthNames = {
    "",        "Aryabhata",  "Brahe",     "Copernicus", "Dionysius", "Eratosthenes", "Flamsteed",
    "Galileo", "Hipparchus", "Ibn Yunus", "Janssen",    "Kepler",    "Lilius",       "Meton"};

// Years 1..60 of a cycle.
bool ShiftYear(VrslcDate& date, bool forward) {
    return ShiftYearInCycle(date.year, date.cycle, 1, kYearsPerCycle, forward);
}

// Month cut to the year's month count, day to the month's length.
void CutMonthAndDay(VrslcDate& date) {
    const int months = MonthsInYear(date.year, date.cycle);
    if (date.month > months) date.month = months;
    int32_t error = 0;
    const int16_t len = MonthLength(date, error);
    if (len > 0 && date.day > len) date.day = len;
}

} // namespace

bool Available() {
    return Vrslc().ok;
}

VrslcDate FromDayNumber(DayNumber d) {
    VrslcDate date{};
    date.dayNumber = d;
    if (!Available()) return date;
    Vrslc().jdnToDate(&date);
    return date;
}

bool ToDayNumber(VrslcDate& date) {
    if (!Available()) {
        date.valid = 0;
        return false;
    }
    // Refuse here what the library's 32-bit arithmetic cannot hold.
    if (date.year < 1 || date.year > kYearsPerCycle) {
        date.valid = 0;
        date.error = VRSLC_BAD_YEAR;
        date.dayNumber = 0;
        return false;
    }
    if (date.cycle < kFirstCycle || date.cycle > kLastCycle) {
        date.valid = 0;
        date.error = VRSLC_BAD_GREAT_CYCLE;
        return false;
    }
    Vrslc().dateToJdn(&date);
    // A date of the supported great cycles may still lie beyond the days the
    // library converts back (error 6 with valid left as it was).
    if (date.error != VRSLC_OK) date.valid = 0;
    return date.valid == 1;
}

bool Parse(const std::string& text, VrslcDate& date) {
    if (!Available() || !dates::SafeLibraryText(text)) return false;
    VrslcDate work{};
    if (Vrslc().parse(text.c_str(), &work) != 1) return false;
    if (!ToDayNumber(work)) return false;
    date = work;
    return true;
}

bool IsLongYear(int32_t year, int32_t cycle) {
    return Available() && Vrslc().isLongYear(year, cycle) == 1;
}

int MonthsInYear(int32_t year, int32_t cycle) {
    return IsLongYear(year, cycle) ? 13 : 12;
}

int16_t MonthLength(const VrslcDate& date, int32_t& error) {
    if (!Available()) {
        error = VRSLC_BAD_YEAR;
        return 0;
    }
    VrslcDate work{};
    work.year = static_cast<int32_t>(
        FloorMod(static_cast<int64_t>(date.cycle) * kYearsPerCycle + date.year - 1, kYearsPerGreatCycle) + 1);
    work.month = date.month;
    work.day = date.day;
    const int32_t len = Vrslc().monthLength(&work);
    error = work.error;
    return static_cast<int16_t>(len);
}

void CycleStep(VrslcDate& date, bool forward) {
    StepCycle(date.cycle, forward);
    // Sixty years on, a long year may be short or its 13th month 30 days long.
    CutMonthAndDay(date);
}

void YearStep(VrslcDate& date, bool forward) {
    ShiftYear(date, forward);
    CutMonthAndDay(date);
}

void MonthStep(VrslcDate& date, bool forward) {
    const auto months = [](const VrslcDate& d) { return MonthsInYear(d.year, d.cycle); };
    if (ShiftMonthInYear(date, forward, months, ShiftYear)) CutMonthAndDay(date);
}

bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward) {
    if (!Available()) return false;
    return StepThroughRecord<VrslcDate>(d, unit, forward, FromDayNumber, ToDayNumber,
                                        {CycleStep, YearStep, MonthStep});
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 13 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string Text(const VrslcDate& date, TextForm form) {
    const std::string shortText = std::to_string(date.cycle) + "-" + dates::ZeroPadded(date.year, 2) + "-" +
                                  dates::ZeroPadded(date.month, 2) + "-" + dates::ZeroPadded(date.day, 2) +
                                  " VR";
    switch (form) {
    case TextForm::Short:
        return shortText;
    case TextForm::Descriptive:
        return shortText + " (" + std::string(MonthName(date.month)) + " " + std::to_string(date.day) + ", " +
               std::to_string(date.cycle) + "-" + std::to_string(date.year) + ")";
    case TextForm::Long: {
        std::string text = "The " + strproc::Ordinal(date.day) + " day of " +
                           std::string(MonthName(date.month)) + " in the year " + std::to_string(date.year);
        if (date.cycle != 0) text += ", cycle " + std::to_string(date.cycle);
        return text;
    }
    default:
        return {};
    }
}

} // namespace vr

} // namespace tavr
