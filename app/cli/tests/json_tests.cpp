// The command line's JSON writer against the toolkit's JSON writer, whose
// bytes earlier versions printed: numbers of every magnitude, strings with
// control characters and malformed UTF-8, nested objects with unsorted keys.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "cli/Json.h"

namespace json = tavr::cli::json;

namespace {

std::string Reference(const QJsonArray& array) {
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

std::string OfNumber(double value) {
    return json::Value::Array().Append(value).Compact();
}

std::string OfString(const std::string& text) {
    return json::Value::Array().Append(text).Compact();
}

TEST(JsonWriter, NumbersAsTheToolkitWritesThem) {
    const double table[] = {0.0,
                            -0.0,
                            0.1,
                            1e-4,
                            1e-3,
                            1e-5,
                            2400000.0,
                            2451545.5,
                            1e15,
                            1e16,
                            9007199254740992.0,
                            9007199254740994.0,
                            1e20,
                            1.5e20,
                            1e300,
                            5e-324,
                            -2451545.123456789,
                            12345678901234567890.0,
                            123456789012.5,
                            1e10,
                            1.25e10,
                            123.0,
                            -7.0,
                            std::numeric_limits<double>::max()};
    for (double value : table)
        EXPECT_EQ(OfNumber(value), Reference(QJsonArray{value})) << value;
    EXPECT_EQ(OfNumber(std::nan("")), "[null]");
    EXPECT_EQ(OfNumber(HUGE_VAL), "[null]");

    // Random bit patterns and random values around the magnitudes printed.
    std::mt19937_64 random(20261208);
    int differences = 0;
    for (int i = 0; i < 200000 && differences < 5; ++i) {
        double value = std::bit_cast<double>(random());
        if (i % 2)
            value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 100);
        if (!std::isfinite(value)) continue;
        const std::string mine = OfNumber(value);
        const std::string theirs = Reference(QJsonArray{value});
        if (mine != theirs) {
            ++differences;
            ADD_FAILURE() << "mine " << mine << " theirs " << theirs;
        }
    }
}

TEST(JsonWriter, StringsAsTheToolkitWritesThem) {
    const std::string table[] = {
        "",
        "plain \"quoted\" back\\slash /",
        std::string("\x01\x1f\x7f\b\f\n\r\t", 9) + std::string(1, '\0'),
        "\xc3\xa9 \xe2\x80\xa8 \xf0\x9f\x8c\x95",      // well formed
        "\xff \xc0\x80 \xed\xa0\x80 \xf4\x90\x80\x80", // never UTF-8
        "\xe2\x82 \xf0\x9f\x8c \xc3",                  // cut short
    };
    for (const std::string& text : table)
        EXPECT_EQ(OfString(text), Reference(QJsonArray{QString::fromStdString(text)})) << text;

    std::mt19937 random(8);
    const char pieces[] = "a\"\\\x01\x7f\x80\xbf\xc2\xc3\xa9\xe0\xa0\xed\x9f\xf0\x90\xf4\x8f\xff";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = static_cast<int>(random() % 12); n > 0; --n)
            text += pieces[random() % (sizeof pieces - 1)];
        ASSERT_EQ(OfString(text), Reference(QJsonArray{QString::fromStdString(text)})) << text;
    }
}

TEST(JsonWriter, ObjectsSortTheirKeysAndNest) {
    json::Value inner = json::Value::Object();
    inner.Insert("value", "x").Insert("tooltip", "y");
    json::Value object = json::Value::Object();
    object.Insert("time", "12:00").Insert("ajd", 2451545.0).Insert("rows", inner).Insert("none", nullptr);
    object.Insert("flag", true)
        .Insert("count", 7)
        .Insert("list", json::Value::Array().Append(1).Append(false));
    object.Insert("time", "13:00"); // replaces

    QJsonObject qinner{{"value", "x"}, {"tooltip", "y"}};
    QJsonObject qobject{{"time", "13:00"},
                        {"ajd", 2451545.0},
                        {"rows", qinner},
                        {"none", QJsonValue()},
                        {"flag", true},
                        {"count", 7},
                        {"list", QJsonArray{1, false}}};
    EXPECT_EQ(object.Compact(), QJsonDocument(qobject).toJson(QJsonDocument::Compact).toStdString());
}

} // namespace

// An array written element by element has the bytes of the array built whole.
TEST(JsonWriter, ArrayWrittenElementByElement) {
    for (int count : {0, 1, 3}) {
        json::Value whole = json::Value::Array();
        std::string out = "x";
        json::ArrayWriter writer(out);
        for (int i = 0; i < count; ++i) {
            json::Value element = json::Value::Object();
            element.Insert("b", i).Insert("a", std::string("t") + std::to_string(i));
            whole.Append(element);
            writer.Add(element);
        }
        writer.End();
        EXPECT_EQ(out, "x" + whole.Compact());
    }
}
