// The models as the game uses them: drawn with back faces culled, the ore
// stages tested against rays for the marker and the strike, and their boxes
// pushing the player out.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "base/transform.h"
#include "check/check_rules.h"
#include "check/mesh_measures.h"
#include "data_files.h"
#include "world/noise.h"
#include "world/ores.h"

namespace {

const char* const MODELS[] = {"mdl/ore0.bmf",    "mdl/ore1.bmf",  "mdl/ore2.bmf", "mdl/ore3.bmf",
                              "mdl/pickaxe.bmf", "mdl/floor.bmf", "mdl/wall.bmf"};

std::string stage_file(int stage)
{
    return "mdl/ore" + std::to_string(stage) + ".bmf";
}

Vec3 sub(Vec3 a, Vec3 b)
{
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

double dot(Vec3 a, Vec3 b)
{
    return (double)a.x * b.x + (double)a.y * b.y + (double)a.z * b.z;
}

// Prints each problem a checker rule found, so that a failure says why.
std::string lines(const Problems& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text += problem + "\n";
    return text;
}

TEST(Models, AreWellFormedForTheGame)
{
    const std::set<std::string> registered = {"ironOreNoise", "wood", "metal"};
    for (const char* name : MODELS) {
        SCOPED_TRACE(name);
        const Model model = committed_model(name);  // the game's reader checks the counts
        ASSERT_GT(model.vertices.size(), 0u);
        ASSERT_FALSE(model.submeshes.empty());
        int32_t next = 0;
        for (const Submesh& submesh : model.submeshes) {
            EXPECT_TRUE(registered.count(submesh.name)) << "submesh texture \"" << submesh.name << "\"";
            EXPECT_EQ(submesh.first, next);
            EXPECT_GT(submesh.count, 0);
            EXPECT_EQ(submesh.count % 3, 0);
            next += submesh.count;
        }
        EXPECT_EQ(next, (int32_t)model.vertices.size());
        // Every triangle has an area (a normal to light it by), and every
        // vertex lies inside the collision box.
        for (size_t i = 0; i < model.vertices.size(); i += 3) {
            const Vec3 n = model.vertices[i].normal;
            EXPECT_NEAR(dot(n, n), 1.0, 1e-4) << "triangle " << i / 3 << " has no area";
        }
        const Body& box = model.box;
        for (const ModelVertex& v : model.vertices)
            for (int axis = 0; axis < 3; axis++) {
                const float p = (&v.position.x)[axis], c = (&box.position.x)[axis], h = (&box.half.x)[axis];
                EXPECT_TRUE(p >= c - h && p <= c + h) << "axis " << axis << " coordinate " << p;
            }
    }
}

TEST(Models, AreClosedAndWoundCounterClockwiseFromOutside)
{
    for (const char* name : MODELS) {
        SCOPED_TRACE(name);
        const Model model = committed_model(name);
        // Closed: every directed edge is met by the same edge running the
        // other way in a neighbouring triangle.
        EXPECT_TRUE(is_closed(model));
        EXPECT_GT(signed_volume6(model), 0.0);
    }
}

TEST(OreStages, EveryFaceLooksAwayFromTheDepositsPoint)
{
    // The point (the origin) lies inside each stage, and seen from it every
    // face is a front face: no fold or dent that a marker ray could meet
    // from behind.
    for (int stage = 0; stage < 4; stage++) {
        const Model model = committed_model(stage_file(stage));
        for (size_t i = 0; i < model.vertices.size(); i += 3) {
            const Vec3 p0 = model.vertices[i].position;
            EXPECT_GT(dot(model.vertices[i].normal, p0), 0.0) << stage_file(stage) << " triangle " << i / 3;
        }
    }
}

TEST(OreStages, ShrinkFromOre3ToOre0)
{
    Model stages[4];
    for (int s = 0; s < 4; s++)
        stages[s] = committed_model(stage_file(s));
    // The checker's rule: less volume, a narrower and lower box each stage.
    EXPECT_EQ(lines(stage_shrink_problems(stages)), "");
    // A fresh deposit is about two units across.
    EXPECT_GT(stages[3].box.half.x, 0.8f);
    EXPECT_LT(stages[3].box.half.x, 1.2f);
    EXPECT_LT(stages[3].box.half.z, 1.2f);
}

TEST(OreStages, EveryMarkerRayMeetsTheNearestFaceFirst)
{
    // The game takes the first triangle in model order that the ray meets;
    // without one the marker would float 11 units away, and with a nearer
    // face behind the first it would sit inside the rock.
    for (int stage = 0; stage < 4; stage++) {
        const Model model = committed_model(stage_file(stage));
        // The checker's rule: every ray meets the model.
        EXPECT_EQ(lines(marker_ray_problems(stage_file(stage).c_str(), model)), "");
        for (int r = 0; r < MARKER_YAWS; r++) {
            const MarkerRay ray = cast_marker_ray(model, (float)r);
            float nearest = 1e30f;
            for (size_t i = 0; i + 3 <= model.vertices.size(); i += 3) {
                float t = 0;
                if (ray_triangle(Vec3{0, 0, 0}, ray.direction, &model.vertices[i], t))
                    nearest = std::fmin(nearest, t);
            }
            EXPECT_GT(ray.t, 0.0f) << stage_file(stage) << " yaw " << r;
            EXPECT_EQ(ray.t, nearest) << stage_file(stage) << " yaw " << r;
        }
    }
}

TEST(Pickaxe, StaysOnScreenBelowTheAimInTheHand)
{
    EXPECT_EQ(lines(pickaxe_problems("mdl/pickaxe.bmf", committed_model("mdl/pickaxe.bmf"))), "");
}

// Half the player's width, as the movement code keeps it.
constexpr float PLAYER_HALF_WIDTH = 0.3f;

TEST(OreStages, EveryMarkerCanBeStruckFromBesideTheDepositOnLevelGround)
{
    // A player walking up to the deposit along the marker's yaw stops
    // against the collision box; from there the eye must be within reach
    // (closer than 3 to the deposit's point), and the strike ray aimed at
    // the marker must meet the rock within 0.2 of it before anything else.
    for (int stage = 0; stage < 4; stage++) {
        const Model model = committed_model(stage_file(stage));
        const Body& box = model.box;
        for (int r = 0; r < MARKER_YAWS; r++) {
            SCOPED_TRACE(stage_file(stage) + " yaw " + std::to_string(r));
            const MarkerRay ray = cast_marker_ray(model, (float)r);
            const Vec3 d = ray.direction;
            const Vec3 marker = marker_offset(ray);

            const double length = std::sqrt((double)d.x * d.x + (double)d.z * d.z);
            const double ax = d.x / length, az = d.z / length;
            double reach = 0;
            for (;; reach += 0.01) {
                const double px = ax * reach, pz = az * reach;
                if (std::fabs(px - box.position.x) > box.half.x + PLAYER_HALF_WIDTH ||
                    std::fabs(pz - box.position.z) > box.half.z + PLAYER_HALF_WIDTH)
                    break;
            }
            // Feet on the ground at y = 0: the eye 1.5 above them plus 0.12
            // along the view's up axis.
            const Vec3 standing{(float)(ax * reach), 0, (float)(az * reach)};
            const double to_marker_x = marker.x - standing.x, to_marker_z = marker.z - standing.z;
            const float yaw = (float)std::atan2(-to_marker_x, -to_marker_z);
            const float pitch = (float)std::atan2(marker.y - 1.62, std::sqrt(to_marker_x * to_marker_x + to_marker_z * to_marker_z));
            const Vec3 up = rotate_vector(Vec3{0, 0.12f, 0}, pitch, yaw, 0);
            const Vec3 eye{standing.x + up.x, 1.5f + up.y, standing.z + up.z};
            EXPECT_LT(dot(eye, eye), 9.0) << "the eye is out of reach";

            const Vec3 aim = sub(marker, eye);
            const float scale = 2.0f / (float)std::sqrt(dot(aim, aim));
            const Vec3 dir{aim.x * scale, aim.y * scale, aim.z * scale};
            float nearest = 1e30f;
            for (size_t i = 0; i + 3 <= model.vertices.size(); i += 3) {
                float hit = 0;
                if (ray_triangle(eye, dir, &model.vertices[i], hit))
                    nearest = std::fmin(nearest, hit);
            }
            ASSERT_LT(nearest, 1e30f) << "the strike ray misses the rock";
            const Vec3 struck{eye.x + dir.x * nearest, eye.y + dir.y * nearest, eye.z + dir.z * nearest};
            const Vec3 off = sub(struck, marker);
            EXPECT_LT(std::sqrt(dot(off, off)), 0.2) << "the rock hides the marker or the strike lands away from it";
        }
    }
}

TEST(OreStages, ReachBelowTheGroundUnderEveryDepositOfTheWorld)
{
    // Deposits sit at the ground height of their point, on slopes too: the
    // lowest ring of every stage must stay under the ground all round, or
    // the rock would hover over the downhill side.
    for (int stage = 0; stage < 4; stage++)
        ore_models[stage] = committed_model(stage_file(stage));
    ore_count = 0;
    noise_init();
    place_ores();
    ASSERT_EQ(ore_count, 512);
    for (int stage = 0; stage < 4; stage++) {
        const Model& model = ore_models[stage];
        float bottom = 1e30f;
        for (const ModelVertex& v : model.vertices)
            bottom = std::fmin(bottom, v.position.y);
        int floating = 0;
        for (int i = 0; i < ore_count; i++)
            for (const ModelVertex& v : model.vertices)
                if (v.position.y == bottom) {
                    const Vec3 p = ores[i].position;
                    floating += p.y + v.position.y >= terrain_height(p.x + v.position.x, p.z + v.position.z);
                }
        EXPECT_EQ(floating, 0) << stage_file(stage);
    }
}

}  // namespace
