#pragma once
// The bitmap font: 95 glyphs (characters 32..126) drawn from readable rows
// of '#' and '.', laid into a 128 x 128 image of 8 x 8 cells.
#include <string>
#include <vector>

#include "assetgen/image.h"

namespace gen {

// One glyph as designed: eight rows from the top of its cell, each as wide
// as the glyph. Ink starts in the left column and no column inside the glyph
// is empty, so the game's measuring finds exactly this width.
struct Glyph {
    char character;
    std::vector<std::string> rows;  // 8 rows of '#' (ink) and '.'
};

// All 95 glyphs in character order; a design error (wrong row count, ragged
// rows, an empty column, a missing or doubled character) ends the program
// through fatal_error.
const std::vector<Glyph>& font_glyphs();

// The width each glyph is designed to measure: its row length. The space is
// drawn blank, five columns wide, which is also what a blank cell measures.
int design_width(const Glyph& glyph);

// Opaque white ink on fully transparent pixels; glyph g = ch - 32 in cell
// column g % 16, cell row g / 16 counted from the bottom of the image.
Image make_font_image();

}  // namespace gen
