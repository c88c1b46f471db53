// moonpics OUTDIR [--montage FILE.png]
// Renders the Moon pictures shipped beside the program:
//   OUTDIR/darkmoon.bmp, 1stquarter.bmp, fullmoon.bmp, lastquarter.bmp
//     89 x 89, the disc centred, surroundings and night side in the key colour
//     RGB(200, 0, 0) (the dark Moon shows its disc in faint earthshine);
//   OUTDIR/darkmoon@2x.bmp, ... the same at 178 x 178, for screens of two
//     device pixels a point;
//   OUTDIR/moon_pics/dayN.gif, N = 1..32 except 8 and 24
//     52 x 52, the Moon on the days of a lunation, transparent surroundings;
//   OUTDIR/moon_pics/dayN@2x.gif, the same at 104 x 104.
// With --montage, also a PNG of all pictures enlarged, for looking at them.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "GifWriter.h"
#include "MoonRender.h"

using namespace moonpics;

namespace {

constexpr QRgb kKey = 0xFFC80000; // RGB(200, 0, 0)
constexpr int kBitmapSize = 89;
constexpr int kDaySize = 52;
constexpr double kDarkEarthshine = 0.12; // night side of the dark Moon picture
constexpr double kDayEarthshine = 0.06;  // night side of the day pictures
constexpr int kTransparent = 0;          // palette index of the GIF surroundings

// A faintly warm grey.
Rgb Tint(int g) {
    return {static_cast<uint8_t>(g), static_cast<uint8_t>(std::lround(g * 0.985)),
            static_cast<uint8_t>(std::lround(g * 0.95))};
}

QImage ToBitmap(const Picture& pic, bool keyNight) {
    QImage img(pic.size, pic.size, QImage::Format_RGB32);
    for (int y = 0; y < pic.size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < pic.size; ++x) {
            const PixelClass c = pic.classes[static_cast<size_t>(y) * pic.size + x];
            if (c == PixelClass::Outside || (c == PixelClass::Night && keyNight)) {
                line[x] = kKey;
                continue;
            }
            const Rgb t = Tint(pic.grey[static_cast<size_t>(y) * pic.size + x]);
            line[x] = qRgb(t.r, t.g, t.b);
        }
    }
    return img;
}

// Day of the lunation shown by picture file dayN: the calendar grid has 8
// cells a row and leaves cells 8 and 24 unused, so day1-7 are days 1-7,
// day9-23 days 8-22 and day25-32 days 23-30.
int LunationDayOfFile(int n) {
    return n <= 7 ? n : n <= 23 ? n - 1 : n - 2;
}

