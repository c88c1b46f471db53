// The texts of an eclipse found in a phase record: the lines shown under the
// Moon (lblActualEclipseData) and the one-line form written to the log.
#ifndef TAVR_ECLIPSEDATA_H
#define TAVR_ECLIPSEDATA_H

#include <string>

#include "halvor.h"
#include "session/Session.h"

namespace tavr::session {

struct EclipseTexts {
    std::string label; // each line ended by CR LF; the phase lines end with "."
    std::string log;   // first line, ", " and the others in lower case, then "."
};

// Kind, lunation, saros and, for a lunar eclipse, when its phases start and
// how long they last, for the state's moment (the greatest eclipse) in the
// state's zone and view. Empty texts for a record without an eclipse.
EclipseTexts EclipseDataText(const PhaseEventRecord& record, const State& state);

// "2h 5m", "1d 0h 5m", "0h 0m" for a number of whole minutes.
std::string EclipseDurationText(int64_t minutes);

} // namespace tavr::session

#endif
