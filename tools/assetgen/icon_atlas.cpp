// The icon atlas: terrain tiles and the strike marker.
//
// The terrain maps one whole tile onto each unit cell with nearest filtering
// and repeat wrapping, so a tile's right edge meets its own left edge in the
// next cell: every tile here is painted with wrapped noise and wrapped
// strokes. A texture coordinate that rounds onto the very edge of a tile
// fetches the neighbouring texel in the atlas; the rows and columns next to
// the terrain tiles therefore repeat the tile's own opposite edge (the texel
// the next cell would show), and the marker's neighbours are transparent.
#include <cmath>

#include "assetgen/det_math.h"
#include "assetgen/textures.h"

namespace gen {

namespace {

constexpr int T = ATLAS_TILE;

Image make_tile()
{
    return make_image(T, T, Rgba{0, 0, 0, 0});
}

int wrap_tile(int v)
{
    return ((v % T) + T) % T;
}

Image grass_tile()
{
    Image tile = make_tile();
    const Rgba deep{58, 98, 34, 255}, mid{86, 136, 48, 255}, light{124, 170, 66, 255};
    for (int y = 0; y < T; y++)
        for (int x = 0; x < T; x++) {
            const double fx = x / (double)T, fy = y / (double)T;
            const double patch = tile_fbm(fx * 4, fy * 4, 4, 3, 101);
            Rgba c = mix(deep, mid, smoothstep(0.2, 0.7, patch));
            c = shade(c, 0.92 + 0.14 * hash01(x, y, 0, 103));
            at(tile, x, y) = c;
        }
    // Blades: short upright strokes, light at the tip, with a dark shadow
    // pixel at the foot; wrapped so they cross the tile's edges seamlessly.
    for (int b = 0; b < 70; b++) {
        const int x = (int)(hash01(b, 0, 0, 107) * T);
        const int y = (int)(hash01(b, 1, 0, 107) * T);
        const int length = 2 + (int)(hash01(b, 2, 0, 107) * 3);
        const int lean = hash01(b, 3, 0, 107) < 0.5 ? -1 : 1;
        const Rgba tip = mix(mid, light, 0.5 + 0.5 * hash01(b, 4, 0, 107));
        for (int i = 0; i < length; i++) {
            const int px = wrap_tile(x + (i == length - 1 ? lean : 0));
            const int py = wrap_tile(y - i);
            at(tile, px, py) = mix(mid, tip, (i + 1) / (double)length);
        }
        at(tile, wrap_tile(x), wrap_tile(y + 1)) = shade(deep, 0.85);
    }
    // A few tiny pale flowers.
    for (int f = 0; f < 3; f++) {
        const int x = (int)(hash01(f, 0, 0, 109) * T), y = (int)(hash01(f, 1, 0, 109) * T);
        at(tile, x, y) = f == 0 ? Rgba{236, 226, 120, 255} : Rgba{232, 232, 220, 255};
    }
    return tile;
}

Image earth_tile()
{
    Image tile = make_tile();
    const Rgba soil_dark{92, 66, 44, 255}, soil_light{138, 104, 72, 255};
    for (int y = 0; y < T; y++)
        for (int x = 0; x < T; x++) {
            const double fx = x / (double)T, fy = y / (double)T;
            const double soil = tile_fbm(fx * 4, fy * 4, 4, 3, 113);
            Rgba c = mix(soil_dark, soil_light, smoothstep(0.25, 0.75, soil));
            c = shade(c, 0.9 + 0.16 * hash01(x, y, 0, 127));
            // Grit: single light and dark grains between the pebbles.
            const double grain = hash01(x, y, 1, 127);
            if (grain > 0.95)
                c = mix(c, Rgba{176, 162, 140, 255}, 0.7);
            else if (grain < 0.04)
                c = shade(c, 0.7);
            at(tile, x, y) = c;
        }
    // Pebbles: at most one per 8 x 8 cell of a wrapped grid, mostly small,
    // lit from the top left, with a shadow on the soil at the bottom right.
    const int cells = T / 8;
    for (int cy = 0; cy < cells; cy++)
        for (int cx = 0; cx < cells; cx++) {
            if (hash01(cx, cy, 0, 131) < 0.25)
                continue;
            const double centre_x = cx * 8 + 1.0 + hash01(cx, cy, 1, 131) * 6;
            const double centre_y = cy * 8 + 1.0 + hash01(cx, cy, 2, 131) * 6;
            const double size = hash01(cx, cy, 3, 131);
            const double radius = 1.0 + size * size * 2.4;
            const double grey = hash01(cx, cy, 4, 131);
            const Rgba stone = mix(Rgba{150, 140, 126, 255}, Rgba{188, 178, 160, 255}, grey);
            for (int dy = -4; dy <= 4; dy++)
                for (int dx = -4; dx <= 4; dx++) {
                    const int px = (int)std::floor(centre_x) + dx, py = (int)std::floor(centre_y) + dy;
                    const double ox = px + 0.5 - centre_x, oy = py + 0.5 - centre_y;
                    const double d = std::sqrt(ox * ox + oy * oy);
                    Rgba& texel = at(tile, wrap_tile(px), wrap_tile(py));
                    if (d <= radius) {
                        // Brighter towards the top left, darker to the bottom right.
                        const double light = 1.0 - 0.22 * (ox + oy) / radius;
                        texel = shade(stone, light);
                    } else {
                        const double sx = ox - 0.9, sy = oy - 0.9;
                        if (std::sqrt(sx * sx + sy * sy) <= radius)
                            texel = shade(texel, 0.62);
                    }
                }
        }
    return tile;
}

// A target about two thirds of a unit across on the one-unit billboard: a
// red centre dot, a clear gap, a yellow ring ending about 0.2 units from the
// centre (the distance within which a strike counts) and four pointers
// aiming inwards, each outlined dark. The billboard faces the viewer and
// takes only sunlight, so with the sun high it is drawn nearly black; the
// gap and the pointers keep its outline a target even then.
Image marker_tile()
{
    Image tile = make_tile();
    const Rgba red{232, 36, 24, 255}, yellow{255, 208, 44, 255}, outline{36, 16, 10, 255};
    const double c = T / 2.0;
    for (int y = 0; y < T; y++)
        for (int x = 0; x < T; x++) {
            const double ox = x + 0.5 - c, oy = y + 0.5 - c;
            const double r = std::sqrt(ox * ox + oy * oy);
            const double along = std::fmax(std::fabs(ox), std::fabs(oy));
            const double across = std::fmin(std::fabs(ox), std::fabs(oy));
            Rgba& texel = at(tile, x, y);
            if (r <= 2.3)
                texel = red;
            else if (r <= 3.4)
                texel = outline;
            else if (r <= 4.6)
                continue;  // the clear gap
            else if (r <= 5.5)
                texel = outline;
            else if (r <= 6.8)
                texel = yellow;
            else if (r <= 7.8)
                texel = outline;
            else if (across < 1.0 && along > 8.8 && along < 12.5)
                texel = yellow;
            else if (across < 2.0 && along < 13.5)
                texel = outline;
        }
    // A glint on the red dot so it reads as a raised button.
    at(tile, (int)c - 2, (int)c - 2) = Rgba{255, 170, 150, 255};
    return tile;
}

// Top-left pixel of the tile at (column, row), rows counted from the bottom
// of the atlas.
void place_tile(Image& atlas, const Image& tile, int column, int row)
{
    blit(atlas, tile, column * T, ATLAS_SIZE - (row + 1) * T, 1, false);
}

// Guards around a terrain tile at (column, 0): the row above it and the top
// row of the atlas (which texture wrapping puts below it) carry the tile's
// opposite edge rows, and the column left of it its right edge column.
void guard_terrain_tile(Image& atlas, const Image& tile, int column)
{
    const int left = column * T;
    for (int x = 0; x < T; x++) {
        // The row just above the tile in the atlas is met when v overshoots
        // the top edge: show the tile's bottom row, as the next cell would.
        at(atlas, left + x, ATLAS_SIZE - T - 1) = at(tile, x, T - 1);
        // v undershooting 0 wraps to the atlas's top row: show the tile's top row.
        at(atlas, left + x, 0) = at(tile, x, 0);
    }
    for (int y = 0; y < T; y++)
        if (at(atlas, left - 1, ATLAS_SIZE - T + y).a == 0)
            at(atlas, left - 1, ATLAS_SIZE - T + y) = at(tile, T - 1, y);
}

}  // namespace

Image make_icon_atlas()
{
    Image atlas = make_image(ATLAS_SIZE, ATLAS_SIZE, Rgba{0, 0, 0, 0});
    const Image earth = earth_tile(), grass = grass_tile(), marker = marker_tile();
    place_tile(atlas, earth, 2, 0);
    place_tile(atlas, grass, 3, 0);
    place_tile(atlas, marker, 4, 0);
    guard_terrain_tile(atlas, earth, 2);
    guard_terrain_tile(atlas, grass, 3);
    return atlas;
}

}  // namespace gen
