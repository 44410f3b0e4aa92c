// The layer's own state and the seam between its files. The GL 1.x state calls
// (state.cpp), the textures (textures.cpp), the buffer objects (buffers.cpp), GLU
// (glu.cpp) and GLUT (glut.cpp) record state here; the shader programs (programs.cpp)
// turn it into WebGL 2 uniforms; immediate mode and the game's vertex arrays
// (vertices.cpp) and the display lists (lists.cpp) draw with them. Each file keeps what
// it needs to make its WebGL objects again when the browser restores a lost context,
// and context.cpp does that in order. Private to web/gl/.
#pragma once

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <vector>

// The WebGL 2 calls the layer makes, by Emscripten's prefixed names, which leave the
// GL 1.x names to the layer (Emscripten's GL headers cannot be included beside GL/gl.h).
extern "C" {
void emscripten_glActiveTexture(GLenum texture);
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glBindVertexArray(GLuint array);
void emscripten_glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void emscripten_glBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data);
void emscripten_glClear(GLbitfield mask);
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram(void);
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glDeleteBuffers(GLsizei n, const GLuint* buffers);
void emscripten_glDeleteShader(GLuint shader);
void emscripten_glDeleteProgram(GLuint program);
void emscripten_glDisable(GLenum cap);
void emscripten_glDisableVertexAttribArray(GLuint index);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void emscripten_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
void emscripten_glEnable(GLenum cap);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glFrontFace(GLenum mode);
void emscripten_glGenBuffers(GLsizei n, GLuint* buffers);
void emscripten_glGenerateMipmap(GLenum target);
void emscripten_glGenTextures(GLsizei n, GLuint* textures);
void emscripten_glGenVertexArrays(GLsizei n, GLuint* arrays);
void emscripten_glGetBufferParameteriv(GLenum target, GLenum pname, GLint* params);
void emscripten_glGetBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, void* data);
void emscripten_glGetIntegerv(GLenum pname, GLint* data);
void emscripten_glGetProgramInfoLog(GLuint program, GLsizei size, GLsizei* length, GLchar* log);
void emscripten_glGetProgramiv(GLuint program, GLenum pname, GLint* params);
void emscripten_glGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log);
void emscripten_glGetShaderiv(GLuint shader, GLenum pname, GLint* params);
const GLubyte* emscripten_glGetString(GLenum name);
GLint emscripten_glGetUniformLocation(GLuint program, const GLchar* name);
GLboolean emscripten_glIsBuffer(GLuint buffer);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glMultiDrawArraysWEBGL(GLenum mode, const GLint* firsts, const GLsizei* counts,
                                       GLsizei drawCount);
void emscripten_glPixelStorei(GLenum pname, GLint param);
void emscripten_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                             GLenum type, void* pixels);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const GLchar* const* string,
                               const GLint* length);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const void* pixels);
void emscripten_glTexParameteri(GLenum target, GLenum pname, GLint param);
void emscripten_glUniform1f(GLint location, GLfloat v0);
void emscripten_glUniform1i(GLint location, GLint v0);
void emscripten_glUniform2f(GLint location, GLfloat v0, GLfloat v1);
void emscripten_glUniform2i(GLint location, GLint v0, GLint v1);
void emscripten_glUniform3fv(GLint location, GLsizei count, const GLfloat* value);
void emscripten_glUniform4fv(GLint location, GLsizei count, const GLfloat* value);
void emscripten_glUniformMatrix3fv(GLint location, GLsizei count, GLboolean transpose,
                                   const GLfloat* value);
void emscripten_glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose,
                                   const GLfloat* value);
void emscripten_glUseProgram(GLuint program);
void emscripten_glVertexAttrib3f(GLuint index, GLfloat x, GLfloat y, GLfloat z);
void emscripten_glVertexAttrib4f(GLuint index, GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                      GLsizei stride, const void* pointer);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
}

namespace layer {

// Column-major, as GL keeps its matrices.
struct Matrix {
    float m[16];
};
Matrix identity();
Matrix multiply(const Matrix& a, const Matrix& b);  // a x b

constexpr int kLights = 8;  // GL_MAX_LIGHTS of a GL 1.x implementation

// One vertex as the layer draws it: immediate mode, display lists and the GLUT solids
// all come down to these. `other` and `side` serve lines, drawn as quads: the other
// end of the segment, and which side of the line this corner lies on.
struct Vertex {
    float position[4];
    float normal[3];
    float colour[4];
    float texCoord[4];
    float other[4];
    float side;
};

struct Light {
    bool enabled = false;
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};  // in eye coordinates
    float attenuation[3] = {1.0f, 0.0f, 0.0f};     // constant, linear, quadratic
};

