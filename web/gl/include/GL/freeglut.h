// The game's GLUT in the browser: Emscripten's GLUT for the window, the keyboard and
// the clock, with what it lacks from this layer (the game mode, the extension query,
// the entry-point lookup, the solid sphere and cone). The loop is the layer's own: the
// idle function runs once per animation frame, followed by the display when one was
// posted, so the browser never runs a frame update that no screen shows.
#pragma once

#include <GL/freeglut_std.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*GLUTproc)(void);
// The layer's own functions by their GL names (the ten vertex-buffer entry points and
// glMultiDrawArrays); null for any other name.
GLUTproc glutGetProcAddress(const char* procName);

// The window is the page's canvas, which the page's layout sizes: the size asked for
// is the desktop's, and the canvas's drawing buffer takes the window's size at once.
void layerGlutInitWindowSize(int width, int height);
// WebGL 2 on the canvas (RGB, double-buffered, with depth), with only the extensions
// this layer draws with switched on; 1, or 0 when the browser gives none.
int layerGlutCreateWindow(const char* title);
void layerGlutDisplayFunc(void (*callback)(void));
void layerGlutReshapeFunc(void (*callback)(int width, int height));
void layerGlutIdleFunc(void (*callback)(void));
void layerGlutPostRedisplay(void);
// Sizes the canvas to the page's window (it follows the window from then on).
void layerGlutFullScreen(void);
// Starts the animation-frame loop and returns to the browser for good.
void layerGlutMainLoop(void);

#ifdef __cplusplus
}
#endif

#define glutInitWindowSize layerGlutInitWindowSize
#define glutCreateWindow layerGlutCreateWindow
#define glutDisplayFunc layerGlutDisplayFunc
#define glutReshapeFunc layerGlutReshapeFunc
#define glutIdleFunc layerGlutIdleFunc
#define glutPostRedisplay layerGlutPostRedisplay
#define glutFullScreen layerGlutFullScreen
#define glutMainLoop layerGlutMainLoop
