#include "cli/CliStreams.h"

#include <iostream>

namespace tavr::cli {

namespace {

struct Current {
    Streams streams;
    std::string writeFailure;
};

Current& Now() {
    thread_local Current current;
    return current;
}

} // namespace

StreamsScope::StreamsScope(Streams streams)
    : previous_(std::move(Now().streams)), previousFailure_(std::move(Now().writeFailure)) {
    Now().streams = std::move(streams);
    Now().writeFailure.clear();
}

StreamsScope::~StreamsScope() {
    Now().streams = std::move(previous_);
    Now().writeFailure = std::move(previousFailure_);
}

std::function<long(char*, std::size_t, std::string&)> ReaderOf(std::istream& in) {
    return [&in](char* buffer, std::size_t size, std::string& reason) -> long {
        std::streambuf* source = in.rdbuf();
        const std::streamsize n = source ? source->sgetn(buffer, static_cast<std::streamsize>(size)) : 0;
        if (n <= 0 && in.bad()) {
            reason = "the stream went bad";
            return -1;
        }
        return static_cast<long>(n);
    };
}

bool Send(std::string& out, bool all) {
    Current& current = Now();
    if (!current.writeFailure.empty()) {
        out.clear();
        return false;
    }
    if (!current.streams.write || out.empty() || (!all && out.size() < kSendAt)) return true;
    std::string reason;
    const bool written = current.streams.write(out, reason);
    out.clear();
    if (!written) current.writeFailure = reason.empty() ? "unknown error" : reason;
    return written;
}

long ReadInput(char* buffer, std::size_t size, std::string& reason) {
    if (Now().streams.read) return Now().streams.read(buffer, size, reason);
    return ReaderOf(std::cin)(buffer, size, reason);
}

const std::string& WriteFailure() {
    return Now().writeFailure;
}

} // namespace tavr::cli
