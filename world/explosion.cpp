// The explosion's particle fountain: emission and the per-frame step. Drawing lives
// with the renderer.
#include "world/world.h"

void Explosion::emitParticle(unsigned index) {
    if (!(life > 0.0f) || index >= particleCapacity || index >= kParticleCapacity)
        return;
    const double spread = 2.0 * nextRandom() / 32767.0 - 1.0;
    particleLives[index] = static_cast<float>(particleLife + spread);
    particlePositions[index][0] = 0.0f;
    particlePositions[index][1] = 0.0f;
    particlePositions[index][2] = 0.0f;
    particlePositions[index][3] = 1.0f;
    const int r1 = nextRandom();
    const int r2 = nextRandom();
    const int r3 = nextRandom();
    particleVelocities[index][0] = static_cast<float>(r1 / 32768.0 * 1.4f - 0.2f);
    particleVelocities[index][1] = static_cast<float>(r2 / 32768.0 * 1.2f - 0.1f);
    particleVelocities[index][2] = static_cast<float>(r3 / 32768.0 * 1.4f - 0.2f);
    particleVelocities[index][3] = 0.0f;
}

void Explosion::restartParticles() {
    for (unsigned i = 0; i < particleCapacity; ++i)
        emitParticle(i);
}

bool Explosion::update(double dt) {
    if (life <= dt) {
        platform.switchLightOff(light);
        life = 0.0f;
        return true;
    }
    if (followed != nullptr) {
        position = followed->position;
        position.y += 1.2f;
    }
    const unsigned count =
        particleCapacity < kParticleCapacity ? particleCapacity : kParticleCapacity;
    for (unsigned i = 0; i < count; ++i) {
        for (int c = 0; c < 4; ++c) {
            particlePositions[i][c] =
                static_cast<float>(particlePositions[i][c] + particleVelocities[i][c] * dt);
        }
        particleVelocities[i][1] =
            static_cast<float>(particleVelocities[i][1] + particleGravity * dt);
        particleLives[i] = static_cast<float>(particleLives[i] - dt);
        if (particleLives[i] <= 0.0f)
            emitParticle(i);
        if (particlePositions[i][1] <= 0.0f)
            emitParticle(i);
    }
    if (particleCount < particleCapacity) {
        emitTimer = static_cast<float>(emitTimer + dt);
        if (emitTimer > 0.2) {
            emitParticle(particleCount);
            particleCount += 1;
            emitTimer = 0.0f;
        }
    }
    life = static_cast<float>(life - dt);
    return false;
}
