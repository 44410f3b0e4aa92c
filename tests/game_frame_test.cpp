// The frame update: its clock and frame-rate text, the order of its steps, contact
// prediction with its tie-breaks, tank motion, and the shell loop.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

// Counts every allocation through operator new in this test program.
namespace {
unsigned long long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
// Out of line, so that the compiler never pairs this free with the new above.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

class FrameClock : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 325, 325);
        game.tankLast = 0;
        game.phase = Playing;
    }
};

// Shell-loop cases resolve one frame's contacts and motion directly, so that no enemy
// steers or fires in between.
class ShellLoop : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 500, 500);
        game.tankLast = 0;
        game.phase = Playing;
    }
    static void resolve(float dt) {
        FrameContacts contacts;
        predictFrameContacts(dt, contacts);
        moveTanksAndShells(dt, contacts);
    }
    // A shell at (x, 0.4, z) flying along +x at 35 units per second.
    static Bullet& eastbound(int slot, float x, float z, int owner) {
        Bullet& shell = putShell(slot, x, z, 90.0f, 35.0f, owner);
        game.bulletLast = slot > game.bulletLast ? slot : game.bulletLast;
        return shell;
    }
};

class TankMotion : public ShellLoop {};

}  // namespace

TEST_F(FrameClock, FirstFrameStepsAHundredThousandthAndShowsItsRate) {
    game.tanks[0].speed = 10;
    frameAt(7000);
    EXPECT_STREQ(game.fpsText, "100000.0");
    EXPECT_EQ(game.previousFrameClock, 7000u);
    EXPECT_EQ(game.fpsUpdateClock, 7000u);
    EXPECT_FLOAT_EQ(game.tanks[0].position.z, 325.0f + 10.0f * 0.00001f);
    EXPECT_EQ(record.redisplays, 1);
}

TEST_F(FrameClock, LaterFramesStepByTheMeasuredTimeAndRefreshTheRateTenTimesASecond) {
    frameAt(1000);
    game.tanks[0].speed = 10;
    game.tanks[0].speedDamping = 1;
    frameAt(1050);  // 0.05 s since the last refresh: text kept
    EXPECT_STREQ(game.fpsText, "100000.0");
    EXPECT_NEAR(game.tanks[0].position.z, 325.5f, 1e-4);
    frameAt(1100);  // 0.1 s: refreshed with this frame's own rate
    EXPECT_STREQ(game.fpsText, "20.0");
    EXPECT_EQ(game.fpsUpdateClock, 1100u);
    frameAt(4100);  // a long pause is not clamped
    EXPECT_NEAR(game.tanks[0].position.z, 356.0f, 1e-3);
    EXPECT_STREQ(game.fpsText, "0.3");
}

TEST_F(FrameClock, AZeroStepPrintsInfinityAndStandsStill) {
    frameAt(2000);
    game.tanks[0].speed = 10;
    game.fpsUpdateClock = 1000;
    frameAt(2000);
    EXPECT_STREQ(game.fpsText, "inf");
    EXPECT_EQ(game.tanks[0].position.z, 325.0f);
}

// GLUT's count is an int of milliseconds: negative after 24.8 days, back through zero
// after 49.7. Every step is still the time that passed.
TEST_F(FrameClock, AClockPastItsSignOrItsWrapStillStepsByTheTimeThatPassed) {
    Tank& player = game.tanks[0];
    player.speed = 10;
    frameAt(INT_MAX - 7);
    frameAt(INT_MIN + 8);  // 16 ms later
    EXPECT_STREQ(game.fpsText, "100000.0");
    EXPECT_NEAR(player.position.z, 325.16f, 1e-4);
    frameAt(INT_MIN + 108);
    EXPECT_STREQ(game.fpsText, "10.0");
    EXPECT_NEAR(player.position.z, 326.16f, 1e-4);
    frameAt(-16);
    frameAt(0);
    frameAt(100);
    EXPECT_STREQ(game.fpsText, "10.0");
    EXPECT_TRUE(player.position.z >= 0.0f && player.position.z < 650.0f);
}

