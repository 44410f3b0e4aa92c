// The headers of a BMP file, read and checked the same way on every platform; only the
// conversion of the pixels differs (bmp.cpp portable, bmp_win32.cpp through the GDI).
#pragma once

#include <cstddef>

#include "assets/decoders.h"

enum BmpCompression : unsigned { kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitFields = 3 };

// What the conversion needs from the headers and the colour table.
struct BmpSource {
    unsigned headerSize = 40;  // 40 (Windows) or 12 (core)
    long long width = 0;
    long long height = 0;  // negative: rows stored top-down
    unsigned bitCount = 0;
    unsigned compression = kBmpRgb;
    unsigned sizeImage = 0;                // as the header says; 0 when it says nothing
    const unsigned char* table = nullptr;  // entries of entrySize bytes, B, G, R first
    unsigned entries = 0;
    unsigned entrySize = 4;
    unsigned masks[3] = {0, 0, 0};  // red, green, blue for kBmpBitFields
    const unsigned char* pixels = nullptr;
    std::size_t pixelBytes = 0;
};

// The decoder's first look at a file: true when it opens for reading. A missing or
// unreadable file (or no name) is no BMP, and gets no message.
bool bmpFileOpens(const char* fileName);

// Reads a "BM" file or packed DIB of `size` bytes into `src`. False after one message
// to the error reporter when it is no BMP the game converts: unknown header, unsupported
// bit count or compression, a table or pixels past the end, a side not positive, or
// more pixels than an image may hold.
bool readBmpSource(const unsigned char* data, std::size_t size, const char* fileName,
                   BmpSource& src);

// Bytes in one stored row of uncompressed pixels (rows are padded to 4 bytes).
unsigned long long bmpSourceStride(const BmpSource& src);
