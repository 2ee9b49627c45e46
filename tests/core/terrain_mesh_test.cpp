// The terrain mesh: record layout, tiles, normals, and the fill equal to the direct build.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "world/noise.h"
#include "world/terrain_mesh.h"

namespace {

class TerrainMeshTest : public ::testing::Test {
protected:
    static std::vector<ModelVertex> mesh;
    static void SetUpTestSuite()
    {
        noise_init();
        mesh.resize(TERRAIN_VERTEX_COUNT);
        terrain_fill(mesh.data());
    }
    static void TearDownTestSuite() { std::vector<ModelVertex>().swap(mesh); }
};
std::vector<ModelVertex> TerrainMeshTest::mesh;

TEST_F(TerrainMeshTest, FastFillIsBitIdenticalToTheDirectOne)
{
    std::vector<ModelVertex> direct(TERRAIN_VERTEX_COUNT);
    terrain_fill_direct(direct.data());
    for (size_t i = 0; i < direct.size(); i++)
        ASSERT_EQ(std::memcmp(&mesh[i], &direct[i], sizeof(ModelVertex)), 0) << "vertex " << i;
}

TEST_F(TerrainMeshTest, CellsLieInRowsOfEqualZ)
{
    const struct {
        int record;
        float x, z;
    } corners[] = {{0, 0, 0}, {6, 1, 0}, {3072, 0, 1}, {1572858, 511, 511}};
    for (const auto& c : corners) {
        EXPECT_EQ(mesh[(size_t)c.record].position.x, c.x) << c.record;
        EXPECT_EQ(mesh[(size_t)c.record].position.z, c.z) << c.record;
    }
    EXPECT_EQ(mesh[0].position.y, 0.0f);
    EXPECT_EQ(mesh[1572858 + 2].position.x, 512.0f);  // the far corner
    EXPECT_EQ(mesh[1572858 + 2].position.z, 512.0f);
    for (size_t i = 0; i < mesh.size(); i += 4099)
        EXPECT_EQ(mesh[i].position.y, terrain_height(mesh[i].position.x, mesh[i].position.z)) << i;
}

TEST_F(TerrainMeshTest, EveryCellMapsTile2Or3OfTheBottomRow)
{
    int earth = 0;
    for (size_t i = 0; i < mesh.size(); i += 6) {
        ASSERT_TRUE(mesh[i].u == 0.125f || mesh[i].u == 0.1875f) << i;
        ASSERT_EQ(mesh[i].v, 0.0f);
        ASSERT_EQ(mesh[i + 2].u, mesh[i].u + 0.0625f);
        ASSERT_EQ(mesh[i + 2].v, 0.0625f);
        earth += mesh[i].u == 0.125f;
    }
    EXPECT_GT(earth, 0);
    EXPECT_LT(earth, TERRAIN_CELLS * TERRAIN_CELLS / 20) << "bare earth only in small patches";
}

TEST(TerrainTile, EarthOnlyBelowMinusAHalf)
{
    const struct {
        float coarse;
        int tile;
    } cases[] = {{-0.9f, 2}, {-0.51f, 2}, {-0.5f, 3}, {-0.49f, 3}, {0.0f, 3}, {0.9f, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(terrain_tile(c.coarse), c.tile) << c.coarse;
}

TEST_F(TerrainMeshTest, NormalsAreUnitAndFaceUp)
{
    for (size_t i = 0; i < mesh.size(); i += 997) {
        const Vec3 n = mesh[i].normal;
        EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-5f) << i;
        EXPECT_GT(n.y, 0.0f) << i;
    }
}

}  // namespace
