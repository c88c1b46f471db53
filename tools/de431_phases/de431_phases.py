#!/usr/bin/python3
"""Derives reference phase moments over -3000..3000 from the DE431-derived compressed ephemeris files of Debian.

Reads the Moon and the Earth-Sun files of Debian's `swe-standard-data` (/usr/share/libswe/ephe, compressed from the
JPL ephemeris DE431) through Debian's C library `libswe2.0`, loaded with ctypes; nothing of either is linked into
or shipped with the program. Positions are apparent and geocentric (light time, aberration, nutation), tropical
longitudes on the true ecliptic and equinox of date, at dynamical time (TT). A phase moment is the root of the
apparent elongation, the Moon's longitude minus the Sun's, at 0, 90, 180, 270 degrees.

Usage (development time only; tools/de431_phases/run.sh installs what it needs):
  tools/de431_phases/de431_phases.py            writes platform/halvor/tests/data/de431_phases.csv
  tools/de431_phases/de431_phases.py --check [DE405.csv ...]
                                                compares the roots with DE405 phase lists (k, phase, jd_tt);
                                                default: platform/brisel/tests/data/de405_phases.csv
Lunations: k = 0 is the new Moon of 2000-01-06; the sample is every 97th lunation from the one that contains
-3000-01-01 (Julian calendar, astronomical year) to the one that contains 3000-12-31 (Gregorian), all four phases.
"""
import ctypes
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "platform", "halvor", "tests", "data", "de431_phases.csv")
DE405 = os.path.join(ROOT, "platform", "brisel", "tests", "data", "de405_phases.csv")
EPHE = "/usr/share/libswe/ephe"
LIBRARY = "libswe.so.2"

SE_SUN, SE_MOON = 0, 1
SEFLG_SWIEPH, SEFLG_SPEED = 2, 256
SE_JUL_CAL, SE_GREG_CAL = 0, 1
FILE_PLANETS, FILE_MOON = 0, 1

# The mean phase (Meeus, Astronomical Algorithms, 2nd ed., formula 49.1): the first guess of every phase. The
# true phase is within about 0.9 day of it.
MEAN_NEW_MOON_2000 = 2451550.09766
SYNODIC_MONTH = 29.530588861
LUNATIONS_PER_CENTURY = 1236.85
STEP = 97
TOLERANCE_DAYS = 1e-9

swe = ctypes.CDLL(LIBRARY)
swe.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
swe.swe_calc.restype = ctypes.c_int32
swe.swe_calc.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int32, ctypes.POINTER(ctypes.c_double),
                         ctypes.c_char_p]
swe.swe_julday.restype = ctypes.c_double
swe.swe_julday.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_double, ctypes.c_int]
swe.swe_version.restype = ctypes.c_char_p
swe.swe_version.argtypes = [ctypes.c_char_p]
swe.swe_get_current_file_data.restype = ctypes.c_char_p
swe.swe_get_current_file_data.argtypes = [ctypes.c_int, ctypes.POINTER(ctypes.c_double),
                                          ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_int)]
swe.swe_set_ephe_path(EPHE.encode())

files_used = {}


def file_data(ifno):
    start, end, denum = ctypes.c_double(), ctypes.c_double(), ctypes.c_int()
    name = swe.swe_get_current_file_data(ifno, ctypes.byref(start), ctypes.byref(end), ctypes.byref(denum))
    return (name.decode() if name else None), start.value, end.value, denum.value


def longitude(jd, body):
    """Apparent longitude (degrees) and its speed (degrees a day) of the body at a TT Julian date."""
    xx = (ctypes.c_double * 6)()
    err = ctypes.create_string_buffer(256)
    flags = swe.swe_calc(jd, body, SEFLG_SWIEPH | SEFLG_SPEED, xx, err)
    # The library falls back to an analytical theory when a file is missing: refuse that.
    if flags < 0 or not flags & SEFLG_SWIEPH:
        raise RuntimeError(f"no ephemeris file for body {body} at JD {jd}: {err.value.decode()}")
    name, start, end, denum = file_data(FILE_MOON if body == SE_MOON else FILE_PLANETS)
    if not (name and start <= jd <= end):
        raise RuntimeError(f"body {body} at JD {jd} read outside its file {name}")
    files_used[os.path.basename(name)] = denum
    return xx[0], xx[3]


def elongation(jd, phase):
    """Moon minus Sun minus the phase's angle, in (-180, 180] degrees, and its rate."""
    moon, moon_rate = longitude(jd, SE_MOON)
    sun, sun_rate = longitude(jd, SE_SUN)
    return math.remainder(moon - sun - 90.0 * phase, 360.0), moon_rate - sun_rate


def mean_phase(k):
    t = k / LUNATIONS_PER_CENTURY
    return MEAN_NEW_MOON_2000 + SYNODIC_MONTH * k + t * t * (0.00015437 + t * (-0.000000150 + t * 0.00000000073))


def phase_moment(k, phase):
    guess = mean_phase(k + 0.25 * phase)
    jd = guess
    for _ in range(20):
        diff, rate = elongation(jd, phase)
        step = diff / rate
        jd -= step
        if abs(step) < TOLERANCE_DAYS:
            break
    else:
        raise RuntimeError(f"no convergence for k={k} phase={phase}")
    # The root belongs to lunation k.
    if abs(jd - guess) > 1.0:
        raise RuntimeError(f"root {jd} of k={k} phase={phase} too far from the mean phase {guess}")
    return jd


def lunation_containing(jd):
    """The lunation whose new Moon is the last one on or before jd."""
    k = math.floor((jd - MEAN_NEW_MOON_2000) / SYNODIC_MONTH)
    while phase_moment(k + 1, 0) <= jd:
        k += 1
    while phase_moment(k, 0) > jd:
        k -= 1
    return k


def check(paths):
    worst, sum2, n = 0.0, 0.0, 0
    for path in paths:
        with open(path) as f:
            next(f)
            for line in f:
                k, phase, jd = line.strip().split(",")
                err = (phase_moment(int(k), int(phase)) - float(jd)) * 86400.0
                worst, sum2, n = max(worst, abs(err)), sum2 + err * err, n + 1
    print(f"against {', '.join(os.path.relpath(p, ROOT) for p in paths)}: {n} phases, worst {worst:.3f} s, "
          f"rms {math.sqrt(sum2 / n):.3f} s")


def main():
    args = sys.argv[1:]
    version = ctypes.create_string_buffer(256)
    swe.swe_version(version)
    print(f"library {LIBRARY} version {version.value.decode()}, files in {EPHE}")
    if args and args[0] == "--check":
        check(args[1:] or [DE405])
    elif args:
        print(__doc__)
        return 2
    else:
        first = lunation_containing(swe.swe_julday(-3000, 1, 1, 0.0, SE_JUL_CAL))
        last = lunation_containing(swe.swe_julday(3000, 12, 31, 0.0, SE_GREG_CAL) + 1.0 - 1e-9)
        os.makedirs(os.path.dirname(OUT), exist_ok=True)
        rows = 0
        with open(OUT, "w") as f:
            f.write("k,phase,jd_tt\n")
            for k in range(first, last + 1, STEP):
                for phase in range(4):
                    f.write(f"{k},{phase},{phase_moment(k, phase):.8f}\n")
                    rows += 1
        print(f"lunations {first}..{last} every {STEP}th: wrote {rows} rows to {os.path.relpath(OUT, ROOT)}")
    for name, denum in sorted(files_used.items()):
        print(f"  read {name} (DE{denum})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
