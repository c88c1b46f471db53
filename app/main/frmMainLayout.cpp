// The arrangement of the main window's frames: Qt layouts only, so that the
// window follows the font and the screen's scaling.
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "main/Scheme.h"
#include "main/frmMain.h"

void frmMain::BuildControls() {
    setObjectName("frmMain");
    auto* outer = new QVBoxLayout(this);
    outer->setSpacing(8);
    entryFrame = new tavr::ui::EntryFrame(this);
    outer->addWidget(entryFrame);
    // The nine calendar rows, and the Moon beside them.
    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    datesFrame = new tavr::ui::DatesFrame(this);
    middle->addWidget(datesFrame, 1);
    moonFrame = new tavr::ui::MoonFrame(this);
    middle->addWidget(moonFrame, 0);
    outer->addLayout(middle, 1);
    timeFrame = new tavr::ui::TimeFrame(this);
    outer->addWidget(timeFrame);
    Clock = new QTimer(this);
    Clock->setObjectName("Clock");
    historyFrame = new tavr::ui::HistoryFrame(this);
    outer->addWidget(historyFrame);
    moveFrame = new tavr::ui::MoveFrame(this);
    outer->addWidget(moveFrame);
    searchFrame = new tavr::ui::SearchFrame(this);
    outer->addWidget(searchFrame);
    lunationFrame = new tavr::ui::LunationFrame(this);
    outer->addWidget(lunationFrame);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdSaveState = tavr::ui::NewControl<QPushButton>(this, "cmdSaveState", "Save state");
    buttons->addWidget(cmdSaveState);
    cmdQuit = tavr::ui::NewControl<QPushButton>(this, "cmdQuit", "Quit");
    buttons->addWidget(cmdQuit);
    outer->addLayout(buttons);

    // Buttons keep a comfortable width for short captions, in a regular weight.
    const int minButton = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10;
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setMinimumWidth(std::max(minButton, b->minimumSizeHint().width()));
        b->setAutoDefault(false);
        b->setDefault(false);
        QFont font = b->font();
        font.setBold(false);
        b->setFont(font);
    }
    // Labels show typed, computed and saved texts as they are: a "<" in a
    // restored eclipse caption is a character, not markup.
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
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
    const tavr::ui::EntryFrame& e = *entryFrame;
    const tavr::ui::TimeFrame& t = *timeFrame;
    const tavr::ui::HistoryFrame& h = *historyFrame;
    const tavr::ui::MoveFrame& m = *moveFrame;
    const tavr::ui::SearchFrame& s = *searchFrame;
    const tavr::ui::LunationFrame& l = *lunationFrame;
    const Control controls[] = {
        {e.txbDate, "Date and time entry",
         "A date followed by its calendar code and an optional time, e.g. 2001-12-31 CE 14:28"},
        {e.cmdCompute, "Convert", "Convert the entry to every calendar (Enter)"},
        {e.cmdClearDate, "Clear", "Empty the entry and the number of days"},
        {e.txbPlusMinus, "Number of days", "Number of days to add or subtract (optional)"},
        {e.optPlus, "plus days", "Add the number of days to the entered date"},
        {e.optMinus, "minus days", "Subtract the number of days from the entered date"},
        {e.cmdReset, "Reset", "Put every setting back to its default"},
        {t.cboTimeZone, "Local time zone", "The zone of local time, as an offset from Greenwich"},
        {t.optGreenwich, "Greenwich", "Show the dates and the time at Greenwich"},
        {t.optLocal, "Local", "Show the dates and the time in the local zone"},
        {t.cmdNow, "Now", "Show the present moment and follow the clock"},
        {h.cboHistory, "History", "The eight most recent results; choose one to show it again"},
        {h.chkLog, "Log all results", "Write every result to the log"},
        {h.cmdLogThisResult, "Log this result", "Write the result shown to the log"},
        {h.cmdViewLog, "View log", "Open the log window"},
        {h.cmdLogPreferences, "Set log preferences", "Choose the format and the contents of log entries"},
        {m.cmdMove, "Move", "Move the moment by the chosen step (F1: help)"},
        {m.cboMoveStep, "Move step", "The step of a move"},
        {m.optMoveDirection[0], "forward", "Move forward in time"},
        {m.optMoveDirection[1], "back", "Move back in time"},
        {m.chkRepeatedly, "repeatedly", "Repeat the move until Stop"},
        {m.cmdStop, "Stop", "End the repeated move"},
        {m.cmdPauseResume, "Pause or resume", "Pause the repeated move, or go on with it"},
        {m.cboRefreshPeriod, "Refresh period in seconds", "Seconds between the steps of a repeated move"},
        {s.cmdSearch, "Search for", "Search for the chosen event"},
        {s.optNext, "next", "Search forward from the moment shown"},
        {s.optPrevious, "previous", "Search back from the moment shown"},
        {s.cboTarget, "Event to search for", "The phase, eclipse or month start to search for"},
        {l.cmdDisplayCalendar, "Display lunation with", "Show the lunation of this moment as a calendar"},
        {l.cboMonthCalendar, "Lunation calendar", "The calendar whose dates the lunation calendar shows"},
        {l.lblQuorvaneSystems, "Quorvane Systems home page", "The program's home page"},
        {l.lblOnlineDocumentation, "Online documentation", "The user manual"},
        {l.cmdHelp, "Help", "Open the help window (F1)"},
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
    const QFontMetrics fm = fontMetrics();
    datesFrame->SetValueColumnMinimum(
        fm.horizontalAdvance("-3201-12-31 QLW (Daythree in Weekfour of Kierkegaard, -3201)"));
    moonFrame->setMinimumWidth(fm.horizontalAdvance("[12345] 29 days, 23 hrs, 59 mins (100.0%)") + 24);
    moveFrame->KeepStopRoom(true);
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
    moveFrame->KeepStopRoom(false);
    datesFrame->SetValueColumnMinimum(0);
    moonFrame->setMinimumWidth(0);
    relayout();
    return start;
}
