// The explosion's particle fountain: emission draws, the per-frame step, finishing,
// re-emission at the centre and the growing particle count.
#include "tests/game_support.h"

using gametest::GameTest;
using gametest::record;

namespace {

class ExplosionStep : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        boom = Explosion();
        boom.life = 3.0f;
        boom.light = 4;
        boom.restartParticles();
    }
    Explosion boom;
};

struct Emission {
    float life, vx, vy, vz;
};

// What emitParticle draws next, without drawing it.
Emission nextEmission(unsigned seedState, int skip, float particleLife = 1.0f) {
    seedRandom(seedState);
    for (int i = 0; i < skip; ++i)
        nextRandom();
    Emission e;
    e.life = static_cast<float>(particleLife + (2.0 * nextRandom() / 32767.0 - 1.0));
    e.vx = static_cast<float>(nextRandom() / 32768.0 * 1.4f - 0.2f);
    e.vy = static_cast<float>(nextRandom() / 32768.0 * 1.2f - 0.1f);
    e.vz = static_cast<float>(nextRandom() / 32768.0 * 1.4f - 0.2f);
    return e;
}

}  // namespace

TEST_F(ExplosionStep, EmissionDrawsFourValuesWithinTheirRanges) {
    seedRandom(5);
    const unsigned long long before = randomDrawCount();
    boom.restartParticles();
    EXPECT_EQ(randomDrawCount() - before, 80u);
    const Emission first = nextEmission(5, 0);
    EXPECT_EQ(boom.particleLives[0], first.life);
    EXPECT_EQ(boom.particleVelocities[0][0], first.vx);
    EXPECT_EQ(boom.particleVelocities[0][1], first.vy);
    EXPECT_EQ(boom.particleVelocities[0][2], first.vz);
    for (unsigned i = 0; i < kParticleCapacity; ++i) {
        EXPECT_GE(boom.particleLives[i], 0.0f);
        EXPECT_LE(boom.particleLives[i], 2.0f);
        EXPECT_GE(boom.particleVelocities[i][0], -0.2f);
        EXPECT_LT(boom.particleVelocities[i][0], 1.2f);
        EXPECT_GE(boom.particleVelocities[i][1], -0.1f);
        EXPECT_LT(boom.particleVelocities[i][1], 1.1f);
        EXPECT_EQ(boom.particlePositions[i][3], 1.0f);
        EXPECT_EQ(boom.particleVelocities[i][3], 0.0f);
    }
}

TEST_F(ExplosionStep, NothingIsEmittedByAFinishedExplosionOrPastTheSlots) {
    const unsigned long long before = randomDrawCount();
    boom.emitParticle(kParticleCapacity);
    boom.life = 0;
    boom.emitParticle(0);
    boom.restartParticles();
    EXPECT_EQ(randomDrawCount(), before);
}

TEST_F(ExplosionStep, AShellBurstFinishesOnTheSixthHalfSecond) {
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(boom.update(0.5)) << i;
    EXPECT_TRUE(record.lightsOff.empty());
    EXPECT_TRUE(boom.update(0.5));
    EXPECT_EQ(boom.life, 0.0f);
    EXPECT_EQ(record.lightsOff, (std::vector<int>{4}));
}

TEST_F(ExplosionStep, AStepOfExactlyTheRemainingLifeFinishesAndMovesNothing) {
    boom.life = 0.25f;
    boom.particlePositions[3][1] = 0.5f;
    const unsigned long long before = randomDrawCount();
    EXPECT_TRUE(boom.update(0.25));
    EXPECT_EQ(boom.particlePositions[3][1], 0.5f);
    EXPECT_EQ(randomDrawCount(), before);
}

TEST_F(ExplosionStep, AnExpiredParticleIsReEmittedTwiceWithTheSecondDraws) {
    for (unsigned i = 0; i < kParticleCapacity; ++i) {
        boom.particleLives[i] = 5;
        boom.particlePositions[i][1] = 1;
        boom.particleVelocities[i][1] = 0;
    }
    boom.particleLives[7] = 0.05f;
    boom.particleCount = kParticleCapacity;  // no growth draws
    seedRandom(77);
    const unsigned long long before = randomDrawCount();
    EXPECT_FALSE(boom.update(0.1));
    EXPECT_EQ(randomDrawCount() - before, 8u);
    const Emission second = nextEmission(77, 4);
    EXPECT_EQ(boom.particleLives[7], second.life);
    EXPECT_EQ(boom.particleVelocities[7][0], second.vx);
    EXPECT_EQ(boom.particleVelocities[7][1], second.vy);
    EXPECT_EQ(boom.particlePositions[7][0], 0.0f);
    EXPECT_EQ(boom.particlePositions[7][1], 0.0f);
}

TEST_F(ExplosionStep, ParticlesMoveFallAndRestartWhenTheyDropToTheCentre) {
    for (unsigned i = 0; i < kParticleCapacity; ++i) {
        boom.particleLives[i] = 5;
        boom.particlePositions[i][0] = 0;
        boom.particlePositions[i][1] = 1;
        boom.particleVelocities[i][0] = 0.5f;
        boom.particleVelocities[i][1] = 0.25f;
    }
    boom.particleVelocities[2][1] = -20.0f;  // falls below the centre this step
    boom.particleCount = kParticleCapacity;
    seedRandom(3);
    EXPECT_FALSE(boom.update(0.1));
    EXPECT_FLOAT_EQ(boom.particlePositions[0][0], 0.05f);
    EXPECT_FLOAT_EQ(boom.particlePositions[0][1], 1.025f);
    EXPECT_FLOAT_EQ(boom.particleVelocities[0][1], 0.25f - 0.02f);
    EXPECT_FLOAT_EQ(boom.particleLives[0], 4.9f);
    EXPECT_EQ(boom.particlePositions[2][1], 0.0f);
    EXPECT_EQ(boom.particleVelocities[2][0], nextEmission(3, 0).vx);
    EXPECT_FLOAT_EQ(boom.life, 2.9f);
}

TEST_F(ExplosionStep, ANegativeUpwardSpeedRestartsOnTheNextStep) {
    boom.particleCount = kParticleCapacity;
    for (unsigned i = 0; i < kParticleCapacity; ++i) {
        boom.particleLives[i] = 5;
        boom.particleVelocities[i][1] = 0.5f;
    }
    boom.particleVelocities[9][1] = -0.05f;
    const unsigned long long before = randomDrawCount();
    boom.update(0.01);
    EXPECT_EQ(randomDrawCount() - before, 4u);
}

TEST_F(ExplosionStep, TheCountGrowsWhenMoreThanAFifthOfASecondHasGathered) {
    for (unsigned i = 0; i < kParticleCapacity; ++i)
        boom.particleLives[i] = 50;
    EXPECT_EQ(boom.particleCount, 10u);
    const unsigned expected[] = {10, 11, 11, 12, 12, 13};
    for (unsigned count : expected) {
        boom.update(0.125);
        EXPECT_EQ(boom.particleCount, count);
    }
    boom.particleCount = kParticleCapacity;
    boom.emitTimer = 0;
    boom.update(0.5);
    EXPECT_EQ(boom.particleCount, kParticleCapacity);
    EXPECT_EQ(boom.emitTimer, 0.0f);
}
