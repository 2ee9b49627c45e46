// Blocks hidden behind nearer ground: a wall hides what is behind it and
// nothing else; no eye below the ground, outside the map or over unmeasured
// ground hides anything; and on the real terrain every block judged hidden
// really is: each line of sight to its lattice points dips below the ground
// on the way.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "world/noise.h"
#include "world/terrain_blocks.h"
#include "world/terrain_horizon.h"

namespace {

constexpr int VIEW_WIDTH = 800, VIEW_HEIGHT = 600;

// Flat ground at height 0, with a wall two patches thick, `wall_height`
// high, over the cells z in [wall_z, wall_z + 8), all across the map.
void flat_ground_with_wall(int wall_z, float wall_height)
{
    for (int pz = 0; pz < TERRAIN_PATCHES; pz++)
        for (int px = 0; px < TERRAIN_PATCHES; px++) {
            const int z = pz * TERRAIN_PATCH_CELLS;
            const bool wall = z >= wall_z && z < wall_z + 2 * TERRAIN_PATCH_CELLS;
            terrain_patch_heights[TERRAIN_PATCHES * pz + px] = HeightRange{wall ? wall_height : 0.0f,
                                                                           wall ? wall_height : 0.0f};
        }
    terrain_steepest_step = wall_height;
    for (int z = 0; z < TERRAIN_LATTICE; z++)
        for (int x = 0; x < TERRAIN_LATTICE; x++)
            terrain_lattice_heights[TERRAIN_LATTICE * z + x] =
                z >= wall_z && z <= wall_z + 2 * TERRAIN_PATCH_CELLS ? wall_height : 0.0f;
    for (int bz = 0; bz < TERRAIN_BLOCKS; bz++)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++) {
            const bool wall = wall_z >= bz * TERRAIN_BLOCK_CELLS && wall_z < (bz + 1) * TERRAIN_BLOCK_CELLS;
            terrain_block_heights[TERRAIN_BLOCKS * bz + bx] = HeightRange{0.0f, wall ? wall_height : 0.0f};
        }
}

std::vector<bool> hidden_from(Vec3 eye, int32_t width = VIEW_WIDTH, int32_t height = VIEW_HEIGHT)
{
    bool visible[TERRAIN_BLOCK_COUNT];
    for (bool& v : visible)
        v = true;
    hide_behind_ground(eye, width, height, visible, nullptr, 0, nullptr);
    std::vector<bool> hidden(TERRAIN_BLOCK_COUNT);
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++)
        hidden[(size_t)b] = !visible[b];
    return hidden;
}

int count(const std::vector<bool>& flags)
{
    int n = 0;
    for (bool f : flags)
        n += f;
    return n;
}

TEST(TerrainHorizon, AWallHidesTheBlocksBehindItAndNothingElse)
{
    // Eye at (256, 2, 200), a wall 40 high over z 208..216: the ground
    // behind it is hidden as far as it goes, within the wall's width.
    flat_ground_with_wall(208, 40.0f);
    const std::vector<bool> hidden = hidden_from(Vec3{256, 2, 200});
    for (int bz = 0; bz < TERRAIN_BLOCKS; bz++)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++)
            ASSERT_TRUE(!hidden[(size_t)(TERRAIN_BLOCKS * bz + bx)] || bz * TERRAIN_BLOCK_CELLS >= 224)
                << "block " << bx << ", " << bz << " is not behind the wall";
    // Straight behind the wall, from just past it to the far edge.
    for (int bz = 14; bz < TERRAIN_BLOCKS; bz++)
        EXPECT_TRUE(hidden[(size_t)(TERRAIN_BLOCKS * bz + 16)]) << "block 16, " << bz;

    // With the eye high above the wall's top nothing is hidden: the line over
    // the wall comes down within the wall's own block.
    EXPECT_EQ(count(hidden_from(Vec3{256, 200, 200})), 0);
}

