// The idle callback: one frame of play, from the clock to the last shell.
#include <cstdio>

#include "game/game.h"
#include "world/contact.h"

namespace {

constexpr float kNoContact = 2.0f;
constexpr float kFirstFrameStep = 0.00001f;
constexpr unsigned int kRateRefreshMilliseconds = 100;
constexpr float kSoundRange = 50.0f;

// Bodies of one frame's contact tests, all over the frame's time step. Static storage:
// the frame allocates nothing and keeps its stack small.
struct FrameBodies {
    ContactBody tanks[kTankCapacity];
    ContactBody shells[kBulletCapacity];
    ContactBody obstacles[kObstacleCapacity];
};
FrameBodies bodies;

bool isContact(float t) {
    return t >= 0.0f && t <= 1.0f;
}

void removeExplosion(int slot) {
    for (int k = slot; k < game.explosionLast; ++k)
        game.explosions[k] = game.explosions[k + 1];
    game.explosionLast -= 1;
}

// Shell `index` flies on; it bursts where it is when its lifetime runs out. True when
// it left the table.
bool flyShell(int index, float dt) {
    if (!game.bullets[index].advance(dt))
        return false;
    removeShell(index, true);
    return true;
}

}  // namespace

void advanceExplosions(float dt) {
    int k = 0;
    while (k <= game.explosionLast) {
        if (game.explosions[k].update(dt)) {
            platform.switchLightOff(game.explosions[k].light);
            removeExplosion(k);
        } else {
            ++k;
        }
    }
}

void predictFrameContacts(float dt, FrameContacts& contacts) {
    const int tanks = game.tankLast + 1;
    const int shells = game.bulletLast + 1;
    const int obstacles = game.obstacleLast + 1;
    for (int t = 0; t < tanks; ++t)
        contacts.tankContact[t] = kNoContact;
    for (int b = 0; b < shells; ++b) {
        contacts.shellContact[b] = kNoContact;
        contacts.shellTarget[b] = -1;
    }
    if (dt == 0.0f)
        return;  // no span, no contact

    for (int t = 0; t < tanks; ++t)
        bodies.tanks[t] = contactBody(game.tanks[t], dt);
    for (int b = 0; b < shells; ++b)
        bodies.shells[b] = contactBody(game.bullets[b], dt);
    for (int o = 0; o < obstacles; ++o)
        bodies.obstacles[o] = contactBody(game.obstacles[o], dt);

    float* tankContact = contacts.tankContact;
    for (int a = 0; a < tanks; ++a) {
        for (int b = a + 1; b < tanks; ++b) {
            if (contactOutOfReach(bodies.tanks[a], bodies.tanks[b]))
                continue;
            const float t = solveContact(bodies.tanks[a], bodies.tanks[b]);
            if (!isContact(t))
                continue;
            const float s = t * dt;
            if (s < tankContact[a])
                tankContact[a] = s;
            if (s < tankContact[b])
                tankContact[b] = s;
        }
    }
    for (int o = 0; o < obstacles; ++o) {
        for (int t = 0; t < tanks; ++t) {
            if (contactOutOfReach(bodies.obstacles[o], bodies.tanks[t]))
                continue;
            const float f = solveContact(bodies.obstacles[o], bodies.tanks[t]);
            if (!isContact(f))
                continue;
            const float s = f * dt;
            if (s < tankContact[t])
                tankContact[t] = s;
        }
    }
    // Per shell: tanks first, then obstacles, so that with the strict comparisons a tank
    // wins a tie against an obstacle and the lower tank index wins between tanks.
    for (int b = 0; b < shells; ++b) {
        const ContactBody& shell = bodies.shells[b];
        float nearest = kNoContact;
        int target = -1;
        for (int t = 0; t < tanks; ++t) {
            if (contactOutOfReach(bodies.tanks[t], shell))
                continue;
            const float f = solveContact(bodies.tanks[t], shell);
            if (!isContact(f))
                continue;
            const float s = f * dt;
            if (s < tankContact[t])
                tankContact[t] = s;
            if (s < nearest) {
                nearest = s;
                target = t;
            }
        }
        for (int o = 0; o < obstacles; ++o) {
            if (contactOutOfReach(bodies.obstacles[o], shell))
                continue;
            const float f = solveContact(bodies.obstacles[o], shell);
            if (!isContact(f))
                continue;
            const float s = f * dt;
            if (s < nearest) {
                nearest = s;
                target = -1;
            }
        }
        contacts.shellContact[b] = nearest;
        contacts.shellTarget[b] = target;
    }
}

