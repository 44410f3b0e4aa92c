// The texture catalogue on a real GLUT window: loads the generated data folder and
// reads back the names, parameters and texels the GL holds. Runs under Xvfb.

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "assets/assets.h"
#include "tests/assets_test_files.h"
#include "world/world.h"

namespace {

struct Expected {
    const char* what;
    unsigned int name;
    GLint wrap;
    GLint minFilter;
    GLint magFilter;
};

GLint parameter(unsigned int texture, GLenum which) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    return value;
}

// Must run first: the names are those a fresh context hands out.
TEST(Catalogue, LoadsTheWholeTableInOrderWithItsParameters) {
    ASSERT_EQ(chdir(TRELVANE_DATA_DIR), 0);
    loadTextures();
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const GLint clamp = GL_CLAMP_TO_EDGE, mirror = GL_MIRRORED_REPEAT,
                mip = GL_LINEAR_MIPMAP_LINEAR;
    std::vector<Expected> want = {
        {"ground", game.groundTexture, GL_REPEAT, mip, GL_NEAREST},
        {"sky", game.skyTexture, mirror, GL_LINEAR, GL_LINEAR},
        {"tank", game.tankTexture, GL_REPEAT, mip, GL_LINEAR},
        {"begin", game.beginScreenTexture, clamp, GL_NEAREST, GL_NEAREST},
        {"death", game.deathScreenTexture, clamp, GL_NEAREST, GL_NEAREST},
        {"victory", game.victoryScreenTexture, clamp, GL_NEAREST, GL_NEAREST},
    };
    for (unsigned int d : game.digitTextures) {
        want.push_back({"digit", d, clamp, GL_NEAREST, GL_NEAREST});
    }
    for (unsigned int t :
         {game.minusTexture, game.slashTexture, game.percentTexture, game.decimalPointTexture,
          game.scoreLabelTexture, game.livesLabelTexture, game.tanksLabelTexture,
          game.levelLabelTexture, game.accuracyLabelTexture, game.fpsLabelTexture,
          game.turboLabelTexture}) {
        want.push_back({"glyph or label", t, clamp, GL_NEAREST, GL_NEAREST});
    }
    want.push_back({"bullet", game.bulletTexture, GL_REPEAT, mip, GL_LINEAR});
    want.push_back({"obstacle", game.obstacleTexture, GL_REPEAT, mip, GL_LINEAR});
    ASSERT_EQ(want.size(), 29u);
    for (std::size_t i = 0; i < want.size(); ++i) {
        const Expected& e = want[i];
        EXPECT_EQ(e.name, i + 1) << e.what << " at table position " << i + 1;
        EXPECT_TRUE(glIsTexture(e.name)) << e.what;
        EXPECT_EQ(parameter(e.name, GL_TEXTURE_WRAP_S), e.wrap) << e.what;
        EXPECT_EQ(parameter(e.name, GL_TEXTURE_WRAP_T), e.wrap) << e.what;
        EXPECT_EQ(parameter(e.name, GL_TEXTURE_MIN_FILTER), e.minFilter) << e.what;
        EXPECT_EQ(parameter(e.name, GL_TEXTURE_MAG_FILTER), e.magFilter) << e.what;
    }
    // Every file texture carries a full mip-map chain; the ground's is generated and
    // generation is switched back off.
    glBindTexture(GL_TEXTURE_2D, game.obstacleTexture);
    GLint side = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &side);
    EXPECT_EQ(side, 1);
    EXPECT_EQ(parameter(game.groundTexture, GL_GENERATE_MIPMAP), GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, game.groundTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 5, GL_TEXTURE_WIDTH, &side);
    EXPECT_EQ(side, 1);

    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_MODULATE);
    GLint align = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    EXPECT_EQ(align, 1);
}

TEST(Catalogue, CheckerboardTexels) {
    glBindTexture(GL_TEXTURE_2D, game.groundTexture);
    unsigned char texels[32][32][3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    EXPECT_EQ(texels[0][0][0], 255);
    EXPECT_EQ(texels[0][16][0], 0);
    EXPECT_EQ(texels[16][0][1], 0);
    EXPECT_EQ(texels[16][16][2], 255);
    EXPECT_EQ(texels[15][15][0], 255);
    EXPECT_EQ(texels[31][31][0], 255);
    EXPECT_EQ(texels[31][15][0], 0);
}

TEST(Catalogue, ScreensArriveWithTheirPictureBottomRowFirst) {
    // The title picture's bottom rows are darker than its sky at the top.
    glBindTexture(GL_TEXTURE_2D, game.beginScreenTexture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    ASSERT_GT(w, 0);
    std::vector<unsigned char> texels(static_cast<std::size_t>(w) * h * 3);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const unsigned char* top = &texels[(static_cast<std::size_t>(h - 1) * w + 4) * 3];
    EXPECT_GT(top[2], top[0]) << "top-left should be sky blue";
    EXPECT_GT(top[2], 60);
}

TEST(LoadTexture, PicksTheDecoderBySubstringAndFailsSilently) {
    Bytes rgb(8 * 4 * 3, 200);
    const std::string jpeg = writeJpeg("pic.jpg.tga", 8, 4, 3, JCS_RGB, rgb);
    unsigned int target = 777;
    ASSERT_TRUE(loadTexture(target, jpeg.c_str()));
    EXPECT_NE(target, 777u);
    GLint w = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    EXPECT_EQ(w, 8) << "decoded as the JPEG it is";
    EXPECT_EQ(parameter(target, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    target = 777;
    const std::string upper = writeJpeg("pic.JPG", 8, 4, 3, JCS_RGB, rgb);
    EXPECT_FALSE(loadTexture(target, upper.c_str()));
    EXPECT_FALSE(loadTexture(target, (scratchDir() + "/absent.jpg").c_str()));
    EXPECT_FALSE(loadTexture(target, nullptr));
    EXPECT_EQ(target, 777u);

    // Four components go up as RGBA.
    Bytes b = tgaHeader(2, 2, 2, 32);
    for (int i = 0; i < 4; ++i) {
        b.insert(b.end(), {10, 20, 30, 128});
    }
    ASSERT_TRUE(loadTexture(target, writeFile("alpha.tga", b).c_str()));
    GLint alpha = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alpha);
    EXPECT_GT(alpha, 0);
    b = tgaHeader(2, 2, 2, 24);
    b.insert(b.end(), 12, 50);
    ASSERT_TRUE(loadTexture(target, writeFile("plain.tga", b).c_str()));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alpha);
    EXPECT_EQ(alpha, 0);
}

TEST(Catalogue, AFileThatFailsLeavesTheTextureBeforeItUntouched) {
    // Only the sky and the tank skin's successor exist here: the tank skin fails, and
    // its repeat wrap must not land on the sky.
    ASSERT_EQ(chdir(scratchDir().c_str()), 0);
    Bytes rgb(4 * 4 * 3, 90);
    writeJpeg("texture_sky.jpg", 4, 4, 3, JCS_RGB, rgb);
    const unsigned int oldTank = game.tankTexture;
    loadTextures();
    EXPECT_EQ(game.tankTexture, oldTank);
    EXPECT_EQ(parameter(game.skyTexture, GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT);
    EXPECT_EQ(parameter(game.skyTexture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("catalogue test");
    return RUN_ALL_TESTS();
}
