// A small JSON writer for the command line's output: values built in memory
// and written in compact form. The bytes are those readers of earlier
// versions saw: object keys sorted, whole numbers up to 2^53 without a
// fraction, other numbers in their shortest exact digits, written with a
// point or with an exponent of at least two digits, whichever is shorter,
// strings in UTF-8 with control characters escaped and every byte of
// malformed UTF-8 read as U+FFFD. (Unlike the toolkit's writer, a byte order
// mark at the start of a string is kept.)
#ifndef TAVR_CLI_JSON_H
#define TAVR_CLI_JSON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavr::cli::json {

class Value {
  public:
    enum class Kind { Null, Bool, Integer, Number, String, Array, Object };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool value) : kind_(Kind::Bool), integer_(value ? 1 : 0) {}
    Value(int value) : kind_(Kind::Integer), integer_(value) {}
    Value(long value) : kind_(Kind::Integer), integer_(value) {}
    Value(long long value) : kind_(Kind::Integer), integer_(value) {}
    Value(double value) : kind_(Kind::Number), number_(value) {}
    Value(std::string value) : kind_(Kind::String), text_(std::move(value)) {}
    Value(const char* value) : kind_(Kind::String), text_(value) {}

    static Value Array() { return Value(Kind::Array); }
    static Value Object() { return Value(Kind::Object); }

    bool IsNull() const { return kind_ == Kind::Null; }

    // Object: sets `key` (replacing an earlier value of it).
    Value& Insert(std::string_view key, Value value);
    // Array: adds `value` at the end.
    Value& Append(Value value);

    // The compact text, without a line end.
    std::string Compact() const;
    void AppendTo(std::string& out) const;

  private:
    explicit Value(Kind kind) : kind_(kind) {}

    Kind kind_ = Kind::Null;
    int64_t integer_ = 0;
    double number_ = 0.0;
    std::string text_;
    std::vector<std::string> keys_; // objects: the key of each item
    std::vector<Value> items_;
};

// An array written element by element at the end of `out` (which may be
// sent on and emptied in between): the bytes of an array Value's Compact.
class ArrayWriter {
  public:
    explicit ArrayWriter(std::string& out) : out_(out) { out_ += '['; }
    void Add(const Value& value) {
        if (count_++) out_ += ',';
        value.AppendTo(out_);
    }
    void End() { out_ += ']'; }

  private:
    std::string& out_;
    std::size_t count_ = 0;
};

// The parts of the writer, for output written directly.
void AppendString(std::string& out, std::string_view text);
void AppendNumber(std::string& out, double value);

} // namespace tavr::cli::json

#endif
