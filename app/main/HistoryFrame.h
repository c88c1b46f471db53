// The history and log frame of the main window (fraHistory): the list of the
// recent results, "Log all results", "Log this result", "View log" and the
// log preferences.
#ifndef TAVR_HISTORYFRAME_H
#define TAVR_HISTORYFRAME_H

#include <QFrame>

#include "session/Session.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tavr::ui {

class HistoryFrame : public QFrame {
    Q_OBJECT

  public:
    explicit HistoryFrame(QWidget* parent);

    // The list as the state has it, the selected line chosen; the list's
    // own signals are held meanwhile.
    void ShowHistory(const tavr::session::State& state);
    // True while ShowHistory changes the list.
    bool Refilling() const { return refilling_; }
    // Checks "Log all results" or not, and colours its caption.
    void ShowLogAll(bool on);

    QComboBox* cboHistory = nullptr;
    QCheckBox* chkLog = nullptr;
    QPushButton* cmdLogThisResult = nullptr;
    QPushButton* cmdViewLog = nullptr;
    QPushButton* cmdLogPreferences = nullptr;

  private:
    bool refilling_ = false;
};

} // namespace tavr::ui

#endif
