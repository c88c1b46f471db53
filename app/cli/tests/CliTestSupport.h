// What the command-line tests share: one in-process run with its status and
// both output streams (and a text as standard input), a run that sends its
// output on in pieces as the program does, the lines of an output, and a
// JSON array read from it.
#ifndef TAVR_CLI_TEST_SUPPORT_H
#define TAVR_CLI_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliStreams.h"

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

// The pieces of output sent on, the first `failing` of which are written,
// the writer failing from then on.
struct SentOutcome {
    int status;
    std::vector<std::string> pieces;
    std::size_t calls = 0;
    std::string err;
    std::string all() const {
        std::string text;
        for (const std::string& piece : pieces)
            text += piece;
        return text;
    }
};

inline SentOutcome CallSending(const std::vector<std::string>& args, const std::string& input = {},
                               std::size_t failing = static_cast<std::size_t>(-1)) {
    SentOutcome outcome;
    std::istringstream in(input);
    Streams streams{ReaderOf(in),
                    [&outcome, failing](const std::string& text, std::string& reason) {
                        if (outcome.calls++ >= failing) {
                            reason = "Test failure";
                            return false;
                        }
                        outcome.pieces.push_back(text);
                        return true;
                    },
                    {}};
    std::string out;
    outcome.status = Run(args, streams, out, outcome.err);
    EXPECT_EQ(out, "") << "output kept though a writer was set";
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
