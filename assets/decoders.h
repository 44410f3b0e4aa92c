// Internals shared by the decoders, the tests and the fuzzers: decoding from a
// buffer already in memory, and the bounded image allocation every decoder uses.
#pragma once

#include <cstddef>
#include <vector>

#include "assets/assets.h"

// Largest pixel buffer any decoder will allocate; bigger images are refused.
constexpr unsigned long long kMaxImageBytes = 256ull * 1024 * 1024;

// Lowers (or restores) that limit; the fuzzers use a small one to stay fast.
void setImageByteLimit(unsigned long long bytes);
unsigned long long imageByteLimit();

// A new image of the given shape with an uninitialised pixel buffer, or nullptr
// when a side is not positive, the buffer would exceed the limit, or memory runs out.
Image* newImage(int components, int width, int height);

// Reads a whole file into bytes. False when it cannot be opened or read.
bool readWholeFile(const char* fileName, std::vector<unsigned char>& bytes);

// Decodes TGA bytes (the layout decodeTga reads). nullptr on any fault.
Image* decodeTgaMemory(const unsigned char* data, std::size_t size);

// Converts BMP bytes ("BM" file or packed DIB) into a bottom-up RGB image. Faults go
// to the error reporter, once, with fileName in the open message; nullptr then.
Image* decodeBmpMemory(const unsigned char* data, std::size_t size, const char* fileName);

// Sends one message to the installed reporter (the modal box by default).
void reportDecoderError(const char* message);

// The default reporter: a modal box captioned "Error", or standard error when no
// box can be shown.
void showErrorBox(const char* message);