// After ten hours a float of seconds only resolves 4 ms; the step does not depend on it.
TEST_F(FrameClock, AStepIsExactToTheMillisecondAfterHoursOfPlay) {
    const int tenHours = 10 * 3600 * 1000;
    frameAt(tenHours);
    frameAt(tenHours + 100);
    EXPECT_STREQ(game.fpsText, "10.0");
    frameAt(tenHours + 116);
    frameAt(tenHours + 216);
    EXPECT_STREQ(game.fpsText, "10.0");
    game.bulletLast = 0;
    putShell(0, 10, 10, 0, 35, 0).lifetime = 0.016f;
    frameAt(tenHours + 232);  // exactly the shell's lifetime: it bursts
    EXPECT_EQ(game.bulletLast, -1);
}

// Hours on a victory screen are carried into the next frame whole; every tank still ends
// it inside the field, every heading in (0, 360].
TEST_F(FrameClock, AFrameAfterHoursOfPauseLeavesEveryTankInTheField) {
    setupLevel(1);
    game.phase = Playing;
    game.keyDown['w'] = 1;
    game.keyDown['a'] = 1;
    int ms = 0;
    for (; ms <= 3000; ms += 16)
        frameAt(ms);
    ASSERT_GT(game.tanks[0].turnRate, 30.0f);
    frameAt(ms + 3 * 3600 * 1000);
    for (int t = 0; t <= game.tankLast; ++t) {
        const Tank& tank = game.tanks[t];
        EXPECT_TRUE(tank.position.x >= 0.0f && tank.position.x < 650.0f) << t;
        EXPECT_TRUE(tank.position.z >= 0.0f && tank.position.z < 650.0f) << t;
        EXPECT_TRUE(tank.rotation.x > 0.0f && tank.rotation.x <= 360.0f) << t;
    }
}

TEST_F(FrameClock, AShellFiredThisFrameAlreadyFlies) {
    game.keyDown[' '] = 1;
    frameAt(0);
    frameAt(100);
    ASSERT_EQ(game.bulletLast, 0);
    // One unit ahead at launch, then 0.1 s at 35.
    EXPECT_NEAR(game.bullets[0].position.z, 325.0f + 1.0f + 3.5f, 1e-3);
    EXPECT_NEAR(game.bullets[0].lifetime, 1.4f, 1e-4);
    EXPECT_NEAR(game.tanks[0].reloadTime, 0.4f, 1e-4);
}

TEST_F(FrameClock, ExplosionsAdvanceBeforeTheyAreDrawnAndLeaveWhenDone) {
    frameAt(0);
    game.bulletLast = 0;
    game.bullets[0] = Bullet();
    removeShell(0, true);
    frameAt(1000);
    EXPECT_FLOAT_EQ(game.explosions[0].life, 2.0f);
    frameAt(3000);
    EXPECT_EQ(game.explosionLast, -1);
    EXPECT_EQ(record.lightsOff, (std::vector<int>{0, 0}));
}

TEST_F(FrameClock, ALongPauseUsesUpShellsExplosionsAndTimers) {
    frameAt(0);
    Tank& player = game.tanks[0];
    player.reloadTime = 0.5f;
    player.turboTime = 3;
    player.turboCooldown = 15;
    putShell(0, 10, 10, 0, 35, 0);
    game.bulletLast = 0;
    destroyTank(0);  // a riding explosion
    game.phase = Victory;
    for (int ms = 0; ms < 10000; ms += 500)
        frameAt(ms);  // frozen on the screen
    EXPECT_EQ(game.bullets[0].lifetime, 1.5f);
    game.phase = Playing;
    frameAt(10000);
    EXPECT_EQ(player.reloadTime, 0.0f);
    EXPECT_EQ(player.turboTime, 0.0f);
    EXPECT_FLOAT_EQ(player.turboCooldown, 5.0f);
    EXPECT_EQ(game.bulletLast, -1);
    // The player's 5 s explosion finished; the shell's 3 s burst is new this frame.
    ASSERT_EQ(game.explosionLast, 0);
    EXPECT_EQ(game.explosions[0].life, 3.0f);
    EXPECT_NEAR(game.explosions[0].position.y, 0.5f, 1e-5);  // 0.4 + 0.1, nothing flown
}

