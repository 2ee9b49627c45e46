// The font image from the glyph designs.
#include "assetgen/font.h"

namespace gen {

Image make_font_image()
{
    Image image = make_image(128, 128, Rgba{0, 0, 0, 0});
    const std::vector<Glyph>& glyphs = font_glyphs();
    for (size_t g = 0; g < glyphs.size(); g++) {
        const int cell_left = (int)(g % 16) * 8;
        // Cell rows count up from the bottom of the image; image rows count
        // down from its top.
        const int cell_top = 128 - ((int)(g / 16) + 1) * 8;
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < design_width(glyphs[g]); x++)
                if (glyphs[g].rows[(size_t)y][(size_t)x] == '#')
                    at(image, cell_left + x, cell_top + y) = Rgba{255, 255, 255, 255};
    }
    return image;
}

}  // namespace gen
