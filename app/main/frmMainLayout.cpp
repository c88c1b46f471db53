// The controls of the main window and their arrangement: Qt layouts only, so
// that the window follows the font and the screen's scaling.
#include <QComboBox>
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
#include "main/frmMain.h"

using tavr::ui::ClickLabel;
using tavr::ui::LabelPair;

namespace {

// Colours of the window: navy background, captions in colourOn / colourOff,
// values in a pale yellow so that they stand apart from the captions.
const QColor kNavy(0, 0, 128);
const QColor kFrameLine(72, 72, 176);
const QColor kValueText(255, 255, 170);

QFrame* MakeFrame(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Plain);
    return f;
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
    txbDate->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 32);
    txbDate->setToolTip(
        "A date followed by its calendar code and an optional time, e.g. 2001-12-31 CE 14:28");
    cmdCompute = new QPushButton("Convert", fraConvert);
    cmdCompute->setObjectName("cmdCompute");
    cmdClearDate = new QPushButton("Clear", fraConvert);
    cmdClearDate->setObjectName("cmdClearDate");
    txbPlusMinus = new QLineEdit(fraConvert);
    txbPlusMinus->setObjectName("txbPlusMinus");
    txbPlusMinus->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    txbPlusMinus->setToolTip("Number of days to add or subtract (optional)");
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
        gDates->addWidget(pair[0], r, 0, Qt::AlignLeft | Qt::AlignVCenter);
        gDates->addWidget(pair[1], r, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++r;
    }
    gDates->setColumnStretch(1, 1);
    // Room for long dates, so that the window keeps its width as the moment changes.
    gDates->setColumnMinimumWidth(
        1, fontMetrics().horizontalAdvance("-3201-12-31 QLW (Daythree in Weekfour of Kierkegaard, -3201)"));
    gDates->setRowStretch(r, 1);
    middle->addWidget(fraDates, 1);

    fraMoon = MakeFrame(this, "fraMoon");
    auto* vMoon = new QVBoxLayout(fraMoon);
    vMoon->setSpacing(4);
    picMoon = new QLabel(fraMoon);
    picMoon->setObjectName("picMoon");
    picMoon->setFixedSize(intMaxX + 1, intMaxY + 1);
    picMoon->setAlignment(Qt::AlignCenter);
    vMoon->addWidget(picMoon, 0, Qt::AlignHCenter);
    vMoon->addSpacing(6);
    auto makePair = [&](LabelPair& pair, const char* name, const char* caption) {
        pair[0] = new ClickLabel(caption, fraMoon);
        pair[0]->setObjectName(QString("%1_0").arg(name));
        pair[1] = new ClickLabel(QString(), fraMoon);
        pair[1]->setObjectName(QString("%1_1").arg(name));
        vMoon->addWidget(pair[0]);
        vMoon->addWidget(pair[1]);
    };
    makePair(lblPhaseOfMoon, "lblPhaseOfMoon", "Phase of Moon, illumination:");
    vMoon->addSpacing(4);
    makePair(lblAgeOfMoon, "lblAgeOfMoon", "[Lunation] Age of Moon:");
    lblActualEclipseData = new QLabel(fraMoon);
    lblActualEclipseData->setObjectName("lblActualEclipseData");
    lblActualEclipseData->setWordWrap(true);
    vMoon->addWidget(lblActualEclipseData);
    vMoon->addStretch(1);
    // Wide enough for the longest texts of the two Moon labels.
    fraMoon->setMinimumWidth(fontMetrics().horizontalAdvance("[12345] 29 days, 23 hrs, 59 mins (100.0%)") +
                             24);
    middle->addWidget(fraMoon, 0);
    outer->addLayout(middle, 1);

    // ---- time ----
    fraTime = MakeFrame(this, "fraTime");
    lblTimeZone = new QLabel("Local time:", fraTime);
    lblTimeZone->setObjectName("lblTimeZone");
    cboTimeZone = new QComboBox(fraTime);
    cboTimeZone->setObjectName("cboTimeZone");
    cboTimeZone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
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
        b->setMinimumWidth(minButton);
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // Entry first, then its buttons, the day count, the zone and Now.
    setTabOrder(txbDate, cmdCompute);
    setTabOrder(cmdCompute, cmdClearDate);
    setTabOrder(cmdClearDate, txbPlusMinus);
    setTabOrder(txbPlusMinus, optPlus);
    setTabOrder(optPlus, optMinus);
    setTabOrder(optMinus, cmdReset);
    setTabOrder(cmdReset, cboTimeZone);
    setTabOrder(cboTimeZone, optGreenwich);
    setTabOrder(optGreenwich, optLocal);
    setTabOrder(optLocal, cmdNow);
    setTabOrder(cmdNow, cmdQuit);
    setTabOrder(cmdNow, cmdSaveState);
    setTabOrder(cmdSaveState, cmdQuit);
}

void frmMain::SetCaptionColour(QWidget* w, const QColor& colour) {
    if (!w) return;
    QPalette p = w->palette();
    // WindowText only: the option buttons draw their mark in Text on Base.
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

void frmMain::ApplyColourScheme() {
    QPalette p = palette();
    p.setColor(QPalette::Window, kNavy);
    p.setColor(QPalette::WindowText, kColourOff);
    p.setColor(QPalette::Base, QColor(255, 255, 255));
    p.setColor(QPalette::Text, QColor(0, 0, 0));
    p.setColor(QPalette::Button, QColor(224, 224, 232));
    p.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    p.setColor(QPalette::Light, kFrameLine.lighter(130));
    p.setColor(QPalette::Mid, kFrameLine);
    p.setColor(QPalette::Dark, kFrameLine);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 170));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 140));
    setPalette(p);
    setAutoFillBackground(true);

    QFont f({"Arial", "Liberation Sans"}, font().pointSize());
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
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

    for (QFrame* fr : {fraConvert, fraDates, fraMoon, fraTime}) {
        fr->setFrameShape(QFrame::NoFrame);
        fr->setStyleSheet(QString("QFrame#%1 { border: 1px solid rgb(%2, %3, %4); border-radius: 4px; }")
                              .arg(fr->objectName())
                              .arg(kFrameLine.red())
                              .arg(kFrameLine.green())
                              .arg(kFrameLine.blue()));
    }
}
