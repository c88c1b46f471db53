// Loads the program's shared libraries by name at their first use and binds
// their exports. Every binding of the program (date, astronomy, solilunar and
// triday libraries) goes through here, so that a missing library or export is
// reported once, with its name, and never crashes the program.
#ifndef TAVR_LIBLOADER_H
#define TAVR_LIBLOADER_H

#include <functional>
#include <string>

namespace tavr {

// File name of a library on this platform: "vrslc" -> "libvrslc.so" / "vrslc.dll".
std::string LibraryFileName(const std::string& name);

// Name under which the platform exports a function with `argBytes` bytes of
// arguments: "_name@N" on 32-bit Windows (stdcall), the plain name elsewhere.
std::string ExportSymbolName(const std::string& name, int argBytes);

// Folder searched first for libraries. Defaults to the environment variable
// TAVR_LIBDIR when set, else the folder of the running program.
void SetLibraryDirectory(const std::string& dir);
std::string LibraryDirectory();

// Receives the message for a library or export that cannot be bound. Called at
// most once per library and export, outside the loader's lock (so it may bind
// exports itself). The default writes to standard error.
using LoadErrorReporter = std::function<void(const std::string& message)>;
void SetLoadErrorReporter(LoadErrorReporter reporter);

// Address of export `name` of library `library`, or nullptr (reported once).
void* BindExport(const std::string& library, const std::string& name, int argBytes);

// Typed form: auto f = BindFunction<decltype(&jdn_to_vrslcdate)>("vrslc", "jdn_to_vrslcdate", 4);
template <typename Fn> Fn BindFunction(const std::string& library, const std::string& name, int argBytes) {
    return reinterpret_cast<Fn>(BindExport(library, name, argBytes));
}

// Forgets the reports made so far (tests).
void ResetLoadReports();

} // namespace tavr

#endif
