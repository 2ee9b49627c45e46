// The world's per-call and per-tick costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench_world.h"
#include "world/controls.h"
#include "world/crt_random.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/tick.h"

namespace {

// Points spread over the terrain and a little beyond (negative included), so
// the table lookups are not all in one cell.
std::vector<float> sample_points(float scale)
{
    std::vector<float> points;
    uint32_t state = 12345;
    for (int i = 0; i < 2048; i++) {
        state = state * 1664525u + 1013904223u;
        points.push_back(((float)(state >> 8) / 16777216.0f * 600.0f - 40.0f) * scale);
    }
    return points;
}

void BM_noise2(benchmark::State& state)
{
    build_bench_world();
    const std::vector<float> p = sample_points(0.1f);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise2(p[i], p[i + 1]));
        i = (i + 2) & 2047;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_noise2);

void BM_terrain_height(benchmark::State& state)
{
    build_bench_world();
    const std::vector<float> p = sample_points(1.0f);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(terrain_height(p[i], p[i + 1]));
        i = (i + 2) & 2047;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_terrain_height);

// All 512 deposits from the generator state right after the noise shuffle.
void BM_place_ores(benchmark::State& state)
{
    build_bench_world();
    crt::srand(23);
    for (int i = 0; i < 512; i++)
        crt::rand();
    const uint32_t after_shuffle = crt::rand_state();
    for (auto _ : state) {
        ore_count = 0;
        crt::set_rand_state(after_shuffle);
        place_ores();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * ORE_CAPACITY);
}
BENCHMARK(BM_place_ores)->Unit(benchmark::kMicrosecond);

// One tick in walk mode with all 512 deposits live. Arg 0: standing on open
// ground at the landing point, no key held; arg 1: walking into a deposit's
// box, pushed out of it every tick.
void BM_walk_tick(benchmark::State& state)
{
    build_bench_world();
    stand_against_bench_ore();
    if (state.range(0) == 0) {
        forward_axis = 0;
        player.position = Vec3{100, terrain_height(100, 100) + player.half.y, 100};
    }
    const Body start = player;
    for (auto _ : state) {
        player = start;
        run_tick();
        benchmark::ClobberMemory();
    }
    forward_axis = 0;
}
BENCHMARK(BM_walk_tick)->Arg(0)->Arg(1);

// One strike from beside a deposit, so one model's triangles are tested
// besides the reach test of all 512. Arg 0: the ray meets the model away
// from the marker (nothing changes); arg 1: it counts (the deposit and the
// generator are put back each time).
void BM_resolve_strike(benchmark::State& state)
{
    build_bench_world();
    stand_against_bench_ore();
    forward_axis = 0;
    Ore& ore = ores[BENCH_ORE];
    const Body& box = ore_models[stage_of(ore.hits)].box;
    const bool counts = state.range(0) == 1;
    if (counts) {
        // The box's surface point nearest the marker.
        auto clamp = [](float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; };
        const Vec3 centre{ore.position.x + box.position.x, ore.position.y + box.position.y,
                          ore.position.z + box.position.z};
        aim_eye_at(Vec3{clamp(ore.marker.x, centre.x - box.half.x, centre.x + box.half.x),
                     clamp(ore.marker.y, centre.y - box.half.y, centre.y + box.half.y),
                     clamp(ore.marker.z, centre.z - box.half.z, centre.z + box.half.z)});
    } else {
        aim_eye_at(Vec3{ore.position.x, ore.position.y + box.position.y + box.half.y, ore.position.z});
    }
    const Ore saved = ore;
    const uint32_t saved_rand = crt::rand_state();
    resolve_strike();
    if ((ore.hits != saved.hits) != counts) {
        state.SkipWithError("the strike did not do what this case needs");
        return;
    }
    for (auto _ : state) {
        ore = saved;
        crt::set_rand_state(saved_rand);
        resolve_strike();
        benchmark::ClobberMemory();
    }
    ore = saved;
    crt::set_rand_state(saved_rand);
}
BENCHMARK(BM_resolve_strike)->Arg(0)->Arg(1);

}  // namespace
