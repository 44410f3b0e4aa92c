// The heads-up display: label-and-glyph rows and the two panels (field map and
// short-range radar). Drawn after the scene; each call switches back on what it
// switched off.
#pragma once

#include <cstddef>

// Row units: x from 10 (left edge) to 1610 (right edge), y from -1570 (bottom) to 30
// (top), y up. A row is a 200 x 50 label and 50 x 50 glyph cells after it; '0'-'9',
// '-', '/', '%' and '.' are glyphs, a space moves the pen, anything else is skipped.
// Each row leaves lighting, fog, depth test and texture generation S and T switched on
// (whatever they were before), the texture matrix at identity and the model-view matrix
// holding the row view.

// The value clamped to +-99999999, "%-+5.0i", a 0 shown as "0"; six characters drawn.
void drawIntegerRow(float x, float y, unsigned int labelTexture, int value);
// The value clamped to +-100000000, "%-5.1f", a zero's first character made '0'; six
// characters drawn.
void drawDecimalRow(float x, float y, unsigned int labelTexture, float value);
// Examines characters 0 to maxLength of text, stopping at its end.
void drawTextRow(float x, float y, unsigned int labelTexture, const char* text, int maxLength);

// The texts the number rows show (before glyph lookup); never overrun `size`.
void formatIntegerRowText(int value, char* text, std::size_t size);
void formatDecimalRowText(float value, char* text, std::size_t size);
// "hits/shots - percent%", e.g. "3/8 - 37.5%", 0.0 percent before the first shot;
// never overruns `size`.
void formatAccuracy(int hits, int shotsFired, char* text, std::size_t size);

// The field map (centre (20, 20) of the panel view, the whole field in 8 units) and the
// short-range radar (centre (0, 20), 50 world units in 4). Leaves depth test, fog,
// lighting and GL_TEXTURE_2D switched on, the colour white, line width 2, point size 2
// and the model-view matrix as it found it.
void drawRadar();
