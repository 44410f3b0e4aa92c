#include <GL/freeglut.h>
#include <GL/gl.h>

#include "render/render.h"

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}
