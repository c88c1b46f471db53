// convert --batch in-process over 100,000 varied lines (the dates of all nine
// calendars over the whole range, with and without a time, and a few refused
// lines), as text and as JSON, and 100,000 consecutive days: lines a second
// (of processor time; the goal is 50,000), Moon data included. The first
// benchmark checks that every line gives exactly the result of a single call.
#include <benchmark/benchmark.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliBatch.h"
#include "cli/CliStreams.h"

namespace {

constexpr size_t kLines = 100000;

struct Lcg {
    uint64_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

std::string Call(const std::vector<std::string>& args, const std::string& input, int& status) {
    std::istringstream in(input);
    std::string out;
    std::string err;
    status = tavr::cli::Run(args, in, out, err);
    return out.empty() ? err : out;
}

const std::vector<std::string>& Lines() {
    static const std::vector<std::string> lines = [] {
        Lcg random{14};
        std::vector<std::string> seeds;
        for (int i = 0; i < 400; ++i) {
            const std::string ajd = std::to_string(625000 + static_cast<int>(random.Next(3200000))) + " AJD";
            int status = 0;
            const std::string out = Call({"convert", "--json", ajd}, {}, status);
            if (status != 0) continue;
            const QJsonObject rows =
                QJsonDocument::fromJson(QByteArray::fromStdString(out)).object()["rows"].toObject();
            for (const QString& code : rows.keys()) {
                const std::string value = rows[code].toObject()["value"].toString().toStdString();
                seeds.push_back(value.substr(0, value.find(" (")));
            }
        }
        const char* odd[] = {"", "foo", "2000-02-30 CE", "2001-12-31 CE 24:00", "6000-01-02 CE", "-5 AJD"};
        std::vector<std::string> v;
        while (v.size() < kLines) {
            const uint32_t pick = random.Next(50);
            if (pick == 0) {
                v.push_back(odd[random.Next(sizeof odd / sizeof odd[0])]);
                continue;
            }
            std::string line = seeds[random.Next(static_cast<uint32_t>(seeds.size()))];
            if (pick < 25)
                line += " " + std::to_string(random.Next(24)) + ":" + std::to_string(10 + random.Next(50));
            v.push_back(line);
        }
        return v;
    }();
    return lines;
}

const std::string& Input() {
    static const std::string input = [] {
        std::string text;
        for (const std::string& line : Lines())
            text += line + "\n";
        return text;
    }();
    return input;
}

void BM_BatchEqualsSingleCalls(benchmark::State& state) {
    for (auto _ : state) {
        int status = 0;
        const std::string json = Call({"convert", "--batch", "--json"}, Input(), status);
        const std::string text = Call({"convert", "--batch"}, Input(), status);
        std::istringstream jsonLines(json);
        std::istringstream textLines(text);
        size_t differing = 0;
        for (const std::string& line : Lines()) {
            std::string batchJson;
            std::string batchText;
            std::getline(jsonLines, batchJson);
            std::getline(textLines, batchText);
            const std::string single = Call({"convert", "--json", "--", line}, {}, status);
            const std::string statusField = batchText.substr(0, batchText.find('\t'));
            bool same = statusField == std::to_string(status);
            if (status == 0) {
                same = same && batchJson + "\n" == single;
            } else {
                const QJsonObject refusal =
                    QJsonDocument::fromJson(QByteArray::fromStdString(batchJson)).object();
                same = same && refusal["message"].toString().toStdString() + "\n" == single &&
                       batchText.substr(batchText.rfind('\t') + 1) + "\n" == single;
            }
            if (!same) ++differing;
        }
        state.counters["lines"] = static_cast<double>(Lines().size());
        state.counters["differing"] = static_cast<double>(differing);
        if (differing) state.SkipWithError("batch results differ from single calls");
    }
}
BENCHMARK(BM_BatchEqualsSingleCalls)->Iterations(1)->Unit(benchmark::kSecond);

// A batch as the program runs it: the results leave in pieces (here they
// are counted and dropped) instead of gathering in one text.
void RunAsTheProgram(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::size_t written = 0;
    tavr::cli::Streams streams{tavr::cli::ReaderOf(in),
                               [&written](const std::string& text, std::string&) {
                                   written += text.size();
                                   return true;
                               },
                               {}};
    std::string out;
    std::string err;
    benchmark::DoNotOptimize(tavr::cli::Run(args, streams, out, err));
    benchmark::DoNotOptimize(written);
}

void Batch(benchmark::State& state, bool json) {
    const std::string& input = Input();
    std::vector<std::string> args{"convert", "--batch"};
    if (json) args.push_back("--json");
    for (auto _ : state)
        RunAsTheProgram(args, input);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * Lines().size()));
}
void BM_BatchText(benchmark::State& state) {
    Batch(state, false);
}
void BM_BatchJson(benchmark::State& state) {
    Batch(state, true);
}
// Every day of 100,000 in a row (from 1858), the common case of a table.
void BM_BatchTextConsecutiveDays(benchmark::State& state) {
    std::string input;
    for (int day = 0; day < static_cast<int>(kLines); ++day)
        input += std::to_string(2400000 + day) + ".25 AJD\n";
    for (auto _ : state)
        RunAsTheProgram({"convert", "--batch"}, input);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kLines));
}
BENCHMARK(BM_BatchText)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BatchTextConsecutiveDays)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BatchJson)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
