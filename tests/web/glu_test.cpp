// The browser's gluBuild2DMipmaps, its WebGL uploads recorded: a picture's levels wait
// until it is drawn or a frame has time, and are GLU's: scaled to the nearest powers of
// two, then halved down to 1 x 1, without a byte read past the picture, and built again
// exactly from the picture kept for a restore.
#include "web/gl/layer.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

namespace layer {
State state;
}

namespace {

struct Upload {
    GLuint texture;
    GLint level;
    GLsizei width;
    GLsizei height;
    std::vector<unsigned char> pixels;
};
std::vector<Upload> uploads;
GLuint bound = 0;
GLint alignment = 4;

}  // namespace

extern "C" {
double emscripten_get_now(void) {
    return 0.0;
}
void emscripten_glBindTexture(GLenum, GLuint texture) {
    bound = texture;
}
void emscripten_glPixelStorei(GLenum, GLint param) {
    alignment = param;
}
void emscripten_glTexImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint,
                             GLenum format, GLenum, const void* pixels) {
    ASSERT_EQ(alignment, 1) << "levels are tightly packed";
    const size_t bytes = static_cast<size_t>(width) * height * (format == GL_RGBA ? 4 : 3);
    const unsigned char* p = static_cast<const unsigned char*>(pixels);
    uploads.push_back({bound, level, width, height, std::vector<unsigned char>(p, p + bytes)});
}
}

namespace {

// A picture of its exact size in memory, so that a read past it is the sanitizer's.
std::vector<unsigned char> picture(int width, int height, int components, int rowAlignment) {
    int rowBytes = width * components;
    rowBytes += (rowAlignment - rowBytes % rowAlignment) % rowAlignment;
    std::vector<unsigned char> pixels(static_cast<size_t>(rowBytes) * height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 7919 % 251);
    }
    return pixels;
}

void give(GLuint texture, int width, int height, GLenum format, int rowAlignment,
          const std::vector<unsigned char>& pixels) {
    layer::state.boundTexture = texture;
    layer::state.unpackAlignment = rowAlignment;
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, format == GL_RGBA ? 4 : 3, width, height, format,
                                GL_UNSIGNED_BYTE, pixels.data()),
              0);
}

TEST(WebGlu, APictureIsScaledToGluPowersOfTwoAndHalvedDownToOneTexel) {
    const struct {
        int width, height;
        GLenum format;
        int alignment;
        int levelWidth, levelHeight;  // of level 0
    } cases[] = {
        {800, 600, GL_RGB, 1, 1024, 512},  // the title and end screens
        {37, 5, GL_RGBA, 4, 32, 4},
        {3, 17, GL_RGB, 4, 4, 16},
        {64, 64, GL_RGB, 1, 64, 64},
        // A side already a power of two: GLU's steps end on the picture's right edge.
        {64, 48, GL_RGBA, 4, 64, 64},
        {2, 5, GL_RGB, 4, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        uploads.clear();
        const std::vector<unsigned char> pixels =
            picture(c.width, c.height, c.format == GL_RGBA ? 4 : 3, c.alignment);
        give(5, c.width, c.height, c.format, c.alignment, pixels);
        EXPECT_TRUE(uploads.empty()) << "levels are built when the picture is first drawn";
        layer::buildTexture(5);
        ASSERT_FALSE(uploads.empty());
        EXPECT_EQ(uploads[0].width, c.levelWidth);
        EXPECT_EQ(uploads[0].height, c.levelHeight);
        const int components = c.format == GL_RGBA ? 4 : 3;
        for (size_t i = 1; i < uploads.size(); ++i) {
            const Upload& above = uploads[i - 1];
            const Upload& below = uploads[i];
            EXPECT_EQ(below.level, static_cast<GLint>(i));
            EXPECT_EQ(below.width, above.width > 1 ? above.width / 2 : 1);
            EXPECT_EQ(below.height, above.height > 1 ? above.height / 2 : 1);
            // The first texel of each level: the rounded mean of the 2 x 2 above it.
            if (above.width > 1 && above.height > 1) {
                const int row = above.width * components;
                const int sum = above.pixels[0] + above.pixels[components] + above.pixels[row] +
                                above.pixels[row + components];
                EXPECT_EQ(below.pixels[0], (sum + 2) / 4);
            }
        }
        EXPECT_EQ(uploads.back().width, 1);
        EXPECT_EQ(uploads.back().height, 1);
        EXPECT_EQ(bound, layer::state.boundTexture) << "the game's binding is put back";
        EXPECT_EQ(alignment, c.alignment) << "the game's row alignment is put back";
    }
}

TEST(WebGlu, WaitingPicturesAreBuiltWhenDrawnElseOldestFirst) {
    uploads.clear();
    const std::vector<unsigned char> pixels = picture(4, 4, 3, 1);
    for (GLuint texture : {1u, 2u, 3u}) {
        give(texture, 4, 4, GL_RGB, 1, pixels);
    }
    layer::state.boundTexture = 2;
    layer::buildTexture(2);
    ASSERT_EQ(uploads.size(), 3u);  // 4 x 4, 2 x 2, 1 x 1
    EXPECT_EQ(uploads[0].texture, 2u);
    layer::buildTexture(2);
    EXPECT_EQ(uploads.size(), 3u) << "a texture's levels are built once";
    layer::buildSomeTextures(8.0);
    ASSERT_EQ(uploads.size(), 9u);
    EXPECT_EQ(uploads[3].texture, 1u);
    EXPECT_EQ(uploads[6].texture, 3u);
    EXPECT_TRUE(layer::pendingTextures.empty());
}

}  // namespace

namespace {

TEST(WebGlu, ABuiltPictureIsKeptAsGivenAndItsLevelsBuiltAgainExactly) {
    uploads.clear();
    const std::vector<unsigned char> pixels = picture(37, 5, 4, 4);
    give(7, 37, 5, GL_RGBA, 4, pixels);
    layer::state.boundTexture = 7;
    layer::buildTexture(7);
    const std::vector<Upload> first = uploads;
    const size_t kept = layer::keptPictureBytes();
    EXPECT_GE(kept, 37u * 5 * 4) << "the picture as given, rows tightly packed";
    EXPECT_LT(kept, 37u * 5 * 4 + 4096) << "and not its levels";

    // A restore: the game has another texture bound and its own row alignment.
    uploads.clear();
    layer::state.boundTexture = 3;
    layer::state.unpackAlignment = 4;
    layer::rebuildPictures();
    std::vector<Upload> again;
    for (const Upload& upload : uploads) {
        if (upload.texture == 7) {
            again.push_back(upload);
        }
    }
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].level, first[i].level);
        EXPECT_EQ(again[i].width, first[i].width);
        EXPECT_EQ(again[i].height, first[i].height);
        EXPECT_TRUE(again[i].pixels == first[i].pixels) << "level " << i;
    }
    EXPECT_EQ(bound, 3u) << "the game's binding is put back";
    EXPECT_EQ(alignment, 4) << "the game's row alignment is put back";
}

}  // namespace
