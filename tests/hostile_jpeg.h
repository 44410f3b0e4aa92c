// Hostile JPEG files written through libjpeg's compression API, for the texture tests:
// small pictures whose frame header declares a huge size, and progressive pictures
// padded with empty scans.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

// A side x side picture: "baseline", "progressive" (the library's usual 10 scans), or
// "one-component-scans" (three sequential scans, the first holding only the luma).
inline std::vector<unsigned char> compressPicture(int side, const std::string& mode) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(side);
    info.image_height = static_cast<JDIMENSION>(side);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    // Three sequential scans of one component each: the first holds only the luma.
    jpeg_scan_info oneEach[3] = {};
    if (mode == "progressive") {
        jpeg_simple_progression(&info);
    } else if (mode == "one-component-scans") {
        for (int c = 0; c < 3; ++c) {
            oneEach[c].comps_in_scan = 1;
            oneEach[c].component_index[0] = c;
            oneEach[c].Se = 63;
        }
        info.scan_info = oneEach;
        info.num_scans = 3;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(side) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < side; ++x) {
            row[x * 3] = static_cast<unsigned char>(x * 7);
            row[x * 3 + 1] = static_cast<unsigned char>(info.next_scanline * 5);
            row[x * 3 + 2] = static_cast<unsigned char>((x ^ info.next_scanline) * 3);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// Rewrites the height and width of the frame header (SOF0, SOF1 or SOF2).
inline bool declareSize(std::vector<unsigned char>& bytes, unsigned width, unsigned height) {
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] >= 0xC0 && bytes[i + 1] <= 0xC2) {
            bytes[i + 5] = static_cast<unsigned char>(height >> 8);
            bytes[i + 6] = static_cast<unsigned char>(height);
            bytes[i + 7] = static_cast<unsigned char>(width >> 8);
            bytes[i + 8] = static_cast<unsigned char>(width);
            return true;
        }
    }
    return false;
}

// A side x side progressive picture followed by empty scans up to `count` in all.
inline std::vector<unsigned char> manyScans(long count, int side) {
    std::vector<unsigned char> bytes = compressPicture(side, "progressive");
    // A luma DC refinement scan needs no Huffman table; with no data after it the
    // decoder still walks every block of the scan.
    const unsigned char emptyScan[] = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10};
    std::vector<unsigned char> extra;
    for (long scan = 10; scan < count; ++scan)
        extra.insert(extra.end(), emptyScan, emptyScan + sizeof emptyScan);
    bytes.insert(bytes.end() - 2, extra.begin(), extra.end());
    return bytes;
}
