// The saved state through the window: Save state, Quit and the close box
// write it, the next window restores it, a failed save keeps the old file,
// broken files start at now, Reset ends in Now with the zone kept. Every
// window here saves into a temporary folder of its own.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

#include "main/frmMain.h"
#include "session/StateFile.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::MessageAnswer;
using tavr::ui::ScriptedMessageBoxes;
namespace ses = tavr::session;

Q_DECLARE_METATYPE(tavr::session::ActionResult)

namespace {

QDateTime Utc(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}
double AjdOf(const QDateTime& utc) {
    const QTime t = utc.time();
    return static_cast<double>(utc.date().toJulianDay()) + (t.hour() * 3600 + t.minute() * 60) / 86400.0 -
           0.5;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// One run of the program: a window on the given state file.
struct Run {
    ScriptedMessageBoxes boxes;
    FakeClock clock{Utc(2020, 6, 15, 8, 0)};
    std::unique_ptr<frmMain> w;
    std::unique_ptr<QSignalSpy> applied;

    explicit Run(const QString& file) {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->SetStateFilePath(file);
        applied = std::make_unique<QSignalSpy>(w.get(), &frmMain::resultApplied);
        w->Load(true);
    }
    const ses::State& S() const { return w->CurrentState(); }
    void Convert(const QString& text) {
        w->entryFrame->txbDate->setText(text);
        w->cmdCompute_Click();
    }
    void ChooseZone(int index) {
        w->timeFrame->cboTimeZone->setCurrentIndex(index);
        w->cboTimeZone_Click();
    }
    // The results applied with a history line, by action text.
    QStringList HistoryActions() const {
        QStringList out;
        for (const QList<QVariant>& args : *applied) {
            const auto r = args.at(0).value<ses::ActionResult>();
            if (r.historyDue) out << QString::fromStdString(r.actionText);
        }
        return out;
    }
};

} // namespace

class StateTests : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qRegisterMetaType<ses::ActionResult>(); }
    void quitSavesAndTheNextStartRestores();
    void closeBoxSavesAndMissingFolderIsMade();
    void brokenFilesStartAtNow_data();
    void brokenFilesStartAtNow();
    void failedSaveKeepsTheOldFile();
    void resetKeepsTheZoneAndEndsInNow();
    void linksAreWrittenThroughAndOnlyRegularFilesReplaced();
    void savedCaptionIsPlainText();
};

void StateTests::quitSavesAndTheNextStartRestores() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("Quorvane Systems/tavr.usr");
    {
        Run first(file);
        QVERIFY(!first.w->cmdSaveState->isEnabled());
        first.ChooseZone(26); // GMT + 01:00
        QVERIFY(first.w->cmdSaveState->isEnabled());
        first.Convert("2001-12-31 JC 14:28");
        first.w->optGreenwich_Click();
        first.w->optMinus_Click();
        first.w->cmdQuit_Click();
        QVERIFY(first.boxes.Asked().empty());
    }
    const QByteArray bytes = ReadAll(file);
    QCOMPARE(bytes.count("\r\n"), 27);
    QCOMPARE(bytes.count('\n'), 27);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.at(1), QByteArray("1\r"));  // JC
    QCOMPARE(lines.at(3), QByteArray("0\r"));  // minus
    QCOMPARE(lines.at(5), QByteArray("-1\r")); // Greenwich
    QCOMPARE(lines.at(8), QByteArray("26\r")); // the zone

    Run second(file);
    QCOMPARE(second.S().currentCalendar, int16_t(1));
    QCOMPARE(second.S().zoneIndex, 26);
    QCOMPARE(second.S().zoneOffset, int16_t(60));
    QCOMPARE(second.w->timeFrame->cboTimeZone->currentIndex(), 26);
    QVERIFY(second.w->timeFrame->optGreenwich->isChecked());
    QVERIFY(second.w->entryFrame->optMinus->isChecked());
    QVERIFY(!second.S().nowMode);
    QVERIFY(second.w->timeFrame->picCheck->isHidden());
    QVERIFY(second.w->datesFrame->lblJulianCalendarDate[1]->text().startsWith("2001-12-31"));
    // The same moment, exactly, and one history line with the restore entry.
    const ses::RestoredState saved = ses::ReadStateFile(file.toStdString(), ses::State{});
    QVERIFY(saved.complete);
    QCOMPARE(second.S().dblCurrentAJDate, saved.state.dblCurrentAJDate);
    QCOMPARE(second.HistoryActions(), QStringList{"Restore saved state on startup"});
    QVERIFY(!second.w->cmdSaveState->isEnabled());
    // Save state writes the same file again and stays disabled; Now enables it.
    second.w->cmdSaveState->click();
    QVERIFY(second.boxes.Asked().empty());
    QCOMPARE(ReadAll(file), bytes);
    QVERIFY(!second.w->cmdSaveState->isEnabled());
    second.w->cmdNow_Click();
    QVERIFY(second.w->cmdSaveState->isEnabled());
}

