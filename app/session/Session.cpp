#include "session/Session.h"

#include <cmath>
#include <string_view>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "calendar/Calendars.h"
#include "calendar/DateTexts.h"
#include "session/Search.h"

namespace tavr::session {

namespace {

// The CJD and AJD rows show four decimals: a row copied at an end of the
// range reads back up to half the last decimal beyond it (and a little more
// from the zone's arithmetic).
constexpr double kJulianRowPrecision = 0.00005 + 1e-9;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The texts of one calendar row for the civil day `d` (QLW: the QLW day).
Row CalendarRow(int index, int32_t d, double cjd, double ajd) {
    Row row;
    const CalendarInfo* info = CalendarAt(index);
    if (info == nullptr) return row;
    row.caption = std::string(info->rowCaption);
    RowTexts texts = info->rowTexts(d, cjd, ajd);
    row.shortText = std::move(texts.shortText);
    row.value = std::move(texts.value);
    row.toolTip = std::move(texts.toolTip);
    if (row.value.empty()) row.value = row.shortText;
    return row;
}

// Where the current calendar's day begins in the civil day (0 outside the table).
double CurrentDayStart(const State& state) {
    const CalendarInfo* info = CalendarAt(state.currentCalendar);
    return info ? info->dayStart : 0.0;
}

// The civil day a row is converted from: floor(CJD), for QLW floor(CJD - 0.25).
int32_t RowDay(int index, double cjd) {
    const CalendarInfo* info = CalendarAt(index);
    return CivilDayOf(info && info->dayStart != 0.0 ? cjd - info->dayStart : cjd);
}

Row RowOfState(const State& state, int index) {
    const double cjd = CjdFromAjd(state, state.dblCurrentAJDate);
    return CalendarRow(index, RowDay(index, cjd), cjd, state.dblCurrentAJDate);
}

// The value label's text with the long form in parentheses cut off.
std::string DateOfValueText(const std::string& value) {
    const size_t open = value.find('(');
    if (open == std::string::npos) return value;
    return value.substr(0, open == 0 ? 0 : open - 1);
}

Message Warning(std::string title, std::string text) {
    return {std::move(title), std::move(text), Icon::Warning, Buttons::Ok};
}

void FillTail(ActionResult& result, std::optional<ClockTime> clock = std::nullopt) {
    result.tail = ComputeTail(result.state, clock);
    result.historyText = result.tail->display.historyText;
}

} // namespace

// ---- tables ------------------------------------------------------------------

std::string_view CalendarCode(int index) {
    return ::tavr::CalendarCode(index);
}

std::string_view CalendarName(int index) {
    const CalendarInfo* info = CalendarAt(index);
    return info ? info->name : std::string_view();
}

std::string_view RowCaption(int index) {
    const CalendarInfo* info = CalendarAt(index);
    return info ? info->rowCaption : std::string_view();
}

int16_t IndexOfCode(std::string_view code) {
    return CalendarIndexOf(code);
}

// ---- messages ----------------------------------------------------------------

std::string EntryErrorText(int code) {
    switch (code) {
    case 1:
        return "Invalid date entry.";
    case 2:
        return "Calendar must be specified (one of CE, JC, SAR, VR, LDT, QLW, CJD and AJD).";
    case 3:
        return "Time specification not permitted with CJD or AJD.";
    case 4:
        return "Invalid time specification.  Times must be, e.g., 23:50.";
    case 5:
        return "Date separator must be a dash, '-'.";
    case 6:
        return "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day";
    case 7:
        return "Invalid JC date.  JC dates must be in ISO 8601 format: year-month-day";
    case 8:
        return "Invalid SAR date.  SAR dates must be in the form: year-month-day";
    case 9:
        return "Invalid VR date.  VR dates must be in the form: cycle-year-month-day";
    case 10:
        return "Invalid LDT date.  LDT dates must be in the form: cycle-year-month-triday-day or "
               "year-month-triday-day";
    case 11:
        return "Invalid TVG date.  TVG dates must be in the form: cycle-year-month-day or year-month-day";
    case 12:
        return "Invalid CJD or AJD date.  These must be, e.g., 999999.99 CJD or 2,111,111 AJD.";
    case 13:
        return "Error when parsing date string.";
    case 14:
        return "Value for addition or subtraction is invalid.";
    case 15:
        return "Invalid QLW date.  QWL dates must be in the form: year-month-week-day";
    case 16:
        return "Invalid month value in QLW date.";
    case 17:
        return "Invalid week value in QLW date.";
    case 18:
        return "Invalid day value in QLW date.";
    case 19:
        return "No date given.";
    default:
        return "Unknown error.";
    }
}

Message ShowEntryError(int code) {
    return Warning(kEntryErrorTitle, EntryErrorText(code));
}

// ---- state -------------------------------------------------------------------

int16_t ZoneMinutes(const State& state) {
    return timezone::ZoneMinutes(timezone::ZoneText(state.zoneIndex));
}

double CjdFromAjd(const State& state, double ajd) {
    return timezone::CjdFromAjd(ajd, ZoneMinutes(state), state.view);
}

double AjdFromCjd(const State& state, double cjd) {
    return timezone::AjdFromCjd(cjd, ZoneMinutes(state), state.view);
}

// ---- the entry grammar -------------------------------------------------------

ParseResult ParseDateEntry(const std::string& entry, const State& state) {
    ParseResult result;
    // 1. Trimmed and upper case; the spaces inside are counted.
    std::string s = UpperAscii(strproc::Trim(entry));
    const int32_t spaces = strproc::CountOccurrences(s, " ", true);
    // 2. The box shows the normalised text from now on (not for a history line).
    result.entryText = state.fromHistory ? state.entryText : s;
    auto fail = [&result](int16_t code) {
        result.error = code;
        result.moment = 0.0;
        result.calendar = -1;
        return result;
    };

    // 3., 4. Without separators; an empty entry with a day count means the current date.
    s = strproc::RemoveChars(s, ", ");
    if (s.empty()) {
        if (state.dayCountText.empty()) return fail(1);
        result.entryText = CopyCurrentDateToEntry(state);
        s = strproc::RemoveChars(result.entryText, ", ");
    }
    // 5. A date begins with a digit or "-".
    if (s.empty() || !(IsDigit(s[0]) || s[0] == '-')) return fail(1);

    // 6. The first code of the table found; a time or "(" may follow it. A row
    // text pasted whole ends in its long form in parentheses, whose names may
    // hold a code ("JOYCE", "CERRIDWEN"): the text before the first "(" is
    // searched first, then the whole text.
    int16_t codeIndex = -1;
    size_t p = std::string::npos; // 0-based position of the code = length of the date text
    const size_t open = s.find('(');
    for (const size_t limit : {open, std::string::npos}) {
        const std::string_view searched = std::string_view(s).substr(0, limit);
        for (int16_t i = 0; i < kCalendarCount && codeIndex < 0; ++i) {
            const size_t at = searched.find(CalendarSet()[static_cast<size_t>(i)].code);
            if (at != std::string::npos) {
                codeIndex = i;
                p = at;
            }
        }
        if (codeIndex >= 0 || open == std::string::npos) break;
    }
    if (codeIndex >= 0) {
        const size_t after = p + CalendarCode(codeIndex).size();
        if (after < s.size() && !(IsDigit(s[after]) || s[after] == '(')) return fail(2);
    } else {
        // 7. No code: a date without code holds no space; the current calendar's code is assumed.
        if (spaces != 0) return fail(2);
        const std::string_view code = CalendarCode(state.currentCalendar);
        p = s.size();
        if (!code.empty()) {
            s += code;
            result.entryText += " ";
            result.entryText += code;
            codeIndex = state.currentCalendar;
        }
    }

    // 8. Separators.
    bool julianDate = false; // a code of a Julian date anywhere in the text
    for (const CalendarInfo& info : CalendarSet())
        if (info.kind != EntryKind::Day && Contains(s, info.code)) julianDate = true;
    if (!julianDate) {
        if (Contains(s, ".") || Contains(s, "/")) return fail(5);
    } else if (strproc::CountOccurrences(s, "-", true) > 1) {
        return fail(12);
    }

    // 9. The time of day, noon by default; it follows the code.
    double f = 0.0;
    bool timeBeforeCode = false;
    if (!julianDate) {
        if (!Contains(s, ":")) s += "12:00";
        const size_t colon = s.find(':'); // 0-based; the 1-based k is colon + 1
        // Two hour digits need room before the ":" (a ":" at the first or second character has none).
        if (colon < 2) return fail(4);
        // A time typed before the code cuts the date text short of its code: the date is then not one
        // of the calendar's dates ("14:28 2001-12-31 CE" and "2001-12-31 14:28 CE" alike).
        timeBeforeCode = colon < p;
        std::string t = s.substr(colon - 2, 5);
        if (IsDigit(t[0])) {
            s.resize(colon - 2);
        } else {
            t = "0" + s.substr(colon - 1, 4); // a one-digit hour
            s.resize(colon - 1);
        }
        const double hours = strproc::LeadingNumber(t.substr(0, 2));
        const double minutes = strproc::LeadingNumber(t.size() > 3 ? std::string_view(t).substr(3) : "");
        f = (hours * 60.0 + minutes) / 1440.0;
        if (!(f >= 0.0 && f < 1.0)) return fail(4);
    } else if (!state.fromHistory && Contains(s, ":")) {
        return fail(3);
    }

    // 10. The date text (everything before the code) goes to the calendar's parser.
    const std::string dateText = timeBeforeCode ? std::string() : s.substr(0, std::min(p, s.size()));
    const CalendarInfo* info = CalendarAt(codeIndex);
    if (info == nullptr) return fail(13);
    const DateParse parsed = info->parse(dateText);
    if (parsed.error != 0) return fail(parsed.error);

    // 11. Calendar dates: the day number plus the time; a QLW day and its clock begin at 06:00.
    double moment = 0.0;
    switch (info->kind) {
    case EntryKind::ChronologicalJulianDate:
        moment = AtRangeEnd(AjdFromCjd(state, parsed.number), kJulianRowPrecision);
        break;
    case EntryKind::AstronomicalJulianDate:
        moment = AtRangeEnd(parsed.number, kJulianRowPrecision);
        break;
    case EntryKind::Day: {
        if (parsed.beyond != 0) { // a date far outside the range: the range check refuses it
            moment = parsed.beyond < 0 ? -HUGE_VAL : HUGE_VAL;
            break;
        }
        double day = parsed.dayNumber;
        if (info->dayStart != 0.0) {
            f += info->dayStart;
            if (f >= 1.0) {
                f -= 1.0;
                day += 1.0;
            }
        }
        moment = AjdFromCjd(state, day + f);
        break;
    }
    }
    result.error = 0;
    result.moment = moment;
    result.calendar = codeIndex;
    return result;
}

// ---- display -----------------------------------------------------------------

Display RefreshDisplay(const State& state) {
    Display display;
    const double ajd = state.dblCurrentAJDate;
    display.cjd = CjdFromAjd(state, ajd);
    display.dayNumber = CivilDayOf(display.cjd);
    for (int i = 0; i < kCalendarCount; ++i)
        display.rows[i] = CalendarRow(i, RowDay(i, display.cjd), display.cjd, ajd);
    if (state.currentCalendar >= 0 && state.currentCalendar < kCalendarCount)
        display.historyText = display.rows[state.currentCalendar].shortText;
    return display;
}

std::string TimeOfMomentText(const State& state) {
    double w = CjdFromAjd(state, state.dblCurrentAJDate);
    const double dayStart = CurrentDayStart(state);
    if (dayStart != 0.0) {
        w -= dayStart;
        if (w < 0.0) w += 1.0;
    }
    return dates::TimeOfDayText(w - std::floor(w), false);
}

std::string RefreshTimeLabel(const State& state, std::optional<ClockTime> clock) {
    const int16_t offset = ZoneMinutes(state);
    const bool qlwCurrent = CurrentDayStart(state) != 0.0; // the day begins at 06:00
    std::string time;
    if (state.nowMode && clock)
        time = timezone::NowClockText(clock->hour, clock->minute, state.view, offset, qlwCurrent);
    else
        time = TimeOfMomentText(state);
    return time + timezone::TimeLabelSuffix(qlwCurrent, state.view, offset);
}

bool CaptionHighlighted(const State& state, int row) {
    return row == state.currentCalendar;
}

std::string TimeLabelClick(const State& state) {
    std::string text = state.entryText;
    if (text.size() < 3) return text;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) text.resize(colon >= 2 ? colon - 2 : 0); // cut before the time
    text = strproc::Trim(text);
    return text + " " + TimeOfMomentText(state);
}

