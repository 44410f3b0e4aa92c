// Decodes one JPEG file with the game's decoder and prints how long it took and what
// came out. Peak memory comes from running it under /usr/bin/time -v:
//   /usr/bin/time -v build/bench/jpeg_decode picture.jpg
#include <chrono>
#include <cstdio>

#include "assets/assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jpeg_decode <file.jpg>\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    Image* image = decodeJpeg(argv[1]);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (image != nullptr) {
        std::printf("%s: %i x %i in %.3f s\n", argv[1], image->width, image->height, took.count());
    } else {
        std::printf("%s: no image, %.3f s\n", argv[1], took.count());
    }
    releaseImage(image);
    return 0;
}
