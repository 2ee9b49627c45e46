// The swing of the pickaxe and the strike resolved at its end.
#include "world/mining.h"

#include <cmath>

#include "world/movement.h"
#include "world/ores.h"

bool swing_active;
float swing_progress;

namespace {

constexpr float SWING_STEP = 0.06666667f;  // 1/15: the 15th step reaches exactly 1
constexpr float REACH_SQ = 9.0f;
constexpr float MARKER_TOLERANCE = 0.2f;

// Tests the ray against the deposit's stage model, triangle by triangle in
// model order, until one is met within the tolerance of the marker: a face
// between the camera and the marker does not shield it.
bool strikes_marker(const Ore& ore, Vec3 direction)
{
    const Vec3 origin{camera.x - ore.position.x, camera.y - ore.position.y, camera.z - ore.position.z};
    if (!((origin.x * origin.x + origin.y * origin.y) + origin.z * origin.z < REACH_SQ))
        return false;
    const Model& model = ore_models[stage_of(ore.hits)];
    const int count = (int)model.vertices.size();
    for (int i = 0; i + 3 <= count; i += 3) {
        float t = 0.0f;
        if (!ray_triangle(origin, direction, &model.vertices[(size_t)i], t))
            continue;
        const Vec3 p{camera.x + direction.x * t, camera.y + direction.y * t, camera.z + direction.z * t};
        const float dx = p.x - ore.marker.x, dy = p.y - ore.marker.y, dz = p.z - ore.marker.z;
        if (std::sqrt((dy * dy + dx * dx) + dz * dz) < MARKER_TOLERANCE)
            return true;
    }
    return false;
}

}  // namespace

void start_swing()
{
    if (swing_active)
        return;
    swing_active = true;
    swing_progress = 0.0f;
}

void swing_step()
{
    if (!swing_active)
        return;
    swing_progress = swing_progress + SWING_STEP;
    if (swing_progress >= 1.0f) {
        swing_active = false;
        swing_progress = 0.0f;
        resolve_strike();
    }
}

void resolve_strike()
{
    const Vec3 direction =
        mat4_apply(euler_rotation(camera.pitch, camera.yaw, camera.roll), Vec3{0, 0, -2}, 0.0f);
    // A strike counts at most once per deposit, but on every deposit it
    // reaches.
    for (int i = 0; i < ore_count; i++) {
        Ore& ore = ores[i];
        if (ore.hits == 0 || !strikes_marker(ore, direction))
            continue;
        ore.hits -= 1;
        ore_update(ore);
    }
}
