// The game's two sound effects, synthesised, and a WAV writer for them.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kSampleRate = 22050;

// The bytes of a RIFF WAVE file: 16-bit PCM, one channel, kSampleRate samples a second.
std::vector<unsigned char> encodeWav(const std::vector<std::int16_t>& samples);

// "shoot.wav": a sharp crack with a falling thump, about 0.2 s.
std::vector<std::int16_t> synthShot();
// "explode.wav": a low rumble with crackle that dies away over about 1.5 s.
std::vector<std::int16_t> synthExplosion();
