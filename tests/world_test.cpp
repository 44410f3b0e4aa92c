// The world model: vectors, the start state of the tables, the motion step, the
// throttle and steering steps, firing and contact prediction.
#include <gtest/gtest.h>

#include <cmath>

#include "world/world.h"

namespace {

Entity standingAt(float x, float y, float z, float size) {
    Entity e;
    e.position = Vector3(x, y, z);
    e.size = size;
    return e;
}

Entity movingAt(float x, float z, float heading, float speed, float size) {
    Entity e = standingAt(x, 0.0f, z, size);
    e.rotation.x = heading;
    e.speed = speed;
    return e;
}

class FreshGame : public ::testing::Test {
protected:
    void SetUp() override { saved_ = game; }
    void TearDown() override { game = saved_; }
    GameState saved_;
};

}  // namespace

TEST(Vector3, IndexedAccessIgnoresIndicesOutsideOneToThree) {
    Vector3 v(1, 2, 3);
    EXPECT_EQ(v.get(1), 1.0f);
    EXPECT_EQ(v.get(3), 3.0f);
    EXPECT_EQ(v.get(0), 0.0f);
    EXPECT_EQ(v.get(4), 0.0f);
    Vector3 copy = v.set(0, 5);
    copy = v.set(4, 5);
    EXPECT_EQ(copy.x, 1.0f);
    EXPECT_EQ(copy.z, 3.0f);
    EXPECT_EQ(v.set(2, 9).y, 9.0f);
    Vector3 w;
    EXPECT_EQ(w.assign(v).y, 9.0f);
}

TEST(Vector3, DifferencesRunInOppositeDirections) {
    Vector3 a(1, 2, 3), b(4, 6, 8);
    Vector3 ab = a.offsetTo(b);
    Vector3 ba = b.offsetTo(a);
    EXPECT_EQ(ab.x, 3.0f);
    EXPECT_EQ(ba.x, -3.0f);
    EXPECT_EQ(a.offsetTo(a).lengthSquared(), 0.0f);
    Vector3 c = a;
    c.subtract(b);  // receiver minus argument
    EXPECT_EQ(c.z, -5.0f);
    EXPECT_EQ(Vector3(3, 4, 0).length(), 5.0f);
    EXPECT_EQ(Vector3(3, 4, 0).lengthSquared(), 25.0f);
    EXPECT_EQ(a.dot(b), 4.0f + 12.0f + 24.0f);
    EXPECT_EQ(a.plus(b).scaled(2.0f).divided(4.0f).y, 4.0f);
    Vector3 d(1, 0, -1);
    d.divide(0.0f);
    EXPECT_TRUE(std::isinf(d.x));
    EXPECT_TRUE(std::isnan(d.y));
}

TEST_F(FreshGame, StartStateHasOnlyThePlayerAndEmptyTables) {
    EXPECT_EQ(game.phase, Title);
    EXPECT_EQ(game.lives, 3);
    EXPECT_EQ(game.level, 0u);
    EXPECT_EQ(game.tankLast, 0);
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.obstacleLast, -1);
    EXPECT_EQ(game.explosionLast, -1);
    EXPECT_FALSE(game.frameClockStarted);
    EXPECT_EQ(game.skyTexture, 2u);
    EXPECT_EQ(game.turboLabelTexture, 29u);
    EXPECT_EQ(game.digitTextures[9], 16u);
    EXPECT_EQ(sizeof(game.keyDown), 256u);
    const Tank& player = game.tanks[0];
    EXPECT_EQ(player.lifetime, -1.0f);
    EXPECT_EQ(player.speedDamping, 1.0f);
    EXPECT_EQ(player.size, 1.0f);
    EXPECT_EQ(player.score, 0);
    const Explosion& e = game.explosions[50];
    EXPECT_EQ(e.particleCapacity, 20u);
    EXPECT_EQ(e.particleCount, 10u);
    EXPECT_EQ(e.particleGravity, -0.2f);
    EXPECT_EQ(e.colour[2], 0.0f);
    EXPECT_EQ(e.followed, nullptr);
}

