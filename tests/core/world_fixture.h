#pragma once
// Small fixtures for tests of the world: a reset to the state the program
// starts in, deposits, and aiming; box models come from fixture_models.h.
#include <cmath>

#include "base/model_format.h"
#include "support/camera_aim.h"
#include "support/fixture_models.h"

// Every piece of world and input state back to how the program starts.
void reset_world();

// Appends a deposit with `hits` left at `position`; its marker is placed by
// ore_update, which draws one random yaw.
int add_ore(Vec3 position, int hits);
