#include "cli/Json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace tavr::cli::json {

namespace {

constexpr double kLargestExactWhole = 9007199254740992.0; // 2^53

// Length of the well-formed UTF-8 sequence at `p` (at most `n` bytes), or 0.
std::size_t SequenceLength(const unsigned char* p, std::size_t n) {
    const unsigned char c = p[0];
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;  // no overlong forms
        if (c == 0xED) high = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (n < length) return 0;
    if (p[1] < low || p[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return length;
}

} // namespace

Value& Value::Insert(std::string_view key, Value value) {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == key) {
            items_[i] = std::move(value);
            return *this;
        }
    }
    keys_.emplace_back(key);
    items_.push_back(std::move(value));
    return *this;
}

Value& Value::Append(Value value) {
    items_.push_back(std::move(value));
    return *this;
}

std::string Value::Compact() const {
    std::string out;
    AppendTo(out);
    return out;
}

void Value::AppendTo(std::string& out) const {
    switch (kind_) {
    case Kind::Null:
        out += "null";
        break;
    case Kind::Bool:
        out += integer_ ? "true" : "false";
        break;
    case Kind::Integer:
        out += std::to_string(integer_);
        break;
    case Kind::Number:
        AppendNumber(out, number_);
        break;
    case Kind::String:
        AppendString(out, text_);
        break;
    case Kind::Array:
        out += '[';
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (i) out += ',';
            items_[i].AppendTo(out);
        }
        out += ']';
        break;
    case Kind::Object: {
        std::vector<std::size_t> order(keys_.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(),
                  [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
        out += '{';
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i) out += ',';
            AppendString(out, keys_[order[i]]);
            out += ':';
            items_[order[i]].AppendTo(out);
        }
        out += '}';
        break;
    }
    }
}

void AppendString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        // A run of bytes written as they are, in one piece.
        std::size_t plain = i;
        while (plain < n && p[plain] >= 0x20 && p[plain] < 0x80 && p[plain] != '"' && p[plain] != '\\')
            ++plain;
        if (plain > i) {
            out.append(text.data() + i, plain - i);
            i = plain;
            continue;
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
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
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        const std::size_t length = SequenceLength(p + i, n - i);
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD for this byte
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    double whole = 0.0;
    if (std::modf(value, &whole) == 0.0 && std::fabs(value) <= kLargestExactWhole) {
        out += std::to_string(static_cast<long long>(value));
        return;
    }
    // The shortest digits that read back exactly, and the place of the point.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string_view mantissa = text.substr(0, e);
    const int exponent = std::stoi(std::string(text.substr(e + 1)));
    const bool negative = !mantissa.empty() && mantissa[0] == '-';
    if (negative) mantissa.remove_prefix(1);
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits += c;
    const int count = static_cast<int>(digits.size());
    const int point = exponent + 1; // digits before the point

    // The decimal form when it is no longer than the exponent form.
    const int magnitude = exponent < 0 ? -exponent : exponent;
    const int exponentLength = count + (count > 1 ? 1 : 0) + 2 + (magnitude < 100 ? 2 : 3);
    const int decimalLength = point <= 0 ? 2 - point + count : point < count ? count + 1 : point;
    const bool decimal = decimalLength <= exponentLength;
    if (negative) out += '-';
    if (!decimal) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits, 1, std::string::npos);
        }
        out += exponent < 0 ? "e-" : "e+";
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-point), '0');
        out += digits;
    } else if (point < count) {
        out.append(digits, 0, static_cast<std::size_t>(point));
        out += '.';
        out.append(digits, static_cast<std::size_t>(point), std::string::npos);
    } else {
        out += digits;
        out.append(static_cast<std::size_t>(point - count), '0');
    }
}

} // namespace tavr::cli::json