TEST(Advance, WrapsTheFieldAndTheHeading) {
    Entity e = movingAt(649.9f, 100.0f, 90.0f, 10.0f, 1.0f);
    EXPECT_FALSE(e.advance(0.1f));
    EXPECT_NEAR(e.position.x, 0.9f, 1e-3);

    Entity turning = movingAt(10, 10, 350.0f, 0.0f, 1.0f);
    turning.turnRate = 20.0f;
    turning.advance(1.0f);
    EXPECT_NEAR(turning.rotation.x, 10.0f, 1e-4);

    Entity still = movingAt(10, 10, 0.0f, 0.0f, 1.0f);
    still.advance(0.5f);
    EXPECT_EQ(still.rotation.x, 360.0f);
    still.advance(0.5f);
    EXPECT_EQ(still.rotation.x, 360.0f);

    Entity backwards = movingAt(0.05f, 0.05f, 180.0f, 1.0f, 1.0f);
    backwards.advance(0.1f);  // z goes below 0 and wraps; x stays
    EXPECT_NEAR(backwards.position.z, 649.95f, 1e-3);
}

TEST(Advance, TurnsAndMovesWithTheRatesFromBeforeDamping) {
    Entity e = movingAt(100, 100, 90.0f, 10.0f, 1.0f);
    e.turnRate = 10.0f;
    e.speedDamping = 0.4f;
    e.turnDamping = 0.2f;
    e.advance(1.0f);
    EXPECT_NEAR(e.rotation.x, 100.0f, 1e-4);
    EXPECT_NEAR(e.turnRate, 2.0f, 1e-5);
    EXPECT_NEAR(e.speed, 4.0f, 1e-5);
    // Moved the full 10 units along the new heading of 100 degrees.
    EXPECT_NEAR(e.position.x, 100.0f + 10.0f * std::sin(100.0 * 0.017453292), 1e-3);
    EXPECT_NEAR(e.position.z, 100.0f + 10.0f * std::cos(100.0 * 0.017453292), 1e-3);
    // The dead zones end a slow drift.
    Entity slow = movingAt(100, 100, 90.0f, 0.12f, 1.0f);
    slow.turnRate = 0.12f;
    slow.speedDamping = 0.5f;
    slow.turnDamping = 0.5f;
    slow.advance(1.0f);
    EXPECT_EQ(slow.speed, 0.0f);
    EXPECT_EQ(slow.turnRate, 0.0f);
}

TEST(Advance, ExpiryLeavesThePositionButKeepsTheOtherChanges) {
    Entity shell = movingAt(100, 100, 90.0f, 35.0f, 0.1f);
    shell.lifetime = 0.01f;
    shell.turboTime = 1.0f;
    EXPECT_TRUE(shell.advance(0.02f));
    EXPECT_EQ(shell.position.x, 100.0f);
    EXPECT_NEAR(shell.turboTime, 0.98f, 1e-6);
    EXPECT_EQ(shell.lifetime, 0.01f);

    Entity living = movingAt(100, 100, 90.0f, 35.0f, 0.1f);
    living.lifetime = 1.5f;
    EXPECT_FALSE(living.advance(0.5f));
    EXPECT_EQ(living.lifetime, 1.0f);
    EXPECT_TRUE(living.advance(1.0f));  // dt equal to the life left ends it
}

TEST(Advance, TurboTimersCountDownToZero) {
    Entity e;
    e.turboCooldown = 15.0f;
    e.turboTime = 3.0f;
    e.advance(2.0f);
    EXPECT_EQ(e.turboCooldown, 13.0f);
    EXPECT_EQ(e.turboTime, 1.0f);
    e.advance(2.0f);
    EXPECT_EQ(e.turboTime, 0.0f);
}

