// The pads' mapping onto the game's keys, frame by frame as the game reads them: sticks
// past a radial dead zone with hysteresis, triggers past half, diagonals, the looks,
// the buttons, Back held a second, several pads with the keyboard, a pad unplugged and
// the focus gone.
#include <algorithm>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/gamepad.h"
#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

namespace {

class Gamepad : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 100, 100);
        game.tankLast = 0;
        game.phase = Playing;
        gamepads = Gamepads();
        // No pad holds anything, and every source is let go; the frame after it.
        letGoOfEverySource();
        settlePads(0);
        plugPad(0);
    }
    void TearDown() override {
        gamepads = Gamepads();
        letGoOfEverySource();
        settlePads(0);
        GameTest::TearDown();
    }

    // One frame with pad 0 in `state` (and the other pads as they are): the pads read,
    // then the frame's update, as the game runs them.
    void frame(const PadState& state) {
        gamepads.state[0] = state;
        frame();
    }
    void frame() {
        settlePads(now_);
        frameAt(static_cast<int>(now_));
        now_ += 16;
    }
    static PadState stick(float x, float y) {
        PadState state;
        state.leftX = x;
        state.leftY = y;
        return state;
    }
    static PadState buttons(unsigned short held) {
        PadState state;
        state.buttons = held;
        return state;
    }
    static bool held(unsigned char key) { return game.keyDown[key] != 0; }

    unsigned int now_ = 1000;
};

}  // namespace

TEST_F(Gamepad, AStickCountsPastAThirdOfItsTravelInAnyDirection) {
    frame(stick(0.0f, -0.33f));
    EXPECT_FALSE(held('w'));
    frame(stick(0.0f, -0.38f));
    EXPECT_TRUE(held('w'));
    frame(stick(0.0f, 0.0f));
    EXPECT_FALSE(held('w'));
    // Radial: a diagonal push counts though neither axis alone is past a third.
    frame(stick(0.27f, -0.27f));
    EXPECT_TRUE(held('w'));
    EXPECT_TRUE(held('d'));
}

TEST_F(Gamepad, AStickRestingAtTheEdgeOfItsZoneDoesNotFlicker) {
    const float edge[] = {-0.31f, -0.35f, -0.33f, -0.34f, -0.32f, -0.35f};
    for (float y : edge) {
        frame(stick(0.0f, y));
        EXPECT_FALSE(held('w')) << y;
    }
    frame(stick(0.0f, -0.40f));
    EXPECT_TRUE(held('w'));
    for (float y : edge) {
        frame(stick(0.0f, y));
        EXPECT_TRUE(held('w')) << y;
    }
    frame(stick(0.0f, -0.28f));
    EXPECT_FALSE(held('w'));
}

TEST_F(Gamepad, ADiagonalHoldsTwoKeysAndANearlyStraightPushOne) {
    const struct {
        float x, y;
        const char* keys;
    } pushes[] = {{0.7f, -0.7f, "wd"}, {-0.7f, -0.7f, "wa"}, {0.7f, 0.7f, "sd"},
                  {-0.7f, 0.7f, "sa"}, {0.2f, -0.95f, "w"},  {-0.95f, 0.2f, "a"},
                  {0.3f, 0.95f, "s"},  {1.0f, 0.0f, "d"}};
    for (const auto& push : pushes) {
        frame(stick(0.0f, 0.0f));
        frame(stick(push.x, push.y));
        std::string keys;
        for (char key : {'w', 'a', 's', 'd'}) {
            if (held(static_cast<unsigned char>(key)))
                keys += key;
        }
        std::string expected = push.keys;
        std::sort(expected.begin(), expected.end());
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, expected) << push.x << ", " << push.y;
    }
}

TEST_F(Gamepad, TriggersCountPastHalfTheirTravel) {
    PadState state;
    state.rightTrigger = 0.48f;
    frame(state);
    EXPECT_FALSE(held(' '));
    state.rightTrigger = 0.55f;
    frame(state);
    EXPECT_TRUE(held(' '));
    EXPECT_EQ(record.sounds, std::vector<std::string>{"shoot.wav"});
    state.rightTrigger = 0.47f;  // eased a little: still pulled
    frame(state);
    EXPECT_TRUE(held(' '));
    state.rightTrigger = 0.3f;
    frame(state);
    EXPECT_FALSE(held(' '));

    state = PadState();
    state.leftTrigger = 0.6f;
    frame(state);
    EXPECT_TRUE(held(9));
    EXPECT_GT(game.tanks[0].turboTime, 2.9f);  // started, and counting down
}

