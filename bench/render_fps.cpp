// Frame times of the real renderer in play at full tables (51 tanks, 150 obstacles,
// 200 shells, 51 explosions), each as a multiple of a frame that only clears and swaps
// (the floor of this window and renderer), beside sky and ground alone; and the time
// from process start to the first play frame. Opens the window the way the game does and loads the
// real textures, so run it from the data folder:
//   cd build/data && ../../tests/xvfb.sh ../bench/render_fps [frames]
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "bench/process_clock.h"
#include "game/game.h"
#include "render/render.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

long long fixedSeed() {
    return 20261208;
}

void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutGameModeString("800x600:16@60");
    if (!enterGameMode()) {
        glutInitWindowSize(800, 600);
        glutCreateWindow("Trelvane");
        glutFullScreen();
    }
}

// Level 10 has the full 50 enemies; shells and explosions fill their tables around the
// player, every explosion with its own light slot.
void fillTables(bool crowded) {
    setupLevel(10);
    game.phase = Playing;
    const Vector3 p = game.tanks[0].position;
    if (crowded) {
        // Everything within the 50 units that are drawn.
        for (int i = 1; i <= game.tankLast; ++i) {
            game.tanks[i].position =
                Vector3(p.x - 20.0f + (i % 10) * 4.0f, 0.0f, p.z + 4.0f + (i / 10) * 6.0f);
        }
        for (int i = 0; i <= game.obstacleLast; ++i) {
            const float a = i * 0.7f;
            const float r = 8.0f + (i % 40);
            game.obstacles[i].position = Vector3(p.x + r * sine(a), 0.0f, p.z + r * cosine(a));
        }
    }
    game.bulletLast = kBulletCapacity - 1;
    for (int i = 0; i <= game.bulletLast; ++i) {
        Bullet& b = game.bullets[i];
        b.position = Vector3(p.x - 10.0f + (i % 20), 0.0f, p.z + 2.0f + (i / 20) * 3.0f);
        b.rotation = Vector3(static_cast<float>(i * 13 % 360), 0.0f, 0.0f);
        b.size = 0.1f;
        b.lifetime = 1.5f - (i % 15) * 0.1f;
        b.owner = i % (game.tankLast + 1);
    }
    game.explosionLast = kExplosionCapacity - 1;
    for (int i = 0; i <= game.explosionLast; ++i) {
        Explosion& e = game.explosions[i];
        e.life = 4.9f - (i % 5);
        e.light = i;
        e.restartParticles();
        e.position = Vector3(p.x - 12.0f + (i % 10) * 2.5f, 1.2f, p.z + 6.0f + (i / 10) * 5.0f);
        e.colour[0] = 1.0f;
        e.colour[1] = i % 2 ? 1.0f : 0.4f;
        e.colour[2] = 0.4f;
        for (int step = 0; step < 8; ++step) {
            e.update(0.1);  // particles spread out; none of them finishes
        }
    }
}

// What every frame must do, and nothing else: the floor of this window and renderer.
void clearAndSwap() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// The play frame's camera, light, sky and ground, without models, explosions or
// heads-up display.
void skyAndGround() {
    const Tank& player = game.tanks[0];
    const float viewHeading = viewHeadingFor(player.rotation.x, game.keyDown);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 2.0, -5.0, 0.0, 1.25, 5.0, 0.0, 1.0, 0.0);
    glRotatef(-viewHeading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-player.position.x, -player.position.y, -player.position.z);
    placeLight();
    drawSky(viewHeading);
    drawTerrain(viewHeading);
    glutSwapBuffers();
}

// The same frames drawn whole, without the shortcuts that skip what cannot show.
void displayWhole() {
    renderShortcuts = false;
    display();
    renderShortcuts = true;
}

struct Scene {
    const char* name;
    void (*prepare)();
    void (*draw)();
    double best;     // fastest round, wall-clock seconds per frame
    double cpuBest;  // processor time per frame in that round
};

void prepareNothing() {}
void prepareLevel() {
    fillTables(false);
}
void prepareCrowd() {
    fillTables(true);
}

// Wall-clock seconds per frame over `frames` frames (after a warm-up), and the
// processor time of all the process's threads per frame.
void measureRound(Scene& scene, int frames) {
    scene.prepare();
    for (int i = 0; i < 10; ++i) {
        scene.draw();
        glFinish();
    }
    const double cpuStart = processSeconds();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        scene.draw();
        glFinish();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count() / frames;
    const double cpu = (processSeconds() - cpuStart) / frames;
    if (scene.best == 0.0 || seconds < scene.best) {
        scene.best = seconds;
        scene.cpuBest = cpu;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point mainStart = Clock::now();
    const int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    installPlatformHooks();
    platform.calendarSeconds = fixedSeed;

    openWindow(&argc, argv);
    initRenderContext();
    glutDisplayFunc(display);
    reshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));

    // What the game does up to its first play frame: a title frame, then Enter.
    display();
    setupLevel(0);
    game.phase = Playing;
    display();
    glFinish();
    const double firstFrameSinceMain =
        std::chrono::duration<double>(Clock::now() - mainStart).count();
    const double firstFrameSinceExec = secondsSinceExec();

    std::printf("window %ix%i, %s\n", glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT),
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("first play frame: %.3f s after process start (%.3f s after main)\n",
                firstFrameSinceExec, firstFrameSinceMain);
    // The scenes take turns, round after round, so a busy moment of the machine
    // falls on all of them alike; each keeps its fastest round.
    Scene scenes[] = {
        {"clear and swap only             ", prepareNothing, clearAndSwap, 0.0, 0.0},
        {"sky and ground, level 10 layout ", prepareLevel, skyAndGround, 0.0, 0.0},
        {"full tables, level 10 layout    ", prepareLevel, display, 0.0, 0.0},
        {"full tables, everything in view ", prepareCrowd, display, 0.0, 0.0},
        {"level 10 layout, drawn whole    ", prepareLevel, displayWhole, 0.0, 0.0},
        {"everything in view, drawn whole ", prepareCrowd, displayWhole, 0.0, 0.0},
    };
    const int rounds = 5;
    for (int round = 0; round < rounds; ++round) {
        for (Scene& scene : scenes) {
            measureRound(scene, frames / rounds);
        }
    }
    const double floor = scenes[0].best;
    for (const Scene& scene : scenes) {
        std::printf("%s: %7.1f fps, %6.3f ms a frame, %5.1f x clear and swap, %6.3f ms processor\n",
                    scene.name, 1.0 / scene.best, 1000.0 * scene.best, scene.best / floor,
                    1000.0 * scene.cpuBest);
    }
    return 0;
}
