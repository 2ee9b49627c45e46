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

// Keeps each run's wall-clock and CPU time per frame by view and way, for
// the table at the end. The CPU time is the whole process's, the renderer's
// worker threads included: on a busy machine it moves less than the
// wall-clock time, which also counts the time other programs take.
struct Times {
    double real_ms, cpu_ms;
};
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::pair<int, int>, Times> times;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[{(int)run.counters.at("view").value, (int)run.counters.at("culled").value}] =
                    Times{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
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
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->MinTime(1.0);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-36s %9s %9s %6s   %9s %9s %6s\n", "view", "whole ms", "culled ms", "ratio", "whole cpu",
                "culled cpu", "ratio");
    double real_sum = 0, cpu_sum = 0;
    int counted = 0;
    for (size_t v = 0; v < views.size(); v++) {
        const auto whole = reporter.times.find({(int)v, 0});
        const auto culled = reporter.times.find({(int)v, 1});
        if (whole == reporter.times.end() || culled == reporter.times.end())
            continue;
        const Times w = whole->second, c = culled->second;
        real_sum += w.real_ms / c.real_ms;
        cpu_sum += w.cpu_ms / c.cpu_ms;
        counted++;
        std::printf("%-36s %9.2f %9.2f %5.2fx   %9.2f %9.2f %5.2fx\n", views[v].name.c_str(), w.real_ms, c.real_ms,
                    w.real_ms / c.real_ms, w.cpu_ms, c.cpu_ms, w.cpu_ms / c.cpu_ms);
    }
    if (counted > 0)
        std::printf("%-36s %9s %9s %5.2fx   %9s %9s %5.2fx\n", "mean", "", "", real_sum / counted, "", "",
                    cpu_sum / counted);
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    return 0;
}
