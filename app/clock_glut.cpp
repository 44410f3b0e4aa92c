// The desktop's clock: GLUT's elapsed time, which runs whatever the window does.
#include <GL/freeglut.h>

#include "app/clock.h"

int playMilliseconds() {
    return glutGet(GLUT_ELAPSED_TIME);
}
