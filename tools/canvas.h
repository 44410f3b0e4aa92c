// A floating-point RGBA canvas with the few drawing tools the game's pictures need:
// anti-aliased shapes, tileable noise, FreeType lettering, JPEG, PNG and BMP output.
#pragma once

#include <functional>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

// Pixels row by row from the top, x to the right; channels 0..1.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<float> px;  // 4 floats per pixel
};

Canvas makeCanvas(int width, int height, Color fill);
Color mix(Color a, Color b, float t);
Color hexColor(unsigned rgb, float alpha = 1.0f);

// Blends colour over pixel (x, y) with the given coverage (0..1); outside is ignored.
void blendPixel(Canvas& c, int x, int y, Color color, float coverage);

// Fills every pixel of the box [x0, x1) x [y0, y1) whose 4 x 4 sub-samples fall inside
// the shape, weighting by the fraction inside (anti-aliased edges).
void fillShape(Canvas& c, float x0, float y0, float x1, float y1, Color color,
               const std::function<bool(float x, float y)>& inside);
void fillRect(Canvas& c, float x0, float y0, float x1, float y1, Color color);
void fillRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, Color color);
void fillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Color color);
// A convex or concave polygon (even-odd rule).
void fillPolygon(Canvas& c, const std::vector<float>& xy, Color color);
void verticalGradient(Canvas& c, float y0, float y1, Color top, Color bottom);

// Value noise that repeats every `period` lattice cells in x and y; 0..1.
float tileNoise(float x, float y, int period, unsigned seed);
// Sum of octaves of tileNoise, each twice the frequency and `gain` times the weight.
float tileFbm(float x, float y, int period, int octaves, float gain, unsigned seed);

// Lettering with one TrueType face. openFont is false when the font cannot be read.
struct Font;
Font* openFont(const char* path);
void closeFont(Font* font);
// A text measured as drawText draws it, kerning included, from a pen at x = 0 on the
// baseline; pixels, x to the right, ascent and descent positive.
struct TextBox {
    float width = 0;    // advance of the whole text
    float left = 0;     // first inked column
    float right = 0;    // one past the last inked column
    float ascent = 0;   // highest ink above the baseline
    float descent = 0;  // lowest ink below the baseline (positive down)
};
TextBox measureText(Font* font, const char* text, int pixelSize);
// Draws text with its baseline at y, the pen starting at x (both rounded to whole pixels).
void drawText(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
              Color color);
// drawText over a soft dark shadow offset by `shadow` right and down, 1 pixel wider each
// way; no shadow when it is 0.
void drawTextShadowed(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
                      Color color, float shadow, Color shadowColor = Color{0, 0, 0, 0.7f});
// drawTextShadowed with the ink centred on x, baseline at y.
void drawTextCentered(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
                      Color color, float shadow = 0.0f, Color shadowColor = Color{0, 0, 0, 0.7f});

// Encodes the canvas (alpha dropped) as a baseline JPEG. False when it cannot write.
bool writeJpeg(const Canvas& c, const char* path, int quality);
// Writes the canvas as an RGBA PNG.
bool writeCanvasPng(const Canvas& c, const char* path);
// Writes the canvas (alpha dropped) as a 24-bit BMP.
bool writeCanvasBmp(const Canvas& c, const char* path);
