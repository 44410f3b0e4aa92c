// Enemy steering with a seeded generator: the one draw per frame, wandering, swerving
// with a remembered direction, firing at tanks ahead, aggression by level; and the
// batch contact test that the frame and the look-ahead share.
#include <cstring>

#include "tests/game_support.h"
#include "world/contact.h"

using gametest::GameTest;

namespace {

int rollOf(int draw) {
    return static_cast<int>(draw / 32768.0 * 1001);
}

// A seed whose first draw rolls within [low, high].
unsigned seedRolling(int low, int high) {
    for (unsigned seed = 1;; ++seed) {
        seedRandom(seed);
        const int roll = rollOf(nextRandom());
        if (roll >= low && roll <= high) {
            seedRandom(seed);
            return seed;
        }
    }
}

// Enemy 1 at (100, 0.4, 100) heading +z at full speed, size 1, with the player far away.
class EnemySteering : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 600, 600);
        Tank& enemy = putTank(1, 100, 100);
        enemy.speed = 15;
        game.tankLast = 1;
        game.obstacleLast = -1;
        game.phase = Playing;
    }
    static Tank& enemy() { return game.tanks[1]; }
    // An obstacle of size 2 whose contact comes at 0.5 of the 4 s look-ahead.
    static void obstacleAtHalf() {
        putObstacle(0, 100, 133).position.y = 0.4f;
        game.obstacleLast = 0;
    }
    // A tank of size 2 whose contact comes at `fraction` of the 2 s look-ahead
    // (1.0 when the gap is 30).
    static void tankAhead(float gap) {
        putTank(2, 100, 103 + gap, 180, 2.0f);
        game.tankLast = 2;
    }
    static void steer(float dt) {
        const unsigned long long before = randomDrawCount();
        steerEnemy(1, dt);
        EXPECT_EQ(randomDrawCount() - before, 1u) << "one draw per enemy per frame";
    }
};

class BatchContact : public ::testing::Test {};

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST_F(EnemySteering, WandersByTheRollWhenNothingIsAhead) {
    enemy().avoidTurn = -1;
    seedRolling(0, 200);
    steer(0.01f);
    EXPECT_FLOAT_EQ(enemy().turnRate, -1.3f);
    EXPECT_EQ(enemy().avoidTurn, 0);
    EXPECT_EQ(enemy().speed, 15.0f);  // accelerated, capped

    enemy().turnRate = 0;
    seedRolling(201, 400);
    steer(0.01f);
    EXPECT_FLOAT_EQ(enemy().turnRate, 1.3f);

    enemy().turnRate = 0;
    seedRolling(401, 402);  // within 400 + 200 * dt
    steer(0.01f);
    EXPECT_EQ(enemy().turnRate, 0.0f);
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(enemy().shotsFired, 1);

    seedRolling(403, 1000);
    enemy().reloadTime = 0;
    steer(0.01f);
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(enemy().turnRate, 0.0f);
}

TEST_F(EnemySteering, SwervesAroundAnObstacleAndRemembersTheDirection) {
    obstacleAtHalf();
    seedRolling(501, 1000);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, -1);
    EXPECT_EQ(enemy().turnRate, 1.0f);

    // Once swerving right it keeps right, whatever the roll says.
    enemy().avoidTurn = 1;
    enemy().turnRate = 0;
    seedRolling(501, 1000);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, 1);
    EXPECT_EQ(enemy().turnRate, -1.0f);

    enemy().avoidTurn = 0;
    enemy().turnRate = 0;
    seedRolling(0, 500);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, 1);
    EXPECT_EQ(enemy().turnRate, -1.0f);
    EXPECT_EQ(game.bulletLast, -1);  // obstacles are never shot at

    game.obstacleLast = -1;  // clear road: the memory is dropped
    seedRolling(500, 1000);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, 0);
}

TEST_F(EnemySteering, AnEnemyAlreadyOverlappingAnObstacleDoesNotSwerve) {
    putObstacle(0, 100, 102).position.y = 0.4f;
    game.obstacleLast = 0;
    enemy().avoidTurn = 1;
    seedRolling(600, 1000);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, 0);
}

TEST_F(EnemySteering, ATankMustBeStrictlyNearerThanAnObstacleToCount) {
    // Tank at 1.0 of 2 s against an obstacle at 0.5 of 4 s: a tie, the obstacle wins.
    obstacleAtHalf();
    tankAhead(30);
    seedRolling(501, 900);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, -1) << "obstacle rule: left for a roll above 500";

    // One unit closer, the tank is nearest: at level 0 it swerves right up to 975.
    tankAhead(29);
    enemy().avoidTurn = 0;
    enemy().turnRate = 0;
    seedRolling(501, 900);
    steer(0.01f);
    EXPECT_EQ(enemy().avoidTurn, 1);
    EXPECT_EQ(game.bulletLast, -1);
}

