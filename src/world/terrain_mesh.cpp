// The terrain mesh records: the shared-lattice fill, and the direct one it is checked against.
#include "world/terrain_mesh.h"

#include <vector>

#include "world/noise.h"
#include "world/noise_kernel.h"
#include "world/terrain_blocks.h"

int terrain_tile(float coarse)
{
    const int k = (int)((coarse + 1.0f) * -2.0f);
    const int tile = 2 - k;
    return tile > 3 ? 3 : tile;
}

namespace {

constexpr int LATTICE = TERRAIN_CELLS + 1;
constexpr float TILE = 0.0625f;  // one tile of the 16 x 16 atlas

// Writes the six vertices of one cell from its corners (p00 at the cell's
// lowest x and z, p11 at the highest): the triangles p00 p01 p11 and
// p11 p10 p00, wound so that a level cell faces up.
void write_cell(ModelVertex* cell, int tile, Vec3 p00, Vec3 p01, Vec3 p11, Vec3 p10)
{
    const float ua = (float)(tile % 16) * TILE;
    const float va = (float)(tile / 16) * TILE;
    const float ub = ua + TILE;
    const float vb = va + TILE;
    // The face normals of the two triangles, as flat_normals computes them.
    // The corners' x and z are whole numbers one apart, so those edge
    // components are exactly 0 and +-1; handing them over as constants lets
    // the compiler drop the products by 0 and 1 without changing a bit of
    // the result. The cross product's y is then always 1, so the normal is
    // never degenerate and needs no check.
    const Vec3 n0 = unit_cross(Vec3{0, p01.y - p00.y, 1}, Vec3{1, p11.y - p00.y, 1});
    const Vec3 n1 = unit_cross(Vec3{0, p10.y - p11.y, -1}, Vec3{-1, p00.y - p11.y, -1});
    cell[0] = ModelVertex{p00, n0, ua, va};
    cell[1] = ModelVertex{p01, n0, ub, va};
    cell[2] = ModelVertex{p11, n0, ub, vb};
    cell[3] = ModelVertex{p11, n1, ub, vb};
    cell[4] = ModelVertex{p10, n1, ua, vb};
    cell[5] = ModelVertex{p00, n1, ua, va};
}

ModelVertex* cell_records(ModelVertex* out, int i, int j)
{
    return out + 6 * (TERRAIN_CELLS * j + i);
}

}  // namespace

void terrain_fill(ModelVertex* out)
{
    // Each lattice row and column does its share of the noise once.
    std::vector<TerrainAxis> axis(LATTICE);
    for (int v = 0; v < LATTICE; v++)
        axis[(size_t)v] = terrain_axis((float)v);

    // The cells of row j lie between the lattice rows z = j (near) and
    // z = j + 1 (far); each lattice height is evaluated once and shared by
    // the cells that meet there. The far row is evaluated point by point
    // inside the cell loop, so the noise arithmetic runs while the previous
    // cell's 192 bytes are still being written out.
    std::vector<float> near_height(LATTICE), far_height(LATTICE);
    std::vector<float> near_coarse(LATTICE), far_coarse(LATTICE);
    for (int x = 0; x < LATTICE; x++)
        near_height[(size_t)x] = terrain_height_axes(axis[(size_t)x], axis[0], &near_coarse[(size_t)x]);

    // Cells in the order of their records, so the 50 MB are written front to
    // back; cells do not depend on one another, so the order changes no bit.
    ModelVertex* cell = out;
    for (int j = 0; j < TERRAIN_CELLS; j++) {
        const TerrainAxis& far_z = axis[(size_t)j + 1];
        const float z0 = (float)j, z1 = (float)(j + 1);
        far_height[0] = terrain_height_axes(axis[0], far_z, &far_coarse[0]);
        for (int i = 0; i < TERRAIN_CELLS; i++, cell += 6) {
            far_height[(size_t)i + 1] = terrain_height_axes(axis[(size_t)i + 1], far_z, &far_coarse[(size_t)i + 1]);
            const float x0 = (float)i, x1 = (float)(i + 1);
            // The tile's noise is the coarse octave at the cell's corner: the
            // same evaluation that gave the corner's height.
            write_cell(cell, terrain_tile(near_coarse[(size_t)i]),
                       Vec3{x0, near_height[(size_t)i], z0}, Vec3{x0, far_height[(size_t)i], z1},
                       Vec3{x1, far_height[(size_t)i + 1], z1}, Vec3{x1, near_height[(size_t)i + 1], z0});
        }
        terrain_blocks_measure_row(j, near_height.data(), far_height.data());
        near_height.swap(far_height);
        near_coarse.swap(far_coarse);
    }
}

void terrain_fill_direct(ModelVertex* out)
{
    constexpr int CORNER_X[6] = {0, 0, 1, 1, 1, 0};
    constexpr int CORNER_Z[6] = {0, 1, 1, 1, 0, 0};
    for (int i = 0; i < TERRAIN_CELLS; i++) {
        for (int j = 0; j < TERRAIN_CELLS; j++) {
            const int tile = terrain_tile(noise2(0.005f * (float)i, 0.005f * (float)j));
            const float ua = (float)(tile % 16) * TILE;
            const float va = (float)(tile / 16) * TILE;
            const float u[6] = {ua, ua + TILE, ua + TILE, ua + TILE, ua, ua};
            const float v[6] = {va, va, va + TILE, va + TILE, va + TILE, va};
            ModelVertex* cell = cell_records(out, i, j);
            for (int k = 0; k < 6; k++) {
                const float x = (float)(i + CORNER_X[k]);
                const float z = (float)(j + CORNER_Z[k]);
                cell[k] = ModelVertex{Vec3{x, terrain_height(x, z), z}, Vec3{0, 1, 0}, u[k], v[k]};
            }
            flat_normals(cell, 6);
        }
    }
}
