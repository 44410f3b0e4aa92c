// The BMP files of the decoder tests, built byte by byte: the unit tests decode them
// with the portable conversion, and the Wine tests write them all (bmp_samples) for the
// GDI conversion of the Windows build to decode too.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "tests/assets_test_files.h"

// A colour table of `entries` grey-ish colours: entry i is B, G, R = 10i, 10i+1, 10i+2.
inline Bytes grayTable(int entries) {
    Bytes t;
    for (int i = 0; i < entries; ++i) {
        const unsigned char v = static_cast<unsigned char>(i * 10);
        t.insert(t.end(),
                 {v, static_cast<unsigned char>(v + 1), static_cast<unsigned char>(v + 2), 0});
    }
    return t;
}

// 3 x 2, 24 bits: three padding bytes (0xEE) after each row.
inline Bytes bmpThreeWide() {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.pixels = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,  // bottom row + 3 padding
                11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE};
    return bmpBytes(s);
}

// 1 x 2, 24 bits, rows stored top-down (negative height).
inline Bytes bmpTopDown() {
    BmpLayout s;
    s.width = 1;
    s.height = -2;
    s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};  // top row first
    return bmpBytes(s);
}

// 10 x 1 at 1 bit a pixel.
inline Bytes bmpPaletted1() {
    BmpLayout s;
    s.width = 10;
    s.height = 1;
    s.bitCount = 1;
    s.table = grayTable(2);
    s.pixels = {0xA0, 0x40, 0, 0};  // 1010 0000 01..
    return bmpBytes(s);
}

// 3 x 1 at 4 bits a pixel.
inline Bytes bmpPaletted4() {
    BmpLayout s;
    s.width = 3;
    s.height = 1;
    s.bitCount = 4;
    s.table = grayTable(16);
    s.pixels = {0x5F, 0x20, 0, 0};
    return bmpBytes(s);
}

// 2 x 2 at 8 bits with a 4-entry table; one index lies past it.
inline Bytes bmpPaletted8() {
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.bitCount = 8;
    s.colorsUsed = 4;
    s.table = grayTable(4);
    s.pixels = {3, 1, 0, 0, 2, 200, 0, 0};  // 200 lies past the 4-entry table: black
    return bmpBytes(s);
}

// A packed DIB with the 12-byte core header: 2 x 1 at 8 bits, 3-byte table entries.
inline Bytes bmpCorePacked() {
    Bytes b;
    put32(b, 12);
    put16(b, 2);  // width
    put16(b, 1);  // height
    put16(b, 1);
    put16(b, 8);
    for (int i = 0; i < 256; ++i) {
        b.insert(b.end(), {static_cast<unsigned char>(i), 0, static_cast<unsigned char>(255 - i)});
    }
    b.insert(b.end(), {7, 250, 0, 0});  // packed: pixels right after the 3-byte table
    return b;
}

// A packed DIB with the 40-byte header: 1 x 1 at 32 bits.
inline Bytes bmpPacked32() {
    BmpLayout s;
    s.fileHeader = false;
    s.width = 1;
    s.bitCount = 32;
    s.pixels = {10, 20, 30, 255};
    return bmpBytes(s);
}

// 2 x 1 at 16 bits, 5-5-5: full red, full blue.
inline Bytes bmp16Default() {
    BmpLayout s;
    s.width = 2;
    s.bitCount = 16;
    put16(s.pixels, 0x7C00);
    put16(s.pixels, 0x001F);
    return bmpBytes(s);
}

// 2 x 1 at 16 bits, 5-6-5 through bit-field masks before the pixels: green, white.
inline Bytes bmp16Masked() {
    BmpLayout s;
    s.width = 2;
    s.bitCount = 16;
    s.compression = 3;
    put32(s.table, 0xF800);
    put32(s.table, 0x07E0);
    put32(s.table, 0x001F);
    put16(s.pixels, 0x07E0);
    put16(s.pixels, 0xFFFF);
    return bmpBytes(s);
}

// 4 x 2 RLE8. Row 0: a run of 3 of colour 5, then 3 absolute pixels (2 fall off the row
// end); row 1: a delta right by 1, then a run of 9 (clipped); then rows past the top.
inline Bytes bmpRle8() {
    BmpLayout s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 8;
    s.compression = 1;
    s.table = grayTable(256);
    s.pixels = {3, 5, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 9, 7, 0, 0, 4, 9, 0, 1};
    return bmpBytes(s);
}

