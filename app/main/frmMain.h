// The main window: shows the session's state (the moment in every calendar,
// the Moon data, the zone and view) and passes the user's actions to the
// session. Every action ends in one ActionResult that Apply shows; the window
// computes no text of its own.
//
// The window is split by feature: frmMain.cpp (start-up, Apply, focus),
// frmMainLayout.cpp (controls and their arrangement), frmMainActions.cpp (the
// entry, the rows, the zone, the view, Now and the clock). Later groups add a
// file of their own (frmMainHistory.cpp, frmMainMove.cpp, ...) and their
// frames in the one place BuildControls leaves for them.
#ifndef TAVR_FRMMAIN_H
#define TAVR_FRMMAIN_H

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "log/LogEntry.h"
#include "main/ClickLabel.h"
#include "main/ClockSource.h"
#include "main/MessageBoxes.h"
#include "session/Session.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QVBoxLayout;

namespace tavr::logwin {
class frmLog;
class frmLogPreferences;
class LogQuestions;
} // namespace tavr::logwin
namespace tavr::lunation {
class frmCalendar;
struct LunationRequest;
} // namespace tavr::lunation
namespace tavr::help {
class frmHelp;
}

namespace tavr::ui {
// Caption (index 0) and value (index 1) of one row of the window.
using LabelPair = std::array<ClickLabel*, 2>;
} // namespace tavr::ui

class frmMain : public QWidget {
    Q_OBJECT

