// Deterministic integer noise and a sine of + and x only, so the assets are the same everywhere.
#include "assetgen/det_math.h"

#include <cmath>

namespace gen {

uint32_t hash32(int32_t a, int32_t b, int32_t c, uint32_t seed)
{
    // Each input is folded in with a multiply-xorshift round (the finaliser
    // of MurmurHash3), so neighbouring inputs give unrelated outputs.
    uint32_t h = seed ^ 0x9E3779B9u;
    const uint32_t inputs[3] = {(uint32_t)a, (uint32_t)b, (uint32_t)c};
    for (uint32_t k : inputs) {
        h ^= k + 0x7F4A7C15u + (h << 6) + (h >> 2);
        h ^= h >> 16;
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        h *= 0xC2B2AE35u;
        h ^= h >> 16;
    }
    return h;
}

double hash01(int32_t a, int32_t b, int32_t c, uint32_t seed)
{
    return (double)(hash32(a, b, c, seed) >> 8) / 16777216.0;
}

double det_sin(double x)
{
    // Reduce to [-pi, pi], then to [-pi/2, pi/2] by sin(pi - x) = sin(x);
    // the Taylor series to x^17 is then accurate to about 1e-15.
    const double two_pi = 2.0 * PI;
    double turns = x / two_pi;
    turns = turns >= 0 ? (double)(int64_t)(turns + 0.5) : -(double)(int64_t)(-turns + 0.5);
    double r = x - turns * two_pi;
    if (r > PI / 2)
        r = PI - r;
    else if (r < -PI / 2)
        r = -PI - r;
    const double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 8; n++) {
        term = -term * r2 / (double)((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double det_cos(double x)
{
    return det_sin(x + PI / 2);
}

double clamp01(double x)
{
    return x < 0 ? 0 : (x > 1 ? 1 : x);
}

double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

namespace {

int32_t wrap(int32_t i, int period)
{
    const int32_t m = i % period;
    return m < 0 ? m + period : m;
}

int32_t floor_int(double x)
{
    const int32_t i = (int32_t)x;
    return (double)i > x ? i - 1 : i;
}

double fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

}  // namespace

double tile_noise(double x, double y, int period, uint32_t seed)
{
    return tile_noise(x, y, period, period, seed);
}

double tile_noise(double x, double y, int period_x, int period_y, uint32_t seed)
{
    const int32_t ix = floor_int(x), iy = floor_int(y);
    const double fx = fade(x - ix), fy = fade(y - iy);
    const int32_t x0 = wrap(ix, period_x), x1 = wrap(ix + 1, period_x);
    const int32_t y0 = wrap(iy, period_y), y1 = wrap(iy + 1, period_y);
    const double a = lerp(hash01(x0, y0, 0, seed), hash01(x1, y0, 0, seed), fx);
    const double b = lerp(hash01(x0, y1, 0, seed), hash01(x1, y1, 0, seed), fx);
    return lerp(a, b, fy);
}

double tile_fbm(double x, double y, int period, int octaves, uint32_t seed)
{
    double sum = 0, weight = 1, total = 0;
    int scale = 1;
    for (int o = 0; o < octaves; o++) {
        sum += weight * tile_noise(x * scale, y * scale, period * scale, seed + (uint32_t)o * 101u);
        total += weight;
        weight *= 0.5;
        scale *= 2;
    }
    return sum / total;
}

CellDistance tile_cells(double x, double y, int period, uint32_t seed)
{
    const int32_t ix = floor_int(x), iy = floor_int(y);
    CellDistance best{1e9, 1e9, 0, 0};
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            const int32_t cx = ix + dx, cy = iy + dy;
            const int32_t wx = wrap(cx, period), wy = wrap(cy, period);
            const double px = cx + hash01(wx, wy, 1, seed);
            const double py = cy + hash01(wx, wy, 2, seed);
            const double d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best.nearest) {
                best.second = best.nearest;
                best.nearest = d;
                best.cell_x = wx;
                best.cell_y = wy;
            } else if (d < best.second) {
                best.second = d;
            }
        }
    return best;
}

}  // namespace gen