TEST_F(Gamepad, TheRightStickLooksBackLeftOrRightOneAtATime) {
    const struct {
        float x, y;
        unsigned char look;
    } pushes[] = {{0.0f, 1.0f, '1'}, {-1.0f, 0.0f, '2'}, {1.0f, 0.0f, '3'}, {0.0f, -1.0f, 0}};
    for (const auto& push : pushes) {
        PadState state;
        frame(state);
        state.rightX = push.x;
        state.rightY = push.y;
        frame(state);
        for (unsigned char look : {'1', '2', '3'})
            EXPECT_EQ(held(look), look == push.look) << push.x << ", " << push.y << ": " << look;
    }
    // From back to the right: the look changes once the stick leans more right than back.
    PadState state;
    state.rightY = 1.0f;
    frame(state);
    state.rightX = 0.8f;
    state.rightY = 0.6f;
    frame(state);
    EXPECT_TRUE(held('1'));
    EXPECT_FALSE(held('3'));
    state.rightX = 0.95f;
    state.rightY = 0.3f;
    frame(state);
    EXPECT_FALSE(held('1'));
    EXPECT_TRUE(held('3'));
}

TEST_F(Gamepad, ButtonsPressTheirKeysAndStartStartsPlay) {
    const struct {
        unsigned short button;
        unsigned char key;
    } pairs[] = {{kPadA, ' '},    {kPadLeftBumper, 9}, {kPadUp, 'w'},
                 {kPadDown, 's'}, {kPadLeft, 'a'},     {kPadRight, 'd'}};
    for (const auto& pair : pairs) {
        frame(buttons(pair.button));
        EXPECT_TRUE(held(pair.key)) << pair.key;
        frame(buttons(0));
        EXPECT_FALSE(held(pair.key)) << pair.key;
    }
    game.phase = Title;
    frame(buttons(kPadStart));
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.tankLast, 10);
}

TEST_F(Gamepad, BackEndsTheGameOnlyOnceHeldASecond) {
    frame(buttons(kPadBack));
    now_ += 800;
    frame(buttons(kPadBack));
    frame(buttons(0));  // a brush: let go before the second
    EXPECT_TRUE(record.exits.empty());
    frame(buttons(kPadBack));  // held again: its second starts again
    now_ += 960;
    frame(buttons(kPadBack));
    EXPECT_TRUE(record.exits.empty());
    now_ += 30;
    frame(buttons(kPadBack));
    EXPECT_EQ(record.exits, std::vector<int>{0});
}

TEST_F(Gamepad, AKeyStaysHeldWhileAnotherPadOrTheKeyboardHoldsIt) {
    plugPad(1);
    gamepads.state[1] = stick(0.0f, -1.0f);
    frame(stick(0.0f, -1.0f));
    EXPECT_TRUE(held('w'));
    gamepads.state[1] = PadState();
    frame();
    EXPECT_TRUE(held('w'));  // pad 0 still pushes
    onKeyDown('w', 0, 0);
    frame(PadState());
    EXPECT_TRUE(held('w'));  // the keyboard holds it
    onKeyUp('w', 0, 0);
    frame();
    EXPECT_FALSE(held('w'));

    // And a pad's release does not let go of a key the keyboard holds.
    onKeyDown(' ', 0, 0);
    PadState fire;
    fire.rightTrigger = 1.0f;
    frame(fire);
    frame(PadState());
    EXPECT_TRUE(held(' '));
    onKeyUp(' ', 0, 0);
    frame();
    EXPECT_FALSE(held(' '));
}

TEST_F(Gamepad, APadUnpluggedLetsGoOfEveryKeyItHeld) {
    PadState state = stick(-0.7f, -0.7f);
    state.rightTrigger = 1.0f;
    frame(state);
    EXPECT_TRUE(held('w') && held('a') && held(' '));
    unplugPad(0);
    frame();
    EXPECT_FALSE(held('w'));
    EXPECT_FALSE(held('a'));
    EXPECT_FALSE(held(' '));
}

TEST_F(Gamepad, TheFocusGoneLetsGoAndThePadPressesAgainAFrameAfterItCameBack) {
    frame(stick(0.0f, -1.0f));
    EXPECT_TRUE(held('w'));
    // While the focus is elsewhere the frame lets go of every key (the platform's focus
    // check also lets go of every source), and the pad, still pushed, presses nothing.
    record.focusElsewhere = true;
    for (int i = 0; i < 3; ++i) {
        frame();
        letGoOfEverySource();
        EXPECT_FALSE(held('w')) << i;
    }
    record.focusElsewhere = false;
    frame();
    EXPECT_FALSE(held('w'));
    frame();
    EXPECT_TRUE(held('w'));
}
