#include "calendar/Triday.h"

#include <array>
#include <limits>

#include "base/LibLoader.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "tavr_floor.h"

namespace tavr {

namespace {

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

// Years 0..383 of a cycle.
bool ShiftYear(DtcLunarDate& date, bool forward) {
    return ShiftYearInCycle(date.year, date.cycle, 0, kYearsPerCycle - 1, forward);
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
    if (!Available() || !dates::SafeLibraryText(text) || text.size() > kMaxTextLength) return false;
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
    StepCycle(date.cycle, forward);
}

void YearStep(DtcLunarDate& date, bool forward) {
    ShiftYear(date, forward);
    CutTriday(date);
}

void MonthStep(DtcLunarDate& date, bool forward) {
    if (ShiftMonthInYear(
            date, forward, [](const DtcLunarDate&) { return 12; }, ShiftYear))
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

std::string Text(const DtcLunarDate& date, TextForm form) {
    std::string shortText;
    if (date.cycle != 0) shortText = std::to_string(date.cycle) + "-";
    shortText += dates::ZeroPadded(date.year, 3) + "-" + dates::ZeroPadded(date.month, 2) + "-" +
                 dates::ZeroPadded(date.triday, 2) + "-" + std::to_string(date.day) + " LDT";
    switch (form) {
    case TextForm::Short:
        return shortText;
    case TextForm::Descriptive:
        return shortText + " (" + std::string(DayName(date.day)) + " " + std::to_string(date.triday) + " " +
               std::string(MonthName(date.month)) + " " + std::to_string(date.year) + ")";
    case TextForm::Long: {
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
