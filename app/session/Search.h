// The search frame's logic without widgets: the next or previous phase,
// quarter, eclipse of a kind, eclipse of the same saros series or coincidence
// of the 1sts of month of SAR, VR, LDT and TVG; the eclipse data text; the
// list of lunar events of a span (the event finder of the command line).
//
// Every search ends: the candidates are followed only while they lie inside
// the accepted range, and a result outside it is refused with the move's
// range message ("Earliest date exceeded." / "Latest date exceeded.").
#ifndef TAVR_SEARCH_H
#define TAVR_SEARCH_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "halvor.h"
#include "session/Session.h"

namespace tavr::session {

// ---- the target list -----------------------------------------------------------

inline constexpr int16_t kTargetCount = 16;
inline constexpr int16_t kTargetFullMoon = 0;
inline constexpr int16_t kTargetQuarter = 4;
inline constexpr int16_t kTargetAnyEclipse = 6;
inline constexpr int16_t kTargetLunarEclipse = 7;
inline constexpr int16_t kTargetSolarEclipse = 10;
inline constexpr int16_t kTargetAnnularSolarEclipse = 12;
inline constexpr int16_t kTargetSaros = 13;
inline constexpr int16_t kTargetCoincidence = 15;
inline constexpr double kSarosShiftDays = 6580.0;

// Text of item 0..15 ("Full moon" .. "Coincidence of 1sts of month"; items 5
// and 14 are the empty separators); "" outside the list.
std::string_view TargetText(int index);
// The phase searched by items 0..3 (2, 0, 1, 3); -1 for the other items.
int16_t TargetPhase(int index);
// True when an eclipse of `eclipseType` is of a kind the target accepts (never for a phase target).
bool TargetMatches(int index, int eclipseType);
// Item of a list text (any case) or of a short name of the command line
// ("full-moon", "total-solar", "saros", ...); -1 when there is none.
int16_t TargetOfName(std::string_view name);

// "Search for next total solar eclipse." and so on.
std::string SearchActionText(bool next, int index);

// ---- the eclipse data text -------------------------------------------------------

// "2h 5m", "1d 0h 5m", "0h 0m" for a count of minutes (negative counts as 0).
std::string DurationText(int64_t minutes);

struct EclipseData {
    std::array<std::string, 7> lines; // 0 kind, 1 lunation, 2 saros, 3..5 phases; 6 unused
    std::string label;                // lblActualEclipseData: the lines, each ended by CR LF
    std::string log;                  // the log's extra text
};
// The text of an eclipse from a filled record; `cjd` is the chronological
// Julian date of the greatest eclipse in the shown view (phase starts are
// given as its local time of day).
EclipseData EclipseDataText(const PhaseEventRecord& record, double cjd);

// The message of a negative phase code from GetPhase.
Message GetPhaseError(int16_t code);

// ---- the search ------------------------------------------------------------------

// What the command line shows besides the common tail: the record of a found
// eclipse and its data text.
struct SearchDetails {
    bool eclipseFound = false;
    PhaseEventRecord record{};
    EclipseData data;
    double greatestTD = 0.0; // JDE of the greatest eclipse
};

// The "Search for" button with the state's entry, direction (searchNext) and
// target (targetIndex). Refusals: the entry's messages, "Please specify
// target for search.", "No eclipse displayed", the GetPhase error, and the
// range ("Out of range"); each leaves the state as it was but for the
// normalised entry text. A hit ends Now mode, shows the new moment (the entry
// shows it in the current calendar) and asks for a history line with the
// record's eclipse type; an eclipse also becomes the displayed eclipse and
// fills actualEclipseData and the log's extra text.
ActionResult Search(const State& state, SearchDetails* details = nullptr);

// ---- the events of a span ------------------------------------------------------

struct LunarEvent {
    double moment = 0.0;  // AJD (UT): the phase, or the greatest eclipse
    int32_t lunation = 0; //
    int16_t phase = 0;    // PhaseIndex
    bool eclipse = false; // an eclipse (else a phase)
    PhaseEventRecord record{};
    std::string summary; // "Full moon", "Total solar eclipse (saros 145)"
};
// Every phase (`phases`) and every eclipse (`eclipses`) with from <= moment <
// to, in time order (an eclipse follows the phase it belongs to). Empty when
// the span is empty, not finite or reaches beyond the accepted range.
std::vector<LunarEvent> EventsBetween(double from, double to, bool phases, bool eclipses);
// "Total solar eclipse" for types 3 and 4, "Annular solar eclipse", ...: the
// kind without "Central" / "Non-central"; "" for 0.
std::string ShortEclipseKind(int eclipseType);

} // namespace tavr::session

#endif
