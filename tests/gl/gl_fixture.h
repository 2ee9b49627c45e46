#pragma once
// Small data of the tests' own: PNG textures written with stb_image_write,
// .bmf models built with encode_model, in temporary folders.
#include <cstdint>
#include <string>
#include <vector>

#include "base/model_format.h"
#include "support/fixture_models.h"

// A fresh folder under the system's temporary directory, removed with its
// contents when the object goes.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// Enters a folder for the lifetime of the object, then goes back.
struct InDirectory {
    std::string previous;
    explicit InDirectory(const std::string& path);
    ~InDirectory();
};

struct Rgba {
    uint8_t r, g, b, a;
};

// width x height pixels, top row first, as image files store them.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    Image(int w, int h, Rgba fill);
    Rgba& at(int x, int y) { return pixels[(size_t)y * width + x]; }
};

// Writes the image with 1 (grey), 2 (grey, alpha), 3 (RGB) or 4 channels.
void write_png(const std::string& path, const Image& image, int channels);

// An 8-bit palette PNG (colour type 3), which stb_image_write cannot make:
// pixel value i of `indices` (top row first) takes palette[i].
void write_palette_png(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
                       const std::vector<Rgba>& palette);

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Colours of the fixture world's textures: each texture is one flat colour,
// so what a frame shows can be checked by colour.
constexpr Rgba ORE_COLOUR{220, 40, 40, 255};      // "ironOreNoise"
constexpr Rgba WOOD_COLOUR{150, 100, 50, 255};    // "wood"
constexpr Rgba METAL_COLOUR{40, 220, 220, 255};   // "metal"
constexpr Rgba EARTH_COLOUR{120, 80, 40, 255};    // "icon" tile 2
constexpr Rgba GRASS_COLOUR{60, 200, 60, 255};    // "icon" tile 3
constexpr Rgba MARKER_COLOUR{255, 255, 0, 255};   // "icon" tile 4

// The width the fixture font gives glyph g (character 32 + g): blank for the
// space (measured as 5), else 1 + g % 8 columns of solid ink.
int fixture_glyph_width(int g);

// The fixture font: 128 x 128, white opaque ink on transparent black.
Image fixture_font();

// tex/ and mdl/ of a small world in `dir`: flat-coloured textures, a 16 x 16
// "icon" atlas (one pixel a tile), the fixture font, ore stages as boxes of
// growing size, a pickaxe of a wooden handle and a metal head, and a floor
// and a wall.
void write_fixture_world(const std::string& dir);
