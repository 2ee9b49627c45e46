// The benchmark world: fixture deposits over the real noise, and a player standing against one.
#include "bench_world.h"

#include <cmath>

#include "support/fixture_models.h"
#include "world/controls.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/world.h"

void build_bench_world()
{
    static bool built = false;
    if (built)
        return;
    load_fixture_ore_models();
    world_start(nullptr);
    built = true;
}

void stand_against_bench_ore()
{
    const Ore& ore = ores[BENCH_ORE];
    const Body& box = ore_models[stage_of(ore.hits)].box;
    // Touching the box's -z face, 0.002 out, as a push-out leaves the body.
    const float z = ore.position.z + box.position.z - box.half.z - player.half.z - 0.002f;
    const float x = ore.position.x;
    player.position = Vec3{x, terrain_height(x, z) + player.half.y, z};
    player.velocity = Vec3{0, 0, 0};
    fly_mode = false;
    strafe_axis = 0;
    forward_axis = -1;
    camera.pitch = 0;
    camera.yaw = 3.14159265f;  // facing +z, into the box
    camera.roll = 0;
    place_camera();
}
