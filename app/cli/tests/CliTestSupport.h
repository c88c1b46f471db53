// What the command-line tests share: one in-process run with its status and
// both output streams, and a JSON array read from the output.
#ifndef TAVR_CLI_TEST_SUPPORT_H
#define TAVR_CLI_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

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

inline QJsonArray JsonArray(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    EXPECT_TRUE(document.isArray()) << text;
    return document.array();
}

} // namespace tavr::cli::testing

#endif
