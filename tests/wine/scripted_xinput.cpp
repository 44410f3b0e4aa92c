// XInput as the Windows pad test scripts it: the game's own XInputGetState call lands
// here instead of in xinput9_1_0.dll, and reads pad 0 from the control file named by
// TRELVANE_TEST_PAD (tests/pad_script.h): no file, no pad; the other slots are empty.
#include <windows.h>

#include <xinput.h>

#include <cstdlib>

#include "tests/pad_script.h"

namespace {

SHORT stickValue(float value) {
    return static_cast<SHORT>(value * 32767.0f);
}

WORD buttons(unsigned short held) {
    const unsigned short from[] = {kPadA,  kPadLeftBumper, kPadStart, kPadBack,
                                   kPadUp, kPadDown,       kPadLeft,  kPadRight};
    const WORD to[] = {XINPUT_GAMEPAD_A,         XINPUT_GAMEPAD_LEFT_SHOULDER,
                       XINPUT_GAMEPAD_START,     XINPUT_GAMEPAD_BACK,
                       XINPUT_GAMEPAD_DPAD_UP,   XINPUT_GAMEPAD_DPAD_DOWN,
                       XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_RIGHT};
    WORD out = 0;
    for (int i = 0; i < 8; ++i) {
        if (held & from[i])
            out |= to[i];
    }
    return out;
}

DWORD packet = 0;

}  // namespace

extern "C" DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    const char* path = std::getenv("TRELVANE_TEST_PAD");
    PadState pad;
    if (slot != 0 || path == nullptr || !padscript::readPadFile(path, pad))
        return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_GAMEPAD& read = state->Gamepad;
    read.wButtons = buttons(pad.buttons);
    read.bLeftTrigger = static_cast<BYTE>(pad.leftTrigger * 255.0f);
    read.bRightTrigger = static_cast<BYTE>(pad.rightTrigger * 255.0f);
    // XInput's sticks point y upward.
    read.sThumbLX = stickValue(pad.leftX);
    read.sThumbLY = stickValue(-pad.leftY);
    read.sThumbRX = stickValue(pad.rightX);
    read.sThumbRY = stickValue(-pad.rightY);
    state->dwPacketNumber = ++packet;
    return ERROR_SUCCESS;
}
