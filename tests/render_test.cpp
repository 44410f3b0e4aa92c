// Frames rendered by Mesa in a real GLUT window and read back pixel by pixel: what the
// player sees in every phase, the heads-up rows, the map and radar, the ground, the
// models and the explosion lights. Runs on its own Xvfb screen (tests/xvfb.sh).
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/app.h"
#include "assets/assets.h"
#include "hud/hud.h"
#include "render/lights.h"
#include "render/render.h"
#include "render/solids.h"
#include "world/world.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Rgb {
    int r, g, b;
};

bool near(Rgb a, Rgb b, int tolerance = 6) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// A lit or shaded red surface.
bool reddish(Rgb c) {
    return c.r > 40 && c.g < 30 && c.b < 30;
}

std::ostream& operator<<(std::ostream& out, Rgb c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// One solid-coloured 4 x 4 texture per picture, label and glyph, so a pixel tells which
// texture was drawn there.
struct Palette {
    unsigned int name[32] = {};
    Rgb colour[32] = {};
    int count = 0;

    unsigned int add(Rgb c) {
        unsigned char texels[4 * 4 * 3];
        for (int i = 0; i < 16; ++i) {
            texels[3 * i] = static_cast<unsigned char>(c.r);
            texels[3 * i + 1] = static_cast<unsigned char>(c.g);
            texels[3 * i + 2] = static_cast<unsigned char>(c.b);
        }
        glGenTextures(1, &name[count]);
        glBindTexture(GL_TEXTURE_2D, name[count]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        colour[count] = c;
        return name[count++];
    }
    // The texture whose colour the pixel shows, 0 when none.
    unsigned int which(Rgb c) const {
        for (int i = 0; i < count; ++i) {
            if (near(c, colour[i], 4)) {
                return name[i];
            }
        }
        return 0;
    }
};

Palette palette;
unsigned int checkerTexture = 0;

Rgb paletteColour(int i) {
    return {40 + (i % 4) * 60, 40 + ((i / 4) % 3) * 80, 40 + (i / 12) * 150};
}

unsigned int makeChecker() {
    unsigned char texels[32 * 32 * 3];
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 32; ++c) {
            const unsigned char v = ((r / 16 + c / 16) % 2) ? 0 : 255;
            for (int k = 0; k < 3; ++k) {
                texels[(r * 32 + c) * 3 + k] = v;
            }
        }
    }
    unsigned int name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 32, 32, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

void assignTextures() {
    int i = 0;
    game.beginScreenTexture = palette.add(paletteColour(i++));
    game.deathScreenTexture = palette.add(paletteColour(i++));
    game.victoryScreenTexture = palette.add(paletteColour(i++));
    for (unsigned int& digit : game.digitTextures) {
        digit = palette.add(paletteColour(i++));
    }
    game.minusTexture = palette.add(paletteColour(i++));
    game.slashTexture = palette.add(paletteColour(i++));
    game.percentTexture = palette.add(paletteColour(i++));
    game.decimalPointTexture = palette.add(paletteColour(i++));
    game.scoreLabelTexture = palette.add(paletteColour(i++));
    game.livesLabelTexture = palette.add(paletteColour(i++));
    game.tanksLabelTexture = palette.add(paletteColour(i++));
    game.levelLabelTexture = palette.add(paletteColour(i++));
    game.accuracyLabelTexture = palette.add(paletteColour(i++));
    game.fpsLabelTexture = palette.add(paletteColour(i++));
    game.turboLabelTexture = palette.add(paletteColour(i++));
    // Models: pure red, green and blue skins.
    game.obstacleTexture = palette.add({255, 0, 0});
    game.tankTexture = palette.add({0, 0, 255});
    game.skyTexture = palette.add({128, 128, 128});
    checkerTexture = makeChecker();
    game.groundTexture = checkerTexture;
}

// The pixels of the last frame. Mesa's software path keeps the back buffer's contents
// across the swap, so a frame is read from GL_BACK after display() too (the front
// buffer of the Xvfb window reads back black).
std::vector<unsigned char> pixels(kWidth* kHeight * 3);

void readFrame(GLenum buffer) {
    glFinish();
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

// After display(): the picture the player now sees.
void showFrame() {
    display();
    readFrame(GL_BACK);
}

// (x, y) in window pixels, y up from the bottom.
Rgb at(int x, int y) {
    const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 3];
    return {p[0], p[1], p[2]};
}

// True when any pixel within `radius` of (x, y) has colour c.
bool anyNear(int x, int y, int radius, Rgb c, int tolerance = 40) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px >= 0 && px < kWidth && py >= 0 && py < kHeight &&
                near(at(px, py), c, tolerance)) {
                return true;
            }
        }
    }
    return false;
}

// Row units: x 10..1610 across the window, y -1570..30 up it.
int rowPixelX(float x) {
    return static_cast<int>((x - 10.0f) * kWidth / 1600.0f);
}
int rowPixelY(float y) {
    return static_cast<int>((y + 1570.0f) * kHeight / 1600.0f);
}
// The texture shown at the centre of glyph cell `cell` of the row at (75, y).
unsigned int cellTexture(float y, int cell) {
    return palette.which(at(rowPixelX(75.0f + 225.0f + 50.0f * cell), rowPixelY(y + 25.0f)));
}
unsigned int labelTexture(float y) {
    return palette.which(at(rowPixelX(175.0f), rowPixelY(y + 25.0f)));
}

// Panel units: +-80/3 both ways about the window centre.
int panelPixelX(float x) {
    return static_cast<int>(std::lround(kWidth / 2.0 + x * kWidth * 3.0 / 160.0));
}
int panelPixelY(float y) {
    return static_cast<int>(std::lround(kHeight / 2.0 + y * kHeight * 3.0 / 160.0));
}

const Rgb kBlack = {0, 0, 0};
const Rgb kBlue = {0, 0, 255};
const Rgb kCyan = {0, 255, 255};
const Rgb kRed = {255, 0, 0};
const Rgb kGreen = {0, 255, 0};
const Rgb kYellow = {255, 255, 0};

// Back to the state of a fresh level: only the player, at the field centre, heading 0.
void resetWorld() {
    game.phase = Title;
    game.lives = 3;
    game.level = 0;
    game.tankLast = 0;
    game.bulletLast = -1;
    game.obstacleLast = -1;
    game.explosionLast = -1;
    std::memset(game.keyDown, 0, sizeof game.keyDown);
    std::snprintf(game.fpsText, sizeof game.fpsText, "60.0");
    Tank& player = game.tanks[0];
    player = Tank();
    player.position = Vector3(325.0f, 0.0f, 325.0f);
    player.rotation = Vector3(0.0f, 0.0f, 0.0f);
    player.texture = game.tankTexture;
    player.size = 0.5f;
    for (Explosion& e : game.explosions) {
        e.life = 0.0f;
    }
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        // A title frame first, as the game does: it switches texture generation on.
        showFrame();
    }
    void play() { game.phase = Playing; }
};

// ---------------------------------------------------------------------------
// Texts of the rows, without a window

