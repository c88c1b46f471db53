// The saved state: the 27 lines written from a State, read back, and every
// kind of broken file refused without harm.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "session/StateFile.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, std::size_t count, const char* eol = "\r\n") {
    std::string out;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i)
        out += lines[i] + eol;
    return out;
}

RestoredState Parse(const std::string& text, const State& start = State{}) {
    std::istringstream in(text);
    return ParseStateFile(in, start);
}

// A state with every saved value away from its default.
State Changed() {
    State s = MakeState(2452275.1234567891, 60, View::Greenwich, kLDT);
    s.moveForward = false;
    s.plusSelected = false;
    s.searchNext = false;
    s.moveStepIndex = 17;
    s.targetIndex = 11;
    s.refreshPeriodIndex = 4;
    s.chkLog = true;
    s.actualEclipseData = "Total solar eclipse\r\nGamma 0.123\r\nSaros 145";
    s.logFormat = 1;
    s.logInclude = {true, false, true, false, true, false, true, false, true, false, true};
    s.monthCalendarIndex = 3;
    return s;
}

// The same with a caption of one line, so that the file splits into 27 lines.
State OneLineCaption() {
    State s = Changed();
    s.actualEclipseData = "Total solar eclipse";
    return s;
}

void ExpectSaved(const State& a, const State& b) {
    EXPECT_EQ(a.dblCurrentAJDate, b.dblCurrentAJDate);
    EXPECT_EQ(a.currentCalendar, b.currentCalendar);
    EXPECT_EQ(a.moveForward, b.moveForward);
    EXPECT_EQ(a.plusSelected, b.plusSelected);
    EXPECT_EQ(a.searchNext, b.searchNext);
    EXPECT_EQ(a.view, b.view);
    EXPECT_EQ(a.moveStepIndex, b.moveStepIndex);
    EXPECT_EQ(a.targetIndex, b.targetIndex);
    EXPECT_EQ(a.zoneIndex, b.zoneIndex);
    EXPECT_EQ(a.zoneOffset, b.zoneOffset);
    EXPECT_EQ(a.refreshPeriodIndex, b.refreshPeriodIndex);
    EXPECT_EQ(a.chkLog, b.chkLog);
    EXPECT_EQ(a.actualEclipseData, b.actualEclipseData);
    EXPECT_EQ(a.logFormat, b.logFormat);
    EXPECT_EQ(a.logInclude, b.logInclude);
    EXPECT_EQ(a.monthCalendarIndex, b.monthCalendarIndex);
}

TEST(StateFile, WritesTheTwentySevenLinesInOrder) {
    State s = Changed();
    s.repeatedly = true;
    const std::string text = FormatStateFile(s);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    ASSERT_EQ(Lines(FormatStateFile(OneLineCaption())).size(), 27u);
    const std::vector<std::string> expected = {"2452275.123456789",
                                               "4",
                                               "0",
                                               "0",
                                               "0",
                                               "-1",
                                               "17",
                                               "11",
                                               "26",
                                               "4",
                                               "1",
                                               "1",
                                               "\"Total solar eclipse\r\nGamma 0.123\r\nSaros 145\"",
                                               "\"Looking for something?\"",
                                               "0",
                                               "1",
                                               "0",
                                               "1",
                                               "0",
                                               "1",
                                               "0",
                                               "1",
                                               "0",
                                               "1",
                                               "0",
                                               "1",
                                               "3"};
    // The caption's own line ends split it; compare the text as a whole.
    EXPECT_EQ(text, Join(expected, expected.size()));
    const std::vector<std::string> defaults = Lines(FormatStateFile(State{}));
    EXPECT_EQ(defaults[2], "-1"); // forward
    EXPECT_EQ(defaults[5], "0");  // Local
    EXPECT_EQ(defaults[12], "\"\"");
    EXPECT_EQ(defaults[14], "-1"); // first log format
    EXPECT_EQ(defaults[15], "1");
}

