#include "session/Move.h"

#include <cmath>

#include "base/StrProc.h"
#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"

namespace tavr::session {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

} // namespace

// ---- lists -------------------------------------------------------------------

std::string_view MoveStepText(int index) {
    return index >= 0 && index < kMoveStepCount ? MoveSteps()[static_cast<size_t>(index)].text
                                                : std::string_view();
}

int16_t MoveStepIndexOf(std::string_view text) {
    const std::string trimmed = strproc::Trim(text);
    for (int16_t i = 0; i < kMoveStepCount; ++i)
        if (EqualNoCase(trimmed, MoveStepText(i))) return i;
    if (trimmed.empty() || trimmed.size() > 2) return -1;
    int value = 0;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value < kMoveStepCount ? static_cast<int16_t>(value) : int16_t{-1};
}

int RefreshIntervalMs(int periodIndex) {
    static constexpr std::array<int, kRefreshPeriods.size()> kMs = {200, 500, 1000, 2000, 5000};
    return periodIndex >= 0 && periodIndex < static_cast<int>(kMs.size())
               ? kMs[static_cast<size_t>(periodIndex)]
               : 1000;
}

// ---- range stops -------------------------------------------------------------

std::optional<Message> MoveRangeStop(double moment) {
    if (moment < kEarliestMoment || std::isnan(moment)) return RangeStopMessage(false);
    if (moment > kLatestMoment) return RangeStopMessage(true);
    return std::nullopt;
}

// ---- the step ----------------------------------------------------------------

StepResult StepMoment(const State& state, int stepIndex, bool forward) {
    StepResult result;
    result.moment = state.dblCurrentAJDate;
    if (stepIndex < 0 || stepIndex >= kMoveStepCount || !std::isfinite(state.dblCurrentAJDate)) return result;
    const ::tavr::MoveStep& step = MoveSteps()[static_cast<size_t>(stepIndex)];
    if (step.kind == StepKind::Days) {
        result.moment = state.dblCurrentAJDate + (forward ? step.days : -step.days);
        result.ok = true;
        return result;
    }

    // The civil day and the time of day, kept across the step. A QLW day
    // begins at 06:00, so for QLW steps both are measured from there: the
    // step lands on the stepped QLW date at the same clock time whatever the
    // hour.
    const CalendarInfo* stepCalendar = step.calendar >= 0 ? CalendarAt(step.calendar) : nullptr;
    const double dayStart = stepCalendar ? stepCalendar->dayStart : 0.0;
    const double m = CjdFromAjd(state, state.dblCurrentAJDate) - dayStart;
    DayNumber d = CivilDayOf(m);
    const double f = TimeOfDayOf(m);

    const bool ok = stepCalendar && stepCalendar->step && stepCalendar->step(d, step, forward);
    if (!ok) return result;
    result.ok = true;
    result.calendar = step.calendar;
    result.moment = AjdFromCjd(state, static_cast<double>(d) + f + dayStart);
    return result;
}

std::string MoveActionText(bool forward, int stepIndex, bool repeatedly) {
    std::string text = "Move";
    text += forward ? " forward" : " back";
    text += " ";
    text += MoveStepText(stepIndex);
    if (repeatedly) text += " repeatedly";
    return text + ".";
}

// ---- the move ----------------------------------------------------------------

ActionResult BeginMove(const State& in) {
    ActionResult result;
    result.state = in;
    State& state = result.state;
    state.entryText = strproc::Trim(state.entryText);
    if (!state.entryText.empty()) {
        const ParseResult parsed = ParseDateEntry(state.entryText, state);
        state.entryText = parsed.entryText;
        if (parsed.error != EntryError::None) return RefuseEntry(result, parsed.error);
        // The calendar typed becomes current, as after every parse.
        state.currentCalendar = parsed.calendar;
        state.dblCurrentAJDate = MomentAfterEntry(state.dblCurrentAJDate, parsed.moment);
    }
    state.actualEclipseData.clear();
    state.displayedEclipseLunation = kNoEclipse;
    state.nowMode = false;
    result.kind = ResultKind::Done;
    result.actionText = MoveActionText(state.moveForward, state.moveStepIndex, state.repeatedly);
    return result;
}

ActionResult MoveStep(const State& in) {
    ActionResult result;
    result.state = in;
    State& state = result.state;
    const StepResult step = StepMoment(in, in.moveStepIndex, in.moveForward);
    // A moment a move left beyond an end of the range goes no further out:
    // every moment shown stays within one step of the range.
    const double now = in.dblCurrentAJDate;
    const bool furtherOut =
        (now > kLatestMoment && step.moment > now) || (now < kEarliestMoment && step.moment < now);
    if (!step.ok || furtherOut) {
        // Only a date beyond the reach of the step's calendar, or a step
        // further out, refuses a step: the move ends as at the end of the
        // range it was heading for.
        result.kind = ResultKind::OutOfRange;
        result.message = RangeStopMessage(in.moveForward);
        return result;
    }
    state.dblCurrentAJDate = step.moment;
    if (step.calendar >= 0) state.currentCalendar = step.calendar;
    FillTailAndEntry(result);
    result.message = MoveRangeStop(state.dblCurrentAJDate);
    result.kind = result.message ? ResultKind::OutOfRange : ResultKind::Done;
    return result;
}

ActionResult EndMove(const State& in, const std::string& actionText) {
    ActionResult result;
    result.state = in;
    result.kind = ResultKind::Done;
    result.historyDue = true;
    result.historyText = RefreshDisplay(in).historyText;
    result.eclipseType = 0;
    result.actionText = actionText;
    return result;
}

} // namespace tavr::session
