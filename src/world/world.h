#pragma once
// The world as a whole: its start, the same in the game and in every tool,
// and its reset to the state the program starts in.
#include "base/model_format.h"

// Starts the world, in this order: the noise table (seeded with 23), the
// terrain mesh into `terrain` (TERRAIN_VERTEX_COUNT records; skipped when
// null, for tools that only simulate: the mesh draws no random numbers), then
// the 512 deposits. The four ore stage models must be in ore_models.
void world_start(ModelVertex* terrain);

// Every world global back to its value at load: no deposits and no stage
// models, the noise table and the generator unseeded, the player at rest at
// its start, the camera at the origin, no keys held, no swing, walking with
// the torch off, the sun at its start angle, and game time not started.
// A new world global gets its line here.
void world_reset();
