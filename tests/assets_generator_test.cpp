// The asset generator: its PNG, BMP and WAV writers, and the data files it made for the
// game, checked for what the game needs of them.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "assets/decoders.h"
#include "tools/audio.h"
#include "tools/bmp_writer.h"
#include "tools/png_writer.h"
#include "tools/screen_layout.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t big32(const unsigned char* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
std::uint32_t little32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::string dataFile(const char* name) {
    return std::string(TRELVANE_DATA_DIR) + "/" + name;
}

// ---------------------------------------------------------------------------
// Writers

TEST(PngWriter, ChecksumsMatchTheirStandardCheckValues) {
    const char* digits = "123456789";
    EXPECT_EQ(crc32Of(reinterpret_cast<const unsigned char*>(digits), 9), 0xCBF43926u);
    const char* word = "Wikipedia";
    EXPECT_EQ(adler32Of(reinterpret_cast<const unsigned char*>(word), 9), 0x11E60398u);
    EXPECT_EQ(adler32Of(nullptr, 0), 1u);
}

TEST(PngWriter, StoredBlocksInflateBackWithZlib) {
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65535}, std::size_t{65536},
                             std::size_t{200003}}) {
        Bytes data(size);
        for (std::size_t i = 0; i < size; ++i) {
            data[i] = static_cast<unsigned char>((i * 131) ^ (i >> 7));
        }
        const Bytes stream = zlibStored(data.data(), data.size());
        Bytes back(size + 16);
        uLongf got = back.size();
        ASSERT_EQ(uncompress(back.data(), &got, stream.data(), stream.size()), Z_OK) << size;
        ASSERT_EQ(got, size);
        back.resize(got);
        EXPECT_TRUE(back == data) << size;
    }
}

TEST(PngWriter, FileHasValidChunksAndFilteredRows) {
    const int w = 3, h = 2;
    Bytes rgba(w * h * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = static_cast<unsigned char>(i * 9);
    }
    const Bytes png = encodePng(w, h, rgba.data());
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(0, std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8));
    std::size_t pos = 8;
    std::vector<std::string> types;
    Bytes idat;
    while (pos + 12 <= png.size()) {
        const std::uint32_t length = big32(&png[pos]);
        ASSERT_LE(pos + 12 + length, png.size());
        const std::string type(reinterpret_cast<const char*>(&png[pos + 4]), 4);
        types.push_back(type);
        EXPECT_EQ(crc32Of(&png[pos + 4], length + 4), big32(&png[pos + 8 + length])) << type;
        if (type == "IHDR") {
            EXPECT_EQ(big32(&png[pos + 8]), 3u);
            EXPECT_EQ(big32(&png[pos + 12]), 2u);
            EXPECT_EQ(png[pos + 16], 8);  // bits
            EXPECT_EQ(png[pos + 17], 6);  // RGBA
        } else if (type == "IDAT") {
            idat.insert(idat.end(), &png[pos + 8], &png[pos + 8 + length]);
        }
        pos += 12 + length;
    }
    EXPECT_EQ(pos, png.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    Bytes raw(h * (1 + w * 4));
    uLongf got = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &got, idat.data(), idat.size()), Z_OK);
    ASSERT_EQ(got, raw.size());
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(raw[y * (1 + w * 4)], 0) << "filter byte";
        EXPECT_EQ(0, std::memcmp(&raw[y * (1 + w * 4) + 1], &rgba[y * w * 4], w * 4));
    }
}

TEST(BmpWriter, DecodesBackWithRowsPaddedToFourBytes) {
    const int w = 3, h = 2;  // 9 bytes a row, stored as 12
    Bytes rgb(w * h * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<unsigned char>(10 + i * 13);
    }
    const Bytes bmp = encodeBmp(w, h, rgb.data());
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(0, std::memcmp(bmp.data(), "BM", 2));
    EXPECT_EQ(little32(&bmp[2]), bmp.size());
    EXPECT_EQ(little32(&bmp[10]), 54u);  // pixels right after the headers
    EXPECT_EQ(little32(&bmp[14]), 40u);  // the info header Windows' pages read
    EXPECT_EQ(bmp[28], 24);              // bits a pixel
    EXPECT_EQ(little32(&bmp[30]), 0u);   // uncompressed
    Image* image = decodeBmpMemory(bmp.data(), bmp.size(), "written.bmp");
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->components, 3);
    ASSERT_EQ(image->width, w);
    ASSERT_EQ(image->height, h);
    // The image's first row is the picture's bottom one.
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(0, std::memcmp(&image->pixels[y * w * 3], &rgb[(h - 1 - y) * w * 3], w * 3))
            << "row " << y;
    }
    releaseImage(image);
}

