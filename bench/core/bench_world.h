#pragma once
// The world the core benchmarks run in: the fixture ore models, the noise
// table and all 512 deposits, built once.
#include "base/transform.h"
#include "support/camera_aim.h"

// Builds the world on the first call; later calls do nothing.
void build_bench_world();

// The deposit the benchmarks stand at: the nearest to the landing point.
constexpr int BENCH_ORE = 492;

// The player at rest against the near face of BENCH_ORE's box, holding W
// toward it, with the camera at the eye (walk mode).
void stand_against_bench_ore();