bool WriteBitmap(const QString& path, const QImage& img) {
    if (!img.save(path, "BMP")) {
        std::fprintf(stderr, "moonpics: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: moonpics OUTDIR [--montage FILE.png]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QString montagePath;
    if (argc >= 4 && std::string(argv[2]) == "--montage") montagePath = QString::fromLocal8Bit(argv[3]);
    if (!QDir().mkpath(outDir + "/moon_pics")) {
        std::fprintf(stderr, "moonpics: cannot create %s/moon_pics\n", qPrintable(outDir));
        return 1;
    }

    const double centre = (kBitmapSize - 1) / 2.0; // 44
    const double radius = centre - 0.2;            // no lone pixels at the four extremes
    struct Bitmap {
        const char* name;
        Lighting light;
        bool keyNight;
    };
    Lighting dark;
    dark.sx = 0, dark.sy = 0, dark.sz = -1, dark.earthshine = kDarkEarthshine;
    Lighting first;
    first.sx = 1, first.sy = 0, first.sz = 0;
    Lighting full;
    Lighting last;
    last.sx = -1, last.sy = 0, last.sz = 0;
    const Bitmap bitmaps[] = {
        {"darkmoon", dark, false},
        {"1stquarter", first, true},
        {"fullmoon", full, true},
        {"lastquarter", last, true},
    };
    std::vector<QImage> shown;
    bool ok = true;
    for (const Bitmap& b : bitmaps) {
        const QImage img = ToBitmap(Render(kBitmapSize, centre, radius, b.light), b.keyNight);
        ok = WriteBitmap(outDir + "/" + b.name + ".bmp", img) && ok;
        shown.push_back(img);
        // Twice the pixels for the same disc (its edge at the same place,
        // measured from the pixels' edges).
        const int size2 = 2 * kBitmapSize;
        const double centre2 = (size2 - 1) / 2.0;
        const double radius2 = 2 * (radius + 0.5) - 0.5;
        const QImage img2 = ToBitmap(Render(size2, centre2, radius2, b.light), b.keyNight);
        ok = WriteBitmap(outDir + "/" + b.name + "@2x.bmp", img2) && ok;
    }

    std::array<Rgb, 256> palette{};
    palette[kTransparent] = {0, 0, 0};
    for (int i = 1; i < 256; ++i)
        palette[static_cast<size_t>(i)] = Tint(i);
    const double dayCentre = (kDaySize - 1) / 2.0;
    const double dayRadius = dayCentre - 0.5;
    for (int n = 1; n <= 32; ++n) {
        if (n == 8 || n == 24) continue;
        Lighting light = LightingForAge(LunationDayOfFile(n) - 0.5);
        light.earthshine = kDayEarthshine;
        const Picture pic = Render(kDaySize, dayCentre, dayRadius, light);
        // Twice the pixels for the same disc, for screens of two device pixels a point.
        const int size2 = 2 * kDaySize;
        const Picture pic2 = Render(size2, (size2 - 1) / 2.0, 2 * (dayRadius + 0.5) - 0.5, light);
        std::vector<uint8_t> idx2(pic2.grey.size());
        for (size_t i = 0; i < idx2.size(); ++i)
            idx2[i] =
                pic2.classes[i] == PixelClass::Outside ? kTransparent : std::max<uint8_t>(pic2.grey[i], 1);
        const std::string path2 = (outDir + QString("/moon_pics/day%1@2x.gif").arg(n)).toStdString();
        if (const std::string err = WriteGif(path2, size2, size2, idx2, palette, kTransparent);
            !err.empty()) {
            std::fprintf(stderr, "moonpics: %s\n", err.c_str());
            ok = false;
        }
        std::vector<uint8_t> idx(pic.grey.size());
        QImage view(kDaySize, kDaySize, QImage::Format_RGB32);
        for (size_t i = 0; i < idx.size(); ++i) {
            const bool outside = pic.classes[i] == PixelClass::Outside;
            idx[i] = outside ? kTransparent : std::max<uint8_t>(pic.grey[i], 1);
            const Rgb t = palette[idx[i]];
            view.setPixel(static_cast<int>(i % kDaySize), static_cast<int>(i / kDaySize),
                          outside ? qRgb(0, 0, 128) : qRgb(t.r, t.g, t.b));
        }
        const std::string path = (outDir + QString("/moon_pics/day%1.gif").arg(n)).toStdString();
        const std::string err = WriteGif(path, kDaySize, kDaySize, idx, palette, kTransparent);
        if (!err.empty()) {
            std::fprintf(stderr, "moonpics: %s\n", err.c_str());
            ok = false;
        }
        shown.push_back(view);
    }

    if (!montagePath.isEmpty()) {
        // The four bitmaps two by two, enlarged five times, then the day
        // pictures eight a row, enlarged three times; the key colour and the
        // transparent surroundings shown as navy.
        const int big = kBitmapSize * 5 + 10, small = kDaySize * 3 + 8;
        const int dayRows = (static_cast<int>(shown.size()) - 4 + 7) / 8;
        QImage m(std::max(2 * big, 8 * small), 2 * big + dayRows * small + 100, QImage::Format_RGB32);
        m.fill(qRgb(0, 0, 128));
        QPainter p(&m);
        for (size_t i = 0; i < shown.size(); ++i) {
            QImage s = shown[i];
            QRect to;
            if (i < 4) {
                for (int y = 0; y < s.height(); ++y)
                    for (int x = 0; x < s.width(); ++x)
                        if (s.pixel(x, y) == kKey) s.setPixel(x, y, qRgb(0, 0, 128));
                to = QRect(static_cast<int>(i % 2) * big, static_cast<int>(i / 2) * big, s.width() * 5,
                           s.height() * 5);
            } else {
                const int j = static_cast<int>(i) - 4;
                to = QRect((j % 8) * small, 2 * big + (j / 8) * small, s.width() * 3, s.height() * 3);
            }
            p.drawImage(to, s);
            if (i < 4) p.drawImage(QPoint(static_cast<int>(i) * 95, 2 * big + dayRows * small + 5), s);
        }
        p.end();
        if (!m.save(montagePath))
            std::fprintf(stderr, "moonpics: cannot write %s\n", qPrintable(montagePath));
    }
    return ok ? 0 : 1;
}
