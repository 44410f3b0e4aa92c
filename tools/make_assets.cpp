// Makes every data file the game reads: the 28 texture pictures (JPEG), the two sound
// effects (WAV), the application icons (PNG, and ICO for Windows) and the pictures of
// the Windows installer (BMP). Everything is drawn or synthesised here; the only outside
// input is a TrueType font for the lettering.
//
// Usage: trelvane_make_assets <output folder> <font file>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/audio.h"
#include "tools/canvas.h"
#include "tools/little_endian.h"
#include "tools/png_writer.h"
#include "tools/screen_layout.h"

namespace {

constexpr int kJpegQuality = 93;
constexpr float kPi = 3.14159265f;

const Color kPanel = hexColor(0x0B0E13);
const Color kPanelTop = hexColor(0x1A2430);
const Color kInk = hexColor(0xFFE9A8);

std::string outDir;
bool allOk = true;

// Counts a file that could not be written at path, and says so.
void checkWritten(bool ok, const std::string& path) {
    if (!ok) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        allOk = false;
    }
}

void saveJpeg(const Canvas& c, const char* name) {
    const std::string path = outDir + "/" + name;
    checkWritten(writeJpeg(c, path.c_str(), kJpegQuality), path);
}

void saveBmp(const Canvas& c, const char* name) {
    const std::string path = outDir + "/" + name;
    checkWritten(writeCanvasBmp(c, path.c_str()), path);
}

float fract(float v) {
    return v - std::floor(v);
}

// ---------------------------------------------------------------------------
// Skins. Each is a function of (u, v) in [0, 1) that repeats seamlessly.

Color camouflage(float u, float v) {
    const float a = tileFbm(u * 4, v * 4, 4, 4, 0.5f, 11);
    const float b = tileFbm(u * 5, v * 5, 5, 4, 0.5f, 29);
    const float grain = (tileNoise(u * 64, v * 64, 64, 7) - 0.5f) * 0.06f;
    Color c = hexColor(0x5E6B3C);  // olive
    auto blend = [&](float field, float edge, Color top) {
        const float t = std::clamp((field - edge) / 0.015f, 0.0f, 1.0f);
        c = mix(c, top, t);
    };
    blend(a, 0.52f, hexColor(0x3B4A2A));         // dark green
    blend(b, 0.56f, hexColor(0x6E5836));         // earth brown
    blend(1.0f - b, 0.62f, hexColor(0x262821));  // near-black
    c.r += grain;
    c.g += grain;
    c.b += grain;
    return c;
}

Color stoneBands(float u, float v) {
    // Two courses of blocks per repeat, four blocks a course, every other course offset.
    const float rows = 2.0f, cols = 4.0f;
    const float row = std::floor(v * rows);
    const float fy = fract(v * rows);
    const float shift = (static_cast<int>(row) % 2) * 0.5f;
    const float col = std::floor(u * cols + shift);
    const float fx = fract(u * cols + shift);
    const int block = static_cast<int>(row * cols + std::fmod(col + cols, cols));
    const float tone = tileNoise(block * 1.7f, block * 2.3f, 97, 5) * 0.18f;
    const float grain = tileFbm(u * 16, v * 16, 16, 4, 0.55f, 3);
    Color c = mix(hexColor(0x7A7264), hexColor(0xA69C86), tone / 0.18f);
    c = mix(c, hexColor(0x4C463C), std::clamp((grain - 0.45f) * 1.2f, 0.0f, 0.6f));
    // Mortar: dark lines between courses and blocks, a bevel of light along the top.
    const float edgeY = std::min(fy, 1.0f - fy) * 128 / rows;
    const float edgeX = std::min(fx, 1.0f - fx) * 256 / cols;
    const float edge = std::min(edgeY, edgeX);
    if (edge < 2.0f) {
        c = mix(hexColor(0x2B2721), c, edge / 2.0f);
    } else if (fy > 1.0f - 0.06f) {
        c = mix(c, hexColor(0xC8BFA8), 0.25f);
    }
    return c;
}