TEST(WavWriter, HeaderDescribes16BitMonoPcm) {
    const Bytes wav = encodeWav({0, 1000, -1000});
    ASSERT_EQ(wav.size(), 44u + 6);
    EXPECT_EQ(0, std::memcmp(wav.data(), "RIFF", 4));
    EXPECT_EQ(little32(&wav[4]), 42u);
    EXPECT_EQ(0, std::memcmp(&wav[8], "WAVEfmt ", 8));
    EXPECT_EQ(wav[20] | (wav[21] << 8), 1);  // PCM
    EXPECT_EQ(wav[22] | (wav[23] << 8), 1);  // mono
    EXPECT_EQ(little32(&wav[24]), static_cast<std::uint32_t>(kSampleRate));
    EXPECT_EQ(wav[34] | (wav[35] << 8), 16);  // bits
    EXPECT_EQ(0, std::memcmp(&wav[36], "data", 4));
    EXPECT_EQ(little32(&wav[40]), 6u);
    EXPECT_EQ(static_cast<std::int16_t>(wav[46] | (wav[47] << 8)), 1000);
    EXPECT_EQ(static_cast<std::int16_t>(wav[48] | (wav[49] << 8)), -1000);
}

// ---------------------------------------------------------------------------
// Layout of the full-screen pictures, measured with the fonts the build draws them with

struct Fonts {
    Font* bold = openFont(TRELVANE_FONT_BOLD);
    Font* regular = openFont(TRELVANE_FONT_REGULAR);
    Fonts() = default;
    Fonts(const Fonts&) = delete;
    ~Fonts() {
        closeFont(bold);
        closeFont(regular);
    }
};

struct Screen {
    const char* file;
    ScreenLayout layout;
};

std::vector<Screen> screens(const Fonts& fonts) {
    return {{"screen_begin.jpg", layoutBeginScreen(fonts.bold, fonts.regular)},
            {"screen_death.jpg", layoutOutcomeScreen(fonts.bold, fonts.regular, false)},
            {"screen_victory.jpg", layoutOutcomeScreen(fonts.bold, fonts.regular, true)}};
}