TEST(StateFile, RoundTripGivesTheSameState) {
    const std::vector<double> moments = {kEarliestMoment,    kLatestMoment,   2451544.5,
                                         2452275.1234567891, 0.1 + 2451545.2, 1234567.0000000002};
    for (double moment : moments) {
        State s = Changed();
        s.dblCurrentAJDate = moment;
        const RestoredState r = Parse(FormatStateFile(s));
        EXPECT_TRUE(r.complete) << moment;
        EXPECT_EQ(r.linesRead, 27);
        ExpectSaved(r.state, s);
    }
    const RestoredState d = Parse(FormatStateFile(MakeState()));
    EXPECT_TRUE(d.complete);
    ExpectSaved(d.state, MakeState());
}

int SignificantDigits(const std::string& number) {
    int digits = 0;
    for (char c : number)
        if (c >= '0' && c <= '9' && (digits > 0 || c != '0')) ++digits;
    return digits;
}

TEST(StateFile, MomentKeepsFifteenDigitsAndReadsBackExactly) {
    struct Case {
        double moment;
        const char* text; // nullptr: only the rules below
    };
    const Case cases[] = {
        {2451545.125, "2451545.12500000"},
        {2451545.0, "2451545.00000000"},
        {kEarliestMoment, "552283.000000000"},
        {kLatestMoment, "3912515.00000000"},
        {2452275.1234567891, "2452275.123456789"}, // the shortest exact form has more
        {0.1 + 2451545.2, nullptr},
        {1234567.0000000002, nullptr},
        {std::nextafter(kLatestMoment, 0.0), nullptr},
        {2451545.5 + 1.0 / 1440.0, nullptr},
    };
    for (const Case& c : cases) {
        State s = OneLineCaption();
        s.dblCurrentAJDate = c.moment;
        const std::string text = FormatStateFile(s);
        const std::string line = Lines(text)[0];
        if (c.text) {
            EXPECT_EQ(line, c.text);
        }
        const int digits = SignificantDigits(line);
        EXPECT_GE(digits, 15) << line;
        const RestoredState r = Parse(text);
        EXPECT_TRUE(r.complete) << line;
        EXPECT_EQ(r.state.dblCurrentAJDate, c.moment) << line;
        // No shorter form reads back: the last digit is needed, or is one of the fifteen.
        if (digits > 15) {
            EXPECT_NE(std::stod(line.substr(0, line.size() - 1)), c.moment) << line;
        }
    }
}

TEST(StateFile, SwitchLinesTakeTheirLeadingNumber) {
    const State saved = OneLineCaption();
    const std::vector<std::string> lines = Lines(FormatStateFile(saved));
    struct Case {
        const char* value;
        bool set;
    };
    const Case cases[] = {{"abc", false}, {"", false},  {"1abc", true}, {" 1", true},   {"1.9", true},
                          {"0.5", false}, {"2", false}, {"+1", true},   {"\"1\"", true}};
    for (int line : {12, 16, 21, 26}) {
        for (const Case& c : cases) {
            std::vector<std::string> edited = lines;
            edited[static_cast<std::size_t>(line - 1)] = c.value;
            const RestoredState r = Parse(Join(edited, 27));
            EXPECT_TRUE(r.complete) << line << " " << c.value;
            EXPECT_EQ(r.state.dblCurrentAJDate, saved.dblCurrentAJDate) << line << " " << c.value;
            const bool set =
                line == 12 ? r.state.chkLog : r.state.logInclude[static_cast<std::size_t>(line - 16)];
            EXPECT_EQ(set, c.set) << line << " " << c.value;
        }
    }
}

TEST(StateFile, RestoreRules) {
    std::vector<std::string> lines = Lines(FormatStateFile(OneLineCaption()));
    // Repeatedly is never restored; a saros target comes back as any eclipse;
    // only exactly -1 selects Greenwich; any value but 0 selects an option.
    lines[10] = "1";
    lines[7] = "13";
    lines[5] = "1";
    lines[2] = "5";
    lines[14] = "0";
    State start;
    start.repeatedly = true;
    RestoredState r = Parse(Join(lines, 27), start);
    ASSERT_TRUE(r.complete);
    EXPECT_FALSE(r.state.repeatedly);
    EXPECT_EQ(r.state.targetIndex, 6);
    EXPECT_EQ(r.state.view, View::Local);
    EXPECT_TRUE(r.state.moveForward);
    EXPECT_EQ(r.state.logFormat, 1);
    // zoneOffset follows the restored zone.
    lines[8] = "0";
    r = Parse(Join(lines, 27));
    EXPECT_EQ(r.state.zoneIndex, 0);
    EXPECT_EQ(r.state.zoneOffset, -720);
    // A quote inside the caption survives.
    State q = Changed();
    q.actualEclipseData = "say \"hi\"\n";
    EXPECT_EQ(Parse(FormatStateFile(q)).state.actualEclipseData, q.actualEclipseData);
}

