#include "tools/png_writer.h"

#include <cstdio>

#include <zlib.h>

namespace {

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

void putChunk(std::vector<unsigned char>& out, const char type[4],
              const std::vector<unsigned char>& body) {
    put32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    put32(out, crc32Of(out.data() + start, out.size() - start));
}

}  // namespace

std::uint32_t crc32Update(std::uint32_t crc, const unsigned char* data, std::size_t size) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::uint32_t adler32Of(const unsigned char* data, std::size_t size) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::vector<unsigned char> zlibStored(const unsigned char* data, std::size_t size) {
    std::vector<unsigned char> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    std::size_t pos = 0;
    do {
        const std::size_t block = size - pos < 65535 ? size - pos : 65535;
        const bool last = pos + block == size;
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 = stored
        out.push_back(static_cast<unsigned char>(block));
        out.push_back(static_cast<unsigned char>(block >> 8));
        out.push_back(static_cast<unsigned char>(~block));
        out.push_back(static_cast<unsigned char>(~block >> 8));
        out.insert(out.end(), data + pos, data + pos + block);
        pos += block;
    } while (pos < size);
    put32(out, adler32Of(data, size));
    return out;
}

std::vector<unsigned char> encodePng(int width, int height, const unsigned char* rgba) {
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filter 0, no interlace
    putChunk(out, "IHDR", header);
    std::vector<unsigned char> raw;
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), rgba + stride * y, rgba + stride * (y + 1));
    }
    // Deflated at zlib's best: the icons of the page and the desktop are downloaded and
    // installed as they are.
    uLongf packed = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> idat(packed);
    if (compress2(idat.data(), &packed, raw.data(), static_cast<uLong>(raw.size()), 9) == Z_OK) {
        idat.resize(packed);
    } else {
        idat = zlibStored(raw.data(), raw.size());
    }
    putChunk(out, "IDAT", idat);
    putChunk(out, "IEND", {});
    return out;
}

bool writePng(const char* path, int width, int height, const unsigned char* rgba) {
    return writeBytes(path, encodePng(width, height, rgba));
}

bool writeBytes(const char* path, const std::vector<unsigned char>& bytes) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
