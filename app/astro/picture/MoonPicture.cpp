#include "astro/picture/MoonPicture.h"

#include <QDir>

#include <algorithm>
#include <string_view>

namespace tavr::moon {
namespace {

// The cases shown unchanged, one per stored picture, in the order of m_base.
constexpr PictureCase kBases[4] = {PictureCase::Dark, PictureCase::FirstQuarter, PictureCase::Full,
                                   PictureCase::LastQuarter};

// Which stored picture a case is drawn on (BasePictureName says which file), or -1.
int BaseIndex(PictureCase picture) {
    const std::string_view name = BasePictureName(picture);
    for (int i = 0; i < 4; ++i)
        if (!name.empty() && name == BasePictureName(kBases[i])) return i;
    return -1;
}

} // namespace

MoonPictureSet::MoonPictureSet(const QString& picDir, int scale)
    : m_dir(picDir), m_scale(scale == 2 ? 2 : 1) {
    const QDir dir(picDir);
    const QString suffix = m_scale == 2 ? QStringLiteral("@2x.bmp") : QStringLiteral(".bmp");
    for (int i = 0; i < 4; ++i) {
        QImage img(dir.filePath(QString::fromLatin1(BasePictureName(kBases[i])) + suffix));
        if (!img.isNull()) img = img.convertToFormat(QImage::Format_RGB32);
        // Qt reads a name ending in "@2x" as an image of two device pixels a
        // point; here every picture is a plain array of pixels.
        img.setDevicePixelRatio(1.0);
        m_base[i] = img;
    }
}

const QImage& MoonPictureSet::base(PictureCase picture) const {
    static const QImage none;
    const int i = BaseIndex(picture);
    return i < 0 ? none : m_base[i];
}

// The drawing rules, in one pass over the rows: a pixel takes the background
// colour when it has the key colour, and, for the drawn cases, when it lies
// outside the disc or on the night side of the terminator ellipse within the
// columns of that case. (All three paint the same colour, so their order does
// not matter.)
QImage MoonPictureSet::draw(const MoonReport& report, QColor background, int maxX, int maxY) const {
    const QImage& src = base(report.picture);
    if (src.isNull()) return {};
    QImage img = src.copy();
    const QRgb bg = background.rgb() | 0xFF000000u;
    const int lastX = std::min(maxX, img.width() - 1);
    const int lastY = std::min(maxY, img.height() - 1);

    const bool drawn = IsDrawn(report.picture);
    int cx = maxX / 2, cy = maxY / 2 + 1;
    if (report.picture == PictureCase::WaningCrescent) {
        cx = maxX / 2 + 2;
        cy = maxY / 2;
    }
    const double cx2 = double(cx) * cx;
    const double r2 = report.r2;
    // Columns of the terminator test, and whether "inside the ellipse" is the
    // night side: the right half for the waxing crescent and the waning gibbous
    // Moon, the left half for the other two; the night inside for the crescents.
    const PictureCase picture = report.picture;
    const bool waxing = picture == PictureCase::WaxingCrescent || picture == PictureCase::WaxingGibbous;
    const bool crescent = picture == PictureCase::WaxingCrescent || picture == PictureCase::WaningCrescent;
    const bool nightInside = crescent;
    const bool rightHalf = drawn && waxing == crescent;
    const int fromX = !drawn ? 0 : rightHalf ? cx : 0;
    const int toX = !drawn ? -1 : rightHalf ? maxX : cx;
    const int column = report.picture == PictureCase::WaningCrescent ? maxX / 2 : -1;

    const int width = img.width(), height = img.height();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        if (!drawn || y > lastY) {
            for (int x = 0; x < width; ++x)
                if ((line[x] | 0xFF000000u) == kKeyColour) line[x] = bg;
            continue;
        }
        const double dy = cy - y;
        const double dy2 = dy * dy;
        const double v = (cx2 - dy2) * r2;
        for (int x = 0; x < width; ++x) {
            QRgb& p = line[x];
            if ((p | 0xFF000000u) == kKeyColour) {
                p = bg;
                continue;
            }
            if (x > lastX) continue;
            const double dx = x - cx;
            const double dx2 = dx * dx;
            if (dx2 + dy2 > cx2 || x == column) {
                p = bg;
            } else if (x >= fromX && x <= toX && (nightInside ? v > dx2 : v <= dx2)) {
                p = bg;
            }
        }
    }
    return img;
}

const MoonPictureSet& SharedPictures(const QString& picDir, int scale) {
    static MoonPictureSet sets[2];
    static bool loaded[2] = {false, false};
    const int i = scale == 2 ? 1 : 0;
    if (!loaded[i] || sets[i].folder() != picDir) {
        sets[i] = MoonPictureSet(picDir, i + 1);
        loaded[i] = true;
    }
    return sets[i];
}

QImage DrawMoonPicture(const MoonReport& report, QColor background, const QString& picDir, int maxX, int maxY,
                       int scale) {
    const MoonPictureSet& set = SharedPictures(picDir, scale);
    return set.draw(report, background, maxX * set.scale(), maxY * set.scale());
}

} // namespace tavr::moon
