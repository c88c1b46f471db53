// The lunar module and the date binding when neither library can be loaded:
// neutral values, one report per library, no hang.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro/Lunar.h"
#include "astro/MoonData.h"
#include "base/DateLib.h"
#include "base/LibLoader.h"

namespace {

using namespace tavr::lunar;

std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
}

// Runs before the first binding of this program.
struct NoLibraries : ::testing::Test {
    static void SetUpTestSuite() {
        tavr::SetLibraryDirectory("/nonexistent-tavr-library-folder");
        tavr::SetLoadErrorReporter([](const std::string& m) { Messages().push_back(m); });
        InitLunarConstants();
    }
};

int CountMessagesNaming(const std::string& file) {
    int n = 0;
    for (const auto& m : Messages())
        n += m.find(file) != std::string::npos;
    return n;
}

TEST_F(NoLibraries, LunarOperationsGiveNeutralValues) {
    EXPECT_EQ(DeltaTForYear(2000), 0.0);
    EXPECT_EQ(DeltaTAt(2451545.0), 0.0);
    EXPECT_EQ(PhaseMomentTT(0, kNewMoon), 0.0);
    EXPECT_EQ(PhaseMomentUT(0, kNewMoon), 0.0);
    // The mean lunation, found without a search.
    EXPECT_EQ(LunationOf(LunationEpoch() + 1.0), 0);
    EXPECT_EQ(LunationOf(LunationEpoch() + 100 * MeanSynodicMonth() + 1.0), 100);
    bool flag = true;
    EXPECT_LT(GetPhase(0, 2451550.0, flag), 0);
    EXPECT_FALSE(flag);
    double out = 0;
    EXPECT_EQ(MoonLongitudeAt(2451545.0, &out), kMoonLongitudeTooEarly);
    EXPECT_EQ(EclipseKindText(3), "Central total solar eclipse");
}

TEST_F(NoLibraries, DateBindingGivesNeutralValues) {
    EXPECT_FALSE(tavr::datelib::Available());
    EuroDate d{2000, 1, 1, tavr::datelib::kLetterGregorian, 5, 1};
    EXPECT_EQ(tavr::datelib::EuroDateToJdn(d), 0);
    EXPECT_EQ(d.valid, 0);
    EuroDate e{7, 7, 7, tavr::datelib::kLetterGregorian, 2451545, 1};
    tavr::datelib::JdnToEuroDate(e);
    EXPECT_EQ(e.valid, 0);
    EXPECT_NE(tavr::datelib::StrToDate("2000-01-01", 2, d, 'G'), 0);
    EXPECT_EQ(tavr::datelib::SeparateThousands("12345", ','), "12345");
    EXPECT_EQ(tavr::datelib::GetTimezone(), 0);
    EXPECT_EQ(tavr::datelib::DayOfWeek(2451545), 0);
}

TEST_F(NoLibraries, EachMissingLibraryIsReportedOnce) {
    for (int i = 0; i < 2; ++i) {
        DeltaTAt(2451545.0);
        PhaseMomentUT(1, kFullMoon);
        tavr::datelib::GetTimezone();
    }
    EXPECT_EQ(CountMessagesNaming(tavr::LibraryFileName("halvor")), 1);
    EXPECT_EQ(CountMessagesNaming(tavr::LibraryFileName("kelmar")), 1);
}

// The Moon report without the astronomy library: the error to show and no
// age made of phase moments that are none ("(inf%)").
TEST_F(NoLibraries, MoonReportShowsNoGarbage) {
    const tavr::moon::MoonReport report = tavr::moon::ComputeMoonData(2451545.0);
    EXPECT_TRUE(report.error);
    EXPECT_EQ(report.ageLabel, "");
    EXPECT_EQ(report.phaseLabel, "");
}

} // namespace
