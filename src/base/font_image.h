#pragma once
// The font image as the game reads it: a square picture of exactly 128 x 128
// pixels, 16 x 16 cells of 8 x 8 pixels (base/text_layout.h), which the
// glyph measuring and the texture coordinates of the text assume.
#include "base/image.h"

constexpr int FONT_IMAGE_SIZE = 128;

// decode_square_image for the font; an image of any other size ends through
// fatal_error naming the file and both sizes.
DecodedImage decode_font_image(const char* path);
