// The history list and the log in the main window: every applied result adds
// its history line and hands it to the log; choosing a line brings its
// moment back; "Log all results", "Log this result", "View log" and the log
// preferences.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "help/WebAddresses.h"
#include "log/LogEntry.h"
#include "log/frmLog.h"
#include "log/frmLogPreferences.h"
#include "main/Colours.h"
#include "main/Latin1.h"
#include "main/Scheme.h"
#include "main/frmMain.h"
#include "session/History.h"

namespace ses = tavr::session;
using tavr::ui::Q;
using tavr::ui::S;

namespace {

// The log window's question goes through the main window's message boxes.
class BoxQuestions : public tavr::logwin::LogQuestions {
  public:
    explicit BoxQuestions(tavr::ui::MessageBoxes* boxes) : boxes_(boxes) {}
    bool Confirm(const ses::Message& question) override {
        return boxes_->Show(question) == tavr::ui::MessageAnswer::Ok;
    }

  private:
    tavr::ui::MessageBoxes* boxes_;
};

} // namespace

void frmMain::BuildHistoryAndLogControls() {
    fraHistory = new QFrame(this);
    fraHistory->setObjectName("fraHistory");
    cboHistory = new QComboBox(fraHistory);
    cboHistory->setObjectName("cboHistory");
    cboHistory->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The list takes the room the window gains; in a narrow window the line
    // shown is shortened, and the open list shows the lines whole.
    cboHistory->setMinimumContentsLength(24);
    chkLog = new QCheckBox("Log all results", fraHistory);
    chkLog->setObjectName("chkLog");
    cmdLogThisResult = new QPushButton("Log this result", fraHistory);
    cmdLogThisResult->setObjectName("cmdLogThisResult");
    cmdViewLog = new QPushButton("View log", fraHistory);
    cmdViewLog->setObjectName("cmdViewLog");
    cmdLogPreferences = new QPushButton("Set log preferences", fraHistory);
    cmdLogPreferences->setObjectName("cmdLogPreferences");
    auto* h = new QHBoxLayout(fraHistory);
    h->setSpacing(10);
    h->addWidget(cboHistory, 1);
    h->addSpacing(8);
    h->addWidget(chkLog);
    h->addWidget(cmdLogThisResult);
    h->addWidget(cmdViewLog);
    h->addWidget(cmdLogPreferences);
    tavr::ui::FrameLine(fraHistory);
    laterGroups_->addWidget(fraHistory);

    connect(cboHistory, &QComboBox::activated, this, [this](int index) { cboHistory_Click(index); });
    connect(chkLog, &QCheckBox::clicked, this, [this] { chkLog_Click(); });
    connect(cmdLogThisResult, &QPushButton::clicked, this, [this] { cmdLogThisResult_Click(); });
    connect(cmdViewLog, &QPushButton::clicked, this, [this] { cmdViewLog_Click(); });
    connect(cmdLogPreferences, &QPushButton::clicked, this, [this] { cmdLogPreferences_Click(); });
    cmdLogThisResult->setEnabled(false);
    cmdViewLog->setEnabled(false);
}

// ------------------------------------------------------------- the history --

void frmMain::ShowHistory() {
    addingHistory_ = true;
    const QSignalBlocker block(cboHistory);
    if (cboHistory->count() != static_cast<int>(state_.history.size())) cboHistory->clear();
    for (size_t i = 0; i < state_.history.size(); ++i) {
        const QString text = Q(state_.history[i].text);
        const int item = static_cast<int>(i);
        if (item < cboHistory->count()) {
            cboHistory->setItemText(item, text);
            cboHistory->setItemData(item, state_.history[i].eclipseType);
        } else {
            cboHistory->addItem(text, state_.history[i].eclipseType);
        }
    }
    cboHistory->setCurrentIndex(state_.historySelected);
    addingHistory_ = false;
}

void frmMain::RecordResult(const ses::ActionResult& result) {
    if (result.tail) lastTail_ = result.tail;
    if (result.historyDue && lastTail_) {
        const std::string line =
            ses::AddHistoryEntry(state_, result.historyText, lastTail_->timeLabel, result.eclipseType);
        ShowHistory();
        EnableViewLog();
        AddLogEntry(line, result.actionText, result.extraLogText);
    } else if (!result.logHeading.empty()) {
        ShowHistory();
        AddLogEntry(result.logHeading, result.actionText, result.extraLogText);
    }
}

void frmMain::cboHistory_Click(int index) {
    if (addingHistory_) {
        SetTheFocus();
        return;
    }
    if (index == state_.historySelected) return;
    Apply(ses::SelectFromHistory(ReadControls(), index, ClockNow()));
    if (!state_.nowMode) Clock->stop();
    ShowHistory();
    HighlightCurrentCalendar();
    SetTheFocus();
}

// ----------------------------------------------------------------- the log --

