#include "tools/canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/bmp_writer.h"
#include "tools/png_writer.h"

struct Font {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

unsigned char toByte(float v) {
    v = std::clamp(v, 0.0f, 1.0f);
    return static_cast<unsigned char>(std::lround(v * 255.0f));
}

unsigned hash(int x, int y, unsigned seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

Canvas makeCanvas(int width, int height, Color fill) {
    Canvas c;
    c.width = width;
    c.height = height;
    c.px.resize(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < c.px.size(); i += 4) {
        c.px[i] = fill.r;
        c.px[i + 1] = fill.g;
        c.px[i + 2] = fill.b;
        c.px[i + 3] = fill.a;
    }
    return c;
}

Color mix(Color a, Color b, float t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                 a.a + (b.a - a.a) * t};
}

Color hexColor(unsigned rgb, float alpha) {
    return Color{((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f,
                 alpha};
}

void blendPixel(Canvas& c, int x, int y, Color color, float coverage) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) {
        return;
    }
    const float a = std::clamp(color.a * coverage, 0.0f, 1.0f);
    float* p = &c.px[(static_cast<std::size_t>(y) * c.width + x) * 4];
    // "Over" with straight (not premultiplied) colour, so transparent icon pixels
    // take the colour drawn on them without a dark fringe.
    const float under = p[3] * (1.0f - a);
    const float out = a + under;
    if (out <= 0.0f) {
        return;
    }
    p[0] = (color.r * a + p[0] * under) / out;
    p[1] = (color.g * a + p[1] * under) / out;
    p[2] = (color.b * a + p[2] * under) / out;
    p[3] = out;
}

void fillShape(Canvas& c, float x0, float y0, float x1, float y1, Color color,
               const std::function<bool(float, float)>& inside) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(c.width, static_cast<int>(std::ceil(x1)));
    const int iy1 = std::min(c.height, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f) ? 1 : 0;
                }
            }
            if (hits > 0) {
                blendPixel(c, x, y, color, hits / 16.0f);
            }
        }
    }
}

void fillRect(Canvas& c, float x0, float y0, float x1, float y1, Color color) {
    fillShape(c, x0, y0, x1, y1, color,
              [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void fillRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, Color color) {
    fillShape(c, x0, y0, x1, y1, color, [=](float x, float y) {
        const float cx = std::clamp(x, x0 + radius, x1 - radius);
        const float cy = std::clamp(y, y0 + radius, y1 - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    });
}

void fillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Color color) {
    fillShape(c, cx - rx, cy - ry, cx + rx, cy + ry, color, [=](float x, float y) {
        const float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    });
}

void fillPolygon(Canvas& c, const std::vector<float>& xy, Color color) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2) {
        x0 = std::min(x0, xy[i]);
        x1 = std::max(x1, xy[i]);
        y0 = std::min(y0, xy[i + 1]);
        y1 = std::max(y1, xy[i + 1]);
    }
    const std::size_t n = xy.size() / 2;
    fillShape(c, x0, y0, x1 + 1, y1 + 1, color, [&](float x, float y) {
        bool in = false;
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
                in = !in;
            }
        }
        return in;
    });
}

void verticalGradient(Canvas& c, float y0, float y1, Color top, Color bottom) {
    for (int y = std::max(0, static_cast<int>(y0)); y < std::min<float>(c.height, y1); ++y) {
        const Color color = mix(top, bottom, (y - y0) / std::max(1.0f, y1 - y0));
        for (int x = 0; x < c.width; ++x) {
            blendPixel(c, x, y, color, 1.0f);
        }
    }
}

float tileNoise(float x, float y, int period, unsigned seed) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    const float fx = smooth(x - xi), fy = smooth(y - yi);
    auto corner = [&](int cx, int cy) {
        cx = ((cx % period) + period) % period;
        cy = ((cy % period) + period) % period;
        return (hash(cx, cy, seed) & 0xFFFF) / 65535.0f;
    };
    const float a = corner(xi, yi), b = corner(xi + 1, yi);
    const float d = corner(xi, yi + 1), e = corner(xi + 1, yi + 1);
    return (a + (b - a) * fx) * (1 - fy) + (d + (e - d) * fx) * fy;
}

float tileFbm(float x, float y, int period, int octaves, float gain, unsigned seed) {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += tileNoise(x, y, period, seed + o * 101u) * weight;
        total += weight;
        weight *= gain;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / total;
}

Font* openFont(const char* path) {
    Font* font = new Font;
    if (FT_Init_FreeType(&font->library) != 0) {
        delete font;
        return nullptr;
    }
    if (FT_New_Face(font->library, path, 0, &font->face) != 0) {
        FT_Done_FreeType(font->library);
        delete font;
        return nullptr;
    }
    return font;
}

