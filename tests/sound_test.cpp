// Sound cues through SDL2's disk audio driver: what the device is fed lands in a file
// that the tests read back. Each test makes its own small WAV files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/sound.h"
#include "tests/scratch_folder.h"

namespace {

// One working directory and one device output per process: SDL reads the driver
// settings once, when the first cue opens the device.
// The folder goes when the program ends.
struct SoundPlace {
    ScratchFolder folder{"trelvane-sound-"};
    std::string directory = folder.path;
    std::string output;
    SoundPlace() {
        if (directory.empty())
            std::abort();
        output = directory + "/device.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        if (chdir(directory.c_str()) != 0)
            std::abort();
    }
};

const SoundPlace& place() {
    static SoundPlace instance;
    return instance;
}

void put16(std::FILE* f, unsigned v) {
    std::fputc(v & 0xff, f);
    std::fputc((v >> 8) & 0xff, f);
}
void put32(std::FILE* f, unsigned v) {
    put16(f, v & 0xffff);
    put16(f, v >> 16);
}

// A 16-bit PCM WAV file holding `frames` frames of `value` on every channel, or a
// square wave of that amplitude when `square` is set.
void writeWav(const std::string& name, unsigned rate, unsigned channels, unsigned frames, int value,
              bool square) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const unsigned bytes = frames * channels * 2;
    std::fputs("RIFF", f);
    put32(f, 36 + bytes);
    std::fputs("WAVEfmt ", f);
    put32(f, 16);
    put16(f, 1);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * channels * 2);
    put16(f, channels * 2);
    put16(f, 16);
    std::fputs("data", f);
    put32(f, bytes);
    for (unsigned i = 0; i < frames; ++i) {
        const int sample = square && (i / 20) % 2 ? -value : value;
        for (unsigned c = 0; c < channels; ++c)
            put16(f, static_cast<unsigned>(sample) & 0xffff);
    }
    std::fclose(f);
}

std::vector<std::int16_t> deviceOutput() {
    std::vector<std::int16_t> samples;
    std::FILE* f = std::fopen(place().output.c_str(), "rb");
    if (f == nullptr)
        return samples;
    std::int16_t sample;
    while (std::fread(&sample, sizeof sample, 1, f) == 1)
        samples.push_back(sample);
    std::fclose(f);
    return samples;
}

void wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

TEST(SoundCue, AMissingOrBrokenFileIsSilentAndHarmless) {
    place();
    std::FILE* broken = std::fopen("broken.wav", "wb");
    ASSERT_NE(broken, nullptr);
    std::fputs("RIFF not really a wave", broken);
    std::fclose(broken);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 50; ++i) {
        playSoundCue("explode.wav");
        playSoundCue("broken.wav");
        playSoundCue(nullptr);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    wait(300);
    const std::vector<std::int16_t> samples = deviceOutput();
    ASSERT_GT(samples.size(), 0u) << "the device never ran";
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(samples[i], 0) << i;
}

TEST(SoundCue, ACueIsConvertedAndPlayedInTheBackground) {
    place();
    writeWav("shoot.wav", 22050, 1, 22050 / 4, 12000, true);
    const auto start = std::chrono::steady_clock::now();
    playSoundCue("shoot.wav");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    wait(600);
    const std::vector<std::int16_t> samples = deviceOutput();
    std::size_t loud = 0;
    for (std::int16_t s : samples)
        loud += s > 8000 || s < -8000;
    EXPECT_GT(loud, 10000u) << samples.size() << " samples written";
}

TEST(SoundCue, ANewCueReplacesTheOnePlaying) {
    place();
    writeWav("long.wav", 44100, 2, 44100 * 3, 20000, false);
    writeWav("short.wav", 44100, 2, 44100 / 5, 5000, false);
    const std::size_t before = deviceOutput().size();
    playSoundCue("long.wav");
    wait(300);
    playSoundCue("short.wav");
    wait(700);
    const std::vector<std::int16_t> samples = deviceOutput();
    std::size_t lastLong = 0, firstShort = 0, shortCount = 0;
    for (std::size_t i = before; i < samples.size(); ++i) {
        if (samples[i] == 20000)
            lastLong = i;
        if (samples[i] == 5000) {
            if (firstShort == 0)
                firstShort = i;
            ++shortCount;
        }
    }
    ASSERT_GT(lastLong, 0u);
    ASSERT_GT(firstShort, 0u);
    EXPECT_LT(lastLong, firstShort) << "the long cue went on after the short one began";
    EXPECT_EQ(shortCount, 2u * 44100 / 5);
    EXPECT_EQ(samples.back(), 0);  // silence after the short cue
}
