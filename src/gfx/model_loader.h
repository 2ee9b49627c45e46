#pragma once
// Models on the GPU: read and checked (model_format.h), flat normals, one
// vertex buffer, submesh textures resolved by exact name.
#include "base/model_format.h"

extern Model pickaxe_model;

// Reads the file, uploads its vertices and resolves each submesh's texture in
// the registry; a texture name that is not registered ends through
// fatal_error naming the model file and the texture.
Model load_model(const char* path);

// The seven models in order: ore0..ore3 into ore_models, the pickaxe, and the
// floor and wall (loaded, then dropped).
void load_models();