TEST_F(ShellLoop, TheNearerOfAnObstacleAndATankIsHit) {
    putTank(1, 120, 100).score = 0;
    putObstacle(0, 112, 100).position.y = 0.4f;
    game.tankLast = 1;
    game.obstacleLast = 0;
    eastbound(0, 100, 100, 0);  // the obstacle first
    eastbound(1, 100, 200, 0);
    putTank(2, 110, 200);
    putObstacle(1, 120, 200).position.y = 0.4f;
    game.tankLast = 2;
    game.obstacleLast = 1;
    resolve(0.5f);
    // Shell 0 burst on the obstacle; shell 1 destroyed tank 2; tank 1 stands.
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.tankLast, 1);
    EXPECT_EQ(game.tanks[1].position.x, 120.0f);
    ASSERT_EQ(game.explosionLast, 1);
    EXPECT_EQ(game.explosions[0].life, 3.0f);
    EXPECT_EQ(game.explosions[0].position.x, 100.0f);  // where it stood, not the contact
    EXPECT_EQ(game.explosions[1].life, 5.0f);
    EXPECT_EQ(game.explosions[1].position.z, 200.0f);
    EXPECT_EQ(game.tanks[0].score, 105);
    EXPECT_EQ(game.tanks[0].hits, 1);
}

TEST_F(ShellLoop, ATankWinsAnExactTieWithAnObstacle) {
    putTank(1, 110, 100);
    Obstacle& twin = putObstacle(0, 110, 100);
    twin.position.y = 0.4f;
    twin.size = 1.0f;
    game.tankLast = 1;
    game.obstacleLast = 0;
    eastbound(0, 100, 100, 0);
    FrameContacts contacts;
    predictFrameContacts(0.5f, contacts);
    EXPECT_EQ(contacts.shellTarget[0], 1);
    EXPECT_FLOAT_EQ(contacts.shellContact[0], 8.9f / 35.0f);
    EXPECT_EQ(contacts.tankContact[1], contacts.shellContact[0]);
    moveTanksAndShells(0.5f, contacts);
    EXPECT_EQ(game.tankLast, 0);
    EXPECT_EQ(game.phase, Victory);
}

TEST_F(ShellLoop, TheLowerIndexWinsAnExactTieBetweenTanks) {
    putTank(1, 110, 100).score = 11;
    putTank(2, 110, 100).score = 22;
    game.tankLast = 2;
    eastbound(0, 100, 100, 0);
    FrameContacts contacts;
    predictFrameContacts(0.5f, contacts);
    EXPECT_EQ(contacts.shellTarget[0], 1);
    moveTanksAndShells(0.5f, contacts);
    ASSERT_EQ(game.tankLast, 1);
    EXPECT_EQ(game.tanks[1].score, 22);
}

TEST_F(ShellLoop, AShellStrikesTheTankItReachedAfterEarlierHitsMovedIt) {
    for (int i = 1; i <= 4; ++i)
        putTank(i, 110, 100.0f * i).score = i;
    game.tankLast = 4;
    eastbound(0, 100, 100, 0);  // reaches tank 1
    eastbound(1, 100, 300, 0);  // reaches tank 3, in slot 2 once tank 1 is gone
    resolve(0.5f);
    ASSERT_EQ(game.tankLast, 2);
    EXPECT_EQ(game.tanks[1].score, 2);
    EXPECT_EQ(game.tanks[2].score, 4);
    EXPECT_EQ(game.tanks[0].score, 210);
    EXPECT_EQ(game.tanks[0].hits, 2);
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.explosions[1].position.z, 300.0f);
}

