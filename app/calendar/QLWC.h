// Quorvane Lunar Week Calendar (QLW): an observational lunar calendar. Months
// begin the day after an actual new Moon, the four weeks end on the days of the
// actual quarter phases (so months have 29 or 30 days and weeks 6 to 9), and a
// year of 12 or 13 months begins the day after the new Moon nearest the March
// equinox. QLW year = Common Era year of that equinox + 3000.
//
// A moment t (AJD, UT) falls on the day floor(t + 0.25): days of this calendar
// run from 06:00 to 06:00. The caller converts floor(CJD - 0.25).
//
// Single-threaded like the lunar module it calls (its phase cache is module
// state). A conversion returns the month it found with the date; nothing of a
// conversion is kept for the next call.
#ifndef TAVR_QLWC_H
#define TAVR_QLWC_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CalendarSet.h"

namespace tavr::qlw {

struct QlwDate {
    int32_t year = 0;
    int32_t month = 0; // 1..13
    int32_t week = 0;  // 1..4
    int32_t day = 0;   // 1..9
    int32_t valid = 0; // 1 or 0
    int32_t dayNumber = 0;
};
static_assert(sizeof(QlwDate) == 24, "QlwDate is six 32-bit fields");

inline constexpr int32_t kYearOffset = 3000; // QLW year - CE year of the opening equinox

// Result codes of the conversion to a day number, the parse and the steps.
inline constexpr int32_t kOk = 0;
inline constexpr int32_t kEmptyText = -1;
inline constexpr int32_t kBadForm = -2; // not year-month-week-day, or a year out of range
inline constexpr int32_t kBadMonth = -3;
inline constexpr int32_t kBadWeek = -4;
inline constexpr int32_t kBadDay = -5;
inline constexpr int32_t kBeyondYears = -6; // a well-formed date of a year the conversions do not serve

// QLW years whose days touch the accepted moments AJD 552283.0 .. 3912515.0:
// year -201 holds the first ~96 days of the range, year 8999 its last days.
inline constexpr int32_t kFirstRangeYear = -201;
inline constexpr int32_t kLastRangeYear = 8999;
// Years the conversions serve (Common Era -3700 .. 6500): the accepted range
// with room for a move that steps past its ends.
inline constexpr int32_t kFirstSupportedYear = -700;
inline constexpr int32_t kLastSupportedYear = 9500;

// Calendar day of a moment: floor(moment + 0.25).
int32_t DayOfMoment(double moment);

// The new Moon nearest a moment (UT); a tie goes to the later one. Returns its
// moment (UT) and writes its lunation number.
double NewMoonNearest(double moment, int32_t& lunation);

// Number of months (12 or 13) of a QLW year; 0 for a year outside the
// supported range.
int32_t MonthsInYear(int32_t qlwYear);

// Text forms: 1 short (row value), 2 descriptive (row long form and tool tip).

// The month a day lies in: its lunation, days, week lengths and phase moments.
struct QlwMonth {
    int32_t valid = 0;                   // 1 when found
    int32_t lunation = 0;                // lunation whose new Moon (the day before day 1) opens the month
    int32_t firstDay = 0;                // day number of day 1 of week 1
    int32_t lastDay = 0;                 // day of the next new Moon
    std::array<int32_t, 4> weekLength{}; // L1..L4 in days
    std::array<double, 4> phaseMoment{}; // AJD (UT): first quarter, full Moon, last quarter, next new Moon

    // 29 or 30 days; 0 when not found.
    int32_t Length() const { return valid == 1 ? lastDay - firstDay + 1 : 0; }
    bool Holds(int32_t dayNumber) const {
        return valid == 1 && dayNumber >= firstDay && dayNumber <= lastDay;
    }
    // Week length L1..L4 (week 1..4) and phase moment 1..4; 0 for another index.
    int32_t WeekLength(int32_t week) const;
    double PhaseMoment(int32_t index) const;
};

// A date with the month it lies in.
struct QlwDay {
    QlwDate date;
    QlwMonth month;
};

// The date and month of a day number: year, month, week, day, dayNumber and
// valid = 1, the month valid = 1. A day number far outside the accepted range
// (more than a few centuries) gives both valid = 0.
QlwDay FromDayNumber(int32_t dayNumber);

// Validates year, month, week, day: month 1..13 else -3, week 1..4 else -4,
// day 1..9 else -5, a month the year lacks -3, a day the week lacks -5, a year
// outside the supported range -2. On 0 writes dayNumber and valid = 1;
// otherwise valid = 0 and dayNumber is left alone.
int32_t ToDayNumber(QlwDate& date);

// Parses "year-month-week-day" (spaces are ignored; a leading "-" makes the
// year negative). 0 on success (record filled, converted, valid = 1), -1 for an
// empty text, -2 for any other form or a number beyond 32 bits, -6 for a date
// whose fields are in their ranges but whose year the conversions do not serve
// (far outside the accepted range; no astronomy is asked), else the
// conversion's code. On failure valid = 0. Every year the conversions serve is
// read, so that the range check, not the parse, refuses a date outside the
// accepted moments.
int32_t Parse(std::string_view text, QlwDate& date);

// Steps for the moves, forward or back, taken on the record's fields; after
// the step the day is reduced until the date exists. Return the conversion's
// code (0 with dayNumber and valid = 1 written).
int32_t WeekStep(QlwDate& date, bool forward);
int32_t MonthStep(QlwDate& date, bool forward);
int32_t YearStep(QlwDate& date, bool forward);

// Names. Empty for an index out of range.
std::string_view DayNameOf(int32_t day, int32_t weekLength); // "Dayone" .. "Moonday"
std::string_view WeekName(int32_t week);                     // "Weekone" .. "Weekfour"
std::string_view MonthName(int32_t month);                   // 13 writers, initials A..M
std::string_view MonthShortName(int32_t month);              // at most 7 characters

// Name of the record's day from the week lengths of `month` when it holds the
// day; otherwise (and without a month) the record's own month is found.
// "" for a record that is no date.
std::string DayName(const QlwDate& date, const QlwMonth& month);
std::string DayName(const QlwDate& date);

// Form 1: "4999-10-2-5 QLW"; form 2: "Dayfive in Weektwo of Joyce, 4999";
// any other form: "". The first takes the day name from the day's own month.
std::string Text(const QlwDay& day, TextForm form);
std::string Text(const QlwDate& date, TextForm form);

} // namespace tavr::qlw

#endif
