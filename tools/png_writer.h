// A small PNG writer: 8-bit RGBA, one IDAT deflated with zlib.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// CRC-32 as PNG chunks use it (polynomial 0xEDB88320), continuing from crc.
std::uint32_t crc32Update(std::uint32_t crc, const unsigned char* data, std::size_t size);
inline std::uint32_t crc32Of(const unsigned char* data, std::size_t size) {
    return crc32Update(0, data, size);
}

// Adler-32 as the zlib stream ends with it.
std::uint32_t adler32Of(const unsigned char* data, std::size_t size);

// A zlib stream holding data in stored deflate blocks (what a PNG holds when zlib fails).
std::vector<unsigned char> zlibStored(const unsigned char* data, std::size_t size);

// The bytes of a PNG file of width x height RGBA pixels, rows top first.
std::vector<unsigned char> encodePng(int width, int height, const unsigned char* rgba);

// Writes encodePng's bytes to path. False when the file cannot be written.
bool writePng(const char* path, int width, int height, const unsigned char* rgba);

// Writes bytes to path as the whole file. False when it cannot be written in full.
bool writeBytes(const char* path, const std::vector<unsigned char>& bytes);