void StateTests::closeBoxSavesAndMissingFolderIsMade() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("deep/Quorvane Systems");
    const QString file = folder + "/tavr.usr";
    Run run(file);
    QVERIFY(QFileInfo(folder).isDir()); // made at start-up
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(QDir(folder).removeRecursively());
    run.Convert("2000-01-01 CE");
    QVERIFY(run.w->close());
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(ReadAll(file).count("\r\n"), 27);
}

void StateTests::brokenFilesStartAtNow_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("restoresZone"); // the zone line was read before the failure
    QTest::addColumn<bool>("complete");
    ses::State s;
    s.dblCurrentAJDate = 2452275.25;
    s.zoneIndex = 30;
    s.currentCalendar = 3;
    s.actualEclipseData = "Partial lunar eclipse\r\nMagnitude 0.5";
    const QByteArray good = QByteArray::fromStdString(ses::FormatStateFile(s));
    const qsizetype tenLines = [&] {
        qsizetype pos = 0;
        for (int i = 0; i < 10; ++i)
            pos = good.indexOf("\r\n", pos) + 2;
        return pos;
    }();
    QByteArray lfOnly = good;
    lfOnly.replace("\r\n", "\n");
    QByteArray binary(5000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 73 + 11) & 0xff);
    QTest::newRow("empty") << QByteArray() << false << false;
    QTest::newRow("binary") << binary << false << false;
    QTest::newRow("ten lines") << good.left(tenLines) << true << false;
    QTest::newRow("cut in the caption") << good.left(good.indexOf("Magnitude")) << true << false;
    QTest::newRow("moment out of range")
        << QByteArray("99999999\r\n") + good.mid(good.indexOf("\r\n") + 2) << false << false;
    QTest::newRow("LF only") << lfOnly << true << true;
    QTest::newRow("huge line") << QByteArray(8 << 20, '5') << false << false;
}

void StateTests::brokenFilesStartAtNow() {
    QFETCH(QByteArray, content);
    QFETCH(bool, restoresZone);
    QFETCH(bool, complete);
    QTemporaryDir dir;
    const QString file = dir.filePath("tavr.usr");
    WriteAll(file, content);
    Run run(file);
    QVERIFY(run.boxes.Asked().empty()); // never reported
    QCOMPARE(run.S().zoneIndex, restoresZone ? 30 : 24);
    if (complete) {
        QCOMPARE(run.S().dblCurrentAJDate, 2452275.25);
        QCOMPARE(run.S().actualEclipseData, std::string("Partial lunar eclipse\nMagnitude 0.5"));
    } else {
        QCOMPARE(run.S().dblCurrentAJDate, AjdOf(run.clock.Now()));
    }
    QCOMPARE(run.HistoryActions(), QStringList{"Restore saved state on startup"});
    // And the window works.
    run.Convert("2000-01-01 CE");
    QCOMPARE(run.S().dblCurrentAJDate, 2451545.0 - run.S().zoneOffset / 1440.0); // noon, local time
}

