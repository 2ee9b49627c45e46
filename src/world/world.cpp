// The world's start and reset, each written once for the game, the tools
// and the tests.
#include "world/world.h"

#include <cstring>

#include "world/controls.h"
#include "world/crt_random.h"
#include "world/frame_timer.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_blocks.h"
#include "world/terrain_mesh.h"
#include "world/tick.h"

void world_start(ModelVertex* terrain)
{
    noise_init();
    if (terrain)
        terrain_fill(terrain);
    place_ores();
}

void world_reset()
{
    std::memset(noise_perm, 0, sizeof noise_perm);
    crt::set_rand_state(crt::START_STATE);

    for (Ore& ore : ores)
        ore = Ore{};
    ore_count = 0;
    for (Model& model : ore_models)
        model = Model{};
    terrain_blocks_unmeasured();

    player = PLAYER_START;
    camera = Camera{};
    strafe_axis = forward_axis = 0;
    fly_mode = torch_on = false;
    swing_active = false;
    swing_progress = 0.0f;
    sun_angle = SUN_START_ANGLE;

    counter_frequency = tick_period = next_tick = second_mark = 0;
    tick_count = frame_count = 0;
    std::memset(ticks_text, 0, sizeof ticks_text);
    std::memset(frames_text, 0, sizeof frames_text);
}