Color skyTile(float u, float v) {
    // An even overcast. The backdrop shows some 110 repeats of this tile, each only a few
    // pixels wide on screen, so any fine detail or strong contrast would sparkle. The
    // radar is drawn straight over it: the tile keeps to a narrow band of blue-grey that
    // its cyan, red, blue, green and yellow marks all stand well out from.
    const float cloud = tileFbm(u * 2, v * 2, 2, 2, 0.5f, 41);
    const float t = std::clamp((cloud - 0.35f) / 0.4f, 0.0f, 1.0f);
    return mix(hexColor(0x888DA0), hexColor(0x9497AA), t * t * (3 - 2 * t));
}

Color brass(float u, float v) {
    const float grain = tileFbm(u * 8, v * 8, 8, 4, 0.5f, 17);
    const float band = 0.5f + 0.5f * std::sin(v * 2 * kPi * 2);
    Color c = mix(hexColor(0x8A6A2A), hexColor(0xE0B862), band * 0.6f + grain * 0.4f);
    return c;
}

Canvas paintSkin(int size, Color (*skin)(float, float)) {
    Canvas c = makeCanvas(size, size, Color{});
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            blendPixel(c, x, y, skin((x + 0.5f) / size, (y + 0.5f) / size), 1.0f);
        }
    }
    return c;
}

// ---------------------------------------------------------------------------
// Scene pieces for the full-screen pictures.

// A flattened sphere with a turret dome and barrel, lit from the upper left and
// wearing the camouflage. facing is +1 (barrel right) or -1.
void drawTankShape(Canvas& c, float cx, float cy, float rx, float facing, float darkness) {
    const float ry = rx * 0.42f;
    const Color dim = hexColor(0x050505);
    // Barrel first, so the hull overlaps its root.
    const float bx = cx + facing * rx * 0.2f, by = cy - ry * 1.05f;
    const float len = rx * 1.15f, half = rx * 0.07f;
    fillPolygon(c,
                {bx, by - half, bx + facing * len, by - half * 0.8f, bx + facing * len,
                 by + half * 0.8f, bx, by + half},
                mix(hexColor(0x6A7452), dim, darkness));
    auto shaded = [&](float ex, float ey, float erx, float ery) {
        const int x0 = static_cast<int>(ex - erx) - 1, x1 = static_cast<int>(ex + erx) + 2;
        const int y0 = static_cast<int>(ey - ery) - 1, y1 = static_cast<int>(ey + ery) + 2;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                int hits = 0;
                for (int s = 0; s < 16; ++s) {
                    const float dx = (x + (s % 4 + 0.5f) / 4 - ex) / erx;
                    const float dy = (y + (s / 4 + 0.5f) / 4 - ey) / ery;
                    hits += dx * dx + dy * dy <= 1.0f ? 1 : 0;
                }
                if (hits == 0) {
                    continue;
                }
                const float dx = (x + 0.5f - ex) / erx, dy = (y + 0.5f - ey) / ery;
                const float dz = std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy));
                const float light = std::clamp(-0.45f * dx - 0.6f * dy + 0.66f * dz, 0.0f, 1.0f);
                Color skin = camouflage(fract(dx * 0.5f + 0.5f), fract(dy * 0.3f + 0.5f));
                const float k = 0.35f + 0.85f * light;
                skin = Color{skin.r * k, skin.g * k, skin.b * k, 1};
                blendPixel(c, x, y, mix(skin, dim, darkness), hits / 16.0f);
            }
        }
    };
    shaded(cx, cy, rx, ry);
    shaded(cx + facing * rx * 0.05f, cy - ry * 0.8f, rx * 0.38f, ry * 0.62f);
}

