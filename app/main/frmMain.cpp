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
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

#include "astro/Lunar.h"
#include "astro/picture/MoonPicture.h"
#include "base/LibLoader.h"
#include "calendar/DayNumbers.h"
#include "log/frmLog.h"
#include "main/Colours.h"
#include "main/Latin1.h"
#include "main/MoonPixmap.h"
#include "main/Scheme.h"
#include "session/Session.h"
#include "session/TimeZone.h"

using tavr::ui::LabelPair;
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
    ApplyColourScheme();
    ConnectSignals();
    setWindowTitle("TAVR");
}

frmMain::~frmMain() {
    // The loader outlives the window; its reports must not reach a dead window.
    tavr::SetLoadErrorReporter(nullptr);
}

void frmMain::ConnectSignals() {
    connect(cmdCompute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
    connect(cmdClearDate, &QPushButton::clicked, this, [this] { cmdClearDate_Click(); });
    connect(optPlus, &QRadioButton::clicked, this, [this] { optPlus_Click(); });
    connect(optMinus, &QRadioButton::clicked, this, [this] { optMinus_Click(); });
    connect(optGreenwich, &QRadioButton::clicked, this, [this] { optGreenwich_Click(); });
    connect(optLocal, &QRadioButton::clicked, this, [this] { optLocal_Click(); });
    connect(cboTimeZone, &QComboBox::activated, this, [this](int) { cboTimeZone_Click(); });
    connect(cmdNow, &QPushButton::clicked, this, [this] { cmdNow_Click(); });
    connect(Clock, &QTimer::timeout, this, [this] { Clock_Timer(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    for (int i = 0; i < ses::kCalendarCount; ++i) {
        LabelPair& row = Row(i);
        for (int k = 0; k < 2; ++k)
            connect(row[k], &tavr::ui::ClickLabel::clicked, this, [this, i, k] { Row_Click(i, k); });
    }
    for (int k = 0; k < 2; ++k)
        connect(lblTime[k], &tavr::ui::ClickLabel::clicked, this, [this] { lblTime_Click(); });
    txbDate->installEventFilter(this);
    txbPlusMinus->installEventFilter(this);
    ConnectStateSignals();
}

// ---------------------------------------------------------------- start-up --

void frmMain::SetDefaults() {
    // The pictures lie beside the program; a test program living elsewhere
    // finds them in the folder of the libraries.
    QString picDir = QCoreApplication::applicationDirPath();
    if (!QFileInfo::exists(picDir + "/darkmoon.bmp") && qEnvironmentVariableIsSet("TAVR_LIBDIR"))
        picDir = qEnvironmentVariable("TAVR_LIBDIR");
    strPicPath_ = QDir::toNativeSeparators(picDir);
    if (!strPicPath_.endsWith(QDir::separator())) strPicPath_ += QDir::separator();
    if (stateFilePath_.isEmpty()) stateFilePath_ = DefaultStateFilePath();
    QDir().mkpath(QFileInfo(stateFilePath_).absolutePath());
    lblActualEclipseData->clear();
    clockSeconds_ = 5;
    state_ = ses::State{};
    optLocal->setChecked(true);
    optPlus->setChecked(true);
    picCheck->setVisible(false);
}

void frmMain::InstallLoadReporter() {
    // A library or export that cannot be bound is reported in a message box,
    // after the action that needed it (the loader must not wait on a box).
    QPointer<frmMain> self(this);
    tavr::SetLoadErrorReporter([self](const std::string& message) {
        QMetaObject::invokeMethod(
            qApp,
            [self, message] {
                if (self) self->ReportLoadError(message);
            },
            Qt::QueuedConnection);
    });
}

void frmMain::CheckLibraries() {
    // The nine rows, the Moon and delta T of the present moment use every
    // export of the five libraries, as the command line's convert does.
    ses::State probe = state_;
    probe.dblCurrentAJDate = NowAjd();
    (void)ses::ComputeTail(probe);
    InstallLoadReporter();
}

void frmMain::RefuseWithoutLibraries() {
    Clock->stop();
    ClearDisplay();
    lblActualEclipseData->clear();
    // Nothing that computes stays usable: what it would show is what the
    // missing library leaves behind.
    const QList<QWidget*> keep{cmdQuit, cmdHelp, lblQuorvaneSystems, lblOnlineDocumentation};
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

void frmMain::ReportLoadError(const std::string& message) {
    ShowMessage({"Error", message, ses::Icon::Warning, ses::Buttons::Ok});
}

void frmMain::FillLists() {
    cboTimeZone->clear();
    for (const std::string& z : tz::ZoneList())
        cboTimeZone->addItem(Q(z));
    cboTimeZone->setCurrentIndex(tz::kGmtIndex);
    FillMonthCalendarList();
}

void frmMain::InitialiseMainWindow() {
    SetDefaults();
    // The lunar constants are computed once here.
    tavr::lunar::InitLunarConstants();
    lblQuorvaneLWCDate[0]->setVisible(true);
    lblQuorvaneLWCDate[1]->setVisible(true);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        QFont bf = b->font();
        bf.setBold(false);
        b->setFont(bf);
    }
    FillLists();
    InitialiseMove();
    ClearDisplay();
    state_.zoneIndex = tz::kGmtIndex;
    state_.zoneOffset = ses::ZoneMinutes(state_);
    // The click behaviour of the option buttons, once, for their colours.
    optLocal_Click();
    optPlus_Click();
}

void frmMain::Load(bool showWindow) {
    blnStartUpCompleted_ = false;
    // Until the libraries are checked, the loader's reports are collected.
    libraryFailures_.clear();
    tavr::SetLoadErrorReporter([this](const std::string& message) { libraryFailures_.push_back(message); });
    lblActualEclipseData->setAutoFillBackground(false);
    setWindowTitle(windowTitle() + " 18.0");
    InitialiseMainWindow();

    state_.currentCalendar = ses::kCE;
    HighlightCurrentCalendar();
    EnableDisableFunctions(true);
    cmdQuit->setEnabled(true);
    cmdNow->setEnabled(true);

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
    cmdLogThisResult->setEnabled(false);
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

void frmMain::EnableDisableFunctions(bool enable) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdCompute, cmdClearDate, cmdReset, txbDate, txbPlusMinus})
        w->setEnabled(enable);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdLogPreferences, cmdLogThisResult, chkLog})
        w->setEnabled(enable);
    EnableViewLog();
    if (cmdMove) cmdMove->setEnabled(enable);
    cmdSaveState->setEnabled(enable);
    FocusMoveButton();
}

