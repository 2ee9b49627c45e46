// The contact sheet: every texture scaled up with nearest sampling, the
// terrain tiles laid out as the ground repeats them, the strike marker over
// backgrounds it will meet, and the font with sample lines as the game
// prints them.
#include "assetgen/contact_sheet.h"

#include "assetgen/font.h"
#include "assetgen/sheet_text.h"
#include "assetgen/textures.h"

namespace gen {

namespace {

const Rgba SHEET_BACKGROUND{40, 42, 46, 255};
const Rgba LABEL{230, 230, 230, 255};
const Rgba SKY{100, 149, 237, 255};  // the game's clear colour

// A tile of the atlas at (column, row from the bottom).
Image atlas_tile(const Image& atlas, int column, int row)
{
    Image tile = make_image(ATLAS_TILE, ATLAS_TILE, Rgba{0, 0, 0, 0});
    blit(tile, atlas, -column * ATLAS_TILE, -(ATLAS_SIZE - (row + 1) * ATLAS_TILE), 1, false);
    return tile;
}

Image repeated(const Image& tile, int times)
{
    Image out = make_image(tile.width * times, tile.height * times, Rgba{0, 0, 0, 0});
    for (int y = 0; y < times; y++)
        for (int x = 0; x < times; x++)
            blit(out, tile, x * tile.width, y * tile.height, 1, false);
    return out;
}

Image checkerboard(int width, int height, int square)
{
    Image out = make_image(width, height, Rgba{0, 0, 0, 255});
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            at(out, x, y) = ((x / square + y / square) % 2) ? Rgba{150, 150, 150, 255} : Rgba{205, 205, 205, 255};
    return out;
}

void fill(Image& image, int x, int y, int width, int height, Rgba colour)
{
    for (int py = y; py < y + height; py++)
        for (int px = x; px < x + width; px++)
            if (px >= 0 && py >= 0 && px < image.width && py < image.height)
                at(image, px, py) = colour;
}

void label(Image& sheet, const std::string& text, int x, int y)
{
    draw_sheet_text(sheet, text, x, y - 6, 2, LABEL, false);
}

}  // namespace

void write_contact_sheet(const std::string& path)
{
    Image sheet = make_image(1640, 1640, SHEET_BACKGROUND);
    const Image ore = make_ore_texture(), wood = make_wood_texture(), metal = make_metal_texture();
    const Image atlas = make_icon_atlas(), font = make_font_image();

    // Row 1: the model surfaces.
    label(sheet, "ironOreNoise 256 x2", 20, 40);
    blit(sheet, ore, 20, 40, 2, false);
    label(sheet, "wood 128 x4", 560, 40);
    blit(sheet, wood, 560, 40, 4, false);
    label(sheet, "metal 128 x4", 1100, 40);
    blit(sheet, metal, 1100, 40, 4, false);

    // Row 2: terrain tiles repeated 3 x 3 (seams would show as lines), a
    // patch where earth meets grass, and the marker.
    const int row2 = 600;
    const Image earth = atlas_tile(atlas, 2, 0), grass = atlas_tile(atlas, 3, 0), marker = atlas_tile(atlas, 4, 0);
    label(sheet, "icon tile 3 (grass) 3x3 x4", 20, row2);
    blit(sheet, repeated(grass, 3), 20, row2, 4, false);
    label(sheet, "icon tile 2 (earth) 3x3 x4", 420, row2);
    blit(sheet, repeated(earth, 3), 420, row2, 4, false);
    label(sheet, "earth in grass x2", 820, row2);
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 6; x++) {
            const bool bare = (x == 2 || x == 3) && (y >= 2 && y <= 4);
            blit(sheet, bare || (x == 3 && y == 1) ? earth : grass, 820 + x * 64, row2 + y * 64, 2, false);
        }
    label(sheet, "icon tile 4 (marker) x6", 1230, row2);
    blit(sheet, checkerboard(192, 192, 12), 1230, row2, 1, false);
    blit(sheet, marker, 1230, row2, 6, true);
    Image on_sky = make_image(96, 96, SKY);
    blit(on_sky, marker, 0, 0, 3, true);
    blit(sheet, on_sky, 1230, row2 + 200, 1, false);
    Image on_rock = make_image(96, 96, Rgba{0, 0, 0, 255});
    blit(on_rock, ore, -40, -40, 1, false);
    blit(on_rock, marker, 0, 0, 3, true);
    blit(sheet, on_rock, 1330, row2 + 200, 1, false);
    Image on_grass = repeated(grass, 3);
    blit(on_grass, marker, 32, 32, 1, true);
    blit(sheet, on_grass, 1430, row2 + 200, 2, false);

    // Row 3: the font image and the counter lines at the game's scale of 3
    // screen pixels a font pixel, with the game's drop shadow, on the sky.
    const int row3 = 1060;
    label(sheet, "font 128 x4", 20, row3);
    blit(sheet, checkerboard(512, 512, 32), 20, row3, 1, false);
    Image white_on_dark = make_image(128, 128, Rgba{24, 24, 28, 255});
    blit(white_on_dark, font, 0, 0, 1, true);
    blit(sheet, white_on_dark, 20, row3, 4, false);
    label(sheet, "text at 3 pixels a font pixel, as the game prints it", 560, row3);
    fill(sheet, 560, row3, 1060, 540, SKY);
    draw_sheet_text(sheet, "ticks: 60", 590, row3 + 60, 3, Rgba{255, 255, 255, 255}, true);
    draw_sheet_text(sheet, "frames: 60", 590, row3 + 90, 3, Rgba{255, 255, 255, 255}, true);
    const char* lines[] = {" !\"#$%&'()*+,-./0123456789:;<=>?", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
                           "`abcdefghijklmnopqrstuvwxyz{|}~", "The quick brown fox jumps over the lazy dog.",
                           "Quarrytop: ticks: 59 frames: 144 (100%)"};
    int y = row3 + 160;
    for (const char* line : lines) {
        draw_sheet_text(sheet, line, 590, y, 3, Rgba{255, 255, 255, 255}, true);
        y += 36;
    }
    draw_sheet_text(sheet, "ticks: 60", 590, y + 30, 6, Rgba{255, 255, 255, 255}, true);
    draw_sheet_text(sheet, "frames: 60", 590, y + 90, 6, Rgba{255, 255, 255, 255}, true);
    write_png(path, sheet);
}

}  // namespace gen
