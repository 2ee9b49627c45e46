#pragma once
// Which parts of the world a view can show: axis-aligned boxes tested against
// the clip volume of a world-to-clip matrix, conservatively.
#include <cstddef>

#include "base/model_format.h"
#include "base/transform.h"

// An axis-aligned box, low <= high on every axis.
struct Box {
    Vec3 low, high;
};

// The smallest box holding every position of the records.
Box box_of_vertices(const ModelVertex* vertices, size_t count);

// The box moved by `offset`.
Box box_moved(const Box& box, Vec3 offset);

// True only when the whole box lies outside one of the six planes that clip
// the view volume of `clip` (world to clip coordinates: -w <= x, y, z <= w),
// by a margin far wider than the rounding of the single-precision clip
// coordinates the GPU computes. Such a box cannot give a single fragment:
// every triangle inside it is clipped away entirely. Any doubt (a box
// touching or straddling the volume, behind the eye yet crossing a plane, or
// NaN anywhere) answers false: draw it.
bool box_outside_view(const Mat4& clip, const Box& box);
