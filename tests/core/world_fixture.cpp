#include "world_fixture.h"

#include "main/frame_timer.h"
#include "world/controls.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/ores.h"
#include "world/tick.h"

void reset_world()
{
    for (Ore& ore : ores)
        ore = Ore{};
    ore_count = 0;
    for (Model& model : ore_models)
        model = Model{};
    player = Body{{100, 50, 100}, {0, 0, 0}, {0.3f, 0.9f, 0.3f}};
    camera = Camera{};
    strafe_axis = forward_axis = 0;
    fly_mode = torch_on = false;
    swing_active = false;
    swing_progress = 0.0f;
    sun_angle = 1.0f;
}

int add_ore(Vec3 position, int hits)
{
    Ore& ore = ores[ore_count];
    ore.position = position;
    ore.hits = (uint8_t)hits;
    ore_update(ore);
    return ore_count++;
}

void aim_camera_at(Vec3 target)
{
    // The eye looks along (-sin yaw cos pitch, sin pitch, -cos yaw cos pitch).
    const double dx = target.x - camera.x, dy = target.y - camera.y, dz = target.z - camera.z;
    camera.yaw = (float)std::atan2(-dx, -dz);
    camera.pitch = (float)std::atan2(dy, std::sqrt(dx * dx + dz * dz));
    camera.roll = 0.0f;
}
