// Hits and scoring: shells leaving the table, destroyed tanks, lives, the player's
// riding explosion, Defeat and Victory, and the bounded explosion table.
#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

namespace {

class RemoveShell : public GameTest {};
class DestroyTank : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        putTank(0, 300, 300);
        for (int i = 1; i <= 4; ++i)
            putTank(i, 100.0f * i, 50).score = i;
        game.tankLast = 4;
    }
};
class ExplosionTable : public GameTest {};

void fillShells(int count) {
    for (int i = 0; i < count; ++i) {
        game.bullets[i] = Bullet();
        game.bullets[i].owner = i;
    }
    game.bulletLast = count - 1;
}

}  // namespace

TEST_F(RemoveShell, LaterShellsMoveDownInOrder) {
    fillShells(5);
    removeShell(1, false);
    EXPECT_EQ(game.bulletLast, 3);
    const int owners[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(game.bullets[i].owner, owners[i]);
    EXPECT_EQ(game.explosionLast, -1);

    removeShell(3, false);  // the last one only lowers the fill
    EXPECT_EQ(game.bulletLast, 2);
    EXPECT_EQ(game.bullets[2].owner, 3);
}

TEST_F(RemoveShell, BurstSitsOnTheDrawnArc) {
    fillShells(2);
    Bullet& shell = game.bullets[0];
    shell.position = Vector3(10, 0.4f, 20);
    shell.size = 0.1f;
    shell.lifetime = 0.0f;  // its whole 1.5 s flown
    removeShell(0, true);
    ASSERT_EQ(game.explosionLast, 0);
    const Explosion& burst = game.explosions[0];
    EXPECT_EQ(burst.life, 3.0f);
    EXPECT_EQ(burst.position.x, 10.0f);
    EXPECT_EQ(burst.position.z, 20.0f);
    EXPECT_NEAR(burst.position.y, 0.1f, 1e-4);
    EXPECT_EQ(burst.colour[0], 1.0f);
    EXPECT_EQ(burst.colour[1], 0.4f);
    EXPECT_EQ(burst.colour[2], 0.4f);
    EXPECT_EQ(burst.followed, nullptr);
    EXPECT_EQ(burst.light, 0);

    Bullet& early = game.bullets[0];
    early.position = Vector3(0, 0.4f, 0);
    early.size = 0.1f;
    early.lifetime = 1.0f;  // 0.5 s into its flight
    removeShell(0, true);
    EXPECT_NEAR(game.explosions[1].position.y, 0.4f + 0.1f + 1.0f - 1.5111111f * 0.25f, 1e-5);
    EXPECT_EQ(game.bulletLast, -1);
}

TEST_F(DestroyTank, AnEnemyLeavesTheTableAndExplodes) {
    destroyTank(2);
    EXPECT_EQ(game.tankLast, 3);
    EXPECT_EQ(game.tanks[2].score, 3);
    EXPECT_EQ(game.tanks[3].score, 4);
    ASSERT_EQ(game.explosionLast, 0);
    const Explosion& boom = game.explosions[0];
    EXPECT_EQ(boom.life, 5.0f);
    EXPECT_EQ(boom.position.x, 200.0f);
    EXPECT_EQ(boom.colour[2], 0.4f);
    EXPECT_EQ(boom.colour[1], 1.0f);
    EXPECT_EQ(boom.followed, nullptr);
    EXPECT_EQ(game.phase, Title);
    EXPECT_EQ(game.lives, 3);
}

TEST_F(DestroyTank, TheLastEnemyWinsTheLevelAndLeavesItsExplosion) {
    game.phase = Playing;
    for (int i = 0; i < 3; ++i)
        destroyTank(1);
    EXPECT_EQ(game.phase, Playing);
    destroyTank(1);
    EXPECT_EQ(game.tankLast, 0);
    EXPECT_EQ(game.phase, Victory);
    EXPECT_EQ(game.explosionLast, 3);
}

TEST_F(DestroyTank, ThePlayerLosesALifeAndPointsWithAnExplosionRidingOnIt) {
    game.phase = Playing;
    game.tanks[0].score = 100;
    destroyTank(0);
    EXPECT_EQ(game.lives, 2);
    EXPECT_EQ(game.tanks[0].score, -200);
    EXPECT_EQ(game.tankLast, 4);
    EXPECT_EQ(game.tanks[0].position.x, 300.0f);
    ASSERT_EQ(game.explosionLast, 0);
    EXPECT_EQ(game.explosions[0].followed, &game.tanks[0]);
    EXPECT_EQ(game.phase, Playing);

    // It rides 1.2 above the tank while the tank drives on.
    game.tanks[0].position = Vector3(310, 0.4f, 290);
    EXPECT_FALSE(game.explosions[0].update(0.1));
    EXPECT_EQ(game.explosions[0].position.x, 310.0f);
    EXPECT_FLOAT_EQ(game.explosions[0].position.y, 1.6f);
    EXPECT_EQ(game.explosions[0].position.z, 290.0f);
}

TEST_F(DestroyTank, TheLastLifeWithdrawsThePlayersExplosionAndLoses) {
    game.phase = Playing;
    game.lives = 1;
    destroyTank(3);  // an enemy explosion first, in slot 0
    destroyTank(0);
    EXPECT_EQ(game.lives, 0);
    EXPECT_EQ(game.tanks[0].score, -300);
    EXPECT_EQ(game.phase, Defeat);
    EXPECT_EQ(game.explosionLast, 0);
    EXPECT_EQ(game.explosions[1].life, 0.0f);
    ASSERT_EQ(record.lightsOff.size(), 1u);
    EXPECT_EQ(record.lightsOff[0], game.explosions[1].light);
    EXPECT_GT(game.explosions[0].life, 0.0f);  // the enemy's burns on
}

TEST_F(ExplosionTable, TheFiftySecondExplosionIsDroppedAndNothingIsOverwritten) {
    putTank(0, 300, 300);
    game.tankLast = 0;
    game.phase = Playing;
    for (int i = 0; i < kExplosionCapacity; ++i) {
        game.bulletLast = 0;
        game.bullets[0] = Bullet();
        game.bullets[0].position = Vector3(static_cast<float>(i), 0.4f, 7);
        removeShell(0, true);
    }
    ASSERT_EQ(game.explosionLast, kExplosionCapacity - 1);
    const GameState before = game;
    const unsigned long long draws = randomDrawCount();

    game.bullets[0].position = Vector3(99, 0.4f, 99);
    game.bulletLast = 0;
    removeShell(0, true);  // the 52nd: dropped, the shell still leaves
    EXPECT_EQ(game.bulletLast, -1);
    EXPECT_EQ(game.explosionLast, kExplosionCapacity - 1);
    EXPECT_EQ(randomDrawCount(), draws);
    for (int k = 0; k < kExplosionCapacity; ++k) {
        EXPECT_EQ(game.explosions[k].position.x, before.explosions[k].position.x);
    }

    // The player struck with a full table: lives and score still count, no explosion.
    game.lives = 1;
    destroyTank(0);
    EXPECT_EQ(game.lives, 0);
    EXPECT_EQ(game.phase, Defeat);
    EXPECT_EQ(game.explosionLast, kExplosionCapacity - 1);  // nothing withdrawn
    EXPECT_TRUE(record.lightsOff.empty());
}

TEST_F(ExplosionTable, RunningExplosionsNeverShareALight) {
    putTank(0, 300, 300);
    game.tankLast = 0;
    game.phase = Playing;
    auto burst = [](float life) {
        game.bulletLast = 0;
        game.bullets[0] = Bullet();
        removeShell(0, true);
        game.explosions[game.explosionLast].life = life;
    };
    burst(1.0f);               // light 0
    burst(3.0f);               // light 1
    burst(0.5f);               // light 2
    burst(3.0f);               // light 3
    advanceExplosions(0.75f);  // light 2 finishes
    ASSERT_EQ(game.explosionLast, 2);
    EXPECT_EQ(game.explosions[0].light, 0);
    EXPECT_EQ(game.explosions[1].light, 1);
    EXPECT_EQ(game.explosions[2].light, 3);  // moved down, kept its light
    burst(3.0f);
    EXPECT_EQ(game.explosions[3].light, 2);  // the lowest free one, not its slot (3)
    advanceExplosions(0.5f);                 // light 0 finishes
    burst(3.0f);
    burst(3.0f);
    EXPECT_EQ(game.explosions[3].light, 0);
    EXPECT_EQ(game.explosions[4].light, 4);

    // Under random churn every running explosion holds a light of its own.
    for (int round = 0; round < 400; ++round) {
        const int add = nextRandom() % 4;
        for (int a = 0; a < add; ++a)
            burst(0.1f + (nextRandom() % 30) / 10.0f);
        advanceExplosions((nextRandom() % 10) / 10.0f);
        bool used[kExplosionCapacity] = {};
        for (int k = 0; k <= game.explosionLast; ++k) {
            const Explosion& e = game.explosions[k];
            ASSERT_GT(e.life, 0.0f);
            ASSERT_GE(e.light, 0);
            ASSERT_LT(e.light, kExplosionCapacity);
            ASSERT_FALSE(used[e.light]) << "light " << e.light << " shared";
            used[e.light] = true;
        }
    }
}

TEST_F(ExplosionTable, AFinishedExplosionLeavesWithItsLightOffAndOthersKeepRunning) {
    putTank(0, 300, 300);
    game.tankLast = 0;
    for (int i = 0; i < 3; ++i) {
        game.bulletLast = 0;
        game.bullets[0] = Bullet();
        game.bullets[0].position.x = static_cast<float>(i);
        removeShell(0, true);
    }
    game.explosions[1].life = 0.2f;
    const float copiedVelocity = game.explosions[2].particleVelocities[5][0];
    advanceExplosions(0.25f);
    ASSERT_EQ(game.explosionLast, 1);
    EXPECT_EQ(game.explosions[0].position.x, 0.0f);
    EXPECT_EQ(game.explosions[1].position.x, 2.0f);
    EXPECT_FLOAT_EQ(game.explosions[1].life, 2.75f);  // advanced once, not skipped
    EXPECT_NE(game.explosions[1].particleVelocities[5][0],
              game.explosions[0].particleVelocities[5][0]);
    EXPECT_LE(copiedVelocity - game.explosions[1].particleVelocities[5][0], 1.0f);
    // update() switched it off, then the frame made sure once more.
    EXPECT_EQ(record.lightsOff, (std::vector<int>{1, 1}));
}
