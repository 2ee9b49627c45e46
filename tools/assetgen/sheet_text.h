#pragma once
// Text on the contact sheet and previews, set with the generated font and
// the game's own glyph measuring, so the sheet shows the text as the game
// would lay it out.
#include <string>

#include "assetgen/image.h"

namespace gen {

// Draws `text` with its bottom-left corner at (x, baseline_y) in image
// pixels, `scale` pixels a font pixel, in `colour`, with the game's grey
// drop shadow one font pixel right and down when `shadow` is set. Returns
// the advance in image pixels.
int draw_sheet_text(Image& image, const std::string& text, int x, int baseline_y, int scale, Rgba colour,
                    bool shadow);

}  // namespace gen
