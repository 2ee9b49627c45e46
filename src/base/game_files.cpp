// The names and files the game reads at start.
#include "base/game_files.h"

#include "base/fatal_error.h"

const char* const LOADED_TEXTURES[LOADED_TEXTURE_COUNT] = {"ironOreNoise", "wood", "metal", "icon"};
const char* const FONT_TEXTURE = "font";
const char* const FONT_PATH = "tex/font.png";
const char* const PICKAXE_MODEL_PATH = "mdl/pickaxe.bmf";
const char* const FLOOR_MODEL_PATH = "mdl/floor.bmf";
const char* const WALL_MODEL_PATH = "mdl/wall.bmf";

std::string texture_path(const char* name)
{
    return std::string("tex/") + name + ".png";
}

bool is_model_texture(const std::string& name)
{
    for (const char* loaded : LOADED_TEXTURES)
        if (name == loaded)
            return true;
    return name == FONT_TEXTURE;
}

void fail_texture_not_loaded(const char* path, int submesh, const std::string& name)
{
    fatal_errorf("%s: submesh %d names the texture \"%s\", which is not loaded", path, submesh, name.c_str());
}
