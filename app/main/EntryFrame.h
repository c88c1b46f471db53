// The entry frame of the main window (fraConvert): the date and time entry,
// Convert and Clear, the number of days with plus or minus, and Reset.
#ifndef TAVR_ENTRYFRAME_H
#define TAVR_ENTRYFRAME_H

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavr::ui {

class EntryFrame : public QFrame {
    Q_OBJECT

  public:
    explicit EntryFrame(QWidget* parent);

    // Checks plus or minus and shows the choice in the captions' colours.
    void ShowPlus(bool plus);
    // The entry's text, with the cursor at its end.
    void SetEntryText(const QString& text);
    // Focus to the entry, the cursor at its end; false when it is disabled.
    bool FocusEntry();

    QLabel* lblEnterDateTime = nullptr;
    QLineEdit* txbDate = nullptr;
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdClearDate = nullptr;
    QLineEdit* txbPlusMinus = nullptr;
    QRadioButton* optPlus = nullptr;
    QRadioButton* optMinus = nullptr;
    QLabel* lblDays = nullptr;
    QPushButton* cmdReset = nullptr;

  signals:
    // Enter in the entry (with a text), or in the number of days (with both).
    void convertRequested();
    // F1 released in either box.
    void helpRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavr::ui

#endif
