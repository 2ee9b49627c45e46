// Deposit placement, stages, markers and the ray-triangle test.
#include <gtest/gtest.h>

#include <cmath>

#include "world/crt_random.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world_fixture.h"

namespace {

TEST(Ores, StageOfMapsHitsToTheFourModels)
{
    const int cases[][2] = {{16, 3}, {13, 3}, {12, 2}, {9, 2}, {8, 1}, {5, 1}, {4, 0}, {1, 0}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(stage_of(c[0]), c[1]) << c[0] << " hits";
}

// The triangle (0,0,0) (1,0,0) (0,1,0): u runs along x, v along y.
const ModelVertex unit_triangle[3] = {{{0, 0, 0}, {}, 0, 0}, {{1, 0, 0}, {}, 0, 0}, {{0, 1, 0}, {}, 0, 0}};

struct RayCase {
    const char* what;
    Vec3 origin, direction;
    bool hit;
    float t;
};

TEST(RayTriangle, EdgesAndCornersCountPlanesAndOriginsDoNot)
{
    const Vec3 down{0, 0, -1};
    const RayCase cases[] = {
        {"inside", {0.25f, 0.25f, 1}, down, true, 1},
        {"edge v = 0", {0.5f, 0, 1}, down, true, 1},
        {"edge u = 0", {0, 0.5f, 1}, down, true, 1},
        {"edge u + v = 1", {0.5f, 0.5f, 1}, down, true, 1},
        {"corner V0", {0, 0, 1}, down, true, 1},
        {"corner V1", {1, 0, 1}, down, true, 1},
        {"corner V2", {0, 1, 1}, down, true, 1},
        {"past the long edge", {0.6f, 0.6f, 1}, down, false, 0},
        {"left of the triangle", {-0.01f, 0.5f, 1}, down, false, 0},
        {"below the triangle", {0.5f, -0.01f, 1}, down, false, 0},
        {"from behind: no culling", {0.25f, 0.25f, -1}, {0, 0, 1}, true, 1},
        {"a longer direction sets the unit of t", {0.25f, 0.25f, 1}, {0, 0, -2}, true, 0.5f},
        {"pointing away", {0.25f, 0.25f, 1}, {0, 0, 1}, false, 0},
        {"in the plane, through the triangle", {-1, 0.25f, 0}, {1, 0, 0}, false, 0},
        {"origin on the triangle", {0.25f, 0.25f, 0}, down, false, 0},
        {"origin at parameter 0.000001", {0.25f, 0.25f, 0.000001f}, down, false, 0},
        {"origin just beyond 0.000001", {0.25f, 0.25f, 0.000002f}, down, true, 0.000002f},
    };
    for (const RayCase& c : cases) {
        float t = 42.0f;
        EXPECT_EQ(ray_triangle(c.origin, c.direction, unit_triangle, t), c.hit) << c.what;
        if (c.hit)
            EXPECT_FLOAT_EQ(t, c.t) << c.what;
        else
            EXPECT_EQ(t, 42.0f) << c.what << ": a miss leaves t alone";
    }
}

class OresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_world();
        noise_init();
        // Stage models of different sizes around the origin, so every marker
        // ray starts inside and meets a face.
        for (int stage = 0; stage < 4; stage++) {
            const float h = 0.5f + 0.25f * (float)stage;
            ore_models[stage] = box_model({0, h * 0.5f, 0}, {h, h, h});
        }
    }
    void TearDown() override { reset_world(); }
};

// The yaw r that placed a marker: the marker lies along (8 cos r, 8, -8 sin r).
double marker_yaw(const Ore& ore)
{
    const double dx = ore.marker.x - ore.position.x, dz = ore.marker.z - ore.position.z;
    const double yaw = std::atan2(-dz, dx);
    return yaw < 0 ? yaw + 2 * M_PI : yaw;
}

TEST_F(OresTest, PlacementFollowsTheGeneratorFromSeed23)
{
    place_ores();
    ASSERT_EQ(ore_count, 512);
    const struct {
        float x, z;
        int yaw;
    } first[3] = {{440, 391, 3}, {73, 374, 4}, {426, 341, 11}};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(ores[i].position.x, first[i].x) << i;
        EXPECT_EQ(ores[i].position.z, first[i].z) << i;
        EXPECT_EQ(ores[i].position.y, terrain_height(first[i].x, first[i].z)) << i;
        EXPECT_NEAR(marker_yaw(ores[i]), std::fmod((double)first[i].yaw, 2 * M_PI), 1e-5) << i;
    }
    EXPECT_NEAR(ores[0].position.y, 6.297f, 0.0005f);
    for (int i = 0; i < ore_count; i++) {
        EXPECT_EQ(ores[i].hits, 16);
        EXPECT_EQ(ores[i].position.x, std::floor(ores[i].position.x));
        EXPECT_GE(ores[i].position.x, 0.0f);
        EXPECT_LT(ores[i].position.z, 512.0f);
    }
}

TEST_F(OresTest, PlacementTakesThreeDrawsADeposit)
{
    crt::srand(23);
    for (int i = 0; i < 512 + 3 * 512; i++)
        crt::rand();
    const uint32_t expected = crt::rand_state();
    noise_init();
    place_ores();
    EXPECT_EQ(crt::rand_state(), expected);
}

TEST_F(OresTest, MarkerSitsJustOutsideTheFirstTriangleTheRayMeets)
{
    // Two parallel squares above the origin; the farther one comes first in
    // model order, so the marker lands on it, not on the nearer one.
    Model& model = ore_models[3];
    model = Model{};
    for (float height : {4.0f, 1.0f}) {
        const Vec3 a{-20, height, -20}, b{20, height, -20}, c{20, height, 20}, d{-20, height, 20};
        for (Vec3 p : {a, d, c, c, b, a})
            model.vertices.push_back(ModelVertex{p, {}, 0, 0});
    }
    crt::set_rand_state(12345);
    const int index = add_ore({10, 2, 10}, 16);
    crt::set_rand_state(12345);
    const float yaw = (float)(crt::rand() % 32);
    const Ore& ore = ores[index];
    // The ray (8 cos r, 8, -8 sin r) meets y = 4 at t = 0.5.
    const float k = 0.5f + 0.004f;
    EXPECT_FLOAT_EQ(ore.marker.y, 2 + 8 * k);
    EXPECT_NEAR(ore.marker.x, 10 + 8 * std::cos(yaw) * k, 1e-5f);
    EXPECT_NEAR(ore.marker.z, 10 - 8 * std::sin(yaw) * k, 1e-5f);
}

TEST_F(OresTest, RayThatMeetsNothingLeavesTheMarkerFarAway)
{
    ore_models[0] = Model{};  // no triangles at all
    const int index = add_ore({0, 0, 0}, 3);
    const Ore& ore = ores[index];
    EXPECT_FLOAT_EQ(ore.marker.y, 8 * 1.004f);
    EXPECT_NEAR(std::sqrt(ore.marker.x * ore.marker.x + ore.marker.y * ore.marker.y + ore.marker.z * ore.marker.z),
                11.36f, 0.01f);
}

TEST_F(OresTest, ExhaustedDepositReadsTheSmallestStage)
{
    // With 0 hits the marker ray is cast at stage 0, whose box tops out at
    // 0.75; the larger stages reach up to 1.875.
    const int index = add_ore({0, 0, 0}, 0);
    EXPECT_LE(ores[index].marker.y, 0.75f + 0.04f);
}

}  // namespace
