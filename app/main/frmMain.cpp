#include "main/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

#include "base/LibLoader.h"
#include "calendar/Calendars.h"
#include "session/Session.h"
#include "session/TimeZone.h"

using tavr::ui::LabelPair;
namespace tz = tavr::timezone;

namespace {

QString Q(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
QString Q(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QString& s) {
    return s.toLatin1().toStdString();
}

} // namespace

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

    QFont f({"Arial", "Liberation Sans"}, QApplication::font().pointSize());
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
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
    for (int i = 0; i < calendarCount; ++i) {
        LabelPair& row = Row(i);
        for (int k = 0; k < 2; ++k)
            connect(row[k], &tavr::ui::ClickLabel::clicked, this, [this, i, k] { Row_Click(i, k); });
    }
    for (int k = 0; k < 2; ++k)
        connect(lblTime[k], &tavr::ui::ClickLabel::clicked, this, [this] { lblTime_Click(); });
    txbDate->installEventFilter(this);
    txbPlusMinus->installEventFilter(this);
}

// ---------------------------------------------------------------- start-up --

void frmMain::SetDefaults() {
    // The pictures lie beside the program; a test program living elsewhere
    // finds them in the folder of the libraries.
    QString picDir = QCoreApplication::applicationDirPath();
    if (!QFileInfo::exists(picDir + "/darkmoon.bmp") && qEnvironmentVariableIsSet("TAVR_LIBDIR"))
        picDir = qEnvironmentVariable("TAVR_LIBDIR");
    strPicPath = QDir::toNativeSeparators(picDir);
    if (!strPicPath.endsWith(QDir::separator())) strPicPath += QDir::separator();
    lblActualEclipseData->clear();
    clockSeconds = 5;
    calendarCount = 9;
    colourOn = QColor(255, 255, 255);
    colourOff = QColor(200, 200, 200);
    intMaxX = intMaxY = 89;
    historyMax = 8;
    earliestMoment = tavr::kEarliestMoment;
    latestMoment = tavr::kLatestMoment;
    displayedEclipseLunation = tavr::session::kNoEclipse;
    optLocal->setChecked(true);
    optPlus->setChecked(true);
    nowMode = false;
    picCheck->setVisible(false);
    // A library or export that cannot be bound is reported in a message box,
    // after the action that needed it (the loader must not wait on a box).
    QPointer<frmMain> self(this);
    tavr::SetLoadErrorReporter([self](const std::string& message) {
        const QString text = QString::fromLocal8Bit(message.c_str());
        QMetaObject::invokeMethod(
            qApp,
            [self, text] {
                if (self) self->ReportLoadError(text);
            },
            Qt::QueuedConnection);
    });
}

void frmMain::ReportLoadError(const QString& message) {
    boxes_->Show({"Error", message, tavr::ui::MessageIcon::Warning, tavr::ui::MessageButtons::Ok});
}

void frmMain::InitCalendarTables() {
    for (int i = 0; i < 9; ++i) {
        calendarCodes[i] = Q(tavr::session::CalendarCode(i));
        calendarNames[i] = Q(tavr::session::CalendarName(i));
    }
}

void frmMain::FillLists() {
    cboTimeZone->clear();
    for (const std::string& z : tz::ZoneList())
        cboTimeZone->addItem(Q(z));
    cboTimeZone->setCurrentIndex(tz::kGmtIndex);
}

void frmMain::InitialiseMainWindow() {
    SetDefaults();
    InitCalendarTables();
    InitialiseModules();
    lblQuorvaneLWCDate[0]->setVisible(true);
    lblQuorvaneLWCDate[1]->setVisible(true);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        QFont bf = b->font();
        bf.setBold(false);
        b->setFont(bf);
    }
    FillLists();
    ClearDisplay();
    zoneOffset = ZoneMinutes();
    // The click behaviour of the option buttons, once, for their colours.
    optLocal_Click();
    optPlus_Click();
}

void frmMain::Load(bool showWindow) {
    blnStartUpCompleted = false;
    lblActualEclipseData->setAutoFillBackground(false);
    setWindowTitle(windowTitle() + " 18.0");
    InitialiseMainWindow();

    currentCalendar = 0;
    HighlightCurrentCalendar();
    EnableDisableFunctions(true);
    cmdQuit->setEnabled(true);
    cmdNow->setEnabled(true);

    // No saved state yet: the moment is now.
    restoringState = false;
    SetToNow();
    RefreshTimeLabel();
    HighlightCurrentCalendar();

    HighlightCurrentCalendar();
    if (showWindow) show();
    SetTheFocus();
    blnStartUpCompleted = true;
}

void frmMain::closeEvent(QCloseEvent* event) {
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
    // The move group joins later; until then its place in the focus order is
    // taken by Quit.
    if (isVisible()) cmdQuit->setFocus(Qt::OtherFocusReason);
}

void frmMain::FocusSearchButton() {
    cmdQuit->setFocus(Qt::OtherFocusReason);
}

void frmMain::SetTheFocus() {
    if (isVisible() && fraConvert->isEnabled()) FocusEntry();
    RefreshTimeLabel();
}

void frmMain::SetEntryText(const QString& text) {
    txbDate->setText(text);
    txbDate->setCursorPosition(static_cast<int>(text.size()));
}

// ----------------------------------------------------------------- display --

void frmMain::ClearDisplay() {
    for (LabelPair* pair : {&lblPhaseOfMoon, &lblAgeOfMoon, &lblTime, &lblDeltaT}) {
        SetCaptionColour((*pair)[0], colourOff);
        (*pair)[1]->clear();
    }
    SetCaptionColour(lblDays, colourOff);
    for (int i = 0; i < calendarCount; ++i) {
        Row(i)[1]->clear();
        Row(i)[1]->setToolTip(QString());
    }
    picMoon->clear();
}

int frmMain::IndexOfCode(const QString& code) const {
    for (int i = 0; i < calendarCount; ++i)
        if (calendarCodes[i] == code) return i;
    return -1;
}

// ------------------------------------------------------------ zones, clock --

int16_t frmMain::ZoneMinutes() const {
    return tz::ZoneMinutes(S(cboTimeZone->currentText()));
}

double frmMain::CjdFromAjd(double ajd) const {
    return tz::CjdFromAjd(ajd, ZoneMinutes(), optLocal->isChecked() ? tz::View::Local : tz::View::Greenwich);
}

double frmMain::AjdFromCjd(double cjd) const {
    return tz::AjdFromCjd(cjd, ZoneMinutes(), optLocal->isChecked() ? tz::View::Local : tz::View::Greenwich);
}

double frmMain::NowAjd() const {
    const QDateTime now = clock_->Now();
    const QDate d = now.date();
    const QTime t = now.time();
    const auto offset = static_cast<tavr::ZoneOffsetMinutes>(std::lround(now.offsetFromUtc() / 60.0));
    return tavr::MomentFromClock(static_cast<tavr::DayNumber>(d.toJulianDay()), t.hour(), t.minute(),
                                 t.second(), offset);
}

// ----------------------------------------------------------- entry, keys --

void frmMain::cmdClearDate_Click() {
    txbDate->clear();
    txbPlusMinus->clear();
    SetTheFocus();
}

void frmMain::optPlus_Click() {
    optPlus->setChecked(true);
    SetCaptionColour(optPlus, colourOn);
    SetCaptionColour(optMinus, colourOff);
    if (isVisible()) SetTheFocus();
}

void frmMain::optMinus_Click() {
    optMinus->setChecked(true);
    SetCaptionColour(optMinus, colourOn);
    SetCaptionColour(optPlus, colourOff);
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
