// Every web address the program opens or shows, in one place: the home page,
// the user manual, one page per calendar, the date-format page and the two
// printing pages.
//
// The pages are the program's own HTML pages. By default they are the files
// installed with the program (the folder "docs" beside it, or
// ../share/doc/tavr/html from it); when the build names a published copy
// (TAVR_PUBLISHED_PAGES, an address ending in "/"), that copy is used instead.
#ifndef TAVR_WEBADDRESSES_H
#define TAVR_WEBADDRESSES_H

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#ifndef TAVR_PUBLISHED_PAGES
#define TAVR_PUBLISHED_PAGES ""
#endif

namespace tavr::web {

enum class Page {
    Home,
    Documentation,
    CommonEra,
    JulianCalendar,
    Sarvenes,
    Solilunar,
    Goddess,
    Triday,
    LunarWeek,
    JulianDays,
    DateFormats,
    LunarWeekPrinting,
    GoddessPrinting,
};
inline constexpr int kPageCount = 13;

// The published copy of the pages, or "" for the installed files.
inline constexpr std::string_view kPublishedPages = TAVR_PUBLISHED_PAGES;

// File name of a page within the pages' folder.
inline std::string_view PageFile(Page page) {
    constexpr std::array<std::string_view, kPageCount> kFiles = {
        "index.html",        "manual.html",       "calendar-ce.html",  "calendar-jc.html",
        "calendar-sar.html", "calendar-vr.html",  "calendar-tvg.html", "calendar-ldt.html",
        "calendar-qlw.html", "julian-dates.html", "date-formats.html", "print-qlw.html",
        "print-tvg.html",
    };
    const auto i = static_cast<std::size_t>(page);
    return i < kFiles.size() ? kFiles[i] : std::string_view{};
}

// The folders where the installed pages may lie, relative to the program's folder.
inline constexpr std::array<std::string_view, 2> kPageFolders = {"docs", "../share/doc/tavr/html"};

// The folder of the installed pages: the first of kPageFolders below
// `programFolder` that holds the manual; the first one when none does.
inline std::filesystem::path PagesFolder(const std::filesystem::path& programFolder) {
    for (std::string_view sub : kPageFolders) {
        const std::filesystem::path folder = programFolder / sub;
        std::error_code ec;
        if (std::filesystem::is_regular_file(folder / PageFile(Page::Documentation), ec))
            return folder.lexically_normal();
    }
    return (programFolder / kPageFolders[0]).lexically_normal();
}

// "file://" and the absolute path, with every byte other than letters,
// digits and "-._~/" written as %XX.
inline std::string FileAddress(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    if (ec) absolute = file;
    const std::string path = absolute.lexically_normal().generic_string();
    std::string out = "file://";
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// The address of a page for the program living in `programFolder`.
inline std::string Address(Page page, const std::filesystem::path& programFolder) {
    if (!kPublishedPages.empty()) return std::string(kPublishedPages) + std::string(PageFile(page));
    return FileAddress(PagesFolder(programFolder) / PageFile(page));
}

} // namespace tavr::web

#endif
