#pragma once
// An axis-aligned box with a velocity: the player, and the collision box of a
// model (whose velocity is never used). Nine floats in this order.
#include "base/transform.h"

struct Body {
    Vec3 position;  // centre of the box
    Vec3 velocity;  // units per second
    Vec3 half;      // half-extents
};
