// Where the lettering and its panels go on the three full-screen pictures (title, defeat,
// victory): every line measured with its font, every panel sized from the lines it holds.
// make_assets draws from this layout and the tests check it, so both see the same boxes.
#pragma once

#include <vector>

#include "tools/canvas.h"

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
// Clear space between a panel's edge and the ink of its lines, pixels.
constexpr float kPanelMarginX = 24;
constexpr float kPanelMarginY = 14;
// Clear space between lettering on the picture itself and the picture's edge.
constexpr float kPictureMargin = 16;
// Clear space between the game's summary rows and the edge of the dark corner under them.
constexpr float kSummaryMargin = 12;
// The longest accuracy text the summary corner is made for, in glyphs: hits up to 999
// and shells up to 9999, as in "999/9999 - 10.0%".
constexpr int kSummaryAccuracyGlyphs = 16;

// [x0, x1) x [y0, y1) in picture pixels, y down.
struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Panel {
    Box box;
    float radius = 0;     // corner rounding
    Color fill;           // may be translucent
    Color edge;           // a rim on the sides away from the picture's edge
    float edgeWidth = 0;  // 0: no rim
};

struct TextLine {
    Font* font = nullptr;
    const char* text = "";
    int pixelSize = 0;
    Color color;
    float x = 0, baseline = 0;  // pen origin, whole pixels
    float shadow = 0;           // shadow offset, 0 for none
    Color shadowColor{0, 0, 0, 0.7f};
    Box ink;         // every pixel the line and its shadow may touch
    int panel = -1;  // the panel it sits in, -1 for the picture itself
};

struct ScreenLayout {
    std::vector<Panel> panels;
    std::vector<TextLine> lines;
    Box summaryRows;        // where the game draws its summary rows; empty on the title
    int summaryPanel = -1;  // the dark corner under them, -1 on the title
};

// The title picture: name, tag line, the panel of keys and the start button.
ScreenLayout layoutBeginScreen(Font* bold, Font* regular);
// The defeat or victory picture: headline, line of text, prompt and the summary corner.
ScreenLayout layoutOutcomeScreen(Font* bold, Font* regular, bool victory);
// Where the summary rows land on a width x height picture: the label and
// kSummaryAccuracyGlyphs glyphs of the widest row, from the lowest row's bottom to the
// highest row's top.
Box summaryRowsBox(int width, int height);
// The pixels a line drawn at (x, baseline) touches, its shadow included.
Box lineInk(Font* font, const char* text, int pixelSize, float x, float baseline, float shadow);

// Fills the panels in order, then draws the lines over them.
void drawLayout(Canvas& c, const ScreenLayout& layout);