TEST(StateFile, ShortAndBrokenFilesKeepWhatWasRead) {
    const State saved = OneLineCaption();
    const std::vector<std::string> lines = Lines(FormatStateFile(saved));
    // Ten lines: the moment and nine settings, then the read stops.
    RestoredState r = Parse(Join(lines, 10));
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.linesRead, 10);
    EXPECT_EQ(r.state.dblCurrentAJDate, saved.dblCurrentAJDate);
    EXPECT_EQ(r.state.refreshPeriodIndex, 4);
    EXPECT_EQ(r.state.zoneIndex, saved.zoneIndex);
    EXPECT_FALSE(r.state.chkLog);

    struct Case {
        const char* name;
        int line; // 1-based line replaced
        const char* value;
        int read; // lines accepted before the refusal
    };
    const Case cases[] = {
        {"moment not a number", 1, "abc", 0},
        {"moment not finite", 1, "nan", 0},
        {"moment infinite", 1, "inf", 0},
        {"moment too early", 1, "552282.9", 0},
        {"moment too late", 1, "3912515.1", 0},
        {"moment with a comma", 1, "2451545,5", 0},
        {"calendar above 8", 2, "9", 1},
        {"calendar negative", 2, "-1", 1},
        {"move step outside", 7, "20", 6},
        {"target outside", 8, "16", 7},
        {"zone outside", 9, "49", 8},
        {"refresh outside", 10, "5", 9},
        {"log switch outside", 12, "7", 11},
        {"format not a number", 15, "x", 14},
        {"include switch outside", 20, "-1", 19},
        {"month calendar outside", 27, "4", 26},
        {"empty line", 3, "", 2},
        {"empty calendar line", 2, "", 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> broken = lines;
        broken[static_cast<std::size_t>(c.line - 1)] = c.value;
        State start;
        start.dblCurrentAJDate = 2400000.5;
        const RestoredState b = Parse(Join(broken, 27), start);
        EXPECT_FALSE(b.complete) << c.name;
        EXPECT_EQ(b.linesRead, c.read) << c.name;
        if (c.line == 1) {
            EXPECT_EQ(b.state.dblCurrentAJDate, 2400000.5) << c.name;
        }
    }
}

TEST(StateFile, LineEndsAndTruncation) {
    const State saved = Changed();
    const std::string crlf = FormatStateFile(saved);
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    RestoredState r = Parse(lf);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.state.monthCalendarIndex, 3);
    EXPECT_EQ(r.state.actualEclipseData, "Total solar eclipse\nGamma 0.123\nSaros 145");
    // The last line without its line end still counts.
    r = Parse(crlf.substr(0, crlf.size() - 2));
    EXPECT_TRUE(r.complete);
    // Cut inside the quoted caption: the read stops before it.
    const std::size_t inCaption = crlf.find("Gamma");
    r = Parse(crlf.substr(0, inCaption));
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.linesRead, 12);
    EXPECT_TRUE(Parse("").linesRead == 0 && !Parse("").complete);
}

