// Writes the phase table built into the library to the file named by its
// argument, so that a test compares it with the generated file.
#include <cstdio>

#include "phase_table.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: halvor_table_dump FILE\n");
        return 2;
    }
    const std::string_view bytes = halvor_detail::EmbeddedTableBytes();
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) return 1;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok && !bytes.empty() ? 0 : 1;
}
