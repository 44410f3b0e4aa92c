// The GL 1.x state calls: switches, matrices, lights, fog, texture-coordinate
// generation, viewport, clear and queries. The fixed-function state stays in the layer
// for the shader programs; what WebGL 2 has itself goes straight to it, the depth test,
// culling, winding and clear colour through programs.cpp, which sends them again (and
// the viewport) after a restore.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "web/gl/layer.h"

namespace layer {

State state;

Matrix identity() {
    Matrix r{};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
    return r;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            }
            r.m[col * 4 + row] = sum;
        }
    }
    return r;
}

const Matrix& modelView() {
    return state.stacks[0][state.depth[0]];
}

void changed() {
    ++state.version;
}

void changedMatrix() {
    ++state.matrixVersion;
}

}  // namespace layer

using namespace layer;

namespace {

struct Initialised {
    Initialised() {
        for (auto& stack : state.stacks) {
            stack[0] = identity();
        }
        // Light 0 alone is white by default.
        for (int i = 0; i < 3; ++i) {
            state.lights[0].diffuse[i] = 1.0f;
        }
    }
} initialised;

Matrix& current() {
    return state.stacks[state.matrixMode][state.depth[state.matrixMode]];
}

void multiplyCurrent(const Matrix& by) {
    current() = multiply(current(), by);
    changedMatrix();
}

Light* lightOf(GLenum light) {
    const unsigned index = light - GL_LIGHT0;
    return index < kLights ? &state.lights[index] : nullptr;
}

// A point or direction through the model-view matrix, as GL places lights.
void toEye(const float in[4], float out[4]) {
    const float* m = modelView().m;
    for (int row = 0; row < 4; ++row) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
    }
}

bool* switchOf(GLenum cap) {
    switch (cap) {
        case GL_LIGHTING:
            return &state.lighting;
        case GL_FOG:
            return &state.fog;
        case GL_TEXTURE_2D:
            return &state.texturing;
        case GL_TEXTURE_GEN_S:
            return &state.texGen[0];
        case GL_TEXTURE_GEN_T:
            return &state.texGen[1];
        case GL_RESCALE_NORMAL:
            return &state.rescaleNormal;
        case GL_NORMALIZE:
            return &state.normalize;
        default: {
            Light* light = lightOf(cap);
            return light != nullptr ? &light->enabled : nullptr;
        }
    }
}

void setSwitch(GLenum cap, bool on) {
    if (cap == GL_DEPTH_TEST) {
        setDepthTest(on);
    } else if (cap == GL_CULL_FACE) {
        setCullFace(on);
    } else if (bool* flag = switchOf(cap)) {
        if (*flag != on) {
            *flag = on;
            changed();
        }
    }
}

}  // namespace

extern "C" {

void glEnable(GLenum cap) {
    setSwitch(cap, true);
}
void glDisable(GLenum cap) {
    setSwitch(cap, false);
}

void glMatrixMode(GLenum mode) {
    switch (mode) {
        case GL_MODELVIEW:
            state.matrixMode = 0;
            break;
        case GL_PROJECTION:
            state.matrixMode = 1;
            break;
        case GL_TEXTURE:
            state.matrixMode = 2;
            break;
        default:
            break;
    }
}

void glLoadIdentity(void) {
    current() = identity();
    changedMatrix();
}

void glPushMatrix(void) {
    int& depth = state.depth[state.matrixMode];
    if (depth + 1 < State::kStackDepth) {
        state.stacks[state.matrixMode][depth + 1] = state.stacks[state.matrixMode][depth];
        ++depth;
    }
}

void glPopMatrix(void) {
    int& depth = state.depth[state.matrixMode];
    if (depth > 0) {
        --depth;
        changedMatrix();
    }
}

void glMultMatrixf(const GLfloat* m) {
    Matrix by;
    std::memcpy(by.m, m, sizeof by.m);
    multiplyCurrent(by);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Matrix t = identity();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    multiplyCurrent(t);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    Matrix s = identity();
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    multiplyCurrent(s);
}

// The rotation by `angle` degrees about the axis (x, y, z), the matrix OpenGL's
// glRotate is defined by.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) {
        return;
    }
    x /= length;
    y /= length;
    z /= length;
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const float s = static_cast<float>(std::sin(radians));
    const float c = static_cast<float>(std::cos(radians));
    const float k = 1.0f - c;
    Matrix r = identity();
    r.m[0] = x * x * k + c;
    r.m[1] = y * x * k + z * s;
    r.m[2] = x * z * k - y * s;
    r.m[4] = x * y * k - z * s;
    r.m[5] = y * y * k + c;
    r.m[6] = y * z * k + x * s;
    r.m[8] = x * z * k + y * s;
    r.m[9] = y * z * k - x * s;
    r.m[10] = z * z * k + c;
    multiplyCurrent(r);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar) {
    const float l = static_cast<float>(left), r = static_cast<float>(right);
    const float b = static_cast<float>(bottom), t = static_cast<float>(top);
    const float n = static_cast<float>(zNear), f = static_cast<float>(zFar);
    Matrix p{};
    p.m[0] = 2.0f * n / (r - l);
    p.m[5] = 2.0f * n / (t - b);
    p.m[8] = (r + l) / (r - l);
    p.m[9] = (t + b) / (t - b);
    p.m[10] = -(f + n) / (f - n);
    p.m[11] = -1.0f;
    p.m[14] = -(2.0f * f * n) / (f - n);
    multiplyCurrent(p);
}

