// Test pictures written by the tests themselves: TGA and BMP byte builders and a
// libjpeg writer, plus a scratch folder that is removed afterwards.
#pragma once

#include <jpeglib.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/scratch_folder.h"

using Bytes = std::vector<unsigned char>;

inline void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A folder of its own under /tmp for one test binary, removed when it ends.
inline const std::string& scratchDir() {
    static ScratchFolder folder("trelvane_assets_");
    return folder.path;
}

inline std::string writeFile(const std::string& name, const Bytes& bytes) {
    const std::string path = scratchDir() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f != nullptr) {
        if (!bytes.empty()) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
        }
        std::fclose(f);
    }
    return path;
}

// TGA header: image type, width, height, depth, ID length and descriptor.
inline Bytes tgaHeader(int type, int width, int height, int depth, int idLength = 0,
                       int descriptor = 0, int colourMapType = 0) {
    Bytes b = {static_cast<unsigned char>(idLength), static_cast<unsigned char>(colourMapType),
               static_cast<unsigned char>(type)};
    b.insert(b.end(), 5, 0);  // colour-map fields
    put16(b, 0);
    put16(b, 0);
    put16(b, static_cast<unsigned>(width));
    put16(b, static_cast<unsigned>(height));
    b.push_back(static_cast<unsigned char>(depth));
    b.push_back(static_cast<unsigned char>(descriptor));
    return b;
}

// A BMP with a 40-byte info header: "BM" file header when fileHeader, else packed DIB.
struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    unsigned bitCount = 24;
    unsigned compression = 0;
    unsigned colorsUsed = 0;
    Bytes table;   // colour table bytes (4 a colour)
    Bytes pixels;  // pixel data as stored
    bool fileHeader = true;
    std::int64_t pixelOffset = -1;  // -1: right after the table
    unsigned headerSize = 40;
};

inline Bytes bmpBytes(const BmpLayout& s) {
    Bytes info;
    put32(info, s.headerSize);
    put32(info, static_cast<std::uint32_t>(s.width));
    put32(info, static_cast<std::uint32_t>(s.height));
    put16(info, 1);
    put16(info, s.bitCount);
    put32(info, s.compression);
    put32(info, 0);
    put32(info, 2835);
    put32(info, 2835);
    put32(info, s.colorsUsed);
    put32(info, 0);
    info.resize(s.headerSize < 40 ? 40 : s.headerSize, 0);
    Bytes b;
    if (s.fileHeader) {
        const std::uint32_t offset =
            s.pixelOffset >= 0 ? static_cast<std::uint32_t>(s.pixelOffset)
                               : static_cast<std::uint32_t>(14 + info.size() + s.table.size());
        b = {'B', 'M'};
        put32(b, static_cast<std::uint32_t>(14 + info.size() + s.table.size() + s.pixels.size()));
        put32(b, 0);
        put32(b, offset);
    }
    b.insert(b.end(), info.begin(), info.end());
    b.insert(b.end(), s.table.begin(), s.table.end());
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

// Writes a JPEG with libjpeg: rows top first, `components` samples a pixel.
inline std::string writeJpeg(const std::string& name, int width, int height, int components,
                             J_COLOR_SPACE space, const Bytes& pixels, int quality = 95) {
    const std::string path = scratchDir() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels.data()) +
                       static_cast<std::size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
    return path;
}