RowClickResult RowClick(const State& state, int row, int index, std::optional<ClockTime> clock) {
    RowClickResult result;
    result.calendar = state.currentCalendar;
    result.entryText = state.entryText;
    State clicked = state;
    if (row >= 0 && row < kCalendarCount) clicked.currentCalendar = static_cast<int16_t>(row);
    result.timeLabel = RefreshTimeLabel(clicked, clock);
    if (row < 0 || row >= kCalendarCount) return result;
    result.calendar = static_cast<int16_t>(row);
    if (index != 1) return result;
    const Row texts = RowOfState(clicked, row);
    if (CalendarAt(row)->kind != EntryKind::Day) { // a Julian date: the number alone
        result.entryText = texts.value;
    } else {
        clicked.entryText = DateOfValueText(texts.value);
        result.entryText = TimeLabelClick(clicked);
    }
    result.entryChanged = true;
    return result;
}

std::string CopyCurrentDateToEntry(const State& state) {
    return RowClick(state, state.currentCalendar, 1).entryText;
}

// ---- the common tail ---------------------------------------------------------

Tail ComputeTail(const State& state, std::optional<ClockTime> clock) {
    Tail tail;
    tail.display = RefreshDisplay(state);
    tail.timeLabel = RefreshTimeLabel(state, clock);
    tail.moon = moon::ComputeMoonData(state.dblCurrentAJDate);
    tail.deltaTWords = timezone::DeltaTWords(lunar::DeltaTAt(state.dblCurrentAJDate));
    return tail;
}

