// Gamepads through SDL2's game-controller API, whose own database maps common pads and
// a handheld's built-in controls to the standard layout by their names. The subsystem
// starts at the first frame beside the GLUT window; the GLUT loop stays the loop, and
// SDL's events are pumped here, once a frame: pads come and go as SDL's device events
// say, and every other event is dropped (nothing else in the game reads them).
#include <SDL.h>

#include "app/gamepad.h"
#include "world/world.h"

namespace {

struct Controllers {
    bool tried = false;
    bool ready = false;
    SDL_GameController* open[kMostPads] = {};
    SDL_JoystickID id[kMostPads] = {};
};

Controllers controllers;

int slotOf(SDL_JoystickID id) {
    for (int slot = 0; slot < kMostPads; ++slot) {
        if (controllers.open[slot] != nullptr && controllers.id[slot] == id)
            return slot;
    }
    return -1;
}

// A device SDL has just found: opened into a free slot, unless it is open already
// (SDL announces the pads present at its start) or every slot is taken.
void openController(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || slotOf(id) >= 0)
        return;
    for (int slot = 0; slot < kMostPads; ++slot) {
        if (controllers.open[slot] != nullptr)
            continue;
        SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
        if (pad == nullptr)
            return;
        controllers.open[slot] = pad;
        controllers.id[slot] = id;
        plugPad(slot);
        return;
    }
}

void closeController(SDL_JoystickID id) {
    const int slot = slotOf(id);
    if (slot < 0)
        return;
    SDL_GameControllerClose(controllers.open[slot]);
    controllers.open[slot] = nullptr;
    unplugPad(slot);
}

// Starts SDL's controllers at the first frame and opens the pads already there (SDL
// announces them as well); false for good when SDL cannot.
bool controllersReady() {
    if (controllers.tried)
        return controllers.ready;
    controllers.tried = true;
    // SDL's event subsystem would otherwise catch SIGINT and SIGTERM for a queue that
    // no one reads for them: Ctrl+C and a logout must still end the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    controllers.ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!controllers.ready)
        return false;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i))
            openController(i);
    }
    return true;
}

void takeDeviceEvents() {
    SDL_PumpEvents();
    constexpr int kBatch = 16;
    SDL_Event events[kBatch];
    int count;
    while ((count = SDL_PeepEvents(events, kBatch, SDL_GETEVENT, SDL_CONTROLLERDEVICEADDED,
                                   SDL_CONTROLLERDEVICEREMOVED)) > 0) {
        for (int i = 0; i < count; ++i) {
            if (events[i].type == SDL_CONTROLLERDEVICEADDED)
                openController(events[i].cdevice.which);
            else if (events[i].type == SDL_CONTROLLERDEVICEREMOVED)
                closeController(events[i].cdevice.which);
        }
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

float stick(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    const float value = static_cast<float>(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f;
    return value < -1.0f ? -1.0f : value;
}

unsigned short buttons(SDL_GameController* pad) {
    const SDL_GameControllerButton from[] = {
        SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
        SDL_CONTROLLER_BUTTON_START,     SDL_CONTROLLER_BUTTON_BACK,
        SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
        SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT};
    const unsigned short to[] = {kPadA,  kPadLeftBumper, kPadStart, kPadBack,
                                 kPadUp, kPadDown,       kPadLeft,  kPadRight};
    unsigned short held = 0;
    for (int i = 0; i < 8; ++i) {
        if (SDL_GameControllerGetButton(pad, from[i]))
            held |= to[i];
    }
    return held;
}

}  // namespace

void readGamepads() {
    if (!controllersReady())
        return;
    takeDeviceEvents();
    for (int slot = 0; slot < kMostPads; ++slot) {
        SDL_GameController* pad = controllers.open[slot];
        if (pad == nullptr)
            continue;
        PadState& state = gamepads.state[slot];
        state.leftX = stick(pad, SDL_CONTROLLER_AXIS_LEFTX);
        state.leftY = stick(pad, SDL_CONTROLLER_AXIS_LEFTY);
        state.rightX = stick(pad, SDL_CONTROLLER_AXIS_RIGHTX);
        state.rightY = stick(pad, SDL_CONTROLLER_AXIS_RIGHTY);
        state.leftTrigger = stick(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
        state.rightTrigger = stick(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        state.buttons = buttons(pad);
    }
    settlePads(static_cast<unsigned int>(platform.elapsedMilliseconds()));
}
