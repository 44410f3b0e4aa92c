// The real backends behind the simulation's platform hooks.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdlib>
#include <ctime>

#include "app/app.h"
#include "app/sound.h"
#include "world/world.h"

namespace {

int glutMilliseconds() {
    return glutGet(GLUT_ELAPSED_TIME);
}
long long calendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}
void switchLightOff(int light) {
    glDisable(GL_LIGHT1 + light);
}
void postRedisplay() {
    glutPostRedisplay();
}
void exitProcess(int status) {
    std::exit(status);
}

}  // namespace

void installPlatformHooks() {
    platform.elapsedMilliseconds = glutMilliseconds;
    platform.calendarSeconds = calendarSeconds;
    platform.switchLightOff = switchLightOff;
    platform.playSound = playSoundCue;
    platform.postRedisplay = postRedisplay;
    platform.exitProcess = exitProcess;
}