// 4 x 2 RLE4: a run 1 2 1, then absolute 3 4 5 (cut to 1 by the row end).
inline Bytes bmpRle4() {
    BmpLayout s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 4;
    s.compression = 2;
    s.table = grayTable(16);
    s.pixels = {3, 0x12, 0, 3, 0x34, 0x50, 0, 1};
    return bmpBytes(s);
}

// A 1 x 1 file whose info header has another size (108 and 124: the newer headers).
inline Bytes bmpHeaderOfSize(unsigned size) {
    BmpLayout s;
    s.headerSize = size;
    s.pixels = {1, 2, 3, 0};
    return bmpBytes(s);
}

// Files no decoder may turn into an image, each with the one message it must give.
struct HostileBmp {
    std::string what;
    Bytes bytes;
    std::string message;
};
inline std::vector<HostileBmp> hostileBmps() {
    std::vector<HostileBmp> cases;
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.pixels = Bytes(16, 7);
    BmpLayout t = s;
    t.pixelOffset = 5000;
    cases.push_back({"pixel offset past the end", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.pixels.resize(15);
    cases.push_back({"pixel data one byte short", bmpBytes(t), "Image file conversion error."});
    for (unsigned bits : {0u, 2u, 64u, 7u}) {
        t = s;
        t.bitCount = bits;
        cases.push_back(
            {"bit count " + std::to_string(bits), bmpBytes(t), "Image file conversion error."});
    }
    t = s;
    t.width = 0;
    cases.push_back({"zero width", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.height = 0;
    cases.push_back({"zero height", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.width = -3;
    cases.push_back({"negative width", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.compression = 1;
    t.bitCount = 8;
    t.height = -2;
    cases.push_back({"top-down run-length", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.compression = 4;  // embedded JPEG
    cases.push_back({"unsupported compression", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.bitCount = 8;
    t.table = grayTable(3);  // 256 entries expected
    t.pixels.clear();
    cases.push_back({"colour table past the end", bmpBytes(t), "Image file conversion error."});
    t = s;
    t.width = INT_MAX;
    t.height = INT_MAX;
    cases.push_back({"product overflows", bmpBytes(t), "Out of memory."});
    t = s;
    t.width = 10000;
    t.height = -10000;
    cases.push_back({"buffer over 256 MiB", bmpBytes(t), "Out of memory."});
    Bytes cut = bmpBytes(s);
    cut.resize(30);
    cases.push_back({"info header cut", cut, "Unknown DIB file format."});
    cases.push_back({"just BM", Bytes{'B', 'M'}, "Unknown DIB file format."});
    return cases;
}

// Every file above under a file name of its own.
struct NamedBmp {
    std::string name;
    Bytes bytes;
};
inline std::vector<NamedBmp> bmpTestFiles() {
    std::vector<NamedBmp> files = {
        {"three_wide.bmp", bmpThreeWide()},
        {"top_down.bmp", bmpTopDown()},
        {"paletted_1.bmp", bmpPaletted1()},
        {"paletted_4.bmp", bmpPaletted4()},
        {"paletted_8.bmp", bmpPaletted8()},
        {"core_packed.bmp", bmpCorePacked()},
        {"packed_32.bmp", bmpPacked32()},
        {"rgb_555.bmp", bmp16Default()},
        {"masked_565.bmp", bmp16Masked()},
        {"rle8.bmp", bmpRle8()},
        {"rle4.bmp", bmpRle4()},
        {"empty.bmp", Bytes{}},
    };
    for (unsigned size : {108u, 124u, 64u, 0u}) {
        files.push_back({"header_" + std::to_string(size) + ".bmp", bmpHeaderOfSize(size)});
    }
    int n = 0;
    for (const HostileBmp& h : hostileBmps()) {
        std::string name = "hostile_" + std::to_string(++n) + "_" + h.what + ".bmp";
        for (char& c : name) {
            if (c == ' ') {
                c = '_';
            }
        }
        files.push_back({name, h.bytes});
    }
    return files;
}
