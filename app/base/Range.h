// The accepted range of moments: every floor checks against these two.
#ifndef TAVR_RANGE_H
#define TAVR_RANGE_H

namespace tavr {

inline constexpr double kEarliestMoment = 552283.0; // AJD of -3200-01-01 CE
inline constexpr double kLatestMoment = 3912515.0;  // AJD of 6000-01-01 CE

// A moment read back from a text that holds it to `precision` (a history
// line to the minute, the CJD and AJD rows to four decimals) may lie up to
// that far beyond an end of the range it was shown at: it comes back at that
// end. Every other moment is returned as it is.
constexpr double AtRangeEnd(double moment, double precision) {
    if (moment < kEarliestMoment && moment >= kEarliestMoment - precision) return kEarliestMoment;
    if (moment > kLatestMoment && moment <= kLatestMoment + precision) return kLatestMoment;
    return moment;
}

} // namespace tavr

#endif
