#include "cli/CliArgs.h"

#include <algorithm>

#include "cli/Cli.h"
#include "session/TimeZone.h"

namespace tavr::cli {

namespace {

constexpr const char* kTryHelp = " (try tavr180 --help)\n";

bool Contains(std::initializer_list<std::string_view> list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

bool LooksLikeDate(const std::string& a) {
    return a.size() >= 2 && a[0] == '-' && ((a[1] >= '0' && a[1] <= '9') || a[1] == '.');
}

} // namespace

bool Arguments::Has(std::string_view flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::string Arguments::ValueOr(std::string_view option, std::string fallback) const {
    const auto found = values.find(option);
    return found == values.end() ? fallback : found->second;
}

bool ReadArguments(const std::vector<std::string>& args, std::size_t first,
                   std::initializer_list<std::string_view> valued,
                   std::initializer_list<std::string_view> switches, Arguments& parsed, std::string& err) {
    bool endOfOptions = false;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (endOfOptions || LooksLikeDate(a) || a.size() < 2 || a[0] != '-') {
            parsed.words.push_back(a);
            continue;
        }
        if (a == "--") {
            endOfOptions = true;
            continue;
        }
        std::string name = a == "-h" ? std::string("--help") : a;
        std::string value;
        bool inline_value = false;
        if (const std::size_t equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            inline_value = true;
        }
        if (name.rfind("--", 0) == 0 && Contains(valued, name)) {
            if (!inline_value) {
                if (i + 1 >= args.size()) {
                    err += "tavr180: Missing value after '" + Escaped(a) + "'." + kTryHelp;
                    return false;
                }
                value = args[++i];
            }
            if (parsed.values.count(name) != 0) {
                err += "tavr180: " + name + " given more than once\n";
                return false;
            }
            parsed.values.emplace(name, value);
        } else if (name.rfind("--", 0) == 0 && Contains(switches, name)) {
            if (inline_value) {
                err += "tavr180: Unexpected value after '" + Escaped(name) + "'." + kTryHelp;
                return false;
            }
            parsed.flags.push_back(name);
        } else {
            err += "tavr180: Unknown option '" + Escaped(a) + "'." + kTryHelp;
            return false;
        }
    }
    return true;
}

bool StateOfOptions(const Arguments& a, session::State& state, std::string& err) {
    const std::string calendar = a.ValueOr("--calendar", "CE");
    state.currentCalendar = CalendarIndexOf(Upper(calendar));
    if (state.currentCalendar < 0) {
        err += "tavr180: unknown calendar \"" + Escaped(calendar) +
               "\" (one of CE, JC, SAR, VR, LDT, TVG, CJD, AJD, QLW)\n";
        return false;
    }
    const std::string zoneText = a.ValueOr("--zone", "GMT");
    const std::optional<int> zone = timezone::ParseZoneArgument(zoneText);
    if (!zone) {
        err += "tavr180: unknown zone \"" + Escaped(zoneText) +
               "\" (e.g. \"GMT + 05:30\" or +05:30, half hours from -12:00 to +12:00)\n";
        return false;
    }
    state.zoneIndex = *zone;
    state.zoneOffset = session::ZoneMinutes(state);
    state.view = a.Has("--greenwich") ? session::View::Greenwich : session::View::Local;
    return true;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace tavr::cli
