// The heads-up display: label-and-glyph rows and the two panels (field map and
// short-range radar). Drawn after the scene; each call switches back on what it
// switched off.
#pragma once

#include <cstddef>

// Row units: x from 10 (left edge) to 1610 (right edge), y from 30 (top) to -1570
// (bottom), y up. A row is a 200 x 50 label and 50 x 50 glyph cells after it.
void drawIntegerRow(float x, float y, unsigned int labelTexture, int value);
void drawDecimalRow(float x, float y, unsigned int labelTexture, float value);
// Examines characters 0 to maxLength of text, stopping at its end.
void drawTextRow(float x, float y, unsigned int labelTexture, const char* text, int maxLength);

// The texts the number rows show (before glyph lookup); buffers of at least 16 chars.
void formatIntegerRowText(int value, char* text, std::size_t size);
void formatDecimalRowText(float value, char* text, std::size_t size);
// "hits/shots - percent%", e.g. "3/8 - 37.5%"; never overruns `size`.
void formatAccuracy(int hits, int shotsFired, char* text, std::size_t size);

// The field map and the short-range radar of the player's surroundings.
void drawRadar();
