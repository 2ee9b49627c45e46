#pragma once
// Small stand-ins for the game's ore models: one cube per stage, larger for
// fresher deposits, sunk a quarter of its size into the ground. Tests and
// benchmarks build the world from these, so their results do not depend on
// the real data files.
#include "base/model_format.h"

// The twelve triangles of a closed box from centre - half to centre + half,
// wound counter-clockwise seen from outside, with flat normals, appended to
// `model` as one submesh drawn with `texture`.
void append_box(Model& model, Vec3 centre, Vec3 half, const char* texture);

// A closed box from centre - half to centre + half: 12 triangles wound
// counter-clockwise seen from outside, one "ironOreNoise" submesh, and the
// box itself as its collision box.
Model box_model(Vec3 centre, Vec3 half);

// The cube for stage 0 (last hits) to 3 (fresh).
Model fixture_ore_model(int stage);

// Puts the four fixture models into ore_models, as reading mdl/ would.
void load_fixture_ore_models();

// Writes DIR/mdl/ore0.bmf .. ore3.bmf, creating the folders.
void write_fixture_data(const char* dir);
