// TGA: the 18-byte header, the image ID skipped, pixel data right after it (a colour
// map is not skipped and the origin bits are not looked at, so rows stay in file
// order). Type 10 is run-length true-colour; every other type is read uncompressed.

#include "assets/decoders.h"

namespace {

constexpr std::size_t kHeaderBytes = 18;

// Stores one file pixel (B, G, R(, A)) as R, G, B(, A).
void storePixel(unsigned char* out, const unsigned char* in, int components) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    if (components == 4) {
        out[3] = in[3];
    }
}

// Run-length packets until every pixel is stored. A packet that runs past the last
// pixel is cut there; a file that ends before the last pixel gives no image.
bool decodeRunLength(const unsigned char* data, std::size_t size, std::size_t pos, Image* image) {
    const int components = image->components;
    const std::size_t total =
        static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
    unsigned char* out = image->pixels;
    std::size_t stored = 0;
    while (stored < total) {
        if (pos >= size) {
            return false;
        }
        const unsigned h = data[pos++];
        if (h < 128) {
            std::size_t count = h + 1;
            for (std::size_t i = 0; i < count && stored < total; ++i) {
                if (size - pos < static_cast<std::size_t>(components)) {
                    return false;
                }
                storePixel(out + stored * components, data + pos, components);
                pos += components;
                ++stored;
            }
        } else {
            std::size_t count = h - 127;
            if (size - pos < static_cast<std::size_t>(components)) {
                return false;
            }
            const unsigned char* value = data + pos;
            pos += components;
            for (std::size_t i = 0; i < count && stored < total; ++i) {
                storePixel(out + stored * components, value, components);
                ++stored;
            }
        }
    }
    return true;
}

bool decodeUncompressed(const unsigned char* data, std::size_t size, std::size_t pos, int depth,
                        Image* image) {
    const std::size_t total =
        static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
    unsigned char* out = image->pixels;
    if (depth == 16) {
        if ((size - pos) / 2 < total) {
            return false;
        }
        for (std::size_t i = 0; i < total; ++i, pos += 2) {
            const unsigned v = data[pos] | (data[pos + 1] << 8);
            out[i * 3 + 0] = static_cast<unsigned char>(((v >> 10) & 31) << 3);
            out[i * 3 + 1] = static_cast<unsigned char>(((v >> 5) & 31) << 3);
            out[i * 3 + 2] = static_cast<unsigned char>((v & 31) << 3);
        }
        return true;
    }
    const std::size_t components = static_cast<std::size_t>(image->components);
    if ((size - pos) / components < total) {
        return false;
    }
    for (std::size_t i = 0; i < total; ++i, pos += components) {
        storePixel(out + i * components, data + pos, image->components);
    }
    return true;
}

}  // namespace

Image* decodeTgaMemory(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size < kHeaderBytes) {
        return nullptr;
    }
    const unsigned idLength = data[0];
    const unsigned type = data[2];
    const int width = data[12] | (data[13] << 8);
    const int height = data[14] | (data[15] << 8);
    const int depth = data[16];
    const std::size_t pos = kHeaderBytes + idLength;
    if (pos > size) {
        return nullptr;
    }
    // Run-length files of 24 and 32 bits only: any other depth would hand the upload a
    // component count it cannot read.
    int components = 0;
    if (depth == 24) {
        components = 3;
    } else if (depth == 32) {
        components = 4;
    } else if (depth == 16 && type != 10) {
        components = 3;
    } else {
        return nullptr;
    }
    // Refuse files too short to fill the image before allocating it: a run-length
    // packet of 1 + components bytes gives at most 128 pixels.
    const unsigned long long pixels = static_cast<unsigned long long>(width) * height;
    const unsigned long long available = size - pos;
    const unsigned long long fileBytesPerPixel = depth / 8;
    if (type == 10 ? pixels > available / (1 + fileBytesPerPixel) * 128 + 128
                   : pixels * fileBytesPerPixel > available) {
        return nullptr;
    }
    Image* image = newImage(components, width, height);
    if (image == nullptr) {
        return nullptr;
    }
    const bool ok = type == 10 ? decodeRunLength(data, size, pos, image)
                               : decodeUncompressed(data, size, pos, depth, image);
    if (!ok) {
        releaseImage(image);
        return nullptr;
    }
    return image;
}

Image* decodeTga(const char* fileName) {
    std::vector<unsigned char> bytes;
    if (!readWholeFile(fileName, bytes)) {
        return nullptr;
    }
    return decodeTgaMemory(bytes.data(), bytes.size());
}
