// libFuzzer target: the BMP conversion on arbitrary bytes. Each input that yields no
// image must have reported exactly one message; one that yields an image, none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assets/decoders.h"

namespace {
int reported = 0;
void count(const char*) {
    ++reported;
}
}  // namespace

void showErrorBox(const char*) {
    std::abort();
}  // never a modal box while fuzzing

// Images up to 4 MiB: big enough for every path, small enough to run fast.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setImageByteLimit(4u << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setDecoderErrorReporter(count);
    reported = 0;
    Image* image = decodeBmpMemory(data, size, "fuzz.bmp");
    if (image == nullptr) {
        if (reported != 1) {
            std::abort();
        }
        return 0;
    }
    if (reported != 0 || image->components != 3 || image->width <= 0 || image->height <= 0) {
        std::abort();
    }
    const std::size_t bytes = static_cast<std::size_t>(image->width) * image->height * 3;
    volatile unsigned char last = image->pixels[bytes - 1];
    (void)last;
    releaseImage(image);
    return 0;
}
