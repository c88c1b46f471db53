// Small string operations of the entry grammar and the calendar texts.
// Texts are 8-bit (Latin-1); positions are 1-based, 0 meaning "none";
// matching is exact and case-sensitive unless said otherwise.
#ifndef TAVR_STRPROC_H
#define TAVR_STRPROC_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavr::strproc {

// The text without every character that occurs in `set`, the rest in order.
std::string RemoveChars(std::string_view text, std::string_view set);
// The text with only the characters that occur in `set`, in order.
std::string KeepChars(std::string_view text, std::string_view set);
// RemoveChars(text, " ").
std::string RemoveSpaces(std::string_view text);
// The text without leading and trailing spaces.
std::string Trim(std::string_view text);

// Lower case of a Latin-1 text: A-Z, the accented capitals 0xC0..0xDE (not
// the multiplication sign 0xD7), S-caron 0x8A and Y-diaeresis 0x9F.
std::string LowerLatin1(std::string_view text);

// Number of non-overlapping occurrences of `sub`, scanning left to right and
// resuming after each match; 0 when either is empty. Without `caseSensitive`
// both are lower-cased first (LowerLatin1).
int32_t CountOccurrences(std::string_view text, std::string_view sub, bool caseSensitive);

// Check of an entered day count. The text is trimmed; it is valid when it is
// not empty, holds at least one digit, nothing but "0123456789-+,.", at most
// one ".", and at most one sign, standing as its first character. When valid,
// `text` becomes the trimmed text (without commas when `removeCommas`);
// otherwise `text` is unchanged.
bool ValidateDayCount(std::string& text, bool removeCommas);

// "st", "nd", "rd" after a last digit 1, 2, 3, "th" otherwise and for 11, 12
// and 13 (also 111, 212, ...); "" for a negative number.
std::string_view OrdinalSuffix(int64_t n);
// Digits plus suffix: 1 -> "1st", 12 -> "12th", 23 -> "23rd"; -4 -> "-4".
std::string Ordinal(int64_t n);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// "1 day, 2 hours and 3 minutes": whole days, hours and minutes of a count of
// minutes, each with its singular or plural word, joined by " and "; when more
// than one " and" results, the first becomes ",". Zero or less: "0 minutes".
std::string MinutesAsWords(int64_t minutes);

// The leading number of a text: leading spaces skipped, an optional sign,
// digits with at most one decimal point; reading stops at the first character
// that cannot continue the number. No number gives 0. Locale-independent.
double LeadingNumber(std::string_view text);

// Reads the decimal digits at `pos` as far as they go into `value` and moves
// `pos` past them: false without a digit there or beyond 32 bits.
bool ReadDigits(std::string_view text, std::size_t& pos, int64_t& value);

} // namespace tavr::strproc

#endif
