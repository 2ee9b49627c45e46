// Walking, falling, jumping, flying, push-out from deposit boxes and the eye's placement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "world/controls.h"
#include "world/input.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/tick.h"
#include "world_fixture.h"

namespace {

class MovementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_world();
        noise_init();
    }
    void TearDown() override { reset_world(); }

    static float feet() { return player.position.y - player.half.y; }
    static float ground() { return terrain_height(player.position.x, player.position.z); }

    // Puts the player at rest on the ground at (x, z).
    static void stand_at(float x, float z)
    {
        player.position = {x, terrain_height(x, z) + player.half.y, z};
        player.velocity = {0, 0, 0};
    }
};

TEST_F(MovementTest, FallFromTheStartFirstTouchesGroundOnTick118)
{
    for (int tick = 1; tick <= 117; tick++) {
        walk_step();
        ASSERT_GT(feet(), ground()) << "tick " << tick;
        ASSERT_LT(player.velocity.y, 0.0f);
    }
    walk_step();
    EXPECT_EQ(player.velocity.y, 0.0f);
    EXPECT_EQ(feet(), ground());
    EXPECT_NEAR(ground(), -8.112f, 0.001f);
}

TEST_F(MovementTest, JumpPeaksAfter19TicksAndLandsOnThe39th)
{
    stand_at(100, 100);
    const float floor = feet();
    key_pressed(KEY_SPACE);
    float previous = feet();
    for (int tick = 1; tick <= 38; tick++) {
        walk_step();
        if (tick <= 19) {
            ASSERT_GT(feet(), previous) << "still rising at tick " << tick;
        } else {
            // On the 20th tick the velocity is all but 0: the body hangs.
            ASSERT_LE(feet(), previous) << "falling at tick " << tick;
        }
        ASSERT_GT(feet(), floor) << "in the air at tick " << tick;
        if (tick == 19) {
            EXPECT_NEAR(feet() - floor, 1.55f, 0.01f);
        }
        previous = feet();
    }
    walk_step();
    EXPECT_EQ(feet(), floor);
    EXPECT_EQ(player.velocity.y, 0.0f);
}

TEST_F(MovementTest, StandingStillIsStable)
{
    stand_at(100, 100);
    for (int tick = 0; tick < 10; tick++) {
        walk_step();
        EXPECT_EQ(player.velocity.y, 0.0f);
        EXPECT_EQ(feet(), terrain_height(100, 100));
    }
}

TEST_F(MovementTest, WalkingSpeedSettlesAtFourteenAccelerations)
{
    struct Keys {
        const char* what;
        int strafe, forward;
    };
    for (const Keys keys : {Keys{"W", 0, -1}, Keys{"D", 1, 0}, Keys{"W and A", -1, -1}}) {
        stand_at(100, 100);
        camera.yaw = 0.3f;
        strafe_axis = keys.strafe;
        forward_axis = keys.forward;
        for (int tick = 0; tick < 600; tick++)
            walk_step();
        const float speed = std::hypot(player.velocity.x, player.velocity.z);
        EXPECT_NEAR(speed, 0.53333336f * 14, 0.001f) << keys.what;
    }
}

TEST_F(MovementTest, WalkFollowsTheYawAndIgnoresThePitch)
{
    stand_at(100, 100);
    camera.yaw = 1.5707964f;  // a quarter turn left: W heads toward -x
    camera.pitch = 1.2f;
    forward_axis = -1;
    walk_step();
    EXPECT_LT(player.velocity.x, -0.49f);
    EXPECT_NEAR(player.velocity.z, 0.0f, 1e-6f);
}

TEST_F(MovementTest, WithoutKeysTheBodyCoastsToAStop)
{
    stand_at(100, 100);
    player.velocity.x = 5;
    float previous = 5;
    for (int tick = 0; tick < 200; tick++) {
        walk_step();
        ASSERT_LT(player.velocity.x, previous);
        previous = player.velocity.x;
    }
    EXPECT_LT(player.velocity.x, 0.01f);
}

struct PushCase {
    const char* what;
    Vec3 body_position, body_half;
    Vec3 box_position, box_half;
    Vec3 expected_position;  // NaN components: unchanged
    int stopped_axis;        // -1: nothing changes
};

