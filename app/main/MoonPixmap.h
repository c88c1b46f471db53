// The Moon picture as the window shows it: the drawn picture with its night
// side in a dim earthshine (the dark Moon's own surface, lifted), so that the
// whole disc stands apart from the ground, enlarged smoothly to the screen's
// device pixel ratio and ringed by a thin limb line drawn at that ratio.
#ifndef TAVR_MOONPIXMAP_H
#define TAVR_MOONPIXMAP_H

#include <QColor>
#include <QPixmap>
#include <QString>

#include "astro/MoonData.h"
#include "astro/picture/MoonPicture.h"

namespace tavr::ui {

// The night side's colour on `background`: lighter than a dark ground,
// darker than a light one.
QColor EarthshineFor(const QColor& background);

// A null pixmap when the report has no picture or its file is missing.
QPixmap MoonPixmap(const moon::MoonReport& report, const QColor& background, const QString& picDir, qreal dpr,
                   int maxX = moon::kPictureMax, int maxY = moon::kPictureMax);

} // namespace tavr::ui

#endif