bool overlap(const Box& a, const Box& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

std::string describe(const Box& b) {
    char text[96];
    std::snprintf(text, sizeof text, "[%.1f, %.1f) x [%.1f, %.1f)", b.x0, b.x1, b.y0, b.y1);
    return text;
}

TEST(ScreenLayout, EveryLineInAPanelKeepsTheMarginClearOnAllSides) {
    Fonts fonts;
    ASSERT_TRUE(fonts.bold != nullptr && fonts.regular != nullptr);
    int inPanels = 0;
    for (const Screen& s : screens(fonts)) {
        for (const TextLine& line : s.layout.lines) {
            if (line.panel < 0) {
                continue;
            }
            ++inPanels;
            ASSERT_LT(line.panel, static_cast<int>(s.layout.panels.size()));
            const Box& panel = s.layout.panels[line.panel].box;
            const Box& ink = line.ink;
            const std::string where = std::string(s.file) + " \"" + line.text + "\" " +
                                      describe(ink) + " in " + describe(panel);
            EXPECT_LT(ink.x0, ink.x1) << where;
            EXPECT_LT(ink.y0, ink.y1) << where;
            EXPECT_GE(ink.x0 - panel.x0, kPanelMarginX) << where;
            EXPECT_GE(panel.x1 - ink.x1, kPanelMarginX) << where;
            EXPECT_GE(ink.y0 - panel.y0, kPanelMarginY) << where;
            EXPECT_GE(panel.y1 - ink.y1, kPanelMarginY) << where;
        }
    }
    // The ten keys with what they do, and the start button.
    EXPECT_EQ(inPanels, 21);
}

TEST(ScreenLayout, PanelsAreSizedToTheirWidestLinePlusTheMargin) {
    Fonts fonts;
    ASSERT_TRUE(fonts.bold != nullptr && fonts.regular != nullptr);
    for (const Screen& s : screens(fonts)) {
        for (std::size_t p = 0; p < s.layout.panels.size(); ++p) {
            if (static_cast<int>(p) == s.layout.summaryPanel) {
                continue;  // sized from the game's rows, checked below
            }
            Box text{1e9f, 1e9f, -1e9f, -1e9f};
            for (const TextLine& line : s.layout.lines) {
                if (line.panel == static_cast<int>(p)) {
                    text = Box{std::min(text.x0, line.ink.x0), std::min(text.y0, line.ink.y0),
                               std::max(text.x1, line.ink.x1), std::max(text.y1, line.ink.y1)};
                }
            }
            const Box& box = s.layout.panels[p].box;
            ASSERT_LT(text.x0, text.x1) << s.file << " panel " << p << " holds no line";
            EXPECT_NEAR(box.x1 - box.x0, text.x1 - text.x0 + 2 * kPanelMarginX, 1.0)
                << s.file << " panel " << p;
            EXPECT_NEAR(box.y1 - box.y0, text.y1 - text.y0 + 2 * kPanelMarginY, 1.0)
                << s.file << " panel " << p;
        }
    }
}

TEST(ScreenLayout, LetteringAndPanelsStayOnThePictureAndApart) {
    Fonts fonts;
    ASSERT_TRUE(fonts.bold != nullptr && fonts.regular != nullptr);
    const Box picture{0, 0, kScreenWidth, kScreenHeight};
    for (const Screen& s : screens(fonts)) {
        const ScreenLayout& l = s.layout;
        for (const Panel& p : l.panels) {
            EXPECT_GE(p.box.x0, picture.x0) << s.file << " " << describe(p.box);
            EXPECT_GE(p.box.y0, picture.y0) << s.file << " " << describe(p.box);
            EXPECT_LE(p.box.x1, picture.x1) << s.file << " " << describe(p.box);
            EXPECT_LE(p.box.y1, picture.y1) << s.file << " " << describe(p.box);
        }
        for (std::size_t i = 0; i < l.panels.size(); ++i) {
            for (std::size_t j = i + 1; j < l.panels.size(); ++j) {
                EXPECT_FALSE(overlap(l.panels[i].box, l.panels[j].box))
                    << s.file << " panels " << i << " and " << j;
            }
        }
        for (std::size_t i = 0; i < l.lines.size(); ++i) {
            const TextLine& a = l.lines[i];
            for (std::size_t j = i + 1; j < l.lines.size(); ++j) {
                EXPECT_FALSE(overlap(a.ink, l.lines[j].ink))
                    << s.file << " \"" << a.text << "\" and \"" << l.lines[j].text << "\"";
            }
            if (a.panel >= 0) {
                continue;
            }
            // Lettering on the picture itself: clear of its edges and of every panel.
            EXPECT_GE(a.ink.x0, kPictureMargin) << s.file << " \"" << a.text << "\"";
            EXPECT_GE(a.ink.y0, kPictureMargin) << s.file << " \"" << a.text << "\"";
            EXPECT_LE(a.ink.x1, kScreenWidth - kPictureMargin) << s.file << " \"" << a.text << "\"";
            EXPECT_LE(a.ink.y1, kScreenHeight - kPictureMargin)
                << s.file << " \"" << a.text << "\"";
            for (const Panel& p : l.panels) {
                EXPECT_FALSE(overlap(a.ink, p.box)) << s.file << " \"" << a.text << "\"";
            }
        }
    }
}

TEST(ScreenLayout, SummaryCornerCoversWhereTheGameDrawsItsRows) {
    // Row units run 1600 across from x = 10 and 1600 down from y = 30; the rows start at
    // x = 75 with a 200-wide label and 50-wide glyphs, the lowest at y = -1560, the
    // highest (accuracy) ending at y = -1270.
    const Box rows = summaryRowsBox(800, 600);
    EXPECT_FLOAT_EQ(rows.x0, 32.5f);
    EXPECT_FLOAT_EQ(rows.x1, (75 + 200 + 50 * kSummaryAccuracyGlyphs - 10) / 2.0f);
    EXPECT_FLOAT_EQ(rows.y0, 487.5f);
    EXPECT_FLOAT_EQ(rows.y1, 596.25f);
    Fonts fonts;
    ASSERT_TRUE(fonts.bold != nullptr && fonts.regular != nullptr);
    for (const Screen& s : screens(fonts)) {
        const ScreenLayout& l = s.layout;
        if (std::string(s.file) == "screen_begin.jpg") {
            EXPECT_EQ(l.summaryPanel, -1);  // the title has no rows over it
            continue;
        }
        ASSERT_GE(l.summaryPanel, 0) << s.file;
        const Box& corner = l.panels[l.summaryPanel].box;
        EXPECT_EQ(describe(l.summaryRows), describe(rows)) << s.file;
        EXPECT_LE(corner.x0, rows.x0 - kSummaryMargin) << s.file;
        EXPECT_GE(corner.x1, rows.x1 + kSummaryMargin) << s.file;
        EXPECT_LE(corner.y0, rows.y0 - kSummaryMargin) << s.file;
        EXPECT_GE(corner.y1, std::min<float>(rows.y1 + kSummaryMargin, kScreenHeight)) << s.file;
    }
}

// ---------------------------------------------------------------------------
// The generated data

struct Stats {
    double mean = 0, deviation = 0, low = 255, high = 0;
};

// Luminance statistics over the box [x0, x1) x [y0, y1) of rows bottom-up.
Stats luminance(const Image* image, int x0, int y0, int x1, int y1) {
    Stats s;
    double sum = 0, squares = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p =
                image->pixels + (static_cast<std::size_t>(y) * image->width + x) * 3;
            const double l = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            sum += l;
            squares += l * l;
            s.low = std::min(s.low, l);
            s.high = std::max(s.high, l);
            ++n;
        }
    }
    s.mean = sum / n;
    s.deviation = std::sqrt(std::max(0.0, squares / n - s.mean * s.mean));
    return s;
}

