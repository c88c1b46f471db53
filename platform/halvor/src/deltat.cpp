// Delta T = TT - UT.
#include "astro_internal.h"

namespace halvor_detail {

namespace {

// Horner evaluation of c[0] + c[1] x + c[2] x^2 + ...
template <std::size_t N> double Poly(double x, const double (&c)[N]) {
    double r = c[N - 1];
    for (std::size_t i = N - 1; i-- > 0;)
        r = r * x + c[i];
    return r;
}

// Long-term parabola of Morrison and Stephenson, as used outside -500..2150.
double Parabola(double y) {
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// Coefficients of the polynomial expressions for delta T in seconds by Espenak
// and Meeus (Five Millennium Canon of Solar Eclipses, NASA TP-2006-214141,
// section 2.6), one row per interval of years.
constexpr double kBefore500[] = {10583.6,    -1014.41,    33.78311,    -5.952053,
                                 -0.1798452, 0.022174192, 0.0090316521};
constexpr double kBefore1600[] = {1574.2,     -556.01,      71.23472,    0.319781,
                                  -0.8503463, -0.005050998, 0.0083572073};
constexpr double kBefore1700[] = {120.0, -0.9808, -0.01532, 1.0 / 7129.0};
constexpr double kBefore1800[] = {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0};
constexpr double kBefore1860[] = {13.72,       -0.332447,    0.0068612,     0.0041116,
                                  -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875};
constexpr double kBefore1900[] = {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0};
constexpr double kBefore1920[] = {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197};
constexpr double kBefore1941[] = {21.20, 0.84493, -0.076100, 0.0020936};
constexpr double kBefore1961[] = {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0};
constexpr double kBefore1986[] = {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0};
constexpr double kBefore2005[] = {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599};
constexpr double kBefore2050[] = {62.92, 0.32217, 0.005589};

// The polynomials assume the lunar secular acceleration -26"/cy^2; the eclipse
// predictions use -25.858"/cy^2 (ELP-2000/82), which adds this term (seconds).
constexpr double kSecularCoeff = -0.000012932;
constexpr double kSecularEpoch = 1955.0;

double Polynomials(double y) {
    if (y < -500) return Parabola(y);
    if (y < 500) return Poly(y / 100.0, kBefore500);
    if (y < 1600) return Poly((y - 1000.0) / 100.0, kBefore1600);
    if (y < 1700) return Poly(y - 1600.0, kBefore1700);
    if (y < 1800) return Poly(y - 1700.0, kBefore1800);
    if (y < 1860) return Poly(y - 1800.0, kBefore1860);
    if (y < 1900) return Poly(y - 1860.0, kBefore1900);
    if (y < 1920) return Poly(y - 1900.0, kBefore1920);
    if (y < 1941) return Poly(y - 1920.0, kBefore1941);
    if (y < 1961) return Poly(y - 1950.0, kBefore1961);
    if (y < 1986) return Poly(y - 1975.0, kBefore1986);
    if (y < 2005) return Poly(y - 2000.0, kBefore2005);
    if (y < 2050) return Poly(y - 2000.0, kBefore2050);
    if (y < 2150) return Parabola(y) - 0.5628 * (2150.0 - y);
    return Parabola(y);
}

} // namespace

double DeltaTSeconds(double year) {
    const double s = year - kSecularEpoch;
    return Polynomials(year) + kSecularCoeff * s * s;
}

} // namespace halvor_detail
