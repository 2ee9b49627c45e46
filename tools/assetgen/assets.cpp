// Writes every file of tex/ and mdl/ into a folder.
#include "assetgen/assets.h"

#include <filesystem>
#include <system_error>

#include "assetgen/font.h"
#include "assetgen/models.h"
#include "assetgen/textures.h"
#include "base/fatal_error.h"

namespace gen {

const std::vector<std::string>& asset_paths()
{
    static const std::vector<std::string> paths = {
        "tex/ironOreNoise.png", "tex/wood.png",     "tex/metal.png",      "tex/icon.png",     "tex/font.png",
        "mdl/ore0.bmf",         "mdl/ore1.bmf",     "mdl/ore2.bmf",       "mdl/ore3.bmf",     "mdl/pickaxe.bmf",
        "mdl/floor.bmf",        "mdl/wall.bmf",
    };
    return paths;
}

namespace {

void make_folder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        fatal_errorf("%s: cannot create the folder: %s", path.c_str(), error.message().c_str());
}

}  // namespace

void write_assets(const std::string& folder)
{
    make_folder(folder + "/tex");
    make_folder(folder + "/mdl");
    write_png(folder + "/tex/ironOreNoise.png", make_ore_texture());
    write_png(folder + "/tex/wood.png", make_wood_texture());
    write_png(folder + "/tex/metal.png", make_metal_texture());
    write_png(folder + "/tex/icon.png", make_icon_atlas());
    write_png(folder + "/tex/font.png", make_font_image());
    for (int stage = 0; stage < 4; stage++)
        write_model((folder + "/mdl/ore" + std::to_string(stage) + ".bmf").c_str(), make_ore_model(stage));
    write_model((folder + "/mdl/pickaxe.bmf").c_str(), make_pickaxe_model());
    write_model((folder + "/mdl/floor.bmf").c_str(), make_floor_model());
    write_model((folder + "/mdl/wall.bmf").c_str(), make_wall_model());
}

}  // namespace gen
