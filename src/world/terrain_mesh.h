#pragma once
// The ground as one static triangle mesh: 512 x 512 unit cells, six vertices
// each with no sharing, atlas tile 2 or 3 by the coarse noise at the cell's
// corner, flat normals (so the ground is drawn faceted).
#include <cstdint>

#include "base/model_format.h"

constexpr int TERRAIN_CELLS = 512;
constexpr int TERRAIN_VERTEX_COUNT = TERRAIN_CELLS * TERRAIN_CELLS * 6;

// The atlas tile of a cell from the coarse noise at its corner: tile 3 (grass)
// almost everywhere, tile 2 (bare earth) where the noise is below -0.5.
int terrain_tile(float coarse);

// Fills TERRAIN_VERTEX_COUNT records. Cell (i, j) covers x i..i+1, z j..j+1
// and owns the records 6 * (512 * j + i) to 6 * (512 * j + i) + 5. Each of the 513 x 513 lattice heights
// is evaluated once and shared by the cells that meet there: the same
// arguments give the same floats, so the result is bit-identical to
// terrain_fill_direct at about a seventh of the work. Measures the blocks'
// height ranges (terrain_blocks.h) from the same heights on the way.
void terrain_fill(ModelVertex* out);

// The mesh by its definition: 13 noise evaluations a cell (the tile, then two
// for each of the six vertices). Kept as the reference for terrain_fill.
void terrain_fill_direct(ModelVertex* out);
