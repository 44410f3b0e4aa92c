// A test pad's controls, read from a file of words that a test script writes: lx=, ly=,
// rx=, ry= (sticks, -1 to 1, y downward), lt=, rt= (triggers, 0 to 1) each with a number,
// and the buttons held by name: a, lb, start, back, up, down, left, right. No file: no
// pad; an empty one: a pad at rest.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/gamepad.h"

namespace padscript {

inline void readWord(const char* word, PadState& state) {
    struct Axis {
        const char* name;
        float PadState::*value;
    };
    const Axis axes[] = {{"lx=", &PadState::leftX},       {"ly=", &PadState::leftY},
                         {"rx=", &PadState::rightX},      {"ry=", &PadState::rightY},
                         {"lt=", &PadState::leftTrigger}, {"rt=", &PadState::rightTrigger}};
    for (const Axis& axis : axes) {
        if (std::strncmp(word, axis.name, 3) == 0) {
            state.*axis.value = std::strtof(word + 3, nullptr);
            return;
        }
    }
    struct Button {
        const char* name;
        unsigned short bit;
    };
    const Button buttons[] = {{"a", kPadA},       {"lb", kPadLeftBumper}, {"start", kPadStart},
                              {"back", kPadBack}, {"up", kPadUp},         {"down", kPadDown},
                              {"left", kPadLeft}, {"right", kPadRight}};
    for (const Button& button : buttons) {
        if (std::strcmp(word, button.name) == 0)
            state.buttons |= button.bit;
    }
}

// False when there is no file (no pad); else the controls it names.
inline bool readPadFile(const char* path, PadState& state) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr)
        return false;
    state = PadState();
    char word[64];
    while (std::fscanf(file, "%63s", word) == 1)
        readWord(word, state);
    std::fclose(file);
    return true;
}

}  // namespace padscript
