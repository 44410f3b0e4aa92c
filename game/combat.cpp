// What a shell's end does: bursts, destroyed tanks, score, lives, phase and sound.
#include "game/game.h"

namespace {

constexpr float kShellBurstLife = 3.0f;
constexpr float kTankExplosionLife = 5.0f;
constexpr int kPlayerHitCost = 300;

// The lowest light number that no running explosion holds. A finished explosion leaves
// the table at once, so every explosion in the table is running.
int freeLight() {
    for (int light = 0; light < kExplosionCapacity; ++light) {
        bool taken = false;
        for (int k = 0; k <= game.explosionLast && !taken; ++k) {
            taken = game.explosions[k].light == light;
        }
        if (!taken)
            return light;
    }
    return kExplosionCapacity;
}

// Starts an explosion in the slot after the last one and returns that slot; -1 when the
// table is full, in which case the newest explosion is simply not made.
int startExplosion(float life, Vector3 position, float red, float green, float blue) {
    const int slot = game.explosionLast + 1;
    if (slot >= kExplosionCapacity)
        return -1;
    Explosion& explosion = game.explosions[slot];
    explosion.life = life;
    explosion.light = freeLight();
    explosion.restartParticles();
    explosion.position = position;
    explosion.followed = nullptr;
    explosion.colour[0] = red;
    explosion.colour[1] = green;
    explosion.colour[2] = blue;
    game.explosionLast = slot;
    return slot;
}

// Where a shell is drawn: raised on its arc by the time it has flown.
Vector3 drawnShellPosition(const Bullet& shell) {
    const float t = 1.5f - shell.lifetime;
    Vector3 position = shell.position;
    position.y = position.y + shell.size + 2.0f * t - 1.5111111f * t * t;
    return position;
}

}  // namespace

void removeShell(int index, bool burst) {
    if (index < 0 || index > game.bulletLast)
        return;
    if (burst) {
        startExplosion(kShellBurstLife, drawnShellPosition(game.bullets[index]), 1.0f, 0.4f, 0.4f);
    }
    for (int i = index; i < game.bulletLast; ++i)
        game.bullets[i] = game.bullets[i + 1];
    game.bulletLast -= 1;
}

void destroyTank(int index) {
    if (index < 0 || index > game.tankLast)
        return;
    // A lost game stays lost: once the last life is gone, later strikes on the player in
    // the same frame change nothing, and the last enemy falling does not turn the defeat
    // into a victory (which would start the next level with no lives, never to be lost).
    if (index == 0 && game.lives <= 0)
        return;
    const int explosion =
        startExplosion(kTankExplosionLife, game.tanks[index].position, 1.0f, 1.0f, 0.4f);
    if (index == 0) {
        if (explosion >= 0)
            game.explosions[explosion].followed = &game.tanks[0];
        game.lives -= 1;
        game.tanks[0].score -= kPlayerHitCost;
        if (game.lives == 0) {
            if (explosion >= 0) {
                Explosion& withdrawn = game.explosions[explosion];
                withdrawn.life = 0.0f;
                platform.switchLightOff(withdrawn.light);
                game.explosionLast -= 1;
            }
            game.phase = Defeat;
        }
        return;
    }
    for (int i = index; i < game.tankLast; ++i)
        game.tanks[i] = game.tanks[i + 1];
    game.tankLast -= 1;
    if (game.tankLast == 0 && game.lives > 0)
        game.phase = Victory;
}
