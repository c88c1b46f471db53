// The move frame: one step forward or back, or a repeated move paced by the
// window's clock with Stop, Pause/Resume and the refresh period.
//
// A repeated move runs on the event loop: each clock tick makes the step that
// is due, Stop, Pause and Resume act between steps through the flags and the
// clock, and nothing waits inside a click handler. A step that takes longer
// than the period is followed at once by the next, since its tick is already
// due when the step ends.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "main/Colours.h"
#include "main/Latin1.h"
#include "main/Scheme.h"
#include "main/frmMain.h"
#include "session/Move.h"

namespace ses = tavr::session;
using tavr::ui::Q;

namespace {

// Controls of the other groups, found by name, so that the move can disable
// whichever of them the window has.
void EnableNamed(const QWidget* window, const char* name, bool enable) {
    if (auto* w = window->findChild<QWidget*>(name)) w->setEnabled(enable);
}

} // namespace

// ---------------------------------------------------------------- layout --

void frmMain::BuildMoveFrame() {
    fraMove = new QFrame(this);
    fraMove->setObjectName("fraMove");
    cboMoveStep = new QComboBox(fraMove);
    cboMoveStep->setObjectName("cboMoveStep");
    cboMoveStep->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    optMoveDirection[0] = new QRadioButton("forward", fraMove);
    optMoveDirection[0]->setObjectName("optMoveDirection_0");
    optMoveDirection[1] = new QRadioButton("back", fraMove);
    optMoveDirection[1]->setObjectName("optMoveDirection_1");
    cmdMove = new QPushButton("Move", fraMove);
    cmdMove->setObjectName("cmdMove");
    chkRepeatedly = new QCheckBox("repeatedly", fraMove);
    chkRepeatedly->setObjectName("chkRepeatedly");
    auto* hMove = new QHBoxLayout(fraMove);
    hMove->setSpacing(10);
    hMove->addWidget(cmdMove);
    hMove->addWidget(cboMoveStep);
    hMove->addWidget(optMoveDirection[0]);
    hMove->addWidget(optMoveDirection[1]);
    hMove->addWidget(chkRepeatedly);
    hMove->addStretch(1);

    // Stop, Pause/Resume and the period stay usable while the move frame is
    // disabled, so they live beside it.
    fraStopPauseResume = new QFrame(this);
    fraStopPauseResume->setObjectName("fraStopPauseResume");
    cmdStop = new QPushButton("Stop", fraStopPauseResume);
    cmdStop->setObjectName("cmdStop");
    cmdPauseResume = new QPushButton("Pause", fraStopPauseResume);
    cmdPauseResume->setObjectName("cmdPauseResume");
    auto* hStop = new QHBoxLayout(fraStopPauseResume);
    hStop->setContentsMargins(0, 0, 0, 0);
    hStop->addWidget(cmdStop);
    hStop->addWidget(cmdPauseResume);
    // Hidden, they take no room from a narrow window; the window opens with
    // room for them (StartSize), so that they appear without moving the rest.
    fraStopPauseResume->setVisible(false);

    auto* fraPeriod = new QFrame(this);
    fraPeriod->setObjectName("fraRefreshPeriod");
    lblRefreshPeriod = new QLabel("Refresh period (in seconds):", fraPeriod);
    lblRefreshPeriod->setObjectName("lblRefreshPeriod");
    cboRefreshPeriod = new QComboBox(fraPeriod);
    cboRefreshPeriod->setObjectName("cboRefreshPeriod");
    auto* hPeriod = new QHBoxLayout(fraPeriod);
    hPeriod->setSpacing(8);
    hPeriod->addWidget(fraStopPauseResume);
    hPeriod->addStretch(1);
    hPeriod->addWidget(lblRefreshPeriod);
    hPeriod->addWidget(cboRefreshPeriod);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(fraMove, 1);
    row->addWidget(fraPeriod, 0);
    laterGroups_->addLayout(row);
    tavr::ui::FrameLine(fraMove);
    tavr::ui::FrameLine(fraPeriod);

    for (QPushButton* b : {cmdMove, cmdStop, cmdPauseResume}) {
        b->setMinimumWidth(
            std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10, b->minimumSizeHint().width()));
        b->setAutoDefault(false);
    }

    connect(cmdMove, &QPushButton::clicked, this, [this] { cmdMove_Click(); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
    connect(cmdPauseResume, &QPushButton::clicked, this, [this] { cmdPauseResume_Click(); });
    connect(cboRefreshPeriod, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.refreshPeriodIndex = static_cast<int16_t>(index); });
    connect(cboRefreshPeriod, &QComboBox::activated, this, [this](int) { cboRefreshPeriod_Click(); });
    connect(cboMoveStep, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.moveStepIndex = static_cast<int16_t>(index); });
    connect(cboMoveStep, &QComboBox::activated, this, [this](int) { cboMoveStep_Click(); });
    connect(optMoveDirection[0], &QRadioButton::clicked, this, [this] { optMoveDirection_Click(0); });
    connect(optMoveDirection[1], &QRadioButton::clicked, this, [this] { optMoveDirection_Click(1); });
    connect(chkRepeatedly, &QCheckBox::clicked, this, [this] { chkRepeatedly_Click(); });
}

