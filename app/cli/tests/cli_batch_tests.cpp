// convert --batch run in-process: every line gives exactly the result of a
// single convert of the same text with the same options, refusals included.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliBatch.h"
#include "cli/CliStreams.h"
#include "cli/tests/CliTestSupport.h"

using tavr::cli::testing::Call;
using tavr::cli::testing::Lines;
using tavr::cli::testing::Outcome;

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A small deterministic generator, so that a failure can be repeated.
struct Lcg {
    uint64_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// Entries of every calendar: the dates the rows show for random moments
// (before the " (" of each row), with and without a time, as numbers of
// days, and texts the entry refuses or that lie outside the range.
std::vector<std::string> VariedLines(size_t count) {
    Lcg random{20261208};
    std::vector<std::string> seeds;
    for (int i = 0; i < 40; ++i) {
        const std::string ajd = std::to_string(625000 + static_cast<int>(random.Next(3200000))) + " AJD";
        Outcome o = Call({"convert", "--json", ajd});
        if (o.status != 0) continue;
        const QJsonObject rows =
            QJsonDocument::fromJson(QByteArray::fromStdString(o.out)).object()["rows"].toObject();
        for (const QString& code : rows.keys()) {
            const std::string value = rows[code].toObject()["value"].toString().toStdString();
            seeds.push_back(value.substr(0, value.find(" (")));
        }
    }
    const char* odd[] = {"",
                         "   ",
                         "foo",
                         "2000-02-30 CE",
                         "2000-01-01 CE 24:61",
                         "2001-12-31 CE 24:00",
                         "6000-01-02 CE",
                         "-3300-01-01 CE",
                         "-5 AJD",
                         "2,451,545.5 CJD",
                         "\t2000-01-01 CE\t",
                         "2000-01-01 XX",
                         "1-94-08-25",
                         "102-25-10-26 vr 14:28",
                         "2000-01-01 CE 12:00 \"quoted\" \\ back",
                         "\xef\xbc\x92\xef\xbc\x90\xef\xbc\x90\xef\xbc\x90 CE",
                         "\xff\xfe broken",
                         "9999999999999999999 AJD"};
    std::vector<std::string> lines;
    while (lines.size() < count) {
        const uint32_t pick = random.Next(12);
        if (pick == 0) {
            lines.push_back(odd[random.Next(sizeof odd / sizeof odd[0])]);
        } else if (pick >= 10) {
            // Whole and fractional day numbers: the JSON numbers in all their forms.
            const uint32_t day = 600000 + random.Next(3300000);
            lines.push_back(std::to_string(day - day % (pick == 10 ? 10 : 1)) +
                            (pick == 10 ? " AJD" : ".3 CJD"));
        } else {
            std::string line = seeds[random.Next(static_cast<uint32_t>(seeds.size()))];
            if (pick < 5) {
                const uint32_t hour = random.Next(25), minute = random.Next(61);
                line += " " + std::to_string(hour) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute);
            }
            lines.push_back(line);
        }
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(CliBatch, EveryLineGivesTheResultOfASingleConvert) {
#if TAVR_FULL_SWEEPS
    constexpr size_t kLines = 1500;
#else
    constexpr size_t kLines = 300;
#endif
    const std::vector<std::string> lines = VariedLines(kLines);
    const std::vector<std::vector<std::string>> optionSets = {
        {},
        {"--calendar", "TVG", "--zone", "+05:30"},
        {"--greenwich", "--zone", "GMT - 08:00", "--days", "1,000", "--minus"},
        {"--calendar", "qlw", "--days", "29"},
    };
    for (const std::vector<std::string>& options : optionSets) {
        std::vector<std::string> args{"convert", "--batch"};
        args.insert(args.end(), options.begin(), options.end());
        const Outcome text = Call(args, Join(lines));
        args.push_back("--json");
        const Outcome json = Call(args, Join(lines));
        const std::vector<std::string> textLines = Lines(text.out);
        const std::vector<std::string> jsonLines = Lines(json.out);
        ASSERT_EQ(textLines.size(), lines.size());
        ASSERT_EQ(jsonLines.size(), lines.size());

        int firstFailure = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            std::vector<std::string> single{"convert", "--json"};
            single.insert(single.end(), options.begin(), options.end());
            single.push_back("--");
            single.push_back(lines[i]);
            const Outcome one = Call(single);
            const std::string what = "line " + std::to_string(i) + " \"" + lines[i] + "\"";
            const std::vector<std::string> fields = Fields(textLines[i]);
            ASSERT_FALSE(fields.empty()) << what;
            EXPECT_EQ(fields[0], std::to_string(one.status)) << what;
            if (one.status == 0) {
                EXPECT_EQ(jsonLines[i] + "\n", one.out) << what;
                const QJsonObject object =
                    QJsonDocument::fromJson(QByteArray::fromStdString(one.out)).object();
                std::vector<std::string> expected{"0", object["history"].toString().toStdString()};
                for (const char* code : {"CE", "JC", "SAR", "VR", "LDT", "TVG", "QLW", "CJD", "AJD"})
                    expected.push_back(
                        object["rows"].toObject()[code].toObject()["value"].toString().toStdString());
                for (const char* key : {"time", "phase", "age", "deltaT"})
                    expected.push_back(object[key].toString().toStdString());
                EXPECT_EQ(fields, expected) << what;
            } else {
                if (firstFailure == 0) firstFailure = one.status;
                ASSERT_EQ(fields.size(), 3u) << what << ": " << textLines[i];
                EXPECT_EQ(fields[2] + "\n", one.err) << what;
                const QJsonObject object =
                    QJsonDocument::fromJson(QByteArray::fromStdString(jsonLines[i])).object();
                EXPECT_EQ(object["status"].toInt(), one.status) << what;
                EXPECT_EQ(object["code"].toInt(), std::stoi(fields[1])) << what;
                EXPECT_EQ(object["message"].toString().toStdString() + "\n", one.err) << what;
            }
        }
        EXPECT_NE(firstFailure, 0) << "the lines should include refusals";
        EXPECT_EQ(text.status, firstFailure);
        EXPECT_EQ(json.status, firstFailure);
    }
}

TEST(CliBatch, RefusalsCarryTheirCodeAndTheBatchGoesOn) {
    const Outcome o =
        Call({"convert", "--batch"}, "2000-01-01 CE\nfoo\n\n6000-01-02 CE\r\n2000-01-01 CE 24:00\n"
                                     "1-94-08-25 TVG");
    EXPECT_EQ(o.status, 2);
    const std::vector<std::string> lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 6u) << o.out;
    EXPECT_EQ(lines[0].rfind("0\t2000-01-01 CE\t2000-01-01 CE (Saturday, January 1, 2000)\t", 0), 0u);
    EXPECT_EQ(lines[1], "2\t1\tInvalid date/time entry: Invalid date entry.");
    EXPECT_EQ(lines[2], "2\t19\tInvalid date/time entry: No date given.");
    EXPECT_EQ(lines[3], "3\t0\tDate out of range: Resulting date is later than 6000-01-01 CE.");
    EXPECT_EQ(lines[4].rfind("2\t4\tInvalid date/time entry: Invalid time specification.", 0), 0u);
    EXPECT_EQ(Fields(lines[5]).size(), 15u);
    EXPECT_EQ(Fields(lines[5])[1], "1-94-08-25 TVG");
    EXPECT_EQ(o.err, "");
}

