// The floor slab and the wall panel: the game loads them but never draws
// them; they are plain boxes.
#include "assetgen/mesh.h"
#include "assetgen/models.h"

namespace gen {

Model make_floor_model()
{
    Part planks{"wood", {}};
    add_box(planks, Vec{-1.0, -0.1, -1.0}, Vec{1.0, 0.0, 1.0}, 0.5);
    return assemble({planks});
}

Model make_wall_model()
{
    Part stone{"ironOreNoise", {}};
    add_box(stone, Vec{-1.0, 0.0, -0.1}, Vec{1.0, 2.0, 0.1}, 0.6);
    return assemble({stone});
}

}  // namespace gen
