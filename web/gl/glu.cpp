// The two GLU calls the game makes: the camera placement and the mipmapped texture
// upload, with GLU's own arithmetic (single precision, and mipmaps averaged 2 x 2
// with rounding), so textures and views come out as on the desktop.
#include "web/gl/layer.h"  // first: it asks GL/gl.h for the extensions' prototypes

#include <GL/glu.h>

#include <emscripten/emscripten.h>

#include <cmath>
#include <cstring>
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

// The browser's WebAssembly compiler gives a function its fast code only from its next
// call on: the big pictures' scaling and halving run a row a call, so that most of
// their rows get it.
#define LAYER_ROW_AT_A_TIME [[gnu::noinline]]

// One row of the level below: each texel the rounded mean of the 2 x 2 (or 2 x 1)
// texels above it.
LAYER_ROW_AT_A_TIME void halveRow(const unsigned char* in, int width, int height, int components,
                                  int rowBytes, int newWidth, unsigned char* out) {
    if (width > 1 && height > 1) {
        for (int x = 0; x < newWidth; ++x) {
            for (int c = 0; c < components; ++c) {
                const unsigned char* t = in + 2 * x * components + c;
                out[x * components + c] = static_cast<unsigned char>(
                    (t[0] + t[components] + t[rowBytes] + t[rowBytes + components] + 2) / 4);
            }
        }
    } else if (height == 1) {
        for (int x = 0; x < newWidth; ++x) {
            for (int c = 0; c < components; ++c) {
                const unsigned char* t = in + 2 * x * components + c;
                out[x * components + c] = static_cast<unsigned char>((t[0] + t[components]) / 2);
            }
        }
    } else {
        for (int c = 0; c < components; ++c) {
            out[c] = static_cast<unsigned char>((in[c] + in[rowBytes + c]) / 2);
        }
    }
}

// One level down.
void halve(const unsigned char* in, int width, int height, int components, int rowBytes,
           unsigned char* out) {
    const int newWidth = width > 1 ? width / 2 : 1;
    const int newHeight = height > 1 ? height / 2 : 1;
    const int rowsDown = height > 1 ? 2 : 0;
    for (int y = 0; y < newHeight; ++y) {
        halveRow(in + y * rowsDown * rowBytes, width, height, components, rowBytes, newWidth,
                 out + y * newWidth * components);
    }
}

// GLU's nearest power of two: 1 for 1, 4 for 3, else the power of two of the highest
// set bit, doubled when the bit below it is set too (800 becomes 1024, 600 becomes 512).
int nearestPower(int value) {
    int power = 1;
    for (;;) {
        if (value == 1) {
            return power;
        }
        if (value == 3) {
            return power * 4;
        }
        value >>= 1;
        power *= 2;
    }
}

// The input texels an output texel's box covers along one side: from the low texel
// (covered from lowFloat on) to the high one (covered up to highFloat), as GLU steps them.
// The last column's box can end exactly on the picture's right edge, where GLU's steps
// name the texel past it with a weight of nothing: the texel read there is the last
// one (highRead), never a byte past the picture.
struct Span {
    int lowInt;
    float lowFloat;
    int highInt;
    float highFloat;
    int highRead;
};

// The next output texel's span: it starts where this one ended and is `step` input
// texels longer, in GLU's whole and fractional parts.
void advance(Span& span, int stepInt, float stepFloat) {
    span.lowInt = span.highInt;
    span.lowFloat = span.highFloat;
    span.highInt += stepInt;
    span.highFloat += stepFloat;
    if (span.highFloat > 1.0f) {
        span.highFloat -= 1.0f;
        ++span.highInt;
    }
}

