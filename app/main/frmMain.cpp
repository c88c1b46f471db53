#include "main/frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "astro/Lunar.h"
#include "base/LibLoader.h"
#include "log/frmLog.h"
#include "main/Latin1.h"
#include "main/Scheme.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace ses = tavr::session;
using tavr::ui::Q;
using tavr::ui::S;
namespace tz = tavr::timezone;

frmMain::frmMain(tavr::ui::MessageBoxes* boxes, tavr::ui::ClockSource* clock, QWidget* parent)
    : QWidget(parent) {
    if (!boxes) {
        ownBoxes_ = std::make_unique<tavr::ui::QtMessageBoxes>(this);
        boxes = ownBoxes_.get();
    }
    if (!clock) {
        ownClock_ = std::make_unique<tavr::ui::SystemClock>();
        clock = ownClock_.get();
    }
    boxes_ = boxes;
    clock_ = clock;

    // The window's palette, type and style belong to the whole program, so
    // that the other windows and the message boxes show them too.
    tavr::ui::InstallScheme();
    BuildControls();
    // The search starts from "Total solar eclipse", forward.
    state_.targetIndex = ses::kDefaultTarget;
    searchFrame->cboTarget->setCurrentIndex(state_.targetIndex);
    searchFrame->ShowNext(state_.searchNext);
    ConnectSignals();
    setWindowTitle("TAVR");
}

frmMain::~frmMain() {
    // The loader outlives the window; its reports must not reach a dead window.
    tavr::SetLoadErrorReporter(nullptr);
}

// ---------------------------------------------------------------- start-up --

void frmMain::InitialiseMainWindow() {
    // The pictures lie beside the program; a test program living elsewhere
    // finds them in the folder of the libraries.
    QString picDir = QCoreApplication::applicationDirPath();
    if (!QFileInfo::exists(picDir + "/darkmoon.bmp") && qEnvironmentVariableIsSet("TAVR_LIBDIR"))
        picDir = qEnvironmentVariable("TAVR_LIBDIR");
    strPicPath_ = QDir::toNativeSeparators(picDir);
    if (!strPicPath_.endsWith(QDir::separator())) strPicPath_ += QDir::separator();
    if (stateFilePath_.isEmpty()) stateFilePath_ = DefaultStateFilePath();
    QDir().mkpath(QFileInfo(stateFilePath_).absolutePath());
    moonFrame->lblActualEclipseData->clear();
    clockSeconds_ = 5;
    state_ = ses::State{};
    timeFrame->optLocal->setChecked(true);
    entryFrame->optPlus->setChecked(true);
    timeFrame->picCheck->setVisible(false);
    // The lunar constants are computed once here.
    tavr::lunar::InitLunarConstants();
    timeFrame->FillZones();
    lunationFrame->FillMonthCalendars(state_.monthCalendarIndex);
    // The move's lists and its defaults.
    moveFrame->FillLists();
    state_.moveStepIndex = tavr::kDefaultMoveStep;
    state_.refreshPeriodIndex = ses::kDefaultRefreshPeriod;
    state_.moveForward = true;
    state_.repeatedly = false;
    move_ = tavr::ui::MoveRun{};
    moveFrame->ShowSettings(state_);
    ClearDisplay();
    state_.zoneIndex = tz::kGmtIndex;
    state_.zoneOffset = ses::ZoneMinutes(state_);
    // The click behaviour of the option buttons, once, for their colours.
    optLocal_Click();
    optPlus_Click();
}

void frmMain::CheckLibraries() {
    // The nine rows, the Moon and delta T of the present moment use every
    // export of the five libraries, as the command line's convert does.
    ses::State probe = state_;
    probe.dblCurrentAJDate = NowAjd();
    (void)ses::ComputeTail(probe);
    // From now on a library or export that cannot be bound is reported in a
    // message box, after the action that needed it (the loader must not
    // wait on a box).
    QPointer<frmMain> self(this);
    tavr::SetLoadErrorReporter([self](const std::string& message) {
        QMetaObject::invokeMethod(
            qApp,
            [self, message] {
                if (self) self->ShowMessage({"Error", message, ses::Icon::Warning, ses::Buttons::Ok});
            },
            Qt::QueuedConnection);
    });
}

