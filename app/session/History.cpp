#include "session/History.h"

#include <cmath>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "session/Search.h"
#include "session/TimeZone.h"

namespace tavr::session {

namespace {

// "Error" and a number as the system writes it: a blank before values of 0
// and above, the minus sign before negative ones.
std::string ErrorNumber(int value) {
    return "Error" + std::string(value >= 0 ? " " : "") + std::to_string(value);
}

// What a line keeps of its moment: the minute.
constexpr double kLinePrecision = 1.0 / 1440.0;

Message HistoryError(std::string text) {
    return {"Error", std::move(text), Icon::Warning, Buttons::Ok};
}

} // namespace

std::string HistoryLineText(const State& state, const std::string& strDate, const std::string& timeLabel) {
    std::string line = strDate;
    if (state.currentCalendar != kCJD && state.currentCalendar != kAJD) line += " " + timeLabel.substr(0, 5);
    line += state.view == View::Greenwich ? " (Greenwich; local = " : " (local = ";
    line += strproc::RemoveChars(timezone::ZoneText(state.zoneIndex), " ");
    line += ")";
    return line;
}

std::string AddHistoryEntry(State& state, const std::string& strDate, const std::string& timeLabel,
                            int32_t eclipseType) {
    const std::string line = HistoryLineText(state, strDate, timeLabel);
    if (!state.history.empty() && state.history.back().text == line) return std::string();
    if (state.history.size() >= static_cast<size_t>(kHistoryMax)) state.history.erase(state.history.begin());
    state.history.push_back({line, eclipseType});
    state.historySelected = static_cast<int16_t>(state.history.size() - 1);
    return line;
}

int16_t ZoneOffsetOfLine(std::string_view line) {
    const size_t gmt = line.find("GMT");
    if (gmt == std::string_view::npos || gmt + 3 >= line.size()) return 0;
    const char sign = line[gmt + 3];
    if (sign != '+' && sign != '-') return 0;
    const std::string_view after = line.substr(gmt + 4);
    const double hours = strproc::LeadingNumber(after);
    const double minutes = strproc::LeadingNumber(after.size() > 3 ? after.substr(3) : std::string_view());
    const double offset = 60.0 * hours + minutes;
    // No zone of the list lies beyond a day; such a text names none.
    if (!(std::fabs(offset) <= 24.0 * 60.0)) return 0;
    return static_cast<int16_t>(sign == '-' ? -offset : offset);
}

ActionResult SelectFromHistory(const State& in, int index, std::optional<ClockTime> clock) {
    ActionResult result;
    result.state = in;
    // The line on display, or none at all: nothing to do.
    if (index < 0 || static_cast<size_t>(index) >= in.history.size() || index == in.historySelected)
        return result;

    // The boxes and the eclipse caption are emptied; Now mode ends.
    State state = in;
    state.actualEclipseData.clear();
    state.entryText.clear();
    state.dayCountText.clear();
    state.fromHistory = true;
    state.nowMode = false;
    const HistoryLine chosen = in.history[static_cast<size_t>(index)];
    const std::string& s = chosen.text;

    // Greenwich or Local, as the line was made.
    state.view = s.find("Greenwich;") != std::string::npos ? View::Greenwich : View::Local;
    // The line's zone; the moment follows as with any zone change.
    const int16_t offset = ZoneOffsetOfLine(s);
    int zoneIndex = offset / 30 + timezone::kGmtIndex;
    if (zoneIndex < 0 || zoneIndex >= timezone::kZoneCount) zoneIndex = timezone::kGmtIndex;
    state.zoneIndex = zoneIndex;
    const timezone::ZoneChange change =
        timezone::ChangeZone(state.dblCurrentAJDate, state.zoneOffset, ZoneMinutes(state));
    state.dblCurrentAJDate = change.ajd;
    state.zoneOffset = change.zoneOffset;

    // The line read back as an entry.
    const ParseResult parsed = ParseDateEntry(s, state);
    if (parsed.error != EntryError::None) {
        // The list keeps showing the line on display; nothing else changes.
        result.kind = ResultKind::Refused;
        result.errorCode = Code(parsed.error);
        result.message = HistoryError(ErrorNumber(result.errorCode) + " when selecting from History.");
        result.focusEntry = true;
        return result;
    }

    // A line holds its moment to the minute (CJD and AJD to 4 decimals), so a
    // result at an end of the range may read back a few seconds beyond it: it
    // comes back at that end. A line further out (one typed into the list) is
    // refused like any such result.
    const double moment = AtRangeEnd(parsed.moment, kLinePrecision);
    if (auto message = RangeCheck(moment)) {
        result.kind = ResultKind::OutOfRange;
        result.message = std::move(message);
        return result;
    }

    // The moment in its calendar.
    state.dblCurrentAJDate = moment;
    state.currentCalendar = parsed.calendar;
    result.kind = ResultKind::Done;

    // The phase of the moment; an eclipse line finds its eclipse again (the
    // greatest eclipse may lie just before the exact full or new Moon).
    int32_t k = lunar::LunationOf(state.dblCurrentAJDate);
    bool exact = false;
    int16_t p = lunar::GetPhase(k, state.dblCurrentAJDate, exact);
    if (p < 0) {
        state.fromHistory = false;
        result.state = state;
        FillTail(result, clock);
        result.message = HistoryError(ErrorNumber(p) + " when calling GetPhase() in cboHistory_Click().");
        return result;
    }
    const int32_t e = chosen.eclipseType;
    if (lunar::IsLunarEclipse(e) && p == lunar::kFirstQuarter) {
        p = lunar::kFullMoon;
    } else if (lunar::IsSolarEclipse(e) && p == lunar::kLastQuarter) {
        p = lunar::kNewMoon;
        k += 1;
    }
    PhaseEventRecord record{};
    lunar::PhaseMomentUT(k, p, &record);
    std::string extra;
    if (record.eclipseType != 0) {
        const EclipseData texts = EclipseDataText(record, CjdFromAjd(state, state.dblCurrentAJDate));
        state.actualEclipseData = texts.label;
        extra = texts.log;
    }

    // The log entry; the chosen line is the one on display.
    state.historySelected = static_cast<int16_t>(index);
    state.fromHistory = false;
    result.state = state;
    FillTail(result, clock);
    result.logHeading = s;
    result.actionText = kHistorySelectionAction;
    result.extraLogText = extra;
    return result;
}

} // namespace tavr::session