TEST_F(ShellLoop, ATankDestroyedTwiceInAFrameFallsOnceAndTheSecondShellFliesOn) {
    putTank(1, 110, 100).score = 1;
    putTank(2, 400, 100).score = 2;
    game.tankLast = 2;
    eastbound(0, 100, 100, 0);
    Bullet& second = eastbound(1, 100, 100, 0);
    second.position.z = 100.5f;
    resolve(0.5f);
    ASSERT_EQ(game.tankLast, 1);
    EXPECT_EQ(game.tanks[1].score, 2);
    EXPECT_EQ(game.tanks[0].hits, 1);
    ASSERT_EQ(game.bulletLast, 0);
    EXPECT_FLOAT_EQ(game.bullets[0].position.x, 117.5f);
    EXPECT_FLOAT_EQ(game.bullets[0].lifetime, 1.0f);
    EXPECT_EQ(game.explosionLast, 0);
}

TEST_F(ShellLoop, ThePlayerStruckTwiceInAFrameLosesTwoLives) {
    putTank(0, 110, 100);
    putTank(1, 400, 400);
    game.tankLast = 1;
    eastbound(0, 100, 100, 1);
    eastbound(1, 100, 100.5f, 1);
    resolve(0.5f);
    EXPECT_EQ(game.lives, 1);
    EXPECT_EQ(game.tanks[0].score, -600);
    EXPECT_EQ(game.tanks[1].score, 210);
    EXPECT_EQ(game.explosionLast, 1);
    EXPECT_EQ(record.sounds, (std::vector<std::string>{"explode.wav", "explode.wav"}));
}

TEST_F(ShellLoop, TheExplosionCueNeedsAHitWithinFiftyOfThePlayer) {
    putTank(0, 160, 100);
    putTank(1, 110, 100);  // 50 away: silent
    putTank(2, 115, 120);  // closer than 50: heard
    game.tankLast = 2;
    eastbound(0, 100, 100, 0);
    eastbound(1, 105, 120, 0);
    resolve(0.5f);
    EXPECT_EQ(game.tankLast, 0);
    EXPECT_EQ(record.sounds, (std::vector<std::string>{"explode.wav"}));
}

TEST_F(ShellLoop, TheLastLifeLostEndsTheFrameInDefeatWhateverFollows) {
    putTank(0, 300, 100);
    putTank(1, 110, 100);
    game.tankLast = 1;
    game.lives = 1;
    eastbound(0, 100, 100, 0);  // the last enemy
    eastbound(1, 290, 100, 1);  // the player's last life
    resolve(0.5f);
    EXPECT_EQ(game.phase, Defeat);

    game.phase = Playing;
    game.lives = 1;
    game.explosionLast = -1;
    putTank(1, 110, 100);
    game.tankLast = 1;
    eastbound(0, 290, 100, 1);
    eastbound(1, 100, 100, 0);
    resolve(0.5f);
    EXPECT_EQ(game.phase, Defeat);
    EXPECT_EQ(game.lives, 0);
    EXPECT_EQ(game.tankLast, 0);  // the last enemy still falls
}

TEST_F(ShellLoop, APlayerStruckTwiceOnTheLastLifeEndsWithNoLivesAndNoExplosion) {
    putTank(0, 110, 100);
    putTank(1, 400, 400);
    game.tankLast = 1;
    game.lives = 1;
    eastbound(0, 100, 100, 1);
    eastbound(1, 100, 100.5f, 1);
    resolve(0.5f);
    EXPECT_EQ(game.phase, Defeat);
    EXPECT_EQ(game.lives, 0);
    EXPECT_EQ(game.tanks[0].score, -300);
    EXPECT_EQ(game.explosionLast, -1);
}

