#!/usr/bin/python3
"""Measures the lunar and solar theories against the DE431-derived ephemeris files of Debian.

Reads Debian's `swe-standard-data` (compressed from JPL's DE431) through Debian's `libswe2.0` with ctypes (nothing
of either is linked into or shipped with the program) and compares, at many moments of dynamical time over
-3000..3000, the geometric geocentric places on the mean ecliptic and equinox of date (no light time, aberration,
deflection or nutation on either side) with those that `places` (built from tools/theory_drift/places.cpp)
prints for the same moments. For each epoch it prints the mean differences (ours less the reference) over a
window of years, so that the periodic terms average out and what grows with time stands out: first of the theories
as they are (with their drifts taken away), then of the bare theories (the drifts added back).

Usage (development time only; tools/theory_drift/run.sh builds `places` and runs this):
  compare.py PLACES_BINARY [--fit]
  --fit  also fits the bare theories' differences in longitude (Moon, Sun) and obliquity, as polynomials in Julian
         centuries from J2000 over -3500..5000 (without a constant term, the Moon's also without a linear one, so
         that the present stays as it is), and prints the residuals and the coefficients of the drifts that the
         theories take away (MoonDrift in platform/halvor/src/moon.cpp, SunDrift in platform/halvor/src/sun.cpp,
         MeanObliquityDrift in platform/brisel/src/sun_theory.cpp).
"""
import ctypes
import math
import subprocess
import sys

EPHE = "/usr/share/libswe/ephe"
SE_ECL_NUT, SE_SUN, SE_MOON = -1, 0, 1
SEFLG_SWIEPH, SEFLG_TRUEPOS, SEFLG_NONUT, SEFLG_NOGDEFL, SEFLG_NOABERR = 2, 16, 64, 512, 1024
GEOMETRIC = SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT | SEFLG_NOGDEFL | SEFLG_NOABERR
AU_KM = 149597870.7
J2000 = 2451545.0
WINDOW_DAYS = 20 * 365.25  # each epoch: the mean over 20 years
SAMPLES = 400
EPOCHS = range(-5000, 5001, 100)  # years: the span of the files, -5400..5400, with room for the window

D = ctypes.c_double
swe = ctypes.CDLL("libswe.so.2")
swe.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
swe.swe_set_ephe_path(EPHE.encode())
swe.swe_calc.restype = ctypes.c_int32
swe.swe_calc.argtypes = [D, ctypes.c_int, ctypes.c_int32, ctypes.POINTER(D), ctypes.c_char_p]


def reference(jd, body):
    xx = (D * 6)()
    err = ctypes.create_string_buffer(256)
    flags = swe.swe_calc(jd, body, GEOMETRIC, xx, err)
    if flags < 0 or not flags & SEFLG_SWIEPH:
        raise RuntimeError(f"no ephemeris file for body {body} at JD {jd}: {err.value.decode()}")
    return xx[0], xx[1], xx[2]


def mean_obliquity(jd):
    xx = (D * 6)()
    err = ctypes.create_string_buffer(256)
    swe.swe_calc(jd, SE_ECL_NUT, SEFLG_SWIEPH, xx, err)
    return xx[1]


def arcsec(a, b):
    return (math.remainder(a - b, 360.0)) * 3600.0


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    moments = []
    for year in EPOCHS:
        centre = J2000 + (year - 2000) * 365.25
        moments += [centre - WINDOW_DAYS / 2 + WINDOW_DAYS * (i + 0.5) / SAMPLES for i in range(SAMPLES)]
    text = "\n".join(f"{jd:.9f}" for jd in moments)
    ours = subprocess.run([sys.argv[1]], input=text, capture_output=True, text=True, check=True).stdout.split("\n")
    table(moments, ours, 0)
    print("\nthe bare theories (drifts added back):")
    bare = table(moments, ours, 1)
    if "--fit" in sys.argv:
        fit(bare)


def table(moments, ours, bare):
    print("year   moon dlon   dlat  ddist(km) | sun dlon  dlat  ddist(km) | elong  | dobliq   (arcsec; ours - DE431)")
    rows = []
    for e, year in enumerate(EPOCHS):
        sums = [0.0] * 8
        for i in range(SAMPLES):
            f = [float(x) for x in ours[e * SAMPLES + i].split()]
            jd = f[0]
            f[1] += bare * f[8]
            f[4] += bare * f[9]
            f[7] += bare * f[10]
            ml, mb, md = reference(jd, SE_MOON)
            sl, sb, sd = reference(jd, SE_SUN)
            d = [arcsec(f[1], ml), (f[2] - mb) * 3600, f[3] - md * AU_KM,
                 arcsec(f[4], sl), (f[5] - sb) * 3600, (f[6] - sd) * AU_KM,
                 arcsec(f[1] - f[4], ml - sl), (f[7] - mean_obliquity(jd)) * 3600]
            sums = [s + x for s, x in zip(sums, d)]
        m = [s / SAMPLES for s in sums]
        rows.append((year, m))
        if year % 500 == 0:
            print(f"{year:5d} {m[0]:9.3f} {m[1]:7.3f} {m[2]:8.3f} | {m[3]:8.3f} {m[4]:6.3f} {m[5]:8.1f} | "
              f"{m[6]:7.3f} | {m[7]:7.3f}")
    return rows


def solve(a, b):
    """Gaussian elimination with partial pivoting."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[p] = m[p], m[c]
        for r in range(n):
            if r != c:
                f = m[r][c] / m[c][c]
                m[r] = [x - f * y for x, y in zip(m[r], m[c])]
    return [m[i][n] / m[i][i] for i in range(n)]


def least_squares(ts, ys, powers):
    """Coefficients of sum c_p t^p (t in centuries, scaled by ten for the conditioning)."""
    a = [[sum((t / 10) ** p * (t / 10) ** q for t in ts) for q in powers] for p in powers]
    b = [sum((t / 10) ** p * y for t, y in zip(ts, ys)) for p in powers]
    return [c / 10 ** p for c, p in zip(solve(a, b), powers)]


FITS = [("moon longitude", 0, range(2, 11)), ("sun longitude", 3, range(1, 11)), ("obliquity", 7, range(1, 8))]


# The fit takes the epochs from FIT_FIRST on: the program's years begin at -3200.
FIT_FIRST = -3500


def fit(rows):
    rows = [r for r in rows if r[0] >= FIT_FIRST]
    ts = [(year - 2000) / 100 for year, _ in rows]
    for name, column, powers in FITS:
        ys = [m[column] for _, m in rows]
        c = least_squares(ts, ys, list(powers))
        residual = [y - sum(k * t ** p for k, p in zip(c, powers)) for t, y in zip(ts, ys)]
        worst = max(range(len(ts)), key=lambda i: abs(residual[i]))
        rms = math.sqrt(sum(r * r for r in residual) / len(residual))
        print(f"{name}: residual rms {rms:.3f}\", worst {residual[worst]:.3f}\" at {rows[worst][0]}")
        print("  coefficients (arcsec, t^" + ", t^".join(str(p) for p in powers) + "): " +
              ", ".join(f"{k:.6e}" for k in c))


if __name__ == "__main__":
    main()
