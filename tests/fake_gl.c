/* Preloaded into the real game to play an OpenGL that lacks what the game needs:
 * FAKE_GL=no-vbo hides GL_ARB_vertex_buffer_object from the extension list,
 * FAKE_GL=no-version answers no version string. Everything else passes through. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>

static const GLubyte* realGetString(GLenum name) {
    typedef const GLubyte* (*GetString)(GLenum);
    static GetString real;
    if (!real)
        real = (GetString)dlsym(RTLD_NEXT, "glGetString");
    return real(name);
}

const GLubyte* glGetString(GLenum name) {
    const char* mode = getenv("FAKE_GL");
    if (mode && strcmp(mode, "no-version") == 0 && name == GL_VERSION)
        return NULL;
    const GLubyte* text = realGetString(name);
    if (!mode || strcmp(mode, "no-vbo") != 0 || name != GL_EXTENSIONS || !text)
        return text;

    static char filtered[65536];
    const char* hidden = "GL_ARB_vertex_buffer_object";
    const size_t hiddenLength = strlen(hidden);
    size_t out = 0;
    const char* word = (const char*)text;
    while (*word) {
        while (*word == ' ')
            word++;
        size_t length = strcspn(word, " ");
        if (length == 0)
            break;
        int drop = length == hiddenLength && strncmp(word, hidden, length) == 0;
        if (!drop && out + length + 2 < sizeof filtered) {
            memcpy(filtered + out, word, length);
            out += length;
            filtered[out++] = ' ';
        }
        word += length;
    }
    filtered[out] = '\0';
    return (const GLubyte*)filtered;
}
