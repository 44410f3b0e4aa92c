// Writes the hostile JPEG files of the texture tests:
//   hostile_jpeg <out> declared <baseline|progressive|one-component-scans> <width> <height>
//     a 16 x 16 picture whose frame header then declares width x height;
//   hostile_jpeg <out> scans <count> <side>
//     a side x side progressive picture followed by empty scans up to count.
#include "tests/hostile_jpeg.h"

int main(int argc, char** argv) {
    if (argc != 6 && argc != 5) {
        std::fprintf(stderr,
                     "usage: hostile_jpeg <out> declared <mode> <width> <height>\n"
                     "       hostile_jpeg <out> scans <count> <side>\n");
        return 2;
    }
    const std::string kind = argv[2];
    std::vector<unsigned char> bytes;
    if (kind == "declared" && argc == 6) {
        bytes = compressPicture(16, argv[3]);
        if (!declareSize(bytes, static_cast<unsigned>(std::atoi(argv[4])),
                         static_cast<unsigned>(std::atoi(argv[5])))) {
            return 1;
        }
    } else if (kind == "scans" && argc == 5) {
        bytes = manyScans(std::atol(argv[3]), std::atoi(argv[4]));
    } else {
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 1;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
