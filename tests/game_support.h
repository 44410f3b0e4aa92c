// Shared by the game tests: a fixture that saves and restores the global game and the
// platform hooks, and hooks that record what the rules asked of the platform.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"

namespace gametest {

struct Record {
    int clockMilliseconds = 0;
    long long calendarSeconds = 1700000000;
    std::vector<int> lightsOff;
    std::vector<std::string> sounds;
    int redisplays = 0;
    std::vector<int> exits;
    bool focusElsewhere = false;
};

inline Record record;

inline int recordedClock() {
    return record.clockMilliseconds;
}
inline long long recordedCalendar() {
    return record.calendarSeconds;
}
inline void recordLightOff(int light) {
    record.lightsOff.push_back(light);
}
inline void recordSound(const char* name) {
    record.sounds.push_back(name);
}
inline void recordRedisplay() {
    ++record.redisplays;
}
inline void recordExit(int status) {
    record.exits.push_back(status);
}
inline bool recordedFocus() {
    return record.focusElsewhere;
}

// Every test starts from the program-start state with recording hooks installed and
// leaves the global record as it found it.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = new GameState(game);
        savedPlatform_ = platform;
        game = GameState();
        record = Record();
        platform = PlatformHooks{recordedClock,   recordedCalendar, recordLightOff, recordSound,
                                 recordRedisplay, recordExit,       recordedFocus};
        seedRandom(1);
    }
    void TearDown() override {
        game = *saved_;
        delete saved_;
        platform = savedPlatform_;
    }

    // Runs one frame at the given clock reading.
    static void frameAt(int milliseconds) {
        record.clockMilliseconds = milliseconds;
        frameUpdate();
    }

    // A tank standing still at (x, 0.4, z), facing `heading`.
    static Tank& putTank(int slot, float x, float z, float heading = 0.0f, float size = 1.0f) {
        Tank& tank = game.tanks[slot];
        tank = Tank();
        tank.position = Vector3(x, 0.4f, z);
        tank.rotation = Vector3(heading, 0.0f, 0.0f);
        tank.size = size;
        return tank;
    }

    static Obstacle& putObstacle(int slot, float x, float z) {
        Obstacle& obstacle = game.obstacles[slot];
        obstacle = Obstacle();
        obstacle.position = Vector3(x, 0.0f, z);
        obstacle.size = 2.0f;
        return obstacle;
    }

    // A shell in flight at (x, 0.4, z) heading `heading` at `speed`.
    static Bullet& putShell(int slot, float x, float z, float heading, float speed, int owner) {
        Bullet& shell = game.bullets[slot];
        shell = Bullet();
        shell.position = Vector3(x, 0.4f, z);
        shell.rotation = Vector3(heading, 0.0f, 0.0f);
        shell.speed = speed;
        shell.size = 0.1f;
        shell.lifetime = 1.5f;
        shell.owner = owner;
        return shell;
    }

private:
    GameState* saved_ = nullptr;
    PlatformHooks savedPlatform_{};
};

}  // namespace gametest
