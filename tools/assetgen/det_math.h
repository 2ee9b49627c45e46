#pragma once
// Arithmetic the generator can repeat bit for bit on every machine: integer
// hashing, tileable value noise, and a sine built from + and * only, because
// the C library's sin and cos may round differently from one build to the
// next and the generated files are compared byte for byte.
#include <cstdint>

namespace gen {

constexpr double PI = 3.14159265358979323846;

// A well-mixed 32-bit hash of up to four integers and a seed.
uint32_t hash32(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t seed = 0);

// hash32 mapped to [0, 1).
double hash01(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t seed = 0);

double det_sin(double x);
double det_cos(double x);

double clamp01(double x);
double lerp(double a, double b, double t);
// 0 below edge0, 1 above edge1, a smooth cubic between.
double smoothstep(double edge0, double edge1, double x);

// Value noise in [0, 1) on a lattice of `period` cells in each axis, wrapped
// so that the noise over x, y in [0, period) tiles seamlessly.
double tile_noise(double x, double y, int period, uint32_t seed);
// The same with its own period along each axis, for streaked patterns.
double tile_noise(double x, double y, int period_x, int period_y, uint32_t seed);

// Sum of `octaves` tile_noise layers, each twice the frequency and half the
// weight of the one before, normalised to [0, 1). Still tiles over
// [0, period) because every layer's period is a multiple of the first.
double tile_fbm(double x, double y, int period, int octaves, uint32_t seed);

// Distance to the nearest and second-nearest of one jittered point per cell
// on a wrapped grid of `period` x `period` cells (cellular noise), in cells.
struct CellDistance {
    double nearest;
    double second;
    int32_t cell_x, cell_y;  // wrapped cell of the nearest point
};
CellDistance tile_cells(double x, double y, int period, uint32_t seed);

}  // namespace gen
