// The permutation table shuffled from seed 23, the gradient noise and the terrain height.
#include "world/noise.h"

#include "world/crt_random.h"
#include "world/noise_kernel.h"

uint8_t noise_perm[512];

void noise_init()
{
    crt::srand(23);
    for (int i = 0; i < 512; i++)
        noise_perm[i] = (uint8_t)(i % 256);
    // The partner ranges over the whole table, not only over i..511.
    for (int i = 0; i < 512; i++) {
        const int j = crt::rand() & 0x1FF;
        const uint8_t swap = noise_perm[i];
        noise_perm[i] = noise_perm[j];
        noise_perm[j] = swap;
    }
}

float noise2(float a, float b)
{
    return noise2_axes(noise_axis(a), noise_axis(b));
}

float terrain_height(float x, float z)
{
    float coarse;
    return terrain_height_axes(terrain_axis(x), terrain_axis(z), &coarse);
}
