// Heads-up rows: a label picture and then one glyph picture per character.
#include "hud/hud.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdio>

#include "world/world.h"

namespace {

constexpr int kNumberCharacters = 6;  // sign and five digits, or five digits and a point
constexpr std::size_t kRowTextSize = 32;

// Row units to the plane z = 0 seen from (0, 0, 40).
float planeX(float x) {
    return (x - 810.0f) / 30.0f;
}
float planeY(float y) {
    return (y + 770.0f) / 30.0f;
}

void drawCell(float x, float y, float width, unsigned int texture) {
    const float left = planeX(x);
    const float right = planeX(x + width);
    const float bottom = planeY(y);
    const float top = planeY(y + 50.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(left, bottom, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(left, top, 0.0f);
    glEnd();
}

// The texture of a glyph character, or 0 with false for one that has none.
bool glyphTexture(char c, unsigned int* texture) {
    if (c >= '0' && c <= '9') {
        *texture = game.digitTextures[c - '0'];
        return true;
    }
    switch (c) {
        case '-':
            *texture = game.minusTexture;
            return true;
        case '/':
            *texture = game.slashTexture;
            return true;
        case '%':
            *texture = game.percentTexture;
            return true;
        case '.':
            *texture = game.decimalPointTexture;
            return true;
        default:
            return false;
    }
}

// Draws the label and the characters 0 to lastIndex of text (stopping at its end).
void drawRow(float x, float y, unsigned int labelTexture, const char* text, int lastIndex) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 40.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    drawCell(x, y, 200.0f, labelTexture);
    float pen = x + 200.0f;
    for (int i = 0; i <= lastIndex && text[i] != '\0'; ++i) {
        unsigned int texture = 0;
        if (glyphTexture(text[i], &texture)) {
            drawCell(pen, y, 50.0f, texture);
            pen += 50.0f;
        } else if (text[i] == ' ') {
            pen += 50.0f;
        }
    }

    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_FOG);
}

}  // namespace

void formatIntegerRowText(int value, char* text, std::size_t size) {
    if (value > 99999999) {
        value = 99999999;
    } else if (value < -99999999) {
        value = -99999999;
    }
    std::snprintf(text, size, "%-+5.0i", value);
    if (value == 0 && size > 1) {
        text[0] = '0';
    }
}

void formatDecimalRowText(float value, char* text, std::size_t size) {
    if (value > 100000000.0f) {
        value = 100000000.0f;
    } else if (value < -100000000.0f) {
        value = -100000000.0f;
    }
    std::snprintf(text, size, "%-5.1f", static_cast<double>(value));
    if (value == 0.0f && size > 1) {
        text[0] = '0';
    }
}

void formatAccuracy(int hits, int shotsFired, char* text, std::size_t size) {
    const double percent =
        shotsFired > 0 ? 100.0 * static_cast<double>(hits) / static_cast<double>(shotsFired) : 0.0;
    std::snprintf(text, size, "%i/%i - %03.1f%%", hits, shotsFired, percent);
}

void drawIntegerRow(float x, float y, unsigned int labelTexture, int value) {
    char text[kRowTextSize];
    formatIntegerRowText(value, text, sizeof text);
    drawRow(x, y, labelTexture, text, kNumberCharacters - 1);
}

void drawDecimalRow(float x, float y, unsigned int labelTexture, float value) {
    char text[kRowTextSize];
    formatDecimalRowText(value, text, sizeof text);
    drawRow(x, y, labelTexture, text, kNumberCharacters - 1);
}

void drawTextRow(float x, float y, unsigned int labelTexture, const char* text, int maxLength) {
    drawRow(x, y, labelTexture, text, maxLength);
}
