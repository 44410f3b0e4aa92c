// What the game asks of GLUT beyond Emscripten's: the game mode (never possible in a
// page), the extension query and entry-point lookup (answered from this layer), the
// solid sphere and cone (freeglut's very vertices and strips), and the loop: one frame
// update and one display per animation frame, the canvas filling the window.
#include "web/gl/layer.h"  // first: it asks GL/gl.h for the extensions' prototypes

#include <GL/freeglut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void (*displayCallback)() = nullptr;
void (*reshapeCallback)(int, int) = nullptr;
void (*idleCallback)() = nullptr;
bool redisplayPosted = false;
bool running = false;

// The drawing buffer fills the canvas as the page lays it out (the window, less the
// page's bar; the screen in full screen), in device pixels up to two a CSS pixel: a
// phone's three would draw five times the game's 800 x 600 every frame, for a picture
// that is scaled to the canvas anyway.
EM_JS(void, fitCanvasToWindow, (), {
    var canvas = Module['canvas'];
    var ratio = Math.min(window.devicePixelRatio || 1, 2);
    var width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    var height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width != width || canvas.height != height) {
        canvas.width = width;
        canvas.height = height;
    }
});
EM_JS(int, canvasWidth, (), { return Module['canvas'].width; });
EM_JS(int, canvasHeight, (), { return Module['canvas'].height; });

// The keys as the keyboard prints them, as the desktop's GLUT gives them: the
// character a key event names (a German + needs no Shift, and sends keyCode 187 that
// Emscripten's GLUT reads as "="), and the key code's reading only for keys that print
// none in ASCII (Enter, Tab, Escape, a letter of another script). And no mouse: the
// game has none, so Emscripten's GLUT need not turn touches into mouse events, which it
// cancels in listeners the browser has made passive.
EM_JS(void, readKeysAsPrinted, (), {
    var byKeyCode = GLUT.getASCIIKey;
    GLUT.getASCIIKey = function(event) {
        if (event.ctrlKey || event.altKey || event.metaKey)
            return null;
        var key = event.key;
        if (typeof key == 'string' && key.length == 1) {
            var code = key.charCodeAt(0);
            if (code >= 32 && code < 127)
                return code;
        }
        return byKeyCode(event);
    };
    window.removeEventListener('touchstart', GLUT.touchHandler, true);
    window.removeEventListener('touchmove', GLUT.touchHandler, true);
    window.removeEventListener('touchend', GLUT.touchHandler, true);
});

void reshapeToCanvas() {
    if (reshapeCallback != nullptr) {
        reshapeCallback(canvasWidth(), canvasHeight());
    }
    redisplayPosted = true;
}

EM_BOOL onWindowResize(int, const EmscriptenUiEvent*, void*) {
    fitCanvasToWindow();
    reshapeToCanvas();
    return EM_FALSE;
}

void stopLoop();

EM_BOOL animationFrame(double, void*) {
    // A context the browser took away draws nothing more: the game stops (the page
    // says why).
    if (running && emscripten_is_webgl_context_lost(emscripten_webgl_get_current_context())) {
        stopLoop();
    }
    if (!running) {
        return EM_FALSE;
    }
    if (idleCallback != nullptr) {
        idleCallback();
    }
    if (redisplayPosted && displayCallback != nullptr && running) {
        redisplayPosted = false;
        displayCallback();
    }
    // Pictures not drawn yet get their levels in the frames' spare time.
    if (running) {
        layer::buildSomeTextures(8.0);
    }
    return running ? EM_TRUE : EM_FALSE;
}

// At the process's end the page stays: nothing of the game may run any more.
void stopLoop() {
    running = false;
    glutKeyboardFunc(nullptr);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutSpecialUpFunc(nullptr);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
}

// freeglut's table of a circle's sines and cosines, n + 1 entries, the last closing it.
void circleTable(std::vector<float>& sine, std::vector<float>& cosine, int n, bool halfCircle) {
    const int size = std::abs(n);
    const float angle =
        (halfCircle ? 1 : 2) * static_cast<float>(M_PI) / static_cast<float>(n == 0 ? 1 : n);
    sine.assign(size + 1, 0.0f);
    cosine.assign(size + 1, 0.0f);
    cosine[0] = 1.0f;
    for (int i = 1; i < size; ++i) {
        sine[i] = static_cast<float>(std::sin(static_cast<double>(angle * i)));
        cosine[i] = static_cast<float>(std::cos(static_cast<double>(angle * i)));
    }
    if (halfCircle) {
        sine[size] = 0.0f;
        cosine[size] = -1.0f;
    } else {
        sine[size] = sine[0];
        cosine[size] = cosine[0];
    }
}

