// Drawing explosions: their particles as flat-coloured points and their coloured point
// lights, which shine on the next frame's scene.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "render/lights.h"
#include "render/render.h"

namespace {

// Switches the explosion's light on at its image (the model-view matrix holding the
// camera), when the context has that light.
void lightAt(const Explosion& e, Vector3 image) {
    if (e.light < 0 || e.light + 1 >= maxLights()) {
        return;  // lights past the implementation's last one do not exist
    }
    static const GLfloat ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    static const GLfloat above[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    const GLenum lightName = GL_LIGHT1 + e.light;
    const GLfloat diffuse[4] = {e.colour[0], e.colour[1], e.colour[2], 1.0f};
    const float attenuation = 0.5f - e.life / 8.0f;
    glPushMatrix();
    glTranslatef(image.x, image.y, image.z);
    glEnable(lightName);
    glLightfv(lightName, GL_AMBIENT, ambient);
    glLightfv(lightName, GL_DIFFUSE, diffuse);
    // A negative attenuation (the first second of a long burst) is not a valid value:
    // the light keeps the one it had.
    if (attenuation >= 0.0f) {
        glLightf(lightName, GL_QUADRATIC_ATTENUATION, attenuation);
    }
    glLightfv(lightName, GL_POSITION, above);
    glPopMatrix();
}

}  // namespace

// The particles go first, all under one switch of lighting and texturing, then the
// lights: the points are drawn unlit, so the lights switched on between them in a
// one-by-one draw change none of their pixels, and each light is set at the same
// matrix either way.
void drawExplosions(const Explosion* explosions, int last, Vector3 reference,
                    BindBufferFunction bindBuffer) {
    bool drewParticles = false;
    for (int i = 0; i <= last; ++i) {
        const Explosion& e = explosions[i];
        Vector3 image;
        if (e.life <= 0.0f || !nearestImage(e.position, reference, &image)) {
            continue;
        }
        if (!drewParticles) {
            glDisable(GL_LIGHTING);
            glDisable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, 0);
            bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
            // The particles are 5 pixels whatever size the radar left behind.
            glPointSize(5.0f);
            drewParticles = true;
        }
        glPushMatrix();
        glTranslatef(image.x, image.y, image.z);
        glColor3fv(e.colour);
        glVertexPointer(4, GL_FLOAT, 0, e.particlePositions);
        const unsigned drawn =
            e.particleCount < kParticleCapacity ? e.particleCount : kParticleCapacity;
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(drawn));
        glPopMatrix();
    }
    for (int i = 0; i <= last; ++i) {
        const Explosion& e = explosions[i];
        Vector3 image;
        if (e.life <= 0.0f) {
            if (e.light >= 0 && e.light + 1 < maxLights()) {
                glDisable(GL_LIGHT1 + e.light);
            }
        } else if (nearestImage(e.position, reference, &image)) {
            lightAt(e, image);
        }
    }
    if (drewParticles) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}

void Explosion::draw(Vector3 reference, BindBufferFunction bindBuffer) const {
    drawExplosions(this, 0, reference, bindBuffer);
}