TEST(GeneratedData, EveryCataloguePictureDecodesAtItsSize) {
    struct Want {
        const char* file;
        int width, height;
    };
    std::vector<Want> want = {
        {"texture_sky.jpg", 128, 128},    {"texture_tank.jpg", 256, 256},
        {"texture_object.jpg", 256, 256}, {"texture_bullet.jpg", 64, 64},
        {"screen_begin.jpg", 800, 600},   {"screen_death.jpg", 800, 600},
        {"screen_victory.jpg", 800, 600}, {"number_-.jpg", 64, 64},
        {"number_Slash.jpg", 64, 64},     {"number_%.jpg", 64, 64},
        {"number_Decimal.jpg", 64, 64},
    };
    static char digits[10][16];
    for (int i = 0; i < 10; ++i) {
        std::snprintf(digits[i], sizeof digits[i], "number_%i.jpg", i);
        want.push_back({digits[i], 64, 64});
    }
    for (const char* label :
         {"text_Score.jpg", "text_Lives.jpg", "text_Tanks.jpg", "text_Level.jpg",
          "text_Accuracy.jpg", "text_FPS.jpg", "text_Turbo.jpg"}) {
        want.push_back({label, 256, 64});
    }
    ASSERT_EQ(want.size(), 28u);
    for (const Want& w : want) {
        Image* image = decodeJpeg(dataFile(w.file).c_str());
        ASSERT_NE(image, nullptr) << w.file;
        EXPECT_EQ(image->components, 3) << w.file;
        EXPECT_EQ(image->width, w.width) << w.file;
        EXPECT_EQ(image->height, w.height) << w.file;
        releaseImage(image);
    }
}

TEST(GeneratedData, GlyphsAndLabelsAreLightLetteringOnADarkPanel) {
    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i) {
        files.push_back("number_" + std::to_string(i) + ".jpg");
    }
    for (const char* f : {"number_-.jpg", "number_Slash.jpg", "number_%.jpg", "number_Decimal.jpg",
                          "text_Score.jpg", "text_Lives.jpg", "text_Tanks.jpg", "text_Level.jpg",
                          "text_Accuracy.jpg", "text_FPS.jpg", "text_Turbo.jpg"}) {
        files.push_back(f);
    }
    std::vector<std::string> seen;
    for (const std::string& f : files) {
        Image* image = decodeJpeg(dataFile(f.c_str()).c_str());
        ASSERT_NE(image, nullptr) << f;
        const Stats s = luminance(image, 0, 0, image->width, image->height);
        EXPECT_LT(s.low, 30) << f;
        EXPECT_GT(s.high, 210) << f;
        EXPECT_LT(s.mean, 110) << f << ": mostly panel";
        // Corners are panel, not lettering.
        EXPECT_LT(luminance(image, 0, 0, 3, 3).high, 60) << f;
        seen.emplace_back(reinterpret_cast<char*>(image->pixels),
                          static_cast<std::size_t>(image->width) * image->height * 3);
        releaseImage(image);
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        for (std::size_t j = i + 1; j < seen.size(); ++j) {
            EXPECT_NE(seen[i], seen[j]) << files[i] << " and " << files[j] << " look the same";
        }
    }
}

