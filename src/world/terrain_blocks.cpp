// The terrain's blocks: their height ranges, measured while the mesh is
// filled, their boxes, and the record runs of the visible ones.
#include "world/terrain_blocks.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

HeightRange terrain_block_heights[TERRAIN_BLOCK_COUNT] = {};
HeightRange terrain_patch_heights[TERRAIN_PATCH_COUNT] = {};
float terrain_lattice_heights[TERRAIN_LATTICE * TERRAIN_LATTICE] = {};
float terrain_steepest_step = 0;

namespace {

// Set once, before main, to "all floats"; the static zero above is never
// seen by a frame.
const bool unmeasured_at_load = (terrain_blocks_unmeasured(), true);

}  // namespace

void terrain_blocks_unmeasured()
{
    for (HeightRange& range : terrain_block_heights)
        range = HeightRange{-FLT_MAX, FLT_MAX};
    for (HeightRange& range : terrain_patch_heights)
        range = HeightRange{-FLT_MAX, FLT_MAX};
    for (float& height : terrain_lattice_heights)
        height = FLT_MAX;
    terrain_steepest_step = FLT_MAX;
}

namespace {

// Widens the ranges of one row of squares `cells` wide (`count` of them) by
// the lattice heights of cell row j, starting them over on their first row.
void measure_squares(HeightRange* row, int count, int cells, int j, const float* near_heights,
                     const float* far_heights)
{
    if (j % cells == 0)
        for (int k = 0; k < count; k++)
            row[k] = HeightRange{FLT_MAX, -FLT_MAX};
    for (int k = 0; k < count; k++) {
        HeightRange range = row[k];
        for (int x = k * cells; x <= (k + 1) * cells; x++) {
            const float a = near_heights[x], b = far_heights[x];
            range.low = a < range.low ? a : range.low;
            range.low = b < range.low ? b : range.low;
            range.high = a > range.high ? a : range.high;
            range.high = b > range.high ? b : range.high;
        }
        row[k] = range;
    }
}

}  // namespace

void terrain_blocks_measure_row(int j, const float* near_heights, const float* far_heights)
{
    if (j == 0)
        terrain_steepest_step = 0;
    for (int x = 0; x < TERRAIN_LATTICE; x++) {
        const float across = std::fabs(far_heights[x] - near_heights[x]);
        const float along = x + 1 < TERRAIN_LATTICE ? std::max(std::fabs(near_heights[x + 1] - near_heights[x]),
                                                               std::fabs(far_heights[x + 1] - far_heights[x]))
                                                    : 0.0f;
        terrain_steepest_step = std::max({terrain_steepest_step, across, along});
    }
    std::copy(near_heights, near_heights + TERRAIN_LATTICE, &terrain_lattice_heights[TERRAIN_LATTICE * j]);
    std::copy(far_heights, far_heights + TERRAIN_LATTICE, &terrain_lattice_heights[TERRAIN_LATTICE * (j + 1)]);
    measure_squares(&terrain_block_heights[TERRAIN_BLOCKS * (j / TERRAIN_BLOCK_CELLS)], TERRAIN_BLOCKS,
                    TERRAIN_BLOCK_CELLS, j, near_heights, far_heights);
    measure_squares(&terrain_patch_heights[TERRAIN_PATCHES * (j / TERRAIN_PATCH_CELLS)], TERRAIN_PATCHES,
                    TERRAIN_PATCH_CELLS, j, near_heights, far_heights);
}

Box terrain_block_box(int bx, int bz)
{
    const HeightRange range = terrain_block_heights[TERRAIN_BLOCKS * bz + bx];
    const float x0 = (float)(bx * TERRAIN_BLOCK_CELLS), z0 = (float)(bz * TERRAIN_BLOCK_CELLS);
    const float side = (float)TERRAIN_BLOCK_CELLS;
    return Box{{x0, range.low, z0}, {x0 + side, range.high, z0 + side}};
}

int terrain_runs(const bool* visible, int32_t* first, int32_t* count)
{
    int runs = 0;
    int32_t run_end = -1;  // one past the last record of the open run
    for (int j = 0; j < TERRAIN_CELLS; j++) {
        const bool* row = &visible[TERRAIN_BLOCKS * (j / TERRAIN_BLOCK_CELLS)];
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++) {
            if (!row[bx])
                continue;
            const int32_t start = 6 * (TERRAIN_CELLS * j + bx * TERRAIN_BLOCK_CELLS);
            const int32_t records = 6 * TERRAIN_BLOCK_CELLS;
            if (runs > 0 && start == run_end) {
                count[runs - 1] += records;
            } else {
                first[runs] = start;
                count[runs] = records;
                runs++;
            }
            run_end = start + records;
        }
    }
    return runs;
}