// ---- Convert -----------------------------------------------------------------

std::optional<Message> RangeCheck(double moment) {
    if (moment < kEarliestMoment || std::isnan(moment))
        return Warning("Date out of range", "Resultng date is earlier than -3200-01-01 CE.");
    if (moment > kLatestMoment)
        return Warning("Date out of range", "Resulting date is later than 6000-01-01 CE.");
    return std::nullopt;
}

std::string ConvertActionText(const std::string& dayCount, bool plus) {
    const std::string n = strproc::Trim(dayCount);
    if (n.empty()) return "Convert date";
    const double value = strproc::LeadingNumber(strproc::RemoveChars(n, "+,"));
    std::string text = "Convert date";
    text += plus ? " plus" : " minus";
    text += " " + n + " day";
    if (std::fabs(value) != 1.0) text += "s";
    return text;
}

ActionResult Convert(const State& in) {
    ActionResult result;
    result.state = in;
    State& state = result.state;
    auto refuseEntry = [&result](int16_t code) {
        result.kind = ResultKind::Refused;
        result.errorCode = code;
        result.message = ShowEntryError(code);
        result.focusEntry = true;
        return result;
    };

    // 1. The entry, trimmed.
    state.entryText = strproc::Trim(state.entryText);
    if (state.entryText.empty()) return refuseEntry(19);
    // 3., 4. The day count, trimmed; the entry is parsed only with a valid (or no) count.
    state.dayCountText = strproc::Trim(state.dayCountText);
    const std::string n = state.dayCountText;
    std::string checked = n;
    if (!n.empty() && !strproc::ValidateDayCount(checked, false)) return refuseEntry(14);
    const ParseResult parsed = ParseDateEntry(state.entryText, state);
    state.entryText = parsed.entryText;
    if (parsed.error != 0) return refuseEntry(parsed.error);

    // 6. Nothing to do, or the day count added.
    double r = parsed.moment;
    if (n.empty()) {
        if (r == in.dblCurrentAJDate) {
            result.kind = ResultKind::Refused;
            result.message = Warning("Compute date", "Nothing to do!");
            return result;
        }
    } else {
        const double v = strproc::LeadingNumber(strproc::RemoveChars(n, "+,"));
        r = state.plusSelected ? r + v : r - v;
    }
    // 7. The range.
    if (auto message = RangeCheck(r)) {
        result.kind = ResultKind::OutOfRange;
        result.message = std::move(message);
        return result;
    }

    // 8. Commit.
    state.actualEclipseData.clear();
    state.displayedEclipseLunation = kNoEclipse;
    state.nowMode = false;
    state.dblCurrentAJDate = r;
    state.currentCalendar = parsed.calendar;
    // 9., 10. The common tail.
    FillTail(result);
    state.entryText = CopyCurrentDateToEntry(state);
    result.kind = ResultKind::Done;
    result.historyDue = true;
    result.actionText = ConvertActionText(n, state.plusSelected);
    return result;
}

