// The shader programs: they compute what GL 1.x's fixed function computes (per-vertex
// lighting with directional and positional lights and their attenuation, object- and
// eye-linear texture coordinates through the texture matrix, GL_MODULATE texturing,
// per-fragment fog from the eye depth), one program for each combination of state the
// game switches on. Uniforms go to WebGL only when the state they come from has changed.
// The WebGL state the layer keeps beside them (depth test, culling, winding, clear
// colour) is sent again after a restore; the programs are then built again as drawn.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>

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

struct Device {
    Program programs[kPrograms];
    int programCount = 0;
    Program* program = nullptr;    // the one in use
    unsigned featuresVersion = 0;  // the state version `features` was read at
    Features features;
    bool depthTest = false;
    bool cullWanted = false;  // GL_CULL_FACE as the game set it ...
    bool culling = false;     // ... and as WebGL has it: never for lines
    float clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    GLenum frontFace = GL_CCW;
};
Device device;

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

}  // namespace

// Lines are drawn as quads whose winding follows their direction on screen: GL culls
// polygons only, so they are drawn with culling off.
void prepare(float lineWidth) {
    uploadUniforms(lineWidth);
    const bool culling = device.cullWanted && lineWidth == 0.0f;
    if (device.culling != culling) {
        device.culling = culling;
        culling ? emscripten_glEnable(GL_CULL_FACE) : emscripten_glDisable(GL_CULL_FACE);
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

void setClearColour(const float colour[4]) {
    std::memcpy(device.clearColour, colour, sizeof device.clearColour);
    emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
}

void setFrontFace(GLenum mode) {
    device.frontFace = mode;
    emscripten_glFrontFace(mode);
}

void prepareWindow() {
    Features flat;
    flat.texturing = true;
    startProgram(flat);
}

void restorePrograms() {
    // The programs' names went with the old context: forgotten, not deleted.
    for (Program& p : device.programs) {
        p = Program{};
    }
    device.programCount = 0;
    device.program = nullptr;
    device.featuresVersion = 0;
    prepareWindow();
    const float* c = device.clearColour;
    emscripten_glClearColor(c[0], c[1], c[2], c[3]);
    emscripten_glFrontFace(device.frontFace);
    device.depthTest ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
    device.culling ? emscripten_glEnable(GL_CULL_FACE) : emscripten_glDisable(GL_CULL_FACE);
    emscripten_glViewport(state.viewport[0], state.viewport[1], state.viewport[2],
                          state.viewport[3]);
}

}  // namespace layer
