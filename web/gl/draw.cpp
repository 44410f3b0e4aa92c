// The WebGL 2 side of the layer: shader programs that compute what GL 1.x's fixed
// function computes (per-vertex lighting with directional and positional lights and
// their attenuation, object- and eye-linear texture coordinates through the texture
// matrix, GL_MODULATE texturing, per-fragment fog from the eye depth), immediate mode,
// the game's vertex arrays, and display lists (indexed triangles). A glBegin/glEnd block is one
// upload and one draw; uniforms go to WebGL only when the state they come from has changed.
#include <emscripten/html5_webgl.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "web/gl/layer.h"

namespace layer {
namespace {

// The shaders' sources follow a few lines of #defines that fix, for each program, what
// GL's state switches on: each program computes only what its state needs, with no
// branch on a uniform (a light's kind, a texture-coordinate mode, the fog's equation).
const char* const kVertexShader = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColour;
layout(location = 3) in vec4 aTexCoord;
layout(location = 4) in vec4 aOther;
layout(location = 5) in float aSide;
uniform mat4 uModelView;
uniform mat4 uProjection;
uniform mat4 uTextureMatrix;
uniform mat3 uNormalMatrix;
uniform vec4 uLightPosition[8];
uniform vec3 uLightAmbient[8];
uniform vec3 uLightDiffuse[8];
uniform vec3 uLightAttenuation[8];
uniform vec4 uSceneColour;
uniform vec4 uObjectPlane[2];
uniform vec4 uEyePlane[2];
uniform float uPointSize;
uniform float uLineWidth;
uniform vec2 uViewport;
out vec4 vColour;
out vec4 vTexCoord;
out float vFogDepth;

// What light i adds at the eye-space vertex v with normal n.
vec3 directional(int i, vec3 n) {
    return uLightAmbient[i] + max(dot(n, uLightPosition[i].xyz), 0.0) * uLightDiffuse[i];
}
vec3 positional(int i, vec3 v, vec3 n) {
    vec3 toLight = uLightPosition[i].xyz / uLightPosition[i].w - v;
    float d = length(toLight);
    vec3 k = uLightAttenuation[i];
    float attenuation = 1.0 / (k.x + k.y * d + k.z * d * d);
    return attenuation * (uLightAmbient[i] + max(dot(n, toLight / d), 0.0) * uLightDiffuse[i]);
}

void main() {
    vec4 eye = uModelView * aPosition;
    vec4 clip = uProjection * eye;
#if LINES
    // A line is a parallelogram of its width across its major axis, as GL rasterises
    // wide lines.
    vec4 otherClip = uProjection * (uModelView * aOther);
    vec2 halfViewport = 0.5 * uViewport;
    vec2 d = (otherClip.xy / otherClip.w - clip.xy / clip.w) * halfViewport;
    vec2 across = abs(d.x) >= abs(d.y) ? vec2(0.0, 1.0) : vec2(1.0, 0.0);
    clip.xy += across * aSide * (0.5 * uLineWidth) / halfViewport * clip.w;
#endif
    gl_Position = clip;
    gl_PointSize = uPointSize;

#if LIGHTING
    vec3 v = eye.xyz / eye.w;
    vec3 n = uNormalMatrix * aNormal;
    vec3 c = uSceneColour.rgb;
    LIGHTS
    vColour = vec4(clamp(c, 0.0, 1.0), uSceneColour.a);
#else
    vColour = aColour;
#endif

    vec4 t = aTexCoord;
#if TEXGEN_S == 1
    t.x = dot(uObjectPlane[0], aPosition);
#elif TEXGEN_S == 2
    t.x = dot(uEyePlane[0], eye);
#endif
#if TEXGEN_T == 1
    t.y = dot(uObjectPlane[1], aPosition);
#elif TEXGEN_T == 2
    t.y = dot(uEyePlane[1], eye);
#endif
    vTexCoord = uTextureMatrix * t;
    vFogDepth = abs(eye.z);
}
)";

const char* const kFragmentShader = R"(
precision highp float;
uniform sampler2D uTexture;
uniform float uFogDensity;
uniform float uFogStart;
uniform float uFogEnd;
uniform vec3 uFogColour;
in vec4 vColour;
in vec4 vTexCoord;
in float vFogDepth;
out vec4 fragColour;

void main() {
    vec4 c = vColour;
#if TEXTURING
    c *= texture(uTexture, vTexCoord.xy / vTexCoord.w);
#endif
#if FOG_MODE == 1
    float f = (uFogEnd - vFogDepth) / (uFogEnd - uFogStart);
#elif FOG_MODE == 2
    float f = exp(-uFogDensity * vFogDepth);
#elif FOG_MODE == 3
    float fogD = uFogDensity * vFogDepth;
    float f = exp(-fogD * fogD);
#endif
#if FOG_MODE != 0
    c.rgb = mix(uFogColour, c.rgb, clamp(f, 0.0, 1.0));
#endif
    fragColour = c;
}
)";

