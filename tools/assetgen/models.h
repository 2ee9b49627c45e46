#pragma once
// The generated models.
#include "base/model_format.h"

namespace gen {

// Ore deposit stage 0 (last four hits, smallest) to 3 (fresh, largest).
Model make_ore_model(int stage);
// The held pickaxe, origin at the grip.
Model make_pickaxe_model();
// A floor slab and a wall panel (loaded by the game, never drawn).
Model make_floor_model();
Model make_wall_model();

}  // namespace gen
