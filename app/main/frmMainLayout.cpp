// The controls of the main window and their arrangement: Qt layouts only, so
// that the window follows the font and the screen's scaling.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "main/Colours.h"
#include "main/Scheme.h"
#include "main/frmMain.h"

using tavr::ui::ClickLabel;
using tavr::ui::LabelPair;

namespace {

QFrame* MakeFrame(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    tavr::ui::FrameLine(f);
    return f;
}

// A caption without its closing colon, as a screen reader names the row.
QString RowName(const QString& caption) {
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name;
}

// The check mark beside "Now", drawn for the current font size.
QPixmap CheckMark(int size, qreal dpr) {
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(96, 255, 96), qMax(2.0, size / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const qreal s = size;
    QPainterPath path;
    path.moveTo(0.18 * s, 0.55 * s);
    path.lineTo(0.42 * s, 0.78 * s);
    path.lineTo(0.84 * s, 0.22 * s);
    p.drawPath(path);
    return pm;
}

} // namespace

LabelPair& frmMain::Row(int i) {
    static LabelPair none{};
    switch (i) {
    case 0:
        return lblCommonEraDate;
    case 1:
        return lblJulianCalendarDate;
    case 2:
        return lblSarvenesDate;
    case 3:
        return lblVoskoRindalSLCDate;
    case 4:
        return lblDTCLunarDate;
    case 5:
        return lblTVGDate;
    case 6:
        return lblChronologicalJulianDate;
    case 7:
        return lblAstronomicalJulianDate;
    case 8:
        return lblQuorvaneLWCDate;
    default:
        return none;
    }
}

void frmMain::BuildControls() {
    setObjectName("frmMain");
    auto* outer = new QVBoxLayout(this);
    outer->setSpacing(8);

    // ---- entry ----
    fraConvert = MakeFrame(this, "fraConvert");
    lblEnterDateTime = new QLabel("Enter date/time:", fraConvert);
    lblEnterDateTime->setObjectName("lblEnterDateTime");
    txbDate = new QLineEdit(fraConvert);
    txbDate->setObjectName("txbDate");
    // Room for an entry such as "2001-12-31 CE 14:28"; the box grows with the window.
    txbDate->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
    cmdCompute = new QPushButton("Convert", fraConvert);
    cmdCompute->setObjectName("cmdCompute");
    cmdClearDate = new QPushButton("Clear", fraConvert);
    cmdClearDate->setObjectName("cmdClearDate");
    txbPlusMinus = new QLineEdit(fraConvert);
    txbPlusMinus->setObjectName("txbPlusMinus");
    txbPlusMinus->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    optPlus = new QRadioButton("plus", fraConvert);
    optPlus->setObjectName("optPlus");
    optMinus = new QRadioButton("minus", fraConvert);
    optMinus->setObjectName("optMinus");
    lblDays = new QLabel("days", fraConvert);
    lblDays->setObjectName("lblDays");
    cmdReset = new QPushButton("Reset", fraConvert);
    cmdReset->setObjectName("cmdReset");

    auto* gEntry = new QGridLayout(fraConvert);
    gEntry->setHorizontalSpacing(8);
    gEntry->addWidget(lblEnterDateTime, 0, 0);
    gEntry->addWidget(txbDate, 0, 1);
    gEntry->addWidget(cmdCompute, 0, 2);
    gEntry->addWidget(cmdClearDate, 0, 3);
    auto* hDays = new QHBoxLayout;
    hDays->setSpacing(10);
    hDays->addWidget(txbPlusMinus);
    hDays->addWidget(optPlus);
    hDays->addWidget(optMinus);
    hDays->addWidget(lblDays);
    hDays->addStretch(1);
    gEntry->addLayout(hDays, 1, 1);
    gEntry->addWidget(cmdReset, 1, 3);
    gEntry->setColumnStretch(1, 1);
    outer->addWidget(fraConvert);

    // ---- the nine calendar rows, and the Moon beside them ----
    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    fraDates = MakeFrame(this, "fraDates");
    auto* gDates = new QGridLayout(fraDates);
    gDates->setHorizontalSpacing(14);
    gDates->setVerticalSpacing(6);
    // Object names of the rows, in the order of the calendar codes.
    static const char* const rowNames[9] = {
        "lblCommonEraDate",           "lblJulianCalendarDate",     "lblSarvenesDate",
        "lblVoskoRindalSLCDate",      "lblDTCLunarDate",           "lblTVGDate",
        "lblChronologicalJulianDate", "lblAstronomicalJulianDate", "lblQuorvaneLWCDate"};
    int r = 0;
    for (int16_t calendar : tavr::session::kWindowOrder) {
        LabelPair& pair = Row(calendar);
        const std::string_view caption = tavr::session::RowCaption(calendar);
        pair[0] = new ClickLabel(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())),
                                 fraDates);
        pair[0]->setObjectName(QString("%1_0").arg(rowNames[calendar]));
        pair[1] = new ClickLabel(QString(), fraDates);
        pair[1]->setObjectName(QString("%1_1").arg(rowNames[calendar]));
        pair[0]->setCursor(Qt::PointingHandCursor);
        pair[1]->setCursor(Qt::PointingHandCursor);
        pair[0]->setAccessibleName(RowName(pair[0]->text()));
        pair[1]->setAccessibleName(RowName(pair[0]->text()));
        gDates->addWidget(pair[0], r, 0, Qt::AlignLeft | Qt::AlignVCenter);
        gDates->addWidget(pair[1], r, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++r;
    }
    // The value column takes the room the window gains.
    gDates->setColumnStretch(1, 1);
    gDates->setRowStretch(r, 1);
    middle->addWidget(fraDates, 1);