enum Uniform {
    kModelView,
    kProjection,
    kTextureMatrix,
    kNormalMatrix,
    kLightPosition,
    kLightAmbient,
    kLightDiffuse,
    kLightAttenuation,
    kSceneColour,
    kObjectPlane,
    kEyePlane,
    kPointSize,
    kLineWidth,
    kViewport,
    kTexture,
    kFogDensity,
    kFogStart,
    kFogEnd,
    kFogColour,
    kUniforms
};
const char* const kUniformNames[kUniforms] = {
    "uModelView",    "uProjection",   "uTextureMatrix",    "uNormalMatrix", "uLightPosition",
    "uLightAmbient", "uLightDiffuse", "uLightAttenuation", "uSceneColour",  "uObjectPlane",
    "uEyePlane",     "uPointSize",    "uLineWidth",        "uViewport",     "uTexture",
    "uFogDensity",   "uFogStart",     "uFogEnd",           "uFogColour",
};

// What a program is built for: the state the shaders read as constants, packed.
struct Features {
    bool lighting = false;
    int lights = 0;           // enabled lights, in order of their numbers ...
    unsigned positional = 0;  // ... bit i set when the i-th of them is positional
    int texGen[2] = {0, 0};   // s, t: 0 none, 1 object linear, 2 eye linear
    bool texturing = false;
    int fogMode = 0;  // 0 off, 1 linear, 2 exp, 3 exp2
    bool lines = false;

    unsigned key() const {
        return (lighting ? 1u : 0u) | static_cast<unsigned>(lights) << 1 | positional << 5 |
               static_cast<unsigned>(texGen[0]) << 13 | static_cast<unsigned>(texGen[1]) << 15 |
               (texturing ? 1u : 0u) << 17 | static_cast<unsigned>(fogMode) << 18 |
               (lines ? 1u : 0u) << 20;
    }
};

// A program, its uniforms' locations, and the state versions its uniforms hold: each
// program keeps its own uniform values.
struct Program {
    unsigned key = 0;
    GLuint name = 0;
    GLuint shaders[2] = {0, 0};  // until the program is first used
    bool ready = false;          // linked, and its uniforms found
    GLint uniform[kUniforms] = {};
    unsigned uploaded = 0;
    unsigned uploadedMatrices = 0;
    bool normalsLit = false;  // the normal matrix is that of the model-view uploaded
    float lineWidth = -1.0f;
};
// The state combinations a game meets are a few dozen; past the table's end, the last
// entry is built again for each new one.
constexpr int kPrograms = 96;

// The default material of GL 1.x: the game sets none.
constexpr float kMaterialAmbient = 0.2f;
constexpr float kMaterialDiffuse = 0.8f;
constexpr float kModelAmbient = 0.2f;

constexpr int kStreamVertices = 16384;
constexpr int kImmediateCapacity = 4096;

struct Device {
    bool ready = false;
    Program programs[kPrograms];
    int programCount = 0;
    Program* program = nullptr;    // the one in use
    unsigned featuresVersion = 0;  // the state version `features` was read at
    Features features;
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
    bool depthTest = false;
    bool cullWanted = false;  // GL_CULL_FACE as the game set it ...
    bool culling = false;     // ... and as WebGL has it: never for lines
    // The generic values of the attributes the game's arrays leave out.
    float constantNormal[3] = {};
    float constantColour[4] = {};
    float constantTexCoord[4] = {};
    bool constantsSet = false;
};
Device device;

