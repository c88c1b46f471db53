#include "cli/CliStreams.h"

#include <iostream>

namespace tavr::cli {

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

bool Send(Streams& streams, std::string& out, bool all) {
    if (!streams.writeFailure.empty()) {
        out.clear();
        return false;
    }
    if (!streams.write || out.empty() || (!all && out.size() < kSendAt)) return true;
    std::string reason;
    const bool written = streams.write(out, reason);
    out.clear();
    if (!written) streams.writeFailure = reason.empty() ? "unknown error" : reason;
    return written;
}

long ReadInput(Streams& streams, char* buffer, std::size_t size, std::string& reason) {
    if (streams.read) return streams.read(buffer, size, reason);
    return ReaderOf(std::cin)(buffer, size, reason);
}

} // namespace tavr::cli
