// The date library: proleptic Gregorian and Julian calendars with astronomical
// year numbering (year 0 is 1 BCE), date-text parsing, digit grouping and the
// time-zone bias of the operating system.
//
// Day numbers are Julian Day Numbers held in 32 bits. Every day number maps to
// a date, and a date is valid exactly when it exists in its calendar and its
// day number fits in 32 bits (years from about -5,879,000 to 5,874,000). All
// arithmetic runs in 64 bits with floor division, so no input overflows.
#include "kelmar.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "tavr_floor.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr int32_t kGregorian = 'G';
constexpr int32_t kJulian = 'J';
constexpr int32_t kSarvenes = 'R';

// Day numbers of 1 March of year 0 in each calendar: the computations count
// from March so that the leap day is the last day of a counted year.
constexpr int64_t kGregorianMarch0 = 1721120;
constexpr int64_t kJulianMarch0 = 1721118;
constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kDaysPer4Years = 1461;

// Results of str_to_date.
constexpr int32_t kParseOk = 0;
constexpr int32_t kParseBadArgument = 1; // no text, no record, an unknown letter or order
constexpr int32_t kParseBadForm = 2;     // not [-]digits-digits-digits
constexpr int32_t kParseTooLarge = 3;    // a number that does not fit in 32 bits
constexpr int32_t kParseNoSuchDate = 4;  // the form is right but the date does not exist

constexpr int kGroupingBuffer = 20; // bytes of the output of separate_thousands, NUL included

using tavr::FitsInt32;
using tavr::FloorDiv;

bool IsCalendar(int32_t letter) {
    return letter == kGregorian || letter == kJulian;
}

bool IsLeap(int64_t year, int32_t letter) {
    const int64_t r4 = year - 4 * FloorDiv(year, 4);
    if (letter == kJulian) return r4 == 0;
    const int64_t r100 = year - 100 * FloorDiv(year, 100);
    const int64_t r400 = year - 400 * FloorDiv(year, 400);
    return r4 == 0 && (r100 != 0 || r400 == 0);
}

int DaysInMonth(int64_t year, int32_t month, int32_t letter) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeap(year, letter)) return 29;
    return kDays[month - 1];
}

// Day number of a date whose month is 1..12 (the day may be any value).
int64_t DayNumberOf(int64_t year, int64_t month, int64_t day, int32_t letter) {
    const int64_t y = month <= 2 ? year - 1 : year;        // year counted from March
    const int64_t m = month <= 2 ? month + 9 : month - 3;  // 0 = March .. 11 = February
    const int64_t dayOfYear = (153 * m + 2) / 5 + day - 1; // days since 1 March
    if (letter == kJulian) return kJulianMarch0 + 365 * y + FloorDiv(y, 4) + dayOfYear;
    return kGregorianMarch0 + 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + dayOfYear;
}

struct Ymd {
    int64_t year;
    int32_t month;
    int32_t day;
};

Ymd DateOf(int64_t dayNumber, int32_t letter) {
    int64_t y = 0;
    int64_t dayOfYear = 0;
    if (letter == kJulian) {
        const int64_t z = dayNumber - kJulianMarch0;
        const int64_t cycle = FloorDiv(z, kDaysPer4Years);
        const int64_t dayOfCycle = z - cycle * kDaysPer4Years;              // 0..1460
        const int64_t yearOfCycle = (dayOfCycle - dayOfCycle / 1460) / 365; // 0..3
        y = yearOfCycle + 4 * cycle;
        dayOfYear = dayOfCycle - 365 * yearOfCycle;
    } else {
        const int64_t z = dayNumber - kGregorianMarch0;
        const int64_t era = FloorDiv(z, kDaysPer400Years);
        const int64_t dayOfEra = z - era * kDaysPer400Years; // 0..146096
        const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
        y = yearOfEra + 400 * era;
        dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    }
    const int64_t mp = (5 * dayOfYear + 2) / 153; // 0 = March .. 11 = February
    const int32_t day = static_cast<int32_t>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int32_t month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
    return {month <= 2 ? y + 1 : y, month, day};
}

// Finite test of our own: the standard library's inline one would become an
// export of this library in unoptimised builds.
bool Finite(double x) {
    return x - x == 0.0;
}

// Day number of an existing date whose day number fits in 32 bits.
bool ExistingDate(int64_t year, int64_t month, int64_t day, int32_t letter, int32_t& dayNumber) {
    if (!IsCalendar(letter) || month < 1 || month > 12 || day < 1) return false;
    if (day > DaysInMonth(year, static_cast<int32_t>(month), letter)) return false;
    const int64_t jdn = DayNumberOf(year, month, day, letter);
    if (!FitsInt32(jdn)) return false;
    dayNumber = static_cast<int32_t>(jdn);
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads an optional "-" (when `signAllowed`) and one or more digits from `p`.
// Returns the parse result; on success `value` holds the number and `p` the
// first character after it.
int32_t ReadNumber(const char*& p, bool signAllowed, int64_t& value) {
    bool negative = false;
    if (signAllowed && *p == '-') {
        negative = true;
        ++p;
    }
    if (!IsDigit(*p)) return kParseBadForm;
    int64_t v = 0;
    bool tooLarge = false;
    for (; IsDigit(*p); ++p) {
        if (!tooLarge) v = v * 10 + (*p - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) tooLarge = true;
    }
    if (negative) v = -v;
    if (tooLarge || !FitsInt32(v)) return kParseTooLarge;
    value = v;
    return kParseOk;
}

void WriteText(char* out, const char* text, size_t length) {
    std::memcpy(out, text, length);
    out[length] = '\0';
}

} // namespace

