#include "calendar/SarCal.h"

#include <algorithm>
#include <array>
#include <limits>

#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "tavr_floor.h"

namespace tavr::sar {

namespace {

// Year of the cycle 1..1803 of a rule year R = Y + 1.
constexpr int32_t YearOfCycle(int64_t ruleYear) {
    return static_cast<int32_t>(FloorMod(ruleYear + kRuleOffset, kCycleYears) + 1);
}
constexpr bool LeapQ(int32_t q) {
    return (664 * q + 901) % kCycleYears < kLeapYearsPerCycle;
}
constexpr bool FullQ(int32_t q) {
    return (350 * q + 901) % kCycleYears < kFullYearsPerCycle;
}
constexpr int32_t YearLengthQ(int32_t q) {
    return 354 + (FullQ(q) ? 1 : 0) + (LeapQ(q) ? 30 : 0);
}

// Days of the cycle before year of cycle q (index 1..1803), and the cycle's
// length at index 1804.
struct YearStarts {
    std::array<int32_t, kCycleYears + 2> start{};
    constexpr YearStarts() {
        start[1] = 0;
        for (int32_t q = 1; q <= kCycleYears; ++q)
            start[static_cast<std::size_t>(q + 1)] = start[q] + YearLengthQ(q);
    }
};
constexpr YearStarts kYearStarts{};
static_assert(kYearStarts.start[kCycleYears + 1] == kCycleDays, "the cycle has 658,532 days");

int64_t RuleYear(int32_t year) {
    return static_cast<int64_t>(year) + 1;
}

int MonthLengthQ(int32_t q, int32_t month) {
    if (month < 1 || month > 13) return 0;
    if (month == 13) return LeapQ(q) ? 30 : 0;
    if (month % 2 == 1) return 30;
    return month == 10 && FullQ(q) ? 30 : 29;
}

// The day-30 rule of the steps: a day 30 in a 29-day month becomes 29.
void CutDay(EuroDate& date) {
    if (date.day > 29) {
        const int len = MonthLength(date.year, date.month);
        if (len > 0 && date.day > len) date.day = len;
    }
}

constexpr std::array<std::string_view, 14> kMonthNames = {
    "",        "Apollo",     "Diana",   "Hermes", "Aphrodite", "Ares",    "Zeus",
    "Chronos", "Prometheus", "Orpheus", "Sophia", "Dionysus",  "Demeter", "Persephone"};

constexpr std::array<std::string_view, 10> kDayNames = {
    "Sun Day",     "Mercury Day", "Venus Day",  "Earth Day",   "Mars Day",
    "Jupiter Day", "Saturn Day",  "Uranus Day", "Neptune Day", "Pluto Day"};

} // namespace

bool IsLeapYear(int32_t year) {
    return LeapQ(YearOfCycle(RuleYear(year)));
}
bool IsFullYear(int32_t year) {
    return FullQ(YearOfCycle(RuleYear(year)));
}
int MonthsInYear(int32_t year) {
    return IsLeapYear(year) ? 13 : 12;
}
int YearLength(int32_t year) {
    return YearLengthQ(YearOfCycle(RuleYear(year)));
}
int MonthLength(int32_t year, int32_t month) {
    return MonthLengthQ(YearOfCycle(RuleYear(year)), month);
}

bool IsValidDate(int32_t year, int32_t month, int32_t day) {
    return day >= 1 && day <= MonthLength(year, month);
}

bool ToDayNumber(EuroDate& date) {
    if (!IsValidDate(date.year, date.month, date.day)) {
        date.valid = 0;
        date.dayNumber = 0;
        return false;
    }
    const int64_t r = RuleYear(date.year);
    const int32_t q = YearOfCycle(r);
    int64_t dn = kEpoch + FloorDiv(r - 443, kCycleYears) * kCycleDays + kYearStarts.start[q];
    for (int32_t m = 1; m < date.month; ++m)
        dn += MonthLengthQ(q, m);
    dn += date.day - 1;
    if (!FitsInt32(dn)) {
        date.valid = 0;
        date.dayNumber = 0;
        return false;
    }
    date.dayNumber = static_cast<DayNumber>(dn);
    date.valid = 1;
    return true;
}

EuroDate FromDayNumber(DayNumber d) {
    // q: the year of the cycle.
    const CyclePlace p =
        PlaceInCycles(d, kEpoch, kCycleDays, kYearStarts.start.data(), kCycleYears, MonthLengthQ);
    EuroDate date{};
    date.year = static_cast<int32_t>(443 + (p.year - 1) + p.cycle * kCycleYears - 1);
    date.month = p.month;
    date.day = p.day;
    date.calendar = kLetterSAR;
    date.dayNumber = d;
    date.valid = 1;
    return date;
}

bool Parse(const std::string& text, EuroDate& date) {
    EuroDate work = date;
    work.calendar = kLetterSAR;
    if (!dates::ParseDateText(text, work)) {
        date.valid = 0;
        return false;
    }
    const bool ok = ToDayNumber(work);
    date = work;
    return ok;
}

void MonthStep(EuroDate& date, bool forward) {
    if (date.month < 1 || date.month > 13) return;
    if (forward) {
        if (date.month <= 11 || (date.month == 12 && IsLeapYear(date.year))) {
            ++date.month;
        } else {
            if (date.year == std::numeric_limits<int32_t>::max()) return;
            ++date.year;
            date.month = 1;
        }
    } else {
        if (date.month >= 2) {
            --date.month;
        } else {
            if (date.year == std::numeric_limits<int32_t>::min()) return;
            --date.year;
            date.month = MonthsInYear(date.year);
        }
    }
    CutDay(date);
}

void YearStep(EuroDate& date, bool forward) {
    if (forward) {
        if (date.year == std::numeric_limits<int32_t>::max()) return;
        ++date.year;
    } else {
        if (date.year == std::numeric_limits<int32_t>::min()) return;
        --date.year;
    }
    if (date.month == 13 && !IsLeapYear(date.year)) date.month = 12;
    CutDay(date);
}

bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward) {
    return StepThroughRecord<EuroDate>(d, unit, forward, FromDayNumber, ToDayNumber,
                                       {nullptr, YearStep, MonthStep});
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 13 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string_view DayName(int day) {
    return day >= 1 ? kDayNames[static_cast<std::size_t>((day - 1) % 10)] : std::string_view{};
}

std::string Text(const EuroDate& date, TextForm form) {
    const std::string ymd = std::to_string(date.year) + "-" + dates::ZeroPadded(date.month, 2) + "-" +
                            dates::ZeroPadded(date.day, 2);
    switch (form) {
    case TextForm::Short:
        return ymd + " SAR";
    case TextForm::Descriptive:
        return ymd + " SAR (" + std::string(DayName(date.day)) + ", " + std::string(MonthName(date.month)) +
               dates::SpacedNumber(date.day) + ", " + dates::SpacedNumber(date.year) + ")";
    case TextForm::Long:
        return "The " + strproc::Ordinal(date.day) + " day of " + std::string(MonthName(date.month)) +
               " in the year" + dates::SpacedNumber(date.year);
    default:
        return {};
    }
}

} // namespace tavr::sar
