// Mining: the swing's 15 ticks, reach, the marker tolerance, and deposits wearing down.
#include <gtest/gtest.h>

#include <cmath>

#include "world/crt_random.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/ores.h"
#include "world_fixture.h"

namespace {

class MiningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_world();
        crt::srand(7);
        // Stages shrinking from a 2-unit cube (fresh) to a 0.8-unit one.
        for (int stage = 0; stage < 4; stage++) {
            const float h = 0.4f + 0.2f * (float)stage;
            ore_models[stage] = box_model({0, h, 0}, {h, h, h});
        }
    }
    void TearDown() override { reset_world(); }

    // Stands the camera back from the deposit's marker along the marker's
    // own ray and aims at it, as a player would.
    static void face_marker(const Ore& ore, float back = 0.6f)
    {
        Vec3 d{ore.marker.x - ore.position.x, ore.marker.y - ore.position.y, ore.marker.z - ore.position.z};
        const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        camera.x = ore.marker.x + d.x / length * back;
        camera.y = ore.marker.y + d.y / length * back;
        camera.z = ore.marker.z + d.z / length * back;
        aim_camera_at(ore.marker);
    }

    static void swing()
    {
        left_button_pressed();
        for (int tick = 0; tick < 15; tick++)
            swing_step();
    }
};

TEST_F(MiningTest, StrikeFallsOnThe15thTick)
{
    const int index = add_ore({0, 0, 0}, 16);
    face_marker(ores[index]);
    left_button_pressed();
    for (int tick = 1; tick <= 14; tick++) {
        swing_step();
        ASSERT_TRUE(swing_active) << tick;
        ASSERT_LT(swing_progress, 1.0f);
    }
    EXPECT_EQ(ores[index].hits, 16);
    swing_step();
    EXPECT_FALSE(swing_active);
    EXPECT_EQ(swing_progress, 0.0f);
    EXPECT_EQ(ores[index].hits, 15);
}

TEST_F(MiningTest, ClickDuringASwingChangesNothing)
{
    left_button_pressed();
    for (int tick = 0; tick < 5; tick++)
        swing_step();
    const float progress = swing_progress;
    left_button_pressed();
    EXPECT_TRUE(swing_active);
    EXPECT_EQ(swing_progress, progress);
}

TEST_F(MiningTest, CountedStrikeDrawsOneNewMarkerForTheNextStage)
{
    const int index = add_ore({3, 1, -2}, 13);
    face_marker(ores[index]);
    const uint32_t state = crt::rand_state();
    resolve_strike();
    ASSERT_EQ(ores[index].hits, 12);

    // The same draw, cast against the stage that 12 hits show.
    Ore expected = ores[index];
    crt::set_rand_state(state);
    ore_update(expected);
    EXPECT_EQ(crt::rand_state(), state * 214013u + 2531011u) << "exactly one draw";
    EXPECT_EQ(ores[index].marker.x, expected.marker.x);
    EXPECT_EQ(ores[index].marker.y, expected.marker.y);
    EXPECT_EQ(ores[index].marker.z, expected.marker.z);
}

TEST_F(MiningTest, StrikeAwayFromTheMarkerDoesNothing)
{
    const int index = add_ore({0, 0, 0}, 16);
    Ore& ore = ores[index];
    // From the side away from the marker, level through the cube low down:
    // the ray meets two faces, both well below the marker.
    const float length = std::hypot(ore.marker.x, ore.marker.z);
    camera = Camera{-ore.marker.x / length * 2, 0.3f, -ore.marker.z / length * 2, 0, 0, 0};
    aim_camera_at({0, 0.3f, 0});
    const Vec3 marker = ore.marker;
    const uint32_t state = crt::rand_state();
    resolve_strike();
    EXPECT_EQ(ore.hits, 16);
    EXPECT_EQ(ore.marker.x, marker.x);
    EXPECT_EQ(crt::rand_state(), state) << "no draw";
}

TEST_F(MiningTest, ReachEndsJustShortOfThreeUnits)
{
    const int index = add_ore({0, 0, 0}, 16);
    Ore& ore = ores[index];
    // The marker on the face right in front of the camera, but the
    // deposit's position exactly 3 away: out of reach.
    ore_models[3] = box_model({0, 0, -2.0f}, {0.5f, 0.5f, 0.5f});
    ore.marker = {0, 0, -1.5f};
    camera = Camera{0, 0, 3.0f, 0, 0, 0};
    resolve_strike();
    EXPECT_EQ(ore.hits, 16);
    camera.z = 2.999f;
    resolve_strike();
    EXPECT_EQ(ore.hits, 15);
}

TEST_F(MiningTest, AFaceInFrontOfTheMarkerDoesNotShieldIt)
{
    // Two walls across the view; the nearer one is far from the marker, the
    // farther one holds it.
    Model& model = ore_models[3];
    model = Model{};
    for (float z : {0.5f, -0.5f}) {
        const Vec3 a{-1, -1, z}, b{1, -1, z}, c{1, 1, z}, d{-1, 1, z};
        for (Vec3 p : {a, b, c, c, d, a})
            model.vertices.push_back(ModelVertex{p, {}, 0, 0});
    }
    const int index = add_ore({0, 0, 0}, 16);
    ores[index].marker = {0, 0, -0.55f};
    camera = Camera{0, 0, 2.0f, 0, 0, 0};
    resolve_strike();
    EXPECT_EQ(ores[index].hits, 15);
}

TEST_F(MiningTest, OneStrikeCanCountOnTwoDeposits)
{
    const int first = add_ore({0, 0, 0}, 16);
    const int second = add_ore({0, 0, 0}, 16);
    ores[second].marker = ores[first].marker;
    face_marker(ores[first]);
    resolve_strike();
    EXPECT_EQ(ores[first].hits, 15);
    EXPECT_EQ(ores[second].hits, 15);
}

TEST_F(MiningTest, SixteenStrikesExhaustADeposit)
{
    const int index = add_ore({0, 0, 0}, 16);
    Ore& ore = ores[index];
    for (int strike = 1; strike <= 16; strike++) {
        face_marker(ore);
        swing();
        ASSERT_EQ(ore.hits, 16 - strike) << "strike " << strike;
        const int expected_stage[17] = {3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 0, 0, 0, 0, 0};
        EXPECT_EQ(stage_of(ore.hits), expected_stage[strike]) << "after strike " << strike;
    }
    // Gone: further strikes at the old marker do nothing and draw nothing.
    face_marker(ore);
    const uint32_t state = crt::rand_state();
    swing();
    EXPECT_EQ(ore.hits, 0);
    EXPECT_EQ(crt::rand_state(), state);
}

}  // namespace
