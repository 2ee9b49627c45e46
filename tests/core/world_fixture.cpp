// The world fixture: the world's own reset, and deposits placed by hand.
#include "world_fixture.h"

#include "world/ores.h"
#include "world/world.h"

void reset_world()
{
    world_reset();
}

int add_ore(Vec3 position, int hits)
{
    Ore& ore = ores[ore_count];
    ore.position = position;
    ore.hits = (uint8_t)hits;
    ore_update(ore);
    return ore_count++;
}
