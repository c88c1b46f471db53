// The dates frame of the main window (fraDates): one row per calendar, its
// caption and its value, in the window's order of the calendars. A click on
// either label of a row is reported with the row's calendar code.
#ifndef TAVR_DATESFRAME_H
#define TAVR_DATESFRAME_H

#include <QFrame>

#include "main/Controls.h"
#include "session/Session.h"

namespace tavr::ui {

class DatesFrame : public QFrame {
    Q_OBJECT

  public:
    explicit DatesFrame(QWidget* parent);

    // The row of calendar code `i` (0..8); empty labels for another code.
    LabelPair& Row(int i);
    // The values and their explanations; empty ones with ClearValues.
    void ShowRows(const tavr::session::Display& display);
    void ClearValues();
    // The current calendar's caption bright, the others dim.
    void Highlight(const tavr::session::State& state);
    // Keeps room for `width` in the value column (0: none).
    void SetValueColumnMinimum(int width);

    LabelPair lblCommonEraDate{};
    LabelPair lblJulianCalendarDate{};
    LabelPair lblSarvenesDate{};
    LabelPair lblVoskoRindalSLCDate{};
    LabelPair lblDTCLunarDate{};
    LabelPair lblTVGDate{};
    LabelPair lblQuorvaneLWCDate{};
    LabelPair lblChronologicalJulianDate{};
    LabelPair lblAstronomicalJulianDate{};

  signals:
    // `index` 0 for the caption, 1 for the value.
    void rowClicked(int calendar, int index);
};

} // namespace tavr::ui

#endif
