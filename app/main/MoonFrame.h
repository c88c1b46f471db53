// The Moon frame of the main window (fraMoon): the picture of the Moon, its
// phase and illumination, its age in the lunation, and the caption of an
// eclipse found by a search.
#ifndef TAVR_MOONFRAME_H
#define TAVR_MOONFRAME_H

#include <QFrame>

#include "astro/MoonData.h"
#include "main/Controls.h"

class QLabel;

namespace tavr::ui {

class MoonFrame : public QFrame {
    Q_OBJECT

  public:
    explicit MoonFrame(QWidget* parent);

    // The age, then (when the report has no error) the phase and the
    // picture drawn from the base pictures in `picDir`.
    void ShowMoon(const tavr::moon::MoonReport& report, const QString& picDir);
    // The phase, the age and the picture emptied (the eclipse caption stays).
    void ClearValues();

    QLabel* picMoon = nullptr;
    LabelPair lblPhaseOfMoon{};
    LabelPair lblAgeOfMoon{};
    QLabel* lblActualEclipseData = nullptr;
};

} // namespace tavr::ui

#endif
