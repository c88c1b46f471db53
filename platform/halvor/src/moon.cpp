// Geocentric position of the Moon from the lunar theory ELP/MPP02.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "astro_internal.h"
#include "elp_mpp02_table.inc"

namespace halvor_detail {

namespace {

// Terms of the main longitude series whose rates make the Moon's speed in
// longitude to better than 0.1 %: enough for the light-time correction.
constexpr std::size_t kRateTerms = 24;
// The coarse series: the four largest terms, the speed to about 1 %.
constexpr std::size_t kCoarseRateTerms = 4;
constexpr double kLightKmPerDay = 299792.458 * 86400.0;
// Within this many centuries of J2000 every phase of the series stays far
// below kSeriesSinNearLimit (the fastest rate is about 2.4e4 a century).
constexpr double kNearCenturies = 1e5;

// A series by columns (each coefficient of every term side by side), the form
// in which the terms are computed several at a time.
struct Columns {
    std::vector<double> a, p0, p1, p2, p3, p4;
};

template <const auto& kTerms> const Columns& ColumnsOf() {
    static const Columns columns = [] {
        Columns c;
        for (const ElpTerm& x : kTerms) {
            c.a.push_back(x.a);
            c.p0.push_back(x.p0);
            c.p1.push_back(x.p1);
            c.p2.push_back(x.p2);
            c.p3.push_back(x.p3);
            c.p4.push_back(x.p4);
        }
        return c;
    }();
    return columns;
}

// a * sin(phase) of terms [first, first + n) into out. Free of one another,
// the terms are computed several at a time: 4-wide where the processor can
// (the same operations as one at a time, never fused, so the same bits).
#define HALVOR_TERMS_BODY                                                                                    \
    for (std::size_t i = 0; i < n; ++i) {                                                                    \
        const std::size_t k = first + i;                                                                     \
        out[i] =                                                                                             \
            c.a[k] * SeriesSinNear(c.p0[k] + t * (c.p1[k] + t * (c.p2[k] + t * (c.p3[k] + t * c.p4[k]))));   \
    }
__attribute__((target("avx2"))) void TermsAtWide(const Columns& c, std::size_t first, std::size_t n, double t,
                                                 double* __restrict out) {
    HALVOR_TERMS_BODY
}
void TermsAtNarrow(const Columns& c, std::size_t first, std::size_t n, double t, double* __restrict out) {
    HALVOR_TERMS_BODY
}
#undef HALVOR_TERMS_BODY

void TermsAt(const Columns& c, std::size_t first, std::size_t n, double t, double* out) {
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) {
        TermsAtWide(c, first, n, t, out);
    } else {
        TermsAtNarrow(c, first, n, t, out);
    }
}

// The terms of a series (ordered by decreasing amplitude) down to `limit`,
// added in their order.
template <const auto& kTerms> double SumSeries(double t, double limit) {
    constexpr std::size_t kN = std::size(kTerms);
    std::size_t count = 0;
    while (count < kN && std::abs(kTerms[count].a) >= limit)
        ++count;
    double s = 0;
    if (!(std::abs(t) < kNearCenturies)) { // far outside any use: one term after the other
        for (std::size_t i = 0; i < count; ++i) {
            const ElpTerm& x = kTerms[i];
            s += x.a * SeriesSin(x.p0 + t * (x.p1 + t * (x.p2 + t * (x.p3 + t * x.p4))));
        }
        return s;
    }
    const Columns& c = ColumnsOf<kTerms>();
    constexpr std::size_t kBlock = 64;
    double values[kBlock];
    for (std::size_t first = 0; first < count; first += kBlock) {
        const std::size_t n = std::min(kBlock, count - first);
        TermsAt(c, first, n, t, values);
        for (std::size_t i = 0; i < n; ++i)
            s += values[i];
    }
    return s;
}

template <std::size_t N> double RateOfSeries(const ElpTerm (&terms)[N], double t, std::size_t count) {
    double s = 0;
    for (std::size_t i = 0; i < count && i < N; ++i) {
        const ElpTerm& x = terms[i];
        const double phase = x.p0 + t * (x.p1 + t * (x.p2 + t * (x.p3 + t * x.p4)));
        const double rate = x.p1 + t * (2 * x.p2 + t * (3 * x.p3 + t * 4 * x.p4));
        s += x.a * std::cos(phase) * rate;
    }
    return s;
}

// Precession in longitude from the departure point of J2000 to the mean
// equinox of date (the theory's own expression), arcseconds.
double Precession(double t) {
    return t * (5029.0966 - 0.29965 + t * (1.1120 + t * (0.000077 - t * 0.00002353)));
}

// The Moon's drift (MoonDrift), arcseconds for t^2 .. t^10: residuals of the
// fit 0.18" rms, 0.7" at worst (at -3200).
constexpr double kMoonDrift[] = {6.840738e-03, -3.159807e-05, -2.931976e-06, -5.566687e-07, -1.007991e-08,
                                 3.733713e-10, 8.638251e-12,  -3.365654e-14, -1.162596e-15};

} // namespace

double MoonDrift(double t) {
    return DriftOf(kMoonDrift, 2, t);
}

MoonPlace MoonGeometric(double t, MoonSeries series) {
    // The shorter series leave out terms below 0.01" (longitude, latitude) and
    // 0.05 km (distance), the coarse ones below 3" and 3 km, counting a term in
    // T^n ten times larger per power.
    const double angle = series == MoonSeries::kFull ? 0.0 : (series == MoonSeries::kShort ? 0.01 : 3.0);
    const double range = series == MoonSeries::kFull ? 0.0 : (series == MoonSeries::kShort ? 0.05 : 3.0);
    const double w1 =
        kElpW1[0] + t * (kElpW1[1] + t * (kElpW1[2] + kW1TidalT2 + t * (kElpW1[3] + t * kElpW1[4])));
    const double l = SumSeries<kElpL0>(t, angle) +
                     t * (SumSeries<kElpL1>(t, angle / 10) +
                          t * (SumSeries<kElpL2>(t, angle / 100) + t * SumSeries<kElpL3>(t, angle / 1000)));
    const double b = SumSeries<kElpB0>(t, angle) +
                     t * (SumSeries<kElpB1>(t, angle / 10) +
                          t * (SumSeries<kElpB2>(t, angle / 100) + t * SumSeries<kElpB3>(t, angle / 1000)));
    const double r = SumSeries<kElpR0>(t, range) +
                     t * (SumSeries<kElpR1>(t, range / 10) +
                          t * (SumSeries<kElpR2>(t, range / 100) + t * SumSeries<kElpR3>(t, range / 1000)));
    const double w1Rate =
        kElpW1[1] + t * (2 * (kElpW1[2] + kW1TidalT2) + t * (3 * kElpW1[3] + t * 4 * kElpW1[4]));
    const std::size_t rateTerms = series == MoonSeries::kCoarse ? kCoarseRateTerms : kRateTerms;
    const double lRate = RateOfSeries(kElpL0, t, rateTerms) + 5029.0966 - 0.29965;
    MoonPlace m;
    m.longitude = w1 + (l + Precession(t)) * kArcsec - MoonDrift(t);
    m.latitude = b * kArcsec;
    m.distance = r;
    m.rate = (w1Rate + lRate * kArcsec) / kDaysPerCentury;
    return m;
}

MoonPlace MoonApparent(double t, MoonSeries series) {
    MoonPlace m = MoonGeometric(t, series);
    m.longitude += NutationAt(t).longitude - m.rate * m.distance / kLightKmPerDay;
    return m;
}

} // namespace halvor_detail