void closeFont(Font* font) {
    if (font == nullptr) {
        return;
    }
    FT_Done_Face(font->face);
    FT_Done_FreeType(font->library);
    delete font;
}

namespace {

// Calls visit(glyph, left, pen) for every glyph of text in turn: left is the whole-pixel
// column of the glyph's bitmap and pen the pen after it, for a pen that starts at 0;
// advances and kerning as the face gives them. Measuring and drawing both walk the text
// this way, so they agree.
template <typename Visit>
void walkGlyphs(Font* font, const char* text, int pixelSize, Visit visit) {
    FT_Face face = font->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    float pen = 0;
    FT_UInt previous = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(*p));
        if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0) {
                pen += kern.x / 64.0f;
            }
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = face->glyph;
        const int left = static_cast<int>(std::lround(pen)) + g->bitmap_left;
        pen += g->advance.x / 64.0f;
        visit(g, left, pen);
        previous = index;
    }
}

}  // namespace

TextBox measureText(Font* font, const char* text, int pixelSize) {
    TextBox box;
    bool inked = false;
    walkGlyphs(font, text, pixelSize, [&](FT_GlyphSlot g, int left, float pen) {
        box.width = pen;
        if (g->bitmap.width == 0 || g->bitmap.rows == 0) {
            return;
        }
        const float right = static_cast<float>(left + static_cast<int>(g->bitmap.width));
        box.left = inked ? std::min(box.left, static_cast<float>(left)) : left;
        box.right = inked ? std::max(box.right, right) : right;
        inked = true;
        box.ascent = std::max(box.ascent, static_cast<float>(g->bitmap_top));
        box.descent = std::max(
            box.descent, static_cast<float>(static_cast<int>(g->bitmap.rows) - g->bitmap_top));
    });
    return box;
}

void drawText(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
              Color color) {
    const int originX = static_cast<int>(std::lround(x));
    const int baseline = static_cast<int>(std::lround(y));
    walkGlyphs(font, text, pixelSize, [&](FT_GlyphSlot g, int left, float) {
        const int top = baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const unsigned char v = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (v != 0) {
                    blendPixel(c, originX + left + static_cast<int>(col),
                               top + static_cast<int>(row), color, v / 255.0f);
                }
            }
        }
    });
}

void drawTextShadowed(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
                      Color color, float shadow, Color shadowColor) {
    if (shadow > 0.0f) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                Color s = shadowColor;
                s.a /= 3.0f;
                drawText(c, font, text, pixelSize, x + shadow + dx, y + shadow + dy, s);
            }
        }
    }
    drawText(c, font, text, pixelSize, x, y, color);
}

void drawTextCentered(Canvas& c, Font* font, const char* text, int pixelSize, float x, float y,
                      Color color, float shadow, Color shadowColor) {
    const TextBox box = measureText(font, text, pixelSize);
    const float left = std::round(x - (box.left + box.right) / 2.0f);
    drawTextShadowed(c, font, text, pixelSize, left, y, color, shadow, shadowColor);
}

bool writeJpeg(const Canvas& c, const char* path, int quality) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(c.width);
    info.image_height = static_cast<JDIMENSION>(c.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour: lettering edges stay sharp.
    for (int i = 0; i < 3; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(c.width) * 3);
    while (info.next_scanline < info.image_height) {
        const float* p = &c.px[static_cast<std::size_t>(info.next_scanline) * c.width * 4];
        for (int x = 0; x < c.width; ++x) {
            row[x * 3] = toByte(p[x * 4]);
            row[x * 3 + 1] = toByte(p[x * 4 + 1]);
            row[x * 3 + 2] = toByte(p[x * 4 + 2]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool writeCanvasPng(const Canvas& c, const char* path) {
    std::vector<unsigned char> rgba(c.px.size());
    for (std::size_t i = 0; i < c.px.size(); ++i) {
        rgba[i] = toByte(c.px[i]);
    }
    return writePng(path, c.width, c.height, rgba.data());
}

bool writeCanvasBmp(const Canvas& c, const char* path) {
    std::vector<unsigned char> rgb;
    rgb.reserve(c.px.size() / 4 * 3);
    for (std::size_t i = 0; i < c.px.size(); i += 4) {
        rgb.insert(rgb.end(), {toByte(c.px[i]), toByte(c.px[i + 1]), toByte(c.px[i + 2])});
    }
    return writeBytes(path, encodeBmp(c.width, c.height, rgb.data()));
}