// GLU's box filter along one output row, whose box covers the input rows of y. The
// weights are GLU's products, each made once a texel for all its components.
LAYER_ROW_AT_A_TIME void scaleRow(int components, const unsigned char* in, int rowBytes,
                                  const Span& y, const Span* columns, int widthOut, float area,
                                  unsigned char* out) {
    const unsigned char* lowRow = in + y.lowInt * rowBytes;
    const unsigned char* highRow = in + y.highInt * rowBytes;
    const bool spansRows = y.highInt > y.lowInt;
    const float lowRowShare = 1.0f - y.lowFloat;
    const float highRowShare = y.highFloat;
    const float withinRow = y.highFloat - y.lowFloat;
    for (int j = 0; j < widthOut; ++j) {
        const Span& x = columns[j];
        const int low = x.lowInt * components;
        const int high = x.highRead * components;
        const float lowColumnShare = 1.0f - x.lowFloat;
        const float highColumnShare = x.highFloat;
        for (int k = 0; k < components; ++k) {
            float t = 0.0f;
            if (spansRows && x.highInt > x.lowInt) {
                t += lowRow[low + k] * (lowRowShare * lowColumnShare);
                for (int l = x.lowInt + 1; l < x.highInt; ++l) {
                    t += lowRow[l * components + k] * lowRowShare;
                }
                t += lowRow[high + k] * (lowRowShare * highColumnShare);
                t += highRow[low + k] * (highRowShare * lowColumnShare);
                for (int l = x.lowInt + 1; l < x.highInt; ++l) {
                    t += highRow[l * components + k] * highRowShare;
                }
                t += highRow[high + k] * (highRowShare * highColumnShare);
                for (int m = y.lowInt + 1; m < y.highInt; ++m) {
                    const unsigned char* row = in + m * rowBytes;
                    t += row[low + k] * lowColumnShare + row[high + k] * highColumnShare;
                }
            } else if (spansRows) {
                const float withinColumn = x.highFloat - x.lowFloat;
                t += lowRow[low + k] * (lowRowShare * withinColumn);
                for (int m = y.lowInt + 1; m < y.highInt; ++m) {
                    t += in[m * rowBytes + low + k] * withinColumn;
                }
                t += highRow[low + k] * (withinColumn * highRowShare);
            } else if (x.highInt > x.lowInt) {
                t += lowRow[low + k] * (lowColumnShare * withinRow);
                for (int l = x.lowInt + 1; l < x.highInt; ++l) {
                    t += lowRow[l * components + k] * withinRow;
                }
                t += lowRow[high + k] * (withinRow * highColumnShare);
            } else {
                t += lowRow[low + k] * (withinRow * (x.highFloat - x.lowFloat));
            }
            for (int m = y.lowInt + 1; m < y.highInt; ++m) {
                for (int l = x.lowInt + 1; l < x.highInt; ++l) {
                    t += in[m * rowBytes + l * components + k];
                }
            }
            out[j * components + k] = static_cast<unsigned char>(t / area);
        }
    }
}

// GLU's box filter from one size to another: each output texel the area-weighted mean
// of the input texels its box covers, summed in single precision in GLU's order and
// truncated.
void scaleImage(int components, int widthIn, int heightIn, const unsigned char* in, int rowBytes,
                int widthOut, int heightOut, unsigned char* out) {
    if (widthIn == widthOut * 2 && heightIn == heightOut * 2) {
        halve(in, widthIn, heightIn, components, rowBytes, out);
        return;
    }
    const float convy = static_cast<float>(heightIn) / heightOut;
    const float convx = static_cast<float>(widthIn) / widthOut;
    const int convyInt = static_cast<int>(std::floor(convy));
    const float convyFloat = convy - convyInt;
    const int convxInt = static_cast<int>(std::floor(convx));
    const float convxFloat = convx - convxInt;
    const float area = convx * convy;

    // Every row steps through the same columns.
    std::vector<Span> columns(static_cast<size_t>(widthOut));
    Span x = {0, 0.0f, convxInt, convxFloat, 0};
    for (Span& column : columns) {
        column = x;
        column.highRead = x.highInt < widthIn ? x.highInt : widthIn - 1;
        advance(x, convxInt, convxFloat);
    }
    Span y = {0, 0.0f, convyInt, convyFloat, 0};
    for (int i = 0; i < heightOut; ++i) {
        if (y.highInt >= heightIn) {
            y.highInt = heightIn - 1;
        }
        scaleRow(components, in, rowBytes, y, columns.data(), widthOut, area,
                 out + i * widthOut * components);
        advance(y, convyInt, convyFloat);
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

// Unsigned-byte RGB and RGBA pictures, as the decoders give them. The picture is kept
// and its levels built when it is first drawn, or in a frame's spare time before that
// (see buildSomeTextures): so the title is up before the pictures it does not show are
// scaled and sent to the GPU.
GLint gluBuild2DMipmaps(GLenum target, GLint, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data) {
    if (width < 1 || height < 1 || data == nullptr) {
        return GLU_INVALID_VALUE;
    }
    if (type != GL_UNSIGNED_BYTE || (format != GL_RGB && format != GL_RGBA)) {
        return GLU_INVALID_ENUM;
    }
    const GLuint texture = layer::state.boundTexture;
    layer::buildTexture(texture);  // a picture given twice replaces the first's levels
    layer::PendingTexture& pending = layer::pendingTextures.emplace_back();
    pending.texture = texture;
    pending.target = target;
    pending.format = format;
    pending.width = width;
    pending.height = height;
    const int components = format == GL_RGBA ? 4 : 3;
    const int alignment = layer::state.unpackAlignment > 0 ? layer::state.unpackAlignment : 1;
    int rowBytes = width * components;
    rowBytes += (alignment - rowBytes % alignment) % alignment;
    const unsigned char* pixels = static_cast<const unsigned char*>(data);
    pending.pixels.resize(static_cast<size_t>(width) * height * components);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&pending.pixels[static_cast<size_t>(y) * width * components],
                    pixels + static_cast<size_t>(y) * rowBytes,
                    static_cast<size_t>(width) * components);
    }
    return 0;
}

}  // extern "C"