// A tall cone obstacle with stone bands, its base centred at (cx, baseY).
void drawCone(Canvas& c, float cx, float baseY, float halfWidth, float height, float fog,
              Color fogColor) {
    const float top = baseY - height;
    fillShape(c, cx - halfWidth, top, cx + halfWidth, baseY, Color{},
              [](float, float) { return false; });
    for (int y = static_cast<int>(top); y < static_cast<int>(baseY); ++y) {
        const float t = (y + 0.5f - top) / height;  // 0 at the tip
        const float w = halfWidth * t;
        for (int x = static_cast<int>(cx - w) - 1; x <= static_cast<int>(cx + w) + 1; ++x) {
            const float dx = (x + 0.5f - cx) / std::max(w, 0.5f);
            const float cover = std::clamp(w - std::fabs(x + 0.5f - cx) + 0.5f, 0.0f, 1.0f);
            if (cover <= 0) {
                continue;
            }
            Color s = stoneBands(fract(std::asin(std::clamp(dx, -1.0f, 1.0f)) / kPi + 0.5f),
                                 fract(t * 10));
            const float light = 0.55f + 0.45f * std::clamp(-dx * 0.8f + 0.3f, -1.0f, 1.0f);
            s = Color{s.r * light, s.g * light, s.b * light, 1};
            blendPixel(c, x, y, mix(s, fogColor, fog), cover);
        }
    }
}

// Sky, fog-bound checkered ground seen from a tank's height, and the horizon at hy.
void drawBattlefield(Canvas& c, float hy, Color skyTop, Color skyLow, Color fog) {
    verticalGradient(c, 0, hy, skyTop, skyLow);
    const float cx = c.width / 2.0f;
    for (int y = static_cast<int>(hy); y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            float white = 0, depth = 0;
            for (int s = 0; s < 4; ++s) {
                const float sy = y + (s / 2 + 0.5f) / 2 - hy;
                const float z = 2400.0f / std::max(sy, 0.25f);
                const float wx = (x + (s % 2 + 0.5f) / 2 - cx) * z / 600.0f;
                const int cell =
                    static_cast<int>(std::floor(wx / 8)) + static_cast<int>(std::floor(z / 8));
                white += (cell & 1) ? 0.0f : 0.25f;
                depth += z / 4;
            }
            const Color ground = mix(hexColor(0x1C1E1A), hexColor(0xB8BCB0), white);
            const float f = 1.0f - std::exp(-depth / 140.0f);
            blendPixel(c, x, y, mix(ground, fog, f), 1.0f);
        }
    }
}

// ---------------------------------------------------------------------------
// The pictures.

void makeBeginScreen(Font* bold, Font* regular) {
    Canvas c = makeCanvas(kScreenWidth, kScreenHeight, Color{});
    const Color fog = hexColor(0x8E9AA6);
    drawBattlefield(c, 330, hexColor(0x1B3260), hexColor(0x9FB2C6), fog);
    drawCone(c, 90, 352, 26, 150, 0.45f, fog);
    drawCone(c, 700, 345, 20, 118, 0.55f, fog);
    drawCone(c, 590, 338, 12, 70, 0.65f, fog);
    drawCone(c, 250, 336, 9, 50, 0.7f, fog);
    drawTankShape(c, 120, 520, 95, 1, 0.0f);
    drawTankShape(c, 690, 392, 48, -1, 0.25f);

    drawLayout(c, layoutBeginScreen(bold, regular));
    saveJpeg(c, "screen_begin.jpg");
}

