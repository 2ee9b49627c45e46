// The permutation table, noise2 and terrain_height against their worked values and edges.
#include <gtest/gtest.h>

#include <cmath>

#include "world/crt_random.h"
#include "world/noise.h"

namespace {

TEST(CrtRandom, MatchesTheMicrosoftRuntimeSequence)
{
    // The first values of the Microsoft C runtime's rand() after srand(1).
    crt::srand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected)
        EXPECT_EQ(crt::rand(), value);
}

TEST(CrtRandom, ReturnsBits16To30OfTheState)
{
    crt::set_rand_state(0xFFFFFFFFu);
    const uint32_t next = 0xFFFFFFFFu * 214013u + 2531011u;
    EXPECT_EQ(crt::rand(), (int)((next >> 16) & 0x7FFF));
    EXPECT_EQ(crt::rand_state(), next);
}

class NoiseTest : public ::testing::Test {
protected:
    void SetUp() override { noise_init(); }
};

TEST_F(NoiseTest, PermutationIsTheSeed23Shuffle)
{
    const int first[8] = {93, 223, 242, 60, 140, 224, 79, 173};
    const int last[8] = {5, 195, 10, 198, 218, 213, 246, 218};
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(noise_perm[i], first[i]) << i;
        EXPECT_EQ(noise_perm[504 + i], last[i]) << 504 + i;
    }
    int seen[256] = {};
    for (int i = 0; i < 512; i++)
        seen[noise_perm[i]]++;
    for (int value = 0; value < 256; value++)
        EXPECT_EQ(seen[value], 2) << value;
}

TEST_F(NoiseTest, InitTakesExactly512Draws)
{
    crt::srand(23);
    for (int i = 0; i < 512; i++)
        crt::rand();
    const uint32_t after_shuffle = crt::rand_state();
    noise_init();
    EXPECT_EQ(crt::rand_state(), after_shuffle);
}

TEST_F(NoiseTest, IsExactlyZeroAtLatticePoints)
{
    const float points[][2] = {{0, 0}, {1, 0}, {0, 1}, {7, 3}, {-1, -1}, {-5, 12}, {255, 256}, {1000, -300}};
    for (const auto& p : points)
        EXPECT_EQ(noise2(p[0], p[1]), 0.0f) << p[0] << ", " << p[1];
    EXPECT_EQ(terrain_height(0, 0), 0.0f);
    EXPECT_EQ(terrain_height(200, 200), 0.0f);
}

TEST_F(NoiseTest, TerrainHeightAtAKnownPoint)
{
    // 0.1 * 100 is a lattice point of the fine octave: the coarse one gives
    // the whole height.
    EXPECT_NEAR(terrain_height(100, 100), -8.112f, 0.0005f);
    EXPECT_EQ(terrain_height(100, 100), 32.0f * noise2(0.5f, 0.5f));
}

TEST_F(NoiseTest, IsContinuousAcrossCellEdges)
{
    // An exact integer is computed in the cell below with fraction 1; it must
    // agree with the values approached from either side.
    const float edges[] = {3.0f, -2.0f, 0.0f, 100.0f};
    for (float a : edges) {
        const float b = 0.37f;
        const float at = noise2(a, b);
        EXPECT_NEAR(noise2(std::nextafter(a, 1e9f), b), at, 1e-4f) << a;
        EXPECT_NEAR(noise2(std::nextafter(a, -1e9f), b), at, 1e-4f) << a;
        EXPECT_NEAR(noise2(b, std::nextafter(a, 1e9f)), noise2(b, a), 1e-4f) << a;
    }
}

TEST_F(NoiseTest, LatticeRepeatsEvery256CellsNegativesIncluded)
{
    // -0.5 lies in cell -1 with fraction 0.5 and wraps to indices 255 and 0,
    // exactly like 255.5.
    const float pairs[][2] = {{-0.5f, 255.5f}, {0.25f, 256.25f}, {-3.75f, 252.25f}, {17.5f, 273.5f}};
    for (const auto& p : pairs) {
        EXPECT_EQ(noise2(p[0], 0.3f), noise2(p[1], 0.3f)) << p[0];
        EXPECT_EQ(noise2(0.3f, p[0]), noise2(0.3f, p[1])) << p[0];
    }
}

TEST_F(NoiseTest, StaysWithinUnitRange)
{
    float lowest = 0, highest = 0;
    for (int i = 0; i < 200; i++) {
        for (int j = 0; j < 200; j++) {
            const float n = noise2(i * 0.173f - 17.0f, j * 0.219f - 20.0f);
            lowest = std::min(lowest, n);
            highest = std::max(highest, n);
        }
    }
    EXPECT_GT(lowest, -1.0f);
    EXPECT_LT(highest, 1.0f);
    EXPECT_LT(lowest, -0.5f);  // and it does move
    EXPECT_GT(highest, 0.5f);
}

}  // namespace
