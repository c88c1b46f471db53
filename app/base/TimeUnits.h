// The units of time the floors convert between (moments are in days).
#ifndef TAVR_TIMEUNITS_H
#define TAVR_TIMEUNITS_H

namespace tavr {

inline constexpr double kMinutesPerDay = 1440.0;
inline constexpr double kSecondsPerDay = 86400.0;

} // namespace tavr

#endif
