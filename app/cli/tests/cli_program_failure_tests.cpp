// The built program where its output cannot be written, its input cannot be
// read, or one of its libraries is missing or damaged: never success, one
// message on standard error and the status of the failure.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <iterator>

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

// `script` run by the shell, with the program as $0, the command as its
// further arguments ("$@") and one line of standard input.
ProgramOutcome Shell(const QString& script, const QStringList& command, const QString& program = kProgram,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return StartProgram("/bin/sh", QStringList{"-c", script, program} + command, env, "2000-01-01 CE\n");
}

std::string What(const QStringList& command) {
    return command.join(' ').toStdString();
}

// Each way in which a write or read fails, with the commands it is tried
// on (a closed pipe and a size limit only stop an output longer than the
// pipe's or the limit's room): the shell's status is the program's. A pipe
// closed early must not end the program by its signal; a file system filling
// in the middle of a calendar (here the shell's file size limit) keeps what
// was written.
TEST(ProgramFailure, WritesAndReadsThatFailAreNotSuccess) {
    const char* const closed = "\"$0\" \"$@\" >&-";
    const QList<QStringList> every = QList<QStringList>(std::begin(kCommands), std::end(kCommands)) +
                                     QList<QStringList>{{"convert", "--batch"}, {"--help"}};
    const QList<QStringList> long_ = {
        {"events", "--from", "1000-01-01 CE", "--to", "3000-01-01 CE", "--ics"},
        {"move", "1 minute", "forward", "--from", "2000-01-01 CE", "--times", "1000000", "--json"}};
    struct Way {
        const char* script;
        const QList<QStringList>& commands;
        int status;
        const char* message;
    };
    const Way ways[] = {
        {"\"$0\" \"$@\" > /dev/full", every, 5, "output could not be written (No space left on device)"},
        {closed, every, 5, "output could not be written (Bad file descriptor)"},
        {"s=$(mktemp); { \"$0\" \"$@\"; echo $? > $s; } | head -c 100 > /dev/null; r=$(cat $s); rm $s; exit "
         "$r",
         long_, 5, "output could not be written (Broken pipe)"},
        {"ulimit -f 64; f=$(mktemp); \"$0\" \"$@\" > $f; r=$?; test -s $f || r=99; rm $f; exit $r", long_, 5,
         "output could not be written (File too large)"},
        {"\"$0\" \"$@\" < /", {{"convert", "--batch"}}, 6, "input could not be read (Is a directory)"},
    };
    for (const Way& way : ways) {
        for (const QStringList& command : way.commands) {
            const ProgramOutcome o = Shell(way.script, command);
            EXPECT_EQ(o.status, way.status)
                << way.script << " " << What(command) << ": " << o.err.toStdString();
            EXPECT_EQ(o.err.toStdString(), std::string("tavr180: standard ") + way.message + "\n")
                << way.script << " " << What(command);
        }
    }
    // Nothing written, nothing failed: a usage error keeps its own status.
    EXPECT_EQ(Shell(closed, {"convert", "--zone", "nowhere", "x"}).status, 1);
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
                const ProgramOutcome o = Shell("\"$0\" \"$@\"", command, dir.filePath("tavr180"), env);
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