TEST(RowText, IntegersAreSignedLeftAlignedAndZeroIsOneDigit) {
    char text[32];
    formatIntegerRowText(0, text, sizeof text);
    EXPECT_STREQ("0    ", text);
    formatIntegerRowText(3, text, sizeof text);
    EXPECT_STREQ("+3   ", text);
    formatIntegerRowText(-5, text, sizeof text);
    EXPECT_STREQ("-5   ", text);
    formatIntegerRowText(123456, text, sizeof text);
    EXPECT_STREQ("+123456", text);
    formatIntegerRowText(150000000, text, sizeof text);
    EXPECT_STREQ("+99999999", text);
    formatIntegerRowText(-2147483647 - 1, text, sizeof text);
    EXPECT_STREQ("-99999999", text);
}

TEST(RowText, DecimalsHaveOneDigitAfterThePoint) {
    char text[32];
    formatDecimalRowText(15.0f, text, sizeof text);
    EXPECT_STREQ("15.0 ", text);
    formatDecimalRowText(0.0f, text, sizeof text);
    EXPECT_STREQ("0.0  ", text);
    formatDecimalRowText(-0.0f, text, sizeof text);
    EXPECT_STREQ("00.0 ", text);
    formatDecimalRowText(12345.6f, text, sizeof text);
    EXPECT_STREQ("12345.6", text);
    formatDecimalRowText(1e30f, text, sizeof text);
    EXPECT_STREQ("100000000.0", text);
    formatDecimalRowText(-1e30f, text, sizeof text);
    EXPECT_STREQ("-100000000.0", text);
}

TEST(RowText, AccuracyReadsHitsShotsAndPercent) {
    char text[32];
    formatAccuracy(3, 8, text, sizeof text);
    EXPECT_STREQ("3/8 - 37.5%", text);
    formatAccuracy(0, 0, text, sizeof text);
    EXPECT_STREQ("0/0 - 0.0%", text);
    formatAccuracy(5, -1, text, sizeof text);
    EXPECT_STREQ("5/-1 - 0.0%", text);
    formatAccuracy(1, 3, text, sizeof text);
    EXPECT_STREQ("1/3 - 33.3%", text);
}

TEST(RowText, NoValueOverrunsTheAccuracyBuffer) {
    char text[40];
    std::memset(text, '#', sizeof text);
    formatAccuracy(-2147483647 - 1, 1, text, 32);  // 32 characters: the % is cut
    EXPECT_STREQ("-2147483648/1 - -214748364800.0", text);
    EXPECT_EQ('#', text[32]);
    std::memset(text, '#', sizeof text);
    formatAccuracy(3, 8, text, 8);
    EXPECT_STREQ("3/8 - 3", text);
    for (std::size_t i = 8; i < sizeof text; ++i) {
        EXPECT_EQ('#', text[i]) << "byte " << i;
    }
}

// ---------------------------------------------------------------------------
// View heading and wrapped images

TEST(ViewHeading, KeysTurnTheCameraAboutTheTank) {
    unsigned char keys[256] = {};
    EXPECT_FLOAT_EQ(45.0f, viewHeadingFor(45.0f, keys));
    keys['2'] = 1;
    EXPECT_FLOAT_EQ(30.0f, viewHeadingFor(300.0f, keys));
    keys['3'] = 1;  // '2' wins over '3'
    EXPECT_FLOAT_EQ(30.0f, viewHeadingFor(300.0f, keys));
    keys['1'] = 1;  // '1' wins over both
    EXPECT_FLOAT_EQ(120.0f, viewHeadingFor(300.0f, keys));
    keys['1'] = keys['2'] = 0;
    EXPECT_FLOAT_EQ(315.0f, viewHeadingFor(45.0f, keys));
    EXPECT_FLOAT_EQ(0.0f, viewHeadingFor(90.0f, keys));
    keys['3'] = 0;
    EXPECT_FLOAT_EQ(0.0f, viewHeadingFor(360.0f, keys));
}

TEST(NearestImage, PicksTheFirstWrappedCopyWithinFifty) {
    Vector3 image(1.0f, 2.0f, 3.0f);
    ASSERT_TRUE(nearestImage({640.0f, 0.0f, 100.0f}, {10.0f, 0.0f, 100.0f}, &image));
    EXPECT_FLOAT_EQ(-10.0f, image.x);
    EXPECT_FLOAT_EQ(100.0f, image.z);
    ASSERT_TRUE(nearestImage({5.0f, 1.0f, 5.0f}, {645.0f, 1.0f, 645.0f}, &image));
    EXPECT_FLOAT_EQ(655.0f, image.x);
    EXPECT_FLOAT_EQ(655.0f, image.z);
    ASSERT_TRUE(nearestImage({100.0f, 0.0f, 100.0f}, {100.0f, 0.0f, 100.0f}, &image));
    EXPECT_FLOAT_EQ(100.0f, image.x);
    // Exactly 50 away does not count; height counts.
    image = Vector3(1.0f, 2.0f, 3.0f);
    EXPECT_FALSE(nearestImage({150.0f, 0.0f, 100.0f}, {100.0f, 0.0f, 100.0f}, &image));
    EXPECT_FALSE(nearestImage({100.0f, 50.0f, 100.0f}, {100.0f, 0.0f, 100.0f}, &image));
    EXPECT_FLOAT_EQ(1.0f, image.x);
    EXPECT_TRUE(nearestImage({149.99f, 0.0f, 100.0f}, {100.0f, 0.0f, 100.0f}, &image));
}

// ---------------------------------------------------------------------------
// Phase pictures and summary rows

TEST_F(RenderTest, TitleFrameShowsOnlyTheBeginPictureToEveryCorner) {
    game.tanks[0].score = 12345;
    showFrame();
    const unsigned int begin = game.beginScreenTexture;
    for (int y = 0; y < kHeight; y += 37) {
        for (int x = 0; x < kWidth; x += 41) {
            ASSERT_EQ(begin, palette.which(at(x, y))) << x << ", " << y << ": " << at(x, y);
        }
    }
    EXPECT_EQ(begin, palette.which(at(0, 0)));
    EXPECT_EQ(begin, palette.which(at(kWidth - 1, 0)));
    EXPECT_EQ(begin, palette.which(at(0, kHeight - 1)));
    EXPECT_EQ(begin, palette.which(at(kWidth - 1, kHeight - 1)));
}

