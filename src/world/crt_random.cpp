// The Microsoft C runtime's linear congruential generator, carried here bit for bit.
#include "world/crt_random.h"

namespace crt {

static uint32_t state = START_STATE;

void srand(uint32_t seed)
{
    state = seed;
}

int rand()
{
    state = state * 214013u + 2531011u;
    return (int)((state >> 16) & 0x7FFF);
}

uint32_t rand_state()
{
    return state;
}

void set_rand_state(uint32_t new_state)
{
    state = new_state;
}

}  // namespace crt