    fraMoon = MakeFrame(this, "fraMoon");
    auto* vMoon = new QVBoxLayout(fraMoon);
    vMoon->setSpacing(4);
    picMoon = new QLabel(fraMoon);
    picMoon->setObjectName("picMoon");
    picMoon->setFixedSize(intMaxX + 1, intMaxY + 1);
    picMoon->setAlignment(Qt::AlignCenter);
    picMoon->setAccessibleName("Picture of the Moon");
    vMoon->addWidget(picMoon, 0, Qt::AlignHCenter);
    vMoon->addSpacing(6);
    auto makePair = [&](LabelPair& pair, const char* name, const char* caption) {
        pair[0] = new ClickLabel(caption, fraMoon);
        pair[0]->setObjectName(QString("%1_0").arg(name));
        pair[1] = new ClickLabel(QString(), fraMoon);
        pair[1]->setObjectName(QString("%1_1").arg(name));
        pair[0]->setAccessibleName(RowName(caption));
        pair[1]->setAccessibleName(RowName(caption));
        vMoon->addWidget(pair[0]);
        vMoon->addWidget(pair[1]);
    };
    makePair(lblPhaseOfMoon, "lblPhaseOfMoon", "Phase of Moon, illumination:");
    vMoon->addSpacing(4);
    makePair(lblAgeOfMoon, "lblAgeOfMoon", "[Lunation] Age of Moon:");
    lblActualEclipseData = new QLabel(fraMoon);
    lblActualEclipseData->setObjectName("lblActualEclipseData");
    // The caption of a found eclipse has up to six lines: their room is kept
    // from the start, so that the window keeps its size and its controls
    // their places when one appears or goes.
    lblActualEclipseData->setTextFormat(Qt::PlainText);
    lblActualEclipseData->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblActualEclipseData->setText(QStringLiteral("Non-central annular-total solar eclipse\r\n"
                                                 "Lunation number = -64316\r\n"
                                                 "Saros number = -999\r\n"
                                                 "Penumbral phase starts 00:00 and lasts 10h 00m.\r\n"
                                                 "Umbral phase starts 00:00 and lasts 10h 00m.\r\n"
                                                 "Total phase starts 00:00 and lasts 10h 00m.\r\n"));
    lblActualEclipseData->setMinimumSize(lblActualEclipseData->sizeHint());
    lblActualEclipseData->clear();
    vMoon->addWidget(lblActualEclipseData);
    vMoon->addStretch(1);
    middle->addWidget(fraMoon, 0);
    outer->addLayout(middle, 1);

