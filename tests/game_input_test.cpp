// The keyboard: held flags with case folding and arrows, the keys that act at once
// (Enter by phase, Escape, + and -), and the player's held-key controls.
#include "app/app.h"
#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

namespace {

class Keyboard : public GameTest {};
class PhaseTable : public GameTest {};
class PlayerControls : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 100, 100);
    }
};

constexpr int kLeft = 100, kUp = 101, kRight = 102, kDown = 103;

}  // namespace

// Keys held across a frame, so that their release takes effect at once.
TEST_F(Keyboard, LettersFoldToLowerCaseOnPressAndRelease) {
    const char pairs[][2] = {{'A', 'a'}, {'W', 'w'}, {'S', 's'}, {'D', 'd'}};
    for (const auto& pair : pairs) {
        onKeyDown(pair[0], 0, 0);
        EXPECT_EQ(game.keyDown[static_cast<unsigned char>(pair[1])], 1);
        EXPECT_EQ(game.keyDown[static_cast<unsigned char>(pair[0])], 0);
        frameAt(0);
        onKeyUp(pair[1], 0, 0);
        EXPECT_EQ(game.keyDown[static_cast<unsigned char>(pair[1])], 0);
        onKeyDown(pair[1], 0, 0);
        frameAt(0);
        onKeyUp(pair[0], 0, 0);
        EXPECT_EQ(game.keyDown[static_cast<unsigned char>(pair[1])], 0);
    }
    // No other key folds.
    onKeyDown('Q', 0, 0);
    EXPECT_EQ(game.keyDown['Q'], 1);
    EXPECT_EQ(game.keyDown['q'], 0);
    onKeyDown(255, 0, 0);
    EXPECT_EQ(game.keyDown[255], 1);
    frameAt(0);
    onKeyUp(255, 0, 0);
    EXPECT_EQ(game.keyDown[255], 0);
}

TEST_F(Keyboard, ArrowsShareTheLetterFlags) {
    const int arrows[] = {kLeft, kUp, kRight, kDown};
    const unsigned char flags[] = {'a', 'w', 'd', 's'};
    for (int i = 0; i < 4; ++i) {
        onSpecialKeyDown(arrows[i], 0, 0);
        EXPECT_EQ(game.keyDown[flags[i]], 1);
        onKeyDown(flags[i], 0, 0);
        frameAt(0);
        onSpecialKeyUp(arrows[i], 0, 0);  // releasing either one stops it
        EXPECT_EQ(game.keyDown[flags[i]], 0);
    }
    unsigned char before[256];
    std::copy(game.keyDown, game.keyDown + 256, before);
    onSpecialKeyDown(1, 0, 0);  // F1: ignored
    onSpecialKeyDown(104, 0, 0);
    EXPECT_TRUE(std::equal(before, before + 256, game.keyDown));
}

TEST_F(Keyboard, ATapBetweenFramesActsInOneFrameAndALostFocusLetsEveryKeyGo) {
    game.phase = Playing;
    onKeyDown('w', 0, 0);
    onKeyUp('w', 0, 0);
    frameAt(10);
    EXPECT_EQ(game.keyDown['w'], 1);  // the frame after the tap reads it held
    frameAt(20);
    EXPECT_EQ(game.keyDown['w'], 0);  // and the next one released
    // Released and pressed again between frames (auto-repeat): still held.
    onKeyDown('d', 0, 0);
    frameAt(30);
    onKeyUp('d', 0, 0);
    onKeyDown('d', 0, 0);
    frameAt(40);
    frameAt(50);
    EXPECT_EQ(game.keyDown['d'], 1);
    // The focus elsewhere: held keys let go at the next frame, a fresh tap after one
    // more, and so is a press that was still on its way.
    onKeyDown(' ', 0, 0);
    record.focusElsewhere = true;
    frameAt(60);
    EXPECT_EQ(game.keyDown['d'], 0);
    EXPECT_EQ(game.keyDown[' '], 1);
    frameAt(70);
    EXPECT_EQ(game.keyDown[' '], 0);
    onKeyDown('w', 0, 0);
    frameAt(80);
    frameAt(90);
    EXPECT_EQ(game.keyDown['w'], 0);
}

