// What differs between Windows and the POSIX systems, in one place: the
// program's own folder, binary standard streams, starting another program,
// the calendar time in UTC, the environment, loading a shared library by its
// full path and the user's application-data folder. Everything above calls
// these instead of the system's own functions.
#ifndef TAVR_PLATFORM_H
#define TAVR_PLATFORM_H

#include <ctime>
#include <string>
#include <vector>

namespace tavr::platform {

// Folder of the running program after every link is resolved, without a
// trailing separator; `argv0` is the fallback where the system cannot tell.
// Empty when neither gives one.
std::string ProgramFolder(const char* argv0 = nullptr);

// File name of a program: "name.exe" on Windows, the name elsewhere.
std::string ProgramFileName(const std::string& name);

// Standard input, output and error pass bytes unchanged (Windows translates
// LF into CR LF in text mode); nothing elsewhere.
void UseBinaryStandardStreams();

// Runs the program at `path` with `args` (args[0] its name) in place of this
// one: on POSIX it replaces the process and returns only on failure (-1); on
// Windows it waits for the program and returns its exit status (-1 when it
// could not start). `error` tells why it failed.
int RunInstead(const std::string& path, const std::vector<std::string>& args, std::string& error);

// One argument quoted for a Windows command line, so that the started
// program's argument parser gives back exactly `arg` (spaces, tabs, quotes and
// the backslashes before them).
std::string QuoteWindowsArgument(const std::string& arg);

// UTC fields of a calendar time; false when the system cannot give them.
bool UtcTime(std::time_t t, std::tm* out);

// Sets or removes an environment variable of this process (TZ among them).
void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// Loads the shared library `file`; nullptr with `error` on failure. On
// Windows the name is made a full path first, so that the system never
// searches other folders (the current one, PATH) for it.
void* OpenLibraryFile(const std::string& file, std::string& error);
void* LibrarySymbol(void* handle, const std::string& symbol);

// Windows: the user's roaming application-data folder, or when the system
// gives none the root of the first fixed drive from C: to Z: ("C:\"); empty
// when there is neither. Elsewhere empty (the window keeps its own choice).
std::string ApplicationDataFolder();

} // namespace tavr::platform

#endif
