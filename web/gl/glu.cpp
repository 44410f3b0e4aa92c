// The two GLU calls the game makes: the camera placement and the mipmapped texture
// upload, with GLU's own arithmetic (single precision, and mipmaps averaged 2 x 2
// with rounding), so textures and views come out as on the desktop.
#include "web/gl/layer.h"  // first: it asks GL/gl.h for the extensions' prototypes

#include <GL/glu.h>

#include <cmath>
#include <vector>

namespace {

void normalise(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length != 0.0f) {
        for (int i = 0; i < 3; ++i) {
            v[i] /= length;
        }
    }
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

bool powerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// One level down: each texel the rounded mean of the 2 x 2 (or 2 x 1) texels above it.
void halve(const unsigned char* in, int width, int height, int components, int rowBytes,
           unsigned char* out) {
    const int newWidth = width > 1 ? width / 2 : 1;
    const int newHeight = height > 1 ? height / 2 : 1;
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            for (int c = 0; c < components; ++c) {
                unsigned char* texel = out + (y * newWidth + x) * components + c;
                if (width > 1 && height > 1) {
                    const unsigned char* t = in + 2 * y * rowBytes + 2 * x * components + c;
                    *texel = static_cast<unsigned char>(
                        (t[0] + t[components] + t[rowBytes] + t[rowBytes + components] + 2) / 4);
                } else if (height == 1) {
                    const unsigned char* t = in + 2 * x * components + c;
                    *texel = static_cast<unsigned char>((t[0] + t[components]) / 2);
                } else {
                    const unsigned char* t = in + 2 * y * rowBytes + c;
                    *texel = static_cast<unsigned char>((t[0] + t[rowBytes]) / 2);
                }
            }
        }
    }
}

}  // namespace

extern "C" {

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    float forward[3] = {static_cast<float>(centreX - eyeX), static_cast<float>(centreY - eyeY),
                        static_cast<float>(centreZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    normalise(forward);
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);
    float m[16] = {side[0], up[0], -forward[0], 0.0f, side[1], up[1], -forward[1], 0.0f,
                   side[2], up[2], -forward[2], 0.0f, 0.0f,    0.0f,  0.0f,        1.0f};
    glMultMatrixf(m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

// Unsigned-byte RGB and RGBA pictures, as the decoders give them. A picture whose sides
// are not powers of two is uploaded at its own size with WebGL's mipmaps (WebGL 2 takes
// any size); the game's own pictures all have power-of-two sides.
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data) {
    if (width < 1 || height < 1 || data == nullptr) {
        return GLU_INVALID_VALUE;
    }
    if (type != GL_UNSIGNED_BYTE || (format != GL_RGB && format != GL_RGBA)) {
        return GLU_INVALID_ENUM;
    }
    glTexImage2D(target, 0, internalFormat, width, height, 0, format, type, data);
    if (!powerOfTwo(width) || !powerOfTwo(height)) {
        emscripten_glGenerateMipmap(target);
        return 0;
    }
    const int components = format == GL_RGBA ? 4 : 3;
    const int alignment = layer::state.unpackAlignment > 0 ? layer::state.unpackAlignment : 1;
    int rowBytes = width * components;
    rowBytes += (alignment - rowBytes % alignment) % alignment;
    // Levels are built tightly packed; the upload reads them a byte aligned.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<unsigned char> above(
        static_cast<const unsigned char*>(data),
        static_cast<const unsigned char*>(data) + static_cast<size_t>(rowBytes) * height);
    std::vector<unsigned char> below;
    int level = 0;
    while (width > 1 || height > 1) {
        const int newWidth = width > 1 ? width / 2 : 1;
        const int newHeight = height > 1 ? height / 2 : 1;
        below.resize(static_cast<size_t>(newWidth) * newHeight * components);
        halve(above.data(), width, height, components, rowBytes, below.data());
        glTexImage2D(target, ++level, internalFormat, newWidth, newHeight, 0, format, type,
                     below.data());
        above.swap(below);
        width = newWidth;
        height = newHeight;
        rowBytes = width * components;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 0;
}

}  // extern "C"
