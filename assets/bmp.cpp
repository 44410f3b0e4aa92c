// BMP: a "BM" file or a packed DIB with a 40-byte (Windows) or 12-byte (core) info
// header, converted into bottom-up RGB rows. Sources: 1, 4, 8, 16, 24 and 32 bits
// uncompressed, 16 and 32 bits with bit-field masks, RLE8 and RLE4. Rows stored
// top-down (negative height) are turned bottom-up. Every fault shows one message.

#include <cstdio>
#include <cstring>

#include "assets/decoders.h"

namespace {

constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kConversionError[] = "Image file conversion error.";

enum Compression : unsigned { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

unsigned read16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
unsigned read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24);
}

// What the conversion needs from the headers and the colour table.
struct Source {
    long long width = 0;
    long long height = 0;  // negative: rows stored top-down
    unsigned bitCount = 0;
    unsigned compression = kRgb;
    const unsigned char* table = nullptr;  // entries of entrySize bytes, B, G, R first
    unsigned entries = 0;
    unsigned entrySize = 4;
    unsigned masks[3] = {0, 0, 0};  // red, green, blue for kBitFields
    const unsigned char* pixels = nullptr;
    std::size_t pixelBytes = 0;
};

void setFromTable(const Source& src, unsigned index, unsigned char* out) {
    if (index >= src.entries) {
        out[0] = out[1] = out[2] = 0;  // an index past the table reads as black
        return;
    }
    const unsigned char* entry = src.table + static_cast<std::size_t>(index) * src.entrySize;
    out[0] = entry[2];
    out[1] = entry[1];
    out[2] = entry[0];
}

// One channel picked out by a bit mask and scaled to 8 bits.
unsigned char maskedChannel(unsigned value, unsigned mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    const unsigned field = mask >> shift;
    int bits = 0;
    while (bits < 32 && (field >> bits) != 0) {
        ++bits;
    }
    const unsigned v = (value >> shift) & field;
    if (bits >= 8) {
        return static_cast<unsigned char>(v >> (bits - 8));
    }
    const unsigned full = (1u << bits) - 1u;
    return static_cast<unsigned char>((v * 255u + full / 2) / full);
}

void convertRow(const Source& src, const unsigned char* row, unsigned char* out) {
    const long long width = src.width;
    for (long long x = 0; x < width; ++x, out += 3) {
        switch (src.bitCount) {
            case 1:
                setFromTable(src, (row[x >> 3] >> (7 - (x & 7))) & 1u, out);
                break;
            case 4:
                setFromTable(src, (x & 1) ? (row[x >> 1] & 15u) : (row[x >> 1] >> 4), out);
                break;
            case 8:
                setFromTable(src, row[x], out);
                break;
            case 16: {
                const unsigned v = read16(row + x * 2);
                if (src.compression == kBitFields) {
                    out[0] = maskedChannel(v, src.masks[0]);
                    out[1] = maskedChannel(v, src.masks[1]);
                    out[2] = maskedChannel(v, src.masks[2]);
                } else {
                    out[0] = maskedChannel(v, 0x7C00u);
                    out[1] = maskedChannel(v, 0x03E0u);
                    out[2] = maskedChannel(v, 0x001Fu);
                }
                break;
            }
            case 24:
                out[0] = row[x * 3 + 2];
                out[1] = row[x * 3 + 1];
                out[2] = row[x * 3];
                break;
            default: {  // 32
                if (src.compression == kBitFields) {
                    const unsigned v = read32(row + x * 4);
                    out[0] = maskedChannel(v, src.masks[0]);
                    out[1] = maskedChannel(v, src.masks[1]);
                    out[2] = maskedChannel(v, src.masks[2]);
                } else {
                    out[0] = row[x * 4 + 2];
                    out[1] = row[x * 4 + 1];
                    out[2] = row[x * 4];
                }
                break;
            }
        }
    }
}

unsigned long long sourceStride(const Source& src) {
    return ((static_cast<unsigned long long>(src.bitCount) * src.width + 31) / 32) * 4;
}

void convertUncompressed(const Source& src, Image* image) {
    const unsigned long long stride = sourceStride(src);
    const long long rows = image->height;
    const std::size_t outStride = static_cast<std::size_t>(image->width) * 3;
    for (long long r = 0; r < rows; ++r) {
        const long long dest = src.height > 0 ? r : rows - 1 - r;
        convertRow(src, src.pixels + static_cast<std::size_t>(stride) * r,
                   image->pixels + outStride * dest);
    }
}

