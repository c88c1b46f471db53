#include "main/MoveFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "main/Controls.h"
#include "main/Latin1.h"
#include "main/Scheme.h"
#include "session/Move.h"

namespace ses = tavr::session;

namespace tavr::ui {

MoveFrame::MoveFrame(QWidget* parent) : QWidget(parent) {
    fraMove = NewControl<QFrame>(this, "fraMove");
    cboMoveStep = NewControl<QComboBox>(fraMove, "cboMoveStep");
    cboMoveStep->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    optMoveDirection[0] = NewControl<QRadioButton>(fraMove, "optMoveDirection_0", "forward");
    optMoveDirection[1] = NewControl<QRadioButton>(fraMove, "optMoveDirection_1", "back");
    cmdMove = NewControl<QPushButton>(fraMove, "cmdMove", "Move");
    chkRepeatedly = NewControl<QCheckBox>(fraMove, "chkRepeatedly", "repeatedly");
    auto* move = new QHBoxLayout(fraMove);
    move->setSpacing(10);
    move->addWidget(cmdMove);
    move->addWidget(cboMoveStep);
    move->addWidget(optMoveDirection[0]);
    move->addWidget(optMoveDirection[1]);
    move->addWidget(chkRepeatedly);
    move->addStretch(1);

    fraStopPauseResume = NewControl<QFrame>(this, "fraStopPauseResume");
    cmdStop = NewControl<QPushButton>(fraStopPauseResume, "cmdStop", "Stop");
    cmdPauseResume = NewControl<QPushButton>(fraStopPauseResume, "cmdPauseResume", "Pause");
    auto* stop = new QHBoxLayout(fraStopPauseResume);
    stop->setContentsMargins(0, 0, 0, 0);
    stop->addWidget(cmdStop);
    stop->addWidget(cmdPauseResume);
    // Hidden, they take no room from a narrow window; the window opens with
    // room for them (KeepStopRoom), so that they appear without moving the rest.
    fraStopPauseResume->setVisible(false);

    auto* fraPeriod = NewControl<QFrame>(this, "fraRefreshPeriod");
    lblRefreshPeriod = NewControl<QLabel>(fraPeriod, "lblRefreshPeriod", "Refresh period (in seconds):");
    cboRefreshPeriod = NewControl<QComboBox>(fraPeriod, "cboRefreshPeriod");
    auto* period = new QHBoxLayout(fraPeriod);
    period->setSpacing(8);
    period->addWidget(fraStopPauseResume);
    period->addStretch(1);
    period->addWidget(lblRefreshPeriod);
    period->addWidget(cboRefreshPeriod);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(fraMove, 1);
    row->addWidget(fraPeriod, 0);
    FrameLine(fraMove);
    FrameLine(fraPeriod);
}

void MoveFrame::FillLists() {
    cboMoveStep->clear();
    for (int i = 0; i < tavr::kMoveStepCount; ++i)
        cboMoveStep->addItem(Q(ses::MoveStepText(i)));
    cboRefreshPeriod->clear();
    for (std::string_view period : ses::kRefreshPeriods)
        cboRefreshPeriod->addItem(Q(period));
}

void MoveFrame::ShowSettings(const ses::State& state) {
    if (state.moveStepIndex >= 0 && state.moveStepIndex < cboMoveStep->count())
        cboMoveStep->setCurrentIndex(state.moveStepIndex);
    if (state.refreshPeriodIndex >= 0 && state.refreshPeriodIndex < cboRefreshPeriod->count())
        cboRefreshPeriod->setCurrentIndex(state.refreshPeriodIndex);
    ShowChoice(optMoveDirection[state.moveForward ? 0 : 1], optMoveDirection[state.moveForward ? 1 : 0]);
    chkRepeatedly->setChecked(state.repeatedly);
    SetCaptionColour(chkRepeatedly, state.repeatedly ? kColourOn : kColourOff);
}

void MoveFrame::ShowPaused(bool paused) {
    cmdPauseResume->setText(paused ? "Resume" : "Pause");
    EnablePeriod(paused);
}

void MoveFrame::EnablePeriod(bool enable) {
    lblRefreshPeriod->setEnabled(enable);
    cboRefreshPeriod->setEnabled(enable);
}

void MoveFrame::KeepStopRoom(bool keep) {
    QSizePolicy policy = fraStopPauseResume->sizePolicy();
    policy.setRetainSizeWhenHidden(keep);
    fraStopPauseResume->setSizePolicy(policy);
}

} // namespace tavr::ui
