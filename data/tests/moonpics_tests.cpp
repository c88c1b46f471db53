// The Moon pictures rendered into bin/ at build time: names, sizes, the key
// colour around and beside the lit parts, the lit halves, the day pictures'
// transparency and phases, and a face that is shaded, not flat.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const QString kBin = QStringLiteral(TAVR_BIN_DIR);
constexpr QRgb kKey = 0xFFC80000; // RGB(200, 0, 0)
constexpr int kBitmapSize = 89;
constexpr int kDaySize = 52;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSynodicMonth = 29.530588853;
// A lit pixel of a day picture is brighter than this grey level.
constexpr int kLitGrey = 70;
// Largest difference between a day picture's lit share of the disc and the
// illuminated fraction of its day.
constexpr double kDayFractionTolerance = 0.08;

int Grey(QRgb c) {
    return (qRed(c) + qGreen(c) + qBlue(c)) / 3;
}

QImage LoadBitmap(const char* name) {
    QImage img(kBin + "/" + name + ".bmp");
    return img.convertToFormat(QImage::Format_RGB32);
}

bool InDisc(int x, int y, double r) {
    const double dx = x - 44.0, dy = y - 44.0;
    return dx * dx + dy * dy <= r * r;
}

struct BitmapCase {
    const char* name;
    bool leftLit, rightLit; // columns 0..40 and 48..88 of the middle rows
};

TEST(MoonBitmaps, SizeKeyColourAndLitHalves) {
    const BitmapCase cases[] = {
        {"darkmoon", true, true}, // earthshine: the disc shows, faintly
        {"1stquarter", false, true},
        {"fullmoon", true, true},
        {"lastquarter", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage img = LoadBitmap(c.name);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), kBitmapSize);
        EXPECT_EQ(img.height(), kBitmapSize);
        for (QPoint corner : {QPoint(0, 0), QPoint(88, 0), QPoint(0, 88), QPoint(88, 88), QPoint(3, 10)})
            EXPECT_EQ(img.pixel(corner), kKey) << corner.x() << "," << corner.y();
        int leftLit = 0, rightLit = 0, leftAll = 0, rightAll = 0;
        for (int y = 20; y <= 68; ++y) {
            for (int x = 0; x < kBitmapSize; ++x) {
                if (!InDisc(x, y, 42)) continue;
                const bool lit = img.pixel(x, y) != kKey;
                if (x <= 40) {
                    ++leftAll;
                    leftLit += lit;
                }
                if (x >= 48) {
                    ++rightAll;
                    rightLit += lit;
                }
            }
        }
        EXPECT_EQ(leftLit == leftAll, c.leftLit);
        EXPECT_EQ(leftLit == 0, !c.leftLit);
        EXPECT_EQ(rightLit == rightAll, c.rightLit);
        EXPECT_EQ(rightLit == 0, !c.rightLit);
        // Nothing outside the disc but the key colour.
        int strays = 0;
        for (int y = 0; y < kBitmapSize; ++y)
            for (int x = 0; x < kBitmapSize; ++x)
                strays += !InDisc(x, y, 44.5) && img.pixel(x, y) != kKey;
        EXPECT_EQ(strays, 0);
    }
}

// The full Moon is a grey, shaded face: no colour cast, a spread of grey
// levels, and the maria of the north-west (Mare Imbrium) and the east (Mare
// Crisium) darker than the southern highlands.
TEST(MoonBitmaps, FullMoonLooksLikeTheMoon) {
    const QImage img = LoadBitmap("fullmoon");
    double sum = 0, sum2 = 0;
    int n = 0, worstCast = 0;
    for (int y = 0; y < kBitmapSize; ++y) {
        for (int x = 0; x < kBitmapSize; ++x) {
            if (!InDisc(x, y, 43)) continue;
            const QRgb c = img.pixel(x, y);
            worstCast = std::max(worstCast, std::abs(qRed(c) - qBlue(c)));
            const int g = Grey(c);
            sum += g, sum2 += double(g) * g, ++n;
        }
    }
    const double mean = sum / n, sd = std::sqrt(sum2 / n - mean * mean);
    std::printf("full Moon: mean grey %.1f, spread %.1f, largest red-blue difference %d\n", mean, sd,
                worstCast);
    EXPECT_GT(mean, 110);
    EXPECT_LT(mean, 230);
    EXPECT_GT(sd, 15); // not a flat disc
    EXPECT_LT(worstCast, 20);
    auto patch = [&](int cx, int cy) {
        int s = 0, k = 0;
        for (int y = cy - 3; y <= cy + 3; ++y)
            for (int x = cx - 3; x <= cx + 3; ++x)
                s += Grey(img.pixel(x, y)), ++k;
        return double(s) / k;
    };
    // pixel positions of selenographic places: x = 44 + 44 cos(lat) sin(lon), y = 44 - 44 sin(lat)
    const double imbrium = patch(34, 20);   // 33 N, 16 W
    const double crisium = patch(80, 31);   // 17 N, 59 E
    const double highlands = patch(50, 72); // 40 S, 10 E
    std::printf("Mare Imbrium %.0f, Mare Crisium %.0f, southern highlands %.0f\n", imbrium, crisium,
                highlands);
    EXPECT_LT(imbrium, highlands - 30);
    EXPECT_LT(crisium, highlands - 30);
}

