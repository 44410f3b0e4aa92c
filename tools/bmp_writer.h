// A small BMP writer: 24-bit uncompressed pictures, the kind the Windows installer
// shows on its pages.
#pragma once

#include <vector>

// The bytes of a BMP file of width x height RGB pixels, rows top first: a 40-byte info
// header, rows stored bottom-up in B, G, R order, each padded to a multiple of 4 bytes.
std::vector<unsigned char> encodeBmp(int width, int height, const unsigned char* rgb);
