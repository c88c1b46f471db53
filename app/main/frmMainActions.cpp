// The window's actions: the display of the moment, the entry, Convert, the
// row and time-label clicks, the zone, the view, Now and the clock. The texts
// come from the engine; this file puts them into the controls.
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>

#include "astro/Lunar.h"
#include "astro/MoonData.h"
#include "astro/picture/MoonPicture.h"
#include "main/frmMain.h"
#include "session/TimeZone.h"

using tavr::ui::LabelPair;
namespace ses = tavr::session;
namespace tz = tavr::timezone;

namespace {

const QColor kMoonBackground(0, 0, 128);

QString Q(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QString& s) {
    return s.toLatin1().toStdString();
}

} // namespace

// ------------------------------------------------------------- state sync --

const ses::State& frmMain::Snapshot() {
    state.entryText = S(txbDate->text());
    state.dayCountText = S(txbPlusMinus->text());
    state.zoneIndex = cboTimeZone->currentIndex() < 0 ? tz::kGmtIndex : cboTimeZone->currentIndex();
    state.view = optGreenwich->isChecked() ? tz::View::Greenwich : tz::View::Local;
    state.plusSelected = !optMinus->isChecked();
    return state;
}

void frmMain::ShowState() {
    if (txbDate->text() != Q(state.entryText)) SetEntryText(Q(state.entryText));
    if (txbPlusMinus->text() != Q(state.dayCountText)) txbPlusMinus->setText(Q(state.dayCountText));
    if (cboTimeZone->currentIndex() != state.zoneIndex) cboTimeZone->setCurrentIndex(state.zoneIndex);
    lblActualEclipseData->setText(Q(state.actualEclipseData));
    picCheck->setVisible(state.nowMode);
}

std::optional<ses::ClockTime> frmMain::ClockReading() const {
    if (!nowMode) return std::nullopt;
    const QTime t = clock_->Now().time();
    return ses::ClockTime{t.hour(), t.minute()};
}

tavr::ui::MessageAnswer frmMain::ShowMessage(const ses::Message& message) {
    tavr::ui::MessageRequest request;
    request.title = Q(message.title);
    request.text = Q(message.text);
    request.icon = message.icon == ses::Icon::Information ? tavr::ui::MessageIcon::Information
                                                          : tavr::ui::MessageIcon::Warning;
    switch (message.buttons) {
    case ses::Buttons::Ok:
        request.buttons = tavr::ui::MessageButtons::Ok;
        break;
    case ses::Buttons::OkCancel:
        request.buttons = tavr::ui::MessageButtons::OkCancel;
        break;
    case ses::Buttons::YesNo:
        request.buttons = tavr::ui::MessageButtons::YesNo;
        break;
    }
    // A modal box runs its own event loop, in which the clock keeps ticking;
    // the ticks wait until it is answered (see Clock_Timer).
    ++messagesOpen_;
    const tavr::ui::MessageAnswer answer = boxes_->Show(request);
    --messagesOpen_;
    return answer;
}

void frmMain::ApplyAction(const ses::ActionResult& result, bool focus) {
    const bool wasNow = nowMode;
    state = result.state;
    ShowState();
    if (wasNow && !nowMode) picCheck->setVisible(false);
    if (result.refreshed) {
        ShowRows(result.display);
        RefreshTimeLabel();
        DisplayMoonData(kMoonBackground);
        RefreshDeltaT();
        HighlightCurrentCalendar();
    }
    if (result.message) {
        ShowMessage(*result.message);
        if (result.focusEntry) SetTheFocus();
        return;
    }
    // The history list and the log take `result.historyText` and
    // `result.actionText` when they exist; then the focus returns to the entry.
    if (result.refreshed && focus) SetTheFocus();
}

// ---------------------------------------------------------------- display --

void frmMain::ShowRows(const ses::Display& display) {
    for (int i = 0; i < calendarCount; ++i) {
        const ses::Row& row = display.rows[static_cast<size_t>(i)];
        Row(i)[1]->setText(Q(row.value));
        Row(i)[1]->setToolTip(Q(row.toolTip));
    }
}

QString frmMain::RefreshDisplay() {
    const ses::Display display = ses::RefreshDisplay(Snapshot());
    ShowRows(display);
    return Q(display.historyText);
}

void frmMain::RefreshTimeLabel() {
    lblTime[1]->setText(Q(ses::RefreshTimeLabel(Snapshot(), ClockReading())));
}

void frmMain::HighlightCurrentCalendar() {
    for (int i = 0; i < calendarCount; ++i)
        SetCaptionColour(Row(i)[0], ses::CaptionHighlighted(state, i) ? colourOn : colourOff);
}

