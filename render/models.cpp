// Tanks, obstacles and shells: one GLUT solid each, textured by object-linear
// coordinate generation, drawn at the wrapped copy of the object nearest the player.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>

#include "render/render.h"
#include "render/solids.h"
#include "render/view.h"

namespace {

constexpr float kDrawDistance = 50.0f;

// Object-linear generation with s = x and t = z of the model's own coordinates (the
// S plane keeps its initial (1, 0, 0, 0)).
void selectObjectTexture(unsigned int texture) {
    static const GLfloat zPlane[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, zPlane);
}

// False when the play frame's view volume is known and the body, within `reach` of
// its image, lies wholly outside it.
bool mayShow(Vector3 image, float reach) {
    return frameView == nullptr || sphereMayShow(*frameView, image, reach);
}

void orient(Vector3 image, float heading, Vector3 rotation) {
    glTranslatef(image.x, image.y, image.z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.y, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.z, 0.0f, 0.0f, 1.0f);
}

}  // namespace

bool nearestImage(Vector3 position, Vector3 reference, Vector3* image) {
    static const float shifts[9][2] = {
        {0.0f, 0.0f},
        {kFieldSize, 0.0f},
        {-kFieldSize, 0.0f},
        {0.0f, kFieldSize},
        {0.0f, -kFieldSize},
        {kFieldSize, kFieldSize},
        {kFieldSize, -kFieldSize},
        {-kFieldSize, kFieldSize},
        {-kFieldSize, -kFieldSize},
    };
    for (const auto& shift : shifts) {
        const Vector3 candidate(position.x + shift[0], position.y, position.z + shift[1]);
        if (reference.offsetTo(candidate).length() < kDrawDistance) {
            *image = candidate;
            return true;
        }
    }
    return false;
}

// Leaves the model-view matrix current and unchanged, the tank texture bound.
void Tank::draw(Vector3 reference) const {
    Vector3 image;
    // The body: a flattened sphere of radius size, its centre 0.4 from the image.
    if (!nearestImage(position, reference, &image) || !mayShow(image, size + 0.4f)) {
        return;
    }
    selectObjectTexture(texture);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    orient(image, rotation.x + 90.0f, rotation);
    glTranslatef(0.0f, 0.4f, 0.0f);
    glScalef(1.0f, 0.4f, 1.0f);
    drawSolid(Solid::TankBody, size);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// Leaves the model-view matrix current and unchanged, the obstacle texture bound.
void Obstacle::draw(Vector3 reference) const {
    Vector3 image;
    // The cone: its base of radius size at the image, its tip 10 along its axis.
    if (!nearestImage(position, reference, &image) || !mayShow(image, size + 10.0f)) {
        return;
    }
    selectObjectTexture(texture);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(5.0f, 5.0f, 5.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    orient(image, rotation.x, rotation);
    glScalef(1.0f, 5.0f, 1.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawSolid(Solid::Cone, size);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// Leaves the model-view matrix current and unchanged, the shell's texture bound.
void Bullet::draw(Vector3 reference) const {
    Vector3 image;
    const float t = 1.5f - lifetime;
    const float height = -1.5111111f * t * t + 2.0f * t + size;
    if (!nearestImage(position, reference, &image) || !mayShow(image, std::fabs(height) + size)) {
        return;
    }
    selectObjectTexture(texture);
    glPushMatrix();
    orient(image, rotation.x, rotation);
    glTranslatef(0.0f, height, 0.0f);
    drawSolid(Solid::ShellBody, size);
    glPopMatrix();
}
