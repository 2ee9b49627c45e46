#pragma once
// The ground as one static triangle mesh: 512 x 512 unit cells, six vertices
// each, atlas tile 2 or 3 by the coarse noise, flat normals.
#include "gfx/model_format.h"

constexpr int TERRAIN_CELLS = 512;
constexpr int TERRAIN_VERTEX_COUNT = TERRAIN_CELLS * TERRAIN_CELLS * 6;

// Cell (i, j) owns records 6 * (512 * j + i) to 6 * (512 * j + i) + 5.
extern ModelVertex terrain_vertices[TERRAIN_VERTEX_COUNT];
extern uint32_t terrain_vbo;

// Fills terrain_vertices (no GL). Each lattice height is evaluated once and
// reused; the result is bit-identical to terrain_height at every vertex.
void terrain_fill();

// terrain_fill, then one upload into terrain_vbo (created if 0).
void terrain_build();