struct Mesh {
    std::vector<float> vertices;  // x, y, z
    std::vector<float> normals;
    std::vector<int> strips;  // indices, `parts` strips of `perPart` each
    int parts = 0;
    int perPart = 0;

    void add(float x, float y, float z, float nx, float ny, float nz) {
        vertices.insert(vertices.end(), {x, y, z});
        normals.insert(normals.end(), {nx, ny, nz});
    }
};

// Draws the strips as GLUT does, from its vertex and normal arrays; GLUT leaves the
// vertex array switched off.
void drawMesh(const Mesh& mesh) {
    std::vector<layer::Vertex> strip(mesh.perPart);
    for (int part = 0; part < mesh.parts; ++part) {
        for (int i = 0; i < mesh.perPart; ++i) {
            const int index = mesh.strips[part * mesh.perPart + i];
            layer::Vertex& v = strip[i];
            std::memcpy(v.position, &mesh.vertices[index * 3], 3 * sizeof(float));
            v.position[3] = 1.0f;
            std::memcpy(v.normal, &mesh.normals[index * 3], 3 * sizeof(float));
            std::memcpy(v.colour, layer::state.colour, sizeof v.colour);
            std::memcpy(v.texCoord, layer::state.texCoord, sizeof v.texCoord);
            std::memset(v.other, 0, sizeof v.other);
            v.side = 0.0f;
        }
        layer::drawVertices(GL_TRIANGLE_STRIP, strip.data(), mesh.perPart);
    }
    layer::state.vertexArray = false;
}

}  // namespace

extern "C" {

void glutGameModeString(const char*) {}
int glutGameModeGet(GLenum) {
    return 0;  // a page has no display modes to switch to
}
int glutEnterGameMode(void) {
    return 0;
}
void glutLeaveGameMode(void) {}
int glutGetWindow(void) {
    return 1;  // the canvas
}

int glutExtensionSupported(const char* extension) {
    return extension != nullptr && std::strcmp(extension, "GL_ARB_vertex_buffer_object") == 0;
}

GLUTproc glutGetProcAddress(const char* name) {
    static const struct {
        const char* name;
        GLUTproc function;
    } table[] = {
        {"glGenBuffersARB", reinterpret_cast<GLUTproc>(glGenBuffersARB)},
        {"glDeleteBuffersARB", reinterpret_cast<GLUTproc>(glDeleteBuffersARB)},
        {"glIsBufferARB", reinterpret_cast<GLUTproc>(glIsBufferARB)},
        {"glBindBufferARB", reinterpret_cast<GLUTproc>(glBindBufferARB)},
        {"glBufferDataARB", reinterpret_cast<GLUTproc>(glBufferDataARB)},
        {"glMapBufferARB", reinterpret_cast<GLUTproc>(glMapBufferARB)},
        {"glUnmapBufferARB", reinterpret_cast<GLUTproc>(glUnmapBufferARB)},
        {"glGetBufferSubDataARB", reinterpret_cast<GLUTproc>(glGetBufferSubDataARB)},
        {"glGetBufferParameterivARB", reinterpret_cast<GLUTproc>(glGetBufferParameterivARB)},
        {"glGetBufferPointervARB", reinterpret_cast<GLUTproc>(glGetBufferPointervARB)},
        {"glMultiDrawArrays", reinterpret_cast<GLUTproc>(glMultiDrawArrays)},
    };
    for (const auto& entry : table) {
        if (name != nullptr && std::strcmp(name, entry.name) == 0) {
            return entry.function;
        }
    }
    return nullptr;
}

// A sphere about the origin, its axis along z: a fan of `slices` at each pole and
// `stacks` - 2 bands between, all drawn as triangle strips.
void glutSolidSphere(GLdouble radiusIn, GLint slices, GLint stacks) {
    if (slices <= 0 || stacks < 2) {
        return;
    }
    const float radius = static_cast<float>(radiusIn);
    std::vector<float> sin1, cos1, sin2, cos2;
    circleTable(sin1, cos1, -slices, false);
    circleTable(sin2, cos2, stacks, true);
    Mesh mesh;
    mesh.add(0.0f, 0.0f, radius, 0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const float x = cos1[j] * sin2[i];
            const float y = sin1[j] * sin2[i];
            const float z = cos2[i];
            mesh.add(x * radius, y * radius, z * radius, x, y, z);
        }
    }
    mesh.add(0.0f, 0.0f, -radius, 0.0f, 0.0f, -1.0f);
    const int vertexCount = slices * (stacks - 1) + 2;

    mesh.parts = stacks;
    mesh.perPart = (slices + 1) * 2;
    auto pair = [&](int a, int b) { mesh.strips.insert(mesh.strips.end(), {a, b}); };
    for (int j = 0; j < slices; ++j) {
        pair(j + 1, 0);
    }
    pair(1, 0);
    for (int i = 0; i < stacks - 2; ++i) {
        const int offset = 1 + i * slices;
        for (int j = 0; j < slices; ++j) {
            pair(offset + j + slices, offset + j);
        }
        pair(offset + slices, offset);
    }
    const int offset = 1 + (stacks - 2) * slices;
    for (int j = 0; j < slices; ++j) {
        pair(vertexCount - 1, offset + j);
    }
    pair(vertexCount - 1, offset);
    drawMesh(mesh);
}

