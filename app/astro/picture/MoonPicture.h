// Drawing of the Moon picture for the Moon display: a stored base picture
// (dark, first quarter, full, last quarter), with the terminator painted over
// it for crescents and gibbous Moons, and the key colour RGB(200, 0, 0) of the
// pictures replaced by the background colour. Works on a QImage (Qt GUI only),
// a few microseconds per picture.
#ifndef TAVR_MOONPICTURE_H
#define TAVR_MOONPICTURE_H

#include <QColor>
#include <QImage>
#include <QString>

#include "astro/MoonData.h"

namespace tavr::moon {

// Colour of the parts of the pictures that take the background colour.
inline constexpr QRgb kKeyColour = 0xFFC80000; // RGB(200, 0, 0)

// Largest pixel column and row of the picture: it is kPictureMax + 1 pixels a
// side, and the window keeps that room for it.
inline constexpr int kPictureMax = 89;

// The four base pictures of one folder, loaded once.
class MoonPictureSet {
  public:
    MoonPictureSet() = default;
    // Loads darkmoon.bmp, 1stquarter.bmp, fullmoon.bmp and lastquarter.bmp
    // from `picDir` (with or without a trailing separator); with `scale` 2
    // their @2x forms (twice the pixels a side).
    explicit MoonPictureSet(const QString& picDir, int scale = 1);

    // The base picture of a case (null when its file is missing or unreadable).
    const QImage& base(PictureCase picture) const;
    QString folder() const { return m_dir; }
    int scale() const { return m_scale; }

    // The picture for `report`; `maxX`/`maxY` are the largest column and row
    // (W and H of the drawing rules); pixels beyond the base picture are
    // ignored. The result has the base picture's size, in Format_RGB32.
    // A null image when report.picture is None or the base picture is missing.
    QImage draw(const MoonReport& report, QColor background, int maxX = kPictureMax,
                int maxY = kPictureMax) const;

  private:
    QString m_dir;
    int m_scale = 1;
    QImage m_base[4]; // dark, first quarter, full, last quarter
};

// The pictures of `picDir` at `scale` (1, or 2 for the @2x pictures), kept
// loaded between calls; reloaded when the folder changes.
const MoonPictureSet& SharedPictures(const QString& picDir, int scale = 1);

// The picture drawn from SharedPictures(picDir, scale). With `scale` 2 the
// picture is drawn from the @2x pictures, with the rules applied to twice
// `maxX` and `maxY`: the same picture with twice the pixels a side.
QImage DrawMoonPicture(const MoonReport& report, QColor background, const QString& picDir,
                       int maxX = kPictureMax, int maxY = kPictureMax, int scale = 1);

} // namespace tavr::moon

#endif
