#include "calendar/VRLDT.h"

#include <array>
#include <limits>

#include "base/LibLoader.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "tavr_floor.h"

namespace tavr {

namespace {

// A text the libraries may read: no NUL inside, and no run of digits whose
// value exceeds 32 bits (the libraries read numbers into 32-bit integers).
bool SafeLibraryText(const std::string& text) {
    if (text.empty() || text.find('\0') != std::string::npos) return false;
    int64_t run = 0;
    bool inRun = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            run = inRun ? run * 10 + (c - '0') : (c - '0');
            inRun = true;
            if (run > std::numeric_limits<int32_t>::max()) return false;
        } else {
            inRun = false;
        }
    }
    return true;
}

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

struct DtcApi {
    decltype(&jdn_to_dtclunar) jdnToLunar = nullptr;
    decltype(&dtclunar_to_jdn) lunarToJdn = nullptr;
    decltype(&dtclunar_valid) lunarValid = nullptr;
    decltype(&num_tridays_in_12th_month) tridays12 = nullptr;
    decltype(&parse_long_lunar_dtc_date) parseLong = nullptr;
    decltype(&parse_short_lunar_dtc_date) parseShort = nullptr;
    bool ok = false;
};

const DtcApi& Dtc() {
    static const DtcApi api = [] {
        DtcApi a;
        a.jdnToLunar = BindFunction<decltype(&jdn_to_dtclunar)>("dtc", "jdn_to_dtclunar", 4);
        a.lunarToJdn = BindFunction<decltype(&dtclunar_to_jdn)>("dtc", "dtclunar_to_jdn", 4);
        a.lunarValid = BindFunction<decltype(&dtclunar_valid)>("dtc", "dtclunar_valid", 4);
        a.tridays12 =
            BindFunction<decltype(&num_tridays_in_12th_month)>("dtc", "num_tridays_in_12th_month", 4);
        a.parseLong =
            BindFunction<decltype(&parse_long_lunar_dtc_date)>("dtc", "parse_long_lunar_dtc_date", 8);
        a.parseShort =
            BindFunction<decltype(&parse_short_lunar_dtc_date)>("dtc", "parse_short_lunar_dtc_date", 8);
        a.ok = a.jdnToLunar && a.lunarToJdn && a.lunarValid && a.tridays12 && a.parseLong && a.parseShort;
        return a;
    }();
    return api;
}

} // namespace

// ============================================================================
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

// Moves the year by one, wrapping the cycle; false at the ends of the 32-bit cycles.
bool ShiftYear(VrslcDate& date, bool forward) {
    if (forward) {
        if (date.year >= kYearsPerCycle) {
            if (date.cycle == std::numeric_limits<int32_t>::max()) return false;
            ++date.cycle;
            date.year = 1;
        } else {
            ++date.year;
        }
    } else {
        if (date.year <= 1) {
            if (date.cycle == std::numeric_limits<int32_t>::min()) return false;
            --date.cycle;
            date.year = kYearsPerCycle;
        } else {
            --date.year;
        }
    }
    return true;
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
    if (!Available() || !SafeLibraryText(text)) return false;
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
    if (forward && date.cycle < std::numeric_limits<int32_t>::max()) ++date.cycle;
    if (!forward && date.cycle > std::numeric_limits<int32_t>::min()) --date.cycle;
    // Sixty years on, a long year may be short or its 13th month 30 days long.
    CutMonthAndDay(date);
}

void YearStep(VrslcDate& date, bool forward) {
    ShiftYear(date, forward);
    CutMonthAndDay(date);
}

void MonthStep(VrslcDate& date, bool forward) {
    if (forward) {
        if (date.month >= MonthsInYear(date.year, date.cycle)) {
            if (!ShiftYear(date, true)) return;
            date.month = 1;
        } else {
            ++date.month;
        }
    } else {
        if (date.month <= 1) {
            if (!ShiftYear(date, false)) return;
            date.month = MonthsInYear(date.year, date.cycle);
        } else {
            --date.month;
        }
    }
    CutMonthAndDay(date);
}

bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward) {
    if (!Available()) return false;
    return StepThroughRecord<VrslcDate>(d, unit, forward, FromDayNumber, ToDayNumber,
                                        {CycleStep, YearStep, MonthStep});
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 13 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string Text(const VrslcDate& date, int form) {
    const std::string shortText = std::to_string(date.cycle) + "-" + dates::ZeroPadded(date.year, 2) + "-" +
                                  dates::ZeroPadded(date.month, 2) + "-" + dates::ZeroPadded(date.day, 2) +
                                  " VR";
    switch (form) {
    case kShortForm:
        return shortText;
    case kDescriptiveForm:
        return shortText + " (" + std::string(MonthName(date.month)) + " " + std::to_string(date.day) + ", " +
               std::to_string(date.cycle) + "-" + std::to_string(date.year) + ")";
    case kLongForm: {
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

// ============================================================================
namespace ldt {

namespace {

// Cycles whose day numbers (and the library's intermediate triday counts,
// 3 x cycle x 45,359) stay within 32 bits.
constexpr int32_t kFirstCycle = -15780;
constexpr int32_t kLastCycle = 15760;
// The library copies at most 63 characters of a text; a longer one is refused
// rather than read cut short.
constexpr std::size_t kMaxTextLength = 63;

constexpr std::array<std::string_view, 13> kMonthNames = {
    "",      "Armedon", "Nousanios", "Harmozel", "Phaionios", "Ainios", "Oraiel", "Mellephaneus",
    "Loios", "Davithe", "Mousanios", "Amethes",  "Eleleth"};

constexpr std::array<std::string_view, 4> kDayNames = {"", "Sophiesday", "Zoesday", "Norasday"};

bool ShiftYear(DtcLunarDate& date, bool forward) {
    if (forward) {
        if (date.year >= kYearsPerCycle - 1) {
            if (date.cycle == std::numeric_limits<int32_t>::max()) return false;
            ++date.cycle;
            date.year = 0;
        } else {
            ++date.year;
        }
    } else {
        if (date.year <= 0) {
            if (date.cycle == std::numeric_limits<int32_t>::min()) return false;
            --date.cycle;
            date.year = kYearsPerCycle - 1;
        } else {
            --date.year;
        }
    }
    return true;
}

} // namespace

bool Available() {
    return Dtc().ok;
}

DtcLunarDate FromDayNumber(DayNumber d) {
    DtcLunarDate date{};
    date.dayNumber = d;
    if (!Available()) return date;
    Dtc().jdnToLunar(&date);
    date.valid = 1;
    return date;
}

bool ToDayNumber(DtcLunarDate& date) {
    if (!Available()) {
        date.valid = 0;
        return false;
    }
    if (Dtc().lunarValid(&date) != 1) return false;
    if (date.cycle < kFirstCycle || date.cycle > kLastCycle) {
        date.valid = 0;
        return false;
    }
    Dtc().lunarToJdn(&date);
    return true;
}

bool Parse(const std::string& text, DtcLunarDate& date) {
    if (!Available() || !SafeLibraryText(text) || text.size() > kMaxTextLength) return false;
    const int32_t dashes = strproc::CountOccurrences(text, "-", true);
    DtcLunarDate work{};
    int32_t result = 0;
    if (dashes == 3)
        result = Dtc().parseShort(text.c_str(), &work);
    else if (dashes == 4 || dashes == 5)
        result = Dtc().parseLong(text.c_str(), &work);
    else
        return false;
    if (result != 1 || !ToDayNumber(work)) return false;
    date = work;
    return true;
}

int TridaysIn12thMonth(int32_t year) {
    return Available() ? Dtc().tridays12(year) : 0;
}

void CutTriday(DtcLunarDate& date) {
    if (date.month == 6 && date.triday > kTridaysInMonth6) {
        date.triday = kTridaysInMonth6;
        date.day = 3;
    } else if (date.month == 12) {
        const int last = TridaysIn12thMonth(date.year);
        if (last > 0 && date.triday > last) {
            date.triday = last;
            date.day = 3;
        }
    }
}

void CycleStep(DtcLunarDate& date, bool forward) {
    if (forward && date.cycle < std::numeric_limits<int32_t>::max()) ++date.cycle;
    if (!forward && date.cycle > std::numeric_limits<int32_t>::min()) --date.cycle;
}

void YearStep(DtcLunarDate& date, bool forward) {
    ShiftYear(date, forward);
    CutTriday(date);
}

void MonthStep(DtcLunarDate& date, bool forward) {
    if (forward) {
        if (date.month >= 12) {
            if (!ShiftYear(date, true)) return;
            date.month = 1;
        } else {
            ++date.month;
        }
    } else {
        if (date.month <= 1) {
            if (!ShiftYear(date, false)) return;
            date.month = 12;
        } else {
            --date.month;
        }
    }
    CutTriday(date);
}

bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward) {
    if (!Available()) return false;
    return StepThroughRecord<DtcLunarDate>(d, unit, forward, FromDayNumber, ToDayNumber,
                                           {CycleStep, YearStep, MonthStep});
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string_view ShortMonthName(int month) {
    return month == 7 ? std::string_view("Mellephan.") : MonthName(month);
}

std::string_view DayName(int day) {
    return day >= 1 && day <= 3 ? kDayNames[static_cast<std::size_t>(day)] : std::string_view{};
}

std::string Text(const DtcLunarDate& date, int form) {
    std::string shortText;
    if (date.cycle != 0) shortText = std::to_string(date.cycle) + "-";
    shortText += dates::ZeroPadded(date.year, 3) + "-" + dates::ZeroPadded(date.month, 2) + "-" +
                 dates::ZeroPadded(date.triday, 2) + "-" + std::to_string(date.day) + " LDT";
    switch (form) {
    case kShortForm:
        return shortText;
    case kDescriptiveForm:
        return shortText + " (" + std::string(DayName(date.day)) + " " + std::to_string(date.triday) + " " +
               std::string(MonthName(date.month)) + " " + std::to_string(date.year) + ")";
    case kLongForm: {
        std::string text = std::string(DayName(date.day)) + " in the " + strproc::Ordinal(date.triday) +
                           " triday of " + std::string(MonthName(date.month)) + " in the year " +
                           std::to_string(date.year);
        if (date.cycle != 0) text += ", Cycle " + std::to_string(date.cycle);
        return text;
    }
    default:
        return {};
    }
}

} // namespace ldt

} // namespace tavr
