// BMP, the portable conversion: the pixels of a checked source (bmp_source.cpp) turned
// into bottom-up RGB rows through their colour table, masks or run-length codes. Rows
// stored top-down (negative height) are turned bottom-up.

#include <cstring>

#include "assets/bmp_source.h"

namespace {

constexpr char kOutOfMemory[] = "Out of memory.";

using Source = BmpSource;
constexpr unsigned kBitFields = kBmpBitFields;
constexpr unsigned kRle4 = kBmpRle4;

unsigned read16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
unsigned read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24);
}

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

void convertUncompressed(const Source& src, Image* image) {
    const unsigned long long stride = bmpSourceStride(src);
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

}  // namespace

Image* decodeBmpMemory(const unsigned char* data, std::size_t size, const char* fileName) {
    Source src;
    if (!readBmpSource(data, size, fileName, src)) {
        return nullptr;
    }
    const long long rows = src.height > 0 ? src.height : -src.height;
    Image* image = newImage(3, static_cast<int>(src.width), static_cast<int>(rows));
    if (image == nullptr) {
        reportDecoderError(kOutOfMemory);
        return nullptr;
    }
    if (src.compression == kBmpRle8 || src.compression == kBmpRle4) {
        convertRunLength(src, image);
    } else {
        convertUncompressed(src, image);
    }
    return image;
}

Image* decodeBmp(const char* fileName) {
    if (!bmpFileOpens(fileName)) {
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    if (!readWholeFile(fileName, bytes)) {
        bytes.clear();
    }
    return decodeBmpMemory(bytes.data(), bytes.size(), fileName);
}