TEST_F(RenderTest, DefeatFrameShowsTheSummaryWithNoLivesAndTheLevelCountedFromOne) {
    game.phase = Defeat;
    game.lives = 0;
    game.level = 4;
    game.tankLast = 12;
    game.tanks[0].score = -300;
    game.tanks[0].hits = 3;
    game.tanks[0].shotsFired = 8;
    showFrame();
    const unsigned int* digit = game.digitTextures;
    EXPECT_EQ(game.deathScreenTexture, palette.which(at(kWidth - 1, kHeight - 1)));
    EXPECT_EQ(game.deathScreenTexture, palette.which(at(kWidth - 1, 0)));

    EXPECT_EQ(game.scoreLabelTexture, labelTexture(-1560));
    EXPECT_EQ(game.minusTexture, cellTexture(-1560, 0));
    EXPECT_EQ(digit[3], cellTexture(-1560, 1));
    EXPECT_EQ(digit[0], cellTexture(-1560, 2));
    EXPECT_EQ(digit[0], cellTexture(-1560, 3));
    EXPECT_EQ(game.deathScreenTexture, cellTexture(-1560, 4));

    EXPECT_EQ(game.livesLabelTexture, labelTexture(-1500));
    EXPECT_EQ(digit[0], cellTexture(-1500, 0));
    EXPECT_EQ(game.deathScreenTexture, cellTexture(-1500, 1));

    EXPECT_EQ(game.tanksLabelTexture, labelTexture(-1440));
    EXPECT_EQ(digit[1], cellTexture(-1440, 0));
    EXPECT_EQ(digit[2], cellTexture(-1440, 1));

    EXPECT_EQ(game.levelLabelTexture, labelTexture(-1380));
    EXPECT_EQ(digit[5], cellTexture(-1380, 0));
    EXPECT_EQ(game.deathScreenTexture, cellTexture(-1380, 1));

    // 3/8 - 37.5%: the spaces leave gaps.
    EXPECT_EQ(game.accuracyLabelTexture, labelTexture(-1320));
    const unsigned int accuracy[] = {digit[3],
                                     game.slashTexture,
                                     digit[8],
                                     game.deathScreenTexture,
                                     game.minusTexture,
                                     game.deathScreenTexture,
                                     digit[3],
                                     digit[7],
                                     game.decimalPointTexture,
                                     digit[5],
                                     game.percentTexture,
                                     game.deathScreenTexture};
    for (int cell = 0; cell < 12; ++cell) {
        EXPECT_EQ(accuracy[cell], cellTexture(-1320, cell)) << "cell " << cell;
    }
    // No turbo, frame-rate row or radar on the summary.
    EXPECT_EQ(game.deathScreenTexture, labelTexture(-1260));
    EXPECT_EQ(game.deathScreenTexture, labelTexture(-100));
    EXPECT_EQ(game.deathScreenTexture, palette.which(at(panelPixelX(20), panelPixelY(20))));
}

TEST_F(RenderTest, VictoryFrameShowsItsPictureAndTheNextLevelsFigures) {
    game.phase = Victory;
    game.level = 8;
    showFrame();
    EXPECT_EQ(game.victoryScreenTexture, palette.which(at(0, kHeight - 1)));
    EXPECT_EQ(game.victoryScreenTexture, palette.which(at(kWidth - 1, 0)));
    EXPECT_EQ(game.digitTextures[3], cellTexture(-1500, 0));
    EXPECT_EQ(game.digitTextures[9], cellTexture(-1380, 0));
    // Before the first shell: 0/0 - 0.0%
    EXPECT_EQ(game.digitTextures[0], cellTexture(-1320, 0));
    EXPECT_EQ(game.percentTexture, cellTexture(-1320, 9));
}

TEST_F(RenderTest, NumberRowsShowTheirGlyphsAndNothingElse) {
    // Rows drawn straight over the title picture, read from the back buffer.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, game.beginScreenTexture);
    drawPhaseScreen();
    drawIntegerRow(75, -1560, game.scoreLabelTexture, 0);
    drawIntegerRow(75, -1500, game.scoreLabelTexture, 123456);
    drawIntegerRow(75, -1440, game.scoreLabelTexture, -123456);
    drawDecimalRow(75, -1380, game.turboLabelTexture, 0.0f);
    drawDecimalRow(75, -1320, game.turboLabelTexture, 12345.6f);
    drawTextRow(75, -1260, game.fpsLabelTexture, "12.5/12.5/12", 10);
    readFrame(GL_BACK);
    const unsigned int none = game.beginScreenTexture;
    const unsigned int* d = game.digitTextures;
    const unsigned int dot = game.decimalPointTexture;
    const unsigned int slash = game.slashTexture;
    const unsigned int rows[6][12] = {
        {d[0], none, none, none, none, none, none, none, none, none, none, none},
        {d[1], d[2], d[3], d[4], d[5], none, none, none, none, none, none, none},
        {game.minusTexture, d[1], d[2], d[3], d[4], d[5], none, none, none, none, none, none},
        {d[0], dot, d[0], none, none, none, none, none, none, none, none, none},
        {d[1], d[2], d[3], d[4], d[5], dot, none, none, none, none, none, none},
        {d[1], d[2], dot, d[5], slash, d[1], d[2], dot, d[5], slash, d[1], none},
    };
    const float ys[6] = {-1560, -1500, -1440, -1380, -1320, -1260};
    for (int row = 0; row < 6; ++row) {
        for (int cell = 0; cell < 12; ++cell) {
            EXPECT_EQ(rows[row][cell], cellTexture(ys[row], cell))
                << "row " << row << " cell " << cell;
        }
    }
    // Each row switched back on what it switched off.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_T));
}

// ---------------------------------------------------------------------------
// Play frames: rows, map and radar

TEST_F(RenderTest, PlayFrameShowsTheSevenRows) {
    play();
    game.lives = 2;
    game.level = 0;
    game.tankLast = 0;
    game.tanks[0].score = 7;
    game.tanks[0].turboCooldown = 2.5f;
    std::snprintf(game.fpsText, sizeof game.fpsText, "%3.1f", 59.9);
    showFrame();
    const unsigned int* d = game.digitTextures;
    EXPECT_EQ(game.scoreLabelTexture, labelTexture(-1560));
    EXPECT_EQ(d[7], cellTexture(-1560, 0));
    EXPECT_EQ(game.livesLabelTexture, labelTexture(-1500));
    EXPECT_EQ(d[2], cellTexture(-1500, 0));
    EXPECT_EQ(game.turboLabelTexture, labelTexture(-1440));
    EXPECT_EQ(d[2], cellTexture(-1440, 0));
    EXPECT_EQ(game.decimalPointTexture, cellTexture(-1440, 1));
    EXPECT_EQ(d[5], cellTexture(-1440, 2));
    EXPECT_EQ(game.tanksLabelTexture, labelTexture(-1380));
    EXPECT_EQ(d[0], cellTexture(-1380, 0));
    EXPECT_EQ(game.levelLabelTexture, labelTexture(-1320));
    EXPECT_EQ(d[1], cellTexture(-1320, 0));
    EXPECT_EQ(game.accuracyLabelTexture, labelTexture(-1260));
    EXPECT_EQ(d[0], cellTexture(-1260, 0));
    EXPECT_EQ(game.slashTexture, cellTexture(-1260, 1));
    EXPECT_EQ(game.fpsLabelTexture, labelTexture(-100));
    EXPECT_EQ(d[5], cellTexture(-100, 0));
    EXPECT_EQ(d[9], cellTexture(-100, 1));
    EXPECT_EQ(game.decimalPointTexture, cellTexture(-100, 2));
    EXPECT_EQ(d[9], cellTexture(-100, 3));
}

