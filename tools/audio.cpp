#include "tools/audio.h"

#include <algorithm>
#include <cmath>

#include "tools/little_endian.h"

namespace {

constexpr float kPi = 3.14159265f;

// A small deterministic white-noise source in -1..1.
struct Noise {
    std::uint32_t state = 12345;
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
};

// Scales to a peak of `peak` of full scale and converts to 16 bits.
std::vector<std::int16_t> toPcm(const std::vector<float>& wave, float peak) {
    float top = 1e-6f;
    for (float v : wave) {
        top = std::max(top, std::fabs(v));
    }
    std::vector<std::int16_t> out(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i) {
        out[i] = static_cast<std::int16_t>(std::lround(wave[i] / top * peak * 32767.0f));
    }
    return out;
}

}  // namespace

std::vector<unsigned char> encodeWav(const std::vector<std::int16_t>& samples) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putLittle32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle32(out, 16);
    putLittle16(out, 1);  // PCM
    putLittle16(out, 1);  // mono
    putLittle32(out, kSampleRate);
    putLittle32(out, kSampleRate * 2);  // bytes a second
    putLittle16(out, 2);                // bytes a frame
    putLittle16(out, 16);               // bits a sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLittle32(out, dataBytes);
    for (std::int16_t s : samples) {
        putLittle16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

std::vector<std::int16_t> synthShot() {
    const int n = kSampleRate * 21 / 100;
    std::vector<float> wave(n);
    Noise noise;
    float phase = 0, low = 0, band = 0;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        // The crack: bright noise with a 2 ms attack and a fast decay.
        const float attack = std::min(1.0f, t / 0.002f);
        const float crackEnv = attack * std::exp(-t / 0.025f);
        const float white = noise.next();
        low += (white - low) * 0.35f;
        band = white - low;
        // The thump: a sine that falls from 180 Hz to 55 Hz.
        const float freq = 55.0f + 125.0f * std::exp(-t / 0.04f);
        phase += 2 * kPi * freq / kSampleRate;
        const float thumpEnv = attack * std::exp(-t / 0.06f);
        // The tail: softened noise that fades out by the end.
        const float tail = low * std::exp(-t / 0.05f) * 0.6f;
        const float fadeOut = std::min(1.0f, (n - i) / (0.01f * kSampleRate));
        wave[i] = (band * crackEnv * 0.9f + std::sin(phase) * thumpEnv + tail) * fadeOut;
    }
    return toPcm(wave, 0.9f);
}

std::vector<std::int16_t> synthExplosion() {
    const int n = kSampleRate * 3 / 2;
    std::vector<float> wave(n);
    Noise noise;
    float lp1 = 0, lp2 = 0, lp3 = 0, phase = 0;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float attack = std::min(1.0f, t / 0.01f);
        const float env = attack * std::exp(-t / 0.45f);
        // Brown-ish rumble: white noise through three one-pole low-pass stages whose
        // cut-off falls as the blast dies.
        const float cut = 0.02f + 0.10f * std::exp(-t / 0.25f);
        const float white = noise.next();
        lp1 += (white - lp1) * cut;
        lp2 += (lp1 - lp2) * cut;
        lp3 += (lp2 - lp3) * 0.5f;
        // A low drone for body and sparse crackle early on.
        phase += 2 * kPi * (48.0f - 12.0f * t) / kSampleRate;
        const float drone = std::sin(phase) * 0.25f * std::exp(-t / 0.6f);
        const float crackle = (noise.next() > 0.995f - 0.01f * std::exp(-t / 0.3f))
                                  ? noise.next() * 0.6f * std::exp(-t / 0.35f)
                                  : 0.0f;
        const float fadeOut = std::min(1.0f, (n - i) / (0.05f * kSampleRate));
        wave[i] = (lp3 * 6.0f + drone + crackle) * env * fadeOut;
    }
    return toPcm(wave, 0.92f);
}
