// BMP headers: a "BM" file or a packed DIB with a 40-byte (Windows) or 12-byte (core)
// info header. Sources: 1, 4, 8, 16, 24 and 32 bits uncompressed, 16 and 32 bits with
// bit-field masks, RLE8 and RLE4 (bottom-up only). Every fault shows one message.
#include "assets/bmp_source.h"

#include <cstdio>

namespace {

constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kConversionError[] = "Image file conversion error.";

unsigned read16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
unsigned read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24);
}

bool supported(const BmpSource& src) {
    switch (src.compression) {
        case kBmpRgb:
            return src.bitCount == 1 || src.bitCount == 4 || src.bitCount == 8 ||
                   src.bitCount == 16 || src.bitCount == 24 || src.bitCount == 32;
        case kBmpRle8:
            return src.bitCount == 8 && src.height > 0;
        case kBmpRle4:
            return src.bitCount == 4 && src.height > 0;
        case kBmpBitFields:
            return src.headerSize == 40 && (src.bitCount == 16 || src.bitCount == 32);
        default:
            return false;
    }
}

bool fail(const char* message) {
    reportDecoderError(message);
    return false;
}

}  // namespace

unsigned long long bmpSourceStride(const BmpSource& src) {
    return ((static_cast<unsigned long long>(src.bitCount) * src.width + 31) / 32) * 4;
}

bool readBmpSource(const unsigned char* data, std::size_t size, const char* fileName,
                   BmpSource& src) {
    src = BmpSource();
    if (data == nullptr || size == 0) {
        char text[512];
        std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n",
                      fileName != nullptr ? fileName : "");
        return fail(text);
    }
    const bool fileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::size_t headerPos = fileHeader ? 14 : 0;
    if (size < headerPos + 4) {
        return fail(kUnknownFormat);
    }
    const unsigned headerSize = read32(data + headerPos);
    if ((headerSize != 40 && headerSize != 12) || size - headerPos < headerSize) {
        return fail(kUnknownFormat);
    }
    const unsigned char* h = data + headerPos;
    src.headerSize = headerSize;
    unsigned colorsUsed = 0;
    if (headerSize == 40) {
        src.width = static_cast<int>(read32(h + 4));
        src.height = static_cast<int>(read32(h + 8));
        src.bitCount = read16(h + 14);
        src.compression = read32(h + 16);
        src.sizeImage = read32(h + 20);
        colorsUsed = read32(h + 32) % 65536u;
        src.entrySize = 4;
    } else {
        src.width = read16(h + 4);
        src.height = read16(h + 6);
        src.bitCount = read16(h + 10);
        src.entrySize = 3;
    }
    if (colorsUsed != 0) {
        src.entries = colorsUsed;
    } else if (src.bitCount == 1 || src.bitCount == 4 || src.bitCount == 8) {
        src.entries = 1u << src.bitCount;
    }
    std::size_t tablePos = headerPos + headerSize;
    if (src.compression == kBmpBitFields && headerSize == 40) {
        if (size - tablePos < 12) {
            return fail(kConversionError);
        }
        for (int i = 0; i < 3; ++i) {
            src.masks[i] = read32(data + tablePos + 4 * i);
        }
        tablePos += 12;
    }
    const std::size_t tableBytes = static_cast<std::size_t>(src.entries) * src.entrySize;
    if (size - tablePos < tableBytes) {
        return fail(kConversionError);
    }
    src.table = data + tablePos;
    const std::size_t pixelPos = fileHeader ? read32(data + 10) : tablePos + tableBytes;
    if (pixelPos > size) {
        return fail(kConversionError);
    }
    src.pixels = data + pixelPos;
    src.pixelBytes = size - pixelPos;
    if (src.width <= 0 || src.height == 0 || !supported(src)) {
        return fail(kConversionError);
    }
    const long long rows = src.height > 0 ? src.height : -src.height;
    if (static_cast<unsigned long long>(src.width) * static_cast<unsigned long long>(rows) * 3 >
        imageByteLimit()) {
        return fail(kOutOfMemory);
    }
    const bool runLength = src.compression == kBmpRle8 || src.compression == kBmpRle4;
    if (!runLength &&
        bmpSourceStride(src) * static_cast<unsigned long long>(rows) > src.pixelBytes) {
        return fail(kConversionError);  // pixel data cut short
    }
    return true;
}

bool bmpFileOpens(const char* fileName) {
    if (fileName == nullptr) {
        return false;
    }
    FILE* probe = std::fopen(fileName, "rb");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}
