// The real backends behind the simulation's platform hooks.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdlib>
#include <ctime>

#include "app/app.h"
#include "app/clock.h"
#include "app/focus.h"
#include "app/sound.h"
#include "render/lights.h"
#include "world/world.h"

namespace {

long long calendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}
// Explosions past the context's last light have none to switch off.
void switchLightOff(int light) {
    if (light >= 0 && light + 1 < maxLights()) {
        glDisable(GL_LIGHT1 + light);
    }
}
void postRedisplay() {
    glutPostRedisplay();
}
void exitProcess(int status) {
    std::exit(status);
}
// While the focus is away the game lets go of every key, whoever held it.
bool focusElsewhere() {
    if (!keyboardFocusElsewhere())
        return false;
    letGoOfEverySource();
    return true;
}

}  // namespace

void installPlatformHooks() {
    platform.elapsedMilliseconds = playMilliseconds;
    platform.calendarSeconds = calendarSeconds;
    platform.switchLightOff = switchLightOff;
    platform.playSound = playSoundCue;
    platform.postRedisplay = postRedisplay;
    platform.exitProcess = exitProcess;
    platform.keyboardFocusElsewhere = focusElsewhere;
}
