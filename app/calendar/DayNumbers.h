// The day-number conventions shared by every calendar of the program: the
// calendar indices and codes, the time scales (astronomical and chronological
// Julian dates) and how they relate, the accepted range of moments, Common Era
// and Julian dates through the date library, the day of the week, the current
// moment, and the pieces every calendar's steps share.
//
// Every calendar date shown is computed from one DayNumber: the Julian Day
// Number of the local civil day, floor(CJD). All arithmetic uses floor
// division with non-negative remainders.
#ifndef TAVR_DAYNUMBERS_H
#define TAVR_DAYNUMBERS_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/DateLib.h"
#include "base/Range.h"
#include "calendar/CalendarSet.h"
#include "kelmar.h" // EuroDate
#include "tavr_floor.h"

namespace tavr {

// Julian Day Number of a civil day (2451545 is 2000-01-01 CE).
using DayNumber = int32_t;
// Days since Greenwich noon of the epoch, universal time.
using AstroJulianDate = double;
// AJD + 0.5 + offset / 1440: integer part = DayNumber of the local civil day.
using ChronoJulianDate = double;
// Local time minus universal time in minutes, positive east of Greenwich.
using ZoneOffsetMinutes = int16_t;

// ---- calendar codes -------------------------------------------------------

// "CE", "JC", "SAR", "VR", "LDT", "TVG", "CJD", "AJD", "QLW"; "" outside 0..8.
std::string_view CalendarCode(int index);
// Index of the code (exact, case-sensitive), or -1.
int16_t CalendarIndexOf(std::string_view code);

// ---- range ----------------------------------------------------------------

inline constexpr char kDateSeparator = '-';
inline constexpr char kThousandsSeparator = ',';
// Every civil day a moment of the range can fall on for a zone offset of at
// most one day either way, including the QLW day floor(CJD - 0.25).
inline constexpr DayNumber kFirstRangeDay = 552282;
inline constexpr DayNumber kLastRangeDay = 3912516;

// True for kEarliestMoment <= ajd <= kLatestMoment (both ends included; NaN false).
bool InAcceptedRange(AstroJulianDate ajd);

// ---- time scales ----------------------------------------------------------

// CJD = AJD + 0.5 + offset / 1440.
inline ChronoJulianDate AjdToCjd(AstroJulianDate ajd, ZoneOffsetMinutes offset) {
    return ajd + 0.5 + offset / 1440.0;
}
// floor(cjd) as a day number. Values outside the 32-bit range (and NaN) give 0;
// callers check the range of the moment first.
DayNumber CivilDayOf(ChronoJulianDate cjd);
// cjd - floor(cjd), 0 <= fraction < 1 (0 for values CivilDayOf refuses).
double TimeOfDayOf(ChronoJulianDate cjd);

// ---- Common Era and Julian dates (through the date library) ---------------

// The calendar letters of the date library's records, by the codes' names.
inline constexpr int32_t kLetterCE = datelib::kLetterGregorian;
inline constexpr int32_t kLetterJC = datelib::kLetterJulian;
inline constexpr int32_t kLetterSAR = datelib::kLetterSarvenes;

// `date` holds year, month, day and the letter 'G' or 'J'. Writes dayNumber,
// sets valid (1 for an existing date, else 0) and returns the day number.
DayNumber EuroDateToDayNumber(EuroDate& date);
// The Common Era ('G') or Julian ('J') date of a day number; valid = 1.
EuroDate DayNumberToEuroDate(DayNumber d, int32_t letter);

// ---- weekday --------------------------------------------------------------

// 0 = Sunday .. 6 = Saturday: (d + 1) mod 7 with a non-negative remainder.
int16_t DayOfWeek(DayNumber d);
// "Sunday" .. "Saturday" for 0..6; "" otherwise.
std::string_view WeekdayName(int index);
// WeekdayName(DayOfWeek(d)).
std::string_view WeekdayNameOf(DayNumber d);

// ---- today and now --------------------------------------------------------

// Local date and time of the operating system's clock and the zone offset in
// force at that moment.
struct ClockReading {
    int32_t year = 0; // Common Era, astronomical numbering
    int32_t month = 0;
    int32_t day = 0;
    int32_t hours = 0; // 0..23
    int32_t minutes = 0;
    int32_t seconds = 0;
    ZoneOffsetMinutes offset = 0;
};
ClockReading ReadLocalClock();

// AJD of the present moment (local clock and zone of the operating system).
AstroJulianDate NowAjd();
// The moment of a clock reading (the one way every part of the program turns
// a local clock into a moment).
AstroJulianDate MomentOfReading(const ClockReading& reading);

// The pieces of the two above, pure and testable:
// AJD = day + (hours x 3600 + minutes x 60 + seconds - offset x 60) / 86400 - 0.5.
AstroJulianDate MomentFromClock(DayNumber day, int32_t hours, int32_t minutes, int32_t seconds,
                                ZoneOffsetMinutes offset);
// Zone offset from a bias in seconds west of Greenwich: -bias / 60, rounded.
ZoneOffsetMinutes ZoneOffsetFromBias(int32_t secondsWest);
// ---- steps ------------------------------------------------------------------

// Periods of the calendar steps of the moves. Each calendar supports the
// units its module names; the others are refused.
enum class StepUnit { Week, Month, Year, Cycle };

// Moves `year` by one inside the years first..last of a cycle, into the next or
// previous cycle past either end. False, with nothing changed, at the ends of
// the 32-bit cycles.
bool ShiftYearInCycle(int32_t& year, int32_t& cycle, int32_t first, int32_t last, bool forward);
// The cycle one on or back, held at the ends of the 32-bit cycles.
void StepCycle(int32_t& cycle, bool forward);

// Moves a record's month by one inside a year of monthsInYear(date) months,
// into the next or previous year through shiftYear(date, forward) past either
// end (January of the next year, the last month of the previous one). False,
// with nothing changed, when the year cannot move.
template <typename Date, typename Months, typename ShiftYear>
bool ShiftMonthInYear(Date& date, bool forward, Months monthsInYear, ShiftYear shiftYear) {
    if (forward) {
        if (date.month < monthsInYear(date)) {
            ++date.month;
            return true;
        }
        if (!shiftYear(date, true)) return false;
        date.month = 1;
    } else {
        if (date.month > 1) {
            --date.month;
            return true;
        }
        if (!shiftYear(date, false)) return false;
        date.month = monthsInYear(date);
    }
    return true;
}

// ---- cycles of years of a fixed count of days -------------------------------

// Where day `d` lies in cycles of `cycleDays` days counted from `epoch`, whose
// years 1..years begin starts[1..years] days into the cycle (starts[1] = 0,
// increasing) and whose months last monthLength(year, month) days: the
// cycle (0 for the one that begins at the epoch), the year of the cycle, the
// month and the day of the month (from 1).
struct CyclePlace {
    int64_t cycle = 0;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
};
template <typename MonthLength>
CyclePlace PlaceInCycles(DayNumber d, int64_t epoch, int64_t cycleDays, const int32_t* starts, int32_t years,
                         MonthLength monthLength) {
    CyclePlace place;
    int64_t r = static_cast<int64_t>(d) - epoch;
    place.cycle = FloorDiv(r, cycleDays);
    r -= place.cycle * cycleDays;
    // The year: the last one whose start is not after r.
    const int32_t* year = std::upper_bound(starts + 1, starts + years + 1, static_cast<int32_t>(r)) - 1;
    place.year = static_cast<int32_t>(year - starts);
    r -= *year;
    place.month = 1;
    while (r >= monthLength(place.year, place.month)) {
        r -= monthLength(place.year, place.month);
        ++place.month;
    }
    place.day = static_cast<int32_t>(r + 1);
    return place;
}

// The record steps of one calendar; a null entry is a unit it does not have.
template <typename Date> struct RecordSteps {
    void (*cycle)(Date&, bool) = nullptr;
    void (*year)(Date&, bool) = nullptr;
    void (*month)(Date&, bool) = nullptr;
};

// Moves day number `d` by one `unit` of a calendar: converts it to the
// calendar's record, steps the record and converts back. False, with `d`
// unchanged, for a unit the calendar lacks or a date that does not convert.
template <typename Date>
bool StepThroughRecord(DayNumber& d, StepUnit unit, bool forward, Date (*fromDayNumber)(DayNumber),
                       bool (*toDayNumber)(Date&), const RecordSteps<Date>& steps) {
    void (*step)(Date&, bool) = unit == StepUnit::Cycle   ? steps.cycle
                                : unit == StepUnit::Year  ? steps.year
                                : unit == StepUnit::Month ? steps.month
                                                          : nullptr;
    if (!step) return false;
    Date date = fromDayNumber(d);
    step(date, forward);
    if (!toDayNumber(date)) return false;
    d = date.dayNumber;
    return true;
}

} // namespace tavr

#endif
