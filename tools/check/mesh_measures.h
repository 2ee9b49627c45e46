#pragma once
// Measures of a model's triangles that the checker, the model tool and the
// data tests share: extent, closedness, enclosed volume.
#include "base/model_format.h"

struct Extent {
    Vec3 min, max;
};

// The smallest box around the vertices; a model without vertices gets zeros.
Extent extent_of(const Model& model);

// Closed: every directed edge (by exact positions) is met by as many edges
// running the other way, so no gap shows the inside.
bool is_closed(const Model& model);

// Six times the signed volume enclosed: positive when the triangles are
// wound counter-clockwise seen from outside (the game culls the others).
double signed_volume6(const Model& model);