tavr::logwin::frmLog* frmMain::LogWindow() {
    if (!frmLog_) {
        if (!logQuestions_) logQuestions_ = std::make_unique<BoxQuestions>(boxes_);
        frmLog_ = new tavr::logwin::frmLog(*logQuestions_, this);
        connect(frmLog_, &tavr::logwin::frmLog::logEmptied, this, [this] { EnableViewLog(); });
        connect(frmLog_, &tavr::logwin::frmLog::unloaded, this, [this] {
            cmdViewLog->setEnabled(false);
            cmdLogThisResult->setEnabled(false);
            SetTheFocus();
        });
        connect(frmLog_, &tavr::logwin::frmLog::focusReturned, this, [this] { SetTheFocus(); });
    }
    return frmLog_;
}

tavr::logwin::frmLogPreferences* frmMain::LogPreferencesWindow() {
    if (!frmLogPreferences_) {
        frmLogPreferences_ = new tavr::logwin::frmLogPreferences(this);
        frmLogPreferences_->ShowSettings(state_);
        connect(frmLogPreferences_, &tavr::logwin::frmLogPreferences::changed, this,
                [this] { frmLogPreferences_->ReadSettings(state_); });
        connect(frmLogPreferences_, &tavr::logwin::frmLogPreferences::closed, this,
                [this] { SetTheFocus(); });
    }
    return frmLogPreferences_;
}

QString frmMain::LogText() const {
    return frmLog_ ? frmLog_->LogText() : QString();
}

void frmMain::EnableViewLog() {
    cmdViewLog->setEnabled(frmLog_ && !frmLog_->IsEmpty());
}

void frmMain::AddLogEntry(const std::string& heading, const std::string& action, const std::string& extra) {
    if (!state_.chkLog) {
        tavr::log::AddLogEntry(pending_, false, heading, action, extra, {}, {}, 0, {});
        cmdLogThisResult->setEnabled(true);
        return;
    }
    if (heading.empty()) {
        cmdLogThisResult->setEnabled(false);
        return;
    }
    cmdLogThisResult->setEnabled(false);
    tavr::logwin::frmLog* log = LogWindow();
    const std::string header =
        tavr::log::LogHeader(S(windowTitle()), tavr::web::Address(tavr::web::Page::Documentation,
                                                                  S(QCoreApplication::applicationDirPath())));
    const tavr::log::LogSource source = lastTail_ ? tavr::log::SourceOf(*lastTail_) : tavr::log::LogSource{};
    const tavr::log::LogOutcome out =
        tavr::log::AddLogEntry(pending_, true, heading, action, extra, tavr::log::SettingsOf(state_), source,
                               static_cast<size_t>(log->LogLength()), header, logCapacity_);
    if (!out.appended.empty()) log->Append(Q(out.appended));
    if (out.failure == tavr::log::LogFailure::Full) {
        if (ShowMessage(tavr::log::LogFullQuestion()) == tavr::ui::MessageAnswer::Yes)
            log->cmdClear_Click();
        else
            log->KeepInFront();
    } else if (out.failure == tavr::log::LogFailure::Error) {
        ShowMessage({tavr::log::kLogErrorTitle, out.errorText, ses::Icon::Warning, ses::Buttons::Ok});
    }
    EnableViewLog();
}

void frmMain::chkLog_Click() {
    state_.chkLog = chkLog->isChecked();
    SetCaptionColour(chkLog, state_.chkLog ? kColourOn : kColourOff);
    FocusMoveButton();
}

void frmMain::cmdLogThisResult_Click() {
    const bool remembered = state_.chkLog;
    state_.chkLog = true;
    const tavr::log::PendingLogEntry entry = pending_;
    AddLogEntry(entry.heading, entry.action, entry.extra);
    state_.chkLog = remembered;
    cmdLogThisResult->setEnabled(false);
    SetTheFocus();
}

void frmMain::cmdLogPreferences_Click() {
    tavr::logwin::frmLogPreferences* prefs = LogPreferencesWindow();
    prefs->ShowSettings(state_);
    prefs->show();
    prefs->raise();
    prefs->activateWindow();
}

void frmMain::cmdViewLog_Click() {
    if (!frmLog_ || frmLog_->IsEmpty()) {
        ShowMessage({"View Log", "Log is empty", ses::Icon::Information, ses::Buttons::Ok});
        SetTheFocus();
        return;
    }
    // Left edge with the main window's, top 800 twips below the lunar week row.
    const QPoint row = lblQuorvaneLWCDate[0]->mapTo(this, QPoint(0, 0));
    const QRect frame = frameGeometry();
    const QPoint place(frame.left(), frame.top() + (geometry().top() - frame.top()) + row.y() +
                                         tavr::logwin::TwipsToPixels(this, 800));
    frmLog_->ViewLog(place);
}
