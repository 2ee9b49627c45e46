// One pass over the data folder: each file read as the game reads it, each
// refusal caught and printed, then the rules over what could be read.
#include "check/check_folder.h"

#include <cstdio>
#include <string>

#include "base/font_image.h"
#include "base/game_files.h"
#include "base/model_format.h"
#include "check/check_rules.h"
#include "check/game_refusal.h"
#include "world/ores.h"

namespace {

int problem_count = 0;

void report(const std::string& problem)
{
    std::printf("%s\n", problem.c_str());
    problem_count++;
}

void report_all(const Problems& problems)
{
    for (const std::string& problem : problems)
        report(problem);
}

void check_texture(const char* name)
{
    const std::string path = texture_path(name);
    try {
        DecodedImage image = decode_square_image(path.c_str(), "texture");
        const Problems problems = texture_size_problems(path.c_str(), image.width, image.height);
        free_image(image);
        report_all(problems);
    } catch (const GameRefusal& refusal) {
        report(refusal.message);
    }
}

void check_font()
{
    try {
        DecodedImage image = decode_font_image(FONT_PATH);
        const Problems problems = font_problems(FONT_PATH, image.pixels, image.width, image.height);
        free_image(image);
        report_all(problems);
    } catch (const GameRefusal& refusal) {
        report(refusal.message);
    }
}

// Reads a model as the game does and checks its texture names as the game's
// loader does; false when the file itself cannot be read.
bool check_model(const char* path, Model& model)
{
    try {
        model = read_model(path);
    } catch (const GameRefusal& refusal) {
        report(refusal.message);
        return false;
    }
    for (size_t i = 0; i < model.submeshes.size(); i++) {
        const std::string& name = model.submeshes[i].name;
        // A name with a NUL byte in it can equal no loaded name in full.
        if (name.find('\0') == std::string::npos && is_model_texture(name))
            continue;
        try {
            fail_texture_not_loaded(path, (int)i, name);
        } catch (const GameRefusal& refusal) {
            report(refusal.message);
        }
    }
    return true;
}

}  // namespace

int check_folder()
{
    problem_count = 0;
    for (const char* name : LOADED_TEXTURES)
        check_texture(name);
    check_font();

    Model stages[4];
    bool all_stages = true;
    for (int stage = 0; stage < 4; stage++) {
        const bool read = check_model(ORE_MODEL_PATHS[stage], stages[stage]);
        if (read)
            report_all(marker_ray_problems(ORE_MODEL_PATHS[stage], stages[stage]));
        all_stages = all_stages && read;
    }
    if (all_stages)
        report_all(stage_shrink_problems(stages));

    Model pickaxe;
    if (check_model(PICKAXE_MODEL_PATH, pickaxe))
        report_all(pickaxe_problems(PICKAXE_MODEL_PATH, pickaxe));
    Model other;
    check_model(FLOOR_MODEL_PATH, other);
    check_model(WALL_MODEL_PATH, other);
    return problem_count;
}
