#include "tools/screen_layout.h"

#include <algorithm>
#include <cmath>

namespace {

const Color kGold = hexColor(0xFFC84A);
const Color kWhite = hexColor(0xF4F4F0);
const Color kDefeatRed = hexColor(0xFF5A3C);
const Color kSummaryPanel = hexColor(0x0B0E13);
const Color kSummaryEdge = hexColor(0x5A6470);

// The summary rows in the heads-up display's row units: x from 10 at the left edge to
// 1610 at the right, y from 30 at the top down to -1570 at the bottom.
constexpr float kRowLeft = 10, kRowTop = 30, kRowSpan = 1600;
constexpr float kRowX = 75, kRowLabel = 200, kRowGlyph = 50, kRowHeight = 50;
constexpr float kLowestRowY = -1560, kHighestRowY = -1320;

Box unite(Box a, Box b) {
    return Box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
               std::max(a.y1, b.y1)};
}

Box grow(Box b, float dx, float dy) {
    return Box{b.x0 - dx, b.y0 - dy, b.x1 + dx, b.y1 + dy};
}

TextLine makeLine(Font* font, const char* text, int pixelSize, Color color, float x, float baseline,
                  float shadow = 0) {
    TextLine line;
    line.font = font;
    line.text = text;
    line.pixelSize = pixelSize;
    line.color = color;
    line.x = std::round(x);
    line.baseline = std::round(baseline);
    line.shadow = shadow;
    line.ink = lineInk(font, text, pixelSize, line.x, line.baseline, shadow);
    return line;
}

// A line whose ink is centred on x.
TextLine centredLine(Font* font, const char* text, int pixelSize, Color color, float x,
                     float baseline, float shadow = 0) {
    const TextBox box = measureText(font, text, pixelSize);
    return makeLine(font, text, pixelSize, color, x - (box.left + box.right) / 2.0f, baseline,
                    shadow);
}

// A panel around the lines from `first` on, the margins clear all round; the lines are
// marked as its own.
void panelAround(ScreenLayout& layout, std::size_t first, float radius, Color fill) {
    Box box = layout.lines[first].ink;
    for (std::size_t i = first; i < layout.lines.size(); ++i) {
        box = unite(box, layout.lines[i].ink);
        layout.lines[i].panel = static_cast<int>(layout.panels.size());
    }
    Panel panel;
    panel.box = grow(box, kPanelMarginX, kPanelMarginY);
    panel.radius = radius;
    panel.fill = fill;
    layout.panels.push_back(panel);
}

}  // namespace

Box lineInk(Font* font, const char* text, int pixelSize, float x, float baseline, float shadow) {
    const TextBox box = measureText(font, text, pixelSize);
    Box ink{x + box.left, baseline - box.ascent, x + box.right, baseline + box.descent};
    if (shadow > 0) {
        // The shadow is drawn at offsets shadow - 1 to shadow + 1 both ways.
        ink = unite(ink, Box{ink.x0 + shadow - 1, ink.y0 + shadow - 1, ink.x1 + shadow + 1,
                             ink.y1 + shadow + 1});
    }
    return ink;
}

Box summaryRowsBox(int width, int height) {
    auto toX = [&](float x) { return (x - kRowLeft) / kRowSpan * width; };
    auto toY = [&](float y) { return (kRowTop - y) / kRowSpan * height; };
    const float right = kRowX + kRowLabel + kSummaryAccuracyGlyphs * kRowGlyph;
    return Box{toX(kRowX), toY(kHighestRowY + kRowHeight), toX(right), toY(kLowestRowY)};
}

