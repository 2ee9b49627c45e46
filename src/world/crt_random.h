#pragma once
// The pseudo-random generator the whole world layout depends on: the
// permutation of the noise, the ore positions and every marker. It is the
// Microsoft C runtime's rand/srand, carried here with its exact definition
// because other C libraries use other generators.
#include <cstdint>

namespace crt {

// The state before any srand, as the runtime starts it.
constexpr uint32_t START_STATE = 1;

void srand(uint32_t seed);

// state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30: 0..32767.
int rand();

// The generator's state, for tests and tools that save and restore it.
uint32_t rand_state();
void set_rand_state(uint32_t state);

}  // namespace crt