// A display list: its triangles as indices into the distinct vertices they share, so
// that a vertex of a strip or fan is lit once, not once for each triangle it is in.
struct List {
    GLuint vao = 0;
    GLuint buffer = 0;
    GLuint indexBuffer = 0;
    int count = 0;  // indices
};
std::vector<List> lists(1);  // list 0 is never a list
std::vector<Vertex> recording;
GLuint recordingName = 0;
std::vector<Vertex> distinct;         // a list's vertices, each once ...
std::vector<GLuint> recordedIndices;  // ... and its triangles' corners
std::vector<int> vertexSlots;         // where each distinct vertex sits in the hash table

Vertex immediate[kImmediateCapacity];
int immediateCount = 0;
GLenum immediateMode = 0;
bool insideBegin = false;
Vertex expanded[kImmediateCapacity * 3];

// A shader, sent to the browser's GPU process to compile; whether it did is asked only
// once its program is used, so that the compiling goes on meanwhile.
GLuint compile(GLenum type, const char* defines, const char* source) {
    const GLuint shader = emscripten_glCreateShader(type);
    const char* parts[3] = {"#version 300 es\n", defines, source};
    emscripten_glShaderSource(shader, 3, parts, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

// Tells what went wrong with a shader that did not compile.
void reportShader(GLuint shader) {
    GLint ok = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "GL layer: shader not compiled: %s\n", log);
    }
}

