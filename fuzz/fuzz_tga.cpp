// libFuzzer target: the TGA decoder on arbitrary bytes. Any image it returns must have
// the shape its buffer was allocated for; the sanitizers catch the rest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assets/decoders.h"

void showErrorBox(const char*) {}  // the TGA decoder never reports; keep SDL out

// Images up to 4 MiB: big enough for every path, small enough to run fast.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setImageByteLimit(4u << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Image* image = decodeTgaMemory(data, size);
    if (image != nullptr) {
        if (image->width <= 0 || image->height <= 0 ||
            (image->components != 3 && image->components != 4)) {
            std::abort();
        }
        // Touch the last byte: the buffer must hold every pixel.
        const std::size_t bytes =
            static_cast<std::size_t>(image->width) * image->height * image->components;
        volatile unsigned char last = image->pixels[bytes - 1];
        (void)last;
        releaseImage(image);
    }
    return 0;
}
