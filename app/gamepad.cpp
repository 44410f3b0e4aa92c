// The pads' mapping onto the game's keys, the same on every platform: sticks past a
// radial dead zone of about a third of their travel, triggers past half theirs, each
// with a little hysteresis; Back counts as Escape once held for a second.
#include "app/gamepad.h"

#include <cmath>

#include "app/app.h"

Gamepads gamepads;

namespace {

// The game keys, as PadKeys bits, and the key codes they press.
enum : PadKeys {
    kW = 1u << 0,
    kA = 1u << 1,
    kS = 1u << 2,
    kD = 1u << 3,
    kFire = 1u << 4,
    kTurbo = 1u << 5,
    kLookBack = 1u << 6,
    kLookLeft = 1u << 7,
    kLookRight = 1u << 8,
    kEnter = 1u << 9,
    kEscape = 1u << 10,
};
constexpr int kKeyCount = 11;
// In bit order; Escape last, since its press ends the game.
constexpr unsigned char kKeyCodes[kKeyCount] = {'w', 'a', 's', 'd', ' ', 9, '1', '2', '3', 13, 27};

constexpr PadKeys kDrive = kW | kA | kS | kD;
constexpr PadKeys kLooks = kLookBack | kLookLeft | kLookRight;

// A stick counts once past kStickOut of its travel, and then until back inside
// kStickIn.
constexpr float kStickOut = 0.36f;
constexpr float kStickIn = 0.30f;
// A counted stick holds a direction while it leans that way by this share of its
// push: on past kLeanOn, off below kLeanOff (about 24 and 19 degrees off the
// perpendicular), so a diagonal holds two keys and a near-straight push one.
constexpr float kLeanOn = 0.40f;
constexpr float kLeanOff = 0.32f;
// A look stays while the right stick still leans its way by half.
constexpr float kLookStays = 0.5f;
// A trigger counts past half its travel, and then until back below kTriggerIn.
constexpr float kTriggerOut = 0.5f;
constexpr float kTriggerIn = 0.45f;
// Back held this long is Escape.
constexpr unsigned int kBackMilliseconds = 1000;

// What the pads hold together, as last pressed; and whether the game has just let go
// of every key.
PadKeys held = 0;
bool quiet = false;

bool had(PadKeys previous, PadKeys key) {
    return (previous & key) != 0;
}

// The stick's push (0 to about 1.4 in a corner) past its zone, or 0 inside it.
float pushOutside(float x, float y, bool wasOut) {
    const float push = std::sqrt(x * x + y * y);
    return push > (wasOut ? kStickIn : kStickOut) ? push : 0.0f;
}

PadKeys driveKeys(float x, float y, PadKeys previous) {
    const float push = pushOutside(x, y, had(previous, kDrive));
    if (push == 0.0f)
        return 0;
    const float lean[4] = {-y / push, -x / push, y / push, x / push};  // W, A, S, D
    const PadKeys keys[4] = {kW, kA, kS, kD};
    PadKeys out = 0;
    for (int i = 0; i < 4; ++i) {
        if (lean[i] > (had(previous, keys[i]) ? kLeanOff : kLeanOn))
            out |= keys[i];
    }
    return out;
}

// Down, left or right on the right stick: one look at a time; up looks ahead.
PadKeys lookKeys(float x, float y, PadKeys previous) {
    const float push = pushOutside(x, y, had(previous, kLooks));
    if (push == 0.0f)
        return 0;
    const float lean[3] = {y / push, -x / push, x / push};  // back, left, right
    const PadKeys keys[3] = {kLookBack, kLookLeft, kLookRight};
    for (int i = 0; i < 3; ++i) {
        if (had(previous, keys[i]) && lean[i] >= kLookStays)
            return keys[i];
    }
    int most = 0;
    for (int i = 1; i < 3; ++i) {
        if (lean[i] > lean[most])
            most = i;
    }
    return lean[most] > -y / push ? keys[most] : 0;
}

PadKeys triggerKey(float pull, PadKeys key, PadKeys previous) {
    return pull > (had(previous, key) ? kTriggerIn : kTriggerOut) ? key : 0;
}

PadKeys buttonKeys(unsigned short buttons) {
    PadKeys keys = 0;
    const unsigned short from[] = {kPadUp, kPadDown,       kPadLeft, kPadRight,
                                   kPadA,  kPadLeftBumper, kPadStart};
    const PadKeys to[] = {kW, kS, kA, kD, kFire, kTurbo, kEnter};
    for (int i = 0; i < 7; ++i) {
        if (buttons & from[i])
            keys |= to[i];
    }
    return keys;
}

}  // namespace

PadKeys padKeys(const PadState& state, PadMemory& memory, unsigned int nowMs) {
    const PadKeys previous = memory.analogKeys;
    const PadKeys analog = driveKeys(state.leftX, state.leftY, previous) |
                           lookKeys(state.rightX, state.rightY, previous) |
                           triggerKey(state.rightTrigger, kFire, previous) |
                           triggerKey(state.leftTrigger, kTurbo, previous);
    memory.analogKeys = analog;
    PadKeys keys = analog | buttonKeys(state.buttons);
    if (state.buttons & kPadBack) {
        if (!memory.backDown) {
            memory.backDown = true;
            memory.backSince = nowMs;
        }
        if (nowMs - memory.backSince >= kBackMilliseconds)
            keys |= kEscape;
    } else {
        memory.backDown = false;
    }
    return keys;
}

void plugPad(int slot) {
    gamepads.state[slot] = PadState();
    gamepads.memory[slot] = PadMemory();
    gamepads.connected[slot] = true;
}

void unplugPad(int slot) {
    gamepads.connected[slot] = false;
    gamepads.state[slot] = PadState();
    gamepads.memory[slot] = PadMemory();
}

void settlePads(unsigned int nowMs) {
    PadKeys now = 0;
    for (int slot = 0; slot < kMostPads; ++slot) {
        if (gamepads.connected[slot])
            now |= padKeys(gamepads.state[slot], gamepads.memory[slot], nowMs);
    }
    if (quiet) {
        // The frame after the game let go of everything: what is held now is pressed
        // from the next frame on, and Back's second starts again.
        quiet = false;
        for (PadMemory& memory : gamepads.memory)
            memory = PadMemory();
        return;
    }
    const PadKeys goneUp = held & static_cast<PadKeys>(~now);
    const PadKeys wentDown = now & static_cast<PadKeys>(~held);
    held = now;
    for (int k = 0; k < kKeyCount; ++k) {
        if (goneUp & (1u << k))
            releaseGameKey(KeySource::Gamepad, kKeyCodes[k]);
    }
    for (int k = 0; k < kKeyCount; ++k) {
        if (wentDown & (1u << k))
            pressGameKey(KeySource::Gamepad, kKeyCodes[k]);
    }
}

void letGoOfPads() {
    held = 0;
    quiet = true;
}
