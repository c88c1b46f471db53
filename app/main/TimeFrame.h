// The time frame of the main window (fraTime): the local zone, the
// Greenwich or local view, Now with its check mark, the time label and
// delta T.
#ifndef TAVR_TIMEFRAME_H
#define TAVR_TIMEFRAME_H

#include <QFrame>

#include "main/Controls.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavr::ui {

class TimeFrame : public QFrame {
    Q_OBJECT

  public:
    explicit TimeFrame(QWidget* parent);

    // The zone list, GMT chosen.
    void FillZones();
    // Checks Greenwich or Local and shows the choice in the captions' colours.
    void ShowGreenwich(bool greenwich);
    // The time and delta T emptied, their captions dim.
    void ClearValues();

    QLabel* lblTimeZone = nullptr;
    QLabel* lblTimeSystem = nullptr;
    LabelPair lblTime{};
    LabelPair lblDeltaT{};
    QComboBox* cboTimeZone = nullptr;
    QRadioButton* optGreenwich = nullptr;
    QRadioButton* optLocal = nullptr;
    QPushButton* cmdNow = nullptr;
    // Beside Now while the display follows the clock.
    QLabel* picCheck = nullptr;
};

} // namespace tavr::ui

#endif
