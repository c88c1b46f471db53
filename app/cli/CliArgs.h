// The options and words of a subcommand's arguments.
#ifndef TAVR_CLIARGS_H
#define TAVR_CLIARGS_H

#include <cstddef>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "session/Session.h"

namespace tavr::cli {

struct Arguments {
    std::map<std::string, std::string, std::less<>> values;
    std::vector<std::string> flags;
    std::vector<std::string> words;

    bool Has(std::string_view flag) const;
    // The value of `option`, or `fallback` when it was not given.
    std::string ValueOr(std::string_view option, std::string fallback) const;
};

// Reads args[first..] in order. "--name value" and "--name=value" give the
// options of `valued` their value (the next argument whatever it looks
// like), "--name" sets a switch of `switches`, "-h" is "--help"; "--" ends
// the options, and a text beginning with "-" and a digit or "." (a date
// such as "-3200-01-01 CE") is a word. An unknown option, a missing value,
// a value given twice or a value after a switch is refused with a message
// on `err` (control characters escaped); false then.
bool ReadArguments(const std::vector<std::string>& args, std::size_t first,
                   std::initializer_list<std::string_view> valued,
                   std::initializer_list<std::string_view> switches, Arguments& parsed, std::string& err);

// The current calendar (--calendar, default CE), the zone (--zone, default
// GMT) and the view (--greenwich) of the options into `state`, as the window
// would hold them; false with a message on `err` for an unknown calendar or
// zone.
bool StateOfOptions(const Arguments& a, session::State& state, std::string& err);

// ASCII letters in upper case (calendar codes).
std::string Upper(std::string text);

} // namespace tavr::cli

#endif
