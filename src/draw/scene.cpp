#include "draw/scene.h"

#include "draw/font.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/textures.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_mesh.h"

void build_scene()
{
    build_programs();
    load_textures();
    load_font();
    load_models();  // the ore models are needed to place the deposits
    noise_init();
    terrain_build();
    place_ores();
}
