#include "world/terrain_mesh.h"

#include <vector>

#include "world/noise.h"

ModelVertex terrain_vertices[TERRAIN_VERTEX_COUNT];
uint32_t terrain_vbo;

namespace {

constexpr int LATTICE = TERRAIN_CELLS + 1;
constexpr float TILE = 0.0625f;  // one tile of the 16 x 16 atlas

// Corner offsets (x, z) of the six vertices of a cell, two triangles wound
// so that a level cell faces up.
constexpr int CORNER_X[6] = {0, 0, 1, 1, 1, 0};
constexpr int CORNER_Z[6] = {0, 1, 1, 1, 0, 0};

// Tile 3 (grass) almost everywhere, tile 2 (bare earth) where the coarse
// noise is below -0.5.
int tile_of(float coarse)
{
    const int k = (int)((coarse + 1.0f) * -2.0f);
    const int tile = 2 - k;
    return tile > 3 ? 3 : tile;
}

// Writes cell (i, j) with the given corner heights, indexed like CORNER_X/Z.
void fill_cell(ModelVertex* out, int i, int j, int tile, const float (&heights)[6])
{
    const float ua = (float)(tile % 16) * TILE;
    const float va = (float)(tile / 16) * TILE;
    const float ub = ua + TILE;
    const float vb = va + TILE;
    const float u[6] = {ua, ub, ub, ub, ua, ua};
    const float v[6] = {va, va, vb, vb, vb, va};

    ModelVertex* cell = out + 6 * (TERRAIN_CELLS * j + i);
    for (int k = 0; k < 6; k++) {
        cell[k].position = Vec3{(float)(i + CORNER_X[k]), heights[k], (float)(j + CORNER_Z[k])};
        cell[k].normal = Vec3{0, 1, 0};
        cell[k].u = u[k];
        cell[k].v = v[k];
    }
    flat_normals(cell, 6);
}

}  // namespace

void terrain_fill(ModelVertex* out)
{
    // Lattice values stored row by row of equal z, and cells visited in the
    // same order as their records, so the 50 MB of vertices are written from
    // front to back. Cells do not depend on one another, so the order does
    // not change a bit of the result.
    std::vector<float> height((size_t)LATTICE * LATTICE);
    std::vector<float> coarse((size_t)LATTICE * LATTICE);
    for (int z = 0; z < LATTICE; z++)
        for (int x = 0; x < LATTICE; x++)
            height[(size_t)z * LATTICE + x] =
                terrain_height_and_coarse((float)x, (float)z, &coarse[(size_t)z * LATTICE + x]);

    for (int j = 0; j < TERRAIN_CELLS; j++) {
        for (int i = 0; i < TERRAIN_CELLS; i++) {
            float heights[6];
            for (int k = 0; k < 6; k++)
                heights[k] = height[(size_t)(j + CORNER_Z[k]) * LATTICE + (i + CORNER_X[k])];
            // The tile's noise is the coarse octave at the cell's corner: the
            // same call that the corner's height made.
            fill_cell(out, i, j, tile_of(coarse[(size_t)j * LATTICE + i]), heights);
        }
    }
}

void terrain_fill_direct(ModelVertex* out)
{
    for (int i = 0; i < TERRAIN_CELLS; i++) {
        for (int j = 0; j < TERRAIN_CELLS; j++) {
            const int tile = tile_of(noise2(0.005f * (float)i, 0.005f * (float)j));
            float heights[6];
            for (int k = 0; k < 6; k++)
                heights[k] = terrain_height((float)(i + CORNER_X[k]), (float)(j + CORNER_Z[k]));
            fill_cell(out, i, j, tile, heights);
        }
    }
}
