#include "replay_world.h"

#include <string>

#include "gfx/model_format.h"
#include "world/noise.h"
#include "world/ores.h"

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
    // The game's start-up order: the models, then the noise table, then the
    // deposits. Reading a model draws no random numbers, so only the noise
    // and the deposits fix the layout; the order merely reports a bad model
    // before any other work.
    for (int stage = 0; stage < 4; stage++)
        ore_models[stage] = read_model(data_path(data_dir, ORE_MODEL_PATHS[stage]).c_str());
    noise_init();
    place_ores();
}
