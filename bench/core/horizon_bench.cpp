// The cost of judging which terrain blocks and deposits nearer ground hides,
// on the real terrain with every block and deposit in view (the most work it
// can be given), from a few places on the ground.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_world.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_blocks.h"
#include "world/terrain_horizon.h"

namespace {

void measure_terrain_once()
{
    static bool measured = false;
    if (measured)
        return;
    build_bench_world();
    std::vector<ModelVertex> mesh((size_t)TERRAIN_VERTEX_COUNT);
    terrain_fill(mesh.data());
    measured = true;
}

void BM_hide_behind_ground(benchmark::State& state)
{
    measure_terrain_once();
    const float x = (float)state.range(0), z = (float)state.range(1);
    const Vec3 eye{x, terrain_height(x, z) + 1.62f, z};
    std::vector<Box> boxes((size_t)ore_count);
    for (int32_t i = 0; i < ore_count; i++)
        boxes[(size_t)i] = box_moved(Box{{-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}}, ores[i].position);
    HiddenCount hidden{0, 0};
    for (auto _ : state) {
        bool visible[TERRAIN_BLOCK_COUNT];
        for (bool& v : visible)
            v = true;
        bool shown[ORE_CAPACITY];
        for (bool& s : shown)
            s = true;
        hidden = hide_behind_ground(eye, 800, 600, visible, boxes.data(), ore_count, shown);
        benchmark::DoNotOptimize(visible);
        benchmark::DoNotOptimize(shown);
    }
    state.counters["blocks_hidden"] = hidden.blocks;
    state.counters["deposits_hidden"] = hidden.boxes;
}
BENCHMARK(BM_hide_behind_ground)
    ->Args({100, 100})
    ->Args({256, 256})
    ->Args({256, 20})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
