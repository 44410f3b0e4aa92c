#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "assets/assets.h"
#include "render/render.h"
#include "world/world.h"

namespace {

template <typename Function>
void lookUp(Function& entryPoint, const char* name) {
    entryPoint = reinterpret_cast<Function>(glutGetProcAddress(name));
}

void fetchBufferEntryPoints() {
    BufferEntryPoints& e = game.bufferEntryPoints;
    lookUp(e.genBuffers, "glGenBuffersARB");
    lookUp(e.deleteBuffers, "glDeleteBuffersARB");
    lookUp(e.isBuffer, "glIsBufferARB");
    lookUp(e.bindBuffer, "glBindBufferARB");
    lookUp(e.bufferData, "glBufferDataARB");
    lookUp(e.mapBuffer, "glMapBufferARB");
    lookUp(e.unmapBuffer, "glUnmapBufferARB");
    lookUp(e.getBufferSubData, "glGetBufferSubDataARB");
    lookUp(e.getBufferParameteriv, "glGetBufferParameterivARB");
    lookUp(e.getBufferPointerv, "glGetBufferPointervARB");
}

}  // namespace

void initRenderContext() {
    if (glGetString(GL_VERSION) == nullptr) {
        std::printf(
            "An error occured while trying to determine if the current version of OpenGL.\n");
        std::exit(1);
    }
    if (!glutExtensionSupported("GL_ARB_vertex_buffer_object")) {
        std::printf("GL_ARB_vertex_buffer_object not found!\n");
        std::exit(0);
    }
    std::printf("Using Buffer Objects!\n");
    fetchBufferEntryPoints();
    std::printf("GL_RENDERER = %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    buildTerrain();
    glutSetCursor(GLUT_CURSOR_NONE);
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glFogi(GL_FOG_MODE, GL_EXP2);
    const GLfloat fogColour[4] = {0.1f, 0.1f, 0.15f, 0.0f};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.03f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glEnable(GL_RESCALE_NORMAL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glPointSize(5.0f);
    loadTextures();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    const GLfloat white[3] = {1.0f, 1.0f, 1.0f};
    glColor3fv(white);
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.0, 1.0, -1.0, 1.0, 1.5, 50.0);
    glMatrixMode(GL_MODELVIEW);
}