TEST_F(RenderTest, MapShowsItsSquareFrameObstaclesAndEnemies) {
    play();
    game.obstacleLast = 2;
    game.obstacles[0].position = Vector3(0.0f, 0.0f, 0.0f);
    game.obstacles[1].position = Vector3(650.0f, 0.0f, 650.0f);
    game.obstacles[2].position = Vector3(325.0f, 0.0f, 300.0f);  // 25 behind the player
    game.tankLast = 1;
    game.tanks[1].position = Vector3(100.0f, 0.0f, 550.0f);  // map (22.77, 22.77)
    showFrame();
    // Black inside, blue frame on its four sides.
    EXPECT_TRUE(near(kBlack, at(panelPixelX(17), panelPixelY(18))));
    EXPECT_TRUE(near(kBlack, at(panelPixelX(23), panelPixelY(22.5f))));
    EXPECT_TRUE(anyNear(panelPixelX(16), panelPixelY(20), 1, kBlue));
    EXPECT_TRUE(anyNear(panelPixelX(24), panelPixelY(20), 1, kBlue));
    EXPECT_TRUE(anyNear(panelPixelX(20), panelPixelY(16), 1, kBlue));
    EXPECT_TRUE(anyNear(panelPixelX(20), panelPixelY(24), 1, kBlue));
    EXPECT_FALSE(anyNear(panelPixelX(15), panelPixelY(20), 1, kBlue));
    // World (0, 0, 0) is the lower-right corner, (650, 0, 650) the upper-left.
    EXPECT_TRUE(anyNear(panelPixelX(24), panelPixelY(16), 1, kCyan));
    EXPECT_TRUE(anyNear(panelPixelX(16), panelPixelY(24), 1, kCyan));
    EXPECT_FALSE(anyNear(panelPixelX(16), panelPixelY(16), 2, kCyan));
    const float mapX = 20.0f - 4.0f / 325.0f * (100.0f - 325.0f);
    const float mapY = 20.0f + 4.0f / 325.0f * (550.0f - 325.0f);
    EXPECT_TRUE(anyNear(panelPixelX(mapX), panelPixelY(mapY), 1, kRed));
    // The enemy is too far for the radar; the obstacle behind the player is on it.
    EXPECT_FALSE(anyNear(panelPixelX(0), panelPixelY(20), 70, kRed));
    EXPECT_TRUE(anyNear(panelPixelX(0.0f), panelPixelY(18.0f), 1, kCyan));
}

TEST_F(RenderTest, RadarShowsATankAtFiftyUnitsButNotBeyond) {
    play();
    game.tankLast = 1;
    game.tanks[1].position = Vector3(375.0f, 0.0f, 325.0f);  // exactly 50 in -x on the radar
    showFrame();
    const int x = panelPixelX(-4.0f);
    const int y = panelPixelY(20.0f);
    EXPECT_TRUE(anyNear(x, y, 1, kRed)) << at(x, y);
    // On the map too, on the range ring around the player.
    EXPECT_TRUE(anyNear(panelPixelX(20.0f - 50.0f * 4.0f / 325.0f), panelPixelY(20), 1, kRed));

    game.tanks[1].position = Vector3(375.01f, 0.0f, 325.0f);
    showFrame();
    EXPECT_FALSE(anyNear(x, y, 3, kRed));
    EXPECT_TRUE(anyNear(x, y, 1, kBlue));  // only the range circle is left there
    EXPECT_TRUE(anyNear(panelPixelX(20.0f - 50.01f * 4.0f / 325.0f), panelPixelY(20), 1, kRed));
}

TEST_F(RenderTest, HeadingLinesPointUpAtHeadingZeroAndLeftAtNinety) {
    play();
    game.tanks[0].rotation.x = 0.0f;
    showFrame();
    // Radar: centre (0, 20), length 4; green to 62.5 %, yellow from 75 %.
    EXPECT_TRUE(anyNear(panelPixelX(0), panelPixelY(21.2f), 1, kGreen, 20));
    EXPECT_TRUE(anyNear(panelPixelX(0), panelPixelY(23.6f), 1, kYellow, 20));
    EXPECT_FALSE(anyNear(panelPixelX(-1.2f), panelPixelY(20), 1, kGreen, 20));
    // Map: the player at the centre, length 8/13.
    EXPECT_TRUE(anyNear(panelPixelX(20), panelPixelY(20.2f), 1, kGreen, 20));
    EXPECT_TRUE(anyNear(panelPixelX(20), panelPixelY(20.57f), 1, kYellow, 30));

    game.tanks[0].rotation.x = 90.0f;
    showFrame();
    EXPECT_TRUE(anyNear(panelPixelX(-1.2f), panelPixelY(20), 1, kGreen, 20));
    EXPECT_TRUE(anyNear(panelPixelX(-3.6f), panelPixelY(20), 1, kYellow, 20));
    EXPECT_FALSE(anyNear(panelPixelX(0), panelPixelY(21.2f), 1, kGreen, 20));
    EXPECT_TRUE(anyNear(panelPixelX(19.75f), panelPixelY(20), 1, kGreen, 20));
}

// ---------------------------------------------------------------------------
// The ground

// Where world point w appears in a play frame of the current game state.
bool project(Vector3 w, int* x, int* y) {
    const Vector3 p = game.tanks[0].position;
    const float heading = viewHeadingFor(game.tanks[0].rotation.x, game.keyDown);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0.0, 2.0, -5.0, 0.0, 1.25, 5.0, 0.0, 1.0, 0.0);
    glRotatef(-heading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-p.x, -p.y, -p.z);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx, wy, wz;
    gluProject(w.x, w.y, w.z, model, projection, viewport, &wx, &wy, &wz);
    *x = static_cast<int>(wx);
    *y = static_cast<int>(wy);
    return wz > 0.0 && wz < 1.0 && *x >= 0 && *x < kWidth && *y >= 0 && *y < kHeight;
}

// Checks the centres of the unit squares ahead of the player against the checkerboard
// fixed to the world: white where floor(x) + floor(z) is even.
int checkSquares(int* checked) {
    const Vector3 p = game.tanks[0].position;
    int wrong = 0;
    *checked = 0;
    for (int dz = -12; dz <= 12; ++dz) {
        for (int dx = -12; dx <= 12; ++dx) {
            const float wx = std::floor(p.x) + dx + 0.5f;
            const float wz = std::floor(p.z) + dz + 0.5f;
            int x = 0, y = 0;
            if (std::hypot(wx - p.x, wz - p.z) < 2.5f || !project({wx, p.y, wz}, &x, &y) ||
                y > kHeight / 2 || x < 320) {
                continue;  // the tank, the sky, the rows
            }
            const bool white =
                (static_cast<int>(std::floor(wx)) + static_cast<int>(std::floor(wz))) % 2 == 0;
            const Rgb c = at(x, y);
            ++*checked;
            if (white ? c.r < 110 : c.r > 60) {
                ++wrong;
                std::printf("wrong %f %f at %d %d: %d %d %d\n", wx, wz, x, y, c.r, c.g, c.b);
            }
        }
    }
    return wrong;
}

