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
#include <memory>
#include <optional>

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
    // Row `row` in calendar-code order (0..8), label `index` (0 caption, 1 value).
    void Row_Click(int row, int index);
    void lblTime_Click();
    // The click on the current calendar's value label.
    void CopyCurrentDateToEntry();
    // F1 in the entry boxes.
    void ShowHelp();
    void SetTheFocus();

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

    QPushButton* cmdQuit = nullptr;

    // The row of calendar index i (calendar-code order).
    tavr::ui::LabelPair& Row(int i);

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
    void SetCaptionColour(QWidget* w, const QColor& colour);
    void ConnectSignals();
    void SetDefaults();
    void FillLists();
    void InitialiseMainWindow();

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

    // ---- the clock ----
    double NowAjd() const;
    // The local clock's hour and minute now (for the time label in Now mode).
    tavr::session::ClockTime ClockNow() const;
    void SetToNow();

    tavr::session::State state_;
    bool blnStartUpCompleted_ = false;
    bool restoringState_ = false;
    int16_t clockSeconds_ = 5;
    static constexpr int16_t intMaxX = 89; // largest pixel index of the Moon picture, across
    static constexpr int16_t intMaxY = 89; // and down
    QString strPicPath_;

    std::unique_ptr<tavr::ui::QtMessageBoxes> ownBoxes_;
    std::unique_ptr<tavr::ui::SystemClock> ownClock_;
    tavr::ui::MessageBoxes* boxes_;
    tavr::ui::ClockSource* clock_;
    int messagesOpen_ = 0; // message boxes being shown (nested)
    // The one place of the later frames (history, move, search, log buttons,
    // month calendar, help, save state and reset), above the Quit row.
    QVBoxLayout* laterGroups_ = nullptr;
};

#endif
