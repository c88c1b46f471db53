// The built program where its output cannot be written, its input cannot be
// read, or one of its libraries is missing or damaged: never success, one
// message on standard error and the status of the failure.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "ProgramTestSupport.h"

namespace {

using tavr::cli::testing::ProgramOutcome;
using tavr::cli::testing::StartProgram;

const QString kProgram = QString::fromUtf8(TAVR_PROGRAM);

// One command of every kind, each of which writes something when it works.
const QStringList kCommands[] = {
    {"convert", "2000-01-01 CE"},
    {"move", "1 day", "forward", "--from", "2000-01-01 CE", "--times", "3", "--json"},
    {"search", "next", "full-moon", "--from", "2000-01-01 CE"},
    {"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE"},
    {"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--ics"},
    {"lunation", "2024-12-31 CE"},
};

// `script` run by the shell, with the program as $0 and the command as its
// further arguments ("$@").
ProgramOutcome Shell(const QString& script, const QStringList& command, const QString& program = kProgram,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return StartProgram("/bin/sh", QStringList{"-c", script, program} + command, env);
}

std::string What(const QStringList& command) {
    return command.join(' ').toStdString();
}

TEST(ProgramFailure, OutputThatCannotBeWrittenIsNotSuccess) {
    struct Way {
        const char* script;
        const char* reason;
    };
    const Way ways[] = {
        {"\"$0\" \"$@\" > /dev/full", "No space left on device"},
        {"\"$0\" \"$@\" >&-", "Bad file descriptor"},
    };
    for (const Way& way : ways) {
        for (QStringList command : kCommands) {
            const ProgramOutcome o = Shell(way.script, command);
            EXPECT_EQ(o.status, 5) << way.script << " " << What(command) << ": " << o.err.toStdString();
            EXPECT_EQ(o.err.toStdString(),
                      std::string("tavr180: standard output could not be written (") + way.reason + ")\n")
                << What(command);
        }
        const ProgramOutcome batch =
            Shell(QString(way.script) + " <<EOF\n2000-01-01 CE\nEOF\n", {"convert", "--batch"});
        EXPECT_EQ(batch.status, 5) << way.script << batch.err.toStdString();
        EXPECT_EQ(Shell(way.script, {"--help"}).status, 5) << way.script;
    }
    // Nothing written, nothing failed: a usage error keeps its own status.
    EXPECT_EQ(Shell("\"$0\" \"$@\" >&-", {"convert", "--zone", "nowhere", "x"}).status, 1);
}

// A pipe closed before the end: the program does not die of the signal, it
// says so and stops (the shell records its status).
TEST(ProgramFailure, APipeClosedEarlyIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString status = dir.filePath("status");
    const QString script = "{ \"$0\" \"$@\"; echo $? > '" + status + "'; } | head -c 100 > /dev/null";
    const QStringList commands[] = {
        {"move", "1 minute", "forward", "--from", "2000-01-01 CE", "--times", "1000000", "--json"},
        {"events", "--from", "-3000-01-01 CE", "--to", "5000-01-01 CE", "--json"},
    };
    for (const QStringList& command : commands) {
        const ProgramOutcome o = Shell(script, command);
        QFile file(status);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << What(command);
        EXPECT_EQ(file.readAll().trimmed().toStdString(), "5") << What(command);
        EXPECT_EQ(o.err.toStdString(), "tavr180: standard output could not be written (Broken pipe)\n");
        file.remove();
    }
}

// A file system that fills in the middle of a calendar (here the shell's
// file size limit): what was written is cut, and the program says so.
TEST(ProgramFailure, ACalendarCutByAFullFileSystem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ics = dir.filePath("events.ics");
    const ProgramOutcome o = Shell("ulimit -f 64; \"$0\" \"$@\" > '" + ics + "'",
                                   {"events", "--from", "2000-01-01 CE", "--to", "2100-01-01 CE", "--ics"});
    EXPECT_EQ(o.status, 5) << o.err.toStdString();
    EXPECT_EQ(o.err.toStdString(), "tavr180: standard output could not be written (File too large)\n");
    EXPECT_GT(QFileInfo(ics).size(), 0);
}

TEST(ProgramFailure, InputThatCannotBeReadIsNotSuccess) {
    const ProgramOutcome o = Shell("\"$0\" \"$@\" < /", {"convert", "--batch"});
    EXPECT_EQ(o.status, 6) << o.err.toStdString();
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.toStdString(), "tavr180: standard input could not be read (Is a directory)\n");
}

