#include "render/solids.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "world/world.h"

namespace {

// GLUT builds a solid's vertices anew on every call (trigonometry and an allocation
// each time). Each kind and size in use is compiled once into a display list holding
// the very same triangles; a level uses four (player, enemies, shells, obstacles).
struct CompiledSolid {
    Solid kind = Solid::TankBody;
    float size = 0.0f;
    unsigned int list = 0;
};

constexpr int kCompiledCapacity = 8;
CompiledSolid compiled[kCompiledCapacity];
int compiledCount = 0;
int nextReplaced = 0;

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

unsigned int compile(Solid kind, float size) {
    CompiledSolid* slot = nullptr;
    if (compiledCount < kCompiledCapacity) {
        slot = &compiled[compiledCount++];
    } else {
        slot = &compiled[nextReplaced];
        nextReplaced = (nextReplaced + 1) % kCompiledCapacity;
    }
    if (slot->list == 0) {
        slot->list = glGenLists(1);
    }
    slot->kind = kind;
    slot->size = size;
    // GLUT draws from client-side arrays, which need array buffer 0, and switches the
    // vertex array off when it is done.
    game.bufferEntryPoints.bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
    glNewList(slot->list, GL_COMPILE);
    drawGlutSolid(kind, size);
    glEndList();
    glEnableClientState(GL_VERTEX_ARRAY);
    return slot->list;
}

}  // namespace

void drawSolid(Solid kind, float size) {
    for (int i = 0; i < compiledCount; ++i) {
        if (compiled[i].kind == kind && compiled[i].size == size) {
            glCallList(compiled[i].list);
            return;
        }
    }
    glCallList(compile(kind, size));
}
