// The two astronomy libraries against the JPL ephemeris DE405, 1960-2059: phase
// moments and the apparent places of the Moon and the Sun (tests/data/README.md
// tells how the reference files were made).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "brisel.h"
#include "halvor.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadToDeg = 180.0 / kPi;
// Phase moments, seconds: the worst and the root mean square.
constexpr double kPhaseWorstSec = 2.0;
constexpr double kPhaseRmsSec = 0.5;
// Apparent longitudes and the Moon's latitude, arcseconds.
constexpr double kMoonLongitudeArcsec = 1.0;
constexpr double kMoonLatitudeArcsec = 1.0;
constexpr double kSunLongitudeArcsec = 1.0;
// Distances: the Moon's in kilometres (the short series of the export: about 1 km),
// the Sun's in astronomical units.
constexpr double kMoonDistanceKm = 2.0;
constexpr double kSunDistanceAu = 1e-6;

std::vector<std::vector<double>> ReadCsv(const std::string& name) {
    std::ifstream in(std::string(TAVR_EPHEMERIS_DATA) + "/" + name);
    std::vector<std::vector<double>> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<double> row;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ','))
            row.push_back(std::stod(cell));
        rows.push_back(row);
    }
    return rows;
}

double ArcsecBetween(double radians, double degrees) {
    return std::abs(std::remainder(radians * kRadToDeg - degrees, 360.0)) * 3600.0;
}

TEST(Ephemeris, PhaseMomentsWithinSecondsOfDe405) {
    const auto rows = ReadCsv("de405_phases.csv");
    ASSERT_GT(rows.size(), 900u);
    double worst = 0, sum2 = 0;
    for (const auto& r : rows) {
        const double err =
            std::abs(halvor(static_cast<int32_t>(r[0]), static_cast<int32_t>(r[1]), nullptr) - r[2]) *
            86400.0;
        worst = std::max(worst, err);
        sum2 += err * err;
    }
    const double rms = std::sqrt(sum2 / rows.size());
    std::printf("phase moments vs DE405: worst %.3f s, rms %.3f s (%zu phases)\n", worst, rms, rows.size());
    EXPECT_LE(worst, kPhaseWorstSec);
    EXPECT_LE(rms, kPhaseRmsSec);
}

TEST(Ephemeris, ApparentPlacesOfTheMoonAndTheSun) {
    const auto rows = ReadCsv("de405_longitudes.csv");
    ASSERT_EQ(rows.size(), 400u);
    double moonLon = 0, moonLat = 0, moonDist = 0, sunLon = 0, sunDist = 0;
    for (const auto& r : rows) {
        double lat = 0, dist = 0, radius = 0;
        const double lon = moonpos(r[0] - 2451545.0, &lat, &dist);
        moonLon = std::max(moonLon, ArcsecBetween(lon, r[1]));
        moonLat = std::max(moonLat, std::abs(lat * kRadToDeg - r[2]) * 3600.0);
        moonDist = std::max(moonDist, std::abs(dist - r[3]));
        sunLon = std::max(sunLon, ArcsecBetween(brisel_app(r[0], &radius), r[4]));
        sunDist = std::max(sunDist, std::abs(radius - r[5]));
    }
    std::printf("vs DE405: Moon longitude %.3f\", latitude %.3f\", distance %.3f km; Sun longitude %.3f\", "
                "distance %.2e au\n",
                moonLon, moonLat, moonDist, sunLon, sunDist);
    EXPECT_LE(moonLon, kMoonLongitudeArcsec);
    EXPECT_LE(moonLat, kMoonLatitudeArcsec);
    EXPECT_LE(moonDist, kMoonDistanceKm);
    EXPECT_LE(sunLon, kSunLongitudeArcsec);
    EXPECT_LE(sunDist, kSunDistanceAu);
}

} // namespace
