// The built program started where something it needs is missing: a shared
// library, or a display that answers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "ProgramTestSupport.h"

namespace {

using Outcome = tavr::cli::testing::ProgramOutcome;

Outcome Start(const QStringList& args, const QProcessEnvironment& environment) {
    return tavr::cli::testing::StartProgram(QString::fromUtf8(TAVR_PROGRAM), args, environment);
}

// A folder with every library of the program but `missing`.
bool LibrariesWithout(const QString& missing, const QString& folder) {
    const QDir programDir = QFileInfo(QString::fromUtf8(TAVR_PROGRAM)).dir();
    for (const QString name : {"vrslc", "dtc", "kelmar", "halvor", "brisel"}) {
        if (name == missing) continue;
        const QString file = "lib" + name + ".so";
        if (!QFile::copy(programDir.filePath(file), folder + "/" + file)) return false;
    }
    return true;
}

TEST(ProgramHostile, AMissingLibraryIsNamedWithItsOwnStatus) {
    for (const QString missing : {"kelmar", "vrslc", "dtc", "halvor"}) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(LibrariesWithout(missing, dir.path()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAVR_LIBDIR", dir.path());
        const Outcome o = Start({"convert", "2000-01-01 CE"}, environment);
        EXPECT_EQ(o.status, 4) << missing.toStdString() << ": " << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
        EXPECT_TRUE(o.err.startsWith("tavr180: The library lib" + missing + ".so could not be loaded"))
            << o.err.toStdString();
    }
}

TEST(ProgramHostile, ADisplayThatDoesNotAnswerIsReportedNotAborted) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("DISPLAY", ":9999");
    const Outcome o = Start({}, environment);
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.startsWith("tavr180: the display \":9999\" does not answer")) << o.err.toStdString();
}

} // namespace