void frmMain::RefuseWithoutLibraries() {
    Clock->stop();
    ClearDisplay();
    moonFrame->lblActualEclipseData->clear();
    // Nothing that computes stays usable: what it would show is what the
    // missing library leaves behind.
    const QList<QWidget*> keep{cmdQuit, lunationFrame->cmdHelp, lunationFrame->lblQuorvaneSystems,
                               lunationFrame->lblOnlineDocumentation};
    for (QWidget* w : findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<tavr::ui::ClickLabel*>(w);
        if (control && !keep.contains(w)) w->setEnabled(false);
    }
    std::string text;
    for (const std::string& message : libraryFailures_)
        text += (text.empty() ? "" : "\n") + message;
    cmdQuit->setFocus(Qt::OtherFocusReason);
    // Once the window is on the screen, so that the box stands over it.
    QTimer::singleShot(0, this, [this, text] {
        ShowMessage({"Error", text, ses::Icon::Warning, ses::Buttons::Ok});
        cmdQuit->setFocus(Qt::OtherFocusReason);
    });
}

void frmMain::Load(bool showWindow) {
    blnStartUpCompleted_ = false;
    // Until the libraries are checked, the loader's reports are collected.
    libraryFailures_.clear();
    tavr::SetLoadErrorReporter([this](const std::string& message) { libraryFailures_.push_back(message); });
    moonFrame->lblActualEclipseData->setAutoFillBackground(false);
    setWindowTitle(windowTitle() + " 18.0");
    InitialiseMainWindow();

    state_.currentCalendar = ses::kCE;
    datesFrame->Highlight(state_);
    const tavr::ui::EntryFrame& e = *entryFrame;
    const tavr::ui::HistoryFrame& h = *historyFrame;
    for (QWidget* w : std::initializer_list<QWidget*>{e.cmdCompute, e.cmdClearDate, e.cmdReset, e.txbDate,
                                                      e.txbPlusMinus, h.cmdLogPreferences, h.cmdLogThisResult,
                                                      h.chkLog, moveFrame->cmdMove, cmdSaveState})
        w->setEnabled(true);
    EnableViewLog();
    FocusMoveButton();
    cmdQuit->setEnabled(true);
    timeFrame->cmdNow->setEnabled(true);

    // A missing or damaged library is found before anything is shown or
    // read: the saved state stays as it is, and is not written at the end.
    CheckLibraries();
    if (!libraryFailures_.empty()) {
        resize(StartSize());
        if (showWindow) show();
        RefuseWithoutLibraries();
        blnStartUpCompleted_ = true;
        return;
    }
    RestoreState();
    historyFrame->cmdLogThisResult->setEnabled(false);
    resize(StartSize());
    if (showWindow) show();
    SetTheFocus();
    blnStartUpCompleted_ = true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The log is not saved; its window goes first.
    if (frmLog_ && frmLog_->isVisible()) frmLog_->hide();
    // Every orderly end writes the saved state (none was read when a library
    // is missing: the file keeps what the last full run saved).
    if (libraryFailures_.empty()) SaveState();
    event->accept();
}

void frmMain::cmdQuit_Click() {
    close();
}

// ------------------------------------------------------------ enabling, focus

void frmMain::FocusMoveButton() {
    if (!isVisible()) return;
    if (moveFrame->cmdMove->isEnabled())
        moveFrame->cmdMove->setFocus(Qt::OtherFocusReason);
    else
        cmdQuit->setFocus(Qt::OtherFocusReason);
}