TEST(TerrainHorizon, BlocksDrawnBeforeTheWallAreKeptYetBoxesBehindItInAnyDirectionAreHidden)
{
    // From (256, 2, 240) the wall over z 208..216 stands towards -z: the
    // blocks behind it come first in record order, so they are kept; the
    // deposits' boxes, drawn after all the ground, are hidden on both sides.
    flat_ground_with_wall(208, 40.0f);
    const Vec3 eye{256, 2, 240};
    bool blocks_visible[TERRAIN_BLOCK_COUNT];
    for (bool& v : blocks_visible)
        v = true;
    const Box boxes[] = {
        {{255, 0, 150}, {256, 1, 151}},  // behind the wall, towards -z
        {{255, 0, 235}, {256, 1, 236}},  // in the open before the eye
        {{255, 30, 150}, {256, 200, 151}},  // behind the wall, towering over it
    };
    bool shown[3] = {true, true, true};
    const HiddenCount hidden = hide_behind_ground(eye, VIEW_WIDTH, VIEW_HEIGHT, blocks_visible, boxes, 3, shown);
    EXPECT_EQ(hidden.blocks, 0);
    EXPECT_EQ(hidden.boxes, 1);
    EXPECT_FALSE(shown[0]);
    EXPECT_TRUE(shown[1]);
    EXPECT_TRUE(shown[2]);

    // A box already left out stays out and is not counted.
    bool none_shown[3] = {false, false, false};
    EXPECT_EQ(hide_behind_ground(eye, VIEW_WIDTH, VIEW_HEIGHT, blocks_visible, boxes, 3, none_shown).boxes, 0);
}

