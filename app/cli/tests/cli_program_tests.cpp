// The built program started as a user starts it: output streams and exit statuses.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "ProgramTestSupport.h"

namespace {

using Outcome = tavr::cli::testing::ProgramOutcome;

Outcome Start(const QStringList& args) {
    return tavr::cli::testing::StartProgram(QString::fromUtf8(TAVR_PROGRAM), args);
}

} // namespace

TEST(CliProgram, ConvertsAndExitsWithTheRightStatus) {
    struct Row {
        QStringList args;
        int status;
        const char* out; // start of standard output
        const char* err; // start of standard error
    };
    const Row rows[] = {
        {{"convert", "2000-01-01 CE"}, 0, "Common Era: 2000-01-01 CE (Saturday, January 1, 2000)\n", ""},
        {{"convert", "2001-12-31 CE 24:00"},
         2,
         "",
         "Invalid date/time entry: Invalid time specification.  Times must be, e.g., 23:50."},
        {{"convert", "6000-01-02 CE"},
         3,
         "",
         "Date out of range: Resulting date is later than 6000-01-01 CE."},
        {{"convert", "--zone", "nowhere", "2000-01-01 CE"}, 1, "", "tavr180: unknown zone"},
        {{"--version"}, 0, "tavr180 18.0\n", ""},
        {{"--help"}, 0, "Usage: tavr180 convert", ""},
    };
    for (const Row& row : rows) {
        const Outcome o = Start(row.args);
        const std::string what = row.args.join(' ').toStdString();
        EXPECT_EQ(o.status, row.status) << what << ": " << o.err.toStdString();
        const std::string out = o.out.toStdString();
        const std::string err = o.err.toStdString();
        EXPECT_EQ(out.rfind(row.out, 0), 0u) << what << ": " << out;
        EXPECT_EQ(err.rfind(row.err, 0), 0u) << what << ": " << err;
        if (*row.err == '\0') {
            EXPECT_EQ(err, "") << what;
        }
    }
}

TEST(CliProgram, JsonObject) {
    const Outcome o = Start({"convert", "--json", "--calendar", "TVG", "1-94-08-25"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(o.out.toUtf8()).object();
    EXPECT_EQ(json["ajd"].toDouble(), 2451545.0);
    EXPECT_EQ(json["calendar"].toString(), "TVG");
    EXPECT_EQ(json["history"].toString(), "1-94-08-25 TVG");
    EXPECT_EQ(json["rows"].toObject()["TVG"].toObject()["tooltip"].toString(),
              "The 25th day of Hathor in the year 94 of cycle 1");
    for (const char* key : {"cjd", "time", "phase", "age", "deltaT"})
        EXPECT_TRUE(json.contains(key)) << key;
}

namespace {

Outcome StartWith(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                  const QByteArray& input = {}) {
    return tavr::cli::testing::StartProgram(program, args, env, input);
}

} // namespace

// The command line never loads a toolkit library (its start is that of a
// small program): the dynamic loader lists every library it maps, the five
// loaded by name included.
TEST(CliProgram, CommandsLoadNoWidgetLibrary) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_DEBUG", "files");
    const QStringList commands[] = {{"convert", "2000-01-01 CE"}, {"--help"}};
    for (const QStringList& args : commands) {
        const Outcome o = StartWith(QString::fromUtf8(TAVR_PROGRAM), args, env, "2000-01-01 CE\n");
        ASSERT_EQ(o.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.contains("file=libstdc++.so")) << "no library list from the loader";
        if (args[0] == "convert") {
            EXPECT_TRUE(o.err.contains("libhalvor.so")) << "libraries loaded by name unlisted";
        }
        EXPECT_FALSE(o.err.contains("libQt6")) << args.join(' ').toStdString();
    }
}

// Without a command the program starts the window program beside it, with
// the same arguments; without a display that one says so.
TEST(CliProgram, WithoutACommandTheWindowStarts) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    const Outcome o = StartWith(QString::fromUtf8(TAVR_PROGRAM), {}, env);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.startsWith("tavr180: there is no display")) << o.err.toStdString();

    // A copy without the window program beside it says what it misses.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath("tavr180");
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(TAVR_PROGRAM), copy));
    const Outcome alone = StartWith(copy, {}, env);
    EXPECT_EQ(alone.status, 1);
    EXPECT_TRUE(alone.err.startsWith("tavr180: cannot start the window (" + dir.path() + "/tavr180-window)"))
        << alone.err.toStdString();
}

TEST(CliProgram, BatchReadsStandardInput) {
    QByteArray input;
    for (int day = 1; day <= 28; ++day)
        input += QByteArray("2000-02-") + (day < 10 ? "0" : "") + QByteArray::number(day) + " CE\n";
    input += "2000-02-30 CE\n";
    const Outcome o =
        StartWith(QString::fromUtf8(TAVR_PROGRAM), {"convert", "--batch", "--json", "--zone", "+01:00"},
                  QProcessEnvironment::systemEnvironment(), input);
    EXPECT_EQ(o.status, 2) << o.err.toStdString();
    const QStringList lines = o.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 29);
    for (int day = 1; day <= 28; ++day) {
        const QJsonObject json = QJsonDocument::fromJson(lines[day - 1].toUtf8()).object();
        EXPECT_EQ(json["history"].toString(), QString("2000-02-%1 CE").arg(day, 2, 10, QChar('0')));
    }
    EXPECT_EQ(QJsonDocument::fromJson(lines[28].toUtf8()).object()["status"].toInt(), 2);
}
