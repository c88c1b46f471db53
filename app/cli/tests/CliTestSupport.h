// What the command-line tests share: one in-process run with its status and
// both output streams (and a text as standard input), the lines of an
// output, and a JSON array read from it.
#ifndef TAVR_CLI_TEST_SUPPORT_H
#define TAVR_CLI_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace tavr::cli::testing {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome Call(const std::vector<std::string>& args) {
    Outcome outcome;
    outcome.status = Run(args, outcome.out, outcome.err);
    return outcome;
}

inline Outcome Call(const std::vector<std::string>& args, const std::string& input) {
    Outcome outcome;
    std::istringstream in(input);
    outcome.status = Run(args, in, outcome.out, outcome.err);
    return outcome;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

inline QJsonArray JsonArray(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    EXPECT_TRUE(document.isArray()) << text;
    return document.array();
}

} // namespace tavr::cli::testing

#endif
