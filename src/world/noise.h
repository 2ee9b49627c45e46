#pragma once
// Two-dimensional gradient noise over a shuffled permutation table, and the
// ground height built from two octaves of it.
#include <cstdint>

// 512 entries, each value 0..255 twice, shuffled by noise_init.
extern uint8_t noise_perm[512];

// Seeds the generator with 23 and shuffles noise_perm (512 draws).
void noise_init();

// Gradient noise at (a, b); 0 at every lattice point, within about -1..1.
float noise2(float a, float b);

// Ground height at world (x, z): 4 * noise2(0.1x, 0.1z) + 32 * noise2(0.005x, 0.005z).
float terrain_height(float x, float z);
