#pragma once
// The font image as the game reads it: a square picture whose glyph cells
// (8 x 8 pixels, 16 to a row, base/text_layout.h) fit in it.
#include "base/image.h"

// The glyph cells fill the first six rows of 8-pixel cells, 16 to a row.
constexpr int FONT_MIN_WIDTH = 128;
constexpr int FONT_MIN_HEIGHT = 48;

// decode_square_image for the font; an image too small for the glyph cells
// ends through fatal_error naming the file and its size.
DecodedImage decode_font_image(const char* path);
