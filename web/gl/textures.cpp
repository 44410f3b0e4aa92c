// Textures: WebGL 2's own, named by Emscripten's table, with GL 1.4's GL_GENERATE_MIPMAP
// (which WebGL 2 lacks) as a texture's own switch. Each texture keeps its parameters
// and the images the game gave with glTexImage2D, rows tightly packed, to make it again
// after a restore; the pictures given to gluBuild2DMipmaps are kept by glu.cpp.
#include <cstring>
#include <vector>

#include "web/gl/layer.h"

namespace layer {
namespace {

struct Image {
    GLenum target = GL_TEXTURE_2D;
    GLint level = 0;
    GLenum format = GL_RGB;
    GLenum type = GL_UNSIGNED_BYTE;
    int width = 0;
    int height = 0;
    bool mipmapped = false;  // its levels below were generated from it
    std::vector<unsigned char> pixels;
};

struct Parameter {
    GLenum name;
    GLint value;
};

struct Texture {
    GLuint name = 0;
    bool generateMipmap = false;
    std::vector<Parameter> parameters;  // the last value of each parameter set
    std::vector<Image> images;
};
std::vector<Texture> textures;

Texture& texture(GLuint name) {
    for (Texture& t : textures) {
        if (t.name == name) {
            return t;
        }
    }
    Texture& t = textures.emplace_back();
    t.name = name;
    return t;
}

int bytesPerPixel(GLenum format) {
    switch (format) {
        case GL_RGBA:
            return 4;
        case GL_LUMINANCE_ALPHA:
            return 2;
        case GL_ALPHA:
        case GL_LUMINANCE:
            return 1;
        default:
            return 3;
    }
}

void send(const Image& image) {
    // GL 1.x names formats by their component count too; WebGL 2 takes the unsized
    // format that matches the pixels.
    emscripten_glTexImage2D(image.target, image.level, static_cast<GLint>(image.format),
                            image.width, image.height, 0, image.format, image.type,
                            image.pixels.empty() ? nullptr : image.pixels.data());
    if (image.mipmapped) {
        emscripten_glGenerateMipmap(image.target);
    }
}

}  // namespace

void restoreTextures() {
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const Texture& t : textures) {
        emscripten_glBindTexture(GL_TEXTURE_2D, t.name);
        for (const Image& image : t.images) {
            send(image);
        }
        for (const Parameter& p : t.parameters) {
            emscripten_glTexParameteri(GL_TEXTURE_2D, p.name, p.value);
        }
    }
    rebuildPictures();
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
    emscripten_glBindTexture(GL_TEXTURE_2D, state.boundTexture);
}

size_t keptTextureBytes() {
    size_t bytes = textures.capacity() * sizeof(Texture);
    for (const Texture& t : textures) {
        bytes += t.parameters.capacity() * sizeof(Parameter) + t.images.capacity() * sizeof(Image);
        for (const Image& image : t.images) {
            bytes += image.pixels.capacity();
        }
    }
    return bytes;
}

}  // namespace layer

using namespace layer;

extern "C" {

void glTexEnvf(GLenum, GLenum, GLfloat) {}  // GL_MODULATE, the only mode the game uses

void glGenTextures(GLsizei n, GLuint* names) {
    emscripten_glGenTextures(n, names);
}

void glBindTexture(GLenum target, GLuint name) {
    if (target != GL_TEXTURE_2D) {
        return;
    }
    // Texture 0 has no image in the game: GL then draws as if texturing were off.
    if ((state.boundTexture == 0) != (name == 0)) {
        changed();
    }
    state.boundTexture = name;
    emscripten_glBindTexture(target, name);
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    if (state.boundTexture == 0) {
        return;
    }
    Texture& t = texture(state.boundTexture);
    if (pname == GL_GENERATE_MIPMAP) {
        t.generateMipmap = param != 0;
        return;
    }
    bool found = false;
    for (Parameter& p : t.parameters) {
        if (p.name == pname) {
            p.value = param;
            found = true;
        }
    }
    if (!found) {
        t.parameters.push_back({pname, param});
    }
    emscripten_glTexParameteri(target, pname, param);
}

void glPixelStorei(GLenum pname, GLint param) {
    if (pname == GL_UNPACK_ALIGNMENT) {
        state.unpackAlignment = param;
    }
    emscripten_glPixelStorei(pname, param);
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    (void)internalFormat;
    buildTexture(state.boundTexture);  // its waiting levels, then this one over them
    if (state.boundTexture == 0 || width < 0 || height < 0) {
        return;
    }
    Texture& t = texture(state.boundTexture);
    // A level given again replaces the one kept; level 0 generated from replaces all.
    const bool mipmapped = level == 0 && t.generateMipmap;
    for (size_t i = t.images.size(); i-- > 0;) {
        if (t.images[i].level == level || mipmapped) {
            t.images.erase(t.images.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    Image& image = t.images.emplace_back();
    image.target = target;
    image.level = level;
    image.format = format;
    image.type = type;
    image.width = width;
    image.height = height;
    image.mipmapped = mipmapped;
    if (pixels != nullptr && type == GL_UNSIGNED_BYTE) {
        const size_t row = static_cast<size_t>(width) * bytesPerPixel(format);
        const int alignment = state.unpackAlignment > 0 ? state.unpackAlignment : 1;
        const size_t stride = (row + alignment - 1) / alignment * alignment;
        image.pixels.resize(row * height);
        for (int y = 0; y < height; ++y) {
            std::memcpy(&image.pixels[y * row],
                        static_cast<const unsigned char*>(pixels) + y * stride, row);
        }
    }
    emscripten_glTexImage2D(target, level, static_cast<GLint>(format), width, height, border,
                            format, type, pixels);
    if (mipmapped) {
        emscripten_glGenerateMipmap(target);
    }
}

}  // extern "C"