TEST(Throttle, ForwardAndReverseSequences) {
    Tank t;
    t.accelerate();
    EXPECT_FLOAT_EQ(t.speed, 0.2f);
    t = Tank();
    t.reverse();
    EXPECT_FLOAT_EQ(t.speed, -0.2f);
    t.speed = 0.24f;
    t.reverse();  // 0.192 falls in the dead zone
    EXPECT_EQ(t.speed, 0.0f);
    t.speed = 20.0f;
    t.accelerate();  // 24, capped to the larger of 19.2 and 15
    EXPECT_FLOAT_EQ(t.speed, 19.2f);
    t.turboTime = 1.0f;
    t.speed = 29.0f;
    t.accelerate();
    EXPECT_FLOAT_EQ(t.speed, 30.0f);
    t = Tank();
    for (int i = 0; i < 40; ++i)
        t.reverse();
    EXPECT_FLOAT_EQ(t.speed, -2.5f);
    t.accelerate();  // braking a reverse
    EXPECT_FLOAT_EQ(t.speed, -2.0f);
    t.speed = 3.0f;
    t.reverse();
    EXPECT_FLOAT_EQ(t.speed, 2.4f);
}

TEST(Steering, LeftAfterRightDecaysThroughTheDeadZoneThenGrowsToTheLimit) {
    Tank t;
    t.turnRate = -1.0f;
    const float expected[] = {-0.7f, -0.49f, -0.343f, -0.2401f, 0.0f, 1.0f, 1.3f, 1.69f};
    for (float value : expected) {
        t.turnLeft();
        EXPECT_NEAR(t.turnRate, value, 1e-5);
    }
    for (int i = 0; i < 30; ++i)
        t.turnLeft();
    EXPECT_EQ(t.turnRate, 35.0f);
    t = Tank();
    t.turnRight();
    EXPECT_EQ(t.turnRate, -1.0f);
    for (int i = 0; i < 30; ++i)
        t.turnRight();
    EXPECT_EQ(t.turnRate, -35.0f);
}

TEST_F(FreshGame, FireShellLaunchesOneUnitAheadAndCharges) {
    Tank& t = game.tanks[0];
    t.position = Vector3(649.5f, 0.4f, 100.0f);
    t.rotation = Vector3(90.0f, 0, 0);
    t.speed = 15.0f;
    ASSERT_EQ(fireShell(0), Fired);
    ASSERT_EQ(game.bulletLast, 0);
    const Bullet& s = game.bullets[0];
    EXPECT_EQ(s.owner, 0);
    EXPECT_NEAR(s.position.x, 0.5f, 1e-3);  // wrapped past the edge
    EXPECT_NEAR(s.position.z, 100.0f, 1e-3);
    EXPECT_EQ(s.position.y, 0.4f);
    EXPECT_EQ(s.speed, 50.0f);
    EXPECT_EQ(s.lifetime, 1.5f);
    EXPECT_EQ(s.size, 0.1f);
    EXPECT_EQ(t.reloadTime, 0.5f);
    EXPECT_EQ(t.shotsFired, 1);
    EXPECT_EQ(t.score, -5);

    t.reloadTime = 0.01f;
    EXPECT_EQ(fireShell(0), Reloading);
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(t.shotsFired, 1);

    t.reloadTime = 0.0f;
    t.rotation.x = 0.0f;  // a heading of 0 is carried as 360
    EXPECT_EQ(fireShell(0), Fired);
    EXPECT_EQ(game.bullets[1].rotation.x, 360.0f);
}

TEST_F(FreshGame, AFullShellTableIsReportedBeforeTheReload) {
    game.bulletLast = kBulletCapacity - 1;
    game.tanks[0].reloadTime = 0.3f;
    EXPECT_EQ(fireShell(0), TableFull);
    EXPECT_EQ(game.bulletLast, kBulletCapacity - 1);
    EXPECT_EQ(game.tanks[0].reloadTime, 0.3f);
    EXPECT_EQ(game.tanks[0].shotsFired, 0);
}

TEST_F(FreshGame, OnlyATankInTheTableFires) {
    game.tankLast = 2;
    game.bullets[0].owner = 7;
    for (int slot : {-1, 3, kTankCapacity}) {
        EXPECT_EQ(fireShell(slot), NoTank) << slot;
    }
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.bullets[0].owner, 7);
    EXPECT_EQ(fireShell(2), Fired);
}

