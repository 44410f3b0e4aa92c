// The field map and the short-range radar: flat points and lines in fixed colours.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include "hud/hud.h"
#include "world/world.h"

namespace {

constexpr float kMapScale = 4.0f / 325.0f;
constexpr float kMapRing = 8.0f / 13.0f;  // 50 world units on the map
constexpr float kRadarScale = 0.08f;
constexpr float kRadarRange = 50.0f;
const Vector3 kFieldCentre(325.0f, 0.0f, 325.0f);

struct Panel {
    float cx;
    float cy;
    float scale;
    Vector3 origin;
};

void panelVertex(const Panel& panel, Vector3 world) {
    const Vector3 d = panel.origin.offsetTo(world);
    glVertex2f(panel.cx - panel.scale * d.x, panel.cy + panel.scale * d.z);
}

// (-sin a, cos a) for a = 0, 15, ..., 345 degrees, worked out on first use.
struct UnitCircle {
    float x[24];
    float y[24];
};

const UnitCircle& unitCircle() {
    static UnitCircle circle;
    static bool ready = false;
    if (!ready) {
        for (int i = 0; i < 24; ++i) {
            const float a = static_cast<float>(i * 15) * kDegreesToRadians;
            circle.x[i] = -sine(a);
            circle.y[i] = cosine(a);
        }
        ready = true;
    }
    return circle;
}

// A circle of `radius` about (x, y) through 24 points from straight up, closed at the top.
void rangeCircle(float x, float y, float radius) {
    const UnitCircle& circle = unitCircle();
    glColor3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 24; ++i) {
        glVertex2f(x + radius * circle.x[i], y + radius * circle.y[i]);
    }
    glVertex2f(x, y + radius);
    glEnd();
}

// Green for the first 62.5 % of `length`, shading to yellow by 75 %.
void headingLine(float x, float y, float length, float sh, float ch) {
    glBegin(GL_LINE_STRIP);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex2f(x, y);
    glVertex2f(x + 0.625f * length * -sh, y + 0.625f * length * ch);
    glColor3f(1.0f, 1.0f, 0.0f);
    glVertex2f(x + 0.75f * length * -sh, y + 0.75f * length * ch);
    glVertex2f(x + length * -sh, y + length * ch);
    glEnd();
}

void drawMap(float sh, float ch) {
    const Panel map = {20.0f, 20.0f, kMapScale, kFieldCentre};
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(16.0f, 24.0f);
    glVertex2f(16.0f, 16.0f);
    glVertex2f(24.0f, 16.0f);
    glVertex2f(24.0f, 24.0f);
    glEnd();
    glColor3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_LINE_STRIP);
    glVertex2f(16.0f, 24.0f);
    glVertex2f(16.0f, 16.0f);
    glVertex2f(24.0f, 16.0f);
    glVertex2f(24.0f, 24.0f);
    glVertex2f(16.0f, 24.0f);
    glEnd();

    glPointSize(1.0f);
    glColor3f(0.0f, 1.0f, 1.0f);
    glBegin(GL_POINTS);
    for (int i = 0; i <= game.obstacleLast; ++i) {
        panelVertex(map, game.obstacles[i].position);
    }
    glEnd();

    const Vector3 d = kFieldCentre.offsetTo(game.tanks[0].position);
    const float bx = map.cx - map.scale * d.x;
    const float by = map.cy + map.scale * d.z;
    headingLine(bx, by, kMapRing, sh, ch);
    rangeCircle(bx, by, kMapRing);

    glPointSize(2.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (int i = 1; i <= game.tankLast; ++i) {
        panelVertex(map, game.tanks[i].position);
    }
    glEnd();
}

void drawShortRange(float sh, float ch) {
    const Vector3 player = game.tanks[0].position;
    const Panel radar = {0.0f, 20.0f, kRadarScale, player};
    rangeCircle(radar.cx, radar.cy, 4.0f);

    glPointSize(2.0f);
    glColor3f(0.0f, 1.0f, 1.0f);
    glBegin(GL_POINTS);
    for (int i = 0; i <= game.obstacleLast; ++i) {
        if (player.offsetTo(game.obstacles[i].position).length() <= kRadarRange) {
            panelVertex(radar, game.obstacles[i].position);
        }
    }
    glEnd();

    headingLine(radar.cx, radar.cy, 4.0f, sh, ch);

    glPointSize(2.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (int i = 1; i <= game.tankLast; ++i) {
        if (player.offsetTo(game.tanks[i].position).length() <= kRadarRange) {
            panelVertex(radar, game.tanks[i].position);
        }
    }
    glEnd();
}

}  // namespace

void drawRadar() {
    const float h = game.tanks[0].rotation.x * kDegreesToRadians;
    const float sh = sine(h);
    const float ch = cosine(h);

    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    gluLookAt(0.0, 0.0, 40.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glLineWidth(2.0f);

    drawMap(sh, ch);
    drawShortRange(sh, ch);

    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_FOG);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}
