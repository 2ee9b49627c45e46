// The OS-free input handlers: keys, the left button and mouse look.
#include "world/input.h"

#include "world/controls.h"
#include "world/mining.h"
#include "world/movement.h"

namespace {

constexpr float MOUSE_LOOK_SCALE = 0.002f;
constexpr float ANGLE_WRAP = 12.566371f;  // 4 pi

void hold(int32_t& axis, int32_t direction)
{
    if (axis == 0)
        axis = direction;
}

// Once per motion, not until the angle is in range: an angle stays within
// 4 pi plus one motion's turn.
float wrap_once(float angle)
{
    if (angle > ANGLE_WRAP)
        return angle - ANGLE_WRAP;
    if (angle < -ANGLE_WRAP)
        return angle + ANGLE_WRAP;
    return angle;
}

}  // namespace

void key_pressed(int key)
{
    switch (key) {
    case KEY_SPACE: player.velocity.y = JUMP_SPEED; break;  // in the air too
    case KEY_A: hold(strafe_axis, -1); break;
    case KEY_D: hold(strafe_axis, +1); break;
    case KEY_W: hold(forward_axis, -1); break;
    case KEY_S: hold(forward_axis, +1); break;
    case KEY_C: fly_mode = !fly_mode; break;
    case KEY_T: torch_on = !torch_on; break;
    default: break;
    }
}

int axis_partner(int key)
{
    switch (key) {
    case KEY_A: return KEY_D;
    case KEY_D: return KEY_A;
    case KEY_W: return KEY_S;
    case KEY_S: return KEY_W;
    default: return 0;
    }
}

void key_released(int key, bool partner_down)
{
    switch (key) {
    case KEY_A: strafe_axis = partner_down ? +1 : 0; break;
    case KEY_D: strafe_axis = partner_down ? -1 : 0; break;
    case KEY_W: forward_axis = partner_down ? +1 : 0; break;
    case KEY_S: forward_axis = partner_down ? -1 : 0; break;
    default: break;
    }
}

void left_button_pressed()
{
    start_swing();
}

void mouse_look(int32_t dx, int32_t dy)
{
    camera.yaw = camera.yaw - (float)dx * MOUSE_LOOK_SCALE;
    camera.pitch = camera.pitch - (float)dy * MOUSE_LOOK_SCALE;
    if ((double)camera.pitch > HALF_PI)
        camera.pitch = HALF_PI_FLOAT;
    else if ((double)camera.pitch < -HALF_PI)
        camera.pitch = -HALF_PI_FLOAT;
    camera.pitch = wrap_once(camera.pitch);
    camera.yaw = wrap_once(camera.yaw);
    camera.roll = wrap_once(camera.roll);
}