// The pixel at (x, y) counted from the top-left corner; decoded rows run bottom-up.
const unsigned char* pixelAt(const Image* image, int x, int y) {
    return image->pixels + (static_cast<std::size_t>(image->height - 1 - y) * image->width + x) * 3;
}

bool inside(const Box& b, int x, int y, float slack) {
    return x + 0.5f >= b.x0 - slack && x + 0.5f < b.x1 + slack && y + 0.5f >= b.y0 - slack &&
           y + 0.5f < b.y1 + slack;
}

bool near(const unsigned char* p, Color c, int tolerance) {
    const float want[3] = {c.r, c.g, c.b};
    for (int k = 0; k < 3; ++k) {
        if (std::abs(p[k] - static_cast<int>(std::lround(want[k] * 255))) > tolerance) {
            return false;
        }
    }
    return true;
}

TEST(GeneratedData, LetteringIsDrawnOnlyWhereTheLayoutPutsIt) {
    Fonts fonts;
    ASSERT_TRUE(fonts.bold != nullptr && fonts.regular != nullptr);
    const Color white = hexColor(0xF4F4F0), gold = hexColor(0xFFC84A);
    for (const Screen& s : screens(fonts)) {
        Image* image = decodeJpeg(dataFile(s.file).c_str());
        ASSERT_NE(image, nullptr) << s.file;
        ASSERT_EQ(image->width, kScreenWidth);
        ASSERT_EQ(image->height, kScreenHeight);
        // Every line shows in its box, in its colour.
        for (const TextLine& line : s.layout.lines) {
            int shown = 0;
            for (int y = 0; y < image->height; ++y) {
                for (int x = 0; x < image->width; ++x) {
                    shown +=
                        inside(line.ink, x, y, 0) && near(pixelAt(image, x, y), line.color, 24);
                }
            }
            EXPECT_GE(shown, 15) << s.file << " \"" << line.text << "\"";
        }
        // Outside the panels, and outside the boxes of the lines drawn on the picture itself
        // (one pixel more for the JPEG's blur), there is no lettering: the picture's own
        // colours never come near the white, nor on the title the gold, of the letters.
        int stray = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                bool covered = false;
                for (const Panel& p : s.layout.panels) {
                    covered = covered || inside(p.box, x, y, 1);
                }
                for (const TextLine& line : s.layout.lines) {
                    covered = covered || (line.panel < 0 && inside(line.ink, x, y, 1));
                }
                const unsigned char* p = pixelAt(image, x, y);
                const bool lettering =
                    near(p, white, 40) || (s.layout.summaryPanel < 0 && near(p, gold, 40));
                if (!covered && lettering) {
                    if (stray++ == 0) {
                        firstX = x;
                        firstY = y;
                    }
                }
            }
        }
        EXPECT_EQ(stray, 0) << s.file << ": lettering outside its boxes, first at (" << firstX
                            << ", " << firstY << ")";
        releaseImage(image);
    }
}

TEST(GeneratedData, OutcomeScreensKeepTheSummaryCornerPlainAndDark) {
    const Box rows = summaryRowsBox(kScreenWidth, kScreenHeight);
    for (const char* f : {"screen_death.jpg", "screen_victory.jpg"}) {
        Image* image = decodeJpeg(dataFile(f).c_str());
        ASSERT_NE(image, nullptr) << f;
        ASSERT_EQ(image->width, kScreenWidth);
        ASSERT_EQ(image->height, kScreenHeight);
        // Where the game's summary rows go, and half the corner's margin round them;
        // rows bottom-up.
        const float pad = kSummaryMargin / 2;
        const int x0 = std::max(0, static_cast<int>(rows.x0 - pad));
        const int x1 = static_cast<int>(std::ceil(rows.x1 + pad));
        const int y0 = std::max(0, static_cast<int>(kScreenHeight - rows.y1 - pad));
        const int y1 = static_cast<int>(std::ceil(kScreenHeight - rows.y0 + pad));
        const Stats corner = luminance(image, x0, y0, x1, y1);
        EXPECT_LT(corner.mean, 30) << f;
        EXPECT_LT(corner.deviation, 4) << f;
        // Elsewhere there is a picture, with bright lettering.
        const Stats rest = luminance(image, 0, image->height / 2, image->width, image->height);
        EXPECT_GT(rest.high, 200) << f;
        EXPECT_GT(rest.deviation, 10) << f;
        releaseImage(image);
    }
}

