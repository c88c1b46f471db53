// The March equinox of a Common Era year, the moment the lunar week calendar's
// years open from: Meeus's mean equinox with the 24 periodic terms of the
// equinoxes and solstices, turned from dynamical into universal time.
#ifndef TAVR_EQUINOX_H
#define TAVR_EQUINOX_H

#include <cstdint>

namespace tavr::sun {

// Moment (AJD, UT) of the March equinox of a Common Era year.
double MarchEquinox(int32_t ceYear);

} // namespace tavr::sun

#endif
