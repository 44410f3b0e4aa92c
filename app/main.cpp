// Program entry: the game started (app/start.cpp), then the GLUT loop that never
// returns.
#include <GL/freeglut.h>

#include "app/app.h"

int main(int argc, char** argv) {
    startGame(argc, argv);
    glutMainLoop();
    return 0;
}
