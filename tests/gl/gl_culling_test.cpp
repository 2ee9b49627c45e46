// Culling changes no pixel: every view of one table, drawn from the game
// data once with every terrain block and deposit (draw_everything) and once
// with only those that can reach the screen, gives the same frame in every
// pixel glReadPixels returns. The views are the four golden scenes and
// places chosen to be hard for the frustum and the horizon tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "draw/frame.h"
#include "gfx/model_loader.h"
#include "gl_fixture.h"
#include "replay/replay_script.h"
#include "shot/shot_world.h"
#include "support/case_names.h"
#include "world/controls.h"
#include "world/frame_timer.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_blocks.h"
#include "world/tick.h"
#include "world/world.h"

namespace {

const std::string SOURCE = QUARRYTOP_SOURCE_DIR;
constexpr float UP = HALF_PI_FLOAT;  // the pitch clamp
constexpr float NORTH = 0.0f, WEST = 1.5707964f, SOUTH = 3.1415927f, EAST = -1.5707964f;

// A view: a scene script run from the start, or a camera put in place with
// the light, the torch and the swing given.
struct View {
    const char* name;
    const char* script;  // under tools/shot/scenes/, or null
    Camera camera;
    float sun = SUN_START_ANGLE;
    bool torch = false;
    float swing = 0.0f;
    bool beside_deposit = false;  // the camera 2 units south of deposit 0, facing it
    int width = 800, height = 600;
    int most_blocks = TERRAIN_BLOCK_COUNT;  // drawn with culling, so that a view known to hide much shows it does
};

void PrintTo(const View& view, std::ostream* out)
{
    *out << view.name;
}

// The lowest and highest lattice points of the map's inner part, for the
// valley and the ridge.
Vec3 extreme_point(bool highest)
{
    Vec3 best{256, terrain_height(256, 256), 256};
    for (int z = 16; z <= 496; z += 4)
        for (int x = 16; x <= 496; x += 4) {
            const float y = terrain_height((float)x, (float)z);
            if (highest ? y > best.y : y < best.y)
                best = Vec3{(float)x, y, (float)z};
        }
    return best;
}

Camera eye_at(float x, float z, float above, float pitch, float yaw)
{
    return Camera{x, terrain_height(x, z) + above, z, pitch, yaw, 0};
}

class GlCulling : public testing::TestWithParam<View> {
protected:
    static inline HeightRange measured_blocks[TERRAIN_BLOCK_COUNT];
    static inline HeightRange measured_patches[TERRAIN_PATCH_COUNT];
    static inline float measured_lattice[TERRAIN_LATTICE * TERRAIN_LATTICE];
    static inline float measured_steepest_step;
    static inline Model stage_models[4];
    static inline bool started = false;

    static void SetUpTestSuite()
    {
        if (started || !std::filesystem::exists(SOURCE + "/tex/font.png"))
            return;
        std::filesystem::current_path(SOURCE);
        start_world();
        std::memcpy(measured_blocks, terrain_block_heights, sizeof measured_blocks);
        std::memcpy(measured_patches, terrain_patch_heights, sizeof measured_patches);
        std::memcpy(measured_lattice, terrain_lattice_heights, sizeof measured_lattice);
        measured_steepest_step = terrain_steepest_step;
        for (int i = 0; i < 4; i++)
            stage_models[i] = ore_models[i];
        started = true;
    }

    // The world as the game starts it, without filling the terrain again:
    // its buffer and its blocks' ranges are those of the first start.
    static void back_to_start()
    {
        world_reset();
        for (int i = 0; i < 4; i++)
            ore_models[i] = stage_models[i];
        world_start(nullptr);
        std::memcpy(terrain_block_heights, measured_blocks, sizeof measured_blocks);
        std::memcpy(terrain_patch_heights, measured_patches, sizeof measured_patches);
        std::memcpy(terrain_lattice_heights, measured_lattice, sizeof measured_lattice);
        terrain_steepest_step = measured_steepest_step;
        timer_start(platform_counter_frequency(), platform_counter());
        hold_counters("ticks: 60", "frames: 60");
    }
};

TEST_P(GlCulling, FrameEqualsTheWholeMeshFrameInEveryPixel)
{
    if (!started)
        GTEST_SKIP() << "no game data in " << SOURCE;
    const View& view = GetParam();
    back_to_start();
    if (view.script) {
        const std::string path = SOURCE + "/tools/shot/scenes/" + view.script;
        FILE* script = std::fopen(path.c_str(), "r");
        ASSERT_NE(script, nullptr) << path;
        FILE* sink = std::fopen("/dev/null", "w");
        run_replay_script(script, path.c_str(), sink);
        std::fclose(sink);
        std::fclose(script);
        place_camera();
    } else {
        fly_mode = true;
        camera = view.camera;
        if (view.beside_deposit) {
            const Vec3 ore = ores[0].position;
            camera = Camera{ore.x, ore.y + 1.0f, ore.z + 2.0f, -0.3f, NORTH, 0};
        }
        sun_angle = view.sun;
        torch_on = view.torch;
        swing_progress = view.swing;
    }

    draw_everything = true;
    const Frame whole = compose_and_read(view.width, view.height);
    draw_everything = false;
    const Frame culled = compose_and_read(view.width, view.height);
    std::printf("%s: %d of %d blocks, %d deposits drawn\n", view.name, terrain_blocks_drawn, TERRAIN_BLOCK_COUNT,
                deposits_drawn);

    EXPECT_LE(terrain_blocks_drawn, view.most_blocks) << "the ground hid less than it should: is the culling in force?";
    ASSERT_EQ(whole.rgb.size(), culled.rgb.size());
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < whole.rgb.size(); i += 3)
        if (std::memcmp(&whole.rgb[i], &culled.rgb[i], 3) != 0 && differing++ == 0)
            first = i / 3;
    EXPECT_EQ(differing, 0u) << view.name << ": " << differing << " pixels differ, the first at x "
                             << first % (size_t)view.width << ", y " << first / (size_t)view.width << " (from the top)";
    if (testing::Test::HasFailure()) {
        write_frame_png(testing::TempDir() + "culling_whole.png", whole);
        write_frame_png(testing::TempDir() + "culling_culled.png", culled);
    }
}

