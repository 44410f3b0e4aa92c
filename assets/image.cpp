#include <cstdio>
#include <cstdlib>
#include <new>

#include "assets/decoders.h"

namespace {
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
    image->pixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(bytes)));
    if (image->pixels == nullptr) {
        delete image;
        return nullptr;
    }
    image->components = components;
    image->width = width;
    image->height = height;
    return image;
}

void releaseImage(Image* image) {
    if (image == nullptr) {
        return;
    }
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
