// What the tests of the built program share: starting it as a user would,
// with an environment and standard input, and reading its streams and status.
#ifndef TAVR_PROGRAM_TEST_SUPPORT_H
#define TAVR_PROGRAM_TEST_SUPPORT_H

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tavr::cli::testing {

// The program and the libraries it loads are quick; a generous bound only
// keeps a broken build from hanging the test run.
inline constexpr int kProgramTimeoutMs = 60000;

struct ProgramOutcome {
    int status = -1; // -1: crashed or timed out
    QString out;
    QString err;
};

inline ProgramOutcome StartProgram(const QString& program, const QStringList& args,
                                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                                   const QByteArray& input = {}) {
    static int argc = 1;
    static char name[] = "program_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    ProgramOutcome outcome;
    if (!process.waitForFinished(kProgramTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

} // namespace tavr::cli::testing

#endif
