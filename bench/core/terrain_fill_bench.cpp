// The terrain mesh, 512 x 512 cells: the shared-lattice fill against the
// direct one by its definition (13 noise evaluations a cell).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_world.h"
#include "world/terrain_mesh.h"

namespace {

std::vector<ModelVertex>& mesh()
{
    static std::vector<ModelVertex> vertices((size_t)TERRAIN_VERTEX_COUNT);
    return vertices;
}

void BM_terrain_fill(benchmark::State& state)
{
    build_bench_world();
    for (auto _ : state) {
        terrain_fill(mesh().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * TERRAIN_CELLS * TERRAIN_CELLS);
}
BENCHMARK(BM_terrain_fill)->Unit(benchmark::kMillisecond);

void BM_terrain_fill_direct(benchmark::State& state)
{
    build_bench_world();
    for (auto _ : state) {
        terrain_fill_direct(mesh().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * TERRAIN_CELLS * TERRAIN_CELLS);
}
BENCHMARK(BM_terrain_fill_direct)->Unit(benchmark::kMillisecond);

}  // namespace
