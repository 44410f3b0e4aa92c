// One Playing frame at full tables (51 tanks, 200 shells, 150 obstacles, 51 running
// explosions, 50 enemies steering), against a reference frame that asks predictContact
// pair by pair, as the rules are written. Before timing, both run the same frames and
// must agree bit for bit on contacts, targets and the whole state after each frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/game.h"

namespace {

int clockMilliseconds = 0;
int benchClock() {
    return clockMilliseconds;
}
long long benchCalendar() {
    return 1765200000;
}
void quietLight(int) {}
void quietSound(const char*) {}
void quietRedisplay() {}
void quietExit(int) {}
bool focusHere() {
    return false;
}

GameState fullTables;

float uniform(float low, float high) {
    return low + (high - low) * static_cast<float>(nextRandom()) / 32767.0f;
}

void buildFullTables() {
    platform = PlatformHooks{benchClock,     benchCalendar, quietLight, quietSound,
                             quietRedisplay, quietExit,     focusHere};
    game = GameState();
    setupLevel(10);
    game.phase = Playing;
    seedRandom(7);
    game.tanks[0].speed = 12;
    for (unsigned char key : {' ', 'w', 'a'}) {
        game.keyDown[key] = 1;
    }
    for (int i = 1; i <= game.tankLast; ++i)
        game.tanks[i].speed = uniform(5, 15);
    for (int b = 0; b < kBulletCapacity; ++b) {
        Bullet& shell = game.bullets[b];
        shell.position = Vector3(uniform(0, 649), 0.4f, uniform(0, 649));
        shell.rotation.x = uniform(0.5f, 360);
        shell.speed = uniform(35, 50);
        shell.lifetime = uniform(0.2f, 1.5f);
        shell.size = 0.1f;
        shell.owner = static_cast<int>(uniform(0, 50));
    }
    game.bulletLast = kBulletCapacity - 1;
    for (int k = 0; k < kExplosionCapacity; ++k) {
        Explosion& e = game.explosions[k];
        e.life = 1000.0f;
        e.light = k;
        e.restartParticles();
        e.position = Vector3(uniform(0, 649), 0.4f, uniform(0, 649));
    }
    game.explosionLast = kExplosionCapacity - 1;
    game.frameClockStarted = true;
    game.previousFrameClock = 10000;
    game.fpsUpdateClock = 10000;
    fullTables = game;
}

// --- The reference: every contact test a fresh predictContact call -----------------

void referenceSteerEnemy(int i, float dt) {
    Tank& e = game.tanks[i];
    unsigned aggression = 100u * game.level + 50u;
    if (aggression >= 970u)
        aggression = 970u;
    const int roll = static_cast<int>(nextRandom() / 32768.0 * 1001);
    e.accelerate();
    float nearest = 2.0f;
    bool avoiding = false, tankAhead = false;
    for (int o = 0; o <= game.obstacleLast; ++o) {
        const float t = predictContact(e, game.obstacles[o], 4.0f);
        if (t >= -1 && t <= 1 && t < nearest) {
            avoiding = true;
            tankAhead = false;
            nearest = t;
        }
    }
    for (int j = 0; j <= game.tankLast; ++j) {
        const float t = predictContact(e, game.tanks[j], 2.0f);
        if (t >= -1 && t <= 1 && t / 2 < nearest) {
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
    } else if (!tankAhead) {
        if (e.avoidTurn == 0) {
            if (roll <= 500) {
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
    } else if (roll <= aggression * dt) {
        fireShell(i);
    } else if (e.avoidTurn == 0) {
        if (static_cast<unsigned>(roll) <= 1000u - aggression / 2u) {
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

void referenceContacts(float dt, FrameContacts& c) {
    for (int t = 0; t <= game.tankLast; ++t)
        c.tankContact[t] = 2.0f;
    for (int a = 0; a <= game.tankLast; ++a) {
        for (int b = 0; b <= game.tankLast; ++b) {
            if (a == b)
                continue;
            const float t = predictContact(game.tanks[a], game.tanks[b], dt);
            if (t < 0 || t > 1)
                continue;
            const float s = t * dt;
            if (s < c.tankContact[a])
                c.tankContact[a] = s;
            if (s < c.tankContact[b])
                c.tankContact[b] = s;
        }
    }
    for (int o = 0; o <= game.obstacleLast; ++o) {
        for (int t = 0; t <= game.tankLast; ++t) {
            const float f = predictContact(game.obstacles[o], game.tanks[t], dt);
            if (f < 0 || f > 1)
                continue;
            if (f * dt < c.tankContact[t])
                c.tankContact[t] = f * dt;
        }
    }
    for (int b = 0; b <= game.bulletLast; ++b) {
        c.shellContact[b] = 2.0f;
        c.shellTarget[b] = -1;
    }
    for (int b = 0; b <= game.bulletLast; ++b) {
        for (int t = 0; t <= game.tankLast; ++t) {
            const float f = predictContact(game.tanks[t], game.bullets[b], dt);
            if (f < 0 || f > 1)
                continue;
            const float s = f * dt;
            if (s < c.tankContact[t])
                c.tankContact[t] = s;
            if (s < c.shellContact[b]) {
                c.shellContact[b] = s;
                c.shellTarget[b] = t;
            }
        }
    }
    for (int o = 0; o <= game.obstacleLast; ++o) {
        for (int b = 0; b <= game.bulletLast; ++b) {
            const float f = predictContact(game.obstacles[o], game.bullets[b], dt);
            if (f < 0 || f > 1)
                continue;
            if (f * dt < c.shellContact[b]) {
                c.shellContact[b] = f * dt;
                c.shellTarget[b] = -1;
            }
        }
    }
}

// Steps 1 to 6 of the frame, shared by both versions but for the enemies' look-ahead.
float beginFrame(bool reference) {
    const unsigned int now = static_cast<unsigned int>(platform.elapsedMilliseconds());
    const bool firstFrame = !game.frameClockStarted;
    const float dt =
        firstFrame ? 0.00001f : static_cast<float>((now - game.previousFrameClock) / 1000.0);
    game.frameClockStarted = true;
    game.previousFrameClock = now;
    if (firstFrame || now - game.fpsUpdateClock >= 100u) {
        std::snprintf(game.fpsText, sizeof game.fpsText, "%3.1f", 1.0 / dt);
        game.fpsUpdateClock = now;
    }
    applyPlayerControls();
    if (reference) {
        for (int i = 1; i <= game.tankLast; ++i)
            referenceSteerEnemy(i, dt);
    } else {
        steerEnemies(dt);
    }
    advanceExplosions(dt);
    return dt;
}

void referenceFrameUpdate() {
    if (game.phase != Playing)
        return;
    const float dt = beginFrame(true);
    FrameContacts contacts;
    if (dt == 0.0f) {
        predictFrameContacts(dt, contacts);  // nothing meets over no time
    } else {
        referenceContacts(dt, contacts);
    }
    moveTanksAndShells(dt, contacts);
}

// --- Identity -------------------------------------------------------------------------

[[noreturn]] void mismatch(int frame, const char* what, int index) {
    std::fprintf(stderr, "\nFRAME BENCH MISMATCH at frame %d: %s [%d] differs from the reference\n",
                 frame, what, index);
    std::exit(1);
}

template <typename T>
bool same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void compareContacts(int frame, const FrameContacts& a, const FrameContacts& b) {
    for (int t = 0; t <= game.tankLast; ++t) {
        if (!same(a.tankContact[t], b.tankContact[t]))
            mismatch(frame, "tankContact", t);
    }
    for (int s = 0; s <= game.bulletLast; ++s) {
        if (!same(a.shellContact[s], b.shellContact[s]))
            mismatch(frame, "shellContact", s);
        if (a.shellTarget[s] != b.shellTarget[s])
            mismatch(frame, "shellTarget", s);
    }
}

void compareStates(int frame, const GameState& a, const GameState& b) {
    if (a.tankLast != b.tankLast)
        mismatch(frame, "tankLast", a.tankLast);
    if (a.bulletLast != b.bulletLast)
        mismatch(frame, "bulletLast", a.bulletLast);
    if (a.explosionLast != b.explosionLast)
        mismatch(frame, "explosionLast", a.explosionLast);
    if (a.lives != b.lives || a.phase != b.phase)
        mismatch(frame, "lives or phase", 0);
    for (int t = 0; t <= a.tankLast; ++t) {
        const Tank &x = a.tanks[t], &y = b.tanks[t];
        if (!same(x.position, y.position) || !same(x.rotation, y.rotation) ||
            !same(x.speed, y.speed) || !same(x.turnRate, y.turnRate) || x.score != y.score ||
            x.avoidTurn != y.avoidTurn || !same(x.reloadTime, y.reloadTime)) {
            mismatch(frame, "tank", t);
        }
    }
    for (int s = 0; s <= a.bulletLast; ++s) {
        if (!same(a.bullets[s].position, b.bullets[s].position) ||
            !same(a.bullets[s].lifetime, b.bullets[s].lifetime)) {
            mismatch(frame, "shell", s);
        }
    }
    for (int k = 0; k <= a.explosionLast; ++k) {
        if (std::memcmp(&a.explosions[k], &b.explosions[k], sizeof(Explosion)) != 0) {
            mismatch(frame, "explosion", k);
        }
    }
}

// Runs `frames` frames both ways from the full tables and checks they agree after each.
void checkIdentity(int frames) {
    GameState fast = fullTables, slow = fullTables;
    unsigned fastSeed = 11, slowSeed = 11;
    int contactsSeen = 0;
    for (int frame = 0; frame < frames; ++frame) {
        clockMilliseconds = 10016 + 16 * frame + (frame % 7 == 0 ? 300 : 0);
        game = slow;
        seedRandom(slowSeed);
        const float dt = beginFrame(true);
        FrameContacts reference;
        referenceContacts(dt, reference);
        moveTanksAndShells(dt, reference);
        slow = game;
        slowSeed = static_cast<unsigned>(nextRandom()) + 1;

        game = fast;
        seedRandom(fastSeed);
        beginFrame(false);
        FrameContacts contacts;
        predictFrameContacts(dt, contacts);
        compareContacts(frame, contacts, reference);
        moveTanksAndShells(dt, contacts);
        fast = game;
        fastSeed = static_cast<unsigned>(nextRandom()) + 1;

        compareStates(frame, fast, slow);
        for (int s = 0; s < kBulletCapacity; ++s)
            contactsSeen += reference.shellTarget[s] >= 0;
        // Keep the tables full so that every frame checked is a full one.
        fast.bulletLast = slow.bulletLast = kBulletCapacity - 1;
        fast.phase = slow.phase = Playing;
    }
    std::printf("frame bench: %d frames identical to the reference (%d shell hits on tanks)\n",
                frames, contactsSeen);
}

void runFrame(benchmark::State& state, bool reference) {
    buildFullTables();
    for (auto _ : state) {
        state.PauseTiming();
        game = fullTables;
        clockMilliseconds = 10016;
        seedRandom(3);
        state.ResumeTiming();
        if (reference) {
            referenceFrameUpdate();
        } else {
            frameUpdate();
        }
        benchmark::DoNotOptimize(game.tanks[1].position);
    }
}

void BM_FrameUpdate(benchmark::State& state) {
    runFrame(state, false);
}
void BM_ReferenceFrameUpdate(benchmark::State& state) {
    runFrame(state, true);
}
BENCHMARK(BM_FrameUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceFrameUpdate)->Unit(benchmark::kMicrosecond);

// Times both frames side by side in this run and fails when the lead is under 10x.
void checkSpeedUp() {
    using Clock = std::chrono::steady_clock;
    auto timeFrames = [](bool reference, int frames) {
        double best = 1e30;
        for (int i = 0; i < frames; ++i) {
            game = fullTables;
            clockMilliseconds = 10016;
            seedRandom(3);
            const auto start = Clock::now();
            if (reference) {
                referenceFrameUpdate();
            } else {
                frameUpdate();
            }
            const double us =
                std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            if (us < best)
                best = us;
        }
        return best;
    };
    const double fast = timeFrames(false, 300);
    const double slow = timeFrames(true, 30);
    std::printf("frame bench: best frame %.1f us, reference %.1f us, %.1fx faster\n", fast, slow,
                slow / fast);
    if (slow / fast < 10.0) {
        std::fprintf(stderr, "FRAME BENCH TOO SLOW: under 10 times the reference\n");
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    buildFullTables();
    checkIdentity(120);
    checkSpeedUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
