#pragma once
// Terrain blocks and boxes hidden behind nearer ground: a horizon over the
// blocks' measured heights, raised from near to far.
#include <cstdint>

#include "base/transform.h"
#include "base/view_volume.h"

// Clears visible[b] (of TERRAIN_BLOCK_COUNT, in the order of
// terrain_block_heights) for each visible block that the ground in front of
// it hides from `eye` entirely: every line from the eye to any point of the
// block passes below the ground on its way, so the first surface it meets is
// a face turned towards the eye, nearer by a margin the depth buffer
// resolves, and drawn before the block in record order (so its fragments
// lose the depth test even where that face's texels are see-through). That
// limits it to blocks wholly beyond the eye in z. The margins also cover how
// far the GPU's picture of the ground can stray from the exact surface in a
// view of view_width x view_height pixels.
//
// Hides nothing unless the eye is over the map and above the ground around
// it; a block the eye stands in is always kept. Returns the number hidden.
int hide_blocks_behind_ground(Vec3 eye, int32_t view_width, int32_t view_height, bool* visible);

// The same for boxes drawn after all of the ground (the deposits), which
// lose to the ground in front in any direction: clears shown[i] for each of
// the `count` boxes the ground hides. blocks_visible says which blocks are
// drawn. Returns the number hidden.
int hide_boxes_behind_ground(Vec3 eye, int32_t view_width, int32_t view_height, const bool* blocks_visible,
                             const Box* boxes, int32_t count, bool* shown);
