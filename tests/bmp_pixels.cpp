// Decodes BMP files through this build's decoder (the GDI on Windows, the portable
// conversion elsewhere) and prints one line a file: its name, then either the size and
// every pixel's R, G, B in hexadecimal, bottom row first, or the decoder's message.
// The lines of two builds are compared by the Wine tests.
//   bmp_pixels <file>...
#include <cstdio>
#include <cstring>
#include <string>

#include "assets/assets.h"

namespace {

std::string message;

void keepMessage(const char* text) {
    message = text;
    while (!message.empty() && message.back() == '\n') {
        message.pop_back();
    }
}

// The name without its folder, so both builds print the same.
const char* baseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') {
            name = p + 1;
        }
    }
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    setDecoderErrorReporter(keepMessage);
    for (int i = 1; i < argc; ++i) {
        message.clear();
        Image* image = decodeBmp(argv[i]);
        std::printf("%s:", baseName(argv[i]));
        if (image == nullptr) {
            std::printf(" no image (%s)\n", message.empty() ? "no message" : message.c_str());
            continue;
        }
        std::printf(" %ix%i", image->width, image->height);
        const int bytes = image->width * image->height * image->components;
        for (int b = 0; b < bytes; ++b) {
            std::printf(b % 3 == 0 ? " %02x" : "%02x", image->pixels[b]);
        }
        std::printf("\n");
        releaseImage(image);
    }
    return 0;
}
