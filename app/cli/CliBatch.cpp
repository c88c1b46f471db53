#include "cli/CliBatch.h"

#include <cstring>
#include <set>

#include "cli/Cli.h"
#include "cli/CliStreams.h"
#include "cli/Json.h"

namespace tavr::cli {

namespace {

constexpr size_t kReadChunk = 64 * 1024;

// The status of a single convert for its result (see Run).
int StatusOf(const session::ActionResult& result) {
    const int status = ExitStatusOf(result.kind);
    return status != kExitShown ? status : result.tail ? kExitShown : kExitRefused;
}

// A field of the text form: tabs and line breaks would split the result.
void AppendField(std::string& out, const std::string& text) {
    out += '\t';
    const std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == '\t' || out[i] == '\n' || out[i] == '\r') out[i] = ' ';
}

// The JSON of a single convert, written directly: the bytes of
// ResultObject's compact form (keys sorted) without building the object.
using json::AppendNumber;
using json::AppendString;

void AppendJsonOutput(std::string& out, const session::ActionResult& result) {
    const session::Tail& tail = *result.tail;
    // Keys sorted, as the object writes them.
    out += "{\"age\":";
    AppendString(out, tail.moon.ageLabel);
    out += ",\"ajd\":";
    AppendNumber(out, result.state.dblCurrentAJDate);
    out += ",\"calendar\":";
    AppendString(out, std::string(session::CalendarCode(result.state.currentCalendar)));
    out += ",\"cjd\":";
    AppendNumber(out, tail.display.cjd);
    out += ",\"deltaT\":";
    AppendString(out, tail.deltaTWords);
    out += ",\"history\":";
    AppendString(out, result.historyText);
    out += ",\"phase\":";
    AppendString(out, tail.moon.phaseLabel);
    out += ",\"rows\":{";
    static constexpr int16_t kSorted[] = {session::kAJD, session::kCE,  session::kCJD,
                                          session::kJC,  session::kLDT, session::kQLW,
                                          session::kSAR, session::kTVG, session::kVR};
    bool first = true;
    for (int16_t index : kSorted) {
        if (!first) out += ',';
        first = false;
        const session::Row& row = tail.display.rows[index];
        out += '"';
        out += session::CalendarCode(index);
        out += "\":{\"tooltip\":";
        AppendString(out, row.toolTip);
        out += ",\"value\":";
        AppendString(out, row.value);
        out += '}';
    }
    out += "},\"time\":";
    AppendString(out, tail.timeLabel);
    out += "}\n";
}

void AppendRefusal(std::string& out, bool json, int status, int code, const std::string& message) {
    if (json) {
        out += "{\"code\":" + std::to_string(code) + ",\"message\":";
        AppendString(out, message);
        out += ",\"status\":" + std::to_string(status) + "}\n";
    } else {
        out += std::to_string(status) + '\t' + std::to_string(code);
        AppendField(out, message);
        out += '\n';
    }
}

class Batch {
  public:
    Batch(const session::State& start, bool json, Streams& streams, std::string& out, std::string& err)
        : start_(start), json_(json), streams_(streams), out_(out), err_(err) {}

    // False once the output could not be written.
    bool Line(const std::string& line) {
        session::State state = start_;
        state.entryText = line;
        const session::ActionResult result = session::Convert(state);
        const int status = StatusOf(result);
        if (status != kExitShown) {
            const std::string message =
                result.message ? result.message->title + ": " + result.message->text : std::string();
            return Refuse(status, result.errorCode, message);
        }
        const moon::MoonReport& moon = result.tail->moon;
        if (moon.error) Report(moon.errorTitle + ": " + moon.errorText);
        if (json_) {
            AppendJsonOutput(out_, result);
        } else {
            const session::Tail& tail = *result.tail;
            out_ += '0';
            AppendField(out_, result.historyText);
            for (int16_t index : session::kWindowOrder)
                AppendField(out_, tail.display.rows[index].value);
            AppendField(out_, tail.timeLabel);
            AppendField(out_, tail.moon.phaseLabel);
            AppendField(out_, tail.moon.ageLabel);
            AppendField(out_, tail.deltaTWords);
            out_ += '\n';
        }
        return Send(streams_, out_);
    }

    bool Refuse(int status, int code, const std::string& message) {
        if (firstStatus_ == kExitShown) firstStatus_ = status;
        AppendRefusal(out_, json_, status, code, message);
        return Send(streams_, out_);
    }

    int Status() const { return firstStatus_; }

  private:
    // A message that concerns the whole batch (the Moon data) goes to
    // standard error once, not once a line.
    void Report(const std::string& message) {
        if (reported_.insert(message).second) err_ += message + "\n";
    }

    const session::State& start_;
    const bool json_;
    Streams& streams_;
    std::string& out_;
    std::string& err_;
    int firstStatus_ = kExitShown;
    std::set<std::string> reported_;
};

} // namespace

int RunBatch(const session::State& start, bool json, Streams& streams, std::string& out, std::string& err) {
    Batch batch(start, json, streams, out, err);

    // Lines end at "\n" (a "\r" before it is dropped and does not count
    // towards the length); a last line without one counts too. A line longer
    // than kBatchLineMax is refused whole. While a line is gathered one byte
    // more than the limit is kept, for a "\r" that a "\n" may still follow.
    std::string line;
    bool tooLong = false;
    size_t lineNumber = 0;
    auto finish = [&] {
        ++lineNumber;
        if (!tooLong && !line.empty() && line.back() == '\r') line.pop_back();
        const bool shown =
            tooLong || line.size() > kBatchLineMax
                ? batch.Refuse(kExitRefused, 0,
                               "tavr180: line " + std::to_string(lineNumber) + " is longer than " +
                                   std::to_string(kBatchLineMax) + " bytes")
                : batch.Line(line);
        line.clear();
        tooLong = false;
        return shown;
    };
    std::string chunk(kReadChunk, '\0');
    bool pending = false; // a line has begun
    for (;;) {
        std::string reason;
        const long n = ReadInput(streams, chunk.data(), chunk.size(), reason);
        if (n < 0) {
            // A line begun before the failure may be cut: it is not converted.
            err += "tavr180: standard input could not be read (" + reason + ")\n";
            return kExitRead;
        }
        if (n == 0) break;
        const char* p = chunk.data();
        const char* end = p + n;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            const char* stop = nl ? nl : end;
            if (!tooLong) {
                if (line.size() + static_cast<size_t>(stop - p) > kBatchLineMax + 1) {
                    tooLong = true;
                    line.clear();
                } else {
                    line.append(p, stop);
                }
            }
            pending = true;
            if (!nl) break;
            pending = false;
            if (!finish()) return batch.Status();
            p = nl + 1;
        }
    }
    if (pending) finish();
    return batch.Status();
}

} // namespace tavr::cli