void makeOutcomeScreen(Font* bold, Font* regular, bool victory) {
    Canvas c = makeCanvas(kScreenWidth, kScreenHeight, Color{});
    const ScreenLayout layout = layoutOutcomeScreen(bold, regular, victory);
    // The tank stands just right of the summary corner, clear of it.
    const float clear = layout.panels[layout.summaryPanel].box.x1 + 5;
    if (victory) {
        verticalGradient(c, 0, 600, hexColor(0x0E2A3A), hexColor(0x08141A));
        // Golden rays from behind the title.
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const float a = std::atan2(y - 150.0f, x - 400.0f);
                const float ray = std::pow(std::fabs(std::sin(a * 9)), 6.0f);
                const float r = std::hypot(x - 400.0f, y - 150.0f);
                const float fall = std::exp(-r / 380.0f) * std::clamp(r / 120.0f, 0.0f, 1.0f);
                blendPixel(c, x, y, hexColor(0xFFC84A), ray * fall * 0.35f);
            }
        }
        verticalGradient(c, 430, 600, hexColor(0x123040), hexColor(0x060E12));
        const float tx = clear + 120;
        drawTankShape(c, tx, 470, 105, -1, 0.0f);
        // A pennant on the victor.
        fillRect(c, tx + 10, 300, tx + 15, 440, hexColor(0x2A2A2A));
        fillPolygon(c, {tx + 15, 300, tx + 90, 318, tx + 15, 338}, hexColor(0xE8B43C));
    } else {
        verticalGradient(c, 0, 600, hexColor(0x3A0D08), hexColor(0x100404));
        verticalGradient(c, 430, 600, hexColor(0x2A1410), hexColor(0x0C0606));
        const float tx = clear + 118;  // the glow under the wreck reaches 118 to its left
        // Smoke rising from the wreck.
        for (int y = 0; y < 470; ++y) {
            for (int x = 380; x < 800; ++x) {
                const float rise = 470.0f - y;
                const float spread = 30 + rise * 0.45f;
                const float d = std::fabs(x - (tx - 20) - rise * 0.3f) / spread;
                const float puff = tileFbm(x / 45.0f, y / 45.0f + 0.3f, 64, 4, 0.55f, 9);
                const float a = std::clamp((1 - d) * 1.6f, 0.0f, 1.0f) *
                                std::clamp((puff - 0.3f) * 2.2f, 0.0f, 1.0f) *
                                std::clamp((y - 30) / 220.0f, 0.0f, 1.0f);
                blendPixel(c, x, y, hexColor(0x4A403C), a * 0.9f);
            }
        }
        fillEllipse(c, tx, 478, 118, 36, Color{1.0f, 0.45f, 0.1f, 0.3f});
        drawTankShape(c, tx, 462, 105, -1, 0.72f);
        // Flames licking up from the hull.
        const float flames[][3] = {{-60, 70, 22}, {-30, 105, 26}, {2, 85, 22}, {35, 60, 18}};
        for (const auto& f : flames) {
            const float fx = tx + f[0], h = f[1], w = f[2], base = 445;
            fillPolygon(c,
                        {fx - w, base, fx - w * 0.3f, base - h * 0.6f, fx + w * 0.15f, base - h,
                         fx + w * 0.35f, base - h * 0.45f, fx + w, base},
                        Color{1.0f, 0.42f, 0.08f, 0.9f});
            fillPolygon(c, {fx - w * 0.5f, base, fx, base - h * 0.6f, fx + w * 0.5f, base},
                        Color{1.0f, 0.85f, 0.35f, 0.95f});
        }
    }
    drawLayout(c, layout);
    saveJpeg(c, victory ? "screen_victory.jpg" : "screen_death.jpg");
}

// A dark panel with light lettering: glyphs and labels are opaque, so this is the look.
Canvas plate(int width, int height) {
    Canvas c = makeCanvas(width, height, kPanel);
    verticalGradient(c, 0, height, kPanelTop, kPanel);
    return c;
}

