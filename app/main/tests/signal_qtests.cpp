// The end of a session: the real window program, started offscreen with a
// home of its own, ended by SIGTERM or SIGHUP as a logout ends it, saves its
// state as Quit does.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class SignalTests : public QObject {
    Q_OBJECT

  private slots:
    void logoutSavesTheState_data();
    void logoutSavesTheState();
};

void SignalTests::logoutSavesTheState_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void SignalTests::logoutSavesTheState() {
    QFETCH(int, signal);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString folder = home.filePath("data/Quorvane Systems");
    const QString file = folder + "/tavr.usr";

    QProcess window;
    window.setProcessEnvironment(env);
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(TAVR_WINDOW_PROGRAM, QStringList());
    QVERIFY2(window.waitForStarted(10000), qPrintable(window.errorString()));
    // The folder is made at start-up, once the window is being built.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder).isDir(), 20000);
    QVERIFY(!QFileInfo::exists(file));
    QCOMPARE(::kill(static_cast<pid_t>(window.processId()), signal), 0);
    QVERIFY(window.waitForFinished(20000));
    QCOMPARE(window.exitStatus(), QProcess::NormalExit);
    QCOMPARE(window.exitCode(), 0);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().count("\r\n"), 27);
    // Nothing else is left beside it.
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"tavr.usr"});
}

QTEST_GUILESS_MAIN(SignalTests)
#include "signal_qtests.moc"
