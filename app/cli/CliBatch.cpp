#include "cli/CliBatch.h"

#include <cstring>
#include <iostream>
#include <set>
#include <streambuf>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QString>

#include <cmath>

#include "cli/Cli.h"

namespace tavr::cli {

namespace {

BatchStreams& Current() {
    thread_local BatchStreams streams;
    return streams;
}

constexpr size_t kFlushAt = 64 * 1024;
constexpr size_t kReadChunk = 64 * 1024;

// The status of a single convert for its result (see Run).
int StatusOf(const session::ActionResult& result) {
    switch (result.kind) {
    case session::ResultKind::Refused:
        return kExitRefused;
    case session::ResultKind::OutOfRange:
        return kExitOutOfRange;
    case session::ResultKind::Done:
    case session::ResultKind::Unchanged:
        break;
    }
    return result.tail ? kExitShown : kExitRefused;
}

// A field of the text form: tabs and line breaks would split the result.
void AppendField(std::string& out, const std::string& text) {
    out += '\t';
    for (char c : text)
        out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
}

// The JSON of a single convert, written directly: the same bytes as
// QJsonDocument's compact form (keys in order, numbers in their shortest
// form, strings escaped alike) at a fraction of the cost.
void AppendJsonString(std::string& out, const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            // Rare: let the toolkit read the UTF-8 as it does for a single call.
            const QByteArray array =
                QJsonDocument(QJsonArray{QString::fromStdString(text)}).toJson(QJsonDocument::Compact);
            out.append(array.constData() + 1, static_cast<size_t>(array.size()) - 2);
            return;
        }
    }
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
    double whole = 0.0;
    if (!std::isfinite(value)) {
        out += "null";
    } else if (std::modf(value, &whole) == 0.0 && std::fabs(value) <= 9007199254740992.0) {
        out += std::to_string(static_cast<long long>(value));
    } else {
        out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
    }
}

void AppendJsonOutput(std::string& out, const session::ActionResult& result) {
    const session::Tail& tail = *result.tail;
    // Keys in the order QJsonObject keeps them (sorted).
    out += "{\"age\":";
    AppendJsonString(out, tail.moon.ageLabel);
    out += ",\"ajd\":";
    AppendJsonNumber(out, result.state.dblCurrentAJDate);
    out += ",\"calendar\":";
    AppendJsonString(out, std::string(session::CalendarCode(result.state.currentCalendar)));
    out += ",\"cjd\":";
    AppendJsonNumber(out, tail.display.cjd);
    out += ",\"deltaT\":";
    AppendJsonString(out, tail.deltaTWords);
    out += ",\"history\":";
    AppendJsonString(out, result.historyText);
    out += ",\"phase\":";
    AppendJsonString(out, tail.moon.phaseLabel);
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
        AppendJsonString(out, row.toolTip);
        out += ",\"value\":";
        AppendJsonString(out, row.value);
        out += '}';
    }
    out += "},\"time\":";
    AppendJsonString(out, tail.timeLabel);
    out += "}\n";
}

void AppendRefusal(std::string& out, bool json, int status, int code, const std::string& message) {
    if (json) {
        out += "{\"code\":" + std::to_string(code) + ",\"message\":";
        AppendJsonString(out, message);
        out += ",\"status\":" + std::to_string(status) + "}\n";
    } else {
        out += std::to_string(status) + '\t' + std::to_string(code);
        AppendField(out, message);
        out += '\n';
    }
}

class Batch {
  public:
    Batch(const session::State& start, bool json, std::string& out, std::string& err)
        : start_(start), json_(json), out_(out), err_(err) {}

    void Line(const std::string& line) {
        session::State state = start_;
        state.entryText = line;
        const session::ActionResult result = session::Convert(state);
        const int status = StatusOf(result);
        if (status != kExitShown) {
            const std::string message =
                result.message ? result.message->title + ": " + result.message->text : std::string();
            Refuse(status, result.errorCode, message);
            return;
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
        Flush();
    }

    void Refuse(int status, int code, const std::string& message) {
        if (firstStatus_ == kExitShown) firstStatus_ = status;
        AppendRefusal(out_, json_, status, code, message);
        Flush();
    }

    int Status() const { return firstStatus_; }

  private:
    // A message that concerns the whole batch (the Moon data) goes to
    // standard error once, not once a line.
    void Report(const std::string& message) {
        if (reported_.insert(message).second) err_ += message + "\n";
    }

    void Flush() {
        const BatchStreams& streams = Current();
        if (streams.flush && out_.size() >= kFlushAt) streams.flush(out_);
    }

    const session::State& start_;
    const bool json_;
    std::string& out_;
    std::string& err_;
    int firstStatus_ = kExitShown;
    std::set<std::string> reported_;
};

} // namespace

BatchStreamsScope::BatchStreamsScope(BatchStreams streams) : previous_(std::move(Current())) {
    Current() = std::move(streams);
}

BatchStreamsScope::~BatchStreamsScope() {
    Current() = std::move(previous_);
}

int RunBatch(const session::State& start, bool json, std::string& out, std::string& err) {
    std::istream& in = Current().in ? *Current().in : std::cin;
    std::streambuf* source = in.rdbuf();
    Batch batch(start, json, out, err);

    // Lines end at "\n" (a "\r" before it is dropped); a last line without
    // one counts too. A line longer than kBatchLineMax is refused whole.
    std::string line;
    bool tooLong = false;
    size_t lineNumber = 0;
    auto finish = [&] {
        ++lineNumber;
        if (tooLong) {
            batch.Refuse(kExitRefused, 0,
                         "tavr180: line " + std::to_string(lineNumber) + " is longer than " +
                             std::to_string(kBatchLineMax) + " bytes");
        } else {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            batch.Line(line);
        }
        line.clear();
        tooLong = false;
    };
    std::string chunk(kReadChunk, '\0');
    bool pending = false; // a line has begun
    for (;;) {
        const std::streamsize n =
            source ? source->sgetn(chunk.data(), static_cast<std::streamsize>(chunk.size())) : 0;
        if (n <= 0) break;
        const char* p = chunk.data();
        const char* end = p + n;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            const char* stop = nl ? nl : end;
            if (!tooLong) {
                if (line.size() + static_cast<size_t>(stop - p) > kBatchLineMax) {
                    tooLong = true;
                    line.clear();
                } else {
                    line.append(p, stop);
                }
            }
            pending = true;
            if (!nl) break;
            finish();
            pending = false;
            p = nl + 1;
        }
    }
    if (pending) finish();
    if (Current().flush) Current().flush(out);
    return batch.Status();
}

} // namespace tavr::cli
