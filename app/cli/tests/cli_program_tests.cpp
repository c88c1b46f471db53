// The built program started as a user starts it: output streams and exit statuses.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

// The program and the libraries it loads are quick; a generous bound only
// keeps a broken build from hanging the test run.
constexpr int kProgramTimeoutMs = 60000;

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome Start(const QStringList& args) {
    static int argc = 1;
    static char name[] = "cli_program_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    QProcess process;
    process.start(QString::fromUtf8(TAVR_PROGRAM), args);
    Outcome outcome;
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

} // namespace

TEST(EngineCliProgram, ConvertsAndExitsWithTheRightStatus) {
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

TEST(EngineCliProgram, JsonObject) {
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