void glGetFloatv(GLenum pname, GLfloat* params) {
    switch (pname) {
        case GL_MODELVIEW_MATRIX:
            std::memcpy(params, state.stacks[0][state.depth[0]].m, 16 * sizeof(float));
            break;
        case GL_PROJECTION_MATRIX:
            std::memcpy(params, state.stacks[1][state.depth[1]].m, 16 * sizeof(float));
            break;
        case GL_TEXTURE_MATRIX:
            std::memcpy(params, state.stacks[2][state.depth[2]].m, 16 * sizeof(float));
            break;
        case GL_POINT_SIZE:
            params[0] = state.pointSize;
            break;
        case GL_LINE_WIDTH:
            params[0] = state.lineWidth;
            break;
        default:
            break;
    }
}

void glGetIntegerv(GLenum pname, GLint* params) {
    switch (pname) {
        case GL_MAX_LIGHTS:
            params[0] = kLights;
            break;
        case GL_VIEWPORT:
            std::memcpy(params, state.viewport, sizeof state.viewport);
            break;
        default:
            emscripten_glGetIntegerv(pname, params);
            break;
    }
}

const GLubyte* glGetString(GLenum name) {
    static char renderer[256];
    switch (name) {
        case GL_VERSION:
            return reinterpret_cast<const GLubyte*>("1.5 Trelvane's GL layer on WebGL 2");
        case GL_VENDOR:
            return reinterpret_cast<const GLubyte*>("Trelvane");
        case GL_EXTENSIONS:
            return reinterpret_cast<const GLubyte*>("GL_ARB_vertex_buffer_object");
        case GL_RENDERER: {
            const GLubyte* below = emscripten_glGetString(GL_RENDERER);
            std::snprintf(renderer, sizeof renderer, "Trelvane's GL 1.x layer on WebGL 2 (%s)",
                          below != nullptr ? reinterpret_cast<const char*>(below) : "unknown");
            return reinterpret_cast<const GLubyte*>(renderer);
        }
        default:
            return nullptr;
    }
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    state.viewport[0] = x;
    state.viewport[1] = y;
    state.viewport[2] = width;
    state.viewport[3] = height;
    emscripten_glViewport(x, y, width, height);
    changed();
}

void glClear(GLbitfield mask) {
    beginFrameState();
    emscripten_glClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    const float colour[4] = {red, green, blue, alpha};
    setClearColour(colour);
}

void glFrontFace(GLenum mode) {
    setFrontFace(mode);
}

void glShadeModel(GLenum) {}  // smooth: the only model the game uses
void glHint(GLenum, GLenum) {}
// WebGL's finish need not wait for the drawing; reading a pixel back does.
void glFinish(void) {
    unsigned char pixel[4];
    emscripten_glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

void glPointSize(GLfloat size) {
    state.pointSize = size;
    changed();
}
void glLineWidth(GLfloat width) {
    state.lineWidth = width;
    changed();
}

// Lights: positions go through the model-view matrix of the moment, as in GL; a
// direction is kept as a unit vector.
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    Light* l = lightOf(light);
    if (l == nullptr) {
        return;
    }
    switch (pname) {
        case GL_AMBIENT:
            std::memcpy(l->ambient, params, sizeof l->ambient);
            break;
        case GL_DIFFUSE:
            std::memcpy(l->diffuse, params, sizeof l->diffuse);
            break;
        case GL_POSITION: {
            toEye(params, l->position);
            if (l->position[3] == 0.0f) {
                const float* p = l->position;
                const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
                if (length > 0.0f) {
                    for (int i = 0; i < 3; ++i) {
                        l->position[i] /= length;
                    }
                }
            }
            break;
        }
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            // Negative factors are not valid values: GL keeps the old one.
            if (params[0] >= 0.0f) {
                l->attenuation[pname - GL_CONSTANT_ATTENUATION] = params[0];
            }
            break;
        default:
            return;
    }
    changed();
}
void glLightf(GLenum light, GLenum pname, GLfloat param) {
    glLightfv(light, pname, &param);
}

void glFogi(GLenum pname, GLint param) {
    if (pname == GL_FOG_MODE) {
        state.fogMode = static_cast<GLenum>(param);
        changed();
    }
}
void glFogf(GLenum pname, GLfloat param) {
    switch (pname) {
        case GL_FOG_DENSITY:
            state.fogDensity = param;
            break;
        case GL_FOG_START:
            state.fogStart = param;
            break;
        case GL_FOG_END:
            state.fogEnd = param;
            break;
        case GL_FOG_MODE:
            state.fogMode = static_cast<GLenum>(param);
            break;
        default:
            return;
    }
    changed();
}
void glFogfv(GLenum pname, const GLfloat* params) {
    if (pname == GL_FOG_COLOR) {
        std::memcpy(state.fogColour, params, sizeof state.fogColour);
        changed();
    } else {
        glFogf(pname, params[0]);
    }
}

void glTexGeni(GLenum coord, GLenum pname, GLint param) {
    const unsigned c = coord - GL_S;
    if (c < 2 && pname == GL_TEXTURE_GEN_MODE) {
        state.texGenMode[c] = static_cast<GLenum>(param);
        changed();
    }
}
// The object planes; the eye planes keep their initial values (the game sets none).
void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
    const unsigned c = coord - GL_S;
    if (c < 2 && pname == GL_OBJECT_PLANE) {
        std::memcpy(state.objectPlane[c], params, 4 * sizeof(float));
        changed();
    }
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  void* pixels) {
    emscripten_glReadPixels(x, y, width, height, format, type, pixels);
}

}  // extern "C"
