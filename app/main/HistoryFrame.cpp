#include "main/HistoryFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "main/Controls.h"
#include "main/Latin1.h"
#include "main/Scheme.h"

namespace tavr::ui {

HistoryFrame::HistoryFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraHistory");
    cboHistory = NewControl<QComboBox>(this, "cboHistory");
    cboHistory->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The list takes the room the window gains; in a narrow window the line
    // shown is shortened, and the open list shows the lines whole.
    cboHistory->setMinimumContentsLength(24);
    chkLog = NewControl<QCheckBox>(this, "chkLog", "Log all results");
    cmdLogThisResult = NewControl<QPushButton>(this, "cmdLogThisResult", "Log this result");
    cmdViewLog = NewControl<QPushButton>(this, "cmdViewLog", "View log");
    cmdLogPreferences = NewControl<QPushButton>(this, "cmdLogPreferences", "Set log preferences");
    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    row->addWidget(cboHistory, 1);
    row->addSpacing(8);
    row->addWidget(chkLog);
    row->addWidget(cmdLogThisResult);
    row->addWidget(cmdViewLog);
    row->addWidget(cmdLogPreferences);
    FrameLine(this);
    // Nothing to log or view before the first result.
    cmdLogThisResult->setEnabled(false);
    cmdViewLog->setEnabled(false);
}

void HistoryFrame::ShowHistory(const tavr::session::State& state) {
    refilling_ = true;
    const QSignalBlocker block(cboHistory);
    if (cboHistory->count() != static_cast<int>(state.history.size())) cboHistory->clear();
    for (size_t i = 0; i < state.history.size(); ++i) {
        const QString text = Q(state.history[i].text);
        const int item = static_cast<int>(i);
        if (item < cboHistory->count()) {
            cboHistory->setItemText(item, text);
            cboHistory->setItemData(item, state.history[i].eclipseType);
        } else {
            cboHistory->addItem(text, state.history[i].eclipseType);
        }
    }
    cboHistory->setCurrentIndex(state.historySelected);
    refilling_ = false;
}

void HistoryFrame::ShowLogAll(bool on) {
    chkLog->setChecked(on);
    SetCaptionColour(chkLog, on ? kColourOn : kColourOff);
}

} // namespace tavr::ui
