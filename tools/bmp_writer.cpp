#include "tools/bmp_writer.h"

#include <cstddef>
#include <cstdint>

namespace {

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::vector<unsigned char> encodeBmp(int width, int height, const unsigned char* rgb) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * height;
    const std::uint32_t headers = 14 + 40;
    std::vector<unsigned char> out;
    out.reserve(headers + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(headers + pixelBytes));  // file size
    put32(out, 0);                                                 // reserved
    put32(out, headers);                                           // where the pixels start
    put32(out, 40);                                                // info header size
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    put16(out, 1);                                   // planes
    put16(out, 24);                                  // bits a pixel
    put32(out, 0);                                   // BI_RGB, uncompressed
    put32(out, static_cast<std::uint32_t>(pixelBytes));
    put32(out, 2835);  // 72 dots an inch, in dots a metre, both ways
    put32(out, 2835);
    put32(out, 0);  // no colour table
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = rgb + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            out.insert(out.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        }
        out.resize(out.size() + stride - static_cast<std::size_t>(width) * 3, 0);
    }
    return out;
}
