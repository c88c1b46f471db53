#include "main/TimeFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>

#include "main/Latin1.h"
#include "main/Scheme.h"
#include "session/TimeZone.h"

namespace tz = tavr::timezone;

namespace tavr::ui {

namespace {

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

TimeFrame::TimeFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraTime");
    FrameLine(this);
    lblTimeZone = NewControl<QLabel>(this, "lblTimeZone", "Local time:");
    cboTimeZone = NewControl<CentredComboBox>(this, "cboTimeZone");
    cboTimeZone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The list opens around the chosen zone, not over the whole screen.
    cboTimeZone->setMaxVisibleItems(16);
    lblTimeSystem = NewControl<QLabel>(this, "lblTimeSystem", "Timezone (location):");
    optGreenwich = NewControl<QRadioButton>(this, "optGreenwich", "Greenwich");
    optLocal = NewControl<QRadioButton>(this, "optLocal", "Local");
    cmdNow = NewControl<QPushButton>(this, "cmdNow", "Now");
    picCheck = NewControl<QLabel>(this, "picCheck");
    const int check = fontMetrics().height();
    picCheck->setPixmap(CheckMark(check, devicePixelRatioF()));
    picCheck->setFixedSize(check, check);
    QSizePolicy keep = picCheck->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    picCheck->setSizePolicy(keep);
    picCheck->setToolTip("The display follows the clock");
    lblTime = NewPair(this, "lblTime", "Time:");
    lblTime[0]->setCursor(Qt::PointingHandCursor);
    lblTime[1]->setCursor(Qt::PointingHandCursor);
    lblTime[1]->setToolTip("Click to append this time to the entry");
    lblDeltaT = NewPair(this, "lblDeltaT", "Delta T:");
    for (QWidget* value : {lblTime[1], lblDeltaT[1]})
        SetCaptionColour(value, kValueText);
    for (QWidget* caption : {lblTimeZone, lblTimeSystem})
        SetCaptionColour(caption, kColourOn);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->addWidget(lblTimeZone, 0, 0);
    auto* zone = new QHBoxLayout;
    zone->addWidget(cboTimeZone);
    zone->addStretch(1);
    grid->addLayout(zone, 0, 1);
    grid->addWidget(lblTimeSystem, 0, 3);
    auto* view = new QHBoxLayout;
    view->setSpacing(12);
    view->addWidget(optGreenwich);
    view->addWidget(optLocal);
    view->addStretch(1);
    grid->addLayout(view, 0, 4);
    auto* now = new QHBoxLayout;
    now->setSpacing(6);
    now->addWidget(cmdNow);
    now->addWidget(picCheck);
    grid->addLayout(now, 0, 5);
    grid->addWidget(lblTime[0], 1, 0);
    grid->addWidget(lblTime[1], 1, 1);
    grid->addWidget(lblDeltaT[0], 1, 3);
    grid->addWidget(lblDeltaT[1], 1, 4, 1, 2);
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
}

void TimeFrame::FillZones() {
    cboTimeZone->clear();
    for (const std::string& z : tz::ZoneList())
        cboTimeZone->addItem(Q(z));
    cboTimeZone->setCurrentIndex(tz::kGmtIndex);
}

void TimeFrame::ShowGreenwich(bool greenwich) {
    ShowChoice(greenwich ? optGreenwich : optLocal, greenwich ? optLocal : optGreenwich);
}

void TimeFrame::ClearValues() {
    for (LabelPair* pair : {&lblTime, &lblDeltaT}) {
        SetCaptionColour((*pair)[0], kColourOff);
        (*pair)[1]->SetValue(QString());
    }
}

} // namespace tavr::ui
