// The saved state: 27 lines of text, one value each, ended by CR LF, written
// from a State and read back into one. Numbers are in the invariant form (the
// moment with as many digits as it takes to read back exactly, and never
// fewer than 15 significant ones), option
// buttons -1/0, check boxes 0/1, texts in double quotes (a quote inside a
// text is doubled). Reading is bounded: no value may exceed kMaxValueBytes
// and nothing after line 27 is read, so any file, however large or broken,
// is refused quickly. Reset's settings are here as well.
#ifndef TAVR_STATEFILE_H
#define TAVR_STATEFILE_H

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "session/Session.h"

namespace tavr::session {

inline constexpr int kStateFileLines = 27;
inline constexpr std::size_t kMaxValueBytes = 64 * 1024;
inline constexpr const char* kStateFolderName = "Quorvane Systems";
inline constexpr const char* kStateFileName = "tavr.usr";
inline constexpr const char* kSaveStateTitle = "Save state";
inline constexpr const char* kSaveStateError = "Error when attempting to save the state: ";
inline constexpr const char* kRestoreActionText = "Restore saved state on startup";
inline constexpr const char* kResetTitle = "Reset";
inline constexpr const char* kResetQuestion = "Reset log preferences also?";

// The file's text: lines 1 to 27, each ended by CR LF.
std::string FormatStateFile(const State& state);

struct RestoredState {
    State state;           // `start` with every value read before the first failure
    int linesRead = 0;     // lines taken into `state`
    bool complete = false; // all 27 lines read and accepted
};

// Reads the lines into a copy of `start`. A missing or short text, a value
// that is not a number where one belongs, a moment that is not finite or lies
// outside the accepted range, or an index outside its list stops the read:
// the result keeps what was read before. Line 11 (repeatedly) and line 14 are
// dropped; a saved target 13 comes back as 6; zoneOffset follows the zone.
RestoredState ParseStateFile(std::istream& in, const State& start);
// The same for a file; a file that cannot be opened gives `start` unchanged.
RestoredState ReadStateFile(const std::filesystem::path& path, const State& start);

// Where a save writes: the state file itself or, through symbolic links, the
// file they lead to, so that a link stays a link. A save may replace only a
// regular file (or make a new one): with anything else there (a device, a
// FIFO, a folder) or links that lead nowhere `refusal` says why, in the words
// that follow kSaveStateError, and the save must not go on.
struct SaveTarget {
    std::filesystem::path file;
    std::string refusal; // empty: the save may write `file`
};
SaveTarget StateFileTarget(const std::filesystem::path& path);

// A save writes a temporary file beside its target, named after it with a
// dot and six letters or digits ("tavr.usr.a1B2c3"), and renames it onto the
// target; a save killed in between leaves it behind. True for such a name.
bool IsSaveLeftover(std::string_view name, std::string_view fileName);
// Removes those leftovers beside `file`: regular files of exactly that name
// pattern, nothing else. Gives how many were removed.
int RemoveSaveLeftovers(const std::filesystem::path& file);

// Start-up after the read: a complete read shows the restored moment with Now
// mode off; anything less takes `nowAjd` (SetToNow) with what was read. Either
// way one history line and the log entry "Restore saved state on startup" are due.
ActionResult StartUpResult(const RestoredState& restored, double nowAjd,
                           std::optional<ClockTime> clock = std::nullopt);

// The settings Reset returns to: calendar CE, Local, Next, Plus, forward,
// repeatedly and "Log all results" cleared, move step "1 day", refresh
// period "1", target "Full moon"; the zone is kept. With `logPreferences`
// also the first log format and every include switch.
State ResetSettings(const State& state, bool logPreferences);

} // namespace tavr::session

#endif
