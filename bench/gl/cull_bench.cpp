// One frame at 800 x 600 for a fixed set of views, drawn whole (every terrain
// block and deposit, draw_everything) and culled, side by side in one run;
// at the end a table of the ratio whole / culled for each view and their
// mean, with the blocks the culled frame drew beside the blocks that show at
// least one pixel (counted with occlusion queries against the whole frame's
// depth): the fewest any culling that keeps the picture could draw. A third
// frame draws just those (terrain_blocks_for_bench), and its ratio whole /
// showing is the most that culling blocks could gain in that view. Run under
// xvfb-run; the game data comes from QUARRYTOP_DATA or the source tree.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "base/client_size.h"
#include "base/view_volume.h"
#include "draw/draw_model.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "draw/frame.h"
#include "gfx/gl_functions.h"
#include "platform/sdl/sdl_heap.h"
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
    int showing = 0;      // blocks that show a pixel
    std::array<bool, TERRAIN_BLOCK_COUNT> shows{};  // which
    int culled_drawn = 0;  // blocks the culled frame drew
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

// Flags the blocks of the current view that show at least one pixel and
// counts them: the whole terrain is drawn for its depth, then each block
// inside the view volume again under an occlusion query, passing where it is
// no farther than the depth already there, with colour and depth writes off.
int blocks_showing(bool* shows)
{
    using GenQueries = void(APIENTRY*)(GLsizei, GLuint*);
    using BeginQuery = void(APIENTRY*)(GLenum, GLuint);
    using EndQuery = void(APIENTRY*)(GLenum);
    using GetQueryObjectuiv = void(APIENTRY*)(GLuint, GLenum, GLuint*);
    const auto gen_queries = (GenQueries)gl_require_proc("glGenQueries");
    const auto begin_query = (BeginQuery)gl_require_proc("glBeginQuery");
    const auto end_query = (EndQuery)gl_require_proc("glEndQuery");
    const auto get_query = (GetQueryObjectuiv)gl_require_proc("glGetQueryObjectuiv");

    const Mat4 clip = view_projection(camera, VIEW_ASPECT);
    glViewport(0, 0, client_width, client_height);
    glClear(GL_DEPTH_BUFFER_BIT);
    gl.UseProgram(lit_program.program);
    set_matrix(lit_program.rot, mat4_identity());
    set_matrix(lit_program.mtw, mat4_identity());
    set_matrix(lit_program.mvp, clip);
    bind_lit_vertex_buffer(terrain_vbo);
    glDrawArrays(GL_TRIANGLES, 0, TERRAIN_VERTEX_COUNT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    GLuint query = 0;
    gen_queries(1, &query);
    int showing = 0;
    for (int bz = 0; bz < TERRAIN_BLOCKS; bz++)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++) {
            if (box_outside_view(clip, terrain_block_box(bx, bz)))
                continue;
            begin_query(GL_SAMPLES_PASSED, query);
            for (int j = bz * TERRAIN_BLOCK_CELLS; j < (bz + 1) * TERRAIN_BLOCK_CELLS; j++)
                glDrawArrays(GL_TRIANGLES, 6 * (TERRAIN_CELLS * j + bx * TERRAIN_BLOCK_CELLS), 6 * TERRAIN_BLOCK_CELLS);
            end_query(GL_SAMPLES_PASSED);
            GLuint samples = 0;
            get_query(query, GL_QUERY_RESULT, &samples);
            shows[TERRAIN_BLOCKS * bz + bx] = samples > 0;
            showing += samples > 0;
        }
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    return showing;
}

// The three ways a view's frame is drawn, as the benchmark's second argument.
enum Way { WHOLE, CULLED, SHOWING_ONLY };

void BM_Frame(benchmark::State& state)
{
    const View& view = views[(size_t)state.range(0)];
    draw_everything = state.range(1) == WHOLE;
    terrain_blocks_for_bench = state.range(1) == SHOWING_ONLY ? view.shows.data() : nullptr;
    fly_mode = true;
    camera = view.camera;
    client_width = 800;
    client_height = 600;
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
    state.counters["view"] = (double)state.range(0);
    state.counters["way"] = (double)state.range(1);
    state.counters["blocks"] = terrain_blocks_drawn;
    if (state.range(1) == CULLED)
        views[(size_t)state.range(0)].culled_drawn = terrain_blocks_drawn;
    state.counters["deposits"] = deposits_drawn;
    draw_everything = false;
    terrain_blocks_for_bench = nullptr;
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
                times[{(int)run.counters.at("view").value, (int)run.counters.at("way").value}] =
                    Times{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    keep_freed_memory();  // as the game does
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
    client_width = 800;
    client_height = 600;
    for (View& view : views) {
        camera = view.camera;
        view.showing = blocks_showing(view.shows.data());
    }

    // The three ways next to each other for each view.
    for (size_t v = 0; v < views.size(); v++)
        for (int way : {WHOLE, CULLED, SHOWING_ONLY})
            benchmark::RegisterBenchmark("Frame", BM_Frame)
                ->Args({(int64_t)v, way})
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->MinTime(1.0);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-36s %9s %9s %6s   %9s %9s %6s   %6s %7s   %10s %6s\n", "view", "whole ms", "culled ms", "ratio",
                "whole cpu", "culled cpu", "ratio", "drawn", "showing", "showing ms", "bound");
    double real_sum = 0, cpu_sum = 0, bound_sum = 0;
    int counted = 0, bounded = 0;
    for (size_t v = 0; v < views.size(); v++) {
        const auto whole = reporter.times.find({(int)v, WHOLE});
        const auto culled = reporter.times.find({(int)v, CULLED});
        const auto showing = reporter.times.find({(int)v, SHOWING_ONLY});
        if (whole == reporter.times.end() || culled == reporter.times.end())
            continue;
        const Times w = whole->second, c = culled->second;
        real_sum += w.real_ms / c.real_ms;
        cpu_sum += w.cpu_ms / c.cpu_ms;
        counted++;
        std::printf("%-36s %9.2f %9.2f %5.2fx   %9.2f %9.2f %5.2fx   %6d %7d", views[v].name.c_str(), w.real_ms,
                    c.real_ms, w.real_ms / c.real_ms, w.cpu_ms, c.cpu_ms, w.cpu_ms / c.cpu_ms, views[v].culled_drawn,
                    views[v].showing);
        if (showing != reporter.times.end()) {
            const double s_ms = showing->second.real_ms;
            bound_sum += w.real_ms / s_ms;
            bounded++;
            std::printf("   %10.2f %5.2fx", s_ms, w.real_ms / s_ms);
        }
        std::printf("\n");
    }
    if (counted > 0)
        std::printf("%-36s %9s %9s %5.2fx   %9s %9s %5.2fx   %6s %7s   %10s", "mean", "", "", real_sum / counted, "",
                    "", cpu_sum / counted, "", "", "");
    if (bounded > 0)
        std::printf(" %5.2fx", bound_sum / bounded);
    std::printf("\n");
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    return 0;
}
