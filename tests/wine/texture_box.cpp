// A texture loaded the way the game loads its own, in a GLUT window titled like the
// game's: the decoder's message, if any, shows as the platform's box over the window
// and loading waits for it. Then it prints whether the texture was loaded or left out,
// and goes on drawing (a grey frame, or the texture) until Escape, which ends it with
// status 0.
//   texture_box <file>
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "assets/assets.h"

namespace {

unsigned int texture = 0;
bool loaded = false;

void draw() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (loaded) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-1, -1);
        glTexCoord2f(1, 0);
        glVertex2f(1, -1);
        glTexCoord2f(1, 1);
        glVertex2f(1, 1);
        glTexCoord2f(0, 1);
        glVertex2f(-1, 1);
        glEnd();
    }
    glutSwapBuffers();
}

void key(unsigned char pressed, int, int) {
    if (pressed == 27) {
        std::exit(0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    glutInit(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: texture_box <file>\n");
        return 2;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Trelvane");
    glutDisplayFunc(draw);
    glutKeyboardFunc(key);
    draw();
    std::printf("loading %s\n", argv[1]);
    loaded = loadTexture(texture, argv[1]);
    std::printf("%s %s\n", argv[1], loaded ? "loaded" : "left out");
    glutIdleFunc(glutPostRedisplay);
    glutMainLoop();
    return 0;
}
