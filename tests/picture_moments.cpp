// One moment of the game, laid out from a fixed level seed and played on a scripted
// clock, drawn by the real renderer and held on screen: the desktop build and the
// browser build show the very same state, so their pictures can be compared.
//   picture_moments title|play|victory|defeat    (from the data folder)
// Prints "Moment drawn: <name>" once the held picture is on screen.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"
#include "world/world.h"

namespace {

constexpr int kFrameMilliseconds = 20;
int clockMilliseconds = 0;
const char* moment = "title";
int displays = 0;

int scriptedClock() {
    return clockMilliseconds;
}
long long fixedCalendar() {
    return 20261209;
}
void silence(const char*) {}
void noRedisplay() {}

// `seconds` of play at 50 frames a second.
void play(float seconds) {
    for (int frame = 0; frame < static_cast<int>(seconds * 50.0f + 0.5f); ++frame) {
        clockMilliseconds += kFrameMilliseconds;
        frameUpdate();
    }
}

// Level 10 in play, an enemy and a cone brought before the player: the player fires,
// the first shell bursts ahead (an explosion lighting the ground), a second shell is in
// flight.
void playLevelTen() {
    game.level = 9;
    setupLevel(game.level);
    game.phase = Playing;
    const Vector3 p = game.tanks[0].position;
    game.tanks[1].position = Vector3(p.x + 6.0f, 0.0f, p.z + 16.0f);
    game.obstacles[0].position = Vector3(p.x - 7.0f, 0.0f, p.z + 22.0f);
    frameUpdate();  // the first frame: its time step is the tiny first one
    pressKey(' ');
    play(0.1f);
    if (game.bulletLast >= 0) {
        removeShell(0, true);
    }
    play(0.44f);
    releaseKey(' ');
    play(0.04f);
}

void prepare() {
    if (std::strcmp(moment, "title") == 0) {
        return;
    }
    playLevelTen();
    if (std::strcmp(moment, "victory") == 0) {
        game.phase = Victory;
    } else if (std::strcmp(moment, "defeat") == 0) {
        game.lives = 0;
        game.phase = Defeat;
    }
}

// The picture is held: the explosion lights switched on by one display shine from the
// next, so the line goes out after the third.
void show() {
    display();
    if (++displays == 3) {
        std::printf("Moment drawn: %s\n", moment);
    }
}

void redisplay() {
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1) {
        moment = argv[1];
    }
    installPlatformHooks();
    platform.elapsedMilliseconds = scriptedClock;
    platform.calendarSeconds = fixedCalendar;
    platform.playSound = silence;
    platform.postRedisplay = noRedisplay;

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // The desktop's window exactly covers the 800 x 600 screen (full screen, a window
    // without a window manager lands at +1+1); the page's canvas fills its window.
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Trelvane");
#ifdef __EMSCRIPTEN__
    glutFullScreen();
#endif
    initRenderContext();
    prepare();

    glutDisplayFunc(show);
    glutReshapeFunc(reshape);
    glutIdleFunc(redisplay);
    glutMainLoop();
    return 0;
}
