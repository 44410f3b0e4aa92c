// The game's keys from every device: the keyboard callbacks, and the touch controls and
// gamepads pressing the same keys. No GL here: they only record held keys and act at
// once on Enter, Escape, + and -. A key is held while any source holds it.
#include "app/app.h"
#include "app/gamepad.h"
#include "game/game.h"

namespace {

// GLUT's special-key codes for the arrows.
constexpr int kKeyLeft = 100;
constexpr int kKeyUp = 101;
constexpr int kKeyRight = 102;
constexpr int kKeyDown = 103;

unsigned char foldKey(unsigned char key) {
    switch (key) {
        case 'A':
            return 'a';
        case 'W':
            return 'w';
        case 'S':
            return 's';
        case 'D':
            return 'd';
        default:
            return key;
    }
}

// The letter flag an arrow shares, or 0 for any other special key.
unsigned char arrowFlag(int key) {
    switch (key) {
        case kKeyLeft:
            return 'a';
        case kKeyUp:
            return 'w';
        case kKeyRight:
            return 'd';
        case kKeyDown:
            return 's';
        default:
            return 0;
    }
}

void startLevelFromScreen() {
    if (game.phase == Playing)
        return;
    if (game.phase == Defeat) {
        game.lives = 3;
        game.tanks[0].score = 0;
        game.tanks[0].shotsFired = 0;
        game.tanks[0].hits = 0;
        game.level = 0;
    } else if (game.phase == Victory) {
        game.level += 1;
    }
    setupLevel(game.level);
    game.phase = Playing;
}

// Which sources hold each key, one bit a source.
unsigned char heldBy[256] = {};

unsigned char sourceBit(KeySource source) {
    return static_cast<unsigned char>(1u << static_cast<unsigned>(source));
}

}  // namespace

void pressGameKey(KeySource source, unsigned char key) {
    switch (key) {
        case 13:
            startLevelFromScreen();
            break;
        case 27:
            platform.exitProcess(0);
            return;
        case '+':
            game.level += 1;
            setupLevel(game.level);
            break;
        case '-':
            game.level -= 1;
            setupLevel(game.level);
            break;
        default:
            break;
    }
    const unsigned char flag = foldKey(key);
    heldBy[flag] |= sourceBit(source);
    pressKey(flag);
}

void releaseGameKey(KeySource source, unsigned char key) {
    const unsigned char flag = foldKey(key);
    heldBy[flag] &= static_cast<unsigned char>(~sourceBit(source));
    if (heldBy[flag] == 0)
        releaseKey(flag);
}

void letGoOfEverySource() {
    for (unsigned char& sources : heldBy)
        sources = 0;
    letGoOfPads();
}

void onKeyDown(unsigned char key, int, int) {
    pressGameKey(KeySource::Keyboard, key);
}

void onKeyUp(unsigned char key, int, int) {
    releaseGameKey(KeySource::Keyboard, key);
}

void onSpecialKeyDown(int key, int, int) {
    if (const unsigned char flag = arrowFlag(key))
        pressGameKey(KeySource::Keyboard, flag);
}

void onSpecialKeyUp(int key, int, int) {
    if (const unsigned char flag = arrowFlag(key))
        releaseGameKey(KeySource::Keyboard, flag);
}