TEST_F(RenderTest, CheckerboardStaysPutInTheWorld) {
    play();
    const Vector3 starts[] = {{325.0f, 0.0f, 325.0f},
                              {326.0f, 0.0f, 325.0f},
                              {326.3f, 0.0f, 331.7f},
                              {12.5f, 0.0f, 640.25f}};
    const float headings[] = {0.0f, 0.0f, 30.0f, 250.0f};
    for (int i = 0; i < 4; ++i) {
        game.tanks[0].position = starts[i];
        game.tanks[0].rotation.x = headings[i];
        showFrame();
        int checked = 0;
        const int wrong = checkSquares(&checked);
        EXPECT_GT(checked, 40) << "start " << i;
        EXPECT_LE(wrong, checked / 50) << "start " << i << ": " << wrong << " of " << checked;
    }
}

TEST_F(RenderTest, MovingOneUnitShiftsTheCheckerboardByOneSquareUnderTheTank) {
    play();
    auto sample = [](std::vector<int>& out) {
        showFrame();
        out.clear();
        for (int y = 40; y < 200; y += 7) {
            for (int x = 450; x < 790; x += 11) {
                out.push_back(at(x, y).r > 90 ? 1 : 0);
            }
        }
    };
    std::vector<int> a, b, c;
    game.tanks[0].position = Vector3(325.0f, 0.0f, 325.0f);
    sample(a);
    game.tanks[0].position = Vector3(326.0f, 0.0f, 325.0f);
    sample(b);
    game.tanks[0].position = Vector3(327.0f, 0.0f, 325.0f);
    sample(c);
    int flipped = 0, same = 0, whites = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        flipped += a[i] != b[i];
        same += a[i] == c[i];
        whites += a[i];
    }
    const int n = static_cast<int>(a.size());
    EXPECT_GT(whites, n / 4);
    EXPECT_LT(whites, 3 * n / 4);
    EXPECT_GE(flipped, n * 95 / 100);
    EXPECT_GE(same, n * 98 / 100);
}

TEST_F(RenderTest, TerrainBufferHoldsTheMesh) {
    const BufferEntryPoints& gl = game.bufferEntryPoints;
    EXPECT_EQ(200, game.terrainStripLength);
    ASSERT_TRUE(gl.isBuffer(game.terrainBuffer));
    gl.bindBuffer(GL_ARRAY_BUFFER_ARB, game.terrainBuffer);
    int size = 0;
    gl.getBufferParameteriv(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
    EXPECT_EQ(40401 * 12, size);
    std::vector<float> mesh(40401 * 3);
    gl.getBufferSubData(GL_ARRAY_BUFFER_ARB, 0, size, mesh.data());
    gl.bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
    auto vertex = [&](int i) { return Vector3(mesh[3 * i], mesh[3 * i + 1], mesh[3 * i + 2]); };
    EXPECT_FLOAT_EQ(-50.0f, vertex(0).x);
    EXPECT_FLOAT_EQ(-50.0f, vertex(0).z);
    EXPECT_FLOAT_EQ(-49.0f, vertex(1).x);
    EXPECT_FLOAT_EQ(-49.0f, vertex(2).z);
    EXPECT_FLOAT_EQ(-49.0f, vertex(202).x);  // second column
    EXPECT_FLOAT_EQ(51.0f, vertex(20401).x);
    EXPECT_FLOAT_EQ(50.0f, vertex(20401).z);
    float tail = 0.0f, height = 0.0f;
    for (int i = 20402; i < 40401; ++i) {
        tail += std::fabs(vertex(i).x) + std::fabs(vertex(i).z);
    }
    for (int i = 0; i < 40401; ++i) {
        height += std::fabs(vertex(i).y);
    }
    EXPECT_EQ(0.0f, tail);
    EXPECT_EQ(0.0f, height);
}

// ---------------------------------------------------------------------------
// Models

// A camera of the test's own looking level at `target` from 14 units along -z; the
// scene light.
void lookAt(Vector3 target) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(target.x, target.y, target.z - 14.0, target.x, target.y, target.z, 0, 1, 0);
    placeLight();
}

int redPixels() {
    readFrame(GL_BACK);
    int count = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const unsigned char* p = &pixels[i * 3];
        count += reddish({p[0], p[1], p[2]});
    }
    return count;
}

TEST_F(RenderTest, ObjectIsDrawnAtItsNearestWrappedImage) {
    Obstacle obstacle;
    obstacle.position = Vector3(640.0f, 0.0f, 100.0f);
    obstacle.size = 2.0f;
    obstacle.texture = game.obstacleTexture;
    const Vector3 player(10.0f, 0.0f, 100.0f);

    lookAt({-10.0f, 0.0f, 100.0f});
    obstacle.draw(player);
    EXPECT_GT(redPixels(), 1000);

    lookAt({640.0f, 0.0f, 100.0f});
    obstacle.draw(player);
    EXPECT_EQ(0, redPixels());
}

TEST_F(RenderTest, NothingOfAnObjectFiftyUnitsFromEveryImage) {
    Obstacle obstacle;
    obstacle.position = Vector3(200.0f, 0.0f, 100.0f);
    obstacle.size = 2.0f;
    obstacle.texture = game.obstacleTexture;

    lookAt(obstacle.position);
    glBindTexture(GL_TEXTURE_2D, game.skyTexture);
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    obstacle.draw({150.0f, 0.0f, 100.0f});
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(game.skyTexture, static_cast<unsigned int>(bound));
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(0, std::memcmp(before, after, sizeof before));
    EXPECT_EQ(0, redPixels());

    lookAt(obstacle.position);
    obstacle.draw({150.01f, 0.0f, 100.0f});
    EXPECT_GT(redPixels(), 1000);
}

// The topmost and lowest screen rows with a pixel drawn over the green clear colour.
void bodyRows(int* top, int* bottom) {
    *top = -1;
    *bottom = -1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!near(at(x, y), kGreen, 30)) {
                *top = y;
                if (*bottom < 0) {
                    *bottom = y;
                }
                break;
            }
        }
    }
}

// Where the world height y at (100, y, 100) lands on screen with the current camera.
int screenY(float y) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(100.0, y, 100.0, model, projection, viewport, &wx, &wy, &wz);
    return static_cast<int>(std::lround(wy));
}

TEST_F(RenderTest, ObstaclesStandTenUnitsTallOnTheirBase) {
    const Vector3 base(100.0f, 0.0f, 100.0f);
    Obstacle obstacle;
    obstacle.position = base;
    obstacle.size = 2.0f;
    obstacle.texture = game.obstacleTexture;
    lookAt({100.0f, 7.0f, 100.0f});
    obstacle.draw(base);
    readFrame(GL_BACK);
    int top = 0, bottom = 0;
    bodyRows(&top, &bottom);
    EXPECT_NEAR(screenY(10.0f), top, 4);
    // Its base stands on the ground: the cone reaches below the base centre's height.
    EXPECT_LT(bottom, screenY(0.0f));
}