// One day picture read with giflib: indices, palette and transparent index.
struct Gif {
    int width = 0, height = 0, frames = 0, transparent = -1;
    std::vector<int> index;
    std::vector<GifColorType> palette;
};

bool ReadGif(const std::string& path, Gif& out) {
    int err = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &err);
    if (gif == nullptr) return false;
    bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1;
    if (ok) {
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        out.frames = gif->ImageCount;
        const SavedImage& im = gif->SavedImages[0];
        const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : gif->SColorMap;
        ok = map != nullptr && im.ImageDesc.Width == out.width && im.ImageDesc.Height == out.height;
        if (ok) {
            out.palette.assign(map->Colors, map->Colors + map->ColorCount);
            out.index.assign(im.RasterBits, im.RasterBits + out.width * out.height);
            GraphicsControlBlock gcb;
            if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK) out.transparent = gcb.TransparentColor;
        }
    }
    DGifCloseFile(gif, &err);
    return ok;
}

// Lunation day shown by file dayN (cells 8 and 24 of the grid are unused).
int LunationDay(int n) {
    return n <= 7 ? n : n <= 23 ? n - 1 : n - 2;
}

TEST(MoonDayPictures, ThirtyPicturesWithTheirPhases) {
    double worst = 0;
    for (int n = 1; n <= 32; ++n) {
        const std::string path = (kBin + QString("/moon_pics/day%1.gif").arg(n)).toStdString();
        const bool unused = n == 8 || n == 24;
        Gif g;
        const bool read = ReadGif(path, g);
        if (unused) {
            EXPECT_FALSE(read) << path << " is never shown and is not made";
            continue;
        }
        ASSERT_TRUE(read) << path;
        SCOPED_TRACE(path);
        EXPECT_EQ(g.width, kDaySize);
        EXPECT_EQ(g.height, kDaySize);
        EXPECT_EQ(g.frames, 1);
        ASSERT_GE(g.transparent, 0);
        for (int i : {0, kDaySize - 1, kDaySize * kDaySize - 1})
            EXPECT_EQ(g.index[i], g.transparent);
        const double c = (kDaySize - 1) / 2.0;
        int disc = 0, lit = 0, leftLit = 0, rightLit = 0;
        for (int y = 0; y < kDaySize; ++y) {
            for (int x = 0; x < kDaySize; ++x) {
                const int idx = g.index[y * kDaySize + x];
                const double dx = x - c, dy = y - c;
                if (dx * dx + dy * dy > 24.0 * 24.0) continue;
                ASSERT_NE(idx, g.transparent) << "hole in the disc at " << x << "," << y;
                ++disc;
                const GifColorType col = g.palette[idx];
                if ((col.Red + col.Green + col.Blue) / 3 > kLitGrey) {
                    ++lit;
                    (dx < 0 ? leftLit : rightLit) += 1;
                }
            }
        }
        const double age = LunationDay(n) - 0.5;
        const double f = (1 - std::cos(2 * kPi * age / kSynodicMonth)) / 2;
        const double share = double(lit) / disc;
        worst = std::max(worst, std::fabs(share - f));
        EXPECT_NEAR(share, f, kDayFractionTolerance) << "lunation day " << LunationDay(n);
        // Waxing Moons are lit on the right, waning ones on the left.
        if (f > 0.05 && f < 0.9) {
            if (age < kSynodicMonth / 2) {
                EXPECT_GT(rightLit, leftLit);
            } else {
                EXPECT_GT(leftLit, rightLit);
            }
        }
    }
    std::printf("day pictures: worst |lit share - illuminated fraction| = %.3f\n", worst);
}

TEST(MoonDayPictures, QtReadsThemWithTransparency) {
    if (!QImageReader::supportedImageFormats().contains("gif")) GTEST_SKIP() << "no GIF reader in this Qt";
    const QImage img(kBin + "/moon_pics/day16.gif");
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(kDaySize, kDaySize));
    EXPECT_TRUE(img.hasAlphaChannel());
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(26, 26)), 255);
}

} // namespace
