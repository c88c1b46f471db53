// The accepted range of moments: every floor checks against these two.
#ifndef TAVR_RANGE_H
#define TAVR_RANGE_H

namespace tavr {

inline constexpr double kEarliestMoment = 552283.0; // AJD of -3200-01-01 CE
inline constexpr double kLatestMoment = 3912515.0;  // AJD of 6000-01-01 CE

} // namespace tavr

#endif
