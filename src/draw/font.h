#pragma once
// The proportional bitmap font: glyph widths measured from tex/font.png at
// start, and strings drawn with a drop shadow in a screen-fixed layer.
#include <cstdint>

#include "gfx/gl_functions.h"
#include "gfx/transform.h"

// Width in font pixels (1..8) of each character 32..126, index ch - 32.
extern uint8_t glyph_widths[95];
extern GLuint font_texture;

// Measures the 95 glyphs of RGBA pixels (bottom row first, `width` pixels a
// row) into glyph_widths: a glyph ends at its first empty column; a blank
// cell counts 5.
void measure_glyph_widths(const uint8_t* pixels, int32_t width);

// Decodes tex/font.png, measures it, creates font_texture and registers it as
// "font". An image that cannot be decoded, is not square or is smaller than
// 128 x 48 ends through fatal_error.
void load_font();

// Position (x, y, z) then texture coordinate (u, v).
struct TextVertex {
    float x, y, z;
    float u, v;
};

// Six vertices a character, in text units from (0, 0); the caller frees the
// array with delete[]. Characters outside 32..126 are skipped.
TextVertex* build_text_vertices(const char* text, int32_t* count, float* width);

// Text units (3 pixels each at a client height that is a multiple of 6) to
// clip space, origin at the centre of the client area.
Mat4 text_projection(int32_t client_width, int32_t client_height);

// Draws the string at (x, y, z) in text units, shadow first, and returns its
// width. Nothing is drawn while the client is too short for one text unit.
float draw_text(const char* text, float x, float y, float z);