void frmMain::InitialiseMove() {
    cboMoveStep->clear();
    for (int i = 0; i < tavr::kMoveStepCount; ++i)
        cboMoveStep->addItem(Q(ses::MoveStepText(i)));
    cboRefreshPeriod->clear();
    for (std::string_view period : ses::kRefreshPeriods)
        cboRefreshPeriod->addItem(Q(period));
    state_.moveStepIndex = tavr::kDefaultMoveStep;
    state_.refreshPeriodIndex = ses::kDefaultRefreshPeriod;
    state_.moveForward = true;
    state_.repeatedly = false;
    repeatRunning_ = paused_ = tickDue_ = false;
    ShowMoveState();
}

void frmMain::ShowMoveState() {
    if (state_.moveStepIndex >= 0 && state_.moveStepIndex < cboMoveStep->count())
        cboMoveStep->setCurrentIndex(state_.moveStepIndex);
    if (state_.refreshPeriodIndex >= 0 && state_.refreshPeriodIndex < cboRefreshPeriod->count())
        cboRefreshPeriod->setCurrentIndex(state_.refreshPeriodIndex);
    optMoveDirection[state_.moveForward ? 0 : 1]->setChecked(true);
    chkRepeatedly->setChecked(state_.repeatedly);
    SetCaptionColour(optMoveDirection[0], state_.moveForward ? kColourOn : kColourOff);
    SetCaptionColour(optMoveDirection[1], state_.moveForward ? kColourOff : kColourOn);
    SetCaptionColour(chkRepeatedly, state_.repeatedly ? kColourOn : kColourOff);
}

// ------------------------------------------------------------- settings --

void frmMain::optMoveDirection_Click(int index) {
    state_.moveForward = index == 0;
    ShowMoveState();
    FocusMoveButton();
}

void frmMain::chkRepeatedly_Click() {
    state_.repeatedly = chkRepeatedly->isChecked();
    ShowMoveState();
    FocusMoveButton();
}

void frmMain::cboMoveStep_Click() {
    state_.moveStepIndex = static_cast<int16_t>(cboMoveStep->currentIndex());
    FocusMoveButton();
}

void frmMain::cboRefreshPeriod_Click() {
    state_.refreshPeriodIndex = static_cast<int16_t>(cboRefreshPeriod->currentIndex());
    if (!paused_) return;
    Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
    cmdPauseResume->setFocus(Qt::OtherFocusReason);
}

// ------------------------------------------------------------------ move --

