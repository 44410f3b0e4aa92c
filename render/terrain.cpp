// The ground: one flat mesh of unit cells in a static vertex buffer, drawn around the
// player; the texture matrix adds the player's position so the checkerboard stays
// fixed to the world while the mesh travels with the tank.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/render.h"
#include "render/view.h"

namespace {

// glMultiDrawArrays (OpenGL 1.4) by the platform's lookup: Windows' own OpenGL library
// exports only 1.1. Without it the draws go one glDrawArrays each, the same pixels.
PFNGLMULTIDRAWARRAYSPROC multiDrawArrays = nullptr;

void drawStrips(const GLint* first, const GLsizei* count, GLsizei draws) {
    if (multiDrawArrays != nullptr) {
        multiDrawArrays(GL_TRIANGLE_STRIP, first, count, draws);
        return;
    }
    for (GLsizei i = 0; i < draws; ++i) {
        glDrawArrays(GL_TRIANGLE_STRIP, first[i], count[i]);
    }
}

constexpr int kMeshVertices = 40401;
constexpr int kStripLength = 200;
// The draw loop runs strips 0 to kStripLength inclusive; the last vertex it reads
// must lie inside the buffer.
static_assert(kStripLength * kStripLength + kStripLength - 1 < kMeshVertices,
              "terrain strips read past the mesh");

// The mesh's columns: 101 strips of cells one unit wide from x = -50 to 51, each of
// 100 cells from z = -50 to 50 laid as 202 vertices.
constexpr int kColumns = 101;
constexpr int kColumnVertices = 202;
constexpr int kColumnCells = 100;
constexpr float kMeshLow = -50.0f;

// The cells that fall on a seam between two strips: the last two vertices of strip i
// and the first two of strip i + 1, for the seams inside the first 100 columns.
constexpr int kSeams = 100;
GLint seamFirst[kSeams];
GLsizei seamCount[kSeams];

// The draws of one frame: every strip and seam cut down to the cells that can reach
// the view. A draw crosses at most two columns.
constexpr int kDrawCapacity = 2 * (kStripLength + 1 + kSeams);
GLint drawFirst[kDrawCapacity];
GLsizei drawCount[kDrawCapacity];

struct VertexRange {
    int first = 0;
    int end = 0;  // one past the last
};

// The cells of a column that may show: every cell with, for each plane, at least one
// corner inside it (a cell wholly outside one plane cannot show), widened by a cell at
// each end against rounding. As vertices of the buffer; empty when none may show.
VertexRange visibleCells(const ViewVolume& view, int column) {
    const double left = kMeshLow + column;
    const double edges[2] = {left, left + 1.0};
    double low = kMeshLow;                  // the cells' lowest z ...
    double high = kMeshLow + kColumnCells;  // ... and highest
    for (const auto& p : view.planes) {
        // On the ground y = 0 the plane reads a x + c z + d >= 0; on each edge line of
        // the column its inside is a ray of z (or all of the line, or none of it).
        const double a = p[0], c = p[2], d = p[3];
        if (c > 1e-12 || c < -1e-12) {
            const double z0 = -(a * edges[0] + d) / c;
            const double z1 = -(a * edges[1] + d) / c;
            if (c > 0.0) {
                low = std::max(low, std::min(z0, z1));
            } else {
                high = std::min(high, std::max(z0, z1));
            }
        } else if (a * edges[0] + d < 0.0 && a * edges[1] + d < 0.0) {
            return {};
        }
    }
    if (!(low <= high)) {
        return {};
    }
    // Cell j spans z from kMeshLow + j to kMeshLow + j + 1.
    const double cells = kColumnCells;
    const int firstCell =
        static_cast<int>(std::clamp(std::floor(low - kMeshLow) - 2.0, 0.0, cells - 1.0));
    const int lastCell =
        static_cast<int>(std::clamp(std::ceil(high - kMeshLow) + 1.0, 0.0, cells - 1.0));
    if (firstCell > lastCell) {
        return {};
    }
    const int base = column * kColumnVertices;
    return {base + 2 * firstCell, base + 2 * lastCell + 4};
}

// Appends the part of the draw (first, count) that lies in `cells`. The part starts an
// even number of vertices into the draw, so each of its triangles keeps the vertex
// order it has in the whole strip.
void appendPart(int first, int count, VertexRange cells, int* draws) {
    const int from = std::max(first, cells.first);
    const int to = std::min(first + count, cells.end);
    if (to - from >= 3 && *draws < kDrawCapacity) {
        drawFirst[*draws] = from;
        drawCount[*draws] = to - from;
        ++*draws;
    }
}

void appendVisible(int first, int count, const VertexRange cells[kColumns], int* draws) {
    const int firstColumn = first / kColumnVertices;
    const int lastColumn = (first + count - 1) / kColumnVertices;
    for (int c = firstColumn; c <= lastColumn && c < kColumns; ++c) {
        appendPart(first, count, cells[c], draws);
    }
}

}  // namespace

void buildTerrain() {
    multiDrawArrays =
        reinterpret_cast<PFNGLMULTIDRAWARRAYSPROC>(glutGetProcAddress("glMultiDrawArrays"));
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
    if (renderShortcuts) {
        // Only the cells that can reach the view are drawn: the triangles left out
        // would have been clipped or culled whole, those kept are the strips' own.
        const ViewVolume view = currentViewVolume();
        VertexRange cells[kColumns];
        for (int c = 0; c < kColumns; ++c) {
            cells[c] = visibleCells(view, c);
        }
        int draws = 0;
        for (int i = 0; i <= length; ++i) {
            appendVisible(i * length, length, cells, &draws);
        }
        for (int i = 0; i < kSeams; ++i) {
            appendVisible(seamFirst[i], seamCount[i], cells, &draws);
        }
        drawStrips(drawFirst, drawCount, draws);
    } else {
        for (int i = 0; i <= length; ++i) {
            glDrawArrays(GL_TRIANGLE_STRIP, i * length, length);
        }
        drawStrips(seamFirst, seamCount, kSeams);
    }
    glFrontFace(GL_CCW);

    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
