// The scene light, the sky backdrop and the full-screen phase pictures.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include "render/render.h"

void placeLight() {
    static const GLfloat ambient[4] = {0.4f, 0.4f, 0.5f, 0.0f};
    static const GLfloat diffuse[4] = {0.9f, 0.9f, 1.0f, 0.0f};
    static const GLfloat direction[4] = {-300.0f, 999.9f, -300.0f, 0.0f};
    glEnable(GL_LIGHT0);
    glPushMatrix();
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glPopMatrix();
}

void drawSky(float viewHeading) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);

    // The eye planes are never set: s and t are the eye-space x and y.
    glBindTexture(GL_TEXTURE_2D, game.skyTexture);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);

    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(viewHeading / -60.0f, 0.0f, 0.0f);
    glScalef(5.0f, 5.0f, 5.0f);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0.0, 2.0, -5.0, 0.0, 1.25, 5.0, 0.0, 1.0, 0.0);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    for (int a = 10; a >= -10; a -= 2) {
        glBegin(GL_TRIANGLE_STRIP);
        glNormal3f(0.0f, 1.0f, 0.0f);
        for (int d = -10; d <= 0; d += 2) {
            glVertex3f(static_cast<float>(a), 5.0f, static_cast<float>(d));
            glVertex3f(static_cast<float>(a + 2), 5.0f, static_cast<float>(d));
        }
        glEnd();
    }
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_FOG);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

void drawPhaseScreen() {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);

    glLoadIdentity();
    gluLookAt(0.0, 0.0, 1.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();

    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_LIGHTING);
    glEnable(GL_FOG);
}
