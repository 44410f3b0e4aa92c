#include "tools/bmp_writer.h"

#include <cstddef>
#include <cstdint>

#include "tools/little_endian.h"

std::vector<unsigned char> encodeBmp(int width, int height, const unsigned char* rgb) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * height;
    const std::uint32_t headers = 14 + 40;
    std::vector<unsigned char> out;
    out.reserve(headers + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putLittle32(out, static_cast<std::uint32_t>(headers + pixelBytes));  // file size
    putLittle32(out, 0);                                                 // reserved
    putLittle32(out, headers);                                           // where the pixels start
    putLittle32(out, 40);                                                // info header size
    putLittle32(out, static_cast<std::uint32_t>(width));
    putLittle32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    putLittle16(out, 1);                                   // planes
    putLittle16(out, 24);                                  // bits a pixel
    putLittle32(out, 0);                                   // BI_RGB, uncompressed
    putLittle32(out, static_cast<std::uint32_t>(pixelBytes));
    putLittle32(out, 2835);  // 72 dots an inch, in dots a metre, both ways
    putLittle32(out, 2835);
    putLittle32(out, 0);  // no colour table
    putLittle32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = rgb + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            out.insert(out.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        }
        out.resize(out.size() + stride - static_cast<std::size_t>(width) * 3, 0);
    }
    return out;
}
