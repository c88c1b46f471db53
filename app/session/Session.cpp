#include "session/Session.h"

#include <cmath>
#include <string_view>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "calendar/DayNumbers.h"
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

} // namespace

// ---- messages ----------------------------------------------------------------

std::string EntryErrorText(EntryError error) {
    // In the order of the codes, from InvalidEntry (1) to NoDate (19).
    static constexpr std::array<const char*, kEntryErrorCount> kTexts = {
        "Unknown error.",
        "Invalid date entry.",
        "Calendar must be specified (one of CE, JC, SAR, VR, LDT, QLW, CJD and AJD).",
        "Time specification not permitted with CJD or AJD.",
        "Invalid time specification.  Times must be, e.g., 23:50.",
        "Date separator must be a dash, '-'.",
        "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day",
        "Invalid JC date.  JC dates must be in ISO 8601 format: year-month-day",
        "Invalid SAR date.  SAR dates must be in the form: year-month-day",
        "Invalid VR date.  VR dates must be in the form: cycle-year-month-day",
        "Invalid LDT date.  LDT dates must be in the form: cycle-year-month-triday-day or "
        "year-month-triday-day",
        "Invalid TVG date.  TVG dates must be in the form: cycle-year-month-day or year-month-day",
        "Invalid CJD or AJD date.  These must be, e.g., 999999.99 CJD or 2,111,111 AJD.",
        "Error when parsing date string.",
        "Value for addition or subtraction is invalid.",
        "Invalid QLW date.  QWL dates must be in the form: year-month-week-day",
        "Invalid month value in QLW date.",
        "Invalid week value in QLW date.",
        "Invalid day value in QLW date.",
        "No date given.",
    };
    const int16_t code = Code(error);
    return kTexts[code > 0 && code < kEntryErrorCount ? static_cast<size_t>(code) : 0];
}