void frmMain::CopyCurrentDateToEntry() {
    // The click on the current calendar's value label: entry text, time label,
    // highlight and focus.
    if (currentCalendar >= 0 && currentCalendar < calendarCount) Row_Click(currentCalendar, 1);
}

void frmMain::RefreshDeltaT() {
    lblDeltaT[1]->setText(Q(tz::DeltaTWords(tavr::lunar::DeltaTAt(dblCurrentAJDate))));
}

void frmMain::DisplayMoonData(QColor background) {
    const tavr::moon::MoonReport report = tavr::moon::ComputeMoonData(dblCurrentAJDate);
    lblAgeOfMoon[1]->setText(Q(report.ageLabel));
    if (report.error) {
        ShowMessage({report.errorTitle, report.errorText, ses::Icon::Warning, ses::Buttons::Ok});
        return;
    }
    lblPhaseOfMoon[1]->setText(Q(report.phaseLabel));
    const QImage picture = tavr::moon::DrawMoonPicture(report, background, strPicPath, intMaxX, intMaxY);
    if (!picture.isNull()) {
        // On a scaled screen the picture is enlarged smoothly rather than by
        // repeating pixels.
        const qreal dpr = picMoon->devicePixelRatioF();
        QPixmap pixmap;
        if (dpr > 1.0) {
            pixmap = QPixmap::fromImage(
                picture.scaled(picture.size() * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            pixmap.setDevicePixelRatio(dpr);
        } else {
            pixmap = QPixmap::fromImage(picture);
        }
        picMoon->setPixmap(pixmap);
    }
    picMoon->setVisible(true);
}

// ------------------------------------------------------------------ entry --

int16_t frmMain::ParseDateEntry(const QString& entry, double& moment) {
    const ses::ParseResult result = ses::ParseDateEntry(S(entry), Snapshot());
    if (!fromHistory) SetEntryText(Q(result.entryText));
    moment = result.moment;
    if (result.error == 0) {
        currentCalendar = result.calendar;
        HighlightCurrentCalendar();
    }
    return result.error;
}

void frmMain::ShowEntryError(int16_t code) {
    ShowMessage(ses::ShowEntryError(code));
}

bool frmMain::RangeCheck(double moment) {
    const std::optional<ses::Message> message = ses::RangeCheck(moment);
    if (message) ShowMessage(*message);
    return message.has_value();
}

void frmMain::cmdCompute_Click() {
    ApplyAction(ses::Convert(Snapshot()));
}

void frmMain::Row_Click(int row, int index) {
    const ses::RowClickResult result = ses::RowClick(Snapshot(), row, index);
    currentCalendar = result.calendar;
    RefreshTimeLabel();
    if (result.entryChanged) SetEntryText(Q(result.entryText));
    HighlightCurrentCalendar();
    SetTheFocus();
}

void frmMain::lblTime_Click() {
    SetEntryText(Q(ses::TimeLabelClick(Snapshot())));
}

// ------------------------------------------------------- zone, view, Now --

void frmMain::optGreenwich_Click() {
    optGreenwich->setChecked(true);
    SetCaptionColour(optGreenwich, colourOn);
    SetCaptionColour(optLocal, colourOff);
    if (!isVisible()) return;
    ApplyAction(ses::SwitchView(Snapshot(), tz::View::Greenwich));
}

void frmMain::optLocal_Click() {
    optLocal->setChecked(true);
    SetCaptionColour(optLocal, colourOn);
    SetCaptionColour(optGreenwich, colourOff);
    if (!isVisible()) return;
    ApplyAction(ses::SwitchView(Snapshot(), tz::View::Local));
}

void frmMain::cboTimeZone_Click() {
    if (!isVisible() || restoringState) return;
    const int index = cboTimeZone->currentIndex();
    ApplyAction(ses::ChangeZone(Snapshot(), index));
}

QString frmMain::SetToNow() {
    const ses::ActionResult result = ses::SetToNow(Snapshot(), NowAjd(), ClockReading());
    ApplyAction(result, false);
    return Q(result.historyText);
}

void frmMain::cmdNow_Click() {
    ApplyAction(ses::NowClick(Snapshot(), NowAjd(), std::nullopt));
    Clock->setInterval(clockSeconds * 1000);
    Clock->start();
    SetTheFocus();
}

void frmMain::Clock_Timer() {
    // While a message box is open a tick does nothing: a failing display
    // would otherwise open one more box inside it every few seconds.
    if (messagesOpen_ > 0) return;
    if (nowMode) SetToNow();
}

void frmMain::InitialiseModules() {
    // Date names, goddess and lunar week names are tables of their modules;
    // the lunar constants are computed once here.
    tavr::lunar::InitLunarConstants();
}
