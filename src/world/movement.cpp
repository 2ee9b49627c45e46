// Walking with gravity and collisions, flying, and placing the eye.
#include "world/movement.h"

#include <cmath>

#include "world/controls.h"
#include "world/noise.h"
#include "world/ores.h"

Body player = PLAYER_START;
Camera camera;

namespace {

constexpr float TICK_SECONDS = 0.016666668f;
constexpr float WALK_ACCELERATION = 0.53333336f;
constexpr float DAMPING = 0.06666667f;
constexpr float GRAVITY_PER_TICK = 0.49000004f;
constexpr float FLY_STEP = 0.2f;
constexpr float ORE_CONTACT_RANGE_SQ = 25.0f;
constexpr float PUSH_CLEARANCE = 0.002f;
constexpr float EYE_HEIGHT = 1.5f;
constexpr float EYE_UP_OFFSET = 0.12f;

// The held movement keys as a unit vector in camera space (x right, z back);
// callers check that an axis is held.
Vec3 input_direction()
{
    const float x = (float)strafe_axis;
    const float z = (float)forward_axis;
    const float length = std::sqrt((x * x + 0.0f) + z * z);
    const float r = 1.0f / length;
    return Vec3{x * r, 0.0f, z * r};
}

float& component(Vec3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

float component(const Vec3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

void push_out_of_ores()
{
    for (int i = 0; i < ore_count; i++) {
        const Ore& ore = ores[i];
        if (ore.hits == 0)
            continue;
        const float dx = ore.position.x - player.position.x;
        const float dy = ore.position.y - player.position.y;
        const float dz = ore.position.z - player.position.z;
        if (!((dx * dx + dy * dy) + dz * dz < ORE_CONTACT_RANGE_SQ))
            continue;
        const Body& model_box = ore_models[stage_of(ore.hits)].box;
        Body box;
        box.position = Vec3{model_box.position.x + ore.position.x, model_box.position.y + ore.position.y,
                            model_box.position.z + ore.position.z};
        box.velocity = Vec3{0, 0, 0};
        box.half = model_box.half;
        body_push_out(player, box);
    }
}

}  // namespace

void walk_step()
{
    Vec3& v = player.velocity;
    if (strafe_axis != 0 || forward_axis != 0) {
        const Vec3 d = mat4_apply(euler_rotation(0.0f, camera.yaw, 0.0f), input_direction(), 0.0f);
        v.x += d.x * WALK_ACCELERATION;
        v.y += d.y * WALK_ACCELERATION;
        v.z += d.z * WALK_ACCELERATION;
    }

    v.x = v.x - v.x * DAMPING;
    v.z = v.z - v.z * DAMPING;
    v.y = v.y - GRAVITY_PER_TICK;

    float feet = (player.position.y - player.half.y) + v.y * TICK_SECONDS;
    const float x = v.x * TICK_SECONDS + player.position.x;
    const float z = v.z * TICK_SECONDS + player.position.z;

    const float ground = terrain_height(x, z);
    if (ground > feet) {
        v.y = 0.0f;
        feet = ground;
    }
    player.position = Vec3{x, feet + player.half.y, z};

    push_out_of_ores();
}

void fly_step()
{
    if (strafe_axis == 0 && forward_axis == 0)
        return;
    const Vec3 d = rotate_vector(input_direction(), camera.pitch, camera.yaw, camera.roll);
    camera.x = camera.x + d.x * FLY_STEP;
    camera.y = camera.y + d.y * FLY_STEP;
    camera.z = camera.z + d.z * FLY_STEP;
}

void body_push_out(Body& body, const Body& box)
{
    float best = INFINITY;
    int best_axis = 0;
    for (int axis = 0; axis < 3; axis++) {
        const float min_a = component(body.position, axis) - component(body.half, axis);
        const float max_a = component(body.position, axis) + component(body.half, axis);
        const float min_b = component(box.position, axis) - component(box.half, axis);
        const float max_b = component(box.position, axis) + component(box.half, axis);
        if (min_a > max_b || min_b > max_a)
            return;  // apart on this axis
        // Toward the negative side first, so it wins a tie on this axis;
        // earlier axes win ties against later ones.
        const float candidates[2] = {min_b - max_a, max_b - min_a};
        for (float candidate : candidates) {
            if (std::fabs(best) > std::fabs(candidate)) {
                best = candidate;
                best_axis = axis;
            }
        }
    }
    const float clearance = best < 0.0f ? -PUSH_CLEARANCE : PUSH_CLEARANCE;
    component(body.velocity, best_axis) = 0.0f;
    float& position = component(body.position, best_axis);
    position = (clearance + best) + position;
}

void place_camera()
{
    if (fly_mode)
        return;
    const Vec3 off = mat4_apply(euler_rotation(camera.pitch, camera.yaw, camera.roll), Vec3{0, EYE_UP_OFFSET, 0}, 0.0f);
    camera.x = player.position.x + off.x;
    camera.y = ((player.position.y + EYE_HEIGHT) - player.half.y) + off.y;
    camera.z = player.position.z + off.z;
}
