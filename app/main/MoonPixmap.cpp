#include "main/MoonPixmap.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tavr::ui {

namespace {

// The dark Moon's pictures of one folder, kept between calls.
const QImage& DarkMoon(const QString& picDir) {
    static moon::MoonPictureSet set;
    static bool loaded = false;
    if (!loaded || set.folder() != picDir) {
        set = moon::MoonPictureSet(picDir);
        loaded = true;
    }
    return set.base(moon::PictureCase::Dark);
}

int Clamp(int v) {
    return std::clamp(v, 0, 255);
}

// The usual grey of the dark Moon's surface, which the earthshine replaces.
constexpr int kDarkSurface = 28;

} // namespace

QColor EarthshineFor(const QColor& background) {
    return background.lightness() < 128 ? QColor(74, 74, 92) : QColor(100, 100, 112);
}

QPixmap MoonPixmap(const moon::MoonReport& report, const QColor& background, const QString& picDir, qreal dpr,
                   int maxX, int maxY) {
    QImage img = moon::DrawMoonPicture(report, background, picDir, maxX, maxY);
    if (img.isNull()) return {};
    if (dpr <= 0) dpr = 1.0;
    const QColor shine = EarthshineFor(background);
    const QRgb ground = background.rgb();

    // The disc is where the dark Moon's picture is not the key colour; its
    // night side is what shows the ground or the dark surface there.
    QRect disc;
    const QImage& dark = DarkMoon(picDir);
    if (!dark.isNull() && dark.size() == img.size()) {
        const int dr = shine.red() - kDarkSurface, dg = shine.green() - kDarkSurface,
                  db = shine.blue() - kDarkSurface;
        for (int y = 0; y < img.height(); ++y) {
            const auto* d = reinterpret_cast<const QRgb*>(dark.constScanLine(y));
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                if ((d[x] | 0xFF000000u) == moon::kKeyColour) continue;
                disc |= QRect(x, y, 1, 1);
                const QRgb p = line[x] | 0xFF000000u;
                if (p != ground && p != (d[x] | 0xFF000000u)) continue; // lit
                line[x] = qRgb(Clamp(qRed(d[x]) + dr), Clamp(qGreen(d[x]) + dg), Clamp(qBlue(d[x]) + db));
            }
        }
    }

    QImage out = qFuzzyCompare(dpr, 1.0) ? img
                                         : img.scaled((QSizeF(img.size()) * dpr).toSize(),
                                                      Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!disc.isEmpty()) {
        // A smooth edge at the device's resolution instead of the enlarged
        // steps of the picture, and the limb, one device pixel wide.
        QPainter p(&out);
        p.setRenderHint(QPainter::Antialiasing, true);
        const qreal sx = qreal(out.width()) / img.width(), sy = qreal(out.height()) / img.height();
        const QRectF limb(disc.x() * sx, disc.y() * sy, disc.width() * sx, disc.height() * sy);
        QPainterPath outside;
        outside.addRect(QRectF(out.rect()));
        outside.addEllipse(limb);
        p.fillPath(outside, background);
        const QColor line = background.lightness() < 128 ? shine.lighter(150) : shine.darker(140);
        p.setPen(QPen(line, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(limb.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    QPixmap pixmap = QPixmap::fromImage(out);
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

} // namespace tavr::ui