TEST_F(ShellLoop, ExpiredShellsBurstNearTheGround) {
    Bullet& shell = eastbound(0, 100, 100, 0);
    shell.lifetime = 0.25f;
    resolve(0.5f);
    EXPECT_EQ(game.bulletLast, -1);
    ASSERT_EQ(game.explosionLast, 0);
    EXPECT_EQ(game.explosions[0].position.x, 100.0f);  // not moved
    EXPECT_NEAR(game.explosions[0].position.y, 0.4f + 0.1f + 2.5f - 1.5111111f * 1.5625f, 1e-5);
}

TEST_F(TankMotion, TanksAboutToTouchStopButStillTurn) {
    Tank& a = putTank(1, 100, 100, 90.0f);
    a.speed = 10;
    a.turnRate = 10;
    Tank& b = putTank(2, 104, 100, 270.0f);
    b.speed = 10;
    Tank& c = putTank(3, 200, 200, 0.0f);
    c.speed = 10;
    game.tankLast = 3;
    resolve(0.5f);
    EXPECT_EQ(a.speed, 0.0f);
    EXPECT_EQ(b.speed, 0.0f);
    EXPECT_EQ(a.position.x, 100.0f);
    EXPECT_EQ(b.position.x, 104.0f);
    EXPECT_EQ(a.rotation.x, 95.0f);
    EXPECT_NEAR(c.position.z, 205.0f, 1e-4);
    EXPECT_EQ(c.speed, 10.0f);  // no damping set on this tank
}

TEST_F(TankMotion, ATankAboutToMeetAnObstacleOrAShellStops) {
    Tank& a = putTank(1, 100, 100, 90.0f);
    a.speed = 10;
    putObstacle(0, 106, 100).position.y = 0.4f;
    game.obstacleLast = 0;
    Tank& b = putTank(2, 300, 300, 0.0f);
    b.speed = 0.5f;
    eastbound(0, 290, 300, 1);
    game.tankLast = 2;
    FrameContacts contacts;
    predictFrameContacts(0.5f, contacts);
    EXPECT_FLOAT_EQ(contacts.tankContact[1], 0.3f);
    EXPECT_NE(contacts.tankContact[2], 2.0f);
    EXPECT_EQ(contacts.tankContact[0], 2.0f);
    moveTanksAndShells(0.5f, contacts);
    EXPECT_EQ(a.position.x, 100.0f);
    EXPECT_EQ(game.tankLast, 1);  // b was hit
}

TEST_F(TankMotion, ReloadCountsDownByTheStepToZero) {
    Tank& player = game.tanks[0];
    player.reloadTime = 0.5f;
    resolve(0.2f);
    EXPECT_FLOAT_EQ(player.reloadTime, 0.3f);
    resolve(0.3f);
    EXPECT_FLOAT_EQ(player.reloadTime, 0.0f);
    player.reloadTime = 0.1f;
    resolve(0.3f);
    EXPECT_EQ(player.reloadTime, 0.0f);
}

// A tiny negative coordinate used to round up to exactly 650, outside [0, 650).
TEST_F(TankMotion, WrappingNeverLandsOnTheFarEdge) {
    Tank& player = game.tanks[0];
    player.position = Vector3(1e-6f, 0.4f, 1e-6f);
    player.rotation.x = 225.0f;
    player.speed = 0.0001f;
    player.advance(0.1f);
    EXPECT_GE(player.position.x, 0.0f);
    EXPECT_LT(player.position.x, 650.0f);
    EXPECT_LT(player.position.z, 650.0f);
}

TEST_F(FrameClock, AFullFrameAllocatesNothing) {
    setupLevel(10);
    game.phase = Playing;
    game.keyDown[' '] = 1;
    game.keyDown['w'] = 1;
    platform.playSound = [](const char*) {};  // the recorder itself would allocate
    platform.switchLightOff = [](int) {};
    frameAt(0);
    const unsigned long long before = allocations;
    for (int ms = 16; ms < 20000; ms += 16)
        frameAt(ms);
    EXPECT_EQ(allocations, before);
    EXPECT_GT(game.tanks[0].shotsFired, 10);
}
