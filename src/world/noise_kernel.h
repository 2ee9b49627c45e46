#pragma once
// The arithmetic of noise2 and terrain_height, split by argument so that a
// grid of points sharing rows and columns can do each axis's work once (the
// terrain mesh). Inline so that a grid loop compiles into one tight body.
// noise.cpp builds noise2 and terrain_height from these same pieces, so a
// point computed either way comes out bit for bit the same.
#include <cstdint>

#include "world/noise.h"

// What noise2 derives from one of its arguments alone: the cell's two edges
// wrapped to the table, the fractions and the fade weight.
struct NoiseAxis {
    int lo, hi;
    float f, f1;
    float fade;
};

// ceil(v) - 1: an exact integer lands in the cell below with fraction 1 (not
// in its own cell with fraction 0), and negative values in the cell below.
inline int noise_cell(float v)
{
    int cell = (int)v;
    if (!(v > (float)cell))
        cell -= 1;
    return cell;
}

inline float noise_fade(float u)
{
    return ((u * 6.0f - 15.0f) * u + 10.0f) * ((u * u) * u);
}

inline NoiseAxis noise_axis(float v)
{
    const int cell = noise_cell(v);
    const float f = v - (float)cell;
    return NoiseAxis{cell & 255, (cell + 1) & 255, f, f - 1.0f, noise_fade(f)};
}

// One of eight gradients by the hash's low three bits, summed in double
// precision and rounded once.
inline float noise_gradient(int hash, float dx, float dy)
{
    const int k = hash & 7;
    const float u = k < 4 ? dx : dy;
    const float v = k < 4 ? dy : dx;
    const double along = (k & 1) ? -u : u;
    const double across = (k & 2) ? -2.0f * v : 2.0f * v;
    return (float)(along + across);
}

inline float noise2_axes(const NoiseAxis& a, const NoiseAxis& b)
{
    const uint8_t* p = noise_perm;
    const float g00 = noise_gradient(p[p[b.lo] + a.lo], a.f, b.f);
    const float g01 = noise_gradient(p[p[b.hi] + a.lo], a.f, b.f1);
    const float g10 = noise_gradient(p[p[b.lo] + a.hi], a.f1, b.f);
    const float g11 = noise_gradient(p[p[b.hi] + a.hi], a.f1, b.f1);

    // Second axis first, then the first.
    const float na = (g01 - g00) * b.fade + g00;
    const float nb = (g11 - g10) * b.fade + g10;
    const float n = (nb - na) * a.fade + na;
    return n * 0.507f;
}

// The scaled arguments of terrain_height's two octaves along one axis.
struct TerrainAxis {
    NoiseAxis fine;    // from 0.1 * v
    NoiseAxis coarse;  // from 0.005 * v
};

inline TerrainAxis terrain_axis(float v)
{
    return TerrainAxis{noise_axis(0.1f * v), noise_axis(0.005f * v)};
}

// terrain_height(x, z) from terrain_axis(x) and terrain_axis(z); also gives
// the coarse octave's noise (without its factor 32).
inline float terrain_height_axes(const TerrainAxis& x, const TerrainAxis& z, float* coarse)
{
    *coarse = noise2_axes(x.coarse, z.coarse);
    return 4.0f * noise2_axes(x.fine, z.fine) + 32.0f * *coarse;
}