TEST(CliBatch, InputEdges) {
    struct Row {
        std::string input;
        int status;
        size_t lines;
    };
    const std::string longLine(tavr::cli::kBatchLineMax + 1, '1');
    const Row rows[] = {
        {"", 0, 0},
        {"2000-01-01 CE", 0, 1},
        {"2000-01-01 CE\n", 0, 1},
        {"\n", 2, 1},
        {longLine + "\n2000-01-01 CE\n", 2, 2},
        {std::string("2000-01-01 CE\0x\n", 16), 2, 1},
    };
    for (const Row& row : rows) {
        const Outcome o = Call({"convert", "--batch"}, row.input);
        EXPECT_EQ(o.status, row.status) << row.input.substr(0, 40);
        EXPECT_EQ(Lines(o.out).size(), row.lines) << row.input.substr(0, 40);
    }
    const Outcome tooLong = Call({"convert", "--batch", "--json"}, longLine + "\n2000-01-01 CE\n");
    const std::vector<std::string> lines = Lines(tooLong.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "{\"code\":0,\"message\":\"tavr180: line 1 is longer than 65536 bytes\",\"status\":2}");
    EXPECT_EQ(lines[1].rfind("{\"age\":", 0), 0u);
}

// The CR of a CR LF end is no part of the line: a line of the longest
// length is read whole with either end.
TEST(CliBatch, LongestLineWithEitherEnd) {
    std::string line = "2000-01-01 CE";
    line.resize(tavr::cli::kBatchLineMax, ' ');
    for (const char* end : {"\n", "\r\n"}) {
        const Outcome o = Call({"convert", "--batch"}, line + end + line + end);
        EXPECT_EQ(o.status, 0) << o.out.substr(0, 80);
        const std::vector<std::string> lines = Lines(o.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(Fields(lines[1])[1], "2000-01-01 CE");
    }
    const Outcome longer = Call({"convert", "--batch"}, line + "x\r\n");
    EXPECT_EQ(longer.status, 2);
    EXPECT_NE(longer.out.find("is longer than"), std::string::npos);
}

// Standard input that fails: the lines read before are converted (not the
// one the failure may have cut), then the batch ends with its own status.
TEST(CliBatch, AReadFailureIsNotTheEnd) {
    int calls = 0;
    tavr::cli::Streams streams{[&calls](char* buffer, std::size_t size, std::string& reason) -> long {
                                   const std::string first = "2000-01-01 CE\n2000-01-0";
                                   if (calls++ > 0 || size < first.size()) {
                                       reason = "Is a directory";
                                       return -1;
                                   }
                                   first.copy(buffer, first.size());
                                   return static_cast<long>(first.size());
                               },
                               nullptr,
                               {}};
    std::string out;
    std::string err;
    EXPECT_EQ(tavr::cli::Run({"convert", "--batch"}, streams, out, err), tavr::cli::kExitRead);
    EXPECT_EQ(Lines(out).size(), 1u);
    EXPECT_EQ(err, "tavr180: standard input could not be read (Is a directory)\n");
}

TEST(CliBatch, WrongUse) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"convert", "--batch", "2000-01-01 CE"},
                                               {"convert", "--batch", "--now"},
                                               {"convert", "--batch", "--calendar", "XX"},
                                               {"convert", "--batch", "--zone", "nowhere"}}) {
        const Outcome o = Call(args, "2000-01-01 CE\n");
        EXPECT_EQ(o.status, 1) << args.back();
        EXPECT_EQ(o.out, "") << args.back();
        EXPECT_NE(o.err, "") << args.back();
    }
    const Outcome help = Call({"--help"});
    EXPECT_NE(help.out.find("convert --batch"), std::string::npos);
}
