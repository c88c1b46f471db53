// The main window: passes the user's actions to the session and shows, through
// the one Apply, the ActionResult each ends in; it computes no text of its own.
// Its frames (EntryFrame ... LunationFrame) own the controls; frmMain connects
// them to the actions and keeps the focus rules.
#ifndef TAVR_FRMMAIN_H
#define TAVR_FRMMAIN_H

#include <QWidget>
#include <memory>

#include "log/LogEntry.h"
#include "log/frmLog.h"
#include "log/frmLogPreferences.h"
#include "main/ClockSource.h"
#include "main/DatesFrame.h"
#include "main/EntryFrame.h"
#include "main/HistoryFrame.h"
#include "main/LunationFrame.h"
#include "main/MessageBoxes.h"
#include "main/MoonFrame.h"
#include "main/MoveFrame.h"
#include "main/SearchFrame.h"
#include "main/TimeFrame.h"
#include "session/Session.h"

class QPushButton;
class QTimer;

class frmMain : public QWidget {
    Q_OBJECT

  public:
    // `boxes` and `clock` (not owned) default to QMessageBox and the system clock.
    explicit frmMain(tavr::ui::MessageBoxes* boxes = nullptr, tavr::ui::ClockSource* clock = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;
    // Start-up to the first display; shows the window when `showWindow` is set.
    void Load(bool showWindow = true);
    // Why a library could not be bound at start-up (nothing is computed then).
    const std::vector<std::string>& LibraryFailures() const { return libraryFailures_; }
    // The session's state as last applied (other windows read it from here).
    const tavr::session::State& CurrentState() const { return state_; }
    // Where the state is saved; a test sets its own file before Load.
    void SetStateFilePath(const QString& path) { stateFilePath_ = path; }
    const QString& StateFilePath() const { return stateFilePath_; }
    static QString DefaultStateFilePath();
    // Writes the state file, saying why when it cannot; true when written.
    bool SaveState();
    // ---- user actions (also called by the tests) ----
    void cmdCompute_Click();
    void optPlus_Click();
    void optMinus_Click();
    void optGreenwich_Click();
    void optLocal_Click();
    void cboTimeZone_Click();
    void cmdNow_Click();
    void Clock_Timer();
    void cmdQuit_Click();
    void cmdReset_Click();
    // Row `row` in calendar-code order (0..8), label `index` (0 caption, 1 value).
    void Row_Click(int row, int index);
    void CopyCurrentDateToEntry(); // a click on the current calendar's value
    void cboHistory_Click(int index);
    void cmdLogThisResult_Click();
    void cmdLogPreferences_Click();
    void cmdViewLog_Click();
    void cmdMove_Click();
    void cmdStop_Click();
    void cmdPauseResume_Click();
    void cboRefreshPeriod_Click();
    void cmdSearch_Click();
    void cboTarget_Click();
    void SetTheFocus();
    // The log windows, created on first use; the log text (CR LF line ends)
    // and its capacity in characters (tests make it small to reach "Log is full").
    tavr::logwin::frmLog* LogWindow();
    tavr::logwin::frmLogPreferences* LogPreferencesWindow();
    QString LogText() const;
    void SetLogCapacity(size_t capacity) { logCapacity_ = capacity; }
    const tavr::log::PendingLogEntry& PendingLogEntry() const { return pending_; }
    const tavr::ui::MoveRun& MoveState() const { return move_; }
    // What "Display lunation with" hands to the lunation window now.
    tavr::lunation::LunationRequest CurrentLunationRequest() const;
    // ---- the frames (the tests drive their controls as a user does) ----
    tavr::ui::EntryFrame* entryFrame = nullptr;
    tavr::ui::DatesFrame* datesFrame = nullptr;
    tavr::ui::MoonFrame* moonFrame = nullptr;
    tavr::ui::TimeFrame* timeFrame = nullptr;
    tavr::ui::HistoryFrame* historyFrame = nullptr;
    tavr::ui::MoveFrame* moveFrame = nullptr;
    tavr::ui::SearchFrame* searchFrame = nullptr;
    tavr::ui::LunationFrame* lunationFrame = nullptr;
    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdQuit = nullptr;
    // Ticks every few seconds in Now mode, at the refresh period in a repeated move.
    QTimer* Clock = nullptr;

  signals:
    // F1 in the entry boxes, on Move and on Help; Help itself.
    void helpRequested();
    // After every applied result (the log and other windows listen here).
    void resultApplied(const tavr::session::ActionResult& result);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void DescribeControls(); // tool tips, accessible names and the Tab order
    QSize StartSize();       // the size the window opens with
    void ConnectSignals();
    void ConnectMoveSignals();
    void ConnectSearchAndLunationSignals();
    void InitialiseMainWindow();
    void CheckLibraries();
    void RefuseWithoutLibraries();
    // The one place a result reaches the window: the state, the common tail,
    // the message; then the history list and the log.
    void Apply(const tavr::session::ActionResult& result, bool focus = true);
    const tavr::session::State& ReadControls();
    void ShowState();
    void ShowTail(const tavr::session::Tail& tail);
    void ShowSavedOptions();
    void ClearDisplay();
    void FocusMoveButton();
    tavr::ui::MessageAnswer ShowMessage(const tavr::session::Message& message);
    void RecordResult(const tavr::session::ActionResult& result);
    void AddLogEntry(const std::string& heading, const std::string& action, const std::string& extra);
    void EnableViewLog();
    void RestoreState(); // the saved state read (or the defaults) and shown first
    double NowAjd() const;
    tavr::session::ClockTime ClockNow() const;
    // A repeated move runs on the clock's ticks (frmMainMove.cpp).
    void MakeMoveStep();
    void EndMove();
    void StopRepeat();
    void EnableDuringMove(bool enable);
    tavr::ui::MoveRun move_;
    tavr::session::State state_;
    bool blnStartUpCompleted_ = false;
    bool restoringState_ = false;
    std::vector<std::string> libraryFailures_;
    int16_t clockSeconds_ = 5;
    QString strPicPath_;
    QString stateFilePath_;
    std::unique_ptr<tavr::ui::QtMessageBoxes> ownBoxes_;
    std::unique_ptr<tavr::ui::SystemClock> ownClock_;
    tavr::ui::MessageBoxes* boxes_;
    tavr::ui::ClockSource* clock_;
    int messagesOpen_ = 0; // message boxes being shown (nested)
    tavr::log::PendingLogEntry pending_;
    std::optional<tavr::session::Tail> lastTail_; // what the window shows now
    size_t logCapacity_ = tavr::log::kLogCapacity;
    tavr::logwin::frmLog* frmLog_ = nullptr;
    tavr::logwin::frmLogPreferences* frmLogPreferences_ = nullptr;
    std::unique_ptr<tavr::logwin::LogQuestions> logQuestions_;
};

#endif