namespace layer {

std::vector<PendingTexture> pendingTextures;

namespace {

// GLU's levels of a picture: first scaled to GLU's nearest powers of two when its sides
// are not, then halved down to 1 x 1, each level sent as it is made.
void buildMipmaps(const PendingTexture& picture) {
    const int components = picture.format == GL_RGBA ? 4 : 3;
    int width = picture.width;
    int height = picture.height;
    int rowBytes = width * components;
    std::vector<unsigned char> above;
    const unsigned char* level = picture.pixels.data();
    const int powerWidth = nearestPower(width);
    const int powerHeight = nearestPower(height);
    if (powerWidth != width || powerHeight != height) {
        above.resize(static_cast<size_t>(powerWidth) * powerHeight * components);
        scaleImage(components, width, height, level, rowBytes, powerWidth, powerHeight,
                   above.data());
        width = powerWidth;
        height = powerHeight;
        rowBytes = width * components;
        level = above.data();
    }
    // GL 1.x names formats by their component count too; WebGL 2 takes the unsized
    // format that matches the pixels.
    const GLenum format = picture.format;
    emscripten_glTexImage2D(picture.target, 0, static_cast<GLint>(format), width, height, 0, format,
                            GL_UNSIGNED_BYTE, level);
    std::vector<unsigned char> below;
    for (int number = 1; width > 1 || height > 1; ++number) {
        const int newWidth = width > 1 ? width / 2 : 1;
        const int newHeight = height > 1 ? height / 2 : 1;
        below.resize(static_cast<size_t>(newWidth) * newHeight * components);
        halve(level, width, height, components, rowBytes, below.data());
        emscripten_glTexImage2D(picture.target, number, static_cast<GLint>(format), newWidth,
                                newHeight, 0, format, GL_UNSIGNED_BYTE, below.data());
        above.swap(below);
        level = above.data();
        width = newWidth;
        height = newHeight;
        rowBytes = width * components;
    }
}

// The pictures whose levels are built, as they were given: their levels can be built
// again exactly, so they are all a restore needs.
std::vector<PendingTexture> builtPictures;

// Builds the picture's levels, bound for the while, the levels read a byte aligned.
void buildBound(const PendingTexture& picture) {
    emscripten_glBindTexture(GL_TEXTURE_2D, picture.texture);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    buildMipmaps(picture);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
    emscripten_glBindTexture(GL_TEXTURE_2D, state.boundTexture);
}

// Builds the i-th picture waiting and keeps it, in place of one its texture had before.
void buildPending(size_t i) {
    PendingTexture picture = std::move(pendingTextures[i]);
    pendingTextures.erase(pendingTextures.begin() + static_cast<std::ptrdiff_t>(i));
    buildBound(picture);
    for (PendingTexture& built : builtPictures) {
        if (built.texture == picture.texture) {
            built = std::move(picture);
            return;
        }
    }
    builtPictures.push_back(std::move(picture));
}

}  // namespace

void rebuildPictures() {
    for (const PendingTexture& picture : builtPictures) {
        buildBound(picture);
    }
}

size_t keptPictureBytes() {
    size_t bytes = builtPictures.capacity() * sizeof(PendingTexture);
    for (const PendingTexture& picture : builtPictures) {
        bytes += picture.pixels.capacity();
    }
    return bytes;
}

void buildTexture(GLuint texture) {
    for (size_t i = 0; i < pendingTextures.size(); ++i) {
        if (pendingTextures[i].texture == texture) {
            buildPending(i);
            return;
        }
    }
}

void buildSomeTextures(double milliseconds) {
    if (pendingTextures.empty()) {
        return;
    }
    const double start = emscripten_get_now();
    while (!pendingTextures.empty() && emscripten_get_now() - start < milliseconds) {
        buildPending(0);
    }
}

}  // namespace layer
