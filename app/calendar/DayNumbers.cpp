#include "calendar/DayNumbers.h"

#include <array>
#include <cmath>
#include <ctime>
#include <limits>
#include <string>

#include "base/DateLib.h"
#include "calendar/CalendarSet.h"

namespace tavr {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

} // namespace

std::string_view CalendarCode(int index) {
    return index >= 0 && index < kCalendarCount ? CalendarAt(index)->code : std::string_view{};
}

int16_t CalendarIndexOf(std::string_view code) {
    for (int16_t i = 0; i < kCalendarCount; ++i)
        if (CalendarAt(i)->code == code) return i;
    return -1;
}

bool InAcceptedRange(AstroJulianDate ajd) {
    return ajd >= kEarliestMoment && ajd <= kLatestMoment;
}

DayNumber CivilDayOf(ChronoJulianDate cjd) {
    const double f = std::floor(cjd);
    if (!(f >= std::numeric_limits<int32_t>::min() && f <= std::numeric_limits<int32_t>::max())) return 0;
    return static_cast<DayNumber>(f);
}

double TimeOfDayOf(ChronoJulianDate cjd) {
    const double f = std::floor(cjd);
    if (!(f >= std::numeric_limits<int32_t>::min() && f <= std::numeric_limits<int32_t>::max())) return 0.0;
    const double frac = cjd - f;
    return frac >= 1.0 ? 0.0 : frac;
}

DayNumber EuroDateToDayNumber(EuroDate& date) {
    return datelib::EuroDateToJdn(date);
}

EuroDate DayNumberToEuroDate(DayNumber d, int32_t letter) {
    EuroDate date{};
    date.calendar = letter;
    date.dayNumber = d;
    if (!datelib::Available()) return date; // valid stays 0
    datelib::JdnToEuroDate(date);
    date.valid = 1;
    return date;
}

int16_t DayOfWeek(DayNumber d) {
    int64_t r = (static_cast<int64_t>(d) + 1) % 7;
    if (r < 0) r += 7;
    return static_cast<int16_t>(r);
}

std::string_view WeekdayName(int index) {
    return index >= 0 && index < 7 ? kWeekdays[static_cast<std::size_t>(index)] : std::string_view{};
}

std::string_view WeekdayNameOf(DayNumber d) {
    return WeekdayName(DayOfWeek(d));
}

ClockReading ReadLocalClock() {
    // One reading of the clock serves date, time and zone, so that the three
    // cannot straddle midnight or a change of daylight-saving time.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    // Offset = local wall clock minus the instant, both in seconds of the
    // proleptic Gregorian count (days from civil, 1970-01-01 = 0).
    const int64_t y = static_cast<int64_t>(local.tm_year) + 1900 - (local.tm_mon < 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = (local.tm_mon + 10) % 12; // March = 0
    const int64_t doy = (153 * mp + 2) / 5 + local.tm_mday - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = era * 146097 + doe - 719468;
    const int64_t localSeconds = days * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int64_t offsetSeconds = localSeconds - static_cast<int64_t>(now);
    ClockReading r;
    r.year = local.tm_year + 1900;
    r.month = local.tm_mon + 1;
    r.day = local.tm_mday;
    r.hours = local.tm_hour;
    r.minutes = local.tm_min;
    r.seconds = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as :59
    r.offset = ZoneOffsetFromBias(static_cast<int32_t>(-offsetSeconds));
    return r;
}

AstroJulianDate MomentOfReading(const ClockReading& r) {
    EuroDate date{r.year, r.month, r.day, kLetterCE, 0, 0};
    const DayNumber day = EuroDateToDayNumber(date);
    return MomentFromClock(day, r.hours, r.minutes, r.seconds, r.offset);
}

AstroJulianDate NowAjd() {
    return MomentOfReading(ReadLocalClock());
}

AstroJulianDate MomentFromClock(DayNumber day, int32_t hours, int32_t minutes, int32_t seconds,
                                ZoneOffsetMinutes offset) {
    const double secs = static_cast<double>(hours) * 3600.0 + static_cast<double>(minutes) * 60.0 +
                        static_cast<double>(seconds) - static_cast<double>(offset) * 60.0;
    return static_cast<double>(day) + secs / 86400.0 - 0.5;
}

ZoneOffsetMinutes ZoneOffsetFromBias(int32_t secondsWest) {
    const long minutes = std::lround(-static_cast<double>(secondsWest) / 60.0);
    if (minutes > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (minutes < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<ZoneOffsetMinutes>(minutes);
}

bool ShiftYearInCycle(int32_t& year, int32_t& cycle, int32_t first, int32_t last, bool forward) {
    if (forward) {
        if (year < last) {
            ++year;
            return true;
        }
        if (cycle == std::numeric_limits<int32_t>::max()) return false;
        ++cycle;
        year = first;
    } else {
        if (year > first) {
            --year;
            return true;
        }
        if (cycle == std::numeric_limits<int32_t>::min()) return false;
        --cycle;
        year = last;
    }
    return true;
}

void StepCycle(int32_t& cycle, bool forward) {
    if (forward && cycle < std::numeric_limits<int32_t>::max()) ++cycle;
    if (!forward && cycle > std::numeric_limits<int32_t>::min()) --cycle;
}

} // namespace tavr