// A long pause carried into one step: however far the entity went, it ends inside the
// field, facing a heading in (0, 360].
TEST_F(FreshGame, AnyStepWrapsFullyAndNormalisesTheHeading) {
    Entity e;
    e.position = Vector3(100.0f, 0.4f, 100.0f);
    e.rotation.x = 90.0f;
    e.speed = 15.0f;
    e.turnRate = -35.0f;
    e.advance(455.0f);
    EXPECT_GE(e.position.x, 0.0f);
    EXPECT_LT(e.position.x, 650.0f);
    EXPECT_GE(e.position.z, 0.0f);
    EXPECT_LT(e.position.z, 650.0f);
    EXPECT_GT(e.rotation.x, 0.0f);
    EXPECT_LE(e.rotation.x, 360.0f);
    EXPECT_NEAR(e.rotation.x, 5.0f, 0.01f);  // 90 - 35 * 455 = -15835, 44 turns short of 5

    e.position = Vector3(-2000.0f, 0.4f, 1e7f);
    e.rotation.x = 720.0f;
    e.turnRate = 0.0f;
    e.speed = 0.0f;
    e.advance(1.0f);
    EXPECT_EQ(e.position.x, 600.0f);
    EXPECT_EQ(e.position.z, 1e7f - 15384.0f * 650.0f);
    EXPECT_EQ(e.rotation.x, 360.0f);
}

TEST(PredictContact, ApproachingSpheresTouchAtTheRightFraction) {
    Entity a = standingAt(0, 0, 0, 1.0f);
    Entity b = movingAt(10, 0, 270.0f, 10.0f, 1.0f);
    EXPECT_NEAR(predictContact(a, b, 1.0f), 0.8f, 1e-5);
    EXPECT_NEAR(predictContact(b, a, 1.0f), 0.8f, 1e-5);
    EXPECT_EQ(predictContact(a, b, 0.5f), -2.0f);
    EXPECT_EQ(predictContact(a, b, 0.0f), -2.0f);
    EXPECT_NEAR(predictContact(a, b, 2.0f), 0.4f, 1e-5);
}

TEST(PredictContact, NoContactForOverlapSelfParallelAndPassingBodies) {
    Entity a = movingAt(0, 0, 90.0f, 10.0f, 1.0f);
    Entity b = movingAt(1.5f, 0, 270.0f, 10.0f, 1.0f);
    EXPECT_EQ(predictContact(a, b, 1.0f), -2.0f);  // already overlapping
    EXPECT_EQ(predictContact(a, a, 1.0f), -2.0f);
    Entity side = movingAt(0, 5, 90.0f, 10.0f, 1.0f);
    EXPECT_EQ(predictContact(a, side, 1.0f), -2.0f);  // side by side
    Entity away = movingAt(10, 0, 90.0f, 20.0f, 1.0f);
    EXPECT_EQ(predictContact(a, away, 1.0f), -2.0f);
    Entity passing = movingAt(10, 3, 270.0f, 30.0f, 1.0f);
    EXPECT_EQ(predictContact(a, passing, 1.0f), -2.0f);
    // Height counts: a tank at 0.4 and an obstacle at 0 are 0.4 apart vertically.
    Entity tank = movingAt(0, 0, 90.0f, 10.0f, 1.0f);
    tank.position.y = 0.4f;
    Entity cone = standingAt(5.0f, 0.0f, 0.0f, 2.0f);
    float t = predictContact(tank, cone, 1.0f);
    EXPECT_NEAR(t, (5.0f - std::sqrt(9.0f - 0.16f)) / 10.0f, 1e-4);
}

TEST(PredictContact, ContactAtTheEndOfTheSpanCounts) {
    Entity a = standingAt(0, 0, 0, 1.0f);
    Entity b = movingAt(12, 0, 270.0f, 10.0f, 1.0f);
    EXPECT_NEAR(predictContact(a, b, 1.0f), 1.0f, 1e-6);
}