ActionResult SwitchView(const State& in, View view, std::optional<ClockTime> clock) {
    ActionResult result;
    result.kind = ResultKind::Done;
    result.state = in;
    result.state.view = view;
    if (!in.fromHistory) FillTail(result, clock);
    return result;
}

ActionResult ChangeZone(const State& in, int zoneIndex, std::optional<ClockTime> clock) {
    ActionResult result;
    result.state = in;
    State& state = result.state;
    if (zoneIndex < 0 || zoneIndex >= timezone::kZoneCount) return result;
    state.actualEclipseData.clear();
    state.zoneIndex = zoneIndex;
    const timezone::ZoneChange change =
        timezone::ChangeZone(state.dblCurrentAJDate, state.zoneOffset, ZoneMinutes(state));
    state.dblCurrentAJDate = change.ajd;
    state.zoneOffset = change.zoneOffset;
    FillTail(result, clock);
    result.kind = ResultKind::Done;
    result.historyDue = !in.fromHistory;
    result.actionText = "Timezone changed.";
    return result;
}

ActionResult SetToNow(const State& in, double nowAjd, std::optional<ClockTime> clock) {
    ActionResult result;
    result.state = in;
    result.state.actualEclipseData.clear();
    result.state.dblCurrentAJDate = nowAjd;
    FillTail(result, clock);
    result.kind = ResultKind::Done;
    return result;
}

ActionResult NowClick(const State& in, double nowAjd, std::optional<ClockTime> clock) {
    State state = in;
    state.entryText.clear();
    state.dayCountText.clear();
    state.displayedEclipseLunation = kNoEclipse;
    state.nowMode = true;
    // No eclipse is on display any more to find the saros series of.
    if (state.targetIndex == kTargetSaros) state.targetIndex = kTargetAnyEclipse;
    ActionResult result = SetToNow(state, nowAjd, clock);
    result.historyDue = true;
    result.actionText = "Now";
    return result;
}

} // namespace tavr::session