    // ---- time ----
    fraTime = MakeFrame(this, "fraTime");
    lblTimeZone = new QLabel("Local time:", fraTime);
    lblTimeZone->setObjectName("lblTimeZone");
    cboTimeZone = new tavr::ui::CentredComboBox(fraTime);
    cboTimeZone->setObjectName("cboTimeZone");
    cboTimeZone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The list opens around the chosen zone, not over the whole screen.
    cboTimeZone->setMaxVisibleItems(16);
    lblTimeSystem = new QLabel("Timezone (location):", fraTime);
    lblTimeSystem->setObjectName("lblTimeSystem");
    optGreenwich = new QRadioButton("Greenwich", fraTime);
    optGreenwich->setObjectName("optGreenwich");
    optLocal = new QRadioButton("Local", fraTime);
    optLocal->setObjectName("optLocal");
    cmdNow = new QPushButton("Now", fraTime);
    cmdNow->setObjectName("cmdNow");
    picCheck = new QLabel(fraTime);
    picCheck->setObjectName("picCheck");
    const int check = fontMetrics().height();
    picCheck->setPixmap(CheckMark(check, devicePixelRatioF()));
    picCheck->setFixedSize(check, check);
    QSizePolicy keep = picCheck->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    picCheck->setSizePolicy(keep);
    picCheck->setToolTip("The display follows the clock");
    lblTime[0] = new ClickLabel("Time:", fraTime);
    lblTime[0]->setObjectName("lblTime_0");
    lblTime[1] = new ClickLabel(QString(), fraTime);
    lblTime[1]->setObjectName("lblTime_1");
    lblTime[0]->setCursor(Qt::PointingHandCursor);
    lblTime[1]->setCursor(Qt::PointingHandCursor);
    lblTime[1]->setToolTip("Click to append this time to the entry");
    lblDeltaT[0] = new ClickLabel("Delta T:", fraTime);
    lblDeltaT[0]->setObjectName("lblDeltaT_0");
    lblDeltaT[1] = new ClickLabel(QString(), fraTime);
    lblDeltaT[1]->setObjectName("lblDeltaT_1");
    Clock = new QTimer(this);
    Clock->setObjectName("Clock");

    auto* gTime = new QGridLayout(fraTime);
    gTime->setHorizontalSpacing(10);
    gTime->addWidget(lblTimeZone, 0, 0);
    auto* hZone = new QHBoxLayout;
    hZone->addWidget(cboTimeZone);
    hZone->addStretch(1);
    gTime->addLayout(hZone, 0, 1);
    gTime->addWidget(lblTimeSystem, 0, 3);
    auto* hView = new QHBoxLayout;
    hView->setSpacing(12);
    hView->addWidget(optGreenwich);
    hView->addWidget(optLocal);
    hView->addStretch(1);
    gTime->addLayout(hView, 0, 4);
    auto* hNow = new QHBoxLayout;
    hNow->setSpacing(6);
    hNow->addWidget(cmdNow);
    hNow->addWidget(picCheck);
    gTime->addLayout(hNow, 0, 5);
    gTime->addWidget(lblTime[0], 1, 0);
    gTime->addWidget(lblTime[1], 1, 1);
    gTime->addWidget(lblDeltaT[0], 1, 3);
    gTime->addWidget(lblDeltaT[1], 1, 4, 1, 2);
    gTime->setColumnMinimumWidth(2, 16);
    gTime->setColumnStretch(1, 1);
    gTime->setColumnStretch(4, 1);
    outer->addWidget(fraTime);

    // Room for the groups of the later parts of the window.
    laterGroups_ = new QVBoxLayout;
    outer->addLayout(laterGroups_);
    BuildHistoryAndLogControls();
    BuildMoveFrame();
    BuildSearchFrame();
    BuildLunationControls();

    // ---- buttons ----
    auto* hButtons = new QHBoxLayout;
    hButtons->addStretch(1);
    cmdSaveState = new QPushButton("Save state", this);
    cmdSaveState->setObjectName("cmdSaveState");
    hButtons->addWidget(cmdSaveState);
    cmdQuit = new QPushButton("Quit", this);
    cmdQuit->setObjectName("cmdQuit");
    hButtons->addWidget(cmdQuit);
    outer->addLayout(hButtons);

    // Buttons keep a comfortable width for short captions.
    const int minButton = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10;
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setMinimumWidth(std::max(minButton, b->minimumSizeHint().width()));
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // Labels show typed, computed and saved texts as they are: a "<" in a
    // restored eclipse caption is a character, not markup.
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);

    DescribeControls();
}