void StateTests::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath("tavr.usr");
    Run run(file);
    run.Convert("2000-01-01 CE");
    QVERIFY(run.w->SaveState());
    const QByteArray old = ReadAll(file);
    QCOMPARE(old.count("\r\n"), 27);
    run.Convert("2001-12-31 CE");

    auto expectFailure = [&](const char* how) {
        run.boxes.Clear();
        run.w->cmdQuit->setFocus();
        QVERIFY2(run.w->cmdSaveState->isEnabled(), how);
        run.w->cmdSaveState->click();
        QVERIFY2(run.boxes.Asked().size() == 1, how);
        const ses::Message& m = run.boxes.Asked().front();
        QCOMPARE(m.title, std::string("Save state"));
        QVERIFY2(m.text.rfind("Error when attempting to save the state: ", 0) == 0, how);
        QVERIFY2(m.text.size() > std::string("Error when attempting to save the state: ").size(), how);
        QVERIFY2(m.text.find("Unknown error") == std::string::npos, m.text.c_str()); // the system's reason
        QCOMPARE(m.icon, ses::Icon::Warning);
        QVERIFY2(run.w->cmdSaveState->isEnabled(), how);
        QVERIFY2(ReadAll(file) == old, how);
        QCOMPARE(run.w->focusWidget(), static_cast<QWidget*>(run.w->entryFrame->txbDate));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"tavr.usr"});
    };

    // A full disk: the new text cannot be written completely.
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        expectFailure("full disk");
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    // A read-only folder (an administrator may write anyway).
    const QFile::Permissions perms = QFile::permissions(dir.path());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(dir.filePath("probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable) probe.remove();
    if (!writable) expectFailure("read-only folder");
    QFile::setPermissions(dir.path(), perms);
    // A retry that works writes the new state.
    run.boxes.Clear();
    QVERIFY(run.w->SaveState());
    QVERIFY(!run.w->cmdSaveState->isEnabled());
    QVERIFY(ReadAll(file) != old);
}

void StateTests::resetKeepsTheZoneAndEndsInNow() {
    QTemporaryDir dir;
    Run run(dir.filePath("tavr.usr"));
    run.ChooseZone(30); // GMT + 03:00
    run.Convert("2001-12-31 JC");
    run.w->optGreenwich_Click();
    run.w->optMinus_Click();
    run.applied->clear();
    run.boxes.Queue(MessageAnswer::No);
    run.w->entryFrame->cmdReset->click();
    QCOMPARE(run.boxes.Asked().size(), size_t(1));
    QCOMPARE(run.boxes.Asked().front().title, std::string("Reset"));
    QCOMPARE(run.boxes.Asked().front().text, std::string("Reset log preferences also?"));
    QCOMPARE(run.boxes.Asked().front().buttons, ses::Buttons::YesNo);
    QCOMPARE(run.S().zoneIndex, 30);
    QCOMPARE(run.S().zoneOffset, int16_t(180));
    QCOMPARE(run.S().currentCalendar, int16_t(0));
    QVERIFY(run.w->timeFrame->optLocal->isChecked());
    QVERIFY(run.w->entryFrame->optPlus->isChecked());
    QVERIFY(run.S().nowMode);
    QVERIFY(run.w->timeFrame->picCheck->isVisible());
    QCOMPARE(run.S().dblCurrentAJDate, AjdOf(run.clock.Now()));
    QCOMPARE(run.HistoryActions(), QStringList{"Now"});
    QVERIFY(run.w->cmdSaveState->isEnabled());
}

void StateTests::linksAreWrittenThroughAndOnlyRegularFilesReplaced() {
    QTemporaryDir dir;
    const QString file = dir.filePath("tavr.usr");
    // A link to a regular file: the file is written, the link stays.
    const QString real = dir.filePath("state.txt");
    WriteAll(real, "old");
    QVERIFY(QFile::link(real, file));
    {
        Run run(file);
        QVERIFY(run.w->SaveState());
    }
    QVERIFY(QFileInfo(file).isSymLink());
    QCOMPARE(ReadAll(real).count("\r\n"), 27);
    // A link to a FIFO: the save is refused and leaves both; a leftover of a
    // killed save beside the file is gone after the start.
    const QString fifo = dir.filePath("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::remove(file) && QFile::link(fifo, file));
    WriteAll(dir.filePath("fifo.Ab3xYz"), "x");
    WriteAll(dir.filePath("fifo.bak"), "x");
    Run run(file);
    run.w->cmdQuit->setFocus();
    QVERIFY(!run.w->SaveState());
    QCOMPARE(run.boxes.Asked().size(), size_t(1));
    QCOMPARE(run.boxes.Asked()[0].text,
             "Error when attempting to save the state: " + fifo.toStdString() + " is not a regular file");
    QVERIFY(run.w->cmdSaveState->isEnabled());
    QCOMPARE(run.w->focusWidget(), static_cast<QWidget*>(run.w->entryFrame->txbDate));
    struct stat st {};
    QVERIFY(::lstat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    QVERIFY(QFileInfo(file).isSymLink());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System),
             (QStringList{"fifo", "fifo.bak", "state.txt", "tavr.usr"}));
}

void StateTests::savedCaptionIsPlainText() {
    QTemporaryDir dir;
    const QString file = dir.filePath("tavr.usr");
    ses::State s;
    s.dblCurrentAJDate = 2452275.25;
    s.actualEclipseData = "<h1>Big</h1><img src=\"/etc/x.png\"><b>bold</b>";
    WriteAll(file, QByteArray::fromStdString(ses::FormatStateFile(s)));
    Run run(file);
    QCOMPARE(run.w->moonFrame->lblActualEclipseData->text(), QString::fromStdString(s.actualEclipseData));
    for (QLabel* label : run.w->findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
}

QTEST_MAIN(StateTests)
#include "state_qtests.moc"
