#include "calendar/QLWC.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "astro/Equinox.h"
#include "astro/Lunar.h"
#include "base/DateLib.h"

namespace tavr::qlw {
namespace {

// Accepted moments of the program (AJD, UT).

// The conversions serve Common Era years -3700 .. 6500: the accepted range with
// room for a move that steps past its ends (a century or a cycle), and far from
// any 32-bit overflow of day or lunation numbers.
constexpr int32_t kMinCeYear = -3700;
constexpr int32_t kMaxCeYear = 6500;
constexpr int32_t kMinQlwYear = kMinCeYear + kYearOffset;
constexpr int32_t kMaxQlwYear = kMaxCeYear + kYearOffset;
static_assert(kMinQlwYear == kFirstSupportedYear && kMaxQlwYear == kLastSupportedYear);
// Day numbers of -3700-01-01 and 6500-12-31 (proleptic Gregorian).
constexpr int32_t kMinDayNumber = 369663;
constexpr int32_t kMaxDayNumber = 4095501;

constexpr double kDaysPerGregorianYear = 365.2425;
constexpr int32_t kDayNumberOfYearZero = 1721060; // day number of 0000-01-01 CE

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// ---- phase moments and the years' equinoxes (pure functions of their keys) ----

// Phase moments (UT) by lunation and phase, through the lunar module's cache.
double Phase(int32_t k, int16_t phase) {
    return lunar::PhaseMomentUT(k, phase);
}
double NewMoon(int32_t k) {
    return Phase(k, lunar::kNewMoon);
}

// The equinox of a Common Era year and the new Moon nearest it.
struct EquinoxYear {
    int32_t ceYear = 0;
    bool used = false;
    double equinox = 0.0;
    int32_t lunation = 0; // of the new Moon nearest the equinox
    int32_t newMoonDay = 0;
};
constexpr size_t kYearSlots = 8;
EquinoxYear yearCache[kYearSlots];
size_t nextYearSlot = 0;

const EquinoxYear& Equinox(int32_t ceYear) {
    for (const EquinoxYear& e : yearCache)
        if (e.used && e.ceYear == ceYear) return e;
    EquinoxYear& e = yearCache[nextYearSlot];
    nextYearSlot = (nextYearSlot + 1) % kYearSlots;
    e.used = false;
    e.ceYear = ceYear;
    e.equinox = sun::MarchEquinox(ceYear);
    const double newMoon = NewMoonNearest(e.equinox, e.lunation);
    e.newMoonDay = DayOfMoment(newMoon);
    e.used = true;
    return e;
}

// The Common Era year of a day number, or false when the date library gave an
// implausible answer (missing library).
bool CeYearOf(int32_t dayNumber, int32_t& year) {
    EuroDate rec{0, 0, 0, datelib::kLetterGregorian, dayNumber, 0};
    datelib::JdnToEuroDate(rec);
    if (rec.month < 1 || rec.month > 12 || rec.day < 1 || rec.day > 31) return false;
    const double approx = (dayNumber - kDayNumberOfYearZero) / kDaysPerGregorianYear;
    if (std::fabs(rec.year - approx) > 1.5) return false;
    year = rec.year;
    return true;
}

QlwDay FindMonth(int32_t d) {
    QlwDay r;
    if (d < kMinDayNumber || d > kMaxDayNumber) return r;
    int32_t ceYear = 0;
    if (!CeYearOf(d, ceYear)) return r;
    const EquinoxYear* opening = &Equinox(ceYear);
    int32_t year = ceYear + kYearOffset;
    if (d <= opening->newMoonDay) {
        opening = &Equinox(ceYear - 1);
        year = ceYear + kYearOffset - 1;
    }
    const int32_t k0 = opening->lunation;
    if (opening->newMoonDay >= d) return r; // inconsistent phases

    // The month's lunation j: the last one from k0 on whose new-Moon day is before d.
    // New-Moon days increase with the lunation, so start from the mean estimate.
    int32_t j = k0 + static_cast<int32_t>(std::floor((d - opening->newMoonDay) / lunar::kMeanSynodicMonth));
    if (j < k0) j = k0;
    for (int guard = 0; j > k0 && DayOfMoment(NewMoon(j)) >= d; ++guard) {
        if (guard > 20) return r;
        --j;
    }
    for (int guard = 0; DayOfMoment(NewMoon(j + 1)) < d; ++guard) {
        if (guard > 20) return r;
        ++j;
    }
    const int32_t month = j - k0 + 1;
    if (month < 1 || month > 13) return r;

    std::array<double, 4> moments{Phase(j, lunar::kFirstQuarter), Phase(j, lunar::kFullMoon),
                                  Phase(j, lunar::kLastQuarter), NewMoon(j + 1)};
    std::array<int32_t, 5> days{DayOfMoment(NewMoon(j)), 0, 0, 0, 0};
    QlwMonth found;
    int32_t week = 1;
    for (size_t i = 0; i < 4; ++i) {
        days[i + 1] = DayOfMoment(moments[i]);
        found.weekLength[i] = days[i + 1] - days[i];
        if (found.weekLength[i] < 1) return r; // inconsistent phases
        if (days[i + 1] < d) ++week;
    }
    if (week > 4) return r;
    found.valid = 1;
    found.lunation = j;
    found.firstDay = days[0] + 1;
    found.lastDay = days[4];
    found.phaseMoment = moments;
    r.month = found;
    r.date = {year, month, week, d - days[static_cast<size_t>(week - 1)], 1, d};
    return r;
}

// Reads the text without spaces as [-]digits-digits-digits-digits.
bool ReadFields(std::string_view text, int64_t (&fields)[4]) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    constexpr int64_t kCap = int64_t{1} << 40; // beyond every 32-bit number
    for (int f = 0; f < 4; ++f) {
        if (f > 0) {
            if (i >= text.size() || text[i] != '-') return false;
            ++i;
        }
        const size_t start = i;
        int64_t value = 0;
        while (i < text.size() && IsDigit(text[i])) {
            if (value < kCap) value = value * 10 + (text[i] - '0');
            ++i;
        }
        if (i == start) return false;
        fields[f] = value;
    }
    if (i != text.size()) return false;
    if (negative) fields[0] = -fields[0];
    for (int64_t v : fields)
        if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return false;
    return true;
}

// Converts; while the day is too large for its week, takes the day before.
int32_t Settle(QlwDate& date) {
    if (date.day > 9) date.day = 9; // no week is longer: the same result without a long walk down
    int32_t code = ToDayNumber(date);
    while (code == kBadDay && date.day > 1) {
        --date.day;
        code = ToDayNumber(date);
    }
    return code;
}

bool YearSupported(int32_t qlwYear) {
    return qlwYear >= kMinQlwYear && qlwYear <= kMaxQlwYear;
}

// Moves the month field (year too at its ends) without converting.
void ShiftMonth(QlwDate& date, bool forward) {
    if (forward) {
        if (date.month >= MonthsInYear(date.year)) {
            date.month = 1;
            ++date.year;
        } else {
            ++date.month;
        }
    } else if (date.month <= 1) {
        --date.year;
        date.month = MonthsInYear(date.year) == 13 ? 13 : 12;
    } else {
        --date.month;
    }
}

// Day names 1..9, week names 1..4.
constexpr std::string_view kDayNames[9] = {"Dayone",  "Daytwo", "Daythree", "Dayfour", "Dayfive",
                                           "Nineday", "Herday", "Freeday",  "Moonday"};
constexpr std::string_view kWeekNames[4] = {"Weekone", "Weektwo", "Weekthree", "Weekfour"};
// Surnames of 20th-century writers, initials A..M in month order.
constexpr std::string_view kMonthNames[13] = {"Achebe",  "Borges",  "Camus",     "Dahl",    "Ellison",
                                              "Forster", "Greene",  "Hemingway", "Ionesco", "Joyce",
                                              "Kafka",   "Lessing", "Mann"};
constexpr std::string_view kMonthShortNames[13] = {"Achebe",  "Borges",  "Camus",   "Dahl",    "Ellison",
                                                   "Forster", "Greene",  "Hemingw", "Ionesco", "Joyce",
                                                   "Kafka",   "Lessing", "Mann"};

} // namespace