// A tile repeats seamlessly when stepping across its edge changes no more than a step
// inside it does.
double edgeJump(const Image* image, bool across) {
    const int n = image->width;
    auto at = [&](int along, int i, int c) {
        const std::size_t index = across ? static_cast<std::size_t>(i) * n + along
                                         : static_cast<std::size_t>(along) * n + i;
        return static_cast<double>(image->pixels[index * 3 + c]);
    };
    double edge = 0, inside = 0;
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            edge += std::fabs(at(n - 1, i, c) - at(0, i, c));
            inside += std::fabs(at(n / 2, i, c) - at(n / 2 - 1, i, c));
        }
    }
    return edge / std::max(inside, 1.0);
}

TEST(GeneratedData, RepeatingSkinsHaveNoSeam) {
    for (const char* f :
         {"texture_sky.jpg", "texture_tank.jpg", "texture_object.jpg", "texture_bullet.jpg"}) {
        Image* image = decodeJpeg(dataFile(f).c_str());
        ASSERT_NE(image, nullptr) << f;
        EXPECT_LT(edgeJump(image, true), 3.0) << f << " across s";
        EXPECT_LT(edgeJump(image, false), 3.0) << f << " across t";
        releaseImage(image);
    }
    // The sky is seen about 110 times across the screen: soft and low in contrast, an
    // overcast blue-grey rather than a clear blue.
    Image* sky = decodeJpeg(dataFile("texture_sky.jpg").c_str());
    ASSERT_NE(sky, nullptr);
    const Stats s = luminance(sky, 0, 0, sky->width, sky->height);
    EXPECT_LT(s.high - s.low, 24);
    double mean[3] = {0, 0, 0};
    for (int i = 0; i < sky->width * sky->height; ++i) {
        for (int c = 0; c < 3; ++c) {
            mean[c] += sky->pixels[i * 3 + c] / static_cast<double>(sky->width * sky->height);
        }
    }
    EXPECT_GT(mean[2], mean[0]) << "blue-grey";
    EXPECT_GT(mean[2], mean[1]) << "blue-grey";
    EXPECT_LT(mean[2] - std::min(mean[0], mean[1]), 40) << "grey, not a clear blue";
    releaseImage(sky);
}

struct Wav {
    int channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

bool readWav(const std::string& path, Wav& wav) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    Bytes b(1 << 22);
    b.resize(std::fread(b.data(), 1, b.size(), f));
    std::fclose(f);
    if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(&b[8], "WAVE", 4) != 0 || little32(&b[4]) != b.size() - 8) {
        return false;
    }
    std::size_t pos = 12;
    bool format = false;
    while (pos + 8 <= b.size()) {
        const std::uint32_t length = little32(&b[pos + 4]);
        if (pos + 8 + length > b.size()) {
            return false;
        }
        if (std::memcmp(&b[pos], "fmt ", 4) == 0 && length >= 16) {
            format = (b[pos + 8] | (b[pos + 9] << 8)) == 1;
            wav.channels = b[pos + 10] | (b[pos + 11] << 8);
            wav.rate = static_cast<int>(little32(&b[pos + 12]));
            wav.bits = b[pos + 22] | (b[pos + 23] << 8);
        } else if (std::memcmp(&b[pos], "data", 4) == 0) {
            for (std::uint32_t i = 0; i + 1 < length; i += 2) {
                wav.samples.push_back(
                    static_cast<std::int16_t>(b[pos + 8 + i] | (b[pos + 9 + i] << 8)));
            }
        }
        pos += 8 + length;
    }
    return format;
}

double rms(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += static_cast<double>(s[i]) * s[i];
    }
    return std::sqrt(sum / std::max<std::size_t>(1, to - from));
}