void frmMain::EnableDuringMove(bool enable) {
    fraMove->setEnabled(enable);
    cmdMove->setEnabled(enable);
    fraConvert->setEnabled(enable);
    cmdCompute->setEnabled(enable);
    cmdClearDate->setEnabled(enable);
    cmdReset->setEnabled(enable);
    for (const char* name : {"fraSearch", "cmdSearch", "cmdHelp"})
        EnableNamed(this, name, enable);
    // Viewing the log and logging one result wait for the end of the move.
    EnableNamed(this, "cmdViewLog", false);
    EnableNamed(this, "cmdLogThisResult", enable && !state_.chkLog);
}

void frmMain::cmdMove_Click() {
    if (repeatRunning_) return;
    const ses::ActionResult begun = ses::BeginMove(ReadControls());
    if (begun.kind != ses::ResultKind::Done) {
        Apply(begun);
        return;
    }
    state_ = begun.state;
    ShowState();
    moveActionText_ = begun.actionText;
    repeatRunning_ = state_.repeatedly;
    if (repeatRunning_) {
        EnableDuringMove(false);
        // The history list waits; the log switches beside it stay usable.
        cboHistory->setEnabled(false);
        cmdQuit->setEnabled(false);
        cmdPauseResume->setText("Pause");
        paused_ = false;
        lblRefreshPeriod->setEnabled(false);
        cboRefreshPeriod->setEnabled(false);
        fraStopPauseResume->setVisible(true);
        cmdStop->setFocus(Qt::OtherFocusReason);
        Clock->stop();
        Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
        Clock->start();
    }
    // The first step is due at once; a single move ends after it (a repeated
    // one ends with Stop or at the range's end).
    const bool once = !repeatRunning_;
    tickDue_ = true;
    MakeMoveStep();
    if (once) EndMove();
}

void frmMain::MoveTick() {
    tickDue_ = true;
    if (!stepping_ && !paused_) MakeMoveStep();
}

void frmMain::MakeMoveStep() {
    if (!tickDue_) return;
    tickDue_ = false;
    stepping_ = true;
    const ses::ActionResult step = ses::MoveStep(ReadControls());
    if (step.kind == ses::ResultKind::OutOfRange) {
        // The step is shown, then the range message ends the move.
        const bool wasRepeating = repeatRunning_;
        StopRepeat();
        Apply(step, false);
        stepping_ = false;
        if (wasRepeating) EndMove();
        return;
    }
    Apply(step, false);
    stepping_ = false;
}

void frmMain::StopRepeat() {
    repeatRunning_ = false;
    paused_ = false;
    tickDue_ = false;
    fraStopPauseResume->setVisible(false);
    Clock->stop();
}

void frmMain::cmdStop_Click() {
    if (!repeatRunning_) return;
    StopRepeat();
    EndMove();
}

void frmMain::cmdPauseResume_Click() {
    if (!repeatRunning_) return;
    if (paused_) {
        cmdPauseResume->setText("Pause");
        paused_ = false;
        lblRefreshPeriod->setEnabled(false);
        cboRefreshPeriod->setEnabled(false);
        Clock->setInterval(ses::RefreshIntervalMs(state_.refreshPeriodIndex));
        Clock->start();
        cmdStop->setFocus(Qt::OtherFocusReason);
    } else {
        cmdPauseResume->setText("Resume");
        paused_ = true;
        lblRefreshPeriod->setEnabled(true);
        cboRefreshPeriod->setEnabled(true);
        Clock->stop();
        cmdPauseResume->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::EndMove() {
    Apply(ses::EndMove(ReadControls(), moveActionText_), false);
    Clock->setInterval(clockSeconds_ * 1000);
    // A move leaves Now mode off, and with it the clock.
    if (!state_.nowMode) Clock->stop();
    lblRefreshPeriod->setEnabled(true);
    cboRefreshPeriod->setEnabled(true);
    EnableDuringMove(true);
    cboHistory->setEnabled(true);
    cmdQuit->setEnabled(true);
    EnableNamed(this, "cmdViewLog", true);
    FocusMoveButton();
}