void frmMain::FocusEntry() {
    if (txbDate->isEnabled()) {
        txbDate->setFocus(Qt::OtherFocusReason);
        txbDate->setCursorPosition(static_cast<int>(txbDate->text().size()));
        txbDate->deselect();
    } else {
        cmdQuit->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::FocusMoveButton() {
    if (!isVisible()) return;
    if (cmdMove && cmdMove->isEnabled())
        cmdMove->setFocus(Qt::OtherFocusReason);
    else
        cmdQuit->setFocus(Qt::OtherFocusReason);
}

void frmMain::SetTheFocus() {
    if (isVisible() && fraConvert->isEnabled()) FocusEntry();
}

void frmMain::SetEntryText(const QString& text) {
    txbDate->setText(text);
    txbDate->setCursorPosition(static_cast<int>(text.size()));
}

// ----------------------------------------------------------------- display --

void frmMain::ClearDisplay() {
    for (LabelPair* pair : {&lblPhaseOfMoon, &lblAgeOfMoon, &lblTime, &lblDeltaT}) {
        SetCaptionColour((*pair)[0], kColourOff);
        (*pair)[1]->SetValue(QString());
    }
    SetCaptionColour(lblDays, kColourOff);
    for (int i = 0; i < ses::kCalendarCount; ++i) {
        Row(i)[1]->SetValue(QString());
        Row(i)[1]->setToolTip(QString());
    }
    picMoon->clear();
}

// ------------------------------------------------------------ zones, clock --

// ----------------------------------------------------------- entry, keys --

void frmMain::cmdClearDate_Click() {
    txbDate->clear();
    txbPlusMinus->clear();
    SetTheFocus();
}

void frmMain::optPlus_Click() {
    optPlus->setChecked(true);
    SetCaptionColour(optPlus, kColourOn);
    SetCaptionColour(optMinus, kColourOff);
    if (isVisible()) SetTheFocus();
}

void frmMain::optMinus_Click() {
    optMinus->setChecked(true);
    SetCaptionColour(optMinus, kColourOn);
    SetCaptionColour(optPlus, kColourOff);
    if (isVisible()) SetTheFocus();
}

void frmMain::ShowHelp() {
    emit helpRequested();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txbDate || watched == txbPlusMinus) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (watched == txbDate) {
                    if (!txbDate->text().isEmpty()) cmdCompute_Click();
                } else if (!txbDate->text().isEmpty() && !txbPlusMinus->text().isEmpty()) {
                    cmdCompute_Click();
                }
                return true;
            }
        } else if (event->type() == QEvent::KeyRelease) {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
                ShowHelp();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && watched == txbDate) {
            const QString trimmed = txbDate->text().trimmed();
            if (trimmed != txbDate->text()) txbDate->setText(trimmed);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------- applying results --

const ses::State& frmMain::ReadControls() {
    state_.entryText = S(txbDate->text());
    state_.dayCountText = S(txbPlusMinus->text());
    state_.zoneIndex = cboTimeZone->currentIndex() < 0 ? tz::kGmtIndex : cboTimeZone->currentIndex();
    state_.view = optGreenwich->isChecked() ? tz::View::Greenwich : tz::View::Local;
    state_.plusSelected = !optMinus->isChecked();
    if (cboTarget->currentIndex() >= 0) state_.targetIndex = static_cast<int16_t>(cboTarget->currentIndex());
    return state_;
}

void frmMain::ShowState() {
    if (txbDate->text() != Q(state_.entryText)) SetEntryText(Q(state_.entryText));
    if (txbPlusMinus->text() != Q(state_.dayCountText)) txbPlusMinus->setText(Q(state_.dayCountText));
    if (cboTimeZone->currentIndex() != state_.zoneIndex) cboTimeZone->setCurrentIndex(state_.zoneIndex);
    // The view as the state holds it (a history line brings its own back).
    const bool greenwich = state_.view == tz::View::Greenwich;
    if (optGreenwich->isChecked() != greenwich) {
        (greenwich ? optGreenwich : optLocal)->setChecked(true);
        SetCaptionColour(optGreenwich, greenwich ? kColourOn : kColourOff);
        SetCaptionColour(optLocal, greenwich ? kColourOff : kColourOn);
    }
    lblActualEclipseData->setText(Q(state_.actualEclipseData));
    picCheck->setVisible(state_.nowMode);
    if (cboTarget->currentIndex() != state_.targetIndex && state_.targetIndex >= 0 &&
        state_.targetIndex < cboTarget->count())
        cboTarget->setCurrentIndex(state_.targetIndex);
    // A parse makes the calendar typed current, whatever follows.
    HighlightCurrentCalendar();
    if (cboMonthCalendar->currentIndex() != state_.monthCalendarIndex)
        cboMonthCalendar->setCurrentIndex(state_.monthCalendarIndex);
}

void frmMain::ShowTail(const ses::Tail& tail) {
    for (int i = 0; i < ses::kCalendarCount; ++i) {
        const ses::Row& row = tail.display.rows[static_cast<size_t>(i)];
        Row(i)[1]->SetValue(Q(row.value));
        Row(i)[1]->setToolTip(Q(row.toolTip));
    }
    lblTime[1]->SetValue(Q(tail.timeLabel));
    ShowMoon(tail.moon);
    lblDeltaT[1]->SetValue(Q(tail.deltaTWords));
    HighlightCurrentCalendar();
}

void frmMain::ShowMoon(const tavr::moon::MoonReport& report) {
    lblAgeOfMoon[1]->SetValue(Q(report.ageLabel));
    if (report.error) {
        ShowMessage({report.errorTitle, report.errorText, ses::Icon::Warning, ses::Buttons::Ok});
        return;
    }
    lblPhaseOfMoon[1]->SetValue(Q(report.phaseLabel));
    const QPixmap picture =
        tavr::ui::MoonPixmap(report, kNavy, strPicPath_, picMoon->devicePixelRatioF(), intMaxX, intMaxY);
    if (!picture.isNull()) picMoon->setPixmap(picture);
    picMoon->setAccessibleDescription(Q(report.phaseLabel));
    picMoon->setVisible(true);
}

void frmMain::HighlightCurrentCalendar() {
    for (int i = 0; i < ses::kCalendarCount; ++i)
        SetCaptionColour(Row(i)[0], ses::CaptionHighlighted(state_, i) ? kColourOn : kColourOff);
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
