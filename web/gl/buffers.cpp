// The game's vertex-buffer objects: WebGL 2's own buffers, but for mapping, which WebGL
// has not (a mapping that fails gives null in GL too). Each keeps a copy of the data
// the game gave it (the terrain's mesh), to fill it again after a restore.
#include <cstddef>
#include <vector>

#include "web/gl/layer.h"

namespace layer {
namespace {

struct Kept {
    GLuint name = 0;
    GLenum usage = GL_STATIC_DRAW;
    GLsizeiptr size = 0;
    std::vector<unsigned char> data;  // empty when the game gave none
};
std::vector<Kept> kept;

}  // namespace

void restoreBuffers() {
    for (const Kept& k : kept) {
        bindArrayBuffer(k.name);
        emscripten_glBufferData(GL_ARRAY_BUFFER, k.size, k.data.empty() ? nullptr : k.data.data(),
                                k.usage);
    }
}

size_t keptBufferBytes() {
    size_t bytes = kept.capacity() * sizeof(Kept);
    for (const Kept& k : kept) {
        bytes += k.data.capacity();
    }
    return bytes;
}

}  // namespace layer

using namespace layer;

extern "C" {

void glGenBuffersARB(GLsizei n, GLuint* buffers) {
    emscripten_glGenBuffers(n, buffers);
}
void glDeleteBuffersARB(GLsizei n, const GLuint* buffers) {
    for (GLsizei i = 0; i < n; ++i) {
        if (buffers[i] == state.arrayBuffer) {
            state.arrayBuffer = 0;
        }
    }
    emscripten_glDeleteBuffers(n, buffers);
    bindArrayBuffer(0);
    for (GLsizei i = 0; i < n; ++i) {
        for (size_t k = kept.size(); k-- > 0;) {
            if (kept[k].name == buffers[i]) {
                kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(k));
            }
        }
    }
}
GLboolean glIsBufferARB(GLuint buffer) {
    return emscripten_glIsBuffer(buffer);
}
void glBindBufferARB(GLenum target, GLuint buffer) {
    if (target == GL_ARRAY_BUFFER_ARB) {
        state.arrayBuffer = buffer;
    }
}
void glBufferDataARB(GLenum target, GLsizeiptrARB size, const void* data, GLenum usage) {
    if (target != GL_ARRAY_BUFFER_ARB || state.arrayBuffer == 0) {
        return;
    }
    bindArrayBuffer(state.arrayBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, size, data, usage);
    Kept* copy = nullptr;
    for (Kept& k : kept) {
        if (k.name == state.arrayBuffer) {
            copy = &k;
        }
    }
    if (copy == nullptr) {
        copy = &kept.emplace_back();
        copy->name = state.arrayBuffer;
    }
    copy->usage = usage;
    copy->size = size;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    copy->data.assign(bytes, data != nullptr ? bytes + size : bytes);
    copy->data.shrink_to_fit();
}
void* glMapBufferARB(GLenum, GLenum) {
    return nullptr;
}
GLboolean glUnmapBufferARB(GLenum) {
    return GL_FALSE;
}
void glGetBufferSubDataARB(GLenum target, GLintptrARB offset, GLsizeiptrARB size, void* data) {
    if (target == GL_ARRAY_BUFFER_ARB && state.arrayBuffer != 0) {
        bindArrayBuffer(state.arrayBuffer);
        emscripten_glGetBufferSubData(GL_ARRAY_BUFFER, offset, size, data);
    }
}
void glGetBufferParameterivARB(GLenum target, GLenum pname, GLint* params) {
    if (target == GL_ARRAY_BUFFER_ARB && state.arrayBuffer != 0) {
        bindArrayBuffer(state.arrayBuffer);
        emscripten_glGetBufferParameteriv(GL_ARRAY_BUFFER, pname, params);
    }
}
void glGetBufferPointervARB(GLenum, GLenum, void** params) {
    *params = nullptr;
}

}  // extern "C"
