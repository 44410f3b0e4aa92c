#include "render/solids.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "world/world.h"

namespace {

void drawGlutSolid(Solid kind, float size) {
    switch (kind) {
        case Solid::TankBody:
            glutSolidSphere(size, 20, 20);
            break;
        case Solid::ShellBody:
            glutSolidSphere(size, 5, 5);
            break;
        case Solid::Cone:
            glutSolidCone(size, 2.0, 10, 10);
            break;
    }
}

}  // namespace

void drawSolid(Solid kind, float size) {
    // GLUT draws from client-side arrays and switches the vertex array off afterwards.
    game.bufferEntryPoints.bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
    drawGlutSolid(kind, size);
    glEnableClientState(GL_VERTEX_ARRAY);
}