TEST(BodyPushOut, MovesAlongTheAxisOfLeastPenetration)
{
    const Vec3 one{1, 1, 1};
    const PushCase cases[] = {
        {"apart on x", {3.5f, 0, 0}, one, {0, 0, 0}, one, {3.5f, 0, 0}, -1},
        {"apart on z only", {0, 0, -2.5f}, one, {0, 0, 0}, one, {0, 0, -2.5f}, -1},
        {"touching counts as overlapping; no penetration pushes +x", {2, 0, 0}, one, {0, 0, 0}, one, {2.002f, 0, 0}, 0},
        {"smallest penetration wins", {0.5f, 1.8f, 0}, one, {0, 0, 0}, one, {0.5f, 2.002f, 0}, 1},
        {"toward -z", {0, 0, -1.5f}, one, {0, 0, 0}, one, {0, 0, -2.002f}, 2},
        {"equal both sides: the negative side", {0, 0, 0}, {1, 3, 3}, {0, 0, 0}, {1, 3, 3}, {-2.002f, 0, 0}, 0},
        {"equal on two axes: x before y", {1, 1, 0}, one, {0, 0, 0}, one, {2.002f, 1, 0}, 0},
        {"equal on y and z: y before z", {0, 1, 1}, {5, 1, 1}, {0, 0, 0}, {5, 1, 1}, {0, 2.002f, 1}, 1},
    };
    for (const PushCase& c : cases) {
        Body body{c.body_position, {7, 8, 9}, c.body_half};
        const Body box{c.box_position, {0, 0, 0}, c.box_half};
        body_push_out(body, box);
        EXPECT_NEAR(body.position.x, c.expected_position.x, 1e-6f) << c.what;
        EXPECT_NEAR(body.position.y, c.expected_position.y, 1e-6f) << c.what;
        EXPECT_NEAR(body.position.z, c.expected_position.z, 1e-6f) << c.what;
        const float velocity[3] = {body.velocity.x, body.velocity.y, body.velocity.z};
        for (int axis = 0; axis < 3; axis++)
            EXPECT_EQ(velocity[axis], axis == c.stopped_axis ? 0.0f : (float)(7 + axis)) << c.what << " axis " << axis;
    }
}

TEST_F(MovementTest, PlayerCanStandOnADepositAndPassesExhaustedOnes)
{
    ore_models[3] = box_model({0, 1, 0}, {1, 1, 1});
    const Vec3 spot{100, terrain_height(100, 100), 100};
    add_ore(spot, 16);
    // Drop onto the box's top from just above it.
    player.position = {spot.x, spot.y + 2 + player.half.y + 0.1f, spot.z};
    player.velocity = {0, -3, 0};
    for (int tick = 0; tick < 20; tick++)
        walk_step();
    EXPECT_NEAR(feet(), spot.y + 2.002f, 0.01f);
    EXPECT_EQ(player.velocity.y, 0.0f);

    ores[0].hits = 0;  // exhausted: no longer there for collisions
    for (int tick = 0; tick < 60; tick++)
        walk_step();
    EXPECT_EQ(feet(), terrain_height(player.position.x, player.position.z));
}

TEST_F(MovementTest, FlyingMovesTheCameraAlongTheViewAndFreezesTheBody)
{
    fly_mode = true;
    camera = Camera{10, 20, 30, 0.5f, 0.25f, 0};
    player.velocity = {1, 2, 3};
    const Body body_before = player;
    run_tick();
    EXPECT_EQ(camera.x, 10.0f) << "no key: the camera stays";
    forward_axis = -1;
    run_tick();
    const float moved = std::sqrt((camera.x - 10) * (camera.x - 10) + (camera.y - 20) * (camera.y - 20) +
                                  (camera.z - 30) * (camera.z - 30));
    EXPECT_NEAR(moved, 0.2f, 1e-5f);
    EXPECT_NEAR(camera.y - 20, 0.2f * std::sin(0.5f), 1e-5f) << "pitch included";
    EXPECT_EQ(std::memcmp(&player, &body_before, sizeof player), 0);
    place_camera();
    EXPECT_NEAR(camera.y - 20, 0.2f * std::sin(0.5f), 1e-5f) << "flying keeps the camera where it is";
}

TEST_F(MovementTest, CameraSitsAtTheEye)
{
    stand_at(100, 100);
    place_camera();
    EXPECT_EQ(camera.x, 100.0f);
    EXPECT_FLOAT_EQ(camera.y, feet() + 1.62f);
    camera.pitch = 1.5707964f;  // looking straight up: the 0.12 leans back
    place_camera();
    EXPECT_FLOAT_EQ(camera.y, feet() + 1.5f);
    EXPECT_NEAR(camera.z, 100.12f, 1e-4f);
}

}  // namespace