TEST_F(RenderTest, ShellsRiseOnTheirArcAboveTheirPosition) {
    const Vector3 base(100.0f, 0.0f, 100.0f);
    Bullet shell;
    shell.position = base;
    shell.size = 0.5f;
    shell.texture = game.obstacleTexture;
    const float lifetimes[] = {1.5f, 1.0f, 0.2f};
    for (float lifetime : lifetimes) {
        shell.lifetime = lifetime;
        const float t = 1.5f - lifetime;
        const float centre = -1.5111111f * t * t + 2.0f * t + shell.size;
        lookAt({100.0f, centre, 100.0f});
        shell.draw(base);
        readFrame(GL_BACK);
        int top = 0, bottom = 0;
        bodyRows(&top, &bottom);
        EXPECT_NEAR(screenY(centre + 0.5f), top, 3) << "lifetime " << lifetime;
        EXPECT_GT(top - bottom, 5);  // not a speck
    }
}

TEST_F(RenderTest, TanksAreFlattenedSpheresRaisedAboveTheirPosition) {
    const Vector3 base(100.0f, 0.0f, 100.0f);
    Tank tank;
    tank.position = base;
    tank.size = 2.0f;
    tank.texture = game.obstacleTexture;
    lookAt({100.0f, 0.4f, 100.0f});
    tank.draw(base);
    readFrame(GL_BACK);
    int top = 0, bottom = 0;
    bodyRows(&top, &bottom);
    EXPECT_NEAR(screenY(0.4f + 0.8f), top, 3);
    EXPECT_NEAR(screenY(0.4f - 0.8f), bottom, 3);
}

TEST_F(RenderTest, CompiledSolidsDrawExactlyWhatGlutDraws) {
    const Vector3 centre(0.0f, 0.0f, 0.0f);
    std::vector<unsigned char> direct(pixels.size());
    const float sizes[] = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 0.5f, 0.6f};
    const Solid kinds[] = {Solid::TankBody, Solid::ShellBody, Solid::Cone};
    glBindTexture(GL_TEXTURE_2D, game.obstacleTexture);
    for (Solid kind : kinds) {
        for (float size : sizes) {
            lookAt(centre);
            glTranslatef(0.3f, -0.2f, 0.0f);
            glRotatef(30.0f, 1.0f, 1.0f, 0.0f);
            game.bufferEntryPoints.bindBuffer(GL_ARRAY_BUFFER_ARB, 0);
            if (kind == Solid::Cone) {
                glutSolidCone(size, 2.0, 10, 10);
            } else {
                const int steps = kind == Solid::TankBody ? 20 : 5;
                glutSolidSphere(size, steps, steps);
            }
            glEnableClientState(GL_VERTEX_ARRAY);
            readFrame(GL_BACK);
            direct = pixels;

            lookAt(centre);
            glTranslatef(0.3f, -0.2f, 0.0f);
            glRotatef(30.0f, 1.0f, 1.0f, 0.0f);
            drawSolid(kind, size);
            readFrame(GL_BACK);
            EXPECT_TRUE(direct == pixels) << "kind " << static_cast<int>(kind) << " size " << size;
            EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
        }
    }
}

// A red obstacle 15 units from the player in one direction; whether a play frame shows it.
bool seesObstacleAt(Vector3 offset) {
    const Vector3 p = game.tanks[0].position;
    game.obstacleLast = 0;
    game.obstacles[0].position = Vector3(p.x + offset.x, 0.0f, p.z + offset.z);
    game.obstacles[0].size = 2.0f;
    game.obstacles[0].texture = game.obstacleTexture;
    showFrame();
    int red = 0;
    for (int y = kHeight / 3; y < kHeight; ++y) {
        for (int x = 250; x < 550; ++x) {
            red += reddish(at(x, y));
        }
    }
    return red > 500;
}

TEST_F(RenderTest, ViewKeysLookBehindLeftAndRight) {
    play();
    game.tanks[0].rotation.x = 0.0f;  // facing +z; its left is +x
    const Vector3 ahead(0.0f, 0.0f, 15.0f), behind(0.0f, 0.0f, -15.0f);
    const Vector3 left(15.0f, 0.0f, 0.0f), right(-15.0f, 0.0f, 0.0f);
    EXPECT_TRUE(seesObstacleAt(ahead));
    EXPECT_FALSE(seesObstacleAt(behind));
    EXPECT_FALSE(seesObstacleAt(left));
    game.keyDown['1'] = 1;
    game.keyDown['3'] = 1;  // '1' wins
    EXPECT_TRUE(seesObstacleAt(behind));
    EXPECT_FALSE(seesObstacleAt(ahead));
    game.keyDown['1'] = 0;
    game.keyDown['2'] = 1;  // '2' wins over '3'
    EXPECT_TRUE(seesObstacleAt(left));
    EXPECT_FALSE(seesObstacleAt(right));
    game.keyDown['2'] = 0;
    EXPECT_TRUE(seesObstacleAt(right));
    EXPECT_FALSE(seesObstacleAt(left));
}

TEST_F(RenderTest, SkySlidesOneMirroredRepeatPerSixtyDegrees) {
    // A texture dark on its left half and bright on its right, mirrored as the game's.
    unsigned char texels[8 * 3];
    for (int i = 0; i < 8; ++i) {
        const unsigned char v = static_cast<unsigned char>(i < 4 ? 30 : 220);
        texels[3 * i] = texels[3 * i + 1] = texels[3 * i + 2] = v;
    }
    unsigned int sky = 0;
    glGenTextures(1, &sky);
    glBindTexture(GL_TEXTURE_2D, sky);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    const unsigned int saved = game.skyTexture;
    game.skyTexture = sky;
    auto skyAt = [](float heading) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawSky(heading);
        readFrame(GL_BACK);
        std::vector<unsigned char> top(pixels.begin() + kWidth * 3 * (kHeight / 2), pixels.end());
        return top;
    };
    const std::vector<unsigned char> at0 = skyAt(0.0f);
    EXPECT_TRUE(at0 == skyAt(360.0f));
    EXPECT_TRUE(at0 == skyAt(120.0f));
    EXPECT_FALSE(at0 == skyAt(60.0f));
    EXPECT_FALSE(at0 == skyAt(30.0f));
    // The upper half of the screen is all sky: no clear colour shows through.
    int green = 0;
    for (int y = kHeight / 2; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            green += near(at(x, y), kGreen, 10);
        }
    }
    EXPECT_EQ(0, green);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    game.skyTexture = saved;
}

// CIE L*a*b* (D65 white) of a colour as an sRGB screen shows it, channels 0 to 255.
struct Lab {
    double l, a, b;
};

