// Gamepads in the browser, through the Gamepad API (web/platform.js): each frame the
// page's pads with the standard mapping are read into a table of numbers, which this
// file turns into the pads' states. A page where the browser refuses the API reads no
// pad, and the game plays on with the keyboard.
#include "app/gamepad.h"
#include "world/world.h"

namespace {

// Per pad: connected (0 or 1), left x and y, right x and y, left and right trigger,
// and the PadButton bits.
constexpr int kValuesPerPad = 8;
float values[kMostPads * kValuesPerPad];

}  // namespace

extern "C" void trelvaneReadPads(float* values, int mostPads);

void readGamepads() {
    trelvaneReadPads(values, kMostPads);
    for (int slot = 0; slot < kMostPads; ++slot) {
        const float* pad = values + slot * kValuesPerPad;
        const bool there = pad[0] != 0.0f;
        if (there != gamepads.connected[slot]) {
            if (there)
                plugPad(slot);
            else
                unplugPad(slot);
        }
        if (!there)
            continue;
        PadState& state = gamepads.state[slot];
        state.leftX = pad[1];
        state.leftY = pad[2];
        state.rightX = pad[3];
        state.rightY = pad[4];
        state.leftTrigger = pad[5];
        state.rightTrigger = pad[6];
        state.buttons = static_cast<unsigned short>(pad[7]);
    }
    settlePads(static_cast<unsigned int>(platform.elapsedMilliseconds()));
}