void makeGlyphs(Font* bold) {
    struct Glyph {
        const char* text;
        const char* file;
    };
    const Glyph glyphs[] = {
        {"0", "number_0.jpg"}, {"1", "number_1.jpg"},       {"2", "number_2.jpg"},
        {"3", "number_3.jpg"}, {"4", "number_4.jpg"},       {"5", "number_5.jpg"},
        {"6", "number_6.jpg"}, {"7", "number_7.jpg"},       {"8", "number_8.jpg"},
        {"9", "number_9.jpg"}, {"-", "number_-.jpg"},       {"/", "number_Slash.jpg"},
        {"%", "number_%.jpg"}, {".", "number_Decimal.jpg"},
    };
    const int size = 56;
    const TextBox digits = measureText(bold, "0123456789", size);
    const float baseline = (64 + digits.ascent) / 2.0f;
    for (const Glyph& g : glyphs) {
        Canvas c = plate(64, 64);
        int pixelSize = size;
        if (g.text[0] == '%') {
            pixelSize = 48;  // the widest glyph still fits the cell
        } else if (g.text[0] == '.') {
            pixelSize = 84;  // a point big enough to read at 50 x 50
        }
        drawTextCentered(c, bold, g.text, pixelSize, 32, baseline, kInk, 2, Color{0, 0, 0, 0.9f});
        saveJpeg(c, g.file);
    }
}

void makeLabels(Font* bold) {
    const char* labels[][2] = {
        {"Score", "text_Score.jpg"}, {"Lives", "text_Lives.jpg"},       {"Tanks", "text_Tanks.jpg"},
        {"Level", "text_Level.jpg"}, {"Accuracy", "text_Accuracy.jpg"}, {"FPS", "text_FPS.jpg"},
        {"Turbo", "text_Turbo.jpg"},
    };
    // One size for all, the largest at which the longest label fits.
    int size = 46;
    while (size > 10 && measureText(bold, "Accuracy", size).width > 236) {
        --size;
    }
    const float baseline = (64 + measureText(bold, "ScoreLivTnkAFP", size).ascent) / 2.0f;
    for (const auto& label : labels) {
        Canvas c = plate(256, 64);
        drawTextCentered(c, bold, label[0], size, 128, baseline, kInk, 2, Color{0, 0, 0, 0.9f});
        saveJpeg(c, label[1]);
    }
}

// Writes bytes as the file <name> of the output folder, or says it cannot.
void saveBytes(const std::vector<unsigned char>& bytes, const std::string& name) {
    const std::string path = outDir + "/" + name;
    checkWritten(writeBytes(path.c_str(), bytes), path);
}

// The three icons in one Windows icon file (trelvane.ico, for the program's resource):
// a directory of 16-byte entries, then each PNG file whole, as Windows reads them.
void makeWindowsIcon() {
    std::vector<std::vector<unsigned char>> images;
    const int sizes[] = {48, 128, 256};
    for (int size : sizes) {
        const std::string path = outDir + "/icons/trelvane-" + std::to_string(size) + ".png";
        std::vector<unsigned char> bytes;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            unsigned char chunk[65536];
            std::size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
                bytes.insert(bytes.end(), chunk, chunk + got);
            }
            std::fclose(file);
        }
        if (bytes.empty()) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            allOk = false;
        }
        images.push_back(bytes);
    }
    std::vector<unsigned char> ico;
    putLittle16(ico, 0);  // reserved
    putLittle16(ico, 1);  // an icon file
    putLittle16(ico, 3);  // three images
    std::size_t offset = 6 + 16 * 3;
    for (int i = 0; i < 3; ++i) {
        ico.push_back(static_cast<unsigned char>(sizes[i] % 256));  // 0 stands for 256
        ico.push_back(static_cast<unsigned char>(sizes[i] % 256));
        ico.push_back(0);  // no palette
        ico.push_back(0);
        putLittle16(ico, 1);   // planes
        putLittle16(ico, 32);  // bits a pixel
        putLittle32(ico, static_cast<std::uint32_t>(images[i].size()));
        putLittle32(ico, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const auto& image : images) {
        ico.insert(ico.end(), image.begin(), image.end());
    }
    saveBytes(ico, "icons/trelvane.ico");
}