TEST(GeneratedData, ShotIsShortAndSharpExplosionALongRumble) {
    Wav shot, boom;
    ASSERT_TRUE(readWav(dataFile("shoot.wav"), shot));
    ASSERT_TRUE(readWav(dataFile("explode.wav"), boom));
    for (const Wav* w : {&shot, &boom}) {
        EXPECT_EQ(w->channels, 1);
        EXPECT_EQ(w->bits, 16);
        EXPECT_EQ(w->rate, kSampleRate);
    }
    const double shotSeconds = static_cast<double>(shot.samples.size()) / shot.rate;
    const double boomSeconds = static_cast<double>(boom.samples.size()) / boom.rate;
    EXPECT_NEAR(shotSeconds, 0.2, 0.05);
    EXPECT_NEAR(boomSeconds, 1.5, 0.2);
    // Loud at once, then dying away; the peak stays clear of clipping.
    const std::size_t tenth = shot.samples.size() / 10;
    EXPECT_GT(rms(shot.samples, 0, tenth), 4000);
    EXPECT_LT(rms(shot.samples, tenth * 9, tenth * 10), rms(shot.samples, 0, tenth) / 10);
    const std::size_t quarter = boom.samples.size() / 4;
    EXPECT_GT(rms(boom.samples, 0, quarter), 2000);
    EXPECT_LT(rms(boom.samples, quarter * 3, quarter * 4), rms(boom.samples, 0, quarter) / 4);
    for (const Wav* w : {&shot, &boom}) {
        int peak = 0;
        for (std::int16_t s : w->samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        EXPECT_GT(peak, 20000);
        EXPECT_LT(peak, 32767);
    }
}

TEST(GeneratedData, IconsArePngsOfTheirSize) {
    const struct {
        const char* name;
        int size;
    } icons[] = {
        {"trelvane-48", 48},   {"trelvane-128", 128}, {"trelvane-256", 256},
        {"trelvane-192", 192}, {"trelvane-512", 512}, {"trelvane-maskable-512", 512},
    };
    for (const auto& icon : icons) {
        const int size = icon.size;
        const std::string path = dataFile((std::string("icons/") + icon.name + ".png").c_str());
        FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr) << path;
        unsigned char head[33];
        ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
        std::fclose(f);
        EXPECT_EQ(0, std::memcmp(head, "\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(0, std::memcmp(head + 12, "IHDR", 4));
        EXPECT_EQ(big32(head + 16), static_cast<std::uint32_t>(size));
        EXPECT_EQ(big32(head + 20), static_cast<std::uint32_t>(size));
    }
}

// The Windows installer's pictures: 24-bit BMP files of the sizes its pages show them
// at, with the title's gold name in the upper part of the welcome strip.
TEST(GeneratedData, InstallerPicturesAre24BitBmpsOfTheirSize) {
    struct Want {
        const char* file;
        int width, height;
    };
    for (const Want& w : {Want{"icons/installer-welcome.bmp", 164, 314},
                          Want{"icons/installer-header.bmp", 150, 57}}) {
        FILE* f = std::fopen(dataFile(w.file).c_str(), "rb");
        ASSERT_NE(f, nullptr) << w.file;
        unsigned char head[30];
        ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head) << w.file;
        std::fclose(f);
        EXPECT_EQ(head[28], 24) << w.file;
        Image* image = decodeBmp(dataFile(w.file).c_str());
        ASSERT_NE(image, nullptr) << w.file;
        EXPECT_EQ(image->width, w.width) << w.file;
        EXPECT_EQ(image->height, w.height) << w.file;
        releaseImage(image);
    }
    Image* welcome = decodeBmp(dataFile("icons/installer-welcome.bmp").c_str());
    ASSERT_NE(welcome, nullptr);
    int gold = 0;
    for (int y = welcome->height * 2 / 3; y < welcome->height; ++y) {  // rows bottom-up
        for (int x = 0; x < welcome->width; ++x) {
            const unsigned char* p = &welcome->pixels[(y * welcome->width + x) * 3];
            gold += std::abs(p[0] - 0xFF) + std::abs(p[1] - 0xC8) + std::abs(p[2] - 0x4A) < 40;
        }
    }
    releaseImage(welcome);
    EXPECT_GT(gold, 300) << "pixels of the gold name in the upper third";
}

}  // namespace
