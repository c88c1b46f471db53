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

// Reads the digits at `pos` as far as they go; false without digits or beyond 32 bits.
bool ReadNumber(const std::string& s, std::size_t& pos, int64_t& value) {
    const std::size_t start = pos;
    int64_t v = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        v = v * 10 + (s[pos] - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
        ++pos;
    }
    if (pos == start) return false;
    value = v;
    return true;
}

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
    if (dn < std::numeric_limits<int32_t>::min() || dn > std::numeric_limits<int32_t>::max()) {
        date.valid = false;
        date.dayNumber = 0;
        return false;
    }
    date.dayNumber = static_cast<DayNumber>(dn);
    date.valid = true;
    return true;
}

TvgDate FromDayNumber(DayNumber d) {
    int64_t r = static_cast<int64_t>(d) - kEpoch;
    const int64_t n = FloorDiv(r, kCycleDays);
    r -= n * kCycleDays;
    const auto* first = kYearStarts.start.data() + 1;
    const auto* last = kYearStarts.start.data() + kCycleYears + 1;
    const auto* it = std::upper_bound(first, last, static_cast<int32_t>(r)) - 1;
    const int32_t year = static_cast<int32_t>(it - kYearStarts.start.data());
    r -= *it;
    int32_t month = 1;
    while (r >= MonthLength(year, month)) {
        r -= MonthLength(year, month);
        ++month;
    }
    TvgDate date;
    date.cycle = static_cast<int32_t>(n + 1);
    date.year = year;
    date.month = month;
    date.day = static_cast<int32_t>(r + 1);
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
        if (!ReadNumber(s, pos, fields[f])) return false; // a field without digits
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
    if (forward && date.cycle < std::numeric_limits<int32_t>::max()) ++date.cycle;
    if (!forward && date.cycle > std::numeric_limits<int32_t>::min()) --date.cycle;
}

void YearStep(TvgDate& date, bool forward) {
    if (forward) {
        if (date.year >= kCycleYears) {
            if (date.cycle == std::numeric_limits<int32_t>::max()) return;
            date.year = 1;
            ++date.cycle;
        } else {
            ++date.year;
        }
    } else {
        if (date.year <= 1) {
            if (date.cycle == std::numeric_limits<int32_t>::min()) return;
            date.year = kCycleYears;
            --date.cycle;
        } else {
            --date.year;
        }
    }
    if (date.month == 13 && date.day == 30 && ShortYear(date.year)) date.day = 29;
}

void MonthStep(TvgDate& date, bool forward) {
    if (forward) {
        if (date.month >= 13) {
            TvgDate next = date;
            YearStep(next, true);
            if (next.year == date.year && next.cycle == date.cycle) return; // at the 32-bit limit
            date.year = next.year;
            date.cycle = next.cycle;
            date.month = 1;
        } else {
            ++date.month;
        }
    } else {
        if (date.month <= 1) {
            TvgDate prev = date;
            YearStep(prev, false);
            if (prev.year == date.year && prev.cycle == date.cycle) return;
            date.year = prev.year;
            date.cycle = prev.cycle;
            date.month = 13;
        } else {
            --date.month;
        }
    }
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