void moveTanksAndShells(float dt, const FrameContacts& contacts) {
    const int tanks = game.tankLast + 1;
    for (int t = 0; t < tanks; ++t) {
        Tank& tank = game.tanks[t];
        if (contacts.tankContact[t] != kNoContact)
            tank.speed = 0.0f;
        tank.advance(dt);
        tank.reloadTime = dt <= tank.reloadTime ? tank.reloadTime - dt : 0.0f;
    }

    // Where each tank of the frame's start sits now: enemies destroyed by earlier shells
    // of this frame move the later ones down (-1 once destroyed), and a shell must strike
    // the tank it actually reached.
    int tankSlot[kTankCapacity];
    for (int t = 0; t < tanks; ++t)
        tankSlot[t] = t;

    const int shells = game.bulletLast + 1;
    int removed = 0;
    for (int original = 0; original < shells; ++original) {
        const int index = original - removed;
        const int target = contacts.shellTarget[original];
        if (contacts.shellContact[original] == kNoContact) {
            removed += flyShell(index, dt) ? 1 : 0;
            continue;
        }
        if (target < 0) {
            removeShell(index, true);
            ++removed;
            continue;
        }
        const int slot = tankSlot[target];
        if (slot < 0) {
            // Its tank fell to an earlier shell of this frame: it flies on as if it had
            // met nothing.
            removed += flyShell(index, dt) ? 1 : 0;
            continue;
        }
        const Vector3 player = game.tanks[0].position;
        if (player.offsetTo(game.tanks[slot].position).length() < kSoundRange) {
            platform.playSound("explode.wav");
        }
        const int owner = game.bullets[index].owner;
        if (owner >= 0 && owner < kTankCapacity) {
            game.tanks[owner].score += 105;
            game.tanks[owner].hits += 1;
        }
        removeShell(index, false);
        ++removed;
        destroyTank(slot);
        if (slot == 0)
            continue;  // the player stays in its slot
        for (int t = 0; t < tanks; ++t) {
            if (tankSlot[t] == slot) {
                tankSlot[t] = -1;
            } else if (tankSlot[t] > slot) {
                tankSlot[t] -= 1;
            }
        }
    }
}

void frameUpdate() {
    settleKeys();
    if (game.phase != Playing) {
        platform.postRedisplay();
        return;
    }
    // The millisecond count turns negative after 24.8 days and wraps after 49.7, so only
    // the difference of two readings counts, taken modulo 2^32: it never runs backwards,
    // and the step stays exact to the millisecond however long the game has run.
    const unsigned int now = static_cast<unsigned int>(platform.elapsedMilliseconds());
    const bool firstFrame = !game.frameClockStarted;
    const float dt =
        firstFrame ? kFirstFrameStep : static_cast<float>((now - game.previousFrameClock) / 1000.0);
    game.frameClockStarted = true;
    game.previousFrameClock = now;
    if (firstFrame || now - game.fpsUpdateClock >= kRateRefreshMilliseconds) {
        std::snprintf(game.fpsText, sizeof game.fpsText, "%3.1f", 1.0 / dt);
        game.fpsUpdateClock = now;
    }

    applyPlayerControls();
    steerEnemies(dt);
    advanceExplosions(dt);

    FrameContacts contacts;
    predictFrameContacts(dt, contacts);
    moveTanksAndShells(dt, contacts);

    platform.postRedisplay();
}
