#!/usr/bin/python3
"""Derives reference local circumstances of solar eclipses from the DE431-derived ephemeris files of Debian.

Reads Debian's `swe-standard-data` (/usr/share/libswe/ephe, compressed from JPL's DE431) through Debian's C library
`libswe2.0`, loaded with ctypes; nothing of either is linked into or shipped with the program. For every site and
span below, the library's search for the next solar eclipse visible from a place runs from the span's start to
its end, with delta T set to the program's own value (the lunar library's `deltat` for the Gregorian year,
loaded with ctypes from the build); each eclipse found is computed again with the value of its own year, which
is written with it, so that the comparison does not depend on either delta T model.

The library's sidereal time is set to its IAU 2006 model (Capitaine et al. 2003: the Earth rotation angle of UT1
and the precession in right ascension), the program's own. Its default, a long-term extension that takes the
mean Sun at dynamical time, turns the same delta T into another rotation of the Earth far from the present:
800" (53 s of time) at -1000, 119" at 2900, so that the contacts of the two would differ by up to a minute for
a convention of the time scale and not for the ephemeris.

Usage (development time only; tools/local_eclipses/run.sh installs what it needs):
  tools/local_eclipses/local_eclipses.py LIBHALVOR.so   writes app/astro/tests/data/local_eclipses.csv
"""
import ctypes
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "app", "astro", "tests", "data", "local_eclipses.csv")
EPHE = "/usr/share/libswe/ephe"
LIBRARY = "libswe.so.2"

SE_SUN = 0
SEFLG_SWIEPH = 2
SE_GREG_CAL = 1
SE_ECL_TOTAL, SE_ECL_ANNULAR, SE_ECL_PARTIAL = 4, 8, 16
SE_ECL_VISIBLE, SE_ECL_MAX_VISIBLE = 128, 256
DELTAT_MODEL = 1915

# name, latitude, longitude (degrees north and east), height (m)
SITES = [
    ("Dallas", 32.78, -96.80, 140),
    ("Madrid", 40.4168, -3.7038, 657),
    ("Sydney", -33.8688, 151.2093, 58),
    ("Tromso", 69.6492, 18.9553, 10),
    ("Quito", -0.1807, -78.4678, 2850),
    ("McMurdo", -77.8460, 166.6760, 10),
    ("Madras Oregon", 44.6335, -121.1295, 680),
    ("London", 51.5074, -0.1278, 11),
    ("New York", 40.7128, -74.0060, 10),
    ("Santiago", -33.4489, -70.6693, 570),
    ("Singapore", 1.3521, 103.8198, 15),
    ("Longyearbyen", 78.2232, 15.6267, 10),
]
# More places for the eras far from the present.
FAR_SITES = [
    ("Cairo", 30.0444, 31.2357, 23),
    ("Beijing", 39.9042, 116.4074, 44),
    ("Cape Town", -33.9249, 18.4241, 10),
    ("Honolulu", 21.3069, -157.8583, 5),
]
# Gregorian years [first, last) and the sites searched.
SPANS = [(-1010, -990, SITES + FAR_SITES), (-510, -490, SITES + FAR_SITES), (1490, 1510, SITES + FAR_SITES),
         (1900, 2100, SITES), (2490, 2510, SITES + FAR_SITES), (2890, 2910, SITES + FAR_SITES)]
# The library's astronomical models: the defaults (delta T, precession, nutation, frame bias, JPL modes) and
# the IAU 2006 sidereal time.
ASTRO_MODELS = b"0,0,0,0,0,0,0,2"

D = ctypes.c_double
swe = ctypes.CDLL(LIBRARY)
swe.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
swe.swe_set_ephe_path(EPHE.encode())
swe.swe_julday.restype = D
swe.swe_julday.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_int, D, ctypes.c_int]
swe.swe_revjul.argtypes = [D, ctypes.c_int, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                           ctypes.POINTER(ctypes.c_int), ctypes.POINTER(D)]
swe.swe_sol_eclipse_when_loc.restype = ctypes.c_int32
swe.swe_sol_eclipse_when_loc.argtypes = [D, ctypes.c_int32, ctypes.POINTER(D), ctypes.POINTER(D),
                                         ctypes.POINTER(D), ctypes.c_int32, ctypes.c_char_p]
swe.swe_sol_eclipse_how.restype = ctypes.c_int32
swe.swe_sol_eclipse_how.argtypes = [D, ctypes.c_int32, ctypes.POINTER(D), ctypes.POINTER(D), ctypes.c_char_p]
swe.swe_set_delta_t_userdef.argtypes = [D]
swe.swe_calc.restype = ctypes.c_int32
swe.swe_calc.argtypes = [D, ctypes.c_int, ctypes.c_int32, ctypes.POINTER(D), ctypes.c_char_p]
swe.swe_version.restype = ctypes.c_char_p
swe.swe_version.argtypes = [ctypes.c_char_p]
swe.swe_set_astro_models.argtypes = [ctypes.c_char_p, ctypes.c_int32]
swe.swe_set_astro_models(ASTRO_MODELS, SEFLG_SWIEPH)

