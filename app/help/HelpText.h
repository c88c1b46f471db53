// The texts of the help and credits windows (no widgets).
#ifndef TAVR_HELPTEXT_H
#define TAVR_HELPTEXT_H

#include <filesystem>
#include <string>

namespace tavr::help {

inline constexpr const char* kHelpTitle = "Help screen for Tavrine";
inline constexpr const char* kCreditsTitle = "Credits";
inline constexpr int kHelpParagraphs = 17;

// The help text: seventeen paragraphs, each ended by two carriage return +
// line feed pairs, with the addresses of the pages of the program living in
// `programFolder`.
std::string HelpText(const std::filesystem::path& programFolder);

// The credits text: paragraphs separated by an empty line (CR LF line ends).
std::string CreditsText();

} // namespace tavr::help

#endif