Lab labOf(Rgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const double r = linear(c.r), g = linear(c.g), b = linear(c.b);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    auto f = [](double t) {
        const double e = 6.0 / 29.0;
        return t > e * e * e ? std::cbrt(t) : t / (3.0 * e * e) + 4.0 / 29.0;
    };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

// The CIEDE2000 colour difference of two colours, with unit weights.
double deltaE2000(Lab p, Lab q) {
    constexpr double kRadians = 3.14159265358979323846 / 180.0;
    const double pow25 = std::pow(25.0, 7.0);
    const double cBar7 = std::pow((std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(cBar7 / (cBar7 + pow25)));
    const double a1 = (1.0 + g) * p.a, a2 = (1.0 + g) * q.a;
    const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    auto hue = [](double b, double a) {
        if (a == 0.0 && b == 0.0) {
            return 0.0;
        }
        const double h = std::atan2(b, a) / kRadians;
        return h < 0.0 ? h + 360.0 : h;
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    const bool grey = c1 * c2 == 0.0;
    double dh = grey ? 0.0 : h2 - h1;
    if (dh > 180.0) {
        dh -= 360.0;
    } else if (dh < -180.0) {
        dh += 360.0;
    }
    const double dL = q.l - p.l;
    const double dC = c2 - c1;
    const double dH = 2.0 * std::sqrt(c1 * c2) * std::sin(dh / 2.0 * kRadians);
    const double l = (p.l + q.l) / 2.0, c = (c1 + c2) / 2.0;
    double h = h1 + h2;
    if (!grey) {
        h = std::fabs(h1 - h2) <= 180.0 ? h / 2.0 : (h < 360.0 ? h + 360.0 : h - 360.0) / 2.0;
    }
    const double t =
        1.0 - 0.17 * std::cos((h - 30.0) * kRadians) + 0.24 * std::cos(2.0 * h * kRadians) +
        0.32 * std::cos((3.0 * h + 6.0) * kRadians) - 0.20 * std::cos((4.0 * h - 63.0) * kRadians);
    const double turn = 30.0 * std::exp(-std::pow((h - 275.0) / 25.0, 2.0));
    const double c7 = std::pow(c, 7.0);
    const double rt = -2.0 * std::sqrt(c7 / (c7 + pow25)) * std::sin(2.0 * turn * kRadians);
    const double sl =
        1.0 + 0.015 * (l - 50.0) * (l - 50.0) / std::sqrt(20.0 + (l - 50.0) * (l - 50.0));
    const double lightness = dL / sl;
    const double chroma = dC / (1.0 + 0.045 * c);
    const double hueTerm = dH / (1.0 + 0.015 * c * t);
    return std::sqrt(lightness * lightness + chroma * chroma + hueTerm * hueTerm +
                     rt * chroma * hueTerm);
}

TEST_F(RenderTest, EveryRadarMarkStandsOutFromTheSkyInsideTheRadar) {
    // Two pairs of the published CIEDE2000 test data.
    ASSERT_NEAR(2.0425, deltaE2000({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}), 1e-4);
    ASSERT_NEAR(7.2195, deltaE2000({50.0, 2.49, -0.001}, {50.0, -2.49, 0.0011}), 1e-4);
    // The game's own sky picture, wrapped as the catalogue wraps it.
    unsigned int sky = 0;
    ASSERT_TRUE(loadTexture(sky, TRELVANE_DATA_DIR "/texture_sky.jpg"));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    const unsigned int saved = game.skyTexture;
    game.skyTexture = sky;
    // The marks are drawn unlit and untextured, so the screen shows their own colours.
    struct Mark {
        const char* what;
        Rgb colour;
        double least;
    };
    Mark marks[] = {{"cyan obstacle dots", kCyan, 1e9},
                    {"red enemy dots", kRed, 1e9},
                    {"blue range circle", kBlue, 1e9},
                    {"green heading line", kGreen, 1e9},
                    {"yellow heading line", kYellow, 1e9}};
    // Only the player: inside the radar's circle there is nothing but sky and the radar's
    // own circle and heading line. Centre and radii in window pixels.
    play();
    const double cx = kWidth / 2.0, cy = panelPixelY(20.0f);
    const double rx = 4.0 * kWidth * 3.0 / 160.0, ry = 4.0 * kHeight * 3.0 / 160.0;
    int skyPixels = 0;
    for (int step = 0; step < 8; ++step) {
        const float heading = step * 45.0f;
        game.tanks[0].rotation.x = heading;
        showFrame();
        const double lx = -rx * std::sin(heading * kDegreesToRadians);
        const double ly = ry * std::cos(heading * kDegreesToRadians);
        for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry); ++y) {
            for (int x = static_cast<int>(cx - rx); x <= static_cast<int>(cx + rx); ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                // Clear of the circle's line, and 3 pixels clear of the heading line.
                const double along =
                    std::clamp((dx * lx + dy * ly) / (lx * lx + ly * ly), 0.0, 1.0);
                const bool skyOnly = (dx / rx) * (dx / rx) + (dy / ry) * (dy / ry) < 0.9 * 0.9 &&
                                     std::hypot(dx - along * lx, dy - along * ly) > 3.0;
                if (!skyOnly) {
                    continue;
                }
                ++skyPixels;
                const Lab behind = labOf(at(x, y));
                for (Mark& m : marks) {
                    m.least = std::min(m.least, deltaE2000(labOf(m.colour), behind));
                }
            }
        }
    }
    game.skyTexture = saved;
    glDeleteTextures(1, &sky);
    EXPECT_GT(skyPixels, 8 * 5000);
    for (const Mark& m : marks) {
        std::printf("least CIEDE2000 difference of the %s from the sky: %.1f\n", m.what, m.least);
        EXPECT_GE(m.least, 30.0) << m.what;
    }
}

// ---------------------------------------------------------------------------
// Explosions and the frame's state

float redness(int fromX, int toX, int fromY, int toY) {
    double sum = 0.0;
    int n = 0;
    for (int y = fromY; y < toY; y += 3) {
        for (int x = fromX; x < toX; x += 3) {
            const Rgb c = at(x, y);
            sum += c.r - (c.g + c.b) / 2.0;
            ++n;
        }
    }
    return static_cast<float>(sum / n);
}

// Explosion 0 alone in the table: a pure red burst 8 units ahead of a player at the
// field centre, every particle on one spot one unit above its centre.
Explosion& startRedBurst() {
    Explosion& e = game.explosions[0];
    e.life = 3.0f;
    e.light = 0;
    e.position = Vector3(325.0f, 0.5f, 333.0f);
    e.colour[0] = 1.0f;
    e.colour[1] = 0.0f;
    e.colour[2] = 0.0f;
    for (auto& p : e.particlePositions) {
        p[0] = 0.0f;
        p[1] = 1.0f;
        p[2] = 0.0f;
        p[3] = 1.0f;
    }
    game.explosionLast = 0;
    return e;
}

TEST_F(RenderTest, ExplosionLightsTheNextFramesGroundAndAFinishedOneLeavesItsLightOff) {
    play();
    game.tanks[0].rotation.x = 0.0f;
    showFrame();
    // The ground 8 units ahead of the tank, on screen.
    int gx = 0, gy = 0;
    ASSERT_TRUE(project({325.0f, 0.0f, 333.0f}, &gx, &gy));
    const float baseline = redness(gx - 60, gx + 60, gy - 30, gy + 30);

    Explosion& e = startRedBurst();
    showFrame();
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    const float firstFrame = redness(gx - 60, gx + 60, gy - 30, gy + 30);
    showFrame();
    const float lit = redness(gx - 60, gx + 60, gy - 30, gy + 30);
    EXPECT_GT(lit, baseline + 10.0f);
    EXPECT_GT(lit, firstFrame + 10.0f);  // its light shines on the frame after
    // The particles: red points one unit above the centre.
    int px = 0, py = 0;
    ASSERT_TRUE(project({325.0f, 1.5f, 333.0f}, &px, &py));
    EXPECT_TRUE(anyNear(px, py, 3, {220, 0, 0}, 60)) << at(px, py);

    e.life = 0.0f;
    showFrame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    showFrame();
    EXPECT_NEAR(baseline, redness(gx - 60, gx + 60, gy - 30, gy + 30), 2.0f);

    // A live explosion out of view leaves its light off too.
    e.life = 3.0f;
    e.position = Vector3(10.0f, 0.5f, 10.0f);
    showFrame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

// The strongly red pixels within `radius` of (x, y).
int redPixelsNear(int x, int y, int radius) {
    int count = 0;
    for (int py = y - radius; py <= y + radius; ++py) {
        for (int px = x - radius; px <= x + radius; ++px) {
            const Rgb c = at(px, py);
            count += c.r > 150 && c.g < 60 && c.b < 60;
        }
    }
    return count;
}

TEST_F(RenderTest, ExplosionParticlesAreFivePixelsInEveryFrame) {
    play();
    startRedBurst();
    int px = 0, py = 0;
    ASSERT_TRUE(project({325.0f, 1.5f, 333.0f}, &px, &py));
    // The radar of each frame leaves its own point size behind for the next.
    for (int frame = 0; frame < 3; ++frame) {
        showFrame();
        EXPECT_EQ(25, redPixelsNear(px, py, 8)) << "frame " << frame;
    }
}

// Every pixel of a play frame drawn with the renderer's shortcuts against the same
// frame drawn whole, one thing after another. Each is drawn twice, for the explosion lights
// that the first leaves switched on.
void expectSameFrameWhole(const char* what) {
    renderShortcuts = false;
    showFrame();
    showFrame();
    const std::vector<unsigned char> whole = pixels;
    renderShortcuts = true;
    showFrame();
    showFrame();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        differing += pixels[i] != whole[i];
    }
    EXPECT_EQ(0u, differing) << what;
}

TEST_F(RenderTest, TheLightHookSwitchesOffOnlyLightsTheContextHas) {
    const PlatformHooks saved = platform;
    installPlatformHooks();
    glEnable(GL_LIGHT1);
    platform.switchLightOff(0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    glEnable(GL_LIGHT0);
    for (int light : {-1, maxLights() - 1, 28, kExplosionCapacity - 1}) {
        platform.switchLightOff(light);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << light;
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));  // the scene light is no explosion's
    platform = saved;
}

void fillTables() {
    game.tankLast = kTankCapacity - 1;
    for (int i = 1; i <= game.tankLast; ++i) {
        Tank& t = game.tanks[i];
        t.position = Vector3(325.0f + (i % 10) * 3.0f - 15.0f, 0.0f, 330.0f + (i / 10) * 4.0f);
        t.rotation = Vector3(i * 7.0f, 0.0f, 0.0f);
        t.size = 0.8f;
        t.texture = game.tankTexture;
    }
    game.obstacleLast = kObstacleCapacity - 1;
    for (int i = 0; i <= game.obstacleLast; ++i) {
        game.obstacles[i].position =
            Vector3(static_cast<float>((i * 37) % 650), 0.0f, static_cast<float>((i * 91) % 650));
        game.obstacles[i].size = 2.0f;
        game.obstacles[i].texture = game.obstacleTexture;
    }
    game.bulletLast = kBulletCapacity - 1;
    for (int i = 0; i <= game.bulletLast; ++i) {
        game.bullets[i].position = Vector3(315.0f + (i % 20), 0.0f, 330.0f + (i / 20) * 2.0f);
        game.bullets[i].size = 0.1f;
        game.bullets[i].lifetime = 1.5f - (i % 15) * 0.1f;
    }
    game.explosionLast = kExplosionCapacity - 1;
    for (int i = 0; i <= game.explosionLast; ++i) {
        Explosion& e = game.explosions[i];
        e.life = 0.5f + (i % 5);
        e.light = i;
        e.position = Vector3(320.0f + (i % 10), 1.0f, 335.0f + i / 10);
    }
}

TEST_F(RenderTest, FullPlayFrameLeavesTheStateTheNextFrameExpects) {
    play();
    fillTables();
    while (glGetError() != GL_NO_ERROR) {
    }
    for (int frame = 0; frame < 3; ++frame) {
        showFrame();
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint front = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(GL_CCW, front);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(1.0f, colour[0]);
    EXPECT_FLOAT_EQ(1.0f, colour[1]);
    EXPECT_FLOAT_EQ(1.0f, colour[2]);
    // The scene is there: enemy tanks (blue skins) ahead of the player.
    int blue = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        blue += pixels[i * 3 + 2] > 120 && pixels[i * 3] < 60;
    }
    EXPECT_GT(blue, 2000);
}

TEST_F(RenderTest, ShortcutsChangeNoPixel) {
    play();
    fillTables();
    for (int i = 0; i <= game.explosionLast; ++i) {  // fountains in full flow
        game.explosions[i].restartParticles();
        for (int step = 0; step < 4; ++step) {
            game.explosions[i].update(0.2);
        }
    }
    // Scatter the obstacles all around the player, some across the field's edge.
    for (int i = 0; i <= game.obstacleLast; ++i) {
        const float a = i * 0.7f;
        const float r = 6.0f + (i % 44);
        game.obstacles[i].position =
            Vector3(325.0f + r * std::sin(a), 0.0f, 325.0f + r * std::cos(a));
    }
    // Two between the tank and the camera, their bases under the bottom of the view.
    game.obstacles[0].position = Vector3(325.0f, 0.0f, 321.5f);
    game.obstacles[1].position = Vector3(322.5f, 0.0f, 322.5f);
    const float headings[] = {0.0f, 37.5f, 90.0f, 181.25f, 300.0f};
    for (float heading : headings) {
        game.tanks[0].rotation.x = heading;
        expectSameFrameWhole("heading");
    }
    game.tanks[0].rotation.x = 45.0f;
    for (unsigned char key : {'1', '2', '3'}) {
        game.keyDown[key] = 1;
        expectSameFrameWhole("view key");
        game.keyDown[key] = 0;
    }
    // At a corner of the field, the objects drawn at their wrapped images.
    game.tanks[0].position = Vector3(2.5f, 0.0f, 647.75f);
    for (int i = 0; i <= game.obstacleLast; ++i) {
        game.obstacles[i].position.x = std::fmod(game.obstacles[i].position.x + 325.0f, 650.0f);
        game.obstacles[i].position.z = std::fmod(game.obstacles[i].position.z + 325.0f, 650.0f);
    }
    for (float heading : headings) {
        game.tanks[0].rotation.x = heading;
        expectSameFrameWhole("at the corner");
    }
    renderShortcuts = true;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWidth, kHeight);
    glutCreateWindow("render test");
    initRenderContext();
    reshape(kWidth, kHeight);
    assignTextures();
    // Frames are drawn by the tests themselves; the window only needs mapping.
    glutDisplayFunc([] {});
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }
    return RUN_ALL_TESTS();
}