// The icon's badge at side x side (256 unless asked) on a transparent ground: a
// gold-rimmed disc of sky and field with the camouflaged tank before it.
Canvas iconBadge(int side = 256) {
    const float s = side / 256.0f;
    Canvas big = makeCanvas(side, side, Color{0, 0, 0, 0});
    fillEllipse(big, 128 * s, 128 * s, 124 * s, 124 * s, hexColor(0x1E2A1C));
    fillEllipse(big, 128 * s, 128 * s, 114 * s, 114 * s, hexColor(0xC8A040));
    fillEllipse(big, 128 * s, 128 * s, 104 * s, 104 * s, hexColor(0x8DB7E3));
    fillShape(big, 24 * s, 160 * s, 232 * s, 232 * s, hexColor(0x4A5A3A), [s](float x, float y) {
        const float r = 104.0f * s;
        return (x - 128 * s) * (x - 128 * s) + (y - 128 * s) * (y - 128 * s) <= r * r &&
               y >= 165 * s;
    });
    drawTankShape(big, 118 * s, 150 * s, 78 * s, 1, 0.0f);
    return big;
}

// The canvas shrunk to width x height by averaging the whole source pixels under each
// one, weighted by their alpha (so transparent pixels lend no colour); drawing large and
// shrinking keeps small pictures clean.
Canvas shrink(const Canvas& big, int width, int height) {
    Canvas c = makeCanvas(width, height, Color{0, 0, 0, 0});
    const float stepX = static_cast<float>(big.width) / width;
    const float stepY = static_cast<float>(big.height) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum[4] = {0, 0, 0, 0}, n = 0;
            for (int sy = static_cast<int>(y * stepY); sy < static_cast<int>((y + 1) * stepY);
                 ++sy) {
                for (int sx = static_cast<int>(x * stepX); sx < static_cast<int>((x + 1) * stepX);
                     ++sx) {
                    const float* p = &big.px[(static_cast<std::size_t>(sy) * big.width + sx) * 4];
                    for (int k = 0; k < 3; ++k) {
                        sum[k] += p[k] * p[3];
                    }
                    sum[3] += p[3];
                    n += 1;
                }
            }
            float* q = &c.px[(static_cast<std::size_t>(y) * width + x) * 4];
            for (int k = 0; k < 3; ++k) {
                q[k] = sum[3] > 0 ? sum[k] / sum[3] : 0;
            }
            q[3] = sum[3] / n;
        }
    }
    return c;
}

// The icon a phone crops to its own shape (a circle, a rounded square): the badge within
// the middle four fifths, which every shape keeps, on the page's black to the edges.
Canvas maskableIcon(int size) {
    const int big = 2 * size;
    Canvas c = makeCanvas(big, big, hexColor(0x000000));
    const Canvas badge = shrink(iconBadge(big), big * 4 / 5, big * 4 / 5);
    const int offset = (big - badge.width) / 2;
    for (int y = 0; y < badge.height; ++y) {
        for (int x = 0; x < badge.width; ++x) {
            const float* p = &badge.px[(static_cast<std::size_t>(y) * badge.width + x) * 4];
            blendPixel(c, offset + x, offset + y, Color{p[0], p[1], p[2], 1}, p[3]);
        }
    }
    return shrink(c, size, size);
}

void makeIcons() {
    mkdir((outDir + "/icons").c_str(), 0755);
    const Canvas badge = iconBadge();
    for (int size : {48, 128, 256}) {
        const std::string path = outDir + "/icons/trelvane-" + std::to_string(size) + ".png";
        checkWritten(writeCanvasPng(shrink(badge, size, size), path.c_str()), path);
    }
    // The installed page's, the largest from the badge drawn at twice its size.
    for (int size : {192, 512}) {
        const std::string path = outDir + "/icons/trelvane-" + std::to_string(size) + ".png";
        const Canvas drawn = size > 256 ? iconBadge(2 * size) : badge;
        checkWritten(writeCanvasPng(shrink(drawn, size, size), path.c_str()), path);
    }
    const std::string maskable = outDir + "/icons/trelvane-maskable-512.png";
    checkWritten(writeCanvasPng(maskableIcon(512), maskable.c_str()), maskable);
    makeWindowsIcon();
}

