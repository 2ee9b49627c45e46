// The terrain's blocks: every vertex of the mesh inside its block's box, the
// boxes tight, unmeasured blocks never left out, and the record runs of the
// visible blocks exactly their records, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "world/noise.h"
#include "world/terrain_blocks.h"

namespace {

int block_of_record(int32_t record)
{
    const int cell = record / 6;
    const int i = cell % TERRAIN_CELLS, j = cell / TERRAIN_CELLS;
    return TERRAIN_BLOCKS * (j / TERRAIN_BLOCK_CELLS) + i / TERRAIN_BLOCK_CELLS;
}

TEST(TerrainBlocks, EveryVertexLiesInItsBlocksBoxAndEachBoxIsTight)
{
    noise_init();
    std::vector<ModelVertex> mesh((size_t)TERRAIN_VERTEX_COUNT);
    terrain_fill(mesh.data());  // measures the blocks
    // The mesh by its definition, computed apart from the measuring.
    terrain_fill_direct(mesh.data());
    std::vector<bool> low_reached(TERRAIN_BLOCK_COUNT), high_reached(TERRAIN_BLOCK_COUNT);
    for (int32_t r = 0; r < TERRAIN_VERTEX_COUNT; r++) {
        const int block = block_of_record(r);
        const Box b = terrain_block_box(block % TERRAIN_BLOCKS, block / TERRAIN_BLOCKS);
        const Vec3 p = mesh[(size_t)r].position;
        ASSERT_TRUE(p.x >= b.low.x && p.x <= b.high.x && p.y >= b.low.y && p.y <= b.high.y && p.z >= b.low.z &&
                    p.z <= b.high.z)
            << "record " << r << " at (" << p.x << ", " << p.y << ", " << p.z << ") is outside block " << block;
        low_reached[(size_t)block] = low_reached[(size_t)block] || p.y == b.low.y;
        high_reached[(size_t)block] = high_reached[(size_t)block] || p.y == b.high.y;
    }
    for (int block = 0; block < TERRAIN_BLOCK_COUNT; block++)
        EXPECT_TRUE(low_reached[(size_t)block] && high_reached[(size_t)block])
            << "block " << block << "'s height range is wider than its vertices";

    // The patches' ranges hold their vertices too, and the lattice and the
    // steepest step are those of the records.
    float steepest = 0;
    for (int32_t r = 0; r < TERRAIN_VERTEX_COUNT; r++) {
        const int cell = r / 6;
        const int i = cell % TERRAIN_CELLS, j = cell / TERRAIN_CELLS;
        const HeightRange range =
            terrain_patch_heights[TERRAIN_PATCHES * (j / TERRAIN_PATCH_CELLS) + i / TERRAIN_PATCH_CELLS];
        const Vec3 p = mesh[(size_t)r].position;
        ASSERT_TRUE(p.y >= range.low && p.y <= range.high) << "record " << r << " is outside its patch's range";
        ASSERT_EQ(terrain_lattice_heights[TERRAIN_LATTICE * (int)p.z + (int)p.x], p.y) << "record " << r;
        // Vertices 0, 1 and 4 of a cell: its corner and its neighbours in z and x.
        if (r % 6 == 0) {
            steepest = std::max(steepest, std::fabs(mesh[(size_t)r + 1].position.y - p.y));
            steepest = std::max(steepest, std::fabs(mesh[(size_t)r + 4].position.y - p.y));
        }
    }
    EXPECT_EQ(terrain_steepest_step, steepest);
}

TEST(TerrainBlocks, UnmeasuredBlocksAreNeverLeftOut)
{
    terrain_blocks_unmeasured();
    const Mat4 clip = view_projection(Camera{256, 5000, -3000, 0, 3.0f, 0}, VIEW_ASPECT);
    for (int bz = 0; bz < TERRAIN_BLOCKS; bz++)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++)
            ASSERT_FALSE(box_outside_view(clip, terrain_block_box(bx, bz))) << bx << ", " << bz;
}

// The runs expanded record by record equal the visible blocks' records, and
// they come in record order with no two touching (touching ones join).
void expect_runs_cover(const std::vector<bool>& pattern, const char* name)
{
    bool visible[TERRAIN_BLOCK_COUNT];
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++)
        visible[b] = pattern[(size_t)b];
    std::vector<int32_t> first(TERRAIN_MAX_RUNS), count(TERRAIN_MAX_RUNS);
    const int runs = terrain_runs(visible, first.data(), count.data());
    ASSERT_LE(runs, TERRAIN_MAX_RUNS) << name;
    std::vector<bool> drawn((size_t)TERRAIN_VERTEX_COUNT);
    int32_t previous_end = -1;
    for (int k = 0; k < runs; k++) {
        ASSERT_GT(count[(size_t)k], 0) << name << ": run " << k;
        ASSERT_GT(first[(size_t)k], previous_end) << name << ": run " << k << " is out of order or touches the last";
        previous_end = first[(size_t)k] + count[(size_t)k];
        ASSERT_LE(previous_end, TERRAIN_VERTEX_COUNT) << name;
        for (int32_t r = first[(size_t)k]; r < previous_end; r++)
            drawn[(size_t)r] = true;
    }
    for (int32_t r = 0; r < TERRAIN_VERTEX_COUNT; r++)
        ASSERT_EQ(drawn[(size_t)r], pattern[(size_t)block_of_record(r)]) << name << ": record " << r;
}

TEST(TerrainBlocks, RunsHoldExactlyTheVisibleBlocksRecordsInOrder)
{
    std::vector<bool> none(TERRAIN_BLOCK_COUNT, false), all(TERRAIN_BLOCK_COUNT, true);
    expect_runs_cover(none, "no block");
    expect_runs_cover(all, "every block");
    std::vector<bool> one = none, corner = none, pair = none, checker = none, column = none;
    one[TERRAIN_BLOCKS * 7 + 5] = true;
    corner[TERRAIN_BLOCK_COUNT - 1] = true;
    pair[TERRAIN_BLOCKS * 3 + 9] = pair[TERRAIN_BLOCKS * 3 + 10] = true;
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        checker[(size_t)b] = (b % TERRAIN_BLOCKS + b / TERRAIN_BLOCKS) % 2 == 0;
        column[(size_t)b] = b % TERRAIN_BLOCKS == 0;
    }
    expect_runs_cover(one, "one block");
    expect_runs_cover(corner, "the last block");
    expect_runs_cover(pair, "two neighbours");
    expect_runs_cover(checker, "checkerboard (the most runs)");
    expect_runs_cover(column, "the first column");
    std::mt19937 random(4);
    std::vector<bool> scattered(TERRAIN_BLOCK_COUNT);
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++)
        scattered[(size_t)b] = random() % 3 == 0;
    expect_runs_cover(scattered, "scattered");

    bool visible[TERRAIN_BLOCK_COUNT];
    for (bool& v : visible)
        v = true;
    std::vector<int32_t> first(TERRAIN_MAX_RUNS), count(TERRAIN_MAX_RUNS);
    ASSERT_EQ(terrain_runs(visible, first.data(), count.data()), 1) << "a whole mesh is one run";
    EXPECT_EQ(count[0], TERRAIN_VERTEX_COUNT);
}

}  // namespace