TEST(StateFile, BinaryAndHugeFilesAreRefusedQuickly) {
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 131 + 7) % 256);
    RestoredState r = Parse(binary);
    EXPECT_FALSE(r.complete);
    // A caption opened but never closed in a long text.
    std::vector<std::string> lines = Lines(FormatStateFile(OneLineCaption()));
    std::string open = Join(lines, 12) + "\"" + std::string(1 << 20, 'x');
    r = Parse(open);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.linesRead, 12);

    // 100 MB on disk: a valid start followed by one endless line.
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "statefile_huge";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "tavr.usr";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << Join(lines, 12);
        const std::string chunk(1 << 20, '7');
        for (int i = 0; i < 100; ++i)
            out << chunk;
    }
    ASSERT_GE(std::filesystem::file_size(file), 100u << 20);
    r = ReadStateFile(file, State{});
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.linesRead, 12);
    // A complete file followed by a huge tail: only 27 lines are read.
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << FormatStateFile(Changed());
        const std::string chunk(1 << 20, '\n');
        for (int i = 0; i < 100; ++i)
            out << chunk;
    }
    r = ReadStateFile(file, State{});
    EXPECT_TRUE(r.complete);
    std::filesystem::remove_all(dir);
    // Missing files and folders give the start state.
    r = ReadStateFile(dir / "missing.usr", Changed());
    EXPECT_EQ(r.linesRead, 0);
    ExpectSaved(r.state, Changed());
    r = ReadStateFile(std::filesystem::path(::testing::TempDir()), State{});
    EXPECT_FALSE(r.complete);
}

TEST(StateFile, ResetKeepsTheZone) {
    State s = Changed();
    State reset = ResetSettings(s, false);
    EXPECT_EQ(reset.currentCalendar, kCE);
    EXPECT_EQ(reset.view, View::Local);
    EXPECT_TRUE(reset.moveForward && reset.plusSelected && reset.searchNext);
    EXPECT_FALSE(reset.repeatedly || reset.chkLog);
    EXPECT_EQ(reset.moveStepIndex, 2);
    EXPECT_EQ(reset.refreshPeriodIndex, 2);
    EXPECT_EQ(reset.targetIndex, 0);
    EXPECT_EQ(reset.zoneIndex, s.zoneIndex);
    EXPECT_EQ(reset.zoneOffset, s.zoneOffset);
    EXPECT_EQ(reset.logFormat, 1);
    EXPECT_EQ(reset.logInclude, s.logInclude);
    EXPECT_EQ(reset.monthCalendarIndex, s.monthCalendarIndex);
    reset = ResetSettings(s, true);
    EXPECT_EQ(reset.logFormat, 0);
    for (bool b : reset.logInclude)
        EXPECT_TRUE(b);
}

} // namespace

namespace {

TEST(StateFile, StartUpResultRecordsOneRestoreEntry) {
    State saved = OneLineCaption();
    saved.nowMode = true;
    std::istringstream in(FormatStateFile(saved));
    RestoredState restored = ParseStateFile(in, State{});
    ASSERT_TRUE(restored.complete);
    restored.state.nowMode = true;
    const double now = 2460000.25;
    ActionResult r = StartUpResult(restored, now);
    EXPECT_EQ(r.kind, ResultKind::Done);
    EXPECT_EQ(r.state.dblCurrentAJDate, saved.dblCurrentAJDate);
    EXPECT_FALSE(r.state.nowMode);
    EXPECT_EQ(r.state.actualEclipseData, saved.actualEclipseData);
    EXPECT_TRUE(r.historyDue);
    EXPECT_EQ(r.actionText, "Restore saved state on startup");
    EXPECT_EQ(r.extraLogText, "");
    ASSERT_TRUE(r.tail.has_value());
    EXPECT_EQ(r.historyText, r.tail->display.historyText);
    EXPECT_FALSE(r.historyText.empty());

    // Ten lines: the settings stay, the moment becomes now.
    std::vector<std::string> lines = Lines(FormatStateFile(saved));
    std::istringstream ten(Join(lines, 10));
    restored = ParseStateFile(ten, State{});
    r = StartUpResult(restored, now);
    EXPECT_EQ(r.state.dblCurrentAJDate, now);
    EXPECT_EQ(r.state.currentCalendar, saved.currentCalendar);
    EXPECT_EQ(r.state.zoneIndex, saved.zoneIndex);
    EXPECT_TRUE(r.historyDue);
    EXPECT_EQ(r.actionText, "Restore saved state on startup");
}

} // namespace