// ---- the libraries -------------------------------------------------------------

const char* const kLibraries[] = {"vrslc", "dtc", "kelmar", "halvor", "brisel"};

enum class Damage { Missing, NotALibrary, LacksAnExport };

// A copy of the program and its libraries in `folder`, with `library`
// damaged: removed, a text file, or another of the libraries under its name
// (which lacks its exports).
bool ProgramWith(const QString& folder, int library, Damage damage) {
    const QDir built = QFileInfo(kProgram).dir();
    if (!QFile::copy(kProgram, folder + "/tavr180")) return false;
    for (int i = 0; i < 5; ++i) {
        const QString file = QString("lib%1.so").arg(kLibraries[i]);
        const QString target = folder + "/" + file;
        if (i != library) {
            if (!QFile::copy(built.filePath(file), target)) return false;
        } else if (damage == Damage::NotALibrary) {
            QFile text(target);
            if (!text.open(QIODevice::WriteOnly) || text.write("not a library\n") < 0) return false;
        } else if (damage == Damage::LacksAnExport) {
            const QString other = QString("lib%1.so").arg(kLibraries[(i + 1) % 5]);
            if (!QFile::copy(built.filePath(other), target)) return false;
        }
    }
    return true;
}

TEST(ProgramFailure, EveryCommandRefusesAMissingOrDamagedLibrary) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("TAVR_LIBDIR"); // the copy finds its libraries beside itself
    for (int library = 0; library < 5; ++library) {
        for (const Damage damage : {Damage::Missing, Damage::NotALibrary, Damage::LacksAnExport}) {
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            ASSERT_TRUE(ProgramWith(dir.path(), library, damage));
            const QString file = QString("lib%1.so").arg(kLibraries[library]);
            const QString expected = damage == Damage::LacksAnExport
                                         ? "tavr180: The function "
                                         : "tavr180: The library " + file + " could not be loaded (";
            const QString reason = damage == Damage::Missing       ? "No such file"
                                   : damage == Damage::NotALibrary ? dir.path() + "/" + file
                                                                   : "was not found in the library " + file;
            QList<QStringList> commands(std::begin(kCommands), std::end(kCommands));
            commands.append(QStringList{"convert", "--batch"});
            commands.append(QStringList{"search", "next", "saros", "--from", "2024-04-08 CE 18:17"});
            for (const QStringList& command : commands) {
                const ProgramOutcome o =
                    Shell("\"$0\" \"$@\" <<EOF\n2000-01-01 CE\nEOF\n", command, dir.filePath("tavr180"), env);
                const std::string what = file.toStdString() + " " + std::to_string(static_cast<int>(damage)) +
                                         " " + What(command) + ": " + o.err.toStdString();
                EXPECT_EQ(o.status, 4) << what;
                EXPECT_EQ(o.out, "") << what;
                EXPECT_TRUE(o.err.startsWith(expected)) << what;
                EXPECT_TRUE(o.err.contains(reason)) << what;
            }
        }
    }
}

// ---- the command line's own usage -----------------------------------------------

TEST(ProgramFailure, AnUnknownCommandOrOptionIsAUsageErrorNotAWindow) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    struct Row {
        QStringList args;
        const char* err;
    };
    const Row rows[] = {
        {{"frob"}, "tavr180: unknown command \"frob\" (try tavr180 --help)\n"},
        {{"--frob"}, "tavr180: Unknown option '--frob'. (try tavr180 --help)\n"},
        {{"Convert", "2000-01-01 CE"}, "tavr180: unknown command \"Convert\" (try tavr180 --help)\n"},
        {{"-platform", "offscreen", "frob"}, "tavr180: unknown command \"frob\" (try tavr180 --help)\n"},
    };
    for (const Row& row : rows) {
        const ProgramOutcome o = StartProgram(kProgram, row.args, env);
        EXPECT_EQ(o.status, 1) << What(row.args);
        EXPECT_EQ(o.err.toStdString(), row.err) << What(row.args);
    }
    // The toolkit's own options still start the window (here without a display).
    const ProgramOutcome window = StartProgram(kProgram, {"-platform", "xcb", "-reverse"}, env);
    EXPECT_TRUE(window.err.startsWith("tavr180: there is no display")) << window.err.toStdString();
}

} // namespace
