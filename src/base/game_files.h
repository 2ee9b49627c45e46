#pragma once
// The names and files the game reads at start, relative to the folder it runs
// in, in one place for the game, the checker and the model tool.
#include <string>

// The textures load_textures reads from tex/<name>.png, in loading order.
constexpr int LOADED_TEXTURE_COUNT = 4;
extern const char* const LOADED_TEXTURES[LOADED_TEXTURE_COUNT];  // "ironOreNoise", "wood", "metal", "icon"

// The font image, registered as a texture too, under this name.
extern const char* const FONT_TEXTURE;  // "font"
extern const char* const FONT_PATH;     // "tex/font.png"

// The models other than the ore stages (world/ores.h holds those).
extern const char* const PICKAXE_MODEL_PATH;
extern const char* const FLOOR_MODEL_PATH;
extern const char* const WALL_MODEL_PATH;

// "tex/<name>.png".
std::string texture_path(const char* name);

// Whether a model's submesh may name this texture: one of LOADED_TEXTURES or
// FONT_TEXTURE, which are all loaded before any model.
bool is_model_texture(const std::string& name);

// The game's refusal of a model whose submesh names a texture that is not
// loaded: ends through fatal_error naming the file, the submesh and the name.
[[noreturn]] void fail_texture_not_loaded(const char* path, int submesh, const std::string& name);