ScreenLayout layoutBeginScreen(Font* bold, Font* regular) {
    ScreenLayout layout;
    const float middle = kScreenWidth / 2.0f;
    layout.lines.push_back(centredLine(bold, "TRELVANE", 118, kGold, middle, 135, 5));
    layout.lines.back().shadowColor = Color{0, 0, 0, 0.8f};
    layout.lines.push_back(
        centredLine(regular, "Tank battle on the fog-bound field", 24, kWhite, middle, 175, 2));

    // The keys: names right-aligned (by ink) in one column, what they do left-aligned (by
    // pen, so the face's side bearings keep the column straight to the eye) in the next;
    // the block centred.
    const char* keys[][2] = {
        {"W / Up", "Drive forward"},
        {"S / Down", "Brake and reverse"},
        {"A / Left", "Turn left"},
        {"D / Right", "Turn right"},
        {"Space", "Fire"},
        {"Tab", "Turbo"},
        {"1", "Look back"},
        {"2 / 3", "Look left / right"},
        {"+ / -", "Change the level"},
        {"Escape", "Quit"},
    };
    const int size = 22;
    const float gap = 20, firstBaseline = 232, step = 28;
    float keyWidth = 0, actionWidth = 0;
    for (const auto& row : keys) {
        const TextBox key = measureText(bold, row[0], size);
        const TextBox action = measureText(regular, row[1], size);
        keyWidth = std::max(keyWidth, key.right - key.left);
        actionWidth = std::max(actionWidth, action.right);
    }
    const float column = std::round(middle - (keyWidth + gap + actionWidth) / 2.0f + keyWidth);
    const std::size_t firstKey = layout.lines.size();
    float baseline = firstBaseline;
    for (const auto& row : keys) {
        const TextBox key = measureText(bold, row[0], size);
        layout.lines.push_back(makeLine(bold, row[0], size, kGold, column - key.right, baseline));
        layout.lines.push_back(makeLine(regular, row[1], size, kWhite, column + gap, baseline));
        baseline += step;
    }
    panelAround(layout, firstKey, 14, Color{0.03f, 0.05f, 0.08f, 0.78f});

    const std::size_t prompt = layout.lines.size();
    layout.lines.push_back(centredLine(bold, "Press Enter to start", 32, kWhite, middle, 560, 2));
    panelAround(layout, prompt, 12, Color{0.55f, 0.08f, 0.05f, 0.92f});
    return layout;
}

ScreenLayout layoutOutcomeScreen(Font* bold, Font* regular, bool victory) {
    ScreenLayout layout;
    const float middle = kScreenWidth / 2.0f;
    layout.lines.push_back(centredLine(bold, victory ? "VICTORY" : "DEFEAT", 120,
                                       victory ? kGold : kDefeatRed, middle, 170, 5));
    layout.lines.push_back(centredLine(regular,
                                       victory ? "Every enemy tank on the field is destroyed."
                                               : "Your last tank has been destroyed.",
                                       26, kWhite, middle, 222, 2));
    layout.lines.push_back(centredLine(
        bold, victory ? "Press Enter for the next level" : "Press Enter to restart at level 1", 32,
        kWhite, middle, 300, 3));

    // The game writes its summary rows over the lower-left corner: plain and dark there,
    // reaching the picture's left and bottom edges.
    layout.summaryRows = summaryRowsBox(kScreenWidth, kScreenHeight);
    Panel corner;
    corner.box =
        Box{0, std::floor(layout.summaryRows.y0 - kSummaryMargin),
            std::ceil(layout.summaryRows.x1 + kSummaryMargin), static_cast<float>(kScreenHeight)};
    corner.fill = kSummaryPanel;
    corner.edge = kSummaryEdge;
    corner.edgeWidth = 3;
    layout.summaryPanel = static_cast<int>(layout.panels.size());
    layout.panels.push_back(corner);
    return layout;
}

void drawLayout(Canvas& c, const ScreenLayout& layout) {
    for (const Panel& p : layout.panels) {
        const Box& b = p.box;
        if (p.radius > 0) {
            fillRoundRect(c, b.x0, b.y0, b.x1, b.y1, p.radius, p.fill);
        } else {
            fillRect(c, b.x0, b.y0, b.x1, b.y1, p.fill);
        }
        if (p.edgeWidth > 0) {
            // A rim inside the box on each side that is not the picture's own edge.
            const float w = p.edgeWidth;
            if (b.x0 > 0) {
                fillRect(c, b.x0, b.y0, b.x0 + w, b.y1, p.edge);
            }
            if (b.y0 > 0) {
                fillRect(c, b.x0, b.y0, b.x1, b.y0 + w, p.edge);
            }
            if (b.x1 < c.width) {
                fillRect(c, b.x1 - w, b.y0, b.x1, b.y1, p.edge);
            }
            if (b.y1 < c.height) {
                fillRect(c, b.x0, b.y1 - w, b.x1, b.y1, p.edge);
            }
        }
    }
    for (const TextLine& l : layout.lines) {
        drawTextShadowed(c, l.font, l.text, l.pixelSize, l.x, l.baseline, l.color, l.shadow,
                         l.shadowColor);
    }
}
