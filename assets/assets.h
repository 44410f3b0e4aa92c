// Assets: the image decoders (JPEG, TGA, BMP) and the texture catalogue that uploads
// every picture once at start-up. Decoders make no GL call; only the catalogue does.
#pragma once

// A decoded picture: rows bottom-up (the first row is t = 0 of a texture), no gaps,
// channels R, G, B(, A).
struct Image {
    int components = 0;  // 3 = RGB, 4 = RGBA
    int width = 0;
    int height = 0;
    unsigned char* pixels = nullptr;  // width * components * height bytes
};

// Each returns a new image owned by the caller (releaseImage), or nullptr when the
// file cannot give one.
Image* decodeJpeg(const char* fileName);
Image* decodeTga(const char* fileName);
Image* decodeBmp(const char* fileName);
void releaseImage(Image* image);

// Where the BMP decoder's messages go: by default a modal box captioned "Error", or
// standard error when no box can be shown. Tests and fuzzers install their own.
void setDecoderErrorReporter(void (*report)(const char* message));

// Decodes fileName by its extension and uploads it with mip-maps into a new texture
// whose name is stored in target. False, silently, when nothing could be loaded.
bool loadTexture(unsigned int& target, const char* fileName);
// The whole catalogue: the generated checkerboard, then the 28 picture files.
void loadTextures();
