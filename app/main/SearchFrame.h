// The search frame of the main window (fraSearch): "Search for", next or
// previous, the target list, and "Searching ..." while a coincidence is
// sought.
#ifndef TAVR_SEARCHFRAME_H
#define TAVR_SEARCHFRAME_H

#include <QFrame>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavr::ui {

class SearchFrame : public QFrame {
    Q_OBJECT

  public:
    explicit SearchFrame(QWidget* parent);

    // Checks next or previous and shows the choice in the captions' colours.
    void ShowNext(bool next);
    // Chooses target `index` when the list has it.
    void ShowTarget(int index);

    QPushButton* cmdSearch = nullptr;
    QRadioButton* optNext = nullptr;
    QRadioButton* optPrevious = nullptr;
    QComboBox* cboTarget = nullptr;
    QLabel* lblSearching = nullptr;
};

} // namespace tavr::ui

#endif
