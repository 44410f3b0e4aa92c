// Gamepads: one backend a platform reads the pads once a frame (SDL2's game controllers
// on Linux, gamepad_sdl.cpp; XInput on Windows, gamepad_win32.cpp; the browser's Gamepad
// API, gamepad_web.cpp) into the plain states below, and the mapping here (gamepad.cpp,
// no platform call) turns them into the game's keys, pressed and let go through
// pressGameKey and releaseGameKey as KeySource::Gamepad.
//
// The mapping, the same on every platform (standard layout, Xbox names):
//   left stick or d-pad      W, S, A, D (diagonals hold two)
//   right trigger or A       Space (fire)
//   left trigger or LB       Tab (turbo)
//   right stick down/left/right   1, 2, 3 (look back, left, right)
//   Start                    Enter
//   Back held one second     Escape
#pragma once

// The most pads read at once; a pad beyond them is not heard.
constexpr int kMostPads = 8;

// The buttons the game listens to, as bits of PadState::buttons.
enum PadButton : unsigned short {
    kPadA = 1u << 0,
    kPadLeftBumper = 1u << 1,
    kPadStart = 1u << 2,
    kPadBack = 1u << 3,
    kPadUp = 1u << 4,
    kPadDown = 1u << 5,
    kPadLeft = 1u << 6,
    kPadRight = 1u << 7,
};

// One pad's controls as read this frame. Sticks -1 to 1 with x to the right and y
// downward (pushed forward is y = -1); triggers 0 at rest to 1 pulled fully.
struct PadState {
    float leftX = 0.0f;
    float leftY = 0.0f;
    float rightX = 0.0f;
    float rightY = 0.0f;
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    unsigned short buttons = 0;
};

// The game keys a pad holds, as bits: W, A, S, D, fire, turbo, the three looks, Enter
// and Escape.
using PadKeys = unsigned short;

// What the mapping keeps of one pad between frames: which keys its sticks and triggers
// held (a held one lets go only well inside its zone, so a control resting at the edge
// does not flicker), and since when Back is down (milliseconds of the game's clock).
struct PadMemory {
    PadKeys analogKeys = 0;
    bool backDown = false;
    unsigned int backSince = 0;
};

// The keys one pad holds now, from its controls; updates its memory. `nowMs` is the
// game's clock in milliseconds (it may wrap).
PadKeys padKeys(const PadState& state, PadMemory& memory, unsigned int nowMs);

// Every pad a backend reads, by slot. A backend fills `state` of each connected slot
// every frame and plugs and unplugs slots as pads come and go.
struct Gamepads {
    PadState state[kMostPads];
    PadMemory memory[kMostPads];
    bool connected[kMostPads] = {};
};
extern Gamepads gamepads;

// A pad came into `slot`, its controls at rest; or left it, letting go of what it held.
void plugPad(int slot);
void unplugPad(int slot);

// Once a frame, after the backend read the connected pads: presses and lets go of the
// game's keys where what the pads hold together changed since the last frame (a key two
// pads hold stays held while either does). Enter and Escape act at once on their press.
void settlePads(unsigned int nowMs);

// The game let go of every key (the focus went elsewhere): the pads forget what they
// held, press nothing at the next frame, and from the frame after press again whatever
// they then hold. Called by letGoOfEverySource.
void letGoOfPads();

// The platform's backend: reads every pad and settles them. Once a frame, before the
// frame's update; allocates nothing. A machine or page without pads reads none.
void readGamepads();
