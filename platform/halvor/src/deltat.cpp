// Delta T = TT - UT, in seconds, from the observations and the historical
// record of the Earth's rotation:
// - from 1657 to the last published year, the observed values, one at the
//   middle of each year (deltat_observed.inc, converted from the U.S. Naval
//   Observatory's historic table and the IERS daily values), joined by cubic
//   Hermite arcs with centred slopes;
// - from -720 to 1620, the spline of Stephenson, Morrison and Hohenkerk (2016)
//   fitted to the eclipses and occultations of the historical record;
// - before -720, the same authors' long-term parabola -320 + 32.5 u^2,
//   u = (year - 1825) / 100. The paper recommends it outside its spline; the
//   two differ by 180 s at -720 (the spline's uncertainty there), and the model
//   steps by that much from one year to the next;
// - from 1620 to the first observed year, a cubic arc continuous in value and
//   slope with the spline and with the observations;
// - after the last observed year, a cubic arc continuous in value and slope
//   with the last observed value and its trend, which joins the long-term
//   parabola (again in value and slope) in kParabolaJoinYear, then the parabola.
// These values belong to a Moon whose tidal acceleration is -25.82"/cy^2 (the
// model's value, which the lunar theory adopts), so no secular correction is
// added to them.
#include <cstddef>
#include <iterator>

#include "astro_internal.h"

namespace halvor_detail {

namespace {

#include "deltat_observed.inc"

constexpr std::size_t kObserved = std::size(kObservedDeltaT);
constexpr double kFirstObservedMid = kObservedFirstYear + 0.5;
constexpr double kLastObservedMid = kFirstObservedMid + (kObserved - 1);
// Where the historical spline hands over to the arc that meets the observations.
constexpr double kSplineEnd = 1620.0;
constexpr double kSplineStart = -720.0;
// Where the extrapolation after the observations meets the long-term parabola:
// far enough for a gentle arc from today's trend (about 800 years).
constexpr double kParabolaJoinYear = 2800.0;

// Stephenson, F. R., Morrison, L. V. and Hohenkerk, C. Y. (2016), Measurement
// of the Earth's rotation: 720 BC to AD 2015, Proc. R. Soc. A 472: 20160404,
// electronic supplement, Table S15, rows 1-5: K_i, K_i+1 and a0..a3 with
// delta T = a0 + a1 t + a2 t^2 + a3 t^3, t = (year - K_i) / (K_i+1 - K_i).
struct SplineRow {
    double from, to, a0, a1, a2, a3;
};
constexpr SplineRow kSmh2016[] = {
    {-720.0, 400.0, 20550.593, -21268.478, 11863.418, -4541.129},
    {400.0, 1000.0, 6604.404, -5981.266, -505.093, 1349.609},
    {1000.0, 1500.0, 1467.654, -2452.187, 2460.927, -1183.759},
    {1500.0, 1600.0, 292.635, -216.322, -43.614, 56.681},
    {1600.0, 1650.0, 89.380, -66.754, 31.607, -10.497},
};

struct ValueSlope {
    double value, slope; // seconds, seconds per year
};

ValueSlope Parabola(double y) {
    const double u = (y - 1825.0) / 100.0;
    return {-320.0 + 32.5 * u * u, 2.0 * 32.5 * u / 100.0};
}

ValueSlope Spline(double y) {
    const SplineRow* row = &kSmh2016[0];
    for (const SplineRow& r : kSmh2016)
        if (y >= r.from) row = &r;
    const double span = row->to - row->from, t = (y - row->from) / span;
    return {row->a0 + t * (row->a1 + t * (row->a2 + t * row->a3)),
            (row->a1 + t * (2.0 * row->a2 + t * 3.0 * row->a3)) / span};
}

// The cubic through (x0, a) and (x1, b) with those slopes, at x.
double Hermite(double x0, ValueSlope a, double x1, ValueSlope b, double x) {
    const double h = x1 - x0, s = (x - x0) / h, s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * a.value + (s3 - 2 * s2 + s) * h * a.slope + (-2 * s3 + 3 * s2) * b.value +
           (s3 - s2) * h * b.slope;
}

// The observed value of sample i with its slope (centred, one-sided at the ends).
ValueSlope Observed(std::size_t i) {
    const double* v = kObservedDeltaT;
    const std::size_t lo = i == 0 ? 0 : i - 1, hi = i + 1 == kObserved ? i : i + 1;
    return {v[i], (v[hi] - v[lo]) / static_cast<double>(hi - lo)};
}

} // namespace

double DeltaTSeconds(double year) {
    if (!(year >= kSplineStart)) return Parabola(year).value; // NaN stays NaN
    if (year < kSplineEnd) return Spline(year).value;
    if (year < kFirstObservedMid)
        return Hermite(kSplineEnd, Spline(kSplineEnd), kFirstObservedMid, Observed(0), year);
    if (year < kLastObservedMid) {
        const double x = year - kFirstObservedMid;
        const std::size_t i = static_cast<std::size_t>(x);
        return Hermite(static_cast<double>(i), Observed(i), static_cast<double>(i + 1), Observed(i + 1), x);
    }
    if (year < kParabolaJoinYear)
        return Hermite(kLastObservedMid, Observed(kObserved - 1), kParabolaJoinYear,
                       Parabola(kParabolaJoinYear), year);
    return Parabola(year).value;
}

} // namespace halvor_detail
