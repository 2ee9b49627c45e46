// Models on the GPU: the checked file, one vertex buffer, and each submesh's
// texture found by its exact name among the registered textures.
#include "gfx/model_loader.h"

#include "base/game_files.h"
#include "gfx/gl_functions.h"
#include "gfx/textures.h"
#include "world/ores.h"

Model pickaxe_model;

Model load_model(const char* path)
{
    Model model = read_model(path);

    // One upload of the whole array; the array itself stays in memory for
    // the ray tests of mining and marker placement.
    gl.GenBuffers(1, &model.vertex_buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, model.vertex_buffer);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(model.vertices.size() * sizeof(ModelVertex)),
                  model.vertices.data(), GL_STATIC_DRAW);

    // Every texture a model names must be loaded before it: a submesh drawn
    // with no texture at all would be a silent hole in the picture.
    for (size_t i = 0; i < model.submeshes.size(); i++) {
        Submesh& submesh = model.submeshes[i];
        // A name with a NUL byte in it can equal no registered name in full.
        const bool plain = submesh.name.find('\0') == std::string::npos;
        const TextureEntry* entry = plain ? find_texture(submesh.name.c_str()) : nullptr;
        if (!entry)
            fail_texture_not_loaded(path, (int)i, submesh.name);
        submesh.texture = entry->id;
    }
    return model;
}

void load_models()
{
    for (int stage = 0; stage < 4; stage++)
        ore_models[stage] = load_model(ORE_MODEL_PATHS[stage]);
    pickaxe_model = load_model(PICKAXE_MODEL_PATH);
    // Loaded like the others, then dropped: nothing draws them, and their
    // buffers simply live on until the process ends.
    load_model(FLOOR_MODEL_PATH);
    load_model(WALL_MODEL_PATH);
}
