// One table of input cases, played through each platform layer's own events.
#include "input_cases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "world/controls.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"

namespace {

InputStep press(int key) { return {InputAct::press, key}; }
InputStep repeat(int key) { return {InputAct::repeat, key}; }
InputStep release(int key) { return {InputAct::release, key}; }
InputStep click() { return {InputAct::click}; }
InputStep move(int32_t dx, int32_t dy) { return {InputAct::move, 0, dx, dy}; }

InputState with_axes(int32_t strafe, int32_t forward)
{
    InputState state;
    state.strafe_axis = strafe;
    state.forward_axis = forward;
    return state;
}

std::vector<InputCase> make_cases()
{
    std::vector<InputCase> cases;
    const InputState rest;

    // The axes: the first key of an axis holds it; a release falls back to
    // the other key's state, whatever the axis held before.
    cases.push_back({"A then D: A keeps the axis", rest, {press(KEY_A), press(KEY_D)}, with_axes(-1, 0)});
    cases.push_back({"A, D, release A finds D down", rest,
                     {press(KEY_A), press(KEY_D), release(KEY_A)}, with_axes(+1, 0)});
    cases.push_back({"A, D, release A, release D", rest,
                     {press(KEY_A), press(KEY_D), release(KEY_A), release(KEY_D)}, with_axes(0, 0)});
    cases.push_back({"A held, D pressed and released", rest,
                     {press(KEY_A), press(KEY_D), release(KEY_D)}, with_axes(-1, 0)});
    cases.push_back({"D alone", rest, {press(KEY_D)}, with_axes(+1, 0)});
    cases.push_back({"D released", rest, {press(KEY_D), release(KEY_D)}, with_axes(0, 0)});
    cases.push_back({"W forward", rest, {press(KEY_W)}, with_axes(0, -1)});
    cases.push_back({"S, W, release S finds W down", rest,
                     {press(KEY_S), press(KEY_W), release(KEY_S)}, with_axes(0, -1)});
    cases.push_back({"W, S, release W finds S down", rest,
                     {press(KEY_W), press(KEY_S), release(KEY_W)}, with_axes(0, +1)});
    cases.push_back({"both axes at once", rest,
                     {press(KEY_W), press(KEY_A), repeat(KEY_W), repeat(KEY_A)}, with_axes(-1, -1)});
    cases.push_back({"keys of no axis leave the axes alone", with_axes(-1, +1),
                     {press('Q'), release('Q'), press('1'), release('1')}, with_axes(-1, +1)});

    // Toggles: every press flips, auto-repeats included.
    InputState flying;
    flying.fly_mode = true;
    cases.push_back({"C toggles fly mode", rest, {press(KEY_C)}, flying});
    cases.push_back({"C held repeats the toggle", rest, {press(KEY_C), repeat(KEY_C), repeat(KEY_C)}, flying});
    cases.push_back({"C twice walks again", rest, {press(KEY_C), release(KEY_C), press(KEY_C)}, rest});
    InputState torch;
    torch.torch_on = true;
    cases.push_back({"T toggles the torch", rest, {press(KEY_T)}, torch});
    cases.push_back({"T held repeats the toggle", rest, {press(KEY_T), repeat(KEY_T)}, rest});

    // Space sets the vertical velocity wherever the player is, every time.
    InputState falling;
    falling.velocity_y = -7.5f;
    InputState jumped;
    jumped.velocity_y = 9.8f;
    cases.push_back({"Space in the air", falling, {press(KEY_SPACE)}, jumped});
    InputState rising;
    rising.velocity_y = 3.0f;
    cases.push_back({"Space held in the air", rising, {press(KEY_SPACE), repeat(KEY_SPACE)}, jumped});
    InputState flying_falling = falling;
    flying_falling.fly_mode = true;
    InputState flying_jumped = jumped;
    flying_jumped.fly_mode = true;
    cases.push_back({"Space while flying", flying_falling, {press(KEY_SPACE)}, flying_jumped});

    // The left button starts a swing, unless one is under way.
    InputState swinging;
    swinging.swing_active = true;
    cases.push_back({"click starts a swing", rest, {click()}, swinging});
    InputState mid_swing;
    mid_swing.swing_active = true;
    mid_swing.swing_progress = 0.4f;
    cases.push_back({"click during a swing changes nothing", mid_swing, {click(), click()}, mid_swing});

    // Mouse look: right lowers the yaw, toward the user lowers the pitch,
    // 0.002 a count; the pitch stops at straight up or down; each angle
    // wraps once past 4 pi.
    InputState turned;
    turned.yaw = -0.2f;
    turned.pitch = 0.1f;
    cases.push_back({"right and up", rest, {move(100, -50)}, turned});
    InputState up;
    up.pitch = 1.5707964f;
    cases.push_back({"far up stops straight up", rest, {move(0, -1000)}, up});
    cases.push_back({"far up in steps stays straight up", rest, {move(0, -700), move(0, -700), move(0, -1)}, up});
    InputState down;
    down.pitch = -1.5707964f;
    cases.push_back({"far down stops straight down", rest, {move(0, 5000)}, down});
    InputState near_wrap;
    near_wrap.yaw = 12.5f;
    InputState wrapped;
    wrapped.yaw = (12.5f + 0.2f) - 12.566371f;  // 100 counts left, then one wrap
    cases.push_back({"yaw past 4 pi wraps to just above 0", near_wrap, {move(-100, 0)}, wrapped});
    InputState wrapped_once;
    wrapped_once.yaw = (12.5f + 14.0f) - 12.566371f;  // still above 4 pi: one wrap only
    cases.push_back({"a big turn wraps only once", near_wrap, {move(-7000, 0)}, wrapped_once});
    InputState below;
    below.yaw = -12.5f;
    InputState wrapped_up;
    wrapped_up.yaw = (-12.5f - 0.2f) + 12.566371f;
    cases.push_back({"yaw below -4 pi wraps up", below, {move(100, 0)}, wrapped_up});
    return cases;
}

}  // namespace