// The keyboard, a finger and a pad on one key: it is held while any of them holds it.
TEST_F(Keyboard, AKeyIsHeldWhileAnySourceHoldsIt) {
    letGoOfEverySource();
    pressGameKey(KeySource::Touch, 'w');
    onKeyDown('W', 0, 0);
    frameAt(0);
    onKeyUp('w', 0, 0);
    EXPECT_EQ(game.keyDown['w'], 1);  // the finger still holds it
    pressGameKey(KeySource::Gamepad, 'w');
    frameAt(5);
    releaseGameKey(KeySource::Touch, 'w');
    EXPECT_EQ(game.keyDown['w'], 1);  // and now the pad
    releaseGameKey(KeySource::Gamepad, 'w');
    EXPECT_EQ(game.keyDown['w'], 0);
    // Enter from a pad acts at once, as the keyboard's does.
    pressGameKey(KeySource::Gamepad, 13);
    EXPECT_EQ(game.phase, Playing);
    // The focus gone lets every source go: a finger's release after it is not
    // kept from letting go by a key the keyboard lost meanwhile.
    onKeyDown(' ', 0, 0);
    frameAt(10);
    letGoOfEverySource();
    pressGameKey(KeySource::Touch, ' ');
    frameAt(20);
    releaseGameKey(KeySource::Touch, ' ');
    EXPECT_EQ(game.keyDown[' '], 0);
}

TEST_F(Keyboard, EscapeEndsTheProcessWithStatusZeroInEveryPhase) {
    for (GamePhase phase : {Title, Playing, Defeat, Victory}) {
        record.exits.clear();
        game.phase = phase;
        onKeyDown(27, 0, 0);
        ASSERT_EQ(record.exits.size(), 1u);
        EXPECT_EQ(record.exits[0], 0);
        EXPECT_EQ(game.phase, phase);
    }
}

TEST_F(Keyboard, PlusAndMinusRebuildTheLevelInAnyPhase) {
    for (GamePhase phase : {Title, Playing, Defeat, Victory}) {
        game.phase = phase;
        game.level = 3;
        game.tanks[0].position = Vector3(1, 1, 1);
        onKeyDown('+', 0, 0);
        EXPECT_EQ(game.level, 4u);
        EXPECT_EQ(game.tankLast, 26);
        EXPECT_EQ(game.tanks[0].position.x, 325.0f);
        onKeyDown('-', 0, 0);
        onKeyDown('-', 0, 0);
        EXPECT_EQ(game.level, 2u);
        EXPECT_EQ(game.tankLast, 18);
        EXPECT_EQ(game.phase, phase);
        EXPECT_EQ(game.keyDown['-'], 1);
    }
    game.phase = Title;
    game.level = 0;
    onKeyDown('-', 0, 0);
    EXPECT_EQ(game.level, 4294967295u);
    EXPECT_EQ(game.tankLast, 6);
    onKeyDown(13, 0, 0);
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.level, 4294967295u);
}

TEST_F(PhaseTable, EnterFromTitleStartsTheCurrentLevel) {
    game.level = 2;
    onKeyDown(13, 0, 0);
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.level, 2u);
    EXPECT_EQ(game.tankLast, 18);
    EXPECT_EQ(game.keyDown[13], 1);
    frameAt(0);
    onKeyUp(13, 0, 0);
    EXPECT_EQ(game.keyDown[13], 0);
}

TEST_F(PhaseTable, EnterWhilePlayingChangesNothing) {
    setupLevel(1);
    game.phase = Playing;
    game.tanks[3].position = Vector3(1, 0.4f, 2);
    game.lives = 2;
    onKeyDown(13, 0, 0);
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.level, 1u);
    EXPECT_EQ(game.tanks[3].position.x, 1.0f);
    EXPECT_EQ(game.lives, 2);
    EXPECT_EQ(game.keyDown[13], 1);
}

