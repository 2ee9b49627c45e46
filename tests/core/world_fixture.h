#pragma once
// Small fixtures for tests of the world: a reset to the state the program
// starts in, deposits, and aiming; box models come from fixture_models.h.
#include <cmath>

#include "gfx/model_format.h"
#include "world/body.h"
#include "fixture_models.h"

// Every piece of world and input state back to how the program starts:
// empty ore table and stage models, the player at rest at (100, 50, 100),
// the camera at the origin, no keys, no swing, the sun at 1.0, walking.
void reset_world();

// Appends a deposit with `hits` left at `position`; its marker is placed by
// ore_update, which draws one random yaw.
int add_ore(Vec3 position, int hits);

// Camera angles that look from the camera's position at `target`.
void aim_camera_at(Vec3 target);
