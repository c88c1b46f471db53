#include "main/MoonPixmap.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tavr::ui {

namespace {

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
    if (dpr <= 0) dpr = 1.0;
    // Above 1.25 device pixels a point the picture is drawn from the pictures
    // of twice the pixels (when they are there), so that the terminator and
    // the surface stay sharp; what remains of the ratio is a smooth scaling.
    int scale = dpr > 1.25 ? 2 : 1;
    QImage img = moon::DrawMoonPicture(report, background, picDir, maxX, maxY, scale);
    if (img.isNull() && scale == 2) {
        scale = 1;
        img = moon::DrawMoonPicture(report, background, picDir, maxX, maxY);
    }
    if (img.isNull()) return {};
    const QColor shine = EarthshineFor(background);
    const QRgb ground = background.rgb();

    // The disc is where the dark Moon's picture is not the key colour; its
    // night side is what shows the ground or the dark surface there.
    QRect disc;
    const QImage& dark = moon::SharedPictures(picDir, scale).base(moon::PictureCase::Dark);
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

    const QSize deviceSize = (QSizeF(img.size()) * (dpr / scale)).toSize();
    QImage out = deviceSize == img.size()
                     ? img
                     : img.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
