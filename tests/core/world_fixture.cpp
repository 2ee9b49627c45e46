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

Model box_model(Vec3 c, Vec3 h)
{
    // The eight corners, bit 0 = +x, bit 1 = +y, bit 2 = +z.
    Vec3 corner[8];
    for (int i = 0; i < 8; i++)
        corner[i] = Vec3{c.x + (i & 1 ? h.x : -h.x), c.y + (i & 2 ? h.y : -h.y), c.z + (i & 4 ? h.z : -h.z)};
    // Each face as four corners counter-clockwise seen from outside.
    const int faces[6][4] = {{1, 3, 7, 5}, {0, 4, 6, 2}, {2, 6, 7, 3}, {0, 1, 5, 4}, {4, 5, 7, 6}, {0, 2, 3, 1}};
    Model model;
    for (const auto& f : faces) {
        const int order[6] = {f[0], f[1], f[2], f[2], f[3], f[0]};
        for (int k : order)
            model.vertices.push_back(ModelVertex{corner[k], {0, 0, 0}, 0, 0});
    }
    flat_normals(model.vertices.data(), (int)model.vertices.size());
    Submesh submesh;
    submesh.name = "ironOreNoise";
    submesh.first = 0;
    submesh.count = (int32_t)model.vertices.size();
    model.submeshes.push_back(submesh);
    model.box = Body{c, {0, 0, 0}, h};
    return model;
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
