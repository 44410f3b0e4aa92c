// The texture catalogue: the ground checkerboard made in memory, then every picture
// file in a fixed order (the order decides the texture names the GL hands out).

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>

#include "assets/assets.h"
#include "world/world.h"

namespace {

struct CatalogueEntry {
    const char* fileName;
    unsigned int* target;
    GLint wrap;
    GLint minFilter;
    GLint magFilter;
};

constexpr int kCheckerSide = 32;

void makeCheckerboard() {
    static unsigned char texels[kCheckerSide][kCheckerSide][3];
    for (int r = 0; r < kCheckerSide; ++r) {
        for (int c = 0; c < kCheckerSide; ++c) {
            const unsigned char v = ((r / 16 + c / 16) % 2 == 1) ? 0 : 255;
            texels[r][c][0] = texels[r][c][1] = texels[r][c][2] = v;
        }
    }
    glGenTextures(1, &game.groundTexture);
    glBindTexture(GL_TEXTURE_2D, game.groundTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kCheckerSide, kCheckerSide, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_FALSE);
}

}  // namespace

bool loadTexture(unsigned int& target, const char* fileName) {
    if (fileName == nullptr) {
        return false;
    }
    Image* image = nullptr;
    if (std::strstr(fileName, ".jpg") != nullptr) {
        image = decodeJpeg(fileName);
    } else if (std::strstr(fileName, ".tga") != nullptr) {
        image = decodeTga(fileName);
    } else if (std::strstr(fileName, ".bmp") != nullptr) {
        image = decodeBmp(fileName);
    } else {
        return false;
    }
    if (image == nullptr) {
        return false;
    }
    glGenTextures(1, &target);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, target);
    gluBuild2DMipmaps(GL_TEXTURE_2D, image->components, image->width, image->height,
                      image->components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    releaseImage(image);
    return true;
}

void loadTextures() {
    makeCheckerboard();

    constexpr GLint kMirror = GL_MIRRORED_REPEAT;
    constexpr GLint kClamp = GL_CLAMP_TO_EDGE;
    constexpr GLint kMipmap = GL_LINEAR_MIPMAP_LINEAR;
    static char digitNames[10][16];
    for (int i = 0; i < 10; ++i) {
        std::snprintf(digitNames[i], sizeof digitNames[i], "number_%i.jpg", i);
    }
    const CatalogueEntry entries[] = {
        {"texture_sky.jpg", &game.skyTexture, kMirror, GL_LINEAR, GL_LINEAR},
        {"texture_tank.jpg", &game.tankTexture, GL_REPEAT, kMipmap, GL_LINEAR},
        {"screen_begin.jpg", &game.beginScreenTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"screen_death.jpg", &game.deathScreenTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"screen_victory.jpg", &game.victoryScreenTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[0], &game.digitTextures[0], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[1], &game.digitTextures[1], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[2], &game.digitTextures[2], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[3], &game.digitTextures[3], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[4], &game.digitTextures[4], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[5], &game.digitTextures[5], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[6], &game.digitTextures[6], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[7], &game.digitTextures[7], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[8], &game.digitTextures[8], kClamp, GL_NEAREST, GL_NEAREST},
        {digitNames[9], &game.digitTextures[9], kClamp, GL_NEAREST, GL_NEAREST},
        {"number_-.jpg", &game.minusTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"number_Slash.jpg", &game.slashTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"number_%.jpg", &game.percentTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"number_Decimal.jpg", &game.decimalPointTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Score.jpg", &game.scoreLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Lives.jpg", &game.livesLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Tanks.jpg", &game.tanksLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Level.jpg", &game.levelLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Accuracy.jpg", &game.accuracyLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_FPS.jpg", &game.fpsLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"text_Turbo.jpg", &game.turboLabelTexture, kClamp, GL_NEAREST, GL_NEAREST},
        {"texture_bullet.jpg", &game.bulletTexture, GL_REPEAT, kMipmap, GL_LINEAR},
        {"texture_object.jpg", &game.obstacleTexture, GL_REPEAT, kMipmap, GL_LINEAR},
    };
    for (const CatalogueEntry& entry : entries) {
        // A file that did not load leaves its parameters unset rather than letting
        // them land on the texture loaded before it.
        if (!loadTexture(*entry.target, entry.fileName)) {
            continue;
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, entry.wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, entry.wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, entry.minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, entry.magFilter);
    }
}
