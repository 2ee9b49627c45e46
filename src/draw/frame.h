#pragma once
// One frame: sky, terrain, ore deposits, near markers, the held pickaxe and
// the two counter lines.

#include <cstdint>

// The reference path for tests and benchmarks, never set by the game: the
// whole terrain in one draw and every live deposit, with no culling. A frame
// drawn either way is the same picture, pixel for pixel.
extern bool draw_everything;

// For benchmarks only, never set by the game: when not null, the frame draws
// exactly the terrain blocks flagged here (TERRAIN_BLOCK_COUNT flags, in the
// order of terrain_block_heights) and the deposits inside the view volume,
// with no time spent choosing blocks. Flagging just the blocks that show a
// pixel times the least that any culling keeping the picture could draw.
extern const bool* terrain_blocks_for_bench;

// What the last frame drew: terrain blocks (of TERRAIN_BLOCK_COUNT) and
// deposits.
extern int32_t terrain_blocks_drawn;
extern int32_t deposits_drawn;

// Everything but the presentation; reads the counter (through the platform)
// for the per-second update between the scene and the counter lines.
void compose_frame();

// compose_frame, then the buffer swap.
void draw_frame();

// Blending, depth test and back-face culling: set once at start.
void set_fixed_gl_state();