  public:
    // `boxes` and `clock` default to QMessageBox and the system clock; the
    // window does not take ownership of either.
    explicit frmMain(tavr::ui::MessageBoxes* boxes = nullptr, tavr::ui::ClockSource* clock = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up: defaults, lists, the first display; shows the window when
    // `showWindow` is true (the tests may keep it hidden).
    void Load(bool showWindow = true);

    // The loader's messages when a library could not be bound at start-up:
    // the window then shows nothing computed and leaves the saved state alone.
    const std::vector<std::string>& LibraryFailures() const { return libraryFailures_; }

    // The session's state as last applied (other windows read it from here).
    const tavr::session::State& CurrentState() const { return state_; }

    // ---- user actions (also called by the tests) ----
    void cmdCompute_Click();
    void cmdClearDate_Click();
    void optPlus_Click();
    void optMinus_Click();
    void optGreenwich_Click();
    void optLocal_Click();
    void cboTimeZone_Click();
    void cmdNow_Click();
    void Clock_Timer();
    void cmdQuit_Click();
    // The saved state (frmMainState.cpp). Save state writes the file and says
    // why when it cannot; the answer is true when the file was written.
    void cmdSaveState_Click();
    bool SaveState();
    void cmdReset_Click();
    // Where the state is saved; a test sets its own file before Load.
    void SetStateFilePath(const QString& path) { stateFilePath_ = path; }
    const QString& StateFilePath() const { return stateFilePath_; }
    static QString DefaultStateFilePath();
    // Row `row` in calendar-code order (0..8), label `index` (0 caption, 1 value).
    void Row_Click(int row, int index);
    void lblTime_Click();
    // The click on the current calendar's value label.
    void CopyCurrentDateToEntry();
    // F1 in the entry boxes.
    void ShowHelp();
    void SetTheFocus();

    // ---- history and log (frmMainHistory.cpp) ----
    void cboHistory_Click(int index);
    void chkLog_Click();
    void cmdLogThisResult_Click();
    void cmdLogPreferences_Click();
    void cmdViewLog_Click();
    // The log window and the preferences window, created on first use.
    tavr::logwin::frmLog* LogWindow();
    tavr::logwin::frmLogPreferences* LogPreferencesWindow();
    // The log text (CR LF line ends); "" before the first entry.
    QString LogText() const;
    // Characters the log may hold (tests make it small to reach "Log is full").
    void SetLogCapacity(size_t capacity) { logCapacity_ = capacity; }
    const tavr::log::PendingLogEntry& PendingLogEntry() const { return pending_; }

    // ---- controls (driven by the tests as a user drives them) ----
    QFrame* fraConvert = nullptr;
    QLabel* lblEnterDateTime = nullptr;
    QLineEdit* txbDate = nullptr;
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdClearDate = nullptr;
    QLineEdit* txbPlusMinus = nullptr;
    QRadioButton* optPlus = nullptr;
    QRadioButton* optMinus = nullptr;
    QLabel* lblDays = nullptr;
    QPushButton* cmdReset = nullptr;

    QFrame* fraDates = nullptr;
    tavr::ui::LabelPair lblCommonEraDate{};
    tavr::ui::LabelPair lblJulianCalendarDate{};
    tavr::ui::LabelPair lblSarvenesDate{};
    tavr::ui::LabelPair lblVoskoRindalSLCDate{};
    tavr::ui::LabelPair lblDTCLunarDate{};
    tavr::ui::LabelPair lblTVGDate{};
    tavr::ui::LabelPair lblQuorvaneLWCDate{};
    tavr::ui::LabelPair lblChronologicalJulianDate{};
    tavr::ui::LabelPair lblAstronomicalJulianDate{};

    QFrame* fraMoon = nullptr;
    QLabel* picMoon = nullptr;
    tavr::ui::LabelPair lblPhaseOfMoon{};
    tavr::ui::LabelPair lblAgeOfMoon{};
    QLabel* lblActualEclipseData = nullptr;

    QFrame* fraTime = nullptr;
    QLabel* lblTimeZone = nullptr;
    QLabel* lblTimeSystem = nullptr;
    tavr::ui::LabelPair lblTime{};
    tavr::ui::LabelPair lblDeltaT{};
    QComboBox* cboTimeZone = nullptr;
    QRadioButton* optGreenwich = nullptr;
    QRadioButton* optLocal = nullptr;
    QPushButton* cmdNow = nullptr;
    QLabel* picCheck = nullptr;
    QTimer* Clock = nullptr;

    QFrame* fraHistory = nullptr;
    QComboBox* cboHistory = nullptr;
    QCheckBox* chkLog = nullptr;
    QPushButton* cmdLogThisResult = nullptr;
    QPushButton* cmdViewLog = nullptr;
    QPushButton* cmdLogPreferences = nullptr;

    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdQuit = nullptr;

    // ---- move (frmMainMove.cpp) ----
    void cmdMove_Click();
    void cmdStop_Click();
    void cmdPauseResume_Click();
    void cboRefreshPeriod_Click();
    void optMoveDirection_Click(int index);
    void chkRepeatedly_Click();
    void cboMoveStep_Click();
    // The move controls set from the state (after a restore).
    void ShowMoveState();
    bool RepeatRunning() const { return repeatRunning_; }
    bool Paused() const { return paused_; }
    QFrame* fraMove = nullptr;
    QComboBox* cboMoveStep = nullptr;
    std::array<QRadioButton*, 2> optMoveDirection{}; // 0 "forward", 1 "back"
    QPushButton* cmdMove = nullptr;
    QCheckBox* chkRepeatedly = nullptr;
    QFrame* fraStopPauseResume = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdPauseResume = nullptr;
    QLabel* lblRefreshPeriod = nullptr;
    QComboBox* cboRefreshPeriod = nullptr;
    // ---- search (frmMainSearch.cpp) ----
    void cmdSearch_Click();
    void optNext_Click();
    void optPrevious_Click();
    void cboTarget_Click();
    QFrame* fraSearch = nullptr;
    QComboBox* cboTarget = nullptr;
    QRadioButton* optNext = nullptr;
    QRadioButton* optPrevious = nullptr;
    QPushButton* cmdSearch = nullptr;
    QLabel* lblSearching = nullptr;

    // The row of calendar index i (calendar-code order).
    tavr::ui::LabelPair& Row(int i);

    // ---- lunation calendar, help and web links (frmMainLunation.cpp) ----
    void cboMonthCalendar_Click();
    void cmdDisplayCalendar_Click();
    void cmdHelp_Click();
    void lblQuorvaneSystems_Click();
    void lblOnlineDocumentation_Click();
    // F1 released on `w` opens help (the entries, Help; Move when it comes).
    void InstallHelpKey(QWidget* w);
    // Opens a web address and gives the shell's result code (above 32 is
    // success); the tests replace the default browser with a recorder.
    using WebOpener = std::function<int(const QString& address)>;
    void SetWebOpener(WebOpener opener) { webOpener_ = std::move(opener); }
    // The lunation window and the help window, once created (else null).
    tavr::lunation::frmCalendar* CalendarWindow() const { return frmCalendar_; }
    tavr::help::frmHelp* HelpWindow() const { return frmHelp_; }
    // What "Display lunation with" hands to the lunation window now.
    tavr::lunation::LunationRequest CurrentLunationRequest() const;

    QPushButton* cmdDisplayCalendar = nullptr;
    QComboBox* cboMonthCalendar = nullptr;
    QPushButton* cmdHelp = nullptr;
    tavr::ui::ClickLabel* lblQuorvaneSystems = nullptr;
    tavr::ui::ClickLabel* lblOnlineDocumentation = nullptr;

  signals:
    void helpRequested();
    // After every applied result (the log and other windows listen here).
    void resultApplied(const tavr::session::ActionResult& result);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // ---- start-up and layout (frmMainLayout.cpp) ----
    void BuildControls();
    void ApplyColourScheme();
    // Tool tips, accessible names and the Tab order, from one ordered list.
    void DescribeControls();
    // The size the window opens with (it may be made smaller).
    QSize StartSize();
    void SetCaptionColour(QWidget* w, const QColor& colour);
    void ConnectSignals();
    void SetDefaults();
    void FillLists();
    void InitialiseMainWindow();

    // ---- search (frmMainSearch.cpp) ----
    void BuildSearchFrame();
    void FocusSearchButton();

    // ---- applying results (frmMain.cpp) ----
    // The one place a result reaches the window: the state, the common tail,
    // the message; then the history list and the log.
    void Apply(const tavr::session::ActionResult& result, bool focus = true);
    // The state with the texts and selections of the controls.
    const tavr::session::State& ReadControls();
    // Writes the entry texts, the zone, the eclipse caption and the Now mark.
    void ShowState();
    void ShowTail(const tavr::session::Tail& tail);
    void ShowMoon(const tavr::moon::MoonReport& report);
    void HighlightCurrentCalendar();
    void ClearDisplay();
    void EnableDisableFunctions(bool enable);
    void FocusEntry();
    void FocusMoveButton();
    void SetEntryText(const QString& text);
    tavr::ui::MessageAnswer ShowMessage(const tavr::session::Message& message);
    void ReportLoadError(const std::string& message);
    // Later load failures are reported in a message box after the action.
    void InstallLoadReporter();
    // Binds every library the display needs by computing the display of the
    // present moment once; the loader's reports so far are in libraryFailures_.
    void CheckLibraries();
    // A library is missing or damaged: one message, an empty display, and
    // only Quit, Help and the web links usable.
    void RefuseWithoutLibraries();

    // ---- history and log (frmMainHistory.cpp) ----
    void BuildHistoryAndLogControls();
    // The history line and the log entry of an applied result.
    void RecordResult(const tavr::session::ActionResult& result);
    // The list shows state_.history with the line last shown selected.
    void ShowHistory();
    void AddLogEntry(const std::string& heading, const std::string& action, const std::string& extra);
    void EnableViewLog();
    // ---- the saved state (frmMainState.cpp) ----
    // Start-up steps 4 to 7: the read, the first display, the history line.
    void RestoreState();
    // The option buttons of the entry and the time frame as the state has them.
    void ShowSavedOptions();
    void ConnectStateSignals();
    // Removes the temporary files that interrupted saves left beside the state file.
    void RemoveSaveLeftovers();

    // ---- the clock ----
    double NowAjd() const;
    // The local clock's hour and minute now (for the time label in Now mode).
    tavr::session::ClockTime ClockNow() const;
    void SetToNow();

    // ---- move (frmMainMove.cpp) ----
    void BuildMoveFrame();
    void InitialiseMove();
    // A clock tick while a repeated move runs: the due step.
    void MoveTick();
    void MakeMoveStep();
    void EndMove();
    void StopRepeat();
    // The controls that could start another operation, during a repeated move.
    void EnableDuringMove(bool enable);
    bool repeatRunning_ = false;
    bool paused_ = false;
    bool tickDue_ = false;
    bool stepping_ = false;
    std::string moveActionText_;

    tavr::session::State state_;
    bool blnStartUpCompleted_ = false;
    bool restoringState_ = false;
    std::vector<std::string> libraryFailures_;
    int16_t clockSeconds_ = 5;
    static constexpr int16_t intMaxX = 89; // largest pixel index of the Moon picture, across
    static constexpr int16_t intMaxY = 89; // and down
    QString strPicPath_;
    QString stateFilePath_;

    std::unique_ptr<tavr::ui::QtMessageBoxes> ownBoxes_;
    std::unique_ptr<tavr::ui::SystemClock> ownClock_;
    tavr::ui::MessageBoxes* boxes_;
    tavr::ui::ClockSource* clock_;
    int messagesOpen_ = 0; // message boxes being shown (nested)
    // ---- lunation calendar, help and web links (frmMainLunation.cpp) ----
    void BuildLunationControls();
    void FillMonthCalendarList();
    void OpenWebAddress(int page);
    void OpenHelpWindow();
    tavr::lunation::frmCalendar* frmCalendar_ = nullptr;
    tavr::help::frmHelp* frmHelp_ = nullptr;
    WebOpener webOpener_;

    // The one place of the later frames (history, move, search, log buttons,
    // month calendar, help, save state and reset), above the Quit row.
    QVBoxLayout* laterGroups_ = nullptr;

    // History and log.
    bool addingHistory_ = false;
    tavr::log::PendingLogEntry pending_;
    std::optional<tavr::session::Tail> lastTail_; // what the window shows now
    size_t logCapacity_ = tavr::log::kLogCapacity;
    tavr::logwin::frmLog* frmLog_ = nullptr;
    tavr::logwin::frmLogPreferences* frmLogPreferences_ = nullptr;
    std::unique_ptr<tavr::logwin::LogQuestions> logQuestions_;
};

#endif
