// One frame's pad read on Linux, as the game makes it before each update: SDL's events
// pumped, every open controller read and mapped onto the game's keys. With no pad (the
// keyboard player's frame), with one of SDL's virtual game controllers held at a steady
// push, and with its stick swept through the edge of its dead zone so that keys come and
// go; and the mapping alone for four pads. The frame's budget at 60 Hz is 16.7 ms.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/gamepad.h"
#include "game/game.h"
#include "tests/virtual_pad.h"

namespace {

int benchMilliseconds = 0;
int benchClock() {
    return benchMilliseconds;
}

SDL_Joystick* virtualPad = nullptr;

void attachVirtualPad() {
    readGamepads();  // SDL's controllers started, as at the game's first frame
    virtualPad = virtualpad::open("Bench pad");
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
}

void detachVirtualPad() {
    virtualpad::close(virtualPad);
    readGamepads();
}

void frameRead(benchmark::State& state) {
    for (auto _ : state) {
        benchMilliseconds += 16;
        readGamepads();
    }
}

void BM_PadReadNoPad(benchmark::State& state) {
    readGamepads();
    frameRead(state);
}

void BM_PadReadSteadyPush(benchmark::State& state) {
    attachVirtualPad();
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_LEFTY, -32767);
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    readGamepads();  // the pad found and opened
    readGamepads();  // its controls read
    if (game.keyDown['w'] == 0 || game.keyDown[' '] == 0)
        state.SkipWithError("the virtual pad holds no key");
    frameRead(state);
    detachVirtualPad();
}

// The stick moved every frame, in and out of its zone: a key pressed or let go about
// every other frame.
void BM_PadReadSweptStick(benchmark::State& state) {
    attachVirtualPad();
    readGamepads();
    int frame = 0;
    for (auto _ : state) {
        benchMilliseconds += 16;
        const Sint16 push = (frame++ & 1) ? -16000 : -8000;
        SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_LEFTY, push);
        readGamepads();
    }
    detachVirtualPad();
}

// The mapping alone, four pads with sticks and triggers moving.
void BM_PadMappingFourPads(benchmark::State& state) {
    for (int slot = 0; slot < 4; ++slot)
        plugPad(slot);
    unsigned int now = 0;
    float phase = 0.0f;
    for (auto _ : state) {
        phase += 0.01f;
        for (int slot = 0; slot < 4; ++slot) {
            PadState& pad = gamepads.state[slot];
            pad.leftX = std::sin(phase + static_cast<float>(slot));
            pad.leftY = std::cos(phase + static_cast<float>(slot));
            pad.rightX = 0.2f * pad.leftY;
            pad.rightTrigger = 0.5f + 0.5f * pad.leftX;
        }
        now += 16;
        settlePads(now);
    }
    for (int slot = 0; slot < 4; ++slot)
        unplugPad(slot);
    settlePads(now);
}

BENCHMARK(BM_PadReadNoPad)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_PadReadSteadyPush)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_PadReadSweptStick)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_PadMappingFourPads)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
    // The game's keys reach the headless platform hooks; the clock is the bench's.
    platform.elapsedMilliseconds = benchClock;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
