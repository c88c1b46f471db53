#include "log/LogEntry.h"

#include <string_view>

namespace tavr::log {

namespace {

// The calendars in the order of the calendar line, with their switches.
struct Item {
    int16_t calendar;
    int include;
    bool commaMarker; // CE and JC: the weekday follows the first ","
};
constexpr std::array<Item, 9> kItems = {{
    {session::kCE, session::kIncludeCE, true},
    {session::kJC, session::kIncludeJC, true},
    {session::kSAR, session::kIncludeSAR, false},
    {session::kVR, session::kIncludeVR, false},
    {session::kLDT, session::kIncludeLDT, false},
    {session::kTVG, session::kIncludeTVG, false},
    {session::kQLW, session::kIncludeQLWC, false},
    {session::kCJD, session::kIncludeCJD, false},
    {session::kAJD, session::kIncludeAJD, false},
}};

// 1-based position of the first `part` in `text`, 0 when absent.
size_t Pos(const std::string& text, std::string_view part) {
    const size_t at = text.find(part);
    return at == std::string::npos ? 0 : at + 1;
}

// Appends to the entry while the log has room.
class Writer {
  public:
    Writer(LogOutcome& out, size_t logLength, size_t capacity)
        : out_(out), logLength_(logLength), capacity_(capacity) {}
    bool Append(const std::string& text) {
        if (out_.failure != LogFailure::None) return false;
        if (logLength_ + out_.appended.size() + text.size() > capacity_) {
            out_.failure = LogFailure::Full;
            return false;
        }
        out_.appended += text;
        return true;
    }
    bool Fail(std::string description) {
        if (out_.failure == LogFailure::None) {
            out_.failure = LogFailure::Error;
            out_.errorText = std::move(description);
        }
        return false;
    }
    bool Ok() const { return out_.failure == LogFailure::None; }

  private:
    LogOutcome& out_;
    size_t logLength_;
    size_t capacity_;
};

std::string Missing(std::string_view marker, std::string_view code, const std::string& text) {
    return "The " + std::string(code) + " text \"" + text + "\" holds no \"" + std::string(marker) + "\".";
}

// The calendar line; false when the entry stopped.
bool CalendarLine(Writer& w, const LogSettings& settings, const LogSource& source, bool& atLineStart) {
    for (const Item& item : kItems) {
        if (!settings.include[static_cast<size_t>(item.include)]) continue;
        if (item.calendar == settings.currentCalendar) continue;
        const std::string code(session::CalendarCode(item.calendar));
        const std::string& s = source.values[static_cast<size_t>(item.calendar)];
        std::string text;
        if (settings.format == kFormatDateCalendar) {
            if (item.calendar == session::kCJD || item.calendar == session::kAJD) {
                text = s;
            } else {
                // The date and its code; the long form in parentheses is dropped.
                const size_t p = Pos(s, "(");
                if (p < 2) return w.Fail(Missing("(", code, s));
                text = s.substr(0, p - 2);
            }
            if (!atLineStart) text = ", " + text;
        } else {
            const size_t p = Pos(s, code);
            if (p < 2) return w.Fail(Missing(code, code, s));
            text = code + "=" + s.substr(0, p - 2) + "  ";
        }
        if (!w.Append(text)) return false;
        atLineStart = false;
    }
    return true;
}

bool MoonLine(Writer& w, const LogSettings& settings, const LogSource& source, bool& atLineStart) {
    const bool phase = settings.include[session::kIncludePhaseOfMoonAndIllumination];
    const bool age = settings.include[session::kIncludeLunationAndAgeOfMoon];
    const std::string& s = source.phaseText;
    const size_t p = Pos(s, ",");
    if (phase) {
        if (p < 1) return w.Fail(Missing(",", "phase", s));
        if (!w.Append(s.substr(0, p - 1) + ", illum. = " + s.substr(p))) return false;
        atLineStart = false;
    }
    if (age) {
        if (!w.Append((atLineStart ? "Lunation and age = " : ", lunat. and age = ") + source.ageText))
            return false;
    }
    if (phase || age) return w.Append(std::string(".") + kLineEnd);
    return true;
}

} // namespace

LogSource SourceOf(const session::Tail& tail) {
    LogSource source;
    for (size_t i = 0; i < source.values.size(); ++i)
        source.values[i] = tail.display.rows[i].value;
    source.phaseText = tail.moon.phaseLabel;
    source.ageText = tail.moon.ageLabel;
    return source;
}

LogSettings SettingsOf(const session::State& state) {
    LogSettings settings;
    settings.format = state.logFormat;
    settings.include = state.logInclude;
    settings.currentCalendar = state.currentCalendar;
    return settings;
}

std::string LogHeader(const std::string& caption, const std::string& documentationAddress) {
    return caption + kLineEnd + documentationAddress + kLineEnd + kLineEnd;
}

session::Message LogFullQuestion() {
    return {"", "Log is full.  Clear log?", session::Icon::Question, session::Buttons::YesNo};
}

LogOutcome ComposeEntry(const std::string& heading, const std::string& action, const std::string& extra,
                        const LogSettings& settings, const LogSource& source, size_t logLength,
                        size_t capacity) {
    LogOutcome out;
    out.written = true;
    Writer w(out, logLength, capacity);
    bool atLineStart = true;
    if (!w.Append(action + kLineEnd + heading + kLineEnd)) return out;
    if (!CalendarLine(w, settings, source, atLineStart)) return out;
    if (!atLineStart && !w.Append(kLineEnd)) return out;
    atLineStart = true;
    if (!MoonLine(w, settings, source, atLineStart)) return out;
    if (!extra.empty() && !w.Append(extra + kLineEnd)) return out;
    w.Append(kLineEnd);
    return out;
}

LogOutcome AddLogEntry(PendingLogEntry& pending, bool logAll, const std::string& heading,
                       const std::string& action, const std::string& extra, const LogSettings& settings,
                       const LogSource& source, size_t logLength, const std::string& header,
                       size_t capacity) {
    LogOutcome out;
    if (!logAll) {
        pending = {heading, action, extra};
        out.stored = true;
        return out;
    }
    if (heading.empty()) return out;
    pending = {};
    std::string start;
    if (logLength == 0) {
        if (header.size() > capacity) {
            out.written = true;
            out.failure = LogFailure::Full;
            return out;
        }
        start = header;
    }
    out = ComposeEntry(heading, action, extra, settings, source, logLength + start.size(), capacity);
    out.appended = start + out.appended;
    return out;
}

} // namespace tavr::log
