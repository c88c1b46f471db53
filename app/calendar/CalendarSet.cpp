#include "calendar/CalendarSet.h"

#include <charconv>
#include <cmath>

#include "base/DateLib.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "calendar/DayNumbers.h"
#include "calendar/QLWC.h"
#include "calendar/SarCal.h"
#include "calendar/Solilunar.h"
#include "calendar/TVGCal.h"
#include "calendar/Triday.h"

namespace tavr {

namespace {

// ---- row texts ---------------------------------------------------------------

// A number with four decimals, "," between groups of three integer digits and
// "." as the decimal mark (the form the entry parser reads back).
std::string GroupedFourDecimals(double value) {
    if (!std::isfinite(value)) return "0.0000";
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    std::string text(buffer, result.ptr);
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    const size_t point = text.find('.');
    std::string integer = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : text.substr(point);
    std::string grouped;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) grouped += ',';
        grouped += integer[i];
    }
    return (negative ? "-" : "") + grouped + fraction;
}

RowTexts EuroRow(int32_t d, int32_t letter, const char* code) {
    RowTexts row;
    if (!datelib::Available()) return row; // no date library: an empty row, not zeros
    const EuroDate date = DayNumberToEuroDate(d, letter);
    row.shortText = dates::ShortDateText(date) + code;
    row.toolTip = dates::LongDateText(date);
    row.value = row.shortText + " (" + std::string(WeekdayNameOf(d)) + ", " +
                std::string(dates::MonthName(date.month)) + " " + std::to_string(date.day) + ", " +
                std::to_string(date.year) + ")";
    return row;
}

RowTexts CeRow(int32_t d, double, double) {
    return EuroRow(d, kLetterCE, " CE");
}

RowTexts JcRow(int32_t d, double, double) {
    return EuroRow(d, kLetterJC, " JC");
}

RowTexts SarRow(int32_t d, double, double) {
    const EuroDate date = sar::FromDayNumber(d);
    return {sar::Text(date, TextForm::Short), sar::Text(date, TextForm::Descriptive),
            sar::Text(date, TextForm::Long)};
}

RowTexts VrRow(int32_t d, double, double) {
    const VrslcDate date = vr::FromDayNumber(d);
    if (date.valid != 1) return {};
    return {vr::Text(date, TextForm::Short), vr::Text(date, TextForm::Descriptive),
            vr::Text(date, TextForm::Long)};
}

RowTexts LdtRow(int32_t d, double, double) {
    const DtcLunarDate date = ldt::FromDayNumber(d);
    if (date.valid != 1) return {};
    return {ldt::Text(date, TextForm::Short), ldt::Text(date, TextForm::Descriptive),
            ldt::Text(date, TextForm::Long)};
}

RowTexts TvgRow(int32_t d, double, double) {
    const tvg::TvgDate date = tvg::FromDayNumber(d);
    return {tvg::Text(date, TextForm::Short, true), tvg::Text(date, TextForm::Descriptive, true),
            tvg::Text(date, TextForm::Long, true)};
}

RowTexts CjdRow(int32_t, double cjd, double) {
    const std::string text = GroupedFourDecimals(cjd) + " CJD";
    return {text, text, {}};
}

RowTexts AjdRow(int32_t, double, double ajd) {
    const std::string text = GroupedFourDecimals(ajd) + " AJD";
    return {text, text, {}};
}

RowTexts QlwRow(int32_t d, double, double) {
    const qlw::QlwDay day = qlw::FromDayNumber(d);
    if (day.date.valid != 1) return {};
    RowTexts row;
    row.shortText = qlw::Text(day, TextForm::Short);
    // The day's name from the week lengths of its own month.
    const std::string descriptive = qlw::Text(day, TextForm::Descriptive);
    row.value = row.shortText + " (" + descriptive + ")";
    row.toolTip = descriptive;
    return row;
}

// ---- parses ------------------------------------------------------------------

DateParse Refused(EntryError error) {
    DateParse parse;
    parse.error = error;
    return parse;
}

DateParse Day(int32_t dayNumber) {
    DateParse parse;
    parse.dayNumber = dayNumber;
    return parse;
}

