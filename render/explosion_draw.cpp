// Drawing an explosion: its particles as flat-coloured points and its coloured point
// light, which shines on the next frame's scene.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "render/lights.h"
#include "render/render.h"

// Finished: switches its light off. Out of range of every image: changes nothing. Else
// draws the particles (array buffer 0 bound, vertex pointer on the particle array) and
// switches its light on; leaves lighting and GL_TEXTURE_2D on, texture 0 bound, the
// point size 5 and the colour white.
void Explosion::draw(Vector3 reference, BindBufferFunction bindBuffer) const {
    const GLenum lightName = GL_LIGHT1 + light;
    const bool hasLight = light >= 0 && light + 1 < maxLights();
    if (life <= 0.0f) {
        if (hasLight) {
            glDisable(lightName);
        }
        return;
    }
    const float attenuation = 0.5f - life / 8.0f;
    Vector3 image;
    if (!nearestImage(position, reference, &image)) {
        return;
    }
    glPushMatrix();
    glTranslatef(image.x, image.y, image.z);

    glColor3fv(colour);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
    glVertexPointer(4, GL_FLOAT, 0, particlePositions);
    // The particles are 5 pixels whatever size the radar left behind.
    glPointSize(5.0f);
    const unsigned drawn = particleCount < kParticleCapacity ? particleCount : kParticleCapacity;
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(drawn));

    // Lights past the implementation's last one do not exist: nothing to switch.
    if (hasLight) {
        static const GLfloat ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        static const GLfloat above[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        const GLfloat diffuse[4] = {colour[0], colour[1], colour[2], 1.0f};
        glEnable(lightName);
        glLightfv(lightName, GL_AMBIENT, ambient);
        glLightfv(lightName, GL_DIFFUSE, diffuse);
        // A negative attenuation (the first second of a long burst) is not a valid
        // value: the light keeps the one it had.
        if (attenuation >= 0.0f) {
            glLightf(lightName, GL_QUADRATIC_ATTENUATION, attenuation);
        }
        glLightfv(lightName, GL_POSITION, above);
    }

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
}
