// A move of the moment: one step forward or back, or a repeated move paced by
// the window's clock with Stop, Pause/Resume and the refresh period.
//
// A repeated move runs on the event loop: each clock tick makes the step that
// is due, Stop, Pause and Resume act between steps through the flags and the
// clock, and nothing waits inside a click handler. A step that takes longer
// than the period is followed at once by the next, since its tick is already
// due when the step ends.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "main/frmMain.h"
#include "session/Move.h"

namespace ses = tavr::session;

void frmMain::ConnectMoveSignals() {
    tavr::ui::MoveFrame* m = moveFrame;
    connect(m->cmdMove, &QPushButton::clicked, this, [this] { cmdMove_Click(); });
    connect(m->cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
    connect(m->cmdPauseResume, &QPushButton::clicked, this, [this] { cmdPauseResume_Click(); });
    connect(m->cboRefreshPeriod, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.refreshPeriodIndex = static_cast<int16_t>(index); });
    connect(m->cboRefreshPeriod, &QComboBox::activated, this, [this](int) { cboRefreshPeriod_Click(); });
    connect(m->cboMoveStep, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.moveStepIndex = static_cast<int16_t>(index); });
    connect(m->cboMoveStep, &QComboBox::activated, this, [this, m](int) {
        state_.moveStepIndex = static_cast<int16_t>(m->cboMoveStep->currentIndex());
        FocusMoveButton();
    });
    for (int i = 0; i < 2; ++i) {
        connect(m->optMoveDirection[i], &QRadioButton::clicked, this, [this, m, i] {
            state_.moveForward = i == 0;
            m->ShowSettings(state_);
            FocusMoveButton();
        });
    }
    connect(m->chkRepeatedly, &QCheckBox::clicked, this, [this, m] {
        state_.repeatedly = m->chkRepeatedly->isChecked();
        m->ShowSettings(state_);
        FocusMoveButton();
    });
}

void frmMain::cboRefreshPeriod_Click() {
    state_.refreshPeriodIndex = static_cast<int16_t>(moveFrame->cboRefreshPeriod->currentIndex());
    if (!move_.paused) return;
    Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
    moveFrame->cmdPauseResume->setFocus(Qt::OtherFocusReason);
}

void frmMain::EnableDuringMove(bool enable) {
    moveFrame->fraMove->setEnabled(enable);
    moveFrame->cmdMove->setEnabled(enable);
    entryFrame->setEnabled(enable);
    entryFrame->cmdCompute->setEnabled(enable);
    entryFrame->cmdClearDate->setEnabled(enable);
    entryFrame->cmdReset->setEnabled(enable);
    searchFrame->setEnabled(enable);
    searchFrame->cmdSearch->setEnabled(enable);
    lunationFrame->cmdHelp->setEnabled(enable);
    // Viewing the log and logging one result wait for the end of the move.
    historyFrame->cmdViewLog->setEnabled(false);
    historyFrame->cmdLogThisResult->setEnabled(enable && !state_.chkLog);
}

void frmMain::cmdMove_Click() {
    if (move_.running) return;
    const ses::ActionResult begun = ses::BeginMove(ReadControls());
    if (begun.kind != ses::ResultKind::Done) {
        Apply(begun);
        return;
    }
    state_ = begun.state;
    ShowState();
    move_.actionText = begun.actionText;
    move_.running = state_.repeatedly;
    if (move_.running) {
        EnableDuringMove(false);
        // The history list waits; the log switches beside it stay usable.
        historyFrame->cboHistory->setEnabled(false);
        cmdQuit->setEnabled(false);
        move_.paused = false;
        moveFrame->ShowPaused(false);
        moveFrame->fraStopPauseResume->setVisible(true);
        moveFrame->cmdStop->setFocus(Qt::OtherFocusReason);
        Clock->stop();
        Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
        Clock->start();
    }
    // The first step is due at once; a single move ends after it (a repeated
    // one ends with Stop or at the range's end).
    const bool once = !move_.running;
    move_.tickDue = true;
    MakeMoveStep();
    if (once) EndMove();
}

void frmMain::MakeMoveStep() {
    if (!move_.tickDue) return;
    move_.tickDue = false;
    move_.stepping = true;
    const ses::ActionResult step = ses::MoveStep(ReadControls());
    if (step.kind == ses::ResultKind::OutOfRange) {
        // The step is shown, then the range message ends the move.
        const bool wasRepeating = move_.running;
        StopRepeat();
        Apply(step, false);
        move_.stepping = false;
        if (wasRepeating) EndMove();
        return;
    }
    Apply(step, false);
    move_.stepping = false;
}

void frmMain::StopRepeat() {
    move_.running = false;
    move_.paused = false;
    move_.tickDue = false;
    moveFrame->fraStopPauseResume->setVisible(false);
    Clock->stop();
}

void frmMain::cmdStop_Click() {
    if (!move_.running) return;
    StopRepeat();
    EndMove();
}

void frmMain::cmdPauseResume_Click() {
    if (!move_.running) return;
    move_.paused = !move_.paused;
    moveFrame->ShowPaused(move_.paused);
    if (move_.paused) {
        Clock->stop();
        moveFrame->cmdPauseResume->setFocus(Qt::OtherFocusReason);
    } else {
        Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
        Clock->start();
        moveFrame->cmdStop->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::EndMove() {
    Apply(ses::EndMove(ReadControls(), move_.actionText), false);
    Clock->setInterval(clockSeconds_ * 1000);
    // A move leaves Now mode off, and with it the clock.
    if (!state_.nowMode) Clock->stop();
    moveFrame->EnablePeriod(true);
    EnableDuringMove(true);
    historyFrame->cboHistory->setEnabled(true);
    cmdQuit->setEnabled(true);
    historyFrame->cmdViewLog->setEnabled(true);
    FocusMoveButton();
}
