// Level set-up: the enemy count and sizes of a level, and where everything starts.
#include <cmath>

#include "game/game.h"

namespace {

constexpr int kMostEnemies = 50;

// 4L + 10 wrapping in 32 bits, read as signed, at most 50 (negative for a few huge L).
int enemyLastIndex(unsigned int level) {
    const unsigned int wrapped = 4u * level + 10u;
    const int last = static_cast<int>(wrapped);
    return last > kMostEnemies ? kMostEnemies : last;
}

// Enemies shrink level by level down to 0.7; a NaN also gives 0.7.
float enemySizeFactor(unsigned int level) {
    const double grown =
        std::pow(static_cast<double>(static_cast<float>(level)), static_cast<double>(0.99f));
    const double k = (41.0 - grown) / 40.0;
    return k > 0.7 ? static_cast<float>(k) : 0.7f;
}

// A coordinate in [0, 651) from one draw.
float drawCoordinate() {
    return static_cast<float>(nextRandom() / 32768.0 * 651.0);
}

// A heading in [0, 361) degrees from one draw.
float drawHeading() {
    return static_cast<float>(nextRandom() / 32768.0 * 361.0);
}

void placeTank(Tank& tank, float x, float z, float size, float heading) {
    tank.setPosition(x, 0.4f, z);
    tank.setSize(size);
    tank.setSpeed(0.0f);
    tank.setTurnRate(0.0f);
    tank.setRotation(heading, 0.0f, 0.0f);
    tank.setTexture(game.tankTexture);
    tank.setSpeedDamping(0.4f);
    tank.setTurnDamping(0.2f);
}

}  // namespace

void setupLevel(unsigned int level) {
    seedRandom(static_cast<unsigned int>(platform.calendarSeconds()));
    game.level = level;
    game.tankLast = enemyLastIndex(level);
    const float k = enemySizeFactor(level);

    placeTank(game.tanks[0], 325.0f, 325.0f, static_cast<float>(2.1 - k), 0.0f);
    for (int i = 1; i <= game.tankLast; ++i) {
        const float z = drawCoordinate();
        const float x = drawCoordinate();
        placeTank(game.tanks[i], x, z, k, drawHeading());
    }

    game.obstacleLast = kObstacleCapacity - 1;
    for (int j = 0; j <= game.obstacleLast; ++j) {
        const float z = drawCoordinate();
        const float x = drawCoordinate();
        Obstacle& obstacle = game.obstacles[j];
        obstacle.setPosition(x, 0.0f, z);
        obstacle.setTexture(game.obstacleTexture);
        obstacle.setSize(2.0f);
    }
}
