// The window's actions: which control runs which, and the actions of the
// entry, the rows, the zone, the view, Now, the clock, the search, the
// lunation window and the links. Each passes the state to the session and
// applies what comes back.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

#include "calendar/DayNumbers.h"
#include "help/frmHelp.h"
#include "lunation/LunationGrid.h"
#include "lunation/frmCalendar.h"
#include "main/Latin1.h"
#include "main/frmMain.h"
#include "session/Search.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace lun = tavr::lunation;
namespace ses = tavr::session;
using tavr::ui::Q;
namespace tz = tavr::timezone;

namespace {

// "Display lunation with" moves the main window to the top left: 400 twips
// down, at the left edge.
constexpr int kLunationMainTopTwips = 400;

} // namespace

void frmMain::ConnectSignals() {
    tavr::ui::EntryFrame* e = entryFrame;
    connect(e->cmdCompute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
    connect(e, &tavr::ui::EntryFrame::convertRequested, this, [this] { cmdCompute_Click(); });
    connect(e, &tavr::ui::EntryFrame::helpRequested, this, &frmMain::helpRequested);
    connect(e->cmdClearDate, &QPushButton::clicked, this, [this, e] {
        e->txbDate->clear();
        e->txbPlusMinus->clear();
        SetTheFocus();
    });
    connect(e->optPlus, &QRadioButton::clicked, this, [this] { optPlus_Click(); });
    connect(e->optMinus, &QRadioButton::clicked, this, [this] { optMinus_Click(); });
    connect(e->cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(datesFrame, &tavr::ui::DatesFrame::rowClicked, this,
            [this](int row, int k) { Row_Click(row, k); });
    tavr::ui::TimeFrame* t = timeFrame;
    connect(t->optGreenwich, &QRadioButton::clicked, this, [this] { optGreenwich_Click(); });
    connect(t->optLocal, &QRadioButton::clicked, this, [this] { optLocal_Click(); });
    connect(t->cboTimeZone, &QComboBox::activated, this, [this](int) { cboTimeZone_Click(); });
    connect(t->cmdNow, &QPushButton::clicked, this, [this] { cmdNow_Click(); });
    for (int k = 0; k < 2; ++k) {
        connect(t->lblTime[k], &tavr::ui::ClickLabel::clicked, this,
                [this] { entryFrame->SetEntryText(Q(ses::TimeLabelClick(ReadControls()))); });
    }
    connect(Clock, &QTimer::timeout, this, [this] { Clock_Timer(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(cmdSaveState, &QPushButton::clicked, this, [this] { SaveState(); });
    // Every new history line (Now and the zone change among them) makes the
    // state worth saving again.
    connect(this, &frmMain::resultApplied, this, [this](const ses::ActionResult& result) {
        if (result.historyDue) cmdSaveState->setEnabled(true);
    });
    tavr::ui::HistoryFrame* h = historyFrame;
    connect(h->cboHistory, &QComboBox::activated, this, [this](int index) { cboHistory_Click(index); });
    connect(h->chkLog, &QCheckBox::clicked, this, [this, h] {
        state_.chkLog = h->chkLog->isChecked();
        h->ShowLogAll(state_.chkLog);
        FocusMoveButton();
    });
    connect(h->cmdLogThisResult, &QPushButton::clicked, this, [this] { cmdLogThisResult_Click(); });
    connect(h->cmdViewLog, &QPushButton::clicked, this, [this] { cmdViewLog_Click(); });
    connect(h->cmdLogPreferences, &QPushButton::clicked, this, [this] { cmdLogPreferences_Click(); });
    ConnectMoveSignals();
    ConnectSearchAndLunationSignals();
    // Every way to help (the button, F1) ends in the one help window.
    connect(this, &frmMain::helpRequested, this, [this] { lunationFrame->OpenHelp(); });
    lunationFrame->cmdHelp->installEventFilter(this);
    moveFrame->cmdMove->installEventFilter(this);
}

void frmMain::ConnectSearchAndLunationSignals() {
    tavr::ui::SearchFrame* s = searchFrame;
    connect(s->cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    for (QRadioButton* direction : {s->optNext, s->optPrevious}) {
        connect(direction, &QRadioButton::clicked, this, [this, s, next = direction == s->optNext] {
            s->ShowNext(next);
            state_.searchNext = next;
            if (isVisible()) s->cmdSearch->setFocus(Qt::OtherFocusReason);
        });
    }
    connect(s->cboTarget, &QComboBox::activated, this, [this](int) { cboTarget_Click(); });
    tavr::ui::LunationFrame* l = lunationFrame;
    connect(l->cboMonthCalendar, &QComboBox::activated, this, [this, l](int index) {
        state_.monthCalendarIndex = static_cast<int16_t>(index < 0 ? 0 : index);
        // The lunation window reads the choice again at its next activation.
        if (l->CalendarWindow()) l->CalendarWindow()->SetCalendar(state_.monthCalendarIndex);
        if (blnStartUpCompleted_) l->cmdDisplayCalendar->setFocus(Qt::OtherFocusReason);
    });
    connect(l->cmdDisplayCalendar, &QPushButton::clicked, this, [this, l] {
        move(0, static_cast<int>(std::lround(kLunationMainTopTwips / double(tavr::help::kTwipsPerPixel))));
        l->DisplayLunation(CurrentLunationRequest(),
                           QDir(QDir::fromNativeSeparators(strPicPath_)).absolutePath(),
                           [this](const ses::Message& message) { ShowMessage(message); });
    });
    connect(l->cmdHelp, &QPushButton::clicked, this, &frmMain::helpRequested);
    auto openPage = [this, l](tavr::web::Page page) {
        if (const std::optional<ses::Message> failure = l->OpenWebAddress(page)) ShowMessage(*failure);
    };
    connect(l->lblQuorvaneSystems, &tavr::ui::ClickLabel::clicked, this,
            [openPage] { openPage(tavr::web::Page::Home); });
    connect(l->lblOnlineDocumentation, &tavr::ui::ClickLabel::clicked, this, [this, openPage] {
        openPage(tavr::web::Page::Documentation);
        SetTheFocus();
    });
}

// ------------------------------------------------------------------ entry --

void frmMain::cmdCompute_Click() {
    Apply(ses::Convert(ReadControls()));
}

void frmMain::optPlus_Click() {
    entryFrame->ShowPlus(true);
    if (isVisible()) SetTheFocus();
}

void frmMain::optMinus_Click() {
    entryFrame->ShowPlus(false);
    if (isVisible()) SetTheFocus();
}

void frmMain::Row_Click(int row, int index) {
    const std::optional<ses::ClockTime> clock =
        state_.nowMode ? std::optional<ses::ClockTime>(ClockNow()) : std::nullopt;
    const ses::RowClickResult result = ses::RowClick(ReadControls(), row, index, clock);
    state_.currentCalendar = result.calendar;
    timeFrame->lblTime[1]->SetValue(Q(result.timeLabel));
    if (result.entryChanged) entryFrame->SetEntryText(Q(result.entryText));
    datesFrame->Highlight(state_);
    SetTheFocus();
}

void frmMain::CopyCurrentDateToEntry() {
    if (state_.currentCalendar >= 0 && state_.currentCalendar < ses::kCalendarCount)
        Row_Click(state_.currentCalendar, 1);
}

// ------------------------------------------------------- zone, view, Now --

void frmMain::optGreenwich_Click() {
    timeFrame->ShowGreenwich(true);
    if (!isVisible()) return;
    Apply(ses::SwitchView(ReadControls(), tz::View::Greenwich, ClockNow()));
}

void frmMain::optLocal_Click() {
    timeFrame->ShowGreenwich(false);
    if (!isVisible()) return;
    Apply(ses::SwitchView(ReadControls(), tz::View::Local, ClockNow()));
}

void frmMain::cboTimeZone_Click() {
    if (!isVisible() || restoringState_) return;
    const int index = timeFrame->cboTimeZone->currentIndex();
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

void frmMain::cmdNow_Click() {
    // A running repeated move ends first, with its own history line.
    if (move_.running) cmdStop_Click();
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
        Apply(ses::SetToNow(ReadControls(), NowAjd(), ClockNow()), false);
    else if (move_.running) {
        // The due step, unless one is being made or the move is paused.
        move_.tickDue = true;
        if (!move_.stepping && !move_.paused) MakeMoveStep();
    }
}

// ----------------------------------------------------------------- search --

void frmMain::cboTarget_Click() {
    state_.targetIndex = static_cast<int16_t>(searchFrame->cboTarget->currentIndex());
    SetTheFocus();
}

void frmMain::cmdSearch_Click() {
    // The search shows "Searching ..." while a coincidence is sought, and a
    // hit ends Now mode: its clock stops so that no tick moves the moment.
    ses::State state = ReadControls();
    state.searchNext = !searchFrame->optPrevious->isChecked();
    state.targetIndex = static_cast<int16_t>(searchFrame->cboTarget->currentIndex());
    QLabel* searching = searchFrame->lblSearching;
    if (state.targetIndex == ses::kTargetCoincidence) {
        searching->setVisible(true);
        searching->repaint();
    }
    const ses::ActionResult result = ses::Search(state);
    searching->setVisible(false);
    if (result.kind == ses::ResultKind::Done) Clock->stop();
    Apply(result);
    QComboBox* target = searchFrame->cboTarget;
    if (target->currentIndex() != state_.targetIndex) target->setCurrentIndex(state_.targetIndex);
}

// ------------------------------------------- the lunation window, the links --

lun::LunationRequest frmMain::CurrentLunationRequest() const {
    lun::LunationRequest r;
    r.moment = state_.dblCurrentAJDate;
    r.view.offset = ses::ZoneMinutes(state_);
    r.view.greenwich = state_.view == tz::View::Greenwich;
    r.calendar = state_.monthCalendarIndex;
    r.today = lun::TodayIn(r.view, NowAjd());
    r.background = palette().color(QPalette::Window);
    r.mainWindowTop = frameGeometry().top();
    // The "One moment please" window: the main window's left and top plus
    // the left and top of its move frame.
    r.loadingPlace = frameGeometry().topLeft() + moveFrame->fraMove->mapTo(this, QPoint(0, 0));
    return r;
}
