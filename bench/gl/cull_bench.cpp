// One frame at 800 x 600 for a fixed set of views, drawn whole (every terrain
// block and deposit, draw_everything) and culled, side by side in one run;
// at the end a table of the ratio whole / culled for each view and their
// mean. Run under xvfb-run; the game data comes from QUARRYTOP_DATA or the
// source tree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "base/client_size.h"
#include "draw/frame.h"
#include "gfx/gl_functions.h"
#include "platform/sdl/sdl_window.h"
#include "shot/shot_world.h"
#include "world/controls.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/terrain_blocks.h"
#include "world/tick.h"

namespace {

struct View {
    std::string name;
    Camera camera;
};

std::vector<View> views;

// The player lands from the start (120 ticks, as the start scene), then the
// four headings a quarter turn apart; then places that see much of the map.
void make_views()
{
    for (int i = 0; i < 120; i++) {
        run_tick();
        place_camera();
    }
    const char* const headings[4] = {"start, heading north", "start, heading west", "start, heading south",
                                     "start, heading east"};
    for (int k = 0; k < 4; k++) {
        Camera eye = camera;
        eye.pitch = 0;
        eye.yaw = (float)(k * HALF_PI);
        views.push_back({headings[k], eye});
    }
    const auto ground = [](float x, float z, float above) { return terrain_height(x, z) + above; };
    views.push_back({"corner (0, 0) looking in", Camera{0.5f, ground(0.5f, 0.5f, 1.62f), 0.5f, -0.1f, -2.3561945f, 0}});
    views.push_back({"west edge looking in", Camera{0.5f, ground(0.5f, 256, 1.62f), 256, 0, -1.5707964f, 0}});
    views.push_back({"flying above the centre", Camera{256, 400, 256, -1.0f, 0.3f, 0}});
    views.push_back({"outside the map looking at it", Camera{-150, 40, -150, -0.2f, -2.3561945f, 0}});
}

void BM_Frame(benchmark::State& state)
{
    const View& view = views[(size_t)state.range(0)];
    draw_everything = state.range(1) == 0;
    fly_mode = true;
    camera = view.camera;
    client_width = 800;
    client_height = 600;
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
    state.counters["view"] = (double)state.range(0);
    state.counters["culled"] = (double)state.range(1);
    state.counters["blocks"] = terrain_blocks_drawn;
    state.counters["deposits"] = deposits_drawn;
    draw_everything = false;
}

// Keeps each run's time per frame by view and way, for the table at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::pair<int, int>, double> ms;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                ms[{(int)run.counters.at("view").value, (int)run.counters.at("culled").value}] =
                    run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    open_hidden_gl_window(800, 600);
    const char* data = std::getenv("QUARRYTOP_DATA");
    const std::string dir = data ? data : QUARRYTOP_SOURCE_DIR;
    if (!std::filesystem::exists(dir + "/tex/font.png")) {
        std::fprintf(stderr, "no game data in %s\n", dir.c_str());
        return 1;
    }
    std::filesystem::current_path(dir);
    start_world();
    hold_counters("ticks: 60", "frames: 60");
    make_views();

    // Whole and culled next to each other for each view.
    for (size_t v = 0; v < views.size(); v++)
        for (int culled = 0; culled <= 1; culled++)
            benchmark::RegisterBenchmark("Frame", BM_Frame)
                ->Args({(int64_t)v, culled})
                ->Unit(benchmark::kMillisecond)
                ->MinTime(1.0);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-36s %10s %10s %7s\n", "view", "whole ms", "culled ms", "ratio");
    std::fflush(stdout);
    double sum = 0;
    int counted = 0;
    for (size_t v = 0; v < views.size(); v++) {
        const auto whole = reporter.ms.find({(int)v, 0});
        const auto culled = reporter.ms.find({(int)v, 1});
        if (whole == reporter.ms.end() || culled == reporter.ms.end())
            continue;
        const double ratio = whole->second / culled->second;
        sum += ratio;
        counted++;
        std::printf("%-36s %10.2f %10.2f %6.2fx\n", views[v].name.c_str(), whole->second, culled->second, ratio);
    }
    if (counted > 0)
        std::printf("%-36s %10s %10s %6.2fx\n", "mean", "", "", sum / counted);
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    return 0;
}
