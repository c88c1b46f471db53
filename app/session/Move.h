// Moving the current moment by one step of the move list (a minute, an hour,
// a day, or a month, year, century, cycle or week of one of the calendars),
// forward or back, once or repeatedly. Calendar steps are taken in the
// calendar itself (the day of month stays where the target month allows) and
// keep the time of day; QLW steps keep the time measured from the QLW day's
// start at 06:00.
//
// A move is three operations: BeginMove (the entry, the action text), one
// MoveStep per step (the display, and the range stop after a step that left
// the accepted range), and EndMove (the history line and the log entry of the
// whole move). The pacing of a repeated move belongs to the caller.
#ifndef TAVR_MOVE_H
#define TAVR_MOVE_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "session/Session.h"

namespace tavr::session {

// ---- lists -------------------------------------------------------------------

// "1 minute" .. "1 QLW year" for 0..19; "" otherwise.
std::string_view MoveStepText(int index);
// Index of a move-list text ("1 SAR month", case-insensitive) or of its
// number ("0".."19"); -1 for anything else.
int16_t MoveStepIndexOf(std::string_view text);

// cboRefreshPeriod: "0.2", "0.5", "1", "2", "5" seconds; "1" at start.
inline constexpr std::array<std::string_view, kRefreshPeriodCount> kRefreshPeriods = {"0.2", "0.5", "1", "2",
                                                                                      "5"};
// Timer interval of a refresh-period entry: 1000 x the period, rounded to
// whole milliseconds (1000 for an index outside the list).
int RefreshIntervalMs(int periodIndex);

// ---- range stops -------------------------------------------------------------

// The message after a step that left the accepted range (the latest moment
// itself is accepted), or nothing.
std::optional<Message> MoveRangeStop(double moment);

// ---- the step ----------------------------------------------------------------

struct StepResult {
    bool ok = false;       // false: the calendar could not take the step
    double moment = 0.0;   // the moment reached (AJD)
    int16_t calendar = -1; // the calendar that becomes current (-1: unchanged)
};
// The moment one step of `stepIndex` away from the state's moment, in the
// state's zone and view. A step the calendar cannot take (a date beyond what
// its arithmetic reaches) gives ok = false.
StepResult StepMoment(const State& state, int stepIndex, bool forward);

// "Move forward 1 SAR month repeatedly." / "Move back 1 day."
std::string MoveActionText(bool forward, int stepIndex, bool repeatedly);

// ---- the move ----------------------------------------------------------------

// The start of a move (cmdMove): the entry is trimmed and, when not empty,
// parsed; an entry error refuses the move (the entry error box) and nothing
// moves. A parsed moment 0.0007 day or more from the current one becomes
// current. The eclipse memory is cleared and Now mode ends. `kind` is Done
// when the move may go on; `actionText` holds the move's action text.
ActionResult BeginMove(const State& state);

// One step of the state's move step and direction with the whole display.
// After a step that left the accepted range, the range message and `kind`
// OutOfRange: the move ends there, the moment reached stays current. A step
// the calendar cannot take moves nothing and ends the move with the range
// message of its direction.
ActionResult MoveStep(const State& state);

// The end of a move: the history line of the moment reached and the log
// entry with the move's action text.
ActionResult EndMove(const State& state, const std::string& actionText);

} // namespace tavr::session

#endif
