#pragma once
// Terrain blocks and boxes hidden behind nearer ground: a horizon over the
// blocks' measured heights, raised from near to far.
#include <cstdint>

#include "base/transform.h"
#include "base/view_volume.h"

// What hide_behind_ground left out.
struct HiddenCount {
    int blocks, boxes;
};

// Clears blocks_visible[b] (of TERRAIN_BLOCK_COUNT, in the order of
// terrain_block_heights) for each visible block that the ground in front of
// it hides from `eye` entirely: every line from the eye to any point of the
// block passes below the ground on its way, so the first surface it meets is
// a face turned towards the eye, nearer by a margin the depth buffer
// resolves, and drawn before the block in record order (so its fragments
// lose the depth test even where that face's texels are see-through). That
// limits it to blocks wholly beyond the eye in z.
//
// Clears boxes_shown[i] the same way for each of the box_count boxes still
// shown, which are drawn after all of the ground (the deposits) and so lose
// to the ground in front in any direction.
//
// The margins also cover how far the GPU's picture of the ground can stray
// from the exact surface in a view of view_width x view_height pixels.
// Hides nothing unless the eye is over the map and above the ground around
// it; nothing the eye stands in is hidden.
HiddenCount hide_behind_ground(Vec3 eye, int32_t view_width, int32_t view_height, bool* blocks_visible,
                               const Box* boxes, int32_t box_count, bool* boxes_shown);
