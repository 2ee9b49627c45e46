// The game's start-up after the window: GL resources, then the world, then
// the terrain on the GPU.
#include "draw/scene.h"

#include "draw/font.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "gfx/textures.h"
#include "world/world.h"

void build_scene()
{
    build_programs();
    load_textures();
    load_font();
    load_models();  // the ore models are needed to place the deposits
    world_start(terrain_vertices);
    terrain_upload();
}
