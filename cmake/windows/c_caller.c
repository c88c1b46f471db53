/* A C program linked with the import libraries of the five DLLs, as another
 * program would use them: declares nothing of its own, calls through the
 * public headers and checks one known result of each library. */
#include <math.h>
#include <stdio.h>

#include "brisel.h"
#include "dtc.h"
#include "halvor.h"
#include "kelmar.h"
#include "vrslc.h"

static int failures = 0;

static void check(int ok, const char* what) {
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
}

int main(void) {
    VrslcDate vr = {0};
    vr.dayNumber = 207227; /* the first day of the solilunar epoch */
    const int length = jdn_to_vrslcdate(&vr);
    check(length == 29 && vr.cycle == 0 && vr.year == 1 && vr.month == 1 && vr.day == 1, "vrslc epoch");
    check(vrslc_datestr_to_vrslc_date("0-1-1-1", &vr) == 1 && vrslcdate_to_jdn(&vr) == 207227, "vrslc parse");

    DtcLunarDate ldt = {0};
    ldt.dayNumber = 2451545;
    jdn_to_dtclunar(&ldt);
    ldt.dayNumber = 0;
    check(dtclunar_valid(&ldt) == 1 && dtclunar_to_jdn(&ldt) == 2451545, "dtc round trip");

    EuroDate ce = {2000, 1, 1, 'G', 0, 0};
    check(euro_date_to_jdn(&ce) == 2451545 && ce.valid == 1, "kelmar 2000-01-01");
    check(euro_day_of_week(2451545) == 6, "kelmar Saturday");
    char grouped[20];
    separate_thousands("-1234567", ',', grouped);
    check(grouped[0] == '-' && grouped[2] == ',' && grouped[6] == ',', "kelmar digit groups");

    /* The total lunar eclipse of 2000-01-21 (full Moon near JDE 2451564.7). */
    PhaseEventRecord record;
    const double first = halvor(0, 0, &record);
    const int k = (int)floor((2451564.7 - first) / 29.530589 + 0.5);
    const double full = halvor(k, 2, &record);
    check(fabs(full - 2451564.7) < 1.0 && record.eclipseType >= 8 && record.eclipseType <= 10,
          "halvor full Moon with its eclipse");
    const double dt = deltat(2000.0, 1915);
    check(dt > 1.0 && dt < 1.2, "halvor delta T of 2000 (about 64 s)");
    double lat = 0, dist = 0;
    const double moon = moonpos(0.0, &lat, &dist);
    check(moon > 3.8 && moon < 4.0, "halvor Moon longitude at J2000 (about 223 degrees)");
    double distance = 0;
    const double sun = brisel_app(2451545.0, &distance);
    check(sun > 4.88 && sun < 4.90, "brisel Sun longitude at J2000 (about 280.4 degrees)");
    return failures == 0 ? 0 : 1;
}
