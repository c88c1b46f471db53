// The window's actions: the entry, Convert, the row and time-label clicks,
// the zone, the view, Now and the clock. Each passes the state to the session
// and applies what comes back.
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

#include "calendar/DayNumbers.h"
#include "main/Colours.h"
#include "main/Latin1.h"
#include "main/frmMain.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace ses = tavr::session;
using tavr::ui::Q;
namespace tz = tavr::timezone;

// ------------------------------------------------------------------ entry --

void frmMain::cmdCompute_Click() {
    Apply(ses::Convert(ReadControls()));
}

void frmMain::Row_Click(int row, int index) {
    const std::optional<ses::ClockTime> clock =
        state_.nowMode ? std::optional<ses::ClockTime>(ClockNow()) : std::nullopt;
    const ses::RowClickResult result = ses::RowClick(ReadControls(), row, index, clock);
    state_.currentCalendar = result.calendar;
    lblTime[1]->SetValue(Q(result.timeLabel));
    if (result.entryChanged) SetEntryText(Q(result.entryText));
    HighlightCurrentCalendar();
    SetTheFocus();
}

void frmMain::CopyCurrentDateToEntry() {
    if (state_.currentCalendar >= 0 && state_.currentCalendar < ses::kCalendarCount)
        Row_Click(state_.currentCalendar, 1);
}

void frmMain::lblTime_Click() {
    SetEntryText(Q(ses::TimeLabelClick(ReadControls())));
}

// ------------------------------------------------------- zone, view, Now --

void frmMain::optGreenwich_Click() {
    optGreenwich->setChecked(true);
    SetCaptionColour(optGreenwich, kColourOn);
    SetCaptionColour(optLocal, kColourOff);
    if (!isVisible()) return;
    Apply(ses::SwitchView(ReadControls(), tz::View::Greenwich, ClockNow()));
}

void frmMain::optLocal_Click() {
    optLocal->setChecked(true);
    SetCaptionColour(optLocal, kColourOn);
    SetCaptionColour(optGreenwich, kColourOff);
    if (!isVisible()) return;
    Apply(ses::SwitchView(ReadControls(), tz::View::Local, ClockNow()));
}

void frmMain::cboTimeZone_Click() {
    if (!isVisible() || restoringState_) return;
    const int index = cboTimeZone->currentIndex();
    Apply(ses::ChangeZone(ReadControls(), index, ClockNow()));
}

double frmMain::NowAjd() const {
    const QDateTime now = clock_->Now();
    const QDate d = now.date();
    const QTime t = now.time();
    tavr::ClockReading reading;
    reading.year = d.year();
    reading.month = d.month();
    reading.day = d.day();
    reading.hours = t.hour();
    reading.minutes = t.minute();
    reading.seconds = t.second();
    reading.offset = static_cast<tavr::ZoneOffsetMinutes>(std::lround(now.offsetFromUtc() / 60.0));
    return tavr::MomentOfReading(reading);
}

ses::ClockTime frmMain::ClockNow() const {
    const QTime t = clock_->Now().time();
    return ses::ClockTime{t.hour(), t.minute()};
}

void frmMain::SetToNow() {
    Apply(ses::SetToNow(ReadControls(), NowAjd(), ClockNow()), false);
}

void frmMain::cmdNow_Click() {
    // A running repeated move ends first, with its own history line.
    if (repeatRunning_) cmdStop_Click();
    Apply(ses::NowClick(ReadControls(), NowAjd(), ClockNow()));
    Clock->setInterval(clockSeconds_ * 1000);
    Clock->start();
    SetTheFocus();
}

void frmMain::Clock_Timer() {
    // While a message box is open a tick does nothing: a failing display
    // would otherwise open one more box inside it every few seconds.
    if (messagesOpen_ > 0) return;
    if (state_.nowMode)
        SetToNow();
    else if (repeatRunning_)
        MoveTick();
}