namespace {

namespace fs = std::filesystem;

struct StateFileSave : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / "statefile_save";
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Touch(const fs::path& file) { std::ofstream(file) << "x"; }
};

// Links, named pipes and devices are the POSIX file system's (Windows has
// no named pipes among its files, and its links need privileges).
#if !defined(_WIN32)
TEST_F(StateFileSave, LinksLeadToTheFileAndOnlyRegularFilesAreReplaced) {
    const fs::path file = dir / "tavr.usr";
    // A new file and an existing one are written where they are.
    EXPECT_EQ(StateFileTarget(file).file, file);
    EXPECT_TRUE(StateFileTarget(file).refusal.empty());
    Touch(file);
    EXPECT_EQ(StateFileTarget(file).file, file);
    EXPECT_TRUE(StateFileTarget(file).refusal.empty());
    // Links, also chains and relative ones, and a link to a file yet to be made.
    fs::create_directories(dir / "real");
    Touch(dir / "real/state");
    fs::create_symlink("real/state", dir / "relative");
    fs::create_symlink(dir / "relative", dir / "chain");
    fs::create_symlink(dir / "real/new", dir / "dangling");
    EXPECT_EQ(StateFileTarget(dir / "relative").file, dir / "real/state");
    EXPECT_EQ(StateFileTarget(dir / "chain").file, dir / "real/state");
    EXPECT_EQ(StateFileTarget(dir / "dangling").file, dir / "real/new");
    for (const char* name : {"relative", "chain", "dangling"})
        EXPECT_TRUE(StateFileTarget(dir / name).refusal.empty()) << name;
    // Anything else is never replaced, behind a link or not.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo", dir / "to-fifo");
    fs::create_symlink("/dev/null", dir / "to-device");
    fs::create_symlink(dir / "real", dir / "to-folder");
    fs::create_symlink(dir / "loop-b", dir / "loop-a");
    fs::create_symlink(dir / "loop-a", dir / "loop-b");
    for (const char* name : {"fifo", "to-fifo", "to-device", "to-folder", "real", "loop-a"})
        EXPECT_FALSE(StateFileTarget(dir / name).refusal.empty()) << name;
    EXPECT_EQ(StateFileTarget(dir / "to-device").refusal, "/dev/null is not a regular file");
}

TEST_F(StateFileSave, LeftoversOfInterruptedSavesAndNothingElseAreRemoved) {
    const char* const leftovers[] = {"tavr.usr.Ab3xYz", "tavr.usr.QWERTY", "tavr.usr.000000"};
    const char* const kept[] = {"tavr.usr",         "tavr.usr.ABCDEFG", "tavr.usr.ABCDE",
                                "tavr.usr.ABC-EF",  "tavr.usr.ab cde",  "tavr.usrXabcdef",
                                "other.usr.abcdef", "Xtavr.usr.abcdef", "tavr.usr.abcdef.1"};
    for (const char* name : leftovers)
        EXPECT_TRUE(IsSaveLeftover(name, "tavr.usr")) << name;
    for (const char* name : kept)
        EXPECT_FALSE(IsSaveLeftover(name, "tavr.usr")) << name;
    for (const char* name : leftovers)
        Touch(dir / name);
    for (const char* name : kept)
        Touch(dir / name);
    // Names of the pattern that are not regular files stay too.
    fs::create_directory(dir / "tavr.usr.Folder");
    Touch(dir / "target");
    fs::create_symlink(dir / "target", dir / "tavr.usr.Linked");
    ASSERT_EQ(::mkfifo((dir / "tavr.usr.Fifo00").c_str(), 0600), 0);
    EXPECT_EQ(RemoveSaveLeftovers(dir / "tavr.usr"), 3);
    std::set<std::string> left;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        left.insert(e.path().filename().string());
    std::set<std::string> expected(std::begin(kept), std::end(kept));
    expected.insert({"tavr.usr.Folder", "target", "tavr.usr.Linked", "tavr.usr.Fifo00"});
    EXPECT_EQ(left, expected);
    EXPECT_EQ(RemoveSaveLeftovers(dir / "missing/tavr.usr"), 0);
}
#endif

} // namespace