DateParse EuroParse(const std::string& text, int32_t letter, EntryError error) {
    EuroDate date{};
    date.calendar = letter;
    if (!dates::ParseDateText(text, date) || date.valid != 1) return Refused(error);
    return Day(date.dayNumber);
}

DateParse CeParse(const std::string& text) {
    return EuroParse(text, kLetterCE, EntryError::InvalidCE);
}

DateParse JcParse(const std::string& text) {
    return EuroParse(text, kLetterJC, EntryError::InvalidJC);
}

DateParse SarParse(const std::string& text) {
    EuroDate date{};
    date.calendar = kLetterSAR;
    if (!sar::Parse(text, date) || date.valid != 1) return Refused(EntryError::InvalidSAR);
    return Day(date.dayNumber);
}

DateParse VrParse(const std::string& text) {
    VrslcDate date{};
    if (!vr::Parse(text, date)) return Refused(EntryError::InvalidVR);
    return Day(date.dayNumber);
}

DateParse LdtParse(const std::string& text) {
    DtcLunarDate date{};
    if (!ldt::Parse(text, date)) return Refused(EntryError::InvalidLDT);
    return Day(date.dayNumber);
}

DateParse TvgParse(const std::string& text) {
    tvg::TvgDate date;
    if (!tvg::Parse(text, date)) return Refused(EntryError::InvalidTVG);
    return Day(date.dayNumber);
}

DateParse NumberParse(const std::string& text) {
    DateParse parse;
    parse.number = strproc::LeadingNumber(text);
    return parse;
}

DateParse QlwParse(const std::string& text) {
    qlw::QlwDate date;
    switch (qlw::Parse(text, date)) {
    case qlw::kOk:
        return Day(date.dayNumber);
    case qlw::kBadMonth:
        return Refused(EntryError::InvalidQlwMonth);
    case qlw::kBadWeek:
        return Refused(EntryError::InvalidQlwWeek);
    case qlw::kBadDay:
        return Refused(EntryError::InvalidQlwDay);
    case qlw::kBeyondYears: {
        DateParse parse;
        parse.beyond = date.year < qlw::kFirstSupportedYear ? -1 : 1;
        return parse;
    }
    default: // an empty text or another form
        return Refused(EntryError::InvalidQLW);
    }
}

// ---- move steps --------------------------------------------------------------

StepUnit UnitOf(StepKind kind) {
    switch (kind) {
    case StepKind::Week:
        return StepUnit::Week;
    case StepKind::Month:
        return StepUnit::Month;
    case StepKind::Year:
        return StepUnit::Year;
    case StepKind::Cycle:
    case StepKind::Days:
        break;
    }
    return StepUnit::Cycle;
}

// Common Era month: the day falls back to the last day of a shorter month.
// Year and century: 29 February becomes 28 February.
bool CeStep(DayNumber& d, const MoveStep& step, bool forward) {
    EuroDate date = DayNumberToEuroDate(d, kLetterCE);
    if (date.valid != 1) return false;
    if (step.kind == StepKind::Month) {
        if (forward) {
            if (++date.month > 12) {
                date.month = 1;
                ++date.year;
            }
        } else if (--date.month < 1) {
            date.month = 12;
            --date.year;
        }
    } else {
        date.year += forward ? step.count : -step.count;
    }
    // At most three days are given up (31 -> 28); a date the library refuses
    // beyond that is a date it cannot reach.
    const int tries = step.kind == StepKind::Month ? 4 : 2;
    for (int i = 0; i < tries && date.day >= 1; ++i) {
        date.valid = 0;
        const DayNumber to = EuroDateToDayNumber(date);
        if (date.valid == 1) {
            d = to;
            return true;
        }
        --date.day;
    }
    return false;
}

bool SarStep(DayNumber& d, const MoveStep& step, bool forward) {
    return sar::StepDayNumber(d, UnitOf(step.kind), forward);
}
bool VrStep(DayNumber& d, const MoveStep& step, bool forward) {
    return vr::StepDayNumber(d, UnitOf(step.kind), forward);
}
bool LdtStep(DayNumber& d, const MoveStep& step, bool forward) {
    return ldt::StepDayNumber(d, UnitOf(step.kind), forward);
}
bool TvgStep(DayNumber& d, const MoveStep& step, bool forward) {
    return tvg::StepDayNumber(d, UnitOf(step.kind), forward);
}