// A cone on the z = 0 plane, its tip at z = height: the base disc, then `stacks` bands
// up the side, as triangle strips.
void glutSolidCone(GLdouble baseIn, GLdouble heightIn, GLint slices, GLint stacks) {
    if (slices <= 0 || stacks < 1) {
        return;
    }
    const float base = static_cast<float>(baseIn);
    const float height = static_cast<float>(heightIn);
    float z = 0.0f;
    float r = base;
    const float zStep = height / static_cast<float>(stacks);
    const float rStep = base / static_cast<float>(stacks);
    // In double, as C's sqrt takes the float sum.
    const double slant = std::sqrt(static_cast<double>(height * height + base * base));
    const float cosn = static_cast<float>(height / slant);
    const float sinn = static_cast<float>(base / slant);
    std::vector<float> sine, cosine;
    circleTable(sine, cosine, -slices, false);
    Mesh mesh;
    mesh.add(0.0f, 0.0f, z, 0.0f, 0.0f, -1.0f);
    for (int j = 0; j < slices; ++j) {
        mesh.add(cosine[j] * r, sine[j] * r, z, 0.0f, 0.0f, -1.0f);
    }
    for (int i = 0; i < stacks + 1; ++i) {
        for (int j = 0; j < slices; ++j) {
            mesh.add(cosine[j] * r, sine[j] * r, z, cosine[j] * cosn, sine[j] * cosn, sinn);
        }
        z += zStep;
        r -= rStep;
    }

    mesh.parts = stacks + 1;
    mesh.perPart = (slices + 1) * 2;
    auto pair = [&](int a, int b) { mesh.strips.insert(mesh.strips.end(), {a, b}); };
    for (int j = 0; j < slices; ++j) {
        pair(0, j + 1);
    }
    pair(0, 1);
    for (int i = 0; i < stacks; ++i) {
        const int offset = 1 + (i + 1) * slices;
        for (int j = 0; j < slices; ++j) {
            pair(offset + j, offset + j + slices);
        }
        pair(offset, offset + slices);
    }
    drawMesh(mesh);
}

void layerGlutInitWindowSize(int, int) {
    fitCanvasToWindow();
}

int layerGlutCreateWindow(const char*) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // Switching on every extension the browser offers costs the start a tenth of a
    // second of round trips to its GPU process; the layer asks for its one itself.
    attributes.enableExtensionsByDefault = EM_FALSE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        return 0;
    }
    layer::prepareWindow();
    readKeysAsPrinted();
    return 1;
}

void layerGlutDisplayFunc(void (*callback)(void)) {
    displayCallback = callback;
}
void layerGlutReshapeFunc(void (*callback)(int, int)) {
    reshapeCallback = callback;
}
void layerGlutIdleFunc(void (*callback)(void)) {
    idleCallback = callback;
}
void layerGlutPostRedisplay(void) {
    redisplayPosted = true;
}

void layerGlutFullScreen(void) {
    fitCanvasToWindow();
}

void layerGlutMainLoop(void) {
    running = true;
    std::atexit(stopLoop);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE,
                                   onWindowResize);
    reshapeToCanvas();
    emscripten_request_animation_frame_loop(animationFrame, nullptr);
    emscripten_unwind_to_js_event_loop();
}

}  // extern "C"
