// The game's start-up after the window: GL resources, then the world, whose
// terrain records are written straight into their vertex buffer.
#include "draw/scene.h"

#include "draw/font.h"
#include "gfx/gl_functions.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "gfx/textures.h"
#include "world/world.h"

void build_scene()
{
    gl_load_optional_functions();
    build_programs();
    load_textures();
    load_font();
    load_models();  // the ore models are needed to place the deposits
    world_start(terrain_upload_begin());
    terrain_upload_end();
}
