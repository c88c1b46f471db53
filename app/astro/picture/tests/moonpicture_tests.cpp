// Drawing of the Moon picture: base picture per case, the lit side, the lit
// share of the disc against the illuminated fraction, the background colour
// in place of the key colour, and missing files.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include "astro/picture/MoonPicture.h"

using namespace tavr::moon;

namespace {

constexpr QRgb kNavy = 0xFF000080;
constexpr int kSize = 89;
// Largest difference between the lit share of the disc and the illuminated
// fraction (the disc is 44 pixels in radius; the waning crescent's centre is
// two columns off).
constexpr double kLitShareTolerance = 0.04;

// Synthetic base pictures: key colour around a disc centred at (44, 44) of
// radius 44; the lit parts a different grey per picture, the night half key.
QRgb Grey(int g) {
    return qRgb(g, g, g);
}
constexpr int kDarkGrey = 40, kFirstGrey = 150, kFullGrey = 180, kLastGrey = 120;

void WriteBases(const QString& dir) {
    struct Base {
        const char* name;
        int grey;
        int litFrom, litTo; // columns
    };
    const Base bases[] = {{"darkmoon", kDarkGrey, 0, 88},
                          {"1stquarter", kFirstGrey, 44, 88},
                          {"fullmoon", kFullGrey, 0, 88},
                          {"lastquarter", kLastGrey, 0, 44}};
    for (const Base& b : bases) {
        QImage img(kSize, kSize, QImage::Format_RGB32);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const bool disc = (x - 44) * (x - 44) + (y - 44) * (y - 44) <= 44 * 44;
                img.setPixel(x, y, disc && x >= b.litFrom && x <= b.litTo ? Grey(b.grey) : kKeyColour);
            }
        ASSERT_TRUE(img.save(QDir(dir).filePath(QString(b.name) + ".bmp"), "BMP"));
    }
}

class MoonPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteBases(m_dir.path());
        m_set = MoonPictureSet(m_dir.path());
    }
    QTemporaryDir m_dir;
    MoonPictureSet m_set;
};

MoonReport Report(double f, bool waxing) {
    MoonReport r;
    ApplyPhase(r, f, waxing);
    return r;
}

int KeyPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == kKeyColour;
    return n;
}

struct Counts {
    int disc = 0, lit = 0, leftLit = 0, rightLit = 0;
};

// Lit pixels within the disc of radius 43 around (44, 44).
Counts Count(const QImage& img) {
    Counts c;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int dx = x - 44, dy = y - 44;
            if (dx * dx + dy * dy > 43 * 43) continue;
            ++c.disc;
            if (img.pixel(x, y) == kNavy) continue;
            ++c.lit;
            if (dx < 0) ++c.leftLit;
            if (dx > 0) ++c.rightLit;
        }
    return c;
}

struct CaseRow {
    double f;
    bool waxing;
    PictureCase picture;
    int grey; // grey of the base picture used
};

TEST_F(MoonPictureTest, BasePictureAndLitSidePerCase) {
    const CaseRow rows[] = {
        {0.0, true, PictureCase::Dark, kDarkGrey},
        {0.5, true, PictureCase::FirstQuarter, kFirstGrey},
        {0.5, false, PictureCase::LastQuarter, kLastGrey},
        {1.0, false, PictureCase::Full, kFullGrey},
        {0.2, true, PictureCase::WaxingCrescent, kFirstGrey},
        {0.8, true, PictureCase::WaxingGibbous, kFullGrey},
        {0.8, false, PictureCase::WaningGibbous, kFullGrey},
        {0.2, false, PictureCase::WaningCrescent, kLastGrey},
    };
    for (const auto& row : rows) {
        const MoonReport r = Report(row.f, row.waxing);
        ASSERT_EQ(r.picture, row.picture) << row.f;
        const QImage img = m_set.draw(r, QColor(kNavy));
        ASSERT_EQ(img.size(), QSize(kSize, kSize));
        EXPECT_EQ(KeyPixels(img), 0);
        EXPECT_EQ(img.pixel(0, 0), kNavy);
        const Counts c = Count(img);
        ASSERT_GT(c.lit, 0) << row.f;
        int foreign = 0; // pixels neither background nor the base picture's grey
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                foreign += img.pixel(x, y) != kNavy && img.pixel(x, y) != Grey(row.grey);
        EXPECT_EQ(foreign, 0) << row.f;
        const bool rightSide = row.waxing; // the side lit the most
        if (row.picture != PictureCase::Dark && row.picture != PictureCase::Full) {
            if (rightSide) {
                EXPECT_GT(c.rightLit, c.leftLit) << row.f;
            } else {
                EXPECT_GT(c.leftLit, c.rightLit) << row.f;
            }
        }
        if (row.picture == PictureCase::WaxingCrescent) {
            EXPECT_EQ(c.leftLit, 0);
        }
        if (row.picture == PictureCase::WaningCrescent) {
            EXPECT_EQ(c.rightLit, 0);
        }
        if (row.picture == PictureCase::WaxingGibbous) {
            EXPECT_GT(c.leftLit, 0);
        }
        if (row.picture == PictureCase::WaningGibbous) {
            EXPECT_GT(c.rightLit, 0);
        }
    }
}

