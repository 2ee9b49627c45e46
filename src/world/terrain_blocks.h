#pragma once
// The terrain mesh in square blocks of cells, each with the range of heights
// its vertices take, so that a frame can leave out the blocks it cannot see;
// and in smaller patches, whose ranges tell where the ground is surely high
// enough to hide what lies behind it.
// The records stay in their one order (row j of cells after row j - 1); a
// block's records are 16 runs of 16 cells, one run in each of its rows.
#include <cstdint>

#include "base/view_volume.h"
#include "world/terrain_mesh.h"

constexpr int TERRAIN_BLOCK_CELLS = 16;
constexpr int TERRAIN_BLOCKS = TERRAIN_CELLS / TERRAIN_BLOCK_CELLS;  // a side
constexpr int TERRAIN_BLOCK_COUNT = TERRAIN_BLOCKS * TERRAIN_BLOCKS;
static_assert(TERRAIN_CELLS % TERRAIN_BLOCK_CELLS == 0, "whole blocks");

// The lowest and highest y of a block's vertices.
struct HeightRange {
    float low, high;
};

// Block (bx, bz) at index TERRAIN_BLOCKS * bz + bx covers cells i in
// 16 bx .. 16 bx + 15 and j in 16 bz .. 16 bz + 15. terrain_fill sets every
// range from the very heights it writes; until then (and after world_reset)
// each range spans all floats, so a block that was never measured is never
// left out.
extern HeightRange terrain_block_heights[TERRAIN_BLOCK_COUNT];

// Patch (px, pz) at index TERRAIN_PATCHES * pz + px covers cells i in
// 4 px .. 4 px + 3 and j in 4 pz .. 4 pz + 3; measured like the blocks, and
// "all floats" (which hides nothing) until then.
constexpr int TERRAIN_PATCH_CELLS = 4;
constexpr int TERRAIN_PATCHES = TERRAIN_CELLS / TERRAIN_PATCH_CELLS;  // a side
constexpr int TERRAIN_PATCH_COUNT = TERRAIN_PATCHES * TERRAIN_PATCHES;
static_assert(TERRAIN_BLOCK_CELLS % TERRAIN_PATCH_CELLS == 0, "whole patches in a block");
extern HeightRange terrain_patch_heights[TERRAIN_PATCH_COUNT];

// The lattice heights themselves, (TERRAIN_CELLS + 1) a row, row z = j at
// index (TERRAIN_CELLS + 1) * j; FLT_MAX until measured.
constexpr int TERRAIN_LATTICE = TERRAIN_CELLS + 1;
extern float terrain_lattice_heights[TERRAIN_LATTICE * TERRAIN_LATTICE];

// The largest height difference between two neighbouring lattice points
// (along x or z): the ground's slope is nowhere steeper than sqrt(2) times
// this. FLT_MAX until measured.
extern float terrain_steepest_step;

// Every range, blocks' and patches', back to "all floats", every lattice
// height and the steepest step to FLT_MAX.
void terrain_blocks_unmeasured();

// Keeps the lattice heights of cell row j and widens the ranges of the
// blocks and patches of that row by the lattice heights of its
// near (z = j) and far (z = j + 1) rows, TERRAIN_CELLS + 1 each. terrain_fill
// calls it once for each row, first with j = 0 (which starts the ranges over).
// A block's or patch's cells reach from its first lattice column and row to
// the first column and row of the next one, which both share.
void terrain_blocks_measure_row(int j, const float* near_heights, const float* far_heights);

// The block's box: its cells' x and z extent and its range of heights.
Box terrain_block_box(int bx, int bz);

// The records of the visible blocks (visible[TERRAIN_BLOCKS * bz + bx]) as
// runs of consecutive records in record order: run k starts at first[k] and
// holds count[k] records. Neighbouring visible blocks of a row, and whole
// visible rows, join into one run. first and count hold up to
// TERRAIN_MAX_RUNS entries; returns how many runs there are.
constexpr int TERRAIN_MAX_RUNS = TERRAIN_CELLS * ((TERRAIN_BLOCKS + 1) / 2);
int terrain_runs(const bool* visible, int32_t* first, int32_t* count);
