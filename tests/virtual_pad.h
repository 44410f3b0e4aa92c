// One of SDL's virtual joysticks of the game-controller type, for the programs that play
// or measure the game with a pad and no hardware (tests/virtual_pad_game.cpp,
// bench/pad_bench.cpp). SDL's joystick subsystem must be running.
#pragma once

#include <SDL.h>

namespace virtualpad {

// Attaches a game controller with every axis and button SDL names, and opens it; null
// when SDL refuses (SDL_GetError says why).
inline SDL_Joystick* open(const char* name) {
    SDL_VirtualJoystickDesc pad = {};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    pad.name = name;
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    return index < 0 ? nullptr : SDL_JoystickOpen(index);
}

// Closes the pad and detaches it, as a pad is unplugged; `pad` is null after.
inline void close(SDL_Joystick*& pad) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    pad = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id)
            SDL_JoystickDetachVirtual(i);
    }
}

}  // namespace virtualpad