Message ShowEntryError(EntryError error) {
    return Warning(kEntryErrorTitle, EntryErrorText(error));
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

namespace {

// Where the entry names its calendar: the row's index and the 0-based position
// of its code, which is also the length of the date text.
struct CodePlace {
    int16_t index = -1;
    size_t at = std::string::npos;
};

// The first code of the table found; a time or "(" may follow it. A row text
// pasted whole ends in its long form in parentheses, whose names may hold a
// code ("JOYCE", "CERRIDWEN"): the text before the first "(" is searched
// first, then the whole text.
CodePlace FindCode(const std::string& s) {
    CodePlace place;
    const size_t open = s.find('(');
    for (const size_t limit : {open, std::string::npos}) {
        const std::string_view searched = std::string_view(s).substr(0, limit);
        for (int16_t i = 0; i < kCalendarCount && place.index < 0; ++i) {
            const size_t at = searched.find(CalendarSet()[static_cast<size_t>(i)].code);
            if (at != std::string::npos) place = {i, at};
        }
        if (place.index >= 0 || open == std::string::npos) break;
    }
    return place;
}

// True when the text holds the code of a Julian date anywhere.
bool NamesJulianDate(const std::string& s) {
    for (const CalendarInfo& info : CalendarSet())
        if (info.kind != EntryKind::Day && Contains(s, info.code)) return true;
    return false;
}

// The time of day of a calendar date, noon by default, cut off the text.
struct EntryTime {
    EntryError error = EntryError::None;
    double fraction = 0.0;   // of the day
    bool beforeCode = false; // typed before the code: the date text is then not one of the calendar's dates
};

EntryTime CutTime(std::string& s, size_t codeAt) {
    EntryTime time;
    if (!Contains(s, ":")) s += "12:00";
    const size_t colon = s.find(':');
    // Two hour digits need room before the ":" (a ":" at the first or second character has none).
    if (colon < 2) return {EntryError::InvalidTime};
    // "14:28 2001-12-31 CE" and "2001-12-31 14:28 CE" alike cut the date text short of its code.
    time.beforeCode = colon < codeAt;
    std::string t = s.substr(colon - 2, 5);
    if (IsDigit(t[0])) {
        s.resize(colon - 2);
    } else {
        t = "0" + s.substr(colon - 1, 4); // a one-digit hour
        s.resize(colon - 1);
    }
    const double hours = strproc::LeadingNumber(t.substr(0, 2));
    const double minutes = strproc::LeadingNumber(t.size() > 3 ? std::string_view(t).substr(3) : "");
    time.fraction = (hours * 60.0 + minutes) / 1440.0;
    if (!(time.fraction >= 0.0 && time.fraction < 1.0)) return {EntryError::InvalidTime};
    return time;
}

// The moment of a date the calendar's parse accepted, `f` the part of the day
// typed; a QLW day and its clock begin at 06:00.
double MomentOfDate(const CalendarInfo& info, const DateParse& parsed, double f, const State& state) {
    switch (info.kind) {
    // The Julian date rows show four decimals: a row copied at a range end reads back at that end.
    case EntryKind::ChronologicalJulianDate:
        return AtRangeEnd(AjdFromCjd(state, parsed.number), kJulianRowPrecision);
    case EntryKind::AstronomicalJulianDate:
        return AtRangeEnd(parsed.number, kJulianRowPrecision);
    case EntryKind::Day:
        break;
    }
    // A date far outside the range: the range check refuses it.
    if (parsed.beyond != 0) return parsed.beyond < 0 ? -HUGE_VAL : HUGE_VAL;
    double day = parsed.dayNumber;
    if (info.dayStart != 0.0) {
        f += info.dayStart;
        if (f >= 1.0) {
            f -= 1.0;
            day += 1.0;
        }
    }
    return AjdFromCjd(state, day + f);
}

} // namespace

ParseResult ParseDateEntry(const std::string& entry, const State& state) {
    ParseResult result;
    // Trimmed and upper case; the box shows this text from now on (not for a history line).
    std::string s = UpperAscii(strproc::Trim(entry));
    const int32_t spaces = strproc::CountOccurrences(s, " ", true);
    result.entryText = state.fromHistory ? state.entryText : s;
    auto fail = [&result](EntryError error) {
        result.error = error;
        result.moment = 0.0;
        result.calendar = -1;
        return result;
    };

    // Without separators; an empty entry with a day count means the current date.
    s = strproc::RemoveChars(s, ", ");
    if (s.empty()) {
        if (state.dayCountText.empty()) return fail(EntryError::InvalidEntry);
        result.entryText = CopyCurrentDateToEntry(state);
        s = strproc::RemoveChars(result.entryText, ", ");
    }
    // A date begins with a digit or "-".
    if (s.empty() || !(IsDigit(s[0]) || s[0] == '-')) return fail(EntryError::InvalidEntry);

    CodePlace code = FindCode(s);
    if (code.index >= 0) {
        const size_t after = code.at + CalendarCode(code.index).size();
        if (after < s.size() && !(IsDigit(s[after]) || s[after] == '(')) return fail(EntryError::NoCalendar);
    } else {
        // No code: a date without code holds no space; the current calendar's code is assumed.
        if (spaces != 0) return fail(EntryError::NoCalendar);
        const std::string_view assumed = CalendarCode(state.currentCalendar);
        code.at = s.size();
        if (!assumed.empty()) {
            s += assumed;
            result.entryText += " ";
            result.entryText += assumed;
            code.index = state.currentCalendar;
        }
    }

    // Julian dates take "." and at most one "-" (a sign); calendar dates a time instead.
    const bool julianDate = NamesJulianDate(s);
    if (!julianDate) {
        if (Contains(s, ".") || Contains(s, "/")) return fail(EntryError::DateSeparator);
    } else if (strproc::CountOccurrences(s, "-", true) > 1) {
        return fail(EntryError::InvalidJulianDate);
    }
    EntryTime time;
    if (!julianDate) {
        time = CutTime(s, code.at);
        if (time.error != EntryError::None) return fail(time.error);
    } else if (!state.fromHistory && Contains(s, ":")) {
        return fail(EntryError::TimeWithJulianDate);
    }

    // The date text (everything before the code) goes to the calendar's parser.
    const std::string dateText = time.beforeCode ? std::string() : s.substr(0, std::min(code.at, s.size()));
    const CalendarInfo* info = CalendarAt(code.index);
    if (info == nullptr) return fail(EntryError::ParseFailure);
    const DateParse parsed = info->parse(dateText);
    if (parsed.error != EntryError::None) return fail(parsed.error);
    result.error = EntryError::None;
    result.moment = MomentOfDate(*info, parsed, time.fraction, state);
    result.calendar = code.index;
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

void FillTail(ActionResult& result, std::optional<ClockTime> clock) {
    result.tail = ComputeTail(result.state, clock);
    result.historyText = result.tail->display.historyText;
}

void FillTailAndEntry(ActionResult& result) {
    FillTail(result);
    result.state.entryText = CopyCurrentDateToEntry(result.state);
}

ActionResult RefuseEntry(ActionResult result, EntryError error) {
    result.kind = ResultKind::Refused;
    result.errorCode = Code(error);
    result.message = ShowEntryError(error);
    result.focusEntry = true;
    return result;
}

double MomentAfterEntry(double current, double entered) {
    return std::fabs(entered - current) >= kSameMoment ? entered : current;
}

// ---- Convert -----------------------------------------------------------------

std::optional<Message> RangeCheck(double moment) {
    if (moment < kEarliestMoment || std::isnan(moment))
        return Warning("Date out of range", "Resultng date is earlier than -3200-01-01 CE.");
    if (moment > kLatestMoment)
        return Warning("Date out of range", "Resulting date is later than 6000-01-01 CE.");
    return std::nullopt;
}

Message RangeStopMessage(bool later) {
    return {kMoveRangeTitle, later ? kLatestExceeded : kEarliestExceeded, Icon::Warning, Buttons::Ok};
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
    auto refuseEntry = [&result](EntryError error) { return RefuseEntry(result, error); };

    // The entry, trimmed.
    state.entryText = strproc::Trim(state.entryText);
    if (state.entryText.empty()) return refuseEntry(EntryError::NoDate);
    // The day count, trimmed; the entry is parsed only with a valid (or no) count.
    state.dayCountText = strproc::Trim(state.dayCountText);
    const std::string n = state.dayCountText;
    std::string checked = n;
    if (!n.empty() && !strproc::ValidateDayCount(checked, false))
        return refuseEntry(EntryError::InvalidDayCount);
    const ParseResult parsed = ParseDateEntry(state.entryText, state);
    state.entryText = parsed.entryText;
    if (parsed.error != EntryError::None) return refuseEntry(parsed.error);

    // Nothing to do, or the day count added.
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
    // The range.
    if (auto message = RangeCheck(r)) {
        result.kind = ResultKind::OutOfRange;
        result.message = std::move(message);
        return result;
    }

    // The moment becomes the current one in the entered calendar.
    state.actualEclipseData.clear();
    state.displayedEclipseLunation = kNoEclipse;
    state.nowMode = false;
    state.dblCurrentAJDate = r;
    state.currentCalendar = parsed.calendar;
    FillTailAndEntry(result);
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