TEST_F(MoonPictureTest, LitShareFollowsTheIllumination) {
    double worst = 0;
    for (int i = 1; i < 99; ++i) {
        const double f = i / 100.0;
        for (bool waxing : {true, false}) {
            const MoonReport r = Report(f, waxing);
            if (!IsDrawn(r.picture)) continue;
            const Counts c = Count(m_set.draw(r, QColor(kNavy)));
            const double share = double(c.lit) / c.disc;
            worst = std::max(worst, std::fabs(share - f));
            EXPECT_NEAR(share, f, kLitShareTolerance) << f << (waxing ? " waxing" : " waning");
        }
    }
    std::printf("drawn pictures: worst |lit share - f| = %.4f\n", worst);
}

TEST_F(MoonPictureTest, BackgroundColourAndSizes) {
    const MoonReport r = Report(0.3, true);
    const QImage white = m_set.draw(r, QColor(255, 255, 255));
    EXPECT_EQ(white.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(KeyPixels(white), 0);
    // A smaller drawing area leaves the pixels beyond it as loaded, key colour replaced.
    const QImage small = m_set.draw(r, QColor(kNavy), 60, 60);
    EXPECT_EQ(small.size(), QSize(kSize, kSize));
    EXPECT_EQ(KeyPixels(small), 0);
    // A larger one is clipped to the picture.
    EXPECT_EQ(KeyPixels(m_set.draw(r, QColor(kNavy), 200, 200)), 0);
    // Nothing to draw after an error.
    MoonReport none;
    EXPECT_TRUE(m_set.draw(none, QColor(kNavy)).isNull());
}

TEST(MoonPictureFiles, MissingFolderGivesANullPicture) {
    QTemporaryDir empty;
    const MoonPictureSet set(empty.path());
    MoonReport r;
    ApplyPhase(r, 0.3, true);
    EXPECT_TRUE(set.base(PictureCase::Full).isNull());
    EXPECT_TRUE(set.draw(r, QColor(kNavy)).isNull());
    EXPECT_TRUE(DrawMoonPicture(r, QColor(kNavy), empty.path() + "/nowhere").isNull());
}

// The pictures shipped in bin/, through the cached entry point.
TEST(MoonPictureFiles, ShippedPictures) {
    const QString bin = QStringLiteral(TAVR_BIN_DIR);
    for (int i = 0; i <= 100; i += 5) {
        for (bool waxing : {true, false}) {
            MoonReport r;
            ApplyPhase(r, i / 100.0, waxing);
            const QImage img = DrawMoonPicture(r, QColor(kNavy), bin);
            ASSERT_FALSE(img.isNull()) << i;
            EXPECT_EQ(img.size(), QSize(kSize, kSize));
            EXPECT_EQ(KeyPixels(img), 0) << i;
            EXPECT_EQ(img.pixel(0, 0), kNavy);
        }
    }
}

// The pictures of twice the pixels (for screens of two device pixels a
// point): twice the size, and the same Moon (its lit share of the disc).
TEST(MoonPictureFiles, ShippedPicturesOfTwiceThePixels) {
    const QString bin = QStringLiteral(TAVR_BIN_DIR);
    auto litShare = [](const QImage& img) {
        const double c = (img.width() - 1) / 2.0, r = 0.95 * c;
        int disc = 0, lit = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                if ((x - c) * (x - c) + (y - c) * (y - c) > r * r) continue;
                ++disc;
                lit += img.pixel(x, y) != kNavy;
            }
        return double(lit) / disc;
    };
    double worst = 0;
    for (int i = 5; i <= 95; i += 10) {
        for (bool waxing : {true, false}) {
            MoonReport r;
            ApplyPhase(r, i / 100.0, waxing);
            const QImage one = DrawMoonPicture(r, QColor(kNavy), bin);
            const QImage two = DrawMoonPicture(r, QColor(kNavy), bin, kPictureMax, kPictureMax, 2);
            ASSERT_FALSE(two.isNull()) << i;
            EXPECT_EQ(two.size(), QSize(2 * kSize, 2 * kSize));
            EXPECT_EQ(two.devicePixelRatio(), 1.0); // pixels, whatever the file's name says
            EXPECT_EQ(KeyPixels(two), 0) << i;
            if (r.picture == PictureCase::Dark) continue; // its disc is all earthshine
            worst = std::max(worst, std::fabs(litShare(two) - litShare(one)));
            EXPECT_NEAR(litShare(two), litShare(one), kLitShareTolerance)
                << i << (waxing ? " waxing" : " waning");
        }
    }
    std::printf("pictures of twice the pixels: worst lit-share difference %.4f\n", worst);
}

} // namespace
