#pragma once
// The surface textures of the models and the icon atlas of the terrain and
// the strike marker. Every picture tiles seamlessly.
#include "assetgen/image.h"

namespace gen {

// Grey-brown rock with rust-coloured iron specks and nodules, for the ore
// deposits ("ironOreNoise").
Image make_ore_texture();
// Wood grain running along v, for the pickaxe handle ("wood").
Image make_wood_texture();
// Brushed, scratched and worn steel, for the pickaxe head ("metal").
Image make_metal_texture();

// The 16 x 16 tile atlas ("icon"), 32 pixels a tile. Tiles are counted from
// the bottom-left corner: bottom-row tile 2 is bare earth with gravel, tile 3
// grass, tile 4 the strike marker on a transparent surround.
constexpr int ATLAS_TILE = 32;
constexpr int ATLAS_SIZE = 16 * ATLAS_TILE;
Image make_icon_atlas();

}  // namespace gen