TEST_F(PhaseTable, EnterOnDefeatRestartsAtLevelZeroWithFreshCounters) {
    game.phase = Defeat;
    game.level = 7;
    game.lives = 0;
    game.tanks[0].score = -450;
    game.tanks[0].shotsFired = 30;
    game.tanks[0].hits = 4;
    game.bulletLast = 2;
    game.explosionLast = 0;
    onKeyDown(13, 0, 0);
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.level, 0u);
    EXPECT_EQ(game.tankLast, 10);
    EXPECT_EQ(game.lives, 3);
    EXPECT_EQ(game.tanks[0].score, 0);
    EXPECT_EQ(game.tanks[0].shotsFired, 0);
    EXPECT_EQ(game.tanks[0].hits, 0);
    EXPECT_EQ(game.bulletLast, 2);  // the lost game's shells fly on
    EXPECT_EQ(game.explosionLast, 0);
}

TEST_F(PhaseTable, EnterOnVictoryPlaysTheNextLevelKeepingLivesAndScore) {
    game.phase = Victory;
    game.level = 4;
    game.lives = 2;
    game.tanks[0].score = 1234;
    onKeyDown(13, 0, 0);
    EXPECT_EQ(game.phase, Playing);
    EXPECT_EQ(game.level, 5u);
    EXPECT_EQ(game.tankLast, 30);
    EXPECT_EQ(game.lives, 2);
    EXPECT_EQ(game.tanks[0].score, 1234);
}

TEST_F(PhaseTable, OnlyPlayingAdvancesTheGame) {
    for (GamePhase phase : {Title, Defeat, Victory}) {
        game = GameState();
        putTank(0, 100, 100).speed = 10;
        putShell(0, 200, 200, 0, 35, 0);
        game.bulletLast = 0;
        game.phase = phase;
        record.redisplays = 0;
        frameAt(5000);
        EXPECT_EQ(record.redisplays, 1);
        EXPECT_FALSE(game.frameClockStarted);
        EXPECT_EQ(game.tanks[0].position.z, 100.0f);
        EXPECT_EQ(game.bullets[0].position.z, 200.0f);
        EXPECT_EQ(game.bullets[0].lifetime, 1.5f);
        EXPECT_EQ(game.fpsText[0], '\0');
    }
}

TEST_F(PlayerControls, SpaceFiresWithTheShotCueOnlyWhenAShellLeaves) {
    game.keyDown[' '] = 1;
    applyPlayerControls();
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(game.tanks[0].score, -5);
    ASSERT_EQ(record.sounds.size(), 1u);
    EXPECT_EQ(record.sounds[0], "shoot.wav");
    applyPlayerControls();  // reloading
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(record.sounds.size(), 1u);
    game.tanks[0].reloadTime = 0;
    game.bulletLast = kBulletCapacity - 1;  // full
    applyPlayerControls();
    EXPECT_EQ(record.sounds.size(), 1u);
    EXPECT_EQ(game.tanks[0].shotsFired, 1);
}

TEST_F(PlayerControls, HeldKeysStepTurnAndThrottleOncePerCall) {
    Tank& player = game.tanks[0];
    game.keyDown['a'] = 1;
    game.keyDown['w'] = 1;
    applyPlayerControls();
    EXPECT_EQ(player.turnRate, 1.0f);
    EXPECT_EQ(player.speed, 0.2f);
    applyPlayerControls();
    EXPECT_FLOAT_EQ(player.turnRate, 1.3f);
    EXPECT_FLOAT_EQ(player.speed, 0.24f);
    // Opposite keys both act: left before right, forward before reverse.
    player = Tank();
    game.keyDown['d'] = 1;
    game.keyDown['s'] = 1;
    applyPlayerControls();
    EXPECT_EQ(player.turnRate, 0.7f);  // left to 1, then right takes 30 % off
    EXPECT_EQ(player.speed, 0.0f);     // forward to 0.2, then 0.16 falls in the dead zone
}

TEST_F(PlayerControls, TabStartsTurboOnlyAfterTheCoolDown) {
    Tank& player = game.tanks[0];
    game.keyDown[9] = 1;
    player.turboCooldown = 0.01f;
    applyPlayerControls();
    EXPECT_EQ(player.turboTime, 0.0f);
    player.turboCooldown = 0.0f;
    applyPlayerControls();
    EXPECT_EQ(player.turboCooldown, 15.0f);
    EXPECT_EQ(player.turboTime, 3.0f);
    player.turboTime = 1.0f;
    applyPlayerControls();
    EXPECT_EQ(player.turboTime, 1.0f);
}
