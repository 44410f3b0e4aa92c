// The display callback: the chase camera and the fixed draw order of a play frame, the
// full-screen pictures of the other phases, and the heads-up rows.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include "hud/hud.h"
#include "render/lights.h"
#include "render/render.h"
#include "render/view.h"

namespace {

constexpr float kRowX = 75.0f;
constexpr std::size_t kAccuracyTextSize = 32;

void drawAccuracyRow(float y) {
    char accuracy[kAccuracyTextSize];
    const Tank& player = game.tanks[0];
    formatAccuracy(player.hits, player.shotsFired, accuracy, sizeof accuracy);
    drawTextRow(kRowX, y, game.accuracyLabelTexture, accuracy, 30);
}

void drawPlayRows() {
    const Tank& player = game.tanks[0];
    drawIntegerRow(kRowX, -1560.0f, game.scoreLabelTexture, player.score);
    drawIntegerRow(kRowX, -1500.0f, game.livesLabelTexture, game.lives);
    drawDecimalRow(kRowX, -1440.0f, game.turboLabelTexture, player.turboCooldown);
    drawIntegerRow(kRowX, -1380.0f, game.tanksLabelTexture, game.tankLast);
    drawIntegerRow(kRowX, -1320.0f, game.levelLabelTexture, static_cast<int>(game.level + 1));
    drawAccuracyRow(-1260.0f);
    drawTextRow(kRowX, -100.0f, game.fpsLabelTexture, game.fpsText, 10);
}

void drawSummaryRows() {
    const Tank& player = game.tanks[0];
    drawIntegerRow(kRowX, -1560.0f, game.scoreLabelTexture, player.score);
    drawIntegerRow(kRowX, -1500.0f, game.livesLabelTexture, game.lives);
    drawIntegerRow(kRowX, -1440.0f, game.tanksLabelTexture, game.tankLast);
    drawIntegerRow(kRowX, -1380.0f, game.levelLabelTexture, static_cast<int>(game.level + 1));
    drawAccuracyRow(-1320.0f);
}

void drawPlayFrame() {
    const Vector3 player = game.tanks[0].position;
    const float viewHeading = viewHeadingFor(game.tanks[0].rotation.x, game.keyDown);

    glLoadIdentity();
    gluLookAt(0.0, 2.0, -5.0, 0.0, 1.25, 5.0, 0.0, 1.0, 0.0);
    glRotatef(-viewHeading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-player.x, -player.y, -player.z);

    const ViewVolume view = currentViewVolume();
    placeLight();
    drawSky(viewHeading);
    drawTerrain(viewHeading);
    frameView = renderShortcuts ? &view : nullptr;
    for (int i = 0; i <= game.tankLast; ++i) {
        game.tanks[i].draw(player);
    }
    for (int i = 0; i <= game.obstacleLast; ++i) {
        game.obstacles[i].draw(player);
    }
    for (int i = 0; i <= game.bulletLast; ++i) {
        game.bullets[i].draw(player);
    }
    frameView = nullptr;
    // Every explosion light goes off; each live explosion in view switches its own on
    // again, for the next frame's scene. GL_LIGHT0 stays on.
    const int explosionLights = maxLights() - 1;
    for (int i = 0; i < explosionLights && i < 16; ++i) {
        glDisable(GL_LIGHT1 + i);
    }
    if (renderShortcuts) {
        drawExplosions(game.explosions, game.explosionLast, player,
                       game.bufferEntryPoints.bindBuffer);
    } else {
        for (int i = 0; i <= game.explosionLast; ++i) {
            game.explosions[i].draw(player, game.bufferEntryPoints.bindBuffer);
        }
    }
    drawRadar();
    drawPlayRows();
}

void drawPicture(unsigned int texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    drawPhaseScreen();
}

}  // namespace

bool renderShortcuts = true;

int maxLights() {
    static int count = 0;
    if (count == 0) {
        glGetIntegerv(GL_MAX_LIGHTS, &count);
    }
    return count;
}

float viewHeadingFor(float heading, const unsigned char keyDown[256]) {
    float view = heading;
    auto held = [keyDown](unsigned char key) { return keyDown[key] != 0; };
    if (held('1')) {
        view += 180.0f;
    } else if (held('2')) {
        view += 90.0f;
    } else if (held('3')) {
        view -= 90.0f;
    }
    if (view >= 360.0f) {
        view -= 360.0f;
    } else if (view < 0.0f) {
        view += 360.0f;
    }
    return view;
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    switch (game.phase) {
        case Title:
            drawPicture(game.beginScreenTexture);
            break;
        case Playing:
            drawPlayFrame();
            break;
        case Defeat:
            drawPicture(game.deathScreenTexture);
            drawSummaryRows();
            break;
        case Victory:
            drawPicture(game.victoryScreenTexture);
            drawSummaryRows();
            break;
    }
    glutSwapBuffers();
}
