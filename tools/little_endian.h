// Little-endian numbers appended to a file's bytes, as the Windows and RIFF formats
// (BMP, ICO, WAV) store them.
#pragma once

#include <cstdint>
#include <vector>

inline void putLittle16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
inline void putLittle32(std::vector<unsigned char>& out, std::uint32_t v) {
    putLittle16(out, v & 0xFFFF);
    putLittle16(out, v >> 16);
}