// What the GL 1.x state holds that WebGL 2 does not: the fixed-function state the
// shader program reads, the matrix stacks and the current vertex values.
struct State {
    static constexpr int kStackDepth = 32;
    Matrix stacks[3][kStackDepth];  // model-view, projection, texture
    int depth[3] = {0, 0, 0};
    int matrixMode = 0;

    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[4] = {0.0f, 0.0f, 0.0f, 1.0f};

    bool lighting = false;
    Light lights[kLights];
    bool rescaleNormal = false;
    bool normalize = false;

    bool fog = false;
    GLenum fogMode = GL_EXP;
    float fogDensity = 1.0f;
    float fogStart = 0.0f;
    float fogEnd = 1.0f;
    float fogColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};

    bool texturing = false;
    GLuint boundTexture = 0;
    bool texGen[2] = {false, false};  // s, t
    GLenum texGenMode[2] = {GL_EYE_LINEAR, GL_EYE_LINEAR};
    float objectPlane[2][4] = {{1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}};
    float eyePlane[2][4] = {{1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}};

    float pointSize = 1.0f;
    float lineWidth = 1.0f;
    int viewport[4] = {0, 0, 0, 0};

    bool vertexArray = false;
    GLuint arrayBuffer = 0;  // GL_ARRAY_BUFFER as the game bound it
    struct {
        GLint size = 4;
        GLsizei stride = 0;
        const void* pointer = nullptr;
        GLuint buffer = 0;
    } vertexPointer;

    int unpackAlignment = 4;
    unsigned version = 1;        // bumped by every change the shader program reads ...
    unsigned matrixVersion = 1;  // ... but for the matrices, which have their own
};
extern State state;

const Matrix& modelView();
void changed();        // the shader program's inputs changed
void changedMatrix();  // a matrix changed

// glu.cpp: the pictures given to gluBuild2DMipmaps, waiting for their levels to be built
// and, once built, kept as they were given so that the levels can be built again.
struct PendingTexture {
    GLuint texture = 0;
    GLenum target = GL_TEXTURE_2D;
    GLenum format = GL_RGB;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // rows tightly packed
};
extern std::vector<PendingTexture> pendingTextures;
// Builds the texture's levels now if they are waiting: before it is drawn with, or
// given another image.
void buildTexture(GLuint texture);
// Builds waiting textures, oldest first, until `milliseconds` have gone by (at least one).
void buildSomeTextures(double milliseconds);
// Builds again the levels of every picture already built, into its texture as it is
// bound now (after a restore); leaves the game's binding and row alignment as they were.
void rebuildPictures();
// The bytes the kept pictures take.
size_t keptPictureBytes();

// programs.cpp: the shader programs and the WebGL state they draw with.
// When the window's context is made: starts building, while the game loads, the
// program of pictures drawn flat (textured, unlit, without fog): the title's, the
// sky's and the heads-up display's.
void prepareWindow();
// Before a draw: the program for the current state in use with its uniforms up to
// date, and culling as the game set it (never for lines, which `lineWidth` > 0 draws).
void prepare(float lineWidth = 0.0f);
void setDepthTest(bool on);
void setCullFace(bool on);
void setClearColour(const float colour[4]);
void setFrontFace(GLenum mode);
// After a restore: every program is built again when next drawn with, and WebGL's
// fixed state (viewport, clear colour, depth test, culling, winding) is sent again.
void restorePrograms();

// vertices.cpp: immediate mode, the game's vertex arrays, and what the display lists
// share with them.
void beginFrameState();
// Draws `count` layer vertices; GL_LINES pairs become quads of the current width.
void drawVertices(GLenum mode, const Vertex* vertices, int count);
void bindArrayBuffer(GLuint buffer);  // the WebGL binding, skipped when already bound
void bindVao(GLuint vao);             // likewise
// The layer-vertex layout in the bound vertex array and buffer: position, normal,
// colour and texture coordinate, and for lines the other end and side.
void layoutVertices(bool lines);
// The generic attribute values a draw without them reads: the current normal, colour
// and texture coordinate.
void setConstants();
// After a restore: the stream's and the arrays' objects specified again (same names).
void restoreVertexPaths();

// lists.cpp: display lists, what is drawn between newList and endList goes into the list.
bool recordingList();
// Adds triangles, strips and fans drawn while a list records.
void recordTriangles(GLenum mode, const Vertex* v, int count);
void newList(GLuint list);
void endList();
void callList(GLuint list);
GLuint genLists(GLsizei range);
// After a restore: each list's buffers filled again from the copy kept of them.
void restoreLists();
size_t keptListBytes();

// textures.cpp and buffers.cpp: after a restore, each texture's images given with
// glTexImage2D and parameters, and each buffer object's data, sent again from the copies
// kept of them.
void restoreTextures();
size_t keptTextureBytes();
void restoreBuffers();
size_t keptBufferBytes();

// context.cpp: the context's loss and restore (glut.cpp follows the page's events).
// Makes every WebGL object again under the name it had, then fills each from the
// copies kept; the next frame draws as before the loss.
void restoreContext();

}  // namespace layer