TEST(TerrainHorizon, HidesNothingWhereItCannotProveIt)
{
    flat_ground_with_wall(208, 40.0f);
    struct Case {
        const char* what;
        Vec3 eye;
        int32_t width, height;
    };
    const Case cases[] = {
        {"eye below the ground", Vec3{256, -1, 200}, VIEW_WIDTH, VIEW_HEIGHT},
        {"eye barely above the ground", Vec3{256, 0.01f, 200}, VIEW_WIDTH, VIEW_HEIGHT},
        {"eye outside the map", Vec3{256, 2, -10}, VIEW_WIDTH, VIEW_HEIGHT},
        {"eye on the map's edge", Vec3{0.0f, 2, 200}, VIEW_WIDTH, VIEW_HEIGHT},
        {"eye not a number", Vec3{NAN, 2, 200}, VIEW_WIDTH, VIEW_HEIGHT},
        {"empty view", Vec3{256, 2, 200}, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(count(hidden_from(c.eye, c.width, c.height)), 0) << c.what;

    terrain_blocks_unmeasured();
    EXPECT_EQ(count(hidden_from(Vec3{256, 2, 200})), 0) << "unmeasured ground";
}

TEST(TerrainHorizon, ATinyViewHidesLessThanALargeOne)
{
    // A pixel of a 4 x 3 view spans a lot of ground, so the GPU's picture of
    // it strays far and little can be proven hidden.
    flat_ground_with_wall(208, 40.0f);
    EXPECT_LT(count(hidden_from(Vec3{256, 2, 200}, 4, 3)), count(hidden_from(Vec3{256, 2, 200})));
}

TEST(TerrainHorizon, GroundInFrontMustBeNearerTheFartherTheEyeIsFromTheOrigin)
{
    // The GPU's depths err by more where coordinates are larger. The same
    // scene twice: a wall whose front row (a lattice line) stands 100 ahead,
    // 8 thick, and a small box just behind it, about 108.4 away. Near the
    // origin the wall is far enough in front; near the far corner it is not.
    struct Case {
        const char* where;
        float eye_x, eye_z;
        bool hidden;
    };
    const Case cases[] = {
        {"near the origin", 10, 20, true},
        {"near the far corner", 500, 380, false},
    };
    for (const Case& c : cases) {
        flat_ground_with_wall((int)c.eye_z + 100, 40.0f);
        bool blocks_visible[TERRAIN_BLOCK_COUNT];
        for (bool& v : blocks_visible)
            v = true;
        const Box box{{c.eye_x, 0, c.eye_z + 108.5f}, {c.eye_x + 1, 1, c.eye_z + 109.5f}};
        bool shown = true;
        hide_behind_ground(Vec3{c.eye_x, 2, c.eye_z}, VIEW_WIDTH, VIEW_HEIGHT, blocks_visible, &box, 1, &shown);
        EXPECT_EQ(!shown, c.hidden) << c.where;
    }
}

// The height of the drawn surface at (x, z): the two triangles of the cell
// (vertices 0-1-2 at (0,0), (0,1), (1,1) and 3-4-5 at (1,1), (1,0), (0,0)).
double surface_height(const std::vector<float>& lattice, double x, double z)
{
    const int i = std::min((int)x, TERRAIN_CELLS - 1), j = std::min((int)z, TERRAIN_CELLS - 1);
    const double u = x - i, v = z - j;
    const auto h = [&](int a, int b) { return (double)lattice[(size_t)((TERRAIN_CELLS + 1) * (j + b) + i + a)]; };
    if (v >= u)  // the triangle (0,0), (0,1), (1,1)
        return h(0, 0) + v * (h(0, 1) - h(0, 0)) + u * (h(1, 1) - h(0, 1));
    return h(0, 0) + u * (h(1, 0) - h(0, 0)) + v * (h(1, 1) - h(1, 0));
}

TEST(TerrainHorizon, EveryHiddenBlockOfTheRealTerrainIsBehindTheGround)
{
    noise_init();
    std::vector<ModelVertex> mesh((size_t)TERRAIN_VERTEX_COUNT);
    terrain_fill(mesh.data());
    std::vector<float> lattice((size_t)(TERRAIN_CELLS + 1) * (TERRAIN_CELLS + 1));
    for (int j = 0; j <= TERRAIN_CELLS; j++)
        for (int i = 0; i <= TERRAIN_CELLS; i++)
            lattice[(size_t)((TERRAIN_CELLS + 1) * j + i)] = terrain_height((float)i, (float)j);

    const float eyes[][2] = {{256, 256}, {100, 400}, {40, 40}, {480, 300}, {300, 100}, {200, 200}};
    int hidden_in_all = 0;
    for (const auto& xz : eyes) {
        const Vec3 eye{xz[0], (float)surface_height(lattice, xz[0], xz[1]) + 1.62f, xz[1]};
        const std::vector<bool> hidden = hidden_from(eye);
        hidden_in_all += count(hidden);
        for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
            if (!hidden[(size_t)b])
                continue;
            const int bx = b % TERRAIN_BLOCKS, bz = b / TERRAIN_BLOCKS;
            for (int j = bz * TERRAIN_BLOCK_CELLS; j <= (bz + 1) * TERRAIN_BLOCK_CELLS; j++)
                for (int i = bx * TERRAIN_BLOCK_CELLS; i <= (bx + 1) * TERRAIN_BLOCK_CELLS; i++) {
                    // The line from the eye to lattice point (i, j) must dip
                    // below the ground somewhere before it.
                    const double px = i, py = lattice[(size_t)((TERRAIN_CELLS + 1) * j + i)], pz = j;
                    bool dips = false;
                    for (int s = 1; s < 400 && !dips; s++) {
                        const double t = s / 400.0;
                        const double x = eye.x + t * (px - eye.x), z = eye.z + t * (pz - eye.z);
                        dips = eye.y + t * (py - eye.y) < surface_height(lattice, x, z);
                    }
                    ASSERT_TRUE(dips) << "from (" << xz[0] << ", " << xz[1] << ") block " << bx << ", " << bz
                                      << " was hidden, yet its point (" << i << ", " << j << ") is in sight";
                }
        }
    }
    EXPECT_GT(hidden_in_all, 0) << "the real terrain hides nothing from any of these eyes";
}

}  // namespace
