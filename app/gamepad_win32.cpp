// Gamepads through XInput, Windows' own controller interface, from xinput9_1_0.dll:
// the one every Windows since Vista carries (and Wine provides), where the newer
// xinput1_4.dll came only with Windows 8. Four slots, read once a frame; an empty slot
// is slow to ask, so it is asked again only twice a second.
#include <windows.h>

#include <xinput.h>

#include "app/gamepad.h"
#include "world/world.h"

namespace {

constexpr int kSlots = XUSER_MAX_COUNT < kMostPads ? XUSER_MAX_COUNT : kMostPads;
constexpr unsigned int kEmptySlotWait = 500;  // milliseconds

struct Slots {
    bool askedYet[kSlots] = {};
    unsigned int emptySince[kSlots] = {};  // when an empty slot was last asked
};

Slots slots;

float stick(SHORT value) {
    const float f = static_cast<float>(value) / 32767.0f;
    return f < -1.0f ? -1.0f : f;
}

float trigger(BYTE value) {
    return static_cast<float>(value) / 255.0f;
}

unsigned short buttons(WORD held) {
    const WORD from[] = {XINPUT_GAMEPAD_A,         XINPUT_GAMEPAD_LEFT_SHOULDER,
                         XINPUT_GAMEPAD_START,     XINPUT_GAMEPAD_BACK,
                         XINPUT_GAMEPAD_DPAD_UP,   XINPUT_GAMEPAD_DPAD_DOWN,
                         XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_RIGHT};
    const unsigned short to[] = {kPadA,  kPadLeftBumper, kPadStart, kPadBack,
                                 kPadUp, kPadDown,       kPadLeft,  kPadRight};
    unsigned short out = 0;
    for (int i = 0; i < 8; ++i) {
        if (held & from[i])
            out |= to[i];
    }
    return out;
}

}  // namespace

void readGamepads() {
    const unsigned int now = static_cast<unsigned int>(platform.elapsedMilliseconds());
    for (int slot = 0; slot < kSlots; ++slot) {
        const bool wasThere = gamepads.connected[slot];
        if (!wasThere && slots.askedYet[slot] && now - slots.emptySince[slot] < kEmptySlotWait)
            continue;
        XINPUT_STATE read = {};
        if (XInputGetState(static_cast<DWORD>(slot), &read) != ERROR_SUCCESS) {
            if (wasThere)
                unplugPad(slot);
            slots.askedYet[slot] = true;
            slots.emptySince[slot] = now;
            continue;
        }
        if (!wasThere)
            plugPad(slot);
        const XINPUT_GAMEPAD& pad = read.Gamepad;
        PadState& state = gamepads.state[slot];
        // XInput's sticks point y upward; the game's point it downward.
        state.leftX = stick(pad.sThumbLX);
        state.leftY = -stick(pad.sThumbLY);
        state.rightX = stick(pad.sThumbRX);
        state.rightY = -stick(pad.sThumbRY);
        state.leftTrigger = trigger(pad.bLeftTrigger);
        state.rightTrigger = trigger(pad.bRightTrigger);
        state.buttons = buttons(pad.wButtons);
    }
    settlePads(now);
}
