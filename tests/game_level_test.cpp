// Level set-up: the level table, the player's start, the order of the random draws,
// the wrapped levels below 0.
#include "app/app.h"
#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

namespace {

class LevelSetup : public GameTest {};

struct LevelRow {
    unsigned int level;
    int tankLast;
    float enemySize;
    float playerSize;
};

}  // namespace

TEST_F(LevelSetup, CountsAndSizesFollowTheLevelTable) {
    const LevelRow rows[] = {
        {0, 10, 1.025f, 1.075f},        {1, 14, 1.0f, 1.1f},
        {2, 18, 0.975345f, 1.124655f},  {9, 46, 0.80489f, 1.29511f},
        {10, 50, 0.780691f, 1.319309f}, {13, 50, 0.70823f, 1.39177f},
        {14, 50, 0.7f, 1.4f},           {1000, 50, 0.7f, 1.4f},
        {4294967295u, 6, 0.7f, 1.4f},   {4294967294u, 2, 0.7f, 1.4f},
    };
    for (const LevelRow& row : rows) {
        SCOPED_TRACE(row.level);
        setupLevel(row.level);
        EXPECT_EQ(game.level, row.level);
        EXPECT_EQ(game.tankLast, row.tankLast);
        EXPECT_NEAR(game.tanks[0].size, row.playerSize, 1e-5);
        for (int i = 1; i <= game.tankLast; ++i)
            ASSERT_NEAR(game.tanks[i].size, row.enemySize, 1e-5);
        EXPECT_EQ(game.obstacleLast, 149);
    }
}

TEST_F(LevelSetup, PlayerStartsAtTheCentreAtRest) {
    Tank& player = game.tanks[0];
    player.position = Vector3(12, 3, 40);
    player.rotation = Vector3(77, 1, 2);
    player.speed = 14;
    player.turnRate = -20;
    player.score = 250;
    player.turboCooldown = 9;
    setupLevel(3);
    EXPECT_EQ(player.position.x, 325.0f);
    EXPECT_EQ(player.position.y, 0.4f);
    EXPECT_EQ(player.position.z, 325.0f);
    EXPECT_EQ(player.rotation.x, 0.0f);
    EXPECT_EQ(player.rotation.y, 0.0f);
    EXPECT_EQ(player.speed, 0.0f);
    EXPECT_EQ(player.turnRate, 0.0f);
    EXPECT_EQ(player.speedDamping, 0.4f);
    EXPECT_EQ(player.turnDamping, 0.2f);
    EXPECT_EQ(player.texture, game.tankTexture);
    // Not the set-up's business: score and timers carry over.
    EXPECT_EQ(player.score, 250);
    EXPECT_EQ(player.turboCooldown, 9.0f);
}

TEST_F(LevelSetup, DrawsEnemiesZXHeadingThenObstaclesZX) {
    record.calendarSeconds = 123456789;
    game.tanks[4].avoidTurn = 1;
    game.tanks[4].reloadTime = 0.3f;
    setupLevel(0);

    seedRandom(123456789);
    auto coordinate = [] { return static_cast<float>(nextRandom() / 32768.0 * 651.0); };
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const float z = coordinate();
        const float x = coordinate();
        const float heading = static_cast<float>(nextRandom() / 32768.0 * 361.0);
        EXPECT_EQ(game.tanks[i].position.x, x);
        EXPECT_EQ(game.tanks[i].position.y, 0.4f);
        EXPECT_EQ(game.tanks[i].position.z, z);
        EXPECT_EQ(game.tanks[i].rotation.x, heading);
        EXPECT_EQ(game.tanks[i].speed, 0.0f);
        EXPECT_EQ(game.tanks[i].speedDamping, 0.4f);
        EXPECT_EQ(game.tanks[i].turnDamping, 0.2f);
    }
    for (int j = 0; j < 150; ++j) {
        SCOPED_TRACE(j);
        const float z = coordinate();
        const float x = coordinate();
        EXPECT_EQ(game.obstacles[j].position.x, x);
        EXPECT_EQ(game.obstacles[j].position.y, 0.0f);
        EXPECT_EQ(game.obstacles[j].position.z, z);
        EXPECT_EQ(game.obstacles[j].size, 2.0f);
        EXPECT_EQ(game.obstacles[j].texture, game.obstacleTexture);
    }
    // Reused enemy slots keep what the level does not set.
    EXPECT_EQ(game.tanks[4].avoidTurn, 1);
    EXPECT_EQ(game.tanks[4].reloadTime, 0.3f);
}

TEST_F(LevelSetup, TwoSetUpsInTheSameSecondDrawTheSamePlaces) {
    record.calendarSeconds = 1765200000;
    setupLevel(5);
    const GameState first = game;
    nextRandom();  // whatever ran in between
    setupLevel(5);
    for (int i = 0; i <= game.tankLast; ++i) {
        EXPECT_EQ(game.tanks[i].position.x, first.tanks[i].position.x);
        EXPECT_EQ(game.tanks[i].position.z, first.tanks[i].position.z);
        EXPECT_EQ(game.tanks[i].rotation.x, first.tanks[i].rotation.x);
    }
    for (int j = 0; j < 150; ++j)
        EXPECT_EQ(game.obstacles[j].position.x, first.obstacles[j].position.x);

    record.calendarSeconds += 1;
    setupLevel(5);
    int moved = 0;
    for (int i = 1; i <= game.tankLast; ++i)
        moved += game.tanks[i].position.x != first.tanks[i].position.x;
    EXPECT_GT(moved, 20);
}

TEST_F(LevelSetup, ShellsAndExplosionsSurviveASetUp) {
    game.bulletLast = 3;
    game.explosionLast = 1;
    game.lives = 2;
    setupLevel(1);
    EXPECT_EQ(game.bulletLast, 3);
    EXPECT_EQ(game.explosionLast, 1);
    EXPECT_EQ(game.lives, 2);
}

// Level 4294967293: 4L + 10 wraps to -2, and not even the player's slot is counted.
TEST_F(LevelSetup, EmptyTankTableIsHarmlessEverywhere) {
    setupLevel(4294967293u);
    EXPECT_EQ(game.tankLast, -2);
    game.phase = Playing;
    game.keyDown[' '] = 1;
    game.keyDown['w'] = 1;
    frameAt(0);
    for (int ms = 16; ms < 4000; ms += 16)
        frameAt(ms);
    EXPECT_EQ(game.tankLast, -2);
    EXPECT_EQ(game.phase, Playing);
    // With no tank counted not even the player's slot fires, as no entry point acts
    // on a slot outside the table.
    EXPECT_EQ(game.tanks[0].shotsFired, 0);
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.explosionLast, -1);
    steerEnemy(1, 0.016f);
    steerEnemies(0.016f);
    destroyTank(0);  // out of range while no tank is counted: nothing happens
    destroyTank(1);
    EXPECT_EQ(game.lives, 3);
    EXPECT_EQ(game.tankLast, -2);

    onKeyDown('+', 0, 0);
    EXPECT_EQ(game.level, 4294967294u);
    EXPECT_EQ(game.tankLast, 2);
    onKeyDown('-', 0, 0);
    onKeyDown('-', 0, 0);
    EXPECT_EQ(game.level, 4294967292u);
    EXPECT_EQ(game.tankLast, -6);
    frameAt(4100);
    onKeyDown('+', 0, 0);
    onKeyDown('+', 0, 0);
    onKeyDown('+', 0, 0);
    onKeyDown('+', 0, 0);
    EXPECT_EQ(game.level, 0u);
    EXPECT_EQ(game.tankLast, 10);
}
