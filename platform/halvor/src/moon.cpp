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

// A series around a moment t: its value and first four derivatives (per
// century), the rate of every term's phase taken as constant over the hours
// around t. Computed as SumSeries, a block of terms at a time.
using Jet = MoonAround::Jet;

constexpr double kQuarterTurn = 0.5 * std::numbers::pi;

#define HALVOR_JET_BODY                                                                                      \
    for (std::size_t i = 0; i < n; ++i) {                                                                    \
        const std::size_t k = first + i;                                                                     \
        const double phase = c.p0[k] + t * (c.p1[k] + t * (c.p2[k] + t * (c.p3[k] + t * c.p4[k])));          \
        sines[i] = c.a[k] * SeriesSinNear(phase);                                                            \
        cosines[i] = c.a[k] * SeriesSinNear(phase + kQuarterTurn);                                           \
        rates[i] = c.p1[k] + t * (2 * c.p2[k] + t * (3 * c.p3[k] + t * 4 * c.p4[k]));                        \
    }
__attribute__((target("avx2"))) void JetTermsWide(const Columns& c, std::size_t first, std::size_t n,
                                                  double t, double* __restrict sines,
                                                  double* __restrict cosines, double* __restrict rates) {
    HALVOR_JET_BODY
}
void JetTermsNarrow(const Columns& c, std::size_t first, std::size_t n, double t, double* __restrict sines,
                    double* __restrict cosines, double* __restrict rates) {
    HALVOR_JET_BODY
}
#undef HALVOR_JET_BODY

template <const auto& kTerms> Jet JetOfSeries(double t, double limit) {
    constexpr std::size_t kN = std::size(kTerms);
    std::size_t count = 0;
    while (count < kN && std::abs(kTerms[count].a) >= limit)
        ++count;
    Jet j;
    const auto add = [&j](double s, double c, double w) {
        j.d[0] += s;
        j.d[1] += c * w;
        j.d[2] -= s * w * w;
        j.d[3] -= c * w * w * w;
        j.d[4] += s * w * w * w * w;
    };
    if (!(std::abs(t) < kNearCenturies)) {
        for (std::size_t i = 0; i < count; ++i) {
            const ElpTerm& x = kTerms[i];
            const double phase = x.p0 + t * (x.p1 + t * (x.p2 + t * (x.p3 + t * x.p4)));
            add(x.a * SeriesSin(phase), x.a * SeriesSin(phase + kQuarterTurn),
                x.p1 + t * (2 * x.p2 + t * (3 * x.p3 + t * 4 * x.p4)));
        }
        return j;
    }
    static const bool wide = __builtin_cpu_supports("avx2");
    const Columns& c = ColumnsOf<kTerms>();
    constexpr std::size_t kBlock = 64;
    double sines[kBlock], cosines[kBlock], rates[kBlock];
    for (std::size_t first = 0; first < count; first += kBlock) {
        const std::size_t n = std::min(kBlock, count - first);
        if (wide) {
            JetTermsWide(c, first, n, t, sines, cosines, rates);
        } else {
            JetTermsNarrow(c, first, n, t, sines, cosines, rates);
        }
        for (std::size_t i = 0; i < n; ++i)
            add(sines[i], cosines[i], rates[i]);
    }
    return j;
}

// sum_n u^n S_n(u) for the jets of S_0..S_3 at t, u = t + dt, and its rate in u.
struct PowerSum {
    double value, rate;
};
PowerSum PowerOfJets(const Jet (&s)[4], double t, double dt) {
    const double u = t + dt;
    double value = 0, rate = 0;
    for (int n = 3; n >= 0; --n) {
        rate = rate * u + value + s[n].RateAt(dt);
        value = value * u + s[n].At(dt);
    }
    return {value, rate};
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

MoonAround::MoonAround(double t, MoonSeries series) : t_(t) {
    const double angle = series == MoonSeries::kFull ? 0.0 : (series == MoonSeries::kShort ? 0.01 : 3.0);
    const double range = series == MoonSeries::kFull ? 0.0 : (series == MoonSeries::kShort ? 0.05 : 3.0);
    // Terms in t^n count ten times larger per power, as in MoonGeometric.
    series_[0][0] = JetOfSeries<kElpL0>(t, angle);
    series_[0][1] = JetOfSeries<kElpL1>(t, angle / 10);
    series_[0][2] = JetOfSeries<kElpL2>(t, angle / 100);
    series_[0][3] = JetOfSeries<kElpL3>(t, angle / 1000);
    series_[1][0] = JetOfSeries<kElpB0>(t, angle);
    series_[1][1] = JetOfSeries<kElpB1>(t, angle / 10);
    series_[1][2] = JetOfSeries<kElpB2>(t, angle / 100);
    series_[1][3] = JetOfSeries<kElpB3>(t, angle / 1000);
    series_[2][0] = JetOfSeries<kElpR0>(t, range);
    series_[2][1] = JetOfSeries<kElpR1>(t, range / 10);
    series_[2][2] = JetOfSeries<kElpR2>(t, range / 100);
    series_[2][3] = JetOfSeries<kElpR3>(t, range / 1000);
}

MoonPlace MoonAround::At(double dt) const {
    const PowerSum sums[3] = {PowerOfJets(series_[0], t_, dt), PowerOfJets(series_[1], t_, dt),
                              PowerOfJets(series_[2], t_, dt)};
    const double u = t_ + dt;
    const double w1 =
        kElpW1[0] + u * (kElpW1[1] + u * (kElpW1[2] + kW1TidalT2 + u * (kElpW1[3] + u * kElpW1[4])));
    const double w1Rate =
        kElpW1[1] + u * (2 * (kElpW1[2] + kW1TidalT2) + u * (3 * kElpW1[3] + u * 4 * kElpW1[4]));
    MoonPlace m;
    m.longitude = w1 + (sums[0].value + Precession(u)) * kArcsec - MoonDrift(u);
    m.latitude = sums[1].value * kArcsec;
    m.distance = sums[2].value;
    m.rate = (w1Rate + (sums[0].rate + 5029.0966 - 0.29965) * kArcsec) / kDaysPerCentury;
    return m;
}

MoonPlace MoonApparent(double t, MoonSeries series) {
    MoonPlace m = MoonGeometric(t, series);
    m.longitude += NutationAt(t).longitude - m.rate * m.distance / kLightKmPerDay;
    return m;
}

} // namespace halvor_detail
