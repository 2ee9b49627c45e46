#include "world/noise.h"

#include "world/crt_random.h"

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

namespace {

// ceil(v) - 1: an exact integer lands in the cell below with fraction 1.
int cell_of(float v)
{
    int cell = (int)v;
    if (!(v > (float)cell))
        cell -= 1;
    return cell;
}

float fade(float u)
{
    return ((u * 6.0f - 15.0f) * u + 10.0f) * ((u * u) * u);
}

float gradient(int hash, float dx, float dy)
{
    const int k = hash & 7;
    const float u = k < 4 ? dx : dy;
    const float v = k < 4 ? dy : dx;
    const double along = (k & 1) ? -u : u;
    const double across = (k & 2) ? -2.0f * v : 2.0f * v;
    return (float)(along + across);
}

}  // namespace

float noise2(float a, float b)
{
    const int xi = cell_of(a);
    const int yi = cell_of(b);
    const float fx = a - (float)xi;
    const float fy = b - (float)yi;
    const float fx1 = fx - 1.0f;
    const float fy1 = fy - 1.0f;
    const int x0 = xi & 255, x1 = (xi + 1) & 255;
    const int y0 = yi & 255, y1 = (yi + 1) & 255;
    const float s = fade(fx);
    const float t = fade(fy);

    const uint8_t* p = noise_perm;
    const float g00 = gradient(p[p[y0] + x0], fx, fy);
    const float g01 = gradient(p[p[y1] + x0], fx, fy1);
    const float g10 = gradient(p[p[y0] + x1], fx1, fy);
    const float g11 = gradient(p[p[y1] + x1], fx1, fy1);

    // Second axis first, then the first.
    const float na = (g01 - g00) * t + g00;
    const float nb = (g11 - g10) * t + g10;
    const float n = (nb - na) * s + na;
    return n * 0.507f;
}

float terrain_height_and_coarse(float x, float z, float* coarse)
{
    *coarse = noise2(0.005f * x, 0.005f * z);
    return 4.0f * noise2(0.1f * x, 0.1f * z) + 32.0f * *coarse;
}

float terrain_height(float x, float z)
{
    float coarse;
    return terrain_height_and_coarse(x, z, &coarse);
}
