#!/usr/bin/python3
"""Derives reference moments and places from the JPL ephemeris DE405 for the tests of the astronomy libraries.

Reads the DE405 Chebyshev records of Debian's `casacore-data-jpl-de405` (through `python3-casacore`) and uses
Debian's `python3-skyfield` only for the rotation from the ICRS to the true ecliptic and equinox of date (IAU 2006
precession, IAU 2000A nutation). Positions are apparent: light time and the aberration of the Earth's barycentric
velocity. Writes, into platform/brisel/tests/data/:
  de405_phases.csv      k, phase, jd_tt: the moments when the apparent geocentric ecliptic longitude of the
                        Moon minus that of the Sun is 0, 90, 180, 270 degrees (every 5th lunation, 1960-2059)
  de405_longitudes.csv  jd_tt, moon_lon_deg, moon_lat_deg, moon_dist_km, sun_lon_deg, sun_dist_au
                        (400 moments spread over 1960-2059; the distances geometric, from the Earth's centre)
Usage (development time only): tools/astro_tables/de405_reference.py BUILD_BIN_DIR
The first guess of each phase comes from the library in BUILD_BIN_DIR; the moment itself is the root found here.
"""
import ctypes
import math
import os
import random
import sys

import numpy as np
from casacore.tables import table
from skyfield.api import load
from skyfield.framelib import ecliptic_frame

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "platform", "brisel", "tests", "data"))
DE405 = "/usr/share/casacore/data/ephemerides/DE405"
C_KM_PER_DAY = 299792.458 * 86400.0

tab = table(DE405, ack=False)
KW = tab.getkeywords()
DMJD = float(KW["dMJD"])
EMRAT = float(KW["EMRAT"])
AU = float(KW["AU"])
RECORDS = tab.getcol("x")
STARTS = tab.getcol("MJD")
# Offsets into a record (the record's two date words are not stored): first coefficient, coefficients per
# component, sub-intervals.
BODIES = {"emb": (230 - 2, 13, 2), "moon": (441 - 3, 13, 8), "sun": (753 - 3, 11, 2)}
TS = load.timescale(builtin=True)


def chebyshev(coeffs, x):
    t = np.zeros(len(coeffs))
    t[0], t[1] = 1.0, x
    for i in range(2, len(coeffs)):
        t[i] = 2 * x * t[i - 1] - t[i - 2]
    return float(np.dot(coeffs, t))


def position(body, jd):
    """Barycentric (Moon: geocentric) ICRS position in km at a TDB Julian date."""
    mjd = jd - 2400000.5
    # Each row's MJD is the start of its record.
    i = int((mjd - STARTS[0]) // DMJD)
    if not 0 <= i < len(RECORDS):
        raise ValueError(f"{jd} outside the ephemeris")
    start = STARTS[i]
    first, n, subs = BODIES[body]
    length = DMJD / subs
    j = min(int((mjd - start) // length), subs - 1)
    x = 2 * (mjd - start - j * length) / length - 1
    base = RECORDS[i][first + j * 3 * n: first + (j + 1) * 3 * n]
    return np.array([chebyshev(base[k * n:(k + 1) * n], x) for k in range(3)])


def earth_moon(jd):
    emb, moon = position("emb", jd), position("moon", jd)
    earth = emb - moon / (1 + EMRAT)
    return earth, earth + moon


def velocity(fn, jd, h=1e-3):
    return (fn(jd + h) - fn(jd - h)) / (2 * h)


def apparent(jd, body):
    """Apparent geocentric ICRS direction (unit vector) and distance (km)."""
    earth = earth_moon(jd)[0]
    target = (lambda t: earth_moon(t)[1]) if body == "moon" else (lambda t: position("sun", t))
    tau = 0.0
    for _ in range(4):
        p = target(jd - tau) - earth
        tau = np.linalg.norm(p) / C_KM_PER_DAY
    u = p / np.linalg.norm(p)
    # The distance reported is the geometric one, at the moment itself.
    dist = np.linalg.norm(target(jd) - earth)
    v = velocity(lambda t: earth_moon(t)[0], jd) / C_KM_PER_DAY  # in units of c
    # Aberration to second order (relativistic form of the IERS conventions).
    beta = math.sqrt(max(0.0, 1 - np.dot(v, v)))
    f1 = np.dot(u, v)
    f2 = 1 + f1 / (1 + beta)
    w = (beta * u + f2 * v) / (1 + f1)
    return w / np.linalg.norm(w), dist


def ecliptic(jd, body):
    u, dist = apparent(jd, body)
    r = ecliptic_frame.rotation_at(TS.tt_jd(jd))
    e = r @ u
    return math.degrees(math.atan2(e[1], e[0])) % 360.0, math.degrees(math.asin(e[2])), dist


def elongation(jd, phase):
    m, s = ecliptic(jd, "moon")[0], ecliptic(jd, "sun")[0]
    return (m - s - 90.0 * phase + 180.0) % 360.0 - 180.0


def phase_moment(guess, phase):
    a, b = guess - 0.01, guess + 0.01
    fa, fb = elongation(a, phase), elongation(b, phase)
    for _ in range(30):
        c = b - fb * (b - a) / (fb - fa)
        a, fa = b, fb
        b, fb = c, elongation(c, phase)
        if abs(b - a) < 1e-9:
            break
    return b


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    lib = ctypes.CDLL(os.path.join(sys.argv[1], "libhalvor.so"))
    lib.halvor.restype = ctypes.c_double
    lib.halvor.argtypes = [ctypes.c_int32, ctypes.c_int32, ctypes.c_void_p]
    os.makedirs(OUT, exist_ok=True)
    # Lunations -496 (1960) to 740 (2059).
    with open(os.path.join(OUT, "de405_phases.csv"), "w") as f:
        f.write("k,phase,jd_tt\n")
        for k in range(-495, 741, 5):
            for p in range(4):
                f.write(f"{k},{p},{phase_moment(lib.halvor(k, p, None), p):.8f}\n")
    rng = random.Random(405)
    with open(os.path.join(OUT, "de405_longitudes.csv"), "w") as f:
        f.write("jd_tt,moon_lon_deg,moon_lat_deg,moon_dist_km,sun_lon_deg,sun_dist_au\n")
        for _ in range(400):
            jd = round(rng.uniform(2436935.0, 2473400.0), 6)
            ml, mb, md = ecliptic(jd, "moon")
            sl, _, sd = ecliptic(jd, "sun")
            f.write(f"{jd:.6f},{ml:.8f},{mb:.8f},{md:.4f},{sl:.8f},{sd / AU:.10f}\n")
    print(f"wrote {OUT}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
