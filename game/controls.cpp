// The player's held keys, turned into one frame of actions.
#include "game/game.h"

namespace {

constexpr unsigned char kSpace = 32;
constexpr unsigned char kTab = 9;

bool held(unsigned char key) {
    return game.keyDown[key] != 0;
}

}  // namespace

void applyPlayerControls() {
    Tank& player = game.tanks[0];
    if (held(kSpace) && fireShell(0) == Fired)
        platform.playSound("shoot.wav");
    if (held('a'))
        player.turnLeft();
    if (held('d'))
        player.turnRight();
    if (held('w'))
        player.accelerate();
    if (held('s'))
        player.reverse();
    if (held(kTab) && player.turboCooldown <= 0.0f) {
        player.turboCooldown = 15.0f;
        player.turboTime = 3.0f;
    }
}

void pressKey(unsigned char key) {
    game.keyDown[key] = 1;
    game.keyUnread[key] = 1;
    game.keyReleaseDue[key] = 0;
}

void releaseKey(unsigned char key) {
    if (game.keyUnread[key]) {
        game.keyReleaseDue[key] = 1;
    } else {
        game.keyDown[key] = 0;
    }
}

void settleKeys() {
    if (platform.keyboardFocusElsewhere()) {
        for (int key = 0; key < 256; ++key) {
            if (game.keyDown[key])
                releaseKey(static_cast<unsigned char>(key));
        }
    }
    for (int key = 0; key < 256; ++key) {
        if (game.keyReleaseDue[key] && !game.keyUnread[key]) {
            game.keyDown[key] = 0;
            game.keyReleaseDue[key] = 0;
        }
        game.keyUnread[key] = 0;
    }
}