// The Windows installer's pictures, 24-bit BMP files as it shows them, each drawn at
// twice its size and shrunk. Beside the welcome and finish pages (164 x 314): the title
// picture's fog-bound field in a tall strip, its gold name over the sky, a cone and the
// tank before it. In the header of the other pages (150 x 57): the icon's badge and the
// name on the dark plate of the heads-up display.
void makeInstallerPictures(Font* bold) {
    const Color gold = hexColor(0xFFC84A);
    const Color fog = hexColor(0x8E9AA6);
    Canvas side = makeCanvas(328, 628, Color{});
    drawBattlefield(side, 380, hexColor(0x1B3260), hexColor(0x9FB2C6), fog);
    drawCone(side, 56, 410, 24, 150, 0.45f, fog);
    drawCone(side, 262, 396, 11, 62, 0.65f, fog);
    drawTankShape(side, 128, 540, 92, 1, 0.0f);
    int size = 80;
    while (size > 20 && measureText(bold, "TRELVANE", size).width > 300) {
        --size;
    }
    drawTextCentered(side, bold, "TRELVANE", size, 164, 120, gold, 4, Color{0, 0, 0, 0.8f});
    saveBmp(shrink(side, 164, 314), "icons/installer-welcome.bmp");

    Canvas header = plate(300, 114);
    const Canvas badge = shrink(iconBadge(), 96, 96);
    for (int y = 0; y < badge.height; ++y) {
        for (int x = 0; x < badge.width; ++x) {
            const float* p = &badge.px[(static_cast<std::size_t>(y) * badge.width + x) * 4];
            blendPixel(header, 10 + x, 9 + y, Color{p[0], p[1], p[2], 1}, p[3]);
        }
    }
    int nameSize = 48;
    while (nameSize > 12 && measureText(bold, "TRELVANE", nameSize).width > 180) {
        --nameSize;
    }
    drawTextCentered(header, bold, "TRELVANE", nameSize, 204, 74, gold, 2, Color{0, 0, 0, 0.9f});
    saveBmp(shrink(header, 150, 57), "icons/installer-header.bmp");
}

void saveWav(const std::vector<std::int16_t>& samples, const char* name) {
    saveBytes(encodeWav(samples), name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <output folder> <bold font> <regular font>\n", argv[0]);
        return 2;
    }
    outDir = argv[1];
    mkdir(outDir.c_str(), 0755);
    Font* bold = openFont(argv[2]);
    Font* regular = openFont(argv[3]);
    if (bold == nullptr || regular == nullptr) {
        std::fprintf(stderr, "cannot read the fonts %s and %s\n", argv[2], argv[3]);
        closeFont(bold);
        closeFont(regular);
        return 1;
    }
    saveJpeg(paintSkin(128, skyTile), "texture_sky.jpg");
    saveJpeg(paintSkin(256, camouflage), "texture_tank.jpg");
    saveJpeg(paintSkin(256, stoneBands), "texture_object.jpg");
    saveJpeg(paintSkin(64, brass), "texture_bullet.jpg");
    makeBeginScreen(bold, regular);
    makeOutcomeScreen(bold, regular, false);
    makeOutcomeScreen(bold, regular, true);
    makeGlyphs(bold);
    makeLabels(bold);
    makeIcons();
    makeInstallerPictures(bold);
    saveWav(synthShot(), "shoot.wav");
    saveWav(synthExplosion(), "explode.wav");
    closeFont(bold);
    closeFont(regular);
    return allOk ? 0 : 1;
}
