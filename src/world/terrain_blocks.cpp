// The terrain's blocks: their height ranges, measured while the mesh is
// filled, their boxes, and the record runs of the visible ones.
#include "world/terrain_blocks.h"

#include <cfloat>

HeightRange terrain_block_heights[TERRAIN_BLOCK_COUNT] = {};

namespace {

// Set once, before main, to "all floats"; the static zero above is never
// seen by a frame.
const bool unmeasured_at_load = (terrain_blocks_unmeasured(), true);

}  // namespace

void terrain_blocks_unmeasured()
{
    for (HeightRange& range : terrain_block_heights)
        range = HeightRange{-FLT_MAX, FLT_MAX};
}

void terrain_blocks_measure_row(int j, const float* near_heights, const float* far_heights)
{
    HeightRange* row = &terrain_block_heights[TERRAIN_BLOCKS * (j / TERRAIN_BLOCK_CELLS)];
    if (j % TERRAIN_BLOCK_CELLS == 0)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++)
            row[bx] = HeightRange{FLT_MAX, -FLT_MAX};
    for (int bx = 0; bx < TERRAIN_BLOCKS; bx++) {
        // A block's cells reach from its first lattice column to the first
        // column of the next block, which both share.
        HeightRange range = row[bx];
        for (int x = bx * TERRAIN_BLOCK_CELLS; x <= (bx + 1) * TERRAIN_BLOCK_CELLS; x++) {
            const float a = near_heights[x], b = far_heights[x];
            range.low = a < range.low ? a : range.low;
            range.low = b < range.low ? b : range.low;
            range.high = a > range.high ? a : range.high;
            range.high = b > range.high ? b : range.high;
        }
        row[bx] = range;
    }
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