TAVR_API(int32_t) euro_date_to_jdn(EuroDate* date) {
    if (!date) return 0;
    int32_t dayNumber = 0;
    const bool valid = ExistingDate(date->year, date->month, date->day, date->calendar, dayNumber);
    date->dayNumber = valid ? dayNumber : 0;
    date->valid = valid ? 1 : 0;
    return date->dayNumber;
}

TAVR_API(void) jdn_to_euro_date(EuroDate* date) {
    if (!date) return;
    if (!IsCalendar(date->calendar)) {
        date->year = date->month = date->day = 0;
        date->valid = 0;
        return;
    }
    const Ymd d = DateOf(date->dayNumber, date->calendar);
    // Every 32-bit day number lies between years -5,880,000 and 5,880,000.
    date->year = static_cast<int32_t>(d.year);
    date->month = d.month;
    date->day = d.day;
    date->valid = 1;
}

TAVR_API(int32_t) euro_day_of_week(int32_t dayNumber) {
    const int64_t n = static_cast<int64_t>(dayNumber) + 1;
    return static_cast<int32_t>(n - 7 * FloorDiv(n, 7));
}

TAVR_API(int32_t) str_to_date(const char* text, int32_t order, EuroDate* date, int32_t calendarLetter) {
    if (!text || !date || order != 2) return kParseBadArgument;
    if (!IsCalendar(calendarLetter) && calendarLetter != kSarvenes) return kParseBadArgument;
    const char* p = text;
    int64_t year = 0, month = 0, day = 0;
    if (int32_t r = ReadNumber(p, true, year); r != kParseOk) return r;
    if (*p++ != '-') return kParseBadForm;
    if (int32_t r = ReadNumber(p, false, month); r != kParseOk) return r;
    if (*p++ != '-') return kParseBadForm;
    if (int32_t r = ReadNumber(p, false, day); r != kParseOk) return r;
    if (*p != '\0') return kParseBadForm;

    int32_t dayNumber = 0;
    if (calendarLetter != kSarvenes && !ExistingDate(year, month, day, calendarLetter, dayNumber))
        return kParseNoSuchDate;
    date->year = static_cast<int32_t>(year);
    date->month = static_cast<int32_t>(month);
    date->day = static_cast<int32_t>(day);
    date->calendar = calendarLetter;
    if (calendarLetter != kSarvenes) {
        // The Sarvenes calendar checks and converts its dates itself.
        date->dayNumber = dayNumber;
        date->valid = 1;
    }
    return kParseOk;
}

TAVR_API(void) separate_thousands(const char* digits, int32_t separator, char* out) {
    if (!out) return;
    out[0] = '\0';
    if (!digits) return;
    const size_t capacity = kGroupingBuffer - 1; // characters before the NUL
    const size_t length = strnlen(digits, capacity + 1);

    const char* p = digits;
    const bool negative = *p == '-';
    if (negative) ++p;
    size_t count = 0;
    while (IsDigit(p[count]) && count <= capacity)
        ++count;
    const bool isNumber = count > 0 && p[count] == '\0';
    const bool groupable = isNumber && separator > 0 && separator <= 255;
    if (!groupable) {
        // Not a plain number, or no usable separator: the text unchanged when it fits.
        if (length <= capacity) WriteText(out, digits, length);
        return;
    }
    const size_t grouped = (negative ? 1 : 0) + count + (count - 1) / 3;
    if (grouped > capacity) {
        // Too long to group: the plain digits when they fit, else nothing.
        if (length <= capacity) WriteText(out, digits, length);
        return;
    }
    size_t w = 0;
    if (negative) out[w++] = '-';
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out[w++] = static_cast<char>(separator);
        out[w++] = p[i];
    }
    out[w] = '\0';
}

TAVR_API(int32_t) get_timezone(void) {
#if defined(_WIN32)
    TIME_ZONE_INFORMATION info;
    const DWORD mode = GetTimeZoneInformation(&info);
    LONG bias = info.Bias; // minutes, UTC minus local
    if (mode == TIME_ZONE_ID_DAYLIGHT)
        bias += info.DaylightBias;
    else if (mode == TIME_ZONE_ID_STANDARD)
        bias += info.StandardBias;
    return static_cast<int32_t>(bias) * 60;
#else
    tzset(); // follow a TZ that changed since the last call
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;
    return static_cast<int32_t>(-local.tm_gmtoff);
#endif
}

TAVR_API(void)
juldat(double jd, const char* mode, int32_t* year, int32_t* month, int32_t* day, int32_t* hour) {
    // `mode` "A": `jd` is an astronomical Julian date (the day begins at noon).
    // It is the only mode; any other is read the same way.
    (void)mode;
    int32_t y = 0, m = 0, d = 0, h = 0;
    const double civil = jd + 0.5;
    const double dayNumber = std::floor(civil);
    if (Finite(civil) && dayNumber >= INT32_MIN && dayNumber <= INT32_MAX) {
        const Ymd date = DateOf(static_cast<int64_t>(dayNumber), kGregorian);
        y = static_cast<int32_t>(date.year);
        m = date.month;
        d = date.day;
        h = static_cast<int32_t>(std::floor((civil - dayNumber) * 24.0));
        if (h > 23) h = 23;
    }
    if (year) *year = y;
    if (month) *month = m;
    if (day) *day = d;
    if (hour) *hour = h;
}
