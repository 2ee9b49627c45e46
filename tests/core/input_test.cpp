// The input handlers: movement axes with their release rules, toggles, jump, swing and mouse look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/controls.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world_fixture.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { reset_world(); }
    void TearDown() override { reset_world(); }
};

// A keyboard that remembers which keys are down, as a platform layer does.
struct Keyboard {
    std::vector<int> down;

    void press(int key)
    {
        down.push_back(key);
        key_pressed(key);
    }
    void release(int key)
    {
        for (size_t i = 0; i < down.size(); i++)
            if (down[i] == key)
                down.erase(down.begin() + (long)i--);
        const int partner = axis_partner(key);
        bool partner_down = false;
        for (int k : down)
            partner_down = partner_down || (partner != 0 && k == partner);
        key_released(key, partner_down);
    }
};

struct AxisStep {
    char action;  // 'p'ress or 'r'elease
    int key;
    int strafe, forward;  // axes after the step
};

struct AxisCase {
    const char* what;
    std::vector<AxisStep> steps;
};

TEST_F(InputTest, MovementAxesFollowTheHeldKeys)
{
    const AxisCase cases[] = {
        {"A then D: A keeps the axis until released",
         {{'p', KEY_A, -1, 0}, {'p', KEY_D, -1, 0}, {'r', KEY_A, 1, 0}, {'r', KEY_D, 0, 0}}},
        {"D pressed and released while A holds",
         {{'p', KEY_A, -1, 0}, {'p', KEY_D, -1, 0}, {'r', KEY_D, -1, 0}, {'r', KEY_A, 0, 0}}},
        {"W and S the same way",
         {{'p', KEY_S, 0, 1}, {'p', KEY_W, 0, 1}, {'r', KEY_S, 0, -1}, {'r', KEY_W, 0, 0}}},
        {"both axes at once", {{'p', KEY_W, 0, -1}, {'p', KEY_D, 1, -1}, {'r', KEY_W, 1, 0}, {'r', KEY_D, 0, 0}}},
        {"auto-repeat acts as a fresh press", {{'p', KEY_A, -1, 0}, {'p', KEY_A, -1, 0}, {'r', KEY_A, 0, 0}}},
        {"other keys leave the axes alone", {{'p', KEY_W, 0, -1}, {'p', 'Q', 0, -1}, {'r', 'Q', 0, -1}}},
    };
    for (const AxisCase& c : cases) {
        reset_world();
        Keyboard keyboard;
        for (const AxisStep& step : c.steps) {
            if (step.action == 'p')
                keyboard.press(step.key);
            else
                keyboard.release(step.key);
            EXPECT_EQ(strafe_axis, step.strafe) << c.what;
            EXPECT_EQ(forward_axis, step.forward) << c.what;
        }
    }
}

TEST_F(InputTest, ReleaseSetsTheAxisFromThePartnerWhateverItWas)
{
    strafe_axis = -1;
    key_released(KEY_D, true);  // D released while A is down
    EXPECT_EQ(strafe_axis, -1);
    forward_axis = 1;
    key_released(KEY_W, false);
    EXPECT_EQ(forward_axis, 0);
}

TEST_F(InputTest, CAndTToggleOnEveryPress)
{
    for (int press = 1; press <= 3; press++) {
        key_pressed(KEY_C);
        EXPECT_EQ(fly_mode, press % 2 == 1);
        key_pressed(KEY_T);
        EXPECT_EQ(torch_on, press % 2 == 1);
    }
    key_released(KEY_C, false);
    EXPECT_TRUE(fly_mode) << "releases toggle nothing";
}

TEST_F(InputTest, SpaceJumpsAnywhereInEitherMode)
{
    player.velocity.y = -20;  // falling
    key_pressed(KEY_SPACE);
    EXPECT_EQ(player.velocity.y, 9.8f);
    fly_mode = true;
    player.velocity.y = 3;
    key_pressed(KEY_SPACE);
    EXPECT_EQ(player.velocity.y, 9.8f);
}

TEST_F(InputTest, LeftButtonStartsASwingOnlyWhenIdle)
{
    left_button_pressed();
    EXPECT_TRUE(swing_active);
    EXPECT_EQ(swing_progress, 0.0f);
    swing_progress = 0.4f;
    left_button_pressed();
    EXPECT_EQ(swing_progress, 0.4f);
}

TEST_F(InputTest, MouseLookTurnsYawThenPitch)
{
    mouse_look(100, -50);
    EXPECT_EQ(camera.yaw, -(float)100 * 0.002f);
    EXPECT_EQ(camera.pitch, (float)50 * 0.002f);
    EXPECT_EQ(camera.roll, 0.0f);
}

TEST_F(InputTest, PitchStopsAtTheVertical)
{
    mouse_look(0, -100000);
    EXPECT_EQ(camera.pitch, 1.5707964f);
    mouse_look(0, 1);
    EXPECT_LT(camera.pitch, 1.5707964f);
    mouse_look(0, 100000);
    EXPECT_EQ(camera.pitch, -1.5707964f);
    // Exactly the limit in single precision is above pi/2 in double, and is
    // set back to itself.
    camera.pitch = 1.5707964f;
    mouse_look(0, 0);
    EXPECT_EQ(camera.pitch, 1.5707964f);
}

TEST_F(InputTest, AnglesWrapOncePerMotion)
{
    camera.yaw = 12.5f;
    mouse_look(-50, 0);  // +0.1: just above 4 pi
    EXPECT_NEAR(camera.yaw, 12.6f - 12.566371f, 1e-5f);
    camera.yaw = 12.0f;
    mouse_look(-20000, 0);  // +40 rad: lowered once only
    EXPECT_NEAR(camera.yaw, 52.0f - 12.566371f, 1e-4f);
    camera.roll = -13.0f;  // roll is wrapped too, though nothing turns it
    mouse_look(0, 0);
    EXPECT_NEAR(camera.roll, -13.0f + 12.566371f, 1e-5f);
}

}  // namespace