int32_t DayOfMoment(double moment) {
    const double day = std::floor(moment + 0.25);
    if (!(day >= std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (day > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(day);
}

double NewMoonNearest(double moment, int32_t& lunation) {
    const int32_t k = lunar::LunationOf(moment);
    const double before = NewMoon(k);
    const double after = NewMoon(k + 1);
    if (after - moment <= moment - before) {
        lunation = k + 1;
        return after;
    }
    lunation = k;
    return before;
}

int32_t MonthsInYear(int32_t qlwYear) {
    if (!YearSupported(qlwYear)) return 0;
    const int32_t ceYear = qlwYear - kYearOffset;
    const int32_t k1 = Equinox(ceYear).lunation;
    const int32_t k2 = Equinox(ceYear + 1).lunation;
    return k2 - k1;
}

int32_t QlwMonth::WeekLength(int32_t week) const {
    return week >= 1 && week <= 4 ? weekLength[static_cast<size_t>(week - 1)] : 0;
}

double QlwMonth::PhaseMoment(int32_t index) const {
    return index >= 1 && index <= 4 ? phaseMoment[static_cast<size_t>(index - 1)] : 0.0;
}

QlwDay FromDayNumber(int32_t dayNumber) {
    return FindMonth(dayNumber);
}

int32_t ToDayNumber(QlwDate& date) {
    date.valid = 0;
    if (date.month < 1 || date.month > 13) return kBadMonth;
    if (date.week < 1 || date.week > 4) return kBadWeek;
    if (date.day < 1 || date.day > 9) return kBadDay;
    if (!YearSupported(date.year)) return kBadForm;
    const int32_t ceYear = date.year - kYearOffset;
    const int32_t k1 = Equinox(ceYear).lunation;
    const int32_t k2 = Equinox(ceYear + 1).lunation;
    if (date.month > k2 - k1) return kBadMonth;
    const int32_t k = k1 + date.month - 1;
    const int32_t a = DayOfMoment(Phase(k, static_cast<int16_t>(date.week - 1)));
    const int32_t b = DayOfMoment(date.week < 4 ? Phase(k, static_cast<int16_t>(date.week)) : NewMoon(k + 1));
    if (date.day > b - a) return kBadDay;
    date.dayNumber = a + date.day;
    date.valid = 1;
    return kOk;
}

int32_t Parse(std::string_view text, QlwDate& date) {
    date.valid = 0;
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ') compact.push_back(c);
    if (compact.empty()) return kEmptyText;
    int64_t fields[4] = {0, 0, 0, 0};
    if (!ReadFields(compact, fields)) return kBadForm;
    date.year = static_cast<int32_t>(fields[0]);
    date.month = static_cast<int32_t>(fields[1]);
    date.week = static_cast<int32_t>(fields[2]);
    date.day = static_cast<int32_t>(fields[3]);
    if (!YearSupported(date.year)) {
        // Far outside the range: the fields are checked, the astronomy is not asked.
        if (date.month < 1 || date.month > 13) return kBadMonth;
        if (date.week < 1 || date.week > 4) return kBadWeek;
        if (date.day < 1 || date.day > 9) return kBadDay;
        return kBeyondYears;
    }
    return ToDayNumber(date);
}

int32_t WeekStep(QlwDate& date, bool forward) {
    date.valid = 0;
    if (!YearSupported(date.year)) return kBadForm;
    if (forward) {
        if (date.week >= 4) {
            date.week = 1;
            ShiftMonth(date, true);
        } else {
            ++date.week;
        }
    } else if (date.week <= 1) {
        date.week = 4;
        ShiftMonth(date, false);
    } else {
        --date.week;
    }
    return Settle(date);
}

int32_t MonthStep(QlwDate& date, bool forward) {
    date.valid = 0;
    if (!YearSupported(date.year)) return kBadForm;
    ShiftMonth(date, forward);
    return Settle(date);
}

int32_t YearStep(QlwDate& date, bool forward) {
    date.valid = 0;
    if (!YearSupported(date.year)) return kBadForm;
    date.year += forward ? 1 : -1;
    if (date.month == 13 && MonthsInYear(date.year) < 13) date.month = 12;
    return Settle(date);
}

std::string_view DayNameOf(int32_t day, int32_t weekLength) {
    if (weekLength < 6 || weekLength > 9 || day < 1 || day > weekLength) return {};
    const int32_t index = day <= 5 ? day : 9 - (weekLength - day);
    return kDayNames[index - 1];
}

std::string_view WeekName(int32_t week) {
    return week >= 1 && week <= 4 ? kWeekNames[week - 1] : std::string_view{};
}

std::string_view MonthName(int32_t month) {
    return month >= 1 && month <= 13 ? kMonthNames[month - 1] : std::string_view{};
}

std::string_view MonthShortName(int32_t month) {
    return month >= 1 && month <= 13 ? kMonthShortNames[month - 1] : std::string_view{};
}

std::string DayName(const QlwDate& date, const QlwMonth& month) {
    if (date.week < 1 || date.week > 4) return {};
    if (date.valid == 1 && month.Holds(date.dayNumber))
        return std::string(DayNameOf(date.day, month.WeekLength(date.week)));
    return DayName(date);
}

std::string DayName(const QlwDate& date) {
    if (date.week < 1 || date.week > 4) return {};
    QlwDate converted = date;
    if (converted.valid != 1 && ToDayNumber(converted) != kOk) return {};
    const QlwDay own = FindMonth(converted.dayNumber);
    if (own.month.valid != 1) return {};
    return std::string(DayNameOf(date.day, own.month.WeekLength(date.week)));
}

std::string Text(const QlwDay& day, TextForm form) {
    const QlwDate& date = day.date;
    if (form == TextForm::Short) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%d-%02d-%d-%d QLW", static_cast<int>(date.year),
                      static_cast<int>(date.month), static_cast<int>(date.week), static_cast<int>(date.day));
        return buf;
    }
    if (form == TextForm::Descriptive) {
        std::string text = DayName(date, day.month);
        text += " in ";
        text += WeekName(date.week);
        text += " of ";
        text += MonthName(date.month);
        text += ", ";
        text += std::to_string(date.year);
        return text;
    }
    return {};
}

std::string Text(const QlwDate& date, TextForm form) {
    return Text(QlwDay{date, QlwMonth{}}, form);
}

} // namespace tavr::qlw