// Views whose camera depends on the terrain's heights are placed when the
// table is built, with the noise table made for it.
std::vector<View> views()
{
    noise_init();
    const Vec3 low = extreme_point(false), high = extreme_point(true);
    const float diagonal_in = -2.3561945f;  // from the corner (0, 0) towards the centre
    return {
        {"golden start", "start.txt", {}},
        {"golden deposit", "deposit.txt", {}},
        {"golden night with the torch", "night_torch.txt", {}},
        {"golden mid-swing", "swing.txt", {}},
        {"pitched to the lower clamp", nullptr, eye_at(100, 100, 1.62f, -UP, 0.4f)},
        {"standing in a valley", nullptr, Camera{low.x, low.y + 1.62f, low.z, 0.05f, 0.7f, 0}},
        {"on the ridge", nullptr, Camera{high.x, high.y + 1.62f, high.z, -0.15f, 2.0f, 0}},
        {"straight up from the ridge", nullptr, Camera{high.x, high.y + 1.62f, high.z, UP, 0.0f, 0}},
        {"straight down, close to the ground", nullptr, eye_at(300, 200, 0.3f, -UP, 1.0f)},
        {"west edge looking in", nullptr, eye_at(0.5f, 256, 1.62f, 0, EAST)},
        {"west edge looking out", nullptr, eye_at(0.5f, 256, 1.62f, 0, WEST)},
        {"corner (0, 0) looking in", nullptr, eye_at(0.5f, 0.5f, 1.62f, -0.1f, diagonal_in)},
        {"corner (0, 0) looking out", nullptr, eye_at(0.5f, 0.5f, 1.62f, 0.1f, diagonal_in + 3.1415927f)},
        {"corner (512, 512) looking along the south edge", nullptr, eye_at(511.5f, 511.5f, 1.62f, 0, WEST)},
        {"north edge looking out and down", nullptr, eye_at(256, 0.5f, 4.0f, -0.6f, NORTH)},
        {"outside the map looking at it", nullptr, Camera{-150, 40, -150, -0.2f, diagonal_in, 0}},
        {"outside the map looking away", nullptr, Camera{-150, 40, -150, -0.2f, 0.785f, 0}},
        {"far outside, the map near the far plane", nullptr, Camera{-700, 300, 256, -0.3f, EAST, 0}},
        {"flying high above the centre", nullptr, Camera{256, 400, 256, -1.0f, 0.3f, 0}},
        {"flying very high, looking straight down", nullptr, Camera{256, 900, 256, -UP, 0, 0}},
        {"night with the torch in the valley", nullptr, Camera{low.x, low.y + 1.62f, low.z, -0.2f, SOUTH, 0},
         4.0f, true},
        {"mid-swing next to a deposit", nullptr, {}, SUN_START_ANGLE, false, 0.5f, true},
        {"on its side, rolled", nullptr, Camera{200, 60, 300, -0.3f, 0.9f, 1.2f}},
        // Much of the ground and many deposits lie behind nearer hills.
        {"from the start over the hills to the south", nullptr, eye_at(100, 100, 1.62f, 0, SOUTH), SUN_START_ANGLE,
         false, 0.0f, false, 800, 600, 300},
        {"from the centre to the north, deposits behind hills", nullptr, eye_at(256, 256, 1.62f, 0, NORTH)},
        {"in the valley at dusk, looking along the hills", nullptr,
         Camera{low.x, low.y + 1.62f, low.z, 0.05f, EAST + 0.4f, 0}, 0.12f},
        {"just above a hilltop, looking down its far side", nullptr,
         Camera{high.x, high.y + 0.2f, high.z, -0.25f, SOUTH + 0.3f, 0}},
        {"a small window over the hills to the south", nullptr, eye_at(100, 100, 1.62f, 0, SOUTH), SUN_START_ANGLE,
         false, 0.0f, false, 160, 120},
    };
}

std::string test_name(const testing::TestParamInfo<View>& info)
{
    return case_name(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Views, GlCulling, testing::ValuesIn(views()), test_name);

}  // namespace
