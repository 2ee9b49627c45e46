// The start-up stages and one frame, on the same OpenGL the tests use (Mesa
// under Xvfb here; run it under xvfb-run). The world comes from the data
// folder given by QUARRYTOP_DATA (default: the source tree's tex/ and mdl/);
// without data there it uses a small generated world of the GL tests.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/client_size.h"
#include "draw/font.h"
#include "draw/frame.h"
#include "gfx/gl_functions.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "gfx/textures.h"
#include "gl/gl_fixture.h"
#include "platform/sdl/sdl_heap.h"
#include "platform/sdl/sdl_window.h"
#include "shot/shot_world.h"
#include "world/crt_random.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"

namespace {

void BM_BuildPrograms(benchmark::State& state)
{
    for (auto _ : state) {
        build_programs();
        glFinish();
    }
}
BENCHMARK(BM_BuildPrograms)->Unit(benchmark::kMillisecond);

void BM_LoadTexturesAndFont(benchmark::State& state)
{
    for (auto _ : state) {
        texture_registry.count = 0;
        load_textures();
        load_font();
        glFinish();
    }
}
BENCHMARK(BM_LoadTexturesAndFont)->Unit(benchmark::kMillisecond);

void BM_LoadModels(benchmark::State& state)
{
    for (auto _ : state) {
        load_models();
        glFinish();
    }
}
BENCHMARK(BM_LoadModels)->Unit(benchmark::kMillisecond);

void BM_NoiseInit(benchmark::State& state)
{
    for (auto _ : state) {
        noise_init();
        benchmark::DoNotOptimize(noise_perm);
    }
}
BENCHMARK(BM_NoiseInit)->Unit(benchmark::kMicrosecond);

void BM_TerrainFill(benchmark::State& state)
{
    std::vector<ModelVertex> records((size_t)TERRAIN_VERTEX_COUNT);
    for (auto _ : state) {
        terrain_fill(records.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TerrainFill)->Unit(benchmark::kMillisecond);

// The 50 MB upload alone, finished by the driver.
void BM_TerrainUpload(benchmark::State& state)
{
    std::vector<ModelVertex> records((size_t)TERRAIN_VERTEX_COUNT);
    terrain_fill(records.data());
    const int64_t bytes = (int64_t)records.size() * (int64_t)sizeof(ModelVertex);
    for (auto _ : state) {
        gl.BindBuffer(GL_ARRAY_BUFFER, terrain_vbo);
        gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)bytes, records.data(), GL_STATIC_DRAW);
        glFinish();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * bytes);
}

// The start's way: the fill written straight into the mapped buffer (or
// into main memory and uploaded, where mapping is missing).
void BM_TerrainFillIntoBuffer(benchmark::State& state)
{
    for (auto _ : state) {
        terrain_fill(terrain_upload_begin());
        terrain_upload_end();
        glFinish();
    }
}
BENCHMARK(BM_TerrainFillIntoBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TerrainUpload)->Unit(benchmark::kMillisecond);

void BM_PlaceOres(benchmark::State& state)
{
    noise_init();
    const uint32_t after_noise = crt::rand_state();
    for (auto _ : state) {
        ore_count = 0;
        crt::set_rand_state(after_noise);
        place_ores();
    }
}
BENCHMARK(BM_PlaceOres)->Unit(benchmark::kMicrosecond);

// One frame at 800 x 600 from the player's start, presented and finished.
void BM_DrawFrame(benchmark::State& state)
{
    place_camera();
    hold_counters("ticks: 60", "frames: 60");
    client_width = 800;
    client_height = 600;
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    keep_freed_memory();  // as the game does
    open_hidden_gl_window(800, 600);

    std::unique_ptr<TempDir> fixture;
    const char* data = std::getenv("QUARRYTOP_DATA");
    std::string dir = data ? data : QUARRYTOP_SOURCE_DIR;
    if (!std::filesystem::exists(dir + "/tex/font.png") || !std::filesystem::exists(dir + "/mdl/ore0.bmf")) {
        fixture = std::make_unique<TempDir>();
        write_fixture_world(fixture->path);
        std::fprintf(stderr, "no game data in %s: using a generated fixture world\n", dir.c_str());
        dir = fixture->path;
    }
    std::filesystem::current_path(dir);
    start_world();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    return 0;
}