bool QlwStep(DayNumber& d, const MoveStep& step, bool forward) {
    qlw::QlwDate date = qlw::FromDayNumber(d).date;
    if (date.valid != 1) return false;
    int32_t code = qlw::kBadForm;
    switch (step.kind) {
    case StepKind::Week:
        code = qlw::WeekStep(date, forward);
        break;
    case StepKind::Month:
        code = qlw::MonthStep(date, forward);
        break;
    case StepKind::Year:
        code = qlw::YearStep(date, forward);
        break;
    default:
        break;
    }
    if (code != qlw::kOk || date.valid != 1) return false;
    d = date.dayNumber;
    return true;
}

constexpr EntryKind kDay = EntryKind::Day;
constexpr std::array<CalendarInfo, kCalendarCount> kSet = {{
    {"CE", "Common Era:", kDay, 0.0, CeRow, CeParse, CeStep},
    {"JC", "Julian:", kDay, 0.0, JcRow, JcParse, nullptr},
    {"SAR", "Sarvenes Calendar:", kDay, 0.0, SarRow, SarParse, SarStep},
    {"VR", "Vosko-Rindal Solilunar:", kDay, 0.0, VrRow, VrParse, VrStep},
    {"LDT", "Lunar Dovrenia Triday:", kDay, 0.0, LdtRow, LdtParse, LdtStep},
    {"TVG", "Tussary-Vosko Goddess", kDay, 0.0, TvgRow, TvgParse, TvgStep},
    {"CJD", "Chronological Julian date:", EntryKind::ChronologicalJulianDate, 0.0, CjdRow, NumberParse,
     nullptr},
    {"AJD", "Astronomical Julian date:", EntryKind::AstronomicalJulianDate, 0.0, AjdRow, NumberParse,
     nullptr},
    {"QLW", "Quorvane Lunar Week:", kDay, 0.25, QlwRow, QlwParse, QlwStep},
}};

constexpr std::array<MoveStep, kMoveStepCount> kSteps = {{
    {"1 minute", -1, StepKind::Days, 1.0 / 1440.0, 1},
    {"1 hour", -1, StepKind::Days, 1.0 / 24.0, 1},
    {"1 day", -1, StepKind::Days, 1.0, 1},
    {"1 CE month", kCE, StepKind::Month, 0.0, 1},
    {"1 CE year", kCE, StepKind::Year, 0.0, 1},
    {"1 CE century", kCE, StepKind::Year, 0.0, 100},
    {"1 SAR month", kSAR, StepKind::Month, 0.0, 1},
    {"1 SAR year", kSAR, StepKind::Year, 0.0, 1},
    {"1 VR month", kVR, StepKind::Month, 0.0, 1},
    {"1 VR year", kVR, StepKind::Year, 0.0, 1},
    {"1 VR cycle", kVR, StepKind::Cycle, 0.0, 1},
    {"1 TVG month", kTVG, StepKind::Month, 0.0, 1},
    {"1 TVG year", kTVG, StepKind::Year, 0.0, 1},
    {"1 TVG cycle", kTVG, StepKind::Cycle, 0.0, 1},
    {"1 LDT month", kLDT, StepKind::Month, 0.0, 1},
    {"1 LDT year", kLDT, StepKind::Year, 0.0, 1},
    {"1 LDT cycle", kLDT, StepKind::Cycle, 0.0, 1},
    {"1 QLW week", kQLW, StepKind::Week, 0.0, 1},
    {"1 QLW month", kQLW, StepKind::Month, 0.0, 1},
    {"1 QLW year", kQLW, StepKind::Year, 0.0, 1},
}};

} // namespace

const std::array<CalendarInfo, kCalendarCount>& CalendarSet() {
    return kSet;
}

const CalendarInfo* CalendarAt(int index) {
    return index >= 0 && index < kCalendarCount ? &kSet[static_cast<size_t>(index)] : nullptr;
}

const std::array<MoveStep, kMoveStepCount>& MoveSteps() {
    return kSteps;
}

} // namespace tavr
