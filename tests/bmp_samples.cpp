// Writes every BMP file of the decoder tests into a folder, for the Wine tests to
// decode through both conversions.
//   bmp_samples <folder>
#include <cstdio>
#include <string>

#include "tests/bmp_test_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bmp_samples <folder>\n");
        return 2;
    }
    for (const NamedBmp& file : bmpTestFiles()) {
        const std::string path = std::string(argv[1]) + "/" + file.name;
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) {
            return 1;
        }
        const bool written =
            file.bytes.empty() ||
            std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
        if (std::fclose(out) != 0 || !written) {
            return 1;
        }
    }
    return 0;
}