void bindVao(GLuint vao) {
    if (device.boundVao != vao) {
        emscripten_glBindVertexArray(vao);
        device.boundVao = vao;
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

// Starts building the program for the features `f` in the table: its shaders compile
// and it links in the browser's GPU process while the game goes on.
Program* startProgram(const Features& f) {
    Program* p =
        &device.programs[device.programCount < kPrograms ? device.programCount++ : kPrograms - 1];
    if (p->name != 0) {
        emscripten_glDeleteProgram(p->name);
    }
    for (GLuint shader : p->shaders) {
        if (shader != 0) {
            emscripten_glDeleteShader(shader);
        }
    }
    *p = Program{};
    p->key = f.key();

    // One line a light, unrolled: a directional light has no distance to attenuate by.
    char lights[8 * 40] = "";
    for (int i = 0; i < f.lights; ++i) {
        char line[40];
        std::snprintf(
            line, sizeof line,
            (f.positional >> i & 1u) ? "c += positional(%d, v, n);" : "c += directional(%d, n);",
            i);
        std::strcat(lights, line);
    }
    char vertexDefines[512];
    std::snprintf(vertexDefines, sizeof vertexDefines,
                  "#define LINES %d\n#define LIGHTING %d\n#define LIGHTS %s\n"
                  "#define TEXGEN_S %d\n#define TEXGEN_T %d\n",
                  f.lines ? 1 : 0, f.lighting ? 1 : 0, lights, f.texGen[0], f.texGen[1]);
    char fragmentDefines[96];
    std::snprintf(fragmentDefines, sizeof fragmentDefines,
                  "#define TEXTURING %d\n#define FOG_MODE %d\n", f.texturing ? 1 : 0, f.fogMode);

    p->name = emscripten_glCreateProgram();
    p->shaders[0] = compile(GL_VERTEX_SHADER, vertexDefines, kVertexShader);
    p->shaders[1] = compile(GL_FRAGMENT_SHADER, fragmentDefines, kFragmentShader);
    for (GLuint shader : p->shaders) {
        emscripten_glAttachShader(p->name, shader);
    }
    emscripten_glLinkProgram(p->name);
    return p;
}

// The program for the features `f`: built the first time, made ready (linked, or what
// went wrong told, and its uniforms found) when first used.
Program* programFor(const Features& f) {
    const unsigned key = f.key();
    Program* p = nullptr;
    for (int i = 0; i < device.programCount && p == nullptr; ++i) {
        if (device.programs[i].key == key) {
            p = &device.programs[i];
        }
    }
    if (p == nullptr) {
        p = startProgram(f);
    }
    if (p->ready) {
        return p;
    }
    p->ready = true;
    GLint ok = 0;
    emscripten_glGetProgramiv(p->name, GL_LINK_STATUS, &ok);
    if (!ok) {
        for (GLuint shader : p->shaders) {
            reportShader(shader);
        }
        char log[1024] = {};
        emscripten_glGetProgramInfoLog(p->name, sizeof log, nullptr, log);
        std::fprintf(stderr, "GL layer: program not linked: %s\n", log);
    }
    for (GLuint& shader : p->shaders) {
        emscripten_glDeleteShader(shader);
        shader = 0;
    }
    emscripten_glUseProgram(p->name);
    device.program = p;
    for (int i = 0; i < kUniforms; ++i) {
        p->uniform[i] = emscripten_glGetUniformLocation(p->name, kUniformNames[i]);
    }
    emscripten_glUniform1i(p->uniform[kTexture], 0);
    return p;
}

// What the current state switches on, as a program's features.
void readFeatures() {
    if (device.featuresVersion == state.version) {
        return;
    }
    device.featuresVersion = state.version;
    Features& f = device.features;
    f.lighting = state.lighting;
    f.lights = 0;
    f.positional = 0;
    if (state.lighting) {
        for (const Light& l : state.lights) {
            if (l.enabled) {
                f.positional |= (l.position[3] != 0.0f ? 1u : 0u) << f.lights;
                ++f.lights;
            }
        }
    }
    for (int c = 0; c < 2; ++c) {
        f.texGen[c] = !state.texGen[c]                          ? 0
                      : state.texGenMode[c] == GL_OBJECT_LINEAR ? 1
                      : state.texGenMode[c] == GL_EYE_LINEAR    ? 2
                                                                : 0;
    }
    f.texturing = state.texturing && state.boundTexture != 0;
    f.fogMode = !state.fog ? 0 : state.fogMode == GL_LINEAR ? 1 : state.fogMode == GL_EXP ? 2 : 3;
}

void setUp() {
    device.ready = true;
    emscripten_glGenVertexArrays(1, &device.streamVao);
    bindVao(device.streamVao);
    emscripten_glGenBuffers(1, &device.streamBuffer);
    bindArrayBuffer(device.streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, kStreamVertices * sizeof(Vertex), nullptr,
                            GL_STREAM_DRAW);
    layoutVertices(true);

    emscripten_glGenVertexArrays(1, &device.arrayVao);
    bindVao(device.arrayVao);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glGenBuffers(1, &device.clientBuffer);
}

// The normal matrix: the inverse transpose of the model-view's upper 3 x 3, scaled by
// GL_RESCALE_NORMAL's factor (one over the length of the inverse's third row).
void normalMatrix(const Matrix& mv, float out[9]) {
    const float* m = mv.m;
    const float a = m[0], b = m[4], c = m[8];
    const float d = m[1], e = m[5], f = m[9];
    const float g = m[2], h = m[6], k = m[10];
    const float det = a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
    const float s = det != 0.0f ? 1.0f / det : 0.0f;
    // inverse[row][col]
    const float inv[3][3] = {
        {(e * k - f * h) * s, (c * h - b * k) * s, (b * f - c * e) * s},
        {(f * g - d * k) * s, (a * k - c * g) * s, (c * d - a * f) * s},
        {(d * h - e * g) * s, (b * g - a * h) * s, (a * e - b * d) * s},
    };
    float scale = 1.0f;
    if (state.rescaleNormal) {
        const float row = inv[2][0] * inv[2][0] + inv[2][1] * inv[2][1] + inv[2][2] * inv[2][2];
        if (row > 1e-12f) {
            scale = 1.0f / std::sqrt(row);
        }
    }
    // Column-major storage of the transpose is the inverse row by row.
    for (int r = 0; r < 3; ++r) {
        for (int col = 0; col < 3; ++col) {
            out[r * 3 + col] = inv[r][col] * scale;
        }
    }
}

void uploadUniforms(float lineWidth) {
    if (state.texturing && state.boundTexture != 0) {
        buildTexture(state.boundTexture);
    }
    readFeatures();
    device.features.lines = lineWidth != 0.0f;
    Program* p = programFor(device.features);
    if (device.program != p) {
        emscripten_glUseProgram(p->name);
        device.program = p;
    }
    const GLint* u = p->uniform;
    if (p->uploaded != state.version) {
        p->normalsLit = false;  // GL_RESCALE_NORMAL may have changed
    }
    if (p->uploadedMatrices != state.matrixVersion) {
        p->uploadedMatrices = state.matrixVersion;
        emscripten_glUniformMatrix4fv(u[kModelView], 1, GL_FALSE, modelView().m);
        emscripten_glUniformMatrix4fv(u[kProjection], 1, GL_FALSE,
                                      state.stacks[1][state.depth[1]].m);
        emscripten_glUniformMatrix4fv(u[kTextureMatrix], 1, GL_FALSE,
                                      state.stacks[2][state.depth[2]].m);
        p->normalsLit = false;
    }
    if (state.lighting && !p->normalsLit) {
        float normals[9];
        normalMatrix(modelView(), normals);
        emscripten_glUniformMatrix3fv(u[kNormalMatrix], 1, GL_FALSE, normals);
        p->normalsLit = true;
    }
    if (p->uploaded != state.version) {
        p->uploaded = state.version;
        if (state.lighting) {
            float position[kLights][4], ambient[kLights][3], diffuse[kLights][3],
                attenuation[kLights][3];
            int count = 0;
            for (const Light& l : state.lights) {
                if (!l.enabled) {
                    continue;
                }
                std::memcpy(position[count], l.position, sizeof position[count]);
                std::memcpy(attenuation[count], l.attenuation, sizeof attenuation[count]);
                for (int i = 0; i < 3; ++i) {
                    ambient[count][i] = kMaterialAmbient * l.ambient[i];
                    diffuse[count][i] = kMaterialDiffuse * l.diffuse[i];
                }
                ++count;
            }
            if (count > 0) {
                emscripten_glUniform4fv(u[kLightPosition], count, position[0]);
                emscripten_glUniform3fv(u[kLightAmbient], count, ambient[0]);
                emscripten_glUniform3fv(u[kLightDiffuse], count, diffuse[0]);
                emscripten_glUniform3fv(u[kLightAttenuation], count, attenuation[0]);
            }
            const float scene[4] = {kMaterialAmbient * kModelAmbient,
                                    kMaterialAmbient * kModelAmbient,
                                    kMaterialAmbient * kModelAmbient, 1.0f};
            emscripten_glUniform4fv(u[kSceneColour], 1, scene);
        }
        emscripten_glUniform4fv(u[kObjectPlane], 2, state.objectPlane[0]);
        emscripten_glUniform4fv(u[kEyePlane], 2, state.eyePlane[0]);
        emscripten_glUniform1f(u[kPointSize], state.pointSize);
        emscripten_glUniform2f(u[kViewport], static_cast<float>(state.viewport[2]),
                               static_cast<float>(state.viewport[3]));
        emscripten_glUniform1f(u[kFogDensity], state.fogDensity);
        emscripten_glUniform1f(u[kFogStart], state.fogStart);
        emscripten_glUniform1f(u[kFogEnd], state.fogEnd);
        emscripten_glUniform3fv(u[kFogColour], 1, state.fogColour);
    }
    if (p->lineWidth != lineWidth) {
        p->lineWidth = lineWidth;
        emscripten_glUniform1f(u[kLineWidth], lineWidth);
    }
}

// Lines are drawn as quads whose winding follows their direction on screen: GL culls
// polygons only, so they are drawn with culling off.
void prepare(float lineWidth = 0.0f) {
    if (!device.ready) {
        setUp();
    }
    uploadUniforms(lineWidth);
    const bool culling = device.cullWanted && lineWidth == 0.0f;
    if (device.culling != culling) {
        device.culling = culling;
        culling ? emscripten_glEnable(GL_CULL_FACE) : emscripten_glDisable(GL_CULL_FACE);
    }
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

// Strips and fans as separate triangles, the order of each triangle's corners kept as
// GL takes them, for a display list's one draw.
void appendTriangles(GLenum mode, const Vertex* v, int count) {
    if (mode == GL_TRIANGLES) {
        recording.insert(recording.end(), v, v + count - count % 3);
    } else if (mode == GL_TRIANGLE_STRIP) {
        for (int i = 0; i + 2 < count; ++i) {
            const bool odd = i % 2 == 1;
            recording.push_back(v[odd ? i + 1 : i]);
            recording.push_back(v[odd ? i : i + 1]);
            recording.push_back(v[i + 2]);
        }
    } else if (mode == GL_TRIANGLE_FAN) {
        for (int i = 1; i + 1 < count; ++i) {
            recording.push_back(v[0]);
            recording.push_back(v[i]);
            recording.push_back(v[i + 1]);
        }
    }
}

void setConstants() {
    if (!device.constantsSet || std::memcmp(device.constantNormal, state.normal, 12) != 0) {
        std::memcpy(device.constantNormal, state.normal, 12);
        emscripten_glVertexAttrib3f(1, state.normal[0], state.normal[1], state.normal[2]);
    }
    if (!device.constantsSet || std::memcmp(device.constantColour, state.colour, 16) != 0) {
        std::memcpy(device.constantColour, state.colour, 16);
        emscripten_glVertexAttrib4f(2, state.colour[0], state.colour[1], state.colour[2],
                                    state.colour[3]);
    }
    if (!device.constantsSet || std::memcmp(device.constantTexCoord, state.texCoord, 16) != 0) {
        std::memcpy(device.constantTexCoord, state.texCoord, 16);
        emscripten_glVertexAttrib4f(3, state.texCoord[0], state.texCoord[1], state.texCoord[2],
                                    state.texCoord[3]);
    }
    if (!device.constantsSet) {
        emscripten_glVertexAttrib4f(4, 0.0f, 0.0f, 0.0f, 1.0f);
        emscripten_glVertexAttrib4f(5, 0.0f, 0.0f, 0.0f, 1.0f);
    }
    device.constantsSet = true;
}

bool isLine(GLenum mode) {
    return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

}  // namespace

void bindArrayBuffer(GLuint buffer) {
    if (device.webglArrayBuffer != buffer) {
        emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
        device.webglArrayBuffer = buffer;
    }
}

void setDepthTest(bool on) {
    if (device.depthTest != on) {
        device.depthTest = on;
        on ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
    }
}

void setCullFace(bool on) {
    device.cullWanted = on;
}

void prepareWindow() {
    Features flat;
    flat.texturing = true;
    startProgram(flat);
}

void beginFrameState() {
    if (!device.ready) {
        setUp();
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
        appendTriangles(drawMode, source, drawn);
        return;
    }
    if (drawn > kStreamVertices) {
        return;
    }
    prepare(isLine(mode) ? state.lineWidth : 0.0f);
    bindVao(device.streamVao);
    bindArrayBuffer(device.streamBuffer);
    if (device.streamNext + drawn > kStreamVertices) {
        // A fresh store for the buffer: draws still reading the old one keep it.
        emscripten_glBufferData(GL_ARRAY_BUFFER, kStreamVertices * sizeof(Vertex), nullptr,
                                GL_STREAM_DRAW);
        device.streamNext = 0;
    }
    emscripten_glBufferSubData(GL_ARRAY_BUFFER, device.streamNext * sizeof(Vertex),
                               drawn * sizeof(Vertex), source);
    emscripten_glDrawArrays(drawMode, device.streamNext, drawn);
    device.streamNext += drawn;
}

namespace {

// Points attribute 0 of the array VAO at the game's vertex pointer; `first` must then be
// added to the draw's first vertex.
bool pointArray(GLint first, GLsizei count, GLint* base) {
    const auto& p = state.vertexPointer;
    const GLsizei stride = p.stride != 0 ? p.stride : p.size * static_cast<GLsizei>(sizeof(float));
    bindVao(device.arrayVao);
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
    bindArrayBuffer(device.clientBuffer);
    if (device.clientNext + bytes > device.clientCapacity) {
        if (bytes > device.clientCapacity) {
            device.clientCapacity = bytes > 65536 ? bytes * 2 : 131072;
        }
        emscripten_glBufferData(GL_ARRAY_BUFFER, device.clientCapacity, nullptr, GL_STREAM_DRAW);
        device.clientNext = 0;
    }
    emscripten_glBufferSubData(
        GL_ARRAY_BUFFER, device.clientNext, bytes,
        static_cast<const char*>(p.pointer) + static_cast<GLsizeiptr>(first) * stride);
    emscripten_glVertexAttribPointer(0, p.size, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void*>(device.clientNext));
    device.clientNext += bytes;
    *base = -first;
    return true;
}

}  // namespace

void drawArray(GLenum mode, GLint first, GLsizei count) {
    if (!state.vertexArray || count <= 0 || recordingList() || isLine(mode) || mode == GL_QUADS) {
        return;  // the game draws its arrays as points and triangle strips
    }
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
    if (device.multiDraw < 0) {
        device.multiDraw =
            emscripten_webgl_enable_WEBGL_multi_draw(emscripten_webgl_get_current_context()) ? 1
                                                                                             : 0;
    }
    if (state.vertexArray && state.vertexPointer.buffer != 0 && device.ready &&
        device.multiDraw == 1 && !recordingList() && !isLine(mode) && mode != GL_QUADS) {
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

GLuint genLists(GLsizei range) {
    if (range <= 0) {
        return 0;
    }
    const GLuint first = static_cast<GLuint>(lists.size());
    lists.resize(lists.size() + range);
    return first;
}

bool recordingList() {
    return recordingName != 0;
}

void newList(GLuint list) {
    if (list == 0 || list >= lists.size() || recordingList()) {
        return;
    }
    recordingName = list;
    recording.clear();
}

namespace {

// What a display list draws with: position, normal, colour and texture coordinate.
constexpr size_t kListVertexBytes = offsetof(Vertex, other);

uint32_t hashVertex(const Vertex& v) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&v);
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < kListVertexBytes; ++i) {
        h = (h ^ bytes[i]) * 16777619u;
    }
    return h;
}

// The recorded triangles as distinct vertices and indices, in the order they came.
void indexRecording() {
    distinct.clear();
    recordedIndices.clear();
    size_t slots = 64;
    while (slots < recording.size() * 2) {
        slots *= 2;
    }
    vertexSlots.assign(slots, -1);
    for (const Vertex& v : recording) {
        size_t slot = hashVertex(v) & (slots - 1);
        while (vertexSlots[slot] >= 0 &&
               std::memcmp(&distinct[vertexSlots[slot]], &v, kListVertexBytes) != 0) {
            slot = (slot + 1) & (slots - 1);
        }
        if (vertexSlots[slot] < 0) {
            vertexSlots[slot] = static_cast<int>(distinct.size());
            distinct.push_back(v);
        }
        recordedIndices.push_back(static_cast<GLuint>(vertexSlots[slot]));
    }
}

}  // namespace

void endList() {
    if (!recordingList()) {
        return;
    }
    if (!device.ready) {
        setUp();
    }
    List& list = lists[recordingName];
    recordingName = 0;
    if (list.vao == 0) {
        emscripten_glGenVertexArrays(1, &list.vao);
        emscripten_glGenBuffers(1, &list.buffer);
        emscripten_glGenBuffers(1, &list.indexBuffer);
        bindVao(list.vao);
        bindArrayBuffer(list.buffer);
        layoutVertices(false);
        emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, list.indexBuffer);
    }
    indexRecording();
    bindVao(list.vao);
    bindArrayBuffer(list.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, distinct.size() * sizeof(Vertex), distinct.data(),
                            GL_STATIC_DRAW);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, recordedIndices.size() * sizeof(GLuint),
                            recordedIndices.data(), GL_STATIC_DRAW);
    list.count = static_cast<int>(recordedIndices.size());
    recording.clear();
}

void callList(GLuint name) {
    if (name == 0 || name >= lists.size() || lists[name].count == 0 || recordingList()) {
        return;
    }
    prepare();
    bindVao(lists[name].vao);
    setConstants();
    emscripten_glDrawElements(GL_TRIANGLES, lists[name].count, GL_UNSIGNED_INT, nullptr);
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

}  // extern "C"
