// The game's textures, made from deterministic noise.
#include "assetgen/textures.h"

#include <cmath>

#include "assetgen/det_math.h"

namespace gen {

namespace {

// A colour ramp through three stops at 0, 0.5 and 1.
Rgba ramp3(Rgba low, Rgba middle, Rgba high, double t)
{
    t = clamp01(t);
    return t < 0.5 ? mix(low, middle, t * 2) : mix(middle, high, t * 2 - 1);
}

}  // namespace

Image make_ore_texture()
{
    const int size = 256;
    Image image = make_image(size, size, Rgba{0, 0, 0, 255});
    const Rgba rock_dark{64, 60, 58, 255}, rock_mid{122, 116, 108, 255}, rock_light{172, 165, 152, 255};
    const Rgba rust_edge{180, 100, 46, 255}, rust_core{112, 46, 26, 255}, glint{200, 198, 190, 255};
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double fx = x / (double)size, fy = y / (double)size;
            // Rock body: broad light and dark patches with finer grit.
            const double body = tile_fbm(fx * 4, fy * 4, 4, 6, 11);
            Rgba c = ramp3(rock_dark, rock_mid, rock_light, (body - 0.5) * 2.2 + 0.5);

            // Fractures: the borders of a cellular pattern, seen through a
            // wavy distortion so they run irregularly, and only where a
            // second noise lets them, so they fade in and out like cracks.
            const double warp_x = tile_noise(fx * 8, fy * 8, 8, 17) - 0.5;
            const double warp_y = tile_noise(fx * 8, fy * 8, 8, 19) - 0.5;
            const CellDistance cells = tile_cells(fx * 9 + warp_x * 0.9, fy * 9 + warp_y * 0.9, 9, 23);
            const double seam = cells.second - cells.nearest;
            const double crack = smoothstep(0.45, 0.7, tile_noise(fx * 6, fy * 6, 6, 31));
            c = shade(c, 1.0 - 0.4 * crack * (1.0 - smoothstep(0.0, 0.06, seam)));
            // Each chip of rock a little lighter or darker than the next.
            c = shade(c, 0.93 + 0.14 * hash01(cells.cell_x, cells.cell_y, 0, 29));

            // Iron: rusty nodules where a second noise peaks, dark at the core.
            const double iron = tile_fbm(fx * 5, fy * 5, 5, 4, 37);
            const double nodule = smoothstep(0.61, 0.66, iron);
            if (nodule > 0)
                c = mix(c, mix(rust_edge, rust_core, smoothstep(0.66, 0.75, iron)), nodule * 0.9);

            // Loose specks of rust, clustered near the nodules, and a few
            // bright metallic glints.
            const double speck = hash01(x, y, 0, 41);
            const double near_iron = smoothstep(0.45, 0.6, iron);
            if (speck > 0.985 - 0.06 * near_iron)
                c = mix(c, speck > 0.993 ? rust_core : rust_edge, 0.85);
            else if (speck < 0.0012)
                c = glint;

            // Pixel-scale grit.
            c = shade(c, 0.93 + 0.14 * hash01(x, y, 1, 47));
            at(image, x, y) = c;
        }
    return image;
}

Image make_wood_texture()
{
    const int size = 128;
    Image image = make_image(size, size, Rgba{0, 0, 0, 255});
    const Rgba early{200, 152, 98, 255}, late{138, 92, 52, 255}, dark_line{102, 64, 36, 255};
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double fx = x / (double)size, fy = y / (double)size;
            // Growth rings seen from the side: bands across u that wander a
            // little along v, the length of the handle.
            const double wander = tile_noise(fx * 3, fy * 2, 3, 2, 53) * 0.9 + tile_noise(fx * 8, fy * 3, 8, 3, 59) * 0.35;
            const double rings = fx * 14 + wander;
            const double phase = rings - std::floor(rings);
            // Light early wood easing into darker late wood, ending in a
            // sharp dark line.
            Rgba c = mix(early, late, smoothstep(0.35, 0.9, phase));
            if (phase > 0.92)
                c = mix(c, dark_line, 0.7);
            // Fibres: fine streaks along v.
            const double fibre = tile_noise(fx * 64, fy * 4, 64, 4, 61);
            c = shade(c, 0.88 + 0.22 * fibre);
            // A few darker pores.
            if (hash01(x, y, 0, 67) > 0.992)
                c = shade(c, 0.7);
            at(image, x, y) = c;
        }
    return image;
}

Image make_metal_texture()
{
    const int size = 128;
    Image image = make_image(size, size, Rgba{0, 0, 0, 255});
    const Rgba steel{200, 205, 213, 255}, dull{140, 145, 153, 255}, bright{240, 242, 246, 255};
    const Rgba stain{112, 84, 64, 255};
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            const double fx = x / (double)size, fy = y / (double)size;
            // Brushing: long streaks along u.
            const double brushed = tile_noise(fx * 2, fy * 48, 2, 48, 71) * 0.6 + tile_noise(fx * 4, fy * 96, 4, 96, 73) * 0.4;
            Rgba c = mix(dull, steel, 0.45 + 0.55 * brushed);
            // Wear: darker worn patches where hands and stone have been.
            const double wear = tile_fbm(fx * 4, fy * 4, 4, 4, 79);
            c = shade(c, 0.8 + 0.3 * smoothstep(0.25, 0.7, wear));
            // A few faint rust stains in the darkest patches.
            const double rust = smoothstep(0.28, 0.2, wear);
            if (rust > 0)
                c = mix(c, stain, rust * 0.5);
            at(image, x, y) = c;
        }
    // Scratches: short bright lines at random angles, wrapped at the edges.
    for (int s = 0; s < 22; s++) {
        const double x0 = hash01(s, 0, 0, 83) * size, y0 = hash01(s, 1, 0, 83) * size;
        const double angle = (hash01(s, 2, 0, 83) - 0.5) * 1.2;  // mostly along the brushing
        const int length = 4 + (int)(hash01(s, 3, 0, 83) * 12);
        const double dx = det_cos(angle), dy = det_sin(angle);
        for (int i = 0; i < length; i++) {
            const int x = ((int)std::floor(x0 + dx * i) % size + size) % size;
            const int y = ((int)std::floor(y0 + dy * i) % size + size) % size;
            at(image, x, y) = mix(at(image, x, y), bright, 0.4);
        }
    }
    return image;
}

}  // namespace gen