const std::vector<InputCase>& input_cases()
{
    static const std::vector<InputCase> cases = make_cases();
    return cases;
}

void set_input_state(const InputState& state)
{
    strafe_axis = state.strafe_axis;
    forward_axis = state.forward_axis;
    fly_mode = state.fly_mode;
    torch_on = state.torch_on;
    swing_active = state.swing_active;
    swing_progress = state.swing_progress;
    player.velocity = Vec3{0.0f, state.velocity_y, 0.0f};
    camera = Camera{};
    camera.pitch = state.pitch;
    camera.yaw = state.yaw;
}

void play_input_case(const InputCase& input_case)
{
    SCOPED_TRACE(input_case.name);
    set_input_state(input_case.start);
    std::vector<int> held;
    for (const InputStep& step : input_case.steps) {
        drive_input_step(step);
        if (step.act == InputAct::press)
            held.push_back(step.key);
        if (step.act == InputAct::release)
            held.erase(std::remove(held.begin(), held.end(), step.key), held.end());
    }
    const InputState& end = input_case.end;
    EXPECT_EQ(strafe_axis, end.strafe_axis);
    EXPECT_EQ(forward_axis, end.forward_axis);
    EXPECT_EQ(fly_mode, end.fly_mode);
    EXPECT_EQ(torch_on, end.torch_on);
    EXPECT_EQ(swing_active, end.swing_active);
    EXPECT_FLOAT_EQ(swing_progress, end.swing_progress);
    EXPECT_FLOAT_EQ(player.velocity.y, end.velocity_y);
    EXPECT_FLOAT_EQ(camera.pitch, end.pitch);
    EXPECT_FLOAT_EQ(camera.yaw, end.yaw);
    EXPECT_EQ(camera.roll, 0.0f);

    // Whatever is still held goes up, so the next case starts with no key
    // down; the state it leaves is reset by the next case's start.
    for (int key : held)
        drive_input_step(InputStep{InputAct::release, key});
}
