// The main window: holds the current moment and the settings the user can
// change, shows the moment in every calendar with the Moon data, and is where
// every action enters the program's logic. The texts and the arithmetic come
// from the engine, the time zones and the Moon modules; this class only shows
// them and keeps the controls in step.
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

    // Start-up: defaults, tables, lists, the first display; shows the window
    // when `showWindow` is true (the tests may keep it hidden).
    void Load(bool showWindow = true);

    // ---- window state ----
    // The moment, the current calendar, the zone, the view, Now mode and the
    // entry texts as the engine sees them. The entry texts, the zone and the
    // option buttons are read from the controls before each action.
    tavr::session::State state;
    double& dblCurrentAJDate = state.dblCurrentAJDate;
    int16_t& currentCalendar = state.currentCalendar;
    bool& nowMode = state.nowMode;
    bool& fromHistory = state.fromHistory;
    int16_t& zoneOffset = state.zoneOffset;
    int32_t& displayedEclipseLunation = state.displayedEclipseLunation;

    int16_t calendarCount = 9;
    std::array<QString, 9> calendarCodes;
    std::array<QString, 9> calendarNames;
    bool blnStartUpCompleted = false;
    bool addingHistory = false;
    bool restoringState = false;
    int16_t historyMax = 8;
    int16_t clockSeconds = 5;
    QColor colourOn{255, 255, 255};
    QColor colourOff{200, 200, 200};
    double earliestMoment = 552283.0;
    double latestMoment = 3912515.0;
    QString strPicPath;
    int16_t intMaxX = 89;
    int16_t intMaxY = 89;
    bool blnExact = false;

    // ---- operations used across the window ----
    void EnableDisableFunctions(bool enable);
    void SetTheFocus();
    void FocusEntry();
    void FocusMoveButton();
    void FocusSearchButton();
    void ClearDisplay();
    QString RefreshDisplay();
    void RefreshTimeLabel();
    void HighlightCurrentCalendar();
    void CopyCurrentDateToEntry();
    int IndexOfCode(const QString& code) const;
    // Error code (0 = accepted) and, on success, the moment in `moment`.
    int16_t ParseDateEntry(const QString& entry, double& moment);
    void ShowEntryError(int16_t code);
    bool RangeCheck(double moment);
    double CjdFromAjd(double ajd) const;
    double AjdFromCjd(double cjd) const;
    int16_t ZoneMinutes() const;
    double NowAjd() const;
    QString SetToNow();
    void RefreshDeltaT();
    void DisplayMoonData(QColor background);

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
    // F1 in the entry boxes.
    void ShowHelp();

    // ---- controls ----
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

    // The row of calendar index i (order of calendarCodes).
    tavr::ui::LabelPair& Row(int i);

    tavr::ui::MessageBoxes& Boxes() { return *boxes_; }

  signals:
    void helpRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void ApplyColourScheme();
    void SetDefaults();
    void InitCalendarTables();
    void InitialiseModules();
    void FillLists();
    void InitialiseMainWindow();
    void SetCaptionColour(QWidget* w, const QColor& colour);
    void ConnectSignals();
    // Moves the caret to the end of the entry box.
    void SetEntryText(const QString& text);
    // The state with the texts and selections of the controls.
    const tavr::session::State& Snapshot();
    // Writes the entry texts, the zone, the view, the option buttons and the
    // Now mark from `state` into the controls.
    void ShowState();
    void ShowRows(const tavr::session::Display& display);
    // Applies the outcome of an engine action: its state, its texts and the
    // common tail, and shows its message.
    void ApplyAction(const tavr::session::ActionResult& result, bool focus = true);
    tavr::ui::MessageAnswer ShowMessage(const tavr::session::Message& message);
    std::optional<tavr::session::ClockTime> ClockReading() const;
    void ReportLoadError(const QString& message);

    std::unique_ptr<tavr::ui::QtMessageBoxes> ownBoxes_;
    std::unique_ptr<tavr::ui::SystemClock> ownClock_;
    tavr::ui::MessageBoxes* boxes_;
    tavr::ui::ClockSource* clock_;
    int messagesOpen_ = 0;               // message boxes being shown (nested)
    QVBoxLayout* laterGroups_ = nullptr; // room for the move, search, history and log groups
};

#endif
