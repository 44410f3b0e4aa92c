// The ground: one flat mesh of unit cells in a static vertex buffer, drawn around the
// player; the texture matrix adds the player's position so the checkerboard stays
// fixed to the world while the mesh travels with the tank.
#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

#include "render/render.h"

namespace {

constexpr int kMeshVertices = 40401;
constexpr int kStripLength = 200;
// The draw loop runs strips 0 to kStripLength inclusive; the last vertex it reads
// must lie inside the buffer.
static_assert(kStripLength * kStripLength + kStripLength - 1 < kMeshVertices,
              "terrain strips read past the mesh");

// The cells that fall on a seam between two strips: the last two vertices of strip i
// and the first two of strip i + 1, for the seams inside the first 100 columns.
constexpr int kSeams = 100;
GLint seamFirst[kSeams];
GLsizei seamCount[kSeams];

}  // namespace

void buildTerrain() {
    std::vector<float> mesh(kMeshVertices * 3, 0.0f);
    int write = 0;
    for (int x = -50; x <= 50; ++x) {
        for (int z = -50; z <= 50; ++z) {
            mesh[write++] = static_cast<float>(x);
            mesh[write++] = 0.0f;
            mesh[write++] = static_cast<float>(z);
            mesh[write++] = static_cast<float>(x + 1);
            mesh[write++] = 0.0f;
            mesh[write++] = static_cast<float>(z);
        }
    }
    game.terrainStripLength = kStripLength;
    for (int i = 0; i < kSeams; ++i) {
        seamFirst[i] = (i + 1) * kStripLength - 2;
        seamCount[i] = 4;
    }
    const BufferEntryPoints& gl = game.bufferEntryPoints;
    gl.genBuffers(1, &game.terrainBuffer);
    gl.bindBuffer(GL_ARRAY_BUFFER_ARB, game.terrainBuffer);
    gl.bufferData(GL_ARRAY_BUFFER_ARB, static_cast<std::ptrdiff_t>(mesh.size() * sizeof(float)),
                  mesh.data(), GL_STATIC_DRAW_ARB);
}

void drawTerrain(float viewHeading) {
    static const GLfloat zPlane[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const Vector3 player = game.tanks[0].position;

    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0.0, 2.0, -5.0, 0.0, 1.25, 5.0, 0.0, 1.0, 0.0);

    glBindTexture(GL_TEXTURE_2D, game.groundTexture);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, zPlane);

    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(0.5f, 0.5f, 0.5f);
    glTranslatef(player.x, player.z, 0.0f);

    glMatrixMode(GL_MODELVIEW);
    glRotatef(-viewHeading, 0.0f, 1.0f, 0.0f);

    game.bufferEntryPoints.bindBuffer(GL_ARRAY_BUFFER_ARB, game.terrainBuffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glNormal3f(0.0f, 1.0f, 0.0f);
    // The cells wind clockwise seen from above. Where a strip runs past the end of a
    // column it lays long slivers of the other winding, which culling drops (their fog,
    // interpolated over vertices behind the eye, would be wrong); the one cell of each
    // column that straddles a strip seam is drawn on its own after the strips.
    glFrontFace(GL_CW);
    const int length = game.terrainStripLength;
    for (int i = 0; i <= length; ++i) {
        glDrawArrays(GL_TRIANGLE_STRIP, i * length, length);
    }
    glMultiDrawArrays(GL_TRIANGLE_STRIP, seamFirst, seamCount, kSeams);
    glFrontFace(GL_CCW);

    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
