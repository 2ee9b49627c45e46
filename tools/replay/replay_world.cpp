// The world the replay tool runs: the game's stage models from a data folder, then the world's start.
#include "replay/replay_world.h"

#include <string>

#include "base/model_format.h"
#include "world/ores.h"
#include "world/world.h"

namespace {

// The path the game opens, under `data_dir`; "." keeps it as the game has it
// so that messages name the same file.
std::string data_path(const std::string& data_dir, const char* relative)
{
    if (data_dir.empty() || data_dir == ".")
        return relative;
    const char last = data_dir.back();
    if (last == '/' || last == '\\')
        return data_dir + relative;
    return data_dir + "/" + relative;
}

}  // namespace

void build_world_from_data(const char* data_dir)
{
    // The game's start-up order: the models, then the world. Reading a model
    // draws no random numbers, and the terrain mesh none either, so the
    // world here is the game's without the mesh.
    for (int stage = 0; stage < 4; stage++)
        ore_models[stage] = read_model(data_path(data_dir, ORE_MODEL_PATHS[stage]).c_str());
    world_start(nullptr);
}
