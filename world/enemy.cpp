// Enemy steering: wander, swerve around what lies ahead, fire at tanks in the way.
#include "world/contact.h"
#include "world/world.h"

namespace {

constexpr float kObstacleHorizon = 4.0f;
constexpr float kTankHorizon = 2.0f;

// What one enemy step needs to know about the others. Headings do not change while
// the enemies steer (only turn rates and speeds do), so their sines and cosines are
// taken once; obstacles never move, so their bodies are made once.
struct LookAhead {
    ContactBody obstacles[kObstacleCapacity];
    ContactBody tanks[kTankCapacity];  // over kTankHorizon, kept current with each speed
    float sines[kTankCapacity];
    float cosines[kTankCapacity];
};

unsigned aggressionOf(unsigned level) {
    const unsigned aggression = 100u * level + 50u;
    return aggression >= 970u ? 970u : aggression;
}

void prepareObstacles(LookAhead& ahead) {
    for (int o = 0; o <= game.obstacleLast; ++o) {
        ahead.obstacles[o] = contactBody(game.obstacles[o], kObstacleHorizon);
    }
}

void prepareTank(LookAhead& ahead, int j) {
    const float radians = game.tanks[j].rotation.x * kDegreesToRadians;
    ahead.sines[j] = sine(radians);
    ahead.cosines[j] = cosine(radians);
    ahead.tanks[j] = contactBody(game.tanks[j], ahead.sines[j], ahead.cosines[j], kTankHorizon);
}

void steer(LookAhead& ahead, int i, float dt) {
    Tank& e = game.tanks[i];
    const unsigned aggression = aggressionOf(game.level);
    const int roll = static_cast<int>(nextRandom() / 32768.0 * 1001);
    e.accelerate();
    ahead.tanks[i] = contactBody(e, ahead.sines[i], ahead.cosines[i], kTankHorizon);

    float nearest = 2.0f;
    bool avoiding = false;
    bool tankAhead = false;
    const ContactBody self = contactBody(e, ahead.sines[i], ahead.cosines[i], kObstacleHorizon);
    for (int o = 0; o <= game.obstacleLast; ++o) {
        if (contactOutOfReach(self, ahead.obstacles[o]))
            continue;
        const float t = solveContact(self, ahead.obstacles[o]);
        if (t >= -1.0f && t <= 1.0f && t < nearest) {
            avoiding = true;
            tankAhead = false;
            nearest = t;
        }
    }
    const ContactBody& selfNear = ahead.tanks[i];
    for (int j = 0; j <= game.tankLast; ++j) {
        if (contactOutOfReach(selfNear, ahead.tanks[j]))
            continue;
        const float t = solveContact(selfNear, ahead.tanks[j]);
        if (t >= -1.0f && t <= 1.0f && t / 2 < nearest) {
            avoiding = true;
            tankAhead = true;
            nearest = t / 2;
        }
    }

    if (!avoiding) {
        if (roll <= 200) {
            e.turnRight();
            e.turnRight();
        } else if (roll <= 400) {
            e.turnLeft();
            e.turnLeft();
        } else if (roll <= 400 + 200 * dt) {
            fireShell(i);
        }
        e.avoidTurn = 0;
        return;
    }
    if (tankAhead && roll <= aggression * dt) {
        fireShell(i);
        return;
    }
    if (e.avoidTurn == 0) {
        const bool right =
            tankAhead ? static_cast<unsigned>(roll) <= 1000u - aggression / 2u : roll <= 500;
        if (right) {
            e.turnRight();
            e.avoidTurn = 1;
        } else {
            e.turnLeft();
            e.avoidTurn = -1;
        }
    } else if (e.avoidTurn == 1) {
        e.turnRight();
    } else if (e.avoidTurn == -1) {
        e.turnLeft();
    }
}

// Too large for the stack of every caller; nothing else uses it.
LookAhead lookAhead;

}  // namespace

void steerEnemy(int tankIndex, float dt) {
    if (tankIndex < 0 || tankIndex >= kTankCapacity)
        return;
    prepareObstacles(lookAhead);
    for (int j = 0; j <= game.tankLast; ++j)
        prepareTank(lookAhead, j);
    prepareTank(lookAhead, tankIndex);
    steer(lookAhead, tankIndex, dt);
}

void steerEnemies(float dt) {
    if (game.tankLast < 1)
        return;
    prepareObstacles(lookAhead);
    for (int j = 0; j <= game.tankLast; ++j)
        prepareTank(lookAhead, j);
    for (int i = 1; i <= game.tankLast; ++i)
        steer(lookAhead, i, dt);
}
