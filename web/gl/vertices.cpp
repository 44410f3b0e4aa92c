// The vertex paths: immediate mode (glBegin to glEnd, with the current colour, normal
// and texture coordinate each vertex takes), drawn as one upload into a ring buffer and
// one draw; lines as quads of their width, quads and polygons as triangles; and the
// game's vertex arrays (attribute 0 only), from its buffer objects or copied from memory.
// A display list records what immediate mode would have drawn (lists.cpp).
#include <emscripten/html5_webgl.h>

#include <cstddef>
#include <cstring>

#include "web/gl/layer.h"

namespace layer {
namespace {

constexpr int kStreamVertices = 16384;
constexpr int kImmediateCapacity = 4096;

struct Paths {
    bool ready = false;
    GLuint streamBuffer = 0;  // layer vertices, written as a ring
    GLuint streamVao = 0;
    int streamNext = 0;
    GLuint arrayVao = 0;      // the game's vertex arrays: attribute 0 only
    GLuint clientBuffer = 0;  // their vertices copied from memory
    GLsizeiptr clientCapacity = 0;
    GLsizeiptr clientNext = 0;
    GLuint webglArrayBuffer = 0;
    GLuint boundVao = 0;
    int multiDraw = -1;  // WEBGL_multi_draw: 1 on, 0 missing, -1 not asked for yet
    // The generic values of the attributes the game's arrays leave out.
    float constantNormal[3] = {};
    float constantColour[4] = {};
    float constantTexCoord[4] = {};
    bool constantsSet = false;
};
Paths paths;

Vertex immediate[kImmediateCapacity];
int immediateCount = 0;
GLenum immediateMode = 0;
bool insideBegin = false;
Vertex expanded[kImmediateCapacity * 3];

// The stream's buffer and both vertex arrays specified, under the names they have.
void specify() {
    bindVao(paths.streamVao);
    bindArrayBuffer(paths.streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, kStreamVertices * sizeof(Vertex), nullptr,
                            GL_STREAM_DRAW);
    layoutVertices(true);
    paths.streamNext = 0;
    bindVao(paths.arrayVao);
    emscripten_glEnableVertexAttribArray(0);
    paths.clientCapacity = 0;
    paths.clientNext = 0;
}

void setUp() {
    paths.ready = true;
    emscripten_glGenVertexArrays(1, &paths.streamVao);
    emscripten_glGenBuffers(1, &paths.streamBuffer);
    emscripten_glGenVertexArrays(1, &paths.arrayVao);
    emscripten_glGenBuffers(1, &paths.clientBuffer);
    specify();
}

// GL_LINES, GL_LINE_STRIP and GL_LINE_LOOP as quads, two triangles a segment.
int expandLines(GLenum mode, const Vertex* v, int count, Vertex* out) {
    int segments = 0;
    int written = 0;
    auto segment = [&](const Vertex& a, const Vertex& b) {
        const Vertex* ends[2] = {&a, &b};
        static const int corners[6][2] = {{0, -1}, {0, 1}, {1, -1}, {1, -1}, {0, 1}, {1, 1}};
        for (const auto& corner : corners) {
            Vertex w = *ends[corner[0]];
            std::memcpy(w.other, ends[1 - corner[0]]->position, sizeof w.other);
            w.side = static_cast<float>(corner[1]);
            out[written++] = w;
        }
        ++segments;
    };
    if (mode == GL_LINES) {
        for (int i = 0; i + 1 < count; i += 2) {
            segment(v[i], v[i + 1]);
        }
    } else {
        for (int i = 0; i + 1 < count; ++i) {
            segment(v[i], v[i + 1]);
        }
        if (mode == GL_LINE_LOOP && count > 2) {
            segment(v[count - 1], v[0]);
        }
    }
    return written;
}

// GL_QUADS and GL_POLYGON as triangles; GL_QUAD_STRIP is a triangle strip already.
int triangulate(GLenum mode, const Vertex* v, int count, Vertex* out, GLenum* drawMode) {
    int written = 0;
    if (mode == GL_QUADS) {
        for (int i = 0; i + 3 < count; i += 4) {
            const int order[6] = {0, 1, 2, 0, 2, 3};
            for (int k : order) {
                out[written++] = v[i + k];
            }
        }
        *drawMode = GL_TRIANGLES;
        return written;
    }
    if (mode == GL_POLYGON) {
        *drawMode = GL_TRIANGLE_FAN;
    } else if (mode == GL_QUAD_STRIP) {
        *drawMode = GL_TRIANGLE_STRIP;
    } else {
        *drawMode = mode;
    }
    std::memcpy(out, v, count * sizeof(Vertex));
    return count;
}

bool isLine(GLenum mode) {
    return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

}  // namespace

void bindVao(GLuint vao) {
    if (paths.boundVao != vao) {
        emscripten_glBindVertexArray(vao);
        paths.boundVao = vao;
    }
}

// The layer-vertex layout of the stream and of every display list.
void layoutVertices(bool lines) {
    const GLsizei stride = sizeof(Vertex);
    const struct {
        GLuint index;
        GLint size;
        size_t offset;
    } attributes[] = {
        {0, 4, offsetof(Vertex, position)}, {1, 3, offsetof(Vertex, normal)},
        {2, 4, offsetof(Vertex, colour)},   {3, 4, offsetof(Vertex, texCoord)},
        {4, 4, offsetof(Vertex, other)},    {5, 1, offsetof(Vertex, side)},
    };
    for (const auto& a : attributes) {
        if (a.index >= 4 && !lines) {
            continue;
        }
        emscripten_glEnableVertexAttribArray(a.index);
        emscripten_glVertexAttribPointer(a.index, a.size, GL_FLOAT, GL_FALSE, stride,
                                         reinterpret_cast<const void*>(a.offset));
    }
}

void setConstants() {
    if (!paths.constantsSet || std::memcmp(paths.constantNormal, state.normal, 12) != 0) {
        std::memcpy(paths.constantNormal, state.normal, 12);
        emscripten_glVertexAttrib3f(1, state.normal[0], state.normal[1], state.normal[2]);
    }
    if (!paths.constantsSet || std::memcmp(paths.constantColour, state.colour, 16) != 0) {
        std::memcpy(paths.constantColour, state.colour, 16);
        emscripten_glVertexAttrib4f(2, state.colour[0], state.colour[1], state.colour[2],
                                    state.colour[3]);
    }
    if (!paths.constantsSet || std::memcmp(paths.constantTexCoord, state.texCoord, 16) != 0) {
        std::memcpy(paths.constantTexCoord, state.texCoord, 16);
        emscripten_glVertexAttrib4f(3, state.texCoord[0], state.texCoord[1], state.texCoord[2],
                                    state.texCoord[3]);
    }
    if (!paths.constantsSet) {
        emscripten_glVertexAttrib4f(4, 0.0f, 0.0f, 0.0f, 1.0f);
        emscripten_glVertexAttrib4f(5, 0.0f, 0.0f, 0.0f, 1.0f);
    }
    paths.constantsSet = true;
}

void bindArrayBuffer(GLuint buffer) {
    if (paths.webglArrayBuffer != buffer) {
        emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
        paths.webglArrayBuffer = buffer;
    }
}

void beginFrameState() {
    if (!paths.ready) {
        setUp();
    }
}

void restoreVertexPaths() {
    paths.webglArrayBuffer = 0;
    paths.boundVao = 0;
    paths.multiDraw = -1;  // an extension is switched on again in a restored context
    paths.constantsSet = false;
    if (paths.ready) {
        specify();
    }
}

void drawVertices(GLenum mode, const Vertex* vertices, int count) {
    if (count <= 0) {
        return;
    }
    GLenum drawMode = mode;
    const Vertex* source = vertices;
    int drawn = count;
    if (isLine(mode)) {
        if (count > kImmediateCapacity) {
            return;
        }
        drawn = expandLines(mode, vertices, count, expanded);
        source = expanded;
        drawMode = GL_TRIANGLES;
    } else if (mode == GL_QUADS || mode == GL_POLYGON || mode == GL_QUAD_STRIP) {
        if (count > kImmediateCapacity) {
            return;
        }
        drawn = triangulate(mode, vertices, count, expanded, &drawMode);
        source = expanded;
    }
    if (recordingList()) {
        recordTriangles(drawMode, source, drawn);
        return;
    }
    if (drawn > kStreamVertices) {
        return;
    }
    beginFrameState();
    prepare(isLine(mode) ? state.lineWidth : 0.0f);
    bindVao(paths.streamVao);
    bindArrayBuffer(paths.streamBuffer);
    if (paths.streamNext + drawn > kStreamVertices) {
        // A fresh store for the buffer: draws still reading the old one keep it.
        emscripten_glBufferData(GL_ARRAY_BUFFER, kStreamVertices * sizeof(Vertex), nullptr,
                                GL_STREAM_DRAW);
        paths.streamNext = 0;
    }
    emscripten_glBufferSubData(GL_ARRAY_BUFFER, paths.streamNext * sizeof(Vertex),
                               drawn * sizeof(Vertex), source);
    emscripten_glDrawArrays(drawMode, paths.streamNext, drawn);
    paths.streamNext += drawn;
}

namespace {

// Points attribute 0 of the array VAO at the game's vertex pointer; `first` must then be
// added to the draw's first vertex.
bool pointArray(GLint first, GLsizei count, GLint* base) {
    const auto& p = state.vertexPointer;
    const GLsizei stride = p.stride != 0 ? p.stride : p.size * static_cast<GLsizei>(sizeof(float));
    bindVao(paths.arrayVao);
    if (p.buffer != 0) {
        bindArrayBuffer(p.buffer);
        emscripten_glVertexAttribPointer(0, p.size, GL_FLOAT, GL_FALSE, stride, p.pointer);
        *base = 0;
        return true;
    }
    if (p.pointer == nullptr) {
        return false;
    }
    // From memory: the vertices drawn are copied into the layer's own buffer.
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * stride;
    bindArrayBuffer(paths.clientBuffer);
    if (paths.clientNext + bytes > paths.clientCapacity) {
        if (bytes > paths.clientCapacity) {
            paths.clientCapacity = bytes > 65536 ? bytes * 2 : 131072;
        }
        emscripten_glBufferData(GL_ARRAY_BUFFER, paths.clientCapacity, nullptr, GL_STREAM_DRAW);
        paths.clientNext = 0;
    }
    emscripten_glBufferSubData(
        GL_ARRAY_BUFFER, paths.clientNext, bytes,
        static_cast<const char*>(p.pointer) + static_cast<GLsizeiptr>(first) * stride);
    emscripten_glVertexAttribPointer(0, p.size, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void*>(paths.clientNext));
    paths.clientNext += bytes;
    *base = -first;
    return true;
}

}  // namespace

void drawArray(GLenum mode, GLint first, GLsizei count) {
    if (!state.vertexArray || count <= 0 || recordingList() || isLine(mode) || mode == GL_QUADS) {
        return;  // the game draws its arrays as points and triangle strips
    }
    beginFrameState();
    prepare();
    GLint base = 0;
    if (!pointArray(first, count, &base)) {
        return;
    }
    setConstants();
    emscripten_glDrawArrays(mode, first + base, count);
}

void drawArrays(GLenum mode, const GLint* first, const GLsizei* count, GLsizei draws) {
    // Asked for at its first use, in play: asking waits for whatever the browser's GPU
    // process is doing, which the start of the game need not.
    if (paths.multiDraw < 0) {
        paths.multiDraw =
            emscripten_webgl_enable_WEBGL_multi_draw(emscripten_webgl_get_current_context()) ? 1
                                                                                             : 0;
    }
    if (state.vertexArray && state.vertexPointer.buffer != 0 && paths.ready &&
        paths.multiDraw == 1 && !recordingList() && !isLine(mode) && mode != GL_QUADS) {
        prepare();
        GLint base = 0;
        pointArray(0, 0, &base);
        setConstants();
        emscripten_glMultiDrawArraysWEBGL(mode, first, count, draws);
        return;
    }
    for (GLsizei i = 0; i < draws; ++i) {
        drawArray(mode, first[i], count[i]);
    }
}

}  // namespace layer

using namespace layer;

extern "C" {

void glBegin(GLenum mode) {
    insideBegin = true;
    immediateMode = mode;
    immediateCount = 0;
}

void glEnd(void) {
    if (!insideBegin) {
        return;
    }
    insideBegin = false;
    drawVertices(immediateMode, immediate, immediateCount);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (!insideBegin || immediateCount >= kImmediateCapacity) {
        return;
    }
    Vertex& v = immediate[immediateCount++];
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = 1.0f;
    std::memcpy(v.normal, state.normal, sizeof v.normal);
    std::memcpy(v.colour, state.colour, sizeof v.colour);
    std::memcpy(v.texCoord, state.texCoord, sizeof v.texCoord);
    v.side = 0.0f;
}

void glVertex2f(GLfloat x, GLfloat y) {
    glVertex3f(x, y, 0.0f);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    state.colour[0] = red;
    state.colour[1] = green;
    state.colour[2] = blue;
    state.colour[3] = 1.0f;
}
void glColor3fv(const GLfloat* v) {
    glColor3f(v[0], v[1], v[2]);
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    state.normal[0] = x;
    state.normal[1] = y;
    state.normal[2] = z;
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    state.texCoord[0] = s;
    state.texCoord[1] = t;
    state.texCoord[2] = 0.0f;
    state.texCoord[3] = 1.0f;
}

void glEnableClientState(GLenum array) {
    if (array == GL_VERTEX_ARRAY) {
        state.vertexArray = true;
    }
}
void glDisableClientState(GLenum array) {
    if (array == GL_VERTEX_ARRAY) {
        state.vertexArray = false;
    }
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
    if (type != GL_FLOAT) {
        return;  // the game's arrays are all floats
    }
    state.vertexPointer.size = size;
    state.vertexPointer.stride = stride;
    state.vertexPointer.pointer = pointer;
    state.vertexPointer.buffer = state.arrayBuffer;
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    drawArray(mode, first, count);
}
void glMultiDrawArrays(GLenum mode, const GLint* first, const GLsizei* count, GLsizei draws) {
    drawArrays(mode, first, count, draws);
}

}  // extern "C"