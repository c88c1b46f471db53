// The saved state of the window: the read at start-up, Save state (also on
// Quit and close), Reset, and when "Save state" is enabled. The file's lines
// are the session's (session/StateFile.h); this file moves them between the
// disk and the window.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>

#include "base/Platform.h"
#include "log/frmLogPreferences.h"
#include "main/frmMain.h"
#include "session/StateFile.h"

namespace ses = tavr::session;

namespace {

std::filesystem::path PathOf(const QString& file) {
    return QFileInfo(file).filesystemAbsoluteFilePath();
}

// Writes `text` to `target` through a file beside it that replaces it only
// when complete: a failed save leaves the old state as it was. Unbuffered,
// so that a short write (a full disk) shows at once and the next attempt
// gives the system's reason; a buffered file can report a cut file as
// written. The answer is the system's description of a failure, or nothing.
QString WriteWhole(const QString& target, const std::string& text) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    const char* p = text.data();
    qint64 left = static_cast<qint64>(text.size());
    while (left > 0) {
        const qint64 n = file.write(p, left);
        if (n <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
        p += n;
        left -= n;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

} // namespace

QString frmMain::DefaultStateFilePath() {
    QString base;
#ifdef Q_OS_WIN
    // The roaming application-data folder, else the root of the first fixed drive.
    base = QString::fromStdString(tavr::platform::ApplicationDataFolder());
#endif
    if (base.isEmpty()) base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("%1/%2").arg(ses::kStateFolderName, ses::kStateFileName));
}

void frmMain::ShowSavedOptions() {
    timeFrame->ShowGreenwich(state_.view == tavr::timezone::View::Greenwich);
    entryFrame->ShowPlus(state_.plusSelected);
    // The move, search and log settings the file restores (or Reset sets).
    moveFrame->ShowSettings(state_);
    searchFrame->ShowNext(state_.searchNext);
    searchFrame->ShowTarget(state_.targetIndex);
    historyFrame->ShowLogAll(state_.chkLog);
    if (frmLogPreferences_) frmLogPreferences_->ShowSettings(state_);
}

void frmMain::RestoreState() {
    // The temporary files that interrupted saves left beside the state file go.
    const ses::SaveTarget leftovers = ses::StateFileTarget(PathOf(stateFilePath_));
    if (!leftovers.file.empty()) ses::RemoveSaveLeftovers(leftovers.file);
    restoringState_ = true;
    const ses::RestoredState restored = ses::ReadStateFile(PathOf(stateFilePath_), ReadControls());
    if (restored.complete) {
        timeFrame->picCheck->setVisible(false);
        Clock->stop();
    }
    restoringState_ = false;
    const ses::ActionResult result = ses::StartUpResult(restored, NowAjd(), ClockNow());
    state_ = result.state;
    ShowSavedOptions();
    Apply(result, false);
    cmdSaveState->setEnabled(false);
}

bool frmMain::SaveState() {
    const std::string text = ses::FormatStateFile(ReadControls());
    QDir().mkpath(QFileInfo(stateFilePath_).absolutePath());
    // A link is written through to the file it leads to, and stays a link;
    // only a regular file is ever replaced.
    const ses::SaveTarget target = ses::StateFileTarget(PathOf(stateFilePath_));
    const QString error = !target.refusal.empty() ? QString::fromStdString(target.refusal)
                                                  : WriteWhole(QFileInfo(target.file).filePath(), text);
    if (!error.isEmpty()) {
        ShowMessage({ses::kSaveStateTitle, ses::kSaveStateError + error.toStdString(), ses::Icon::Warning,
                     ses::Buttons::Ok});
        cmdSaveState->setEnabled(true);
        SetTheFocus();
        return false;
    }
    cmdSaveState->setEnabled(false);
    SetTheFocus();
    return true;
}

void frmMain::cmdReset_Click() {
    bool logPreferences = false;
    if (blnStartUpCompleted_) {
        logPreferences = ShowMessage({ses::kResetTitle, ses::kResetQuestion, ses::Icon::Question,
                                      ses::Buttons::YesNo}) == tavr::ui::MessageAnswer::Yes;
    }
    state_ = ses::ResetSettings(ReadControls(), logPreferences);
    ShowState();
    ShowSavedOptions();
    datesFrame->Highlight(state_);
    // Reset ends in Now mode.
    cmdNow_Click();
}
