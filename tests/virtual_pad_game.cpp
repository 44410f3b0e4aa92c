// The real game, its start and frames as the player's, with one of SDL's virtual
// joysticks of the game-controller type as its pad: attached while the control file is
// there (tests/pad_script.h), its controls set from the file before each frame, and
// detached when the file goes.
// Usage: virtual_pad_game <control file> [GLUT arguments]
#include <GL/freeglut.h>
#include <SDL.h>

#include <cstdio>

#include "app/app.h"
#include "tests/pad_script.h"
#include "tests/virtual_pad.h"

namespace {

const char* controlFile = nullptr;
SDL_Joystick* virtualPad = nullptr;

Sint16 stickValue(float value) {
    return static_cast<Sint16>(value * 32767.0f);
}
// A trigger at rest is the axis' lowest value.
Sint16 triggerValue(float pull) {
    return static_cast<Sint16>(-32768.0f + pull * 65535.0f);
}

void attach() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "virtual pad: %s\n", SDL_GetError());
        return;
    }
    virtualPad = virtualpad::open("Virtual test pad");
    if (virtualPad == nullptr)
        std::fprintf(stderr, "virtual pad: %s\n", SDL_GetError());
}

void setControls(const PadState& state) {
    const struct {
        SDL_GameControllerAxis axis;
        Sint16 value;
    } axes[] = {{SDL_CONTROLLER_AXIS_LEFTX, stickValue(state.leftX)},
                {SDL_CONTROLLER_AXIS_LEFTY, stickValue(state.leftY)},
                {SDL_CONTROLLER_AXIS_RIGHTX, stickValue(state.rightX)},
                {SDL_CONTROLLER_AXIS_RIGHTY, stickValue(state.rightY)},
                {SDL_CONTROLLER_AXIS_TRIGGERLEFT, triggerValue(state.leftTrigger)},
                {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, triggerValue(state.rightTrigger)}};
    for (const auto& axis : axes)
        SDL_JoystickSetVirtualAxis(virtualPad, axis.axis, axis.value);
    const struct {
        SDL_GameControllerButton button;
        unsigned short bit;
    } buttons[] = {{SDL_CONTROLLER_BUTTON_A, kPadA},
                   {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kPadLeftBumper},
                   {SDL_CONTROLLER_BUTTON_START, kPadStart},
                   {SDL_CONTROLLER_BUTTON_BACK, kPadBack},
                   {SDL_CONTROLLER_BUTTON_DPAD_UP, kPadUp},
                   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kPadDown},
                   {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kPadLeft},
                   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kPadRight}};
    for (const auto& button : buttons) {
        SDL_JoystickSetVirtualButton(virtualPad, button.button,
                                     (state.buttons & button.bit) ? 1 : 0);
    }
}

// Before each of the game's frames: the pad attached, set or detached as the file says.
void drivenFrame() {
    PadState state;
    const bool there = padscript::readPadFile(controlFile, state);
    if (there && virtualPad == nullptr)
        attach();
    else if (!there && virtualPad != nullptr)
        virtualpad::close(virtualPad);
    if (virtualPad != nullptr)
        setControls(state);
    playFrame();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: virtual_pad_game <control file> [GLUT arguments]\n");
        return 2;
    }
    controlFile = argv[1];
    argv[1] = argv[0];
    int glutArgc = argc - 1;
    startGame(glutArgc, argv + 1);
    glutIdleFunc(drivenFrame);
    glutMainLoop();
    return 0;
}
