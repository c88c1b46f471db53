// The history list and the log in the main window: every applied result adds
// its history line and hands it to the log; choosing a line brings its
// moment back; "Log all results", "Log this result", "View log" and the log
// preferences.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include "help/WebAddresses.h"
#include "log/LogEntry.h"
#include "log/frmLog.h"
#include "log/frmLogPreferences.h"
#include "main/Latin1.h"
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

// ------------------------------------------------------------- the history --

void frmMain::RecordResult(const ses::ActionResult& result) {
    if (result.tail) lastTail_ = result.tail;
    if (result.historyDue && lastTail_) {
        const std::string line =
            ses::AddHistoryEntry(state_, result.historyText, lastTail_->timeLabel, result.eclipseType);
        historyFrame->ShowHistory(state_);
        EnableViewLog();
        AddLogEntry(line, result.actionText, result.extraLogText);
    } else if (!result.logHeading.empty()) {
        historyFrame->ShowHistory(state_);
        AddLogEntry(result.logHeading, result.actionText, result.extraLogText);
    }
}

void frmMain::cboHistory_Click(int index) {
    if (historyFrame->Refilling()) {
        SetTheFocus();
        return;
    }
    if (index == state_.historySelected) return;
    Apply(ses::SelectFromHistory(ReadControls(), index, ClockNow()));
    if (!state_.nowMode) Clock->stop();
    historyFrame->ShowHistory(state_);
    datesFrame->Highlight(state_);
    SetTheFocus();
}

// ----------------------------------------------------------------- the log --

tavr::logwin::frmLog* frmMain::LogWindow() {
    if (!frmLog_) {
        if (!logQuestions_) logQuestions_ = std::make_unique<BoxQuestions>(boxes_);
        frmLog_ = new tavr::logwin::frmLog(*logQuestions_, this);
        connect(frmLog_, &tavr::logwin::frmLog::logEmptied, this, [this] { EnableViewLog(); });
        connect(frmLog_, &tavr::logwin::frmLog::unloaded, this, [this] {
            historyFrame->cmdViewLog->setEnabled(false);
            historyFrame->cmdLogThisResult->setEnabled(false);
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
    historyFrame->cmdViewLog->setEnabled(frmLog_ && !frmLog_->IsEmpty());
}

void frmMain::AddLogEntry(const std::string& heading, const std::string& action, const std::string& extra) {
    QPushButton* logThisResult = historyFrame->cmdLogThisResult;
    if (!state_.chkLog) {
        tavr::log::AddLogEntry(pending_, false, heading, action, extra, {}, {}, 0, {});
        logThisResult->setEnabled(true);
        return;
    }
    logThisResult->setEnabled(false);
    if (heading.empty()) return;
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

void frmMain::cmdLogThisResult_Click() {
    const bool remembered = state_.chkLog;
    state_.chkLog = true;
    const tavr::log::PendingLogEntry entry = pending_;
    AddLogEntry(entry.heading, entry.action, entry.extra);
    state_.chkLog = remembered;
    historyFrame->cmdLogThisResult->setEnabled(false);
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
    const QPoint row = datesFrame->lblQuorvaneLWCDate[0]->mapTo(this, QPoint(0, 0));
    const QRect frame = frameGeometry();
    const QPoint place(frame.left(), frame.top() + (geometry().top() - frame.top()) + row.y() +
                                         tavr::logwin::TwipsToPixels(this, 800));
    frmLog_->ViewLog(place);
}