void frmMain::DescribeControls() {
    // Every control in reading order, top to bottom and left to right: the
    // Tab order, the tool tips and the names a screen reader says.
    struct Control {
        QWidget* widget;
        const char* name;
        const char* tip;
    };
    const Control controls[] = {
        {txbDate, "Date and time entry",
         "A date followed by its calendar code and an optional time, e.g. 2001-12-31 CE 14:28"},
        {cmdCompute, "Convert", "Convert the entry to every calendar (Enter)"},
        {cmdClearDate, "Clear", "Empty the entry and the number of days"},
        {txbPlusMinus, "Number of days", "Number of days to add or subtract (optional)"},
        {optPlus, "plus days", "Add the number of days to the entered date"},
        {optMinus, "minus days", "Subtract the number of days from the entered date"},
        {cmdReset, "Reset", "Put every setting back to its default"},
        {cboTimeZone, "Local time zone", "The zone of local time, as an offset from Greenwich"},
        {optGreenwich, "Greenwich", "Show the dates and the time at Greenwich"},
        {optLocal, "Local", "Show the dates and the time in the local zone"},
        {cmdNow, "Now", "Show the present moment and follow the clock"},
        {cboHistory, "History", "The eight most recent results; choose one to show it again"},
        {chkLog, "Log all results", "Write every result to the log"},
        {cmdLogThisResult, "Log this result", "Write the result shown to the log"},
        {cmdViewLog, "View log", "Open the log window"},
        {cmdLogPreferences, "Set log preferences", "Choose the format and the contents of log entries"},
        {cmdMove, "Move", "Move the moment by the chosen step (F1: help)"},
        {cboMoveStep, "Move step", "The step of a move"},
        {optMoveDirection[0], "forward", "Move forward in time"},
        {optMoveDirection[1], "back", "Move back in time"},
        {chkRepeatedly, "repeatedly", "Repeat the move until Stop"},
        {cmdStop, "Stop", "End the repeated move"},
        {cmdPauseResume, "Pause or resume", "Pause the repeated move, or go on with it"},
        {cboRefreshPeriod, "Refresh period in seconds", "Seconds between the steps of a repeated move"},
        {cmdSearch, "Search for", "Search for the chosen event"},
        {optNext, "next", "Search forward from the moment shown"},
        {optPrevious, "previous", "Search back from the moment shown"},
        {cboTarget, "Event to search for", "The phase, eclipse or month start to search for"},
        {cmdDisplayCalendar, "Display lunation with", "Show the lunation of this moment as a calendar"},
        {cboMonthCalendar, "Lunation calendar", "The calendar whose dates the lunation calendar shows"},
        {lblQuorvaneSystems, "Quorvane Systems home page", "The program's home page"},
        {lblOnlineDocumentation, "Online documentation", "The user manual"},
        {cmdHelp, "Help", "Open the help window (F1)"},
        {cmdSaveState, "Save state", "Save the window's settings for the next start"},
        {cmdQuit, "Quit", "Save the settings and end the program"},
    };
    QWidget* previous = nullptr;
    for (const Control& c : controls) {
        tavr::ui::Describe(c.widget, QString::fromLatin1(c.name), QString::fromLatin1(c.tip));
        if (previous) setTabOrder(previous, c.widget);
        previous = c.widget;
    }
}

QSize frmMain::StartSize() {
    // The window opens with room for the longest dates and Moon texts and
    // for Stop and Pause, so that it keeps its width as the moment changes
    // and a repeated move starts; the user may make it narrower, down to the
    // texts it shows.
    auto* grid = qobject_cast<QGridLayout*>(fraDates->layout());
    const QFontMetrics fm = fontMetrics();
    grid->setColumnMinimumWidth(
        1, fm.horizontalAdvance("-3201-12-31 QLW (Daythree in Weekfour of Kierkegaard, -3201)"));
    fraMoon->setMinimumWidth(fm.horizontalAdvance("[12345] 29 days, 23 hrs, 59 mins (100.0%)") + 24);
    QSizePolicy stop = fraStopPauseResume->sizePolicy();
    stop.setRetainSizeWhenHidden(true);
    fraStopPauseResume->setSizePolicy(stop);
    // The nested layouts keep their sizes until told.
    auto relayout = [this] {
        for (QLayout* l : findChildren<QLayout*>())
            l->invalidate();
        for (QWidget* w : findChildren<QWidget*>())
            w->updateGeometry();
        layout()->invalidate();
    };
    relayout();
    const QSize start = sizeHint();
    stop.setRetainSizeWhenHidden(false);
    fraStopPauseResume->setSizePolicy(stop);
    grid->setColumnMinimumWidth(1, 0);
    fraMoon->setMinimumWidth(0);
    relayout();
    return start;
}

void frmMain::SetCaptionColour(QWidget* w, const QColor& colour) {
    if (!w) return;
    QPalette p = w->palette();
    // WindowText only: the option buttons draw their mark in Text on Base.
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

void frmMain::ApplyColourScheme() {
    // The palette and the type are the application's (main/Scheme.h); the
    // window fills its ground and colours its captions and values.
    setAutoFillBackground(true);
    // Command buttons use a regular weight.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        QFont bf = b->font();
        bf.setBold(false);
        b->setFont(bf);
    }

    for (int i = 0; i < 9; ++i) {
        LabelPair& row = Row(i);
        SetCaptionColour(row[1], kValueText);
    }
    for (LabelPair* pair : {&lblPhaseOfMoon, &lblAgeOfMoon, &lblTime, &lblDeltaT})
        SetCaptionColour((*pair)[1], kValueText);
    SetCaptionColour(lblActualEclipseData, kValueText);
    for (QLabel* l : {lblEnterDateTime, lblTimeZone, lblTimeSystem})
        SetCaptionColour(l, kColourOn);
}
