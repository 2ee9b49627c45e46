#pragma once
// The GL half of the text layer: the font texture and drawing a string with
// its drop shadow. Measuring and the mesh are in text_layout.h.
#include "gfx/gl_functions.h"

// The font atlas, also registered as "font".
extern GLuint font_texture;

// Decodes tex/font.png, measures glyph_widths from its pixels, creates and
// registers font_texture. An image that cannot be decoded or is not exactly
// 128 x 128 pixels ends through fatal_error naming the file (and both sizes).
void load_font();

// Draws the string at (x, y) in text units (origin at the centre of the
// client area, 3 pixels a unit at heights that are multiples of 6): first a
// grey shadow one unit right and down, then the white text in front of it.
// Characters outside 32..126 are skipped. Returns the string's advance. A
// client area below 6 pixels high has no finite text scale: nothing is drawn.
float draw_text(const char* text, float x, float y, float z);