// Run-length data: pixels not reached stay black, pixels beyond a row's end or past
// the last row are dropped, and data that ends early ends the picture there.
void convertRunLength(const Source& src, Image* image) {
    const long long width = image->width;
    const long long height = image->height;
    const std::size_t outStride = static_cast<std::size_t>(width) * 3;
    std::memset(image->pixels, 0, outStride * static_cast<std::size_t>(height));
    const bool rle4 = src.compression == kRle4;
    const unsigned char* p = src.pixels;
    const unsigned char* end = src.pixels + src.pixelBytes;
    long long x = 0;
    long long y = 0;
    auto put = [&](unsigned index) {
        if (x < width && y < height) {
            setFromTable(src, index, image->pixels + outStride * y + x * 3);
        }
        ++x;
    };
    while (end - p >= 2 && y < height) {
        const unsigned count = p[0];
        const unsigned code = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                put(rle4 ? ((i & 1) ? (code & 15u) : (code >> 4)) : code);
            }
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            if (end - p < 2) {
                break;
            }
            x += p[0];
            y += p[1];
            p += 2;
        } else {
            std::size_t bytes = rle4 ? (code + 1) / 2 : code;
            std::size_t padded = (bytes + 1) & ~static_cast<std::size_t>(1);
            if (static_cast<std::size_t>(end - p) < bytes) {
                break;
            }
            for (unsigned i = 0; i < code; ++i) {
                put(rle4 ? ((i & 1) ? (p[i / 2] & 15u) : (p[i / 2] >> 4)) : p[i]);
            }
            p += static_cast<std::size_t>(end - p) < padded ? bytes : padded;
        }
    }
}

bool supported(const Source& src, unsigned headerSize) {
    switch (src.compression) {
        case kRgb:
            return src.bitCount == 1 || src.bitCount == 4 || src.bitCount == 8 ||
                   src.bitCount == 16 || src.bitCount == 24 || src.bitCount == 32;
        case kRle8:
            return src.bitCount == 8 && src.height > 0;
        case kRle4:
            return src.bitCount == 4 && src.height > 0;
        case kBitFields:
            return headerSize == 40 && (src.bitCount == 16 || src.bitCount == 32);
        default:
            return false;
    }
}

Image* fail(const char* message) {
    reportDecoderError(message);
    return nullptr;
}

}  // namespace

Image* decodeBmpMemory(const unsigned char* data, std::size_t size, const char* fileName) {
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
    Source src;
    unsigned colorsUsed = 0;
    if (headerSize == 40) {
        src.width = static_cast<int>(read32(h + 4));
        src.height = static_cast<int>(read32(h + 8));
        src.bitCount = read16(h + 14);
        src.compression = read32(h + 16);
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
    if (src.compression == kBitFields && headerSize == 40) {
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
    if (src.width <= 0 || src.height == 0 || !supported(src, headerSize)) {
        return fail(kConversionError);
    }
    const long long rows = src.height > 0 ? src.height : -src.height;
    if (static_cast<unsigned long long>(src.width) * static_cast<unsigned long long>(rows) * 3 >
        imageByteLimit()) {
        return fail(kOutOfMemory);
    }
    const bool runLength = src.compression == kRle8 || src.compression == kRle4;
    if (!runLength && sourceStride(src) * static_cast<unsigned long long>(rows) > src.pixelBytes) {
        return fail(kConversionError);  // pixel data cut short
    }
    Image* image = newImage(3, static_cast<int>(src.width), static_cast<int>(rows));
    if (image == nullptr) {
        return fail(kOutOfMemory);
    }
    if (runLength) {
        convertRunLength(src, image);
    } else {
        convertUncompressed(src, image);
    }
    return image;
}

Image* decodeBmp(const char* fileName) {
    if (fileName == nullptr) {
        return nullptr;
    }
    FILE* probe = std::fopen(fileName, "rb");
    if (probe == nullptr) {
        return nullptr;
    }
    std::fclose(probe);
    std::vector<unsigned char> bytes;
    if (!readWholeFile(fileName, bytes)) {
        bytes.clear();
    }
    return decodeBmpMemory(bytes.data(), bytes.size(), fileName);
}
