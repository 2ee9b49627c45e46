#pragma once
// The font's measured glyph widths and the text mesh: pure layout, no GL.
//
// The font image holds the characters 32..126 in 8 x 8 pixel cells, 16 to a
// row, the first row of cells at the bottom of the image. Text units are font
// pixels; a line is 8 units high and its position is the bottom-left corner
// of its first glyph.
#include <cstdint>
#include <vector>

#include "base/transform.h"

constexpr int FIRST_GLYPH = 32;
constexpr int GLYPH_COUNT = 95;  // characters 32..126

// Width in font pixels (1..8) of each character, index ch - 32. The advance
// of a character is its width plus 1.
extern uint8_t glyph_widths[GLYPH_COUNT];

// Measures the glyphs of RGBA pixels (bottom row first, `width` pixels a row,
// at least 128 x 48) into glyph_widths: a glyph ends at its first column with
// no ink (red byte 0); a blank cell counts 5, so a space advances by 6.
void measure_glyph_widths(const uint8_t* pixels, int32_t width);

// Position (x, y, z) then font-atlas coordinate (u, v).
struct TextVertex {
    float x, y, z;
    float u, v;
};
static_assert(sizeof(TextVertex) == 20, "TextVertex is the 20-byte text buffer layout");

// Two triangles a character from (0, 0), each quad as wide as its glyph.
// Characters outside 32..126 are skipped. *width receives the total advance,
// including the gap after the last character.
std::vector<TextVertex> build_text_vertices(const char* text, float* width);

// Text units to clip space for a client area: origin at its centre, 3 pixels
// a unit when the height is a multiple of 6. Client heights below 6 give no
// finite scale; callers draw no text then.
Mat4 text_projection(int32_t client_width, int32_t client_height);