void frmMain::SetTheFocus() {
    if (!isVisible() || !entryFrame->isEnabled()) return;
    if (!entryFrame->FocusEntry()) cmdQuit->setFocus(Qt::OtherFocusReason);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // F1 released on Move or Help asks for help, as it does in the entry.
    if ((watched == moveFrame->cmdMove || watched == lunationFrame->cmdHelp) &&
        event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        emit helpRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ----------------------------------------------------------------- display --

void frmMain::ClearDisplay() {
    moonFrame->ClearValues();
    timeFrame->ClearValues();
    tavr::ui::SetCaptionColour(entryFrame->lblDays, kColourOff);
    datesFrame->ClearValues();
}

// ---------------------------------------------------------- applying results --

const ses::State& frmMain::ReadControls() {
    state_.entryText = S(entryFrame->txbDate->text());
    state_.dayCountText = S(entryFrame->txbPlusMinus->text());
    const int zone = timeFrame->cboTimeZone->currentIndex();
    state_.zoneIndex = zone < 0 ? tz::kGmtIndex : zone;
    state_.view = timeFrame->optGreenwich->isChecked() ? tz::View::Greenwich : tz::View::Local;
    state_.plusSelected = !entryFrame->optMinus->isChecked();
    const int target = searchFrame->cboTarget->currentIndex();
    if (target >= 0) state_.targetIndex = static_cast<int16_t>(target);
    return state_;
}

void frmMain::ShowState() {
    tavr::ui::EntryFrame& e = *entryFrame;
    if (e.txbDate->text() != Q(state_.entryText)) e.SetEntryText(Q(state_.entryText));
    if (e.txbPlusMinus->text() != Q(state_.dayCountText)) e.txbPlusMinus->setText(Q(state_.dayCountText));
    tavr::ui::TimeFrame& t = *timeFrame;
    if (t.cboTimeZone->currentIndex() != state_.zoneIndex) t.cboTimeZone->setCurrentIndex(state_.zoneIndex);
    // The view as the state holds it (a history line brings its own back).
    const bool greenwich = state_.view == tz::View::Greenwich;
    if (t.optGreenwich->isChecked() != greenwich) t.ShowGreenwich(greenwich);
    moonFrame->lblActualEclipseData->setText(Q(state_.actualEclipseData));
    t.picCheck->setVisible(state_.nowMode);
    searchFrame->ShowTarget(state_.targetIndex);
    // A parse makes the calendar typed current, whatever follows.
    datesFrame->Highlight(state_);
    lunationFrame->ShowMonthCalendar(state_.monthCalendarIndex);
}

void frmMain::ShowTail(const ses::Tail& tail) {
    datesFrame->ShowRows(tail.display);
    timeFrame->lblTime[1]->SetValue(Q(tail.timeLabel));
    moonFrame->ShowMoon(tail.moon, strPicPath_);
    if (tail.moon.error) {
        ShowMessage({tail.moon.errorTitle, tail.moon.errorText, ses::Icon::Warning, ses::Buttons::Ok});
    }
    timeFrame->lblDeltaT[1]->SetValue(Q(tail.deltaTWords));
    datesFrame->Highlight(state_);
}

tavr::ui::MessageAnswer frmMain::ShowMessage(const ses::Message& message) {
    // A modal box runs its own event loop, in which the clock keeps ticking;
    // the ticks wait until it is answered (see Clock_Timer).
    ++messagesOpen_;
    const tavr::ui::MessageAnswer answer = boxes_->Show(message);
    --messagesOpen_;
    return answer;
}

void frmMain::Apply(const ses::ActionResult& result, bool focus) {
    state_ = result.state;
    ShowState();
    if (result.tail) ShowTail(*result.tail);
    if (result.message) {
        ShowMessage(*result.message);
        if (result.focusEntry) SetTheFocus();
        RecordResult(result);
        emit resultApplied(result);
        return;
    }
    // The history line (with `eclipseType`) and the log entry of the result.
    RecordResult(result);
    emit resultApplied(result);
    if (result.tail && focus) SetTheFocus();
}
