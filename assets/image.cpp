#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "assets/decoders.h"

// Under AddressSanitizer the texel past a picture's end is poisoned: GLU's read of it is
// not checked (GLU is not instrumented), but a decoder's write into it still is.
#if defined(__SANITIZE_ADDRESS__)
#define TRELVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TRELVANE_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef TRELVANE_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace {
// GLU's box filter, scaling a picture that has one side a power of two and not the
// other, reads the texel just past the right edge of the last row (with a weight of
// nothing): a texel of zeros more behind every picture keeps that read inside it.
constexpr std::size_t kTexelPastTheEnd = 4;

void (*reporter)(const char*) = showErrorBox;
unsigned long long byteLimit = kMaxImageBytes;
}  // namespace

void setImageByteLimit(unsigned long long bytes) {
    byteLimit = bytes;
}
unsigned long long imageByteLimit() {
    return byteLimit;
}

Image* newImage(int components, int width, int height) {
    if (components <= 0 || width <= 0 || height <= 0) {
        return nullptr;
    }
    unsigned long long bytes = static_cast<unsigned long long>(components) *
                               static_cast<unsigned long long>(width) *
                               static_cast<unsigned long long>(height);
    if (bytes > byteLimit) {
        return nullptr;
    }
    Image* image = new (std::nothrow) Image;
    if (image == nullptr) {
        return nullptr;
    }
    image->pixels = static_cast<unsigned char*>(
        std::malloc(static_cast<std::size_t>(bytes) + kTexelPastTheEnd));
    if (image->pixels == nullptr) {
        delete image;
        return nullptr;
    }
    std::memset(image->pixels + bytes, 0, kTexelPastTheEnd);
#ifdef TRELVANE_ADDRESS_SANITIZER
    ASAN_POISON_MEMORY_REGION(image->pixels + bytes, kTexelPastTheEnd);
#endif
    image->components = components;
    image->width = width;
    image->height = height;
    return image;
}

void releaseImage(Image* image) {
    if (image == nullptr) {
        return;
    }
#ifdef TRELVANE_ADDRESS_SANITIZER
    ASAN_UNPOISON_MEMORY_REGION(
        image->pixels + static_cast<std::size_t>(image->components) * image->width * image->height,
        kTexelPastTheEnd);
#endif
    std::free(image->pixels);
    delete image;
}

bool readWholeFile(const char* fileName, std::vector<unsigned char>& bytes) {
    bytes.clear();
    if (fileName == nullptr) {
        return false;
    }
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char chunk[65536];
    bool ok = true;
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            ok = std::ferror(file) == 0;
            break;
        }
        if (bytes.size() > kMaxImageBytes * 2) {
            ok = false;  // no image the game could use is this large
            break;
        }
    }
    std::fclose(file);
    return ok;
}

void setDecoderErrorReporter(void (*report)(const char* message)) {
    reporter = report != nullptr ? report : showErrorBox;
}

void reportDecoderError(const char* message) {
    reporter(message);
}
