// Text on the contact sheet, drawn with the game's own font.
#include "assetgen/sheet_text.h"

#include "assetgen/font.h"
#include "base/text_layout.h"

namespace gen {

namespace {

// The font image and its measured widths, measured once.
const Image& measured_font()
{
    static const Image font = [] {
        Image image = make_font_image();
        // The game measures decoded pixels with the bottom row first.
        std::vector<Rgba> flipped;
        for (int y = image.height - 1; y >= 0; y--)
            for (int x = 0; x < image.width; x++)
                flipped.push_back(at(image, x, y));
        measure_glyph_widths(&flipped[0].r, image.width);
        return image;
    }();
    return font;
}

void draw_glyphs(Image& image, const std::string& text, int x, int baseline_y, int scale, Rgba colour)
{
    const Image& font = measured_font();
    int pen = x;
    for (char ch : text) {
        if (ch < 32 || ch > 126)
            continue;
        const int g = ch - 32;
        const int w = glyph_widths[g];
        const int cell_left = (g % 16) * 8, cell_top = 128 - (g / 16 + 1) * 8;
        for (int y = 0; y < 8; y++)
            for (int gx = 0; gx < w; gx++)
                if (at(font, cell_left + gx, cell_top + y).a > 0)
                    for (int dy = 0; dy < scale; dy++)
                        for (int dx = 0; dx < scale; dx++) {
                            const int px = pen + gx * scale + dx, py = baseline_y - (8 - y) * scale + dy;
                            if (px >= 0 && py >= 0 && px < image.width && py < image.height)
                                at(image, px, py) = colour;
                        }
        pen += (w + 1) * scale;
    }
}

}  // namespace

int draw_sheet_text(Image& image, const std::string& text, int x, int baseline_y, int scale, Rgba colour,
                    bool shadow)
{
    measured_font();
    if (shadow)
        draw_glyphs(image, text, x + scale, baseline_y + scale, scale, Rgba{64, 64, 64, 255});
    draw_glyphs(image, text, x, baseline_y, scale, colour);
    int advance = 0;
    for (char ch : text)
        if (ch >= 32 && ch <= 126)
            advance += (glyph_widths[ch - 32] + 1) * scale;
    return advance;
}

}  // namespace gen