TEST_F(EnemySteering, FiresAtATankAheadByAggressionAndKeepsItsSwerve) {
    tankAhead(20);
    enemy().avoidTurn = -1;
    seedRolling(0, 0);  // level 0, dt 0.01: only roll 0 is within 50 * dt
    steer(0.01f);
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(enemy().avoidTurn, -1);
    EXPECT_EQ(enemy().turnRate, 0.0f);

    seedRolling(1, 1000);
    steer(0.01f);
    EXPECT_EQ(game.bulletLast, 0);
    EXPECT_EQ(enemy().turnRate, 1.0f);  // still swerving left
}

TEST_F(EnemySteering, AggressionGrowsByLevelUpTo970) {
    struct Case {
        unsigned level;
        bool fires;
    };
    // dt 1: a roll of 960 fires once aggression reaches 960 or more.
    const Case cases[] = {{8, false}, {9, false}, {10, true}, {12, true}, {4294967295u, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        game.level = c.level;
        game.bulletLast = -1;
        enemy().reloadTime = 0;
        enemy().avoidTurn = 0;
        tankAhead(20);
        seedRolling(960, 960);
        steerEnemy(1, 1.0f);
        EXPECT_EQ(game.bulletLast, c.fires ? 0 : -1);
        if (!c.fires) {
            // The swerve bias: right while the roll is within 1000 - aggression / 2.
            EXPECT_EQ(enemy().avoidTurn, -1);
        }
    }
    game.level = 12;
    game.bulletLast = -1;
    enemy().reloadTime = 0;
    seedRolling(971, 1000);
    steerEnemy(1, 1.0f);
    EXPECT_EQ(game.bulletLast, -1);  // 970 is the cap
    enemy().avoidTurn = 0;
    seedRolling(515, 515);
    steerEnemy(1, 0.0f);
    EXPECT_EQ(enemy().avoidTurn, 1);
    enemy().avoidTurn = 0;
    seedRolling(516, 516);
    steerEnemy(1, 0.0f);
    EXPECT_EQ(enemy().avoidTurn, -1);
}

TEST_F(EnemySteering, EveryEnemyDrawsOnceAndInTableOrder) {
    for (int i = 1; i <= 5; ++i)
        putTank(i, 50.0f + 100 * i, 300, 45).speed = 3;
    game.tankLast = 5;
    GameState batch;
    seedRandom(99);
    steerEnemies(0.02f);
    batch = game;
    const unsigned long long draws = randomDrawCount();
    for (int i = 1; i <= 5; ++i)
        putTank(i, 50.0f + 100 * i, 300, 45).speed = 3;
    seedRandom(99);
    for (int i = 1; i <= 5; ++i)
        steerEnemy(i, 0.02f);
    EXPECT_EQ(randomDrawCount() - draws, 5u);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(game.tanks[i].turnRate, batch.tanks[i].turnRate);
        EXPECT_EQ(game.tanks[i].speed, batch.tanks[i].speed);
    }
}

// The shared pair test must give predictContact's result bit for bit, contact or not.
TEST_F(BatchContact, MatchesPredictContactBitForBit) {
    seedRandom(2024);
    auto uniform = [](float low, float high) {
        return low + (high - low) * static_cast<float>(nextRandom()) / 32767.0f;
    };
    int contacts = 0;
    const float horizons[] = {0.016f, 0.5f, 2.0f, 4.0f, -0.3f, 1e-5f};
    for (int i = 0; i < 200000; ++i) {
        Entity a, b;
        const float spread = i % 3 == 0 ? 650.0f : 30.0f;
        a.position = Vector3(uniform(0, spread), i % 2 ? 0.4f : 0.0f, uniform(0, spread));
        b.position = Vector3(uniform(0, spread), 0.4f, uniform(0, spread));
        a.rotation.x = uniform(0, 360);
        b.rotation.x = uniform(0, 360);
        a.speed = uniform(-3, 65);
        b.speed = i % 4 == 0 ? 0.0f : uniform(-3, 30);
        a.size = uniform(0.1f, 2.0f);
        b.size = uniform(0.1f, 2.0f);
        if (i % 5 == 0) {
            // Grazing: b set at exactly a's reach along a line a is about to pass.
            b.position = a.position;
            b.position.x += a.size + b.size + uniform(-0.001f, 0.001f);
            a.rotation.x = 0;
            b.speed = 0;
        }
        const float horizon = horizons[i % 6];
        const float expected = predictContact(a, b, horizon);
        const float fast = contactFraction(contactBody(a, horizon), contactBody(b, horizon));
        ASSERT_TRUE(sameBits(expected, fast)) << i << ": " << expected << " vs " << fast;
        contacts += expected >= 0.0f && expected <= 1.0f;
    }
    EXPECT_GT(contacts, 2000);
}