INSIDE_DAYS = 30.0 / 86400.0


def program_delta_t(halvor, jd):
    """The program's delta T (seconds) for the Gregorian year of the day of a Julian date."""
    y, m, d, h = ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), D()
    swe.swe_revjul(jd, SE_GREG_CAL, ctypes.byref(y), ctypes.byref(m), ctypes.byref(d), ctypes.byref(h))
    return halvor.deltat(float(y.value), DELTAT_MODEL) * 60.0


def require_files(jd_ut):
    """Refuses a moment the library did not read from the DE431 files (it would fall back silently)."""
    xx = (D * 6)()
    err = ctypes.create_string_buffer(256)
    for body in (0, 1):
        flags = swe.swe_calc(jd_ut, body, SEFLG_SWIEPH, xx, err)
        if flags < 0 or not flags & SEFLG_SWIEPH:
            raise RuntimeError(f"no ephemeris file for body {body} at JD {jd_ut}: {err.value.decode()}")


def altitude(jd_ut, geo):
    return how(jd_ut, geo)[5]  # true (geometric) altitude of the Sun's centre


def how(jd_ut, geo):
    attr = (D * 20)()
    err = ctypes.create_string_buffer(256)
    swe.swe_sol_eclipse_how(jd_ut, SEFLG_SWIEPH, geo, attr, err)
    return attr


def broken(contacts, geo):
    """The first and last contacts at which the library's own magnitude says that the eclipse has not begun yet,
    or has ended already, some seconds inside them (it happens at very grazing eclipses). The library gives no
    magnitude with the Sun below the horizon: such contacts are not judged."""
    c1, c4 = contacts[0], contacts[4]
    inside = min(INSIDE_DAYS, (c4 - c1) / 4)
    names = []
    for name, moment in (("C1", c1 + inside), ("C4", c4 - inside)):
        attr = how(moment, geo)
        if attr[5] > 1.0 and attr[0] <= 0:
            names.append(name)
    return " ".join(names)


def eclipses(site, first, last, halvor):
    name, lat, lon, height = site
    geo = (D * 3)(lon, lat, height)
    tret, attr = (D * 10)(), (D * 20)()
    err = ctypes.create_string_buffer(256)
    t = swe.swe_julday(first, 1, 1, 0.0, SE_GREG_CAL)
    end = swe.swe_julday(last, 1, 1, 0.0, SE_GREG_CAL)
    rows = []
    while True:
        # The search itself runs with the program's delta T at its start (the next eclipse's year differs
        # by a few seconds at most, far less than the library's own delta T may, which can hide an eclipse).
        swe.swe_set_delta_t_userdef(program_delta_t(halvor, t) / 86400.0)
        flags = swe.swe_sol_eclipse_when_loc(t, SEFLG_SWIEPH, geo, tret, attr, 0, err)
        if flags < 0:
            raise RuntimeError(err.value.decode())
        if tret[0] >= end:
            return rows
        found = tret[0]
        dt = program_delta_t(halvor, found)
        swe.swe_set_delta_t_userdef(dt / 86400.0)
        flags = swe.swe_sol_eclipse_when_loc(found - 0.5, SEFLG_SWIEPH, geo, tret, attr, 0, err)
        t = found + 1.0
        if flags < 0 or abs(tret[0] - found) > 0.5:
            continue  # with the program's delta T the eclipse is not visible there
        require_files(tret[0])
        kind = "total" if flags & SE_ECL_TOTAL else "annular" if flags & SE_ECL_ANNULAR else "partial"
        contacts = [tret[1], tret[2], tret[0], tret[3], tret[4]]
        cells = [name, f"{lat}", f"{lon}", f"{height}", f"{dt:.3f}", kind,
                 "1" if flags & SE_ECL_MAX_VISIBLE else "0"]
        cells += [f"{c:.7f}" if c > 0 else "" for c in contacts]
        cells += [f"{altitude(c, geo):.4f}" if c > 0 else "" for c in contacts]
        cells += [f"{attr[0]:.5f}", f"{attr[2]:.5f}", broken(contacts, geo)]
        rows.append(",".join(cells))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    halvor = ctypes.CDLL(sys.argv[1])
    halvor.deltat.restype = D
    halvor.deltat.argtypes = [D, ctypes.c_int32]
    header = ("site,latitude,longitude,height,delta_t_s,kind,max_visible,c1,c2,max,c3,c4,"
              "alt_c1,alt_c2,alt_max,alt_c3,alt_c4,magnitude,obscuration,broken")
    rows = [header]
    for first, last, sites in SPANS:
        for site in sites:
            rows += eclipses(site, first, last, halvor)
    with open(OUT, "w", encoding="ascii") as f:
        f.write("\n".join(rows) + "\n")
    print(f"{len(rows) - 1} eclipses written to {OUT} ({swe.swe_version(ctypes.create_string_buffer(256)).decode()})")


if __name__ == "__main__":
    main()
