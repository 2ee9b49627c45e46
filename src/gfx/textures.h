#pragma once
// Square RGBA textures from tex/<name>.png, with repeat wrapping and nearest
// filtering, registered under short names.
#include <cstdint>

#include "gfx/gl_functions.h"

struct TextureEntry {
    const char* name;  // not copied: a text that lives for the whole run
    GLuint id;
};

constexpr int TEXTURE_REGISTRY_CAPACITY = 64;

struct TextureRegistry {
    TextureEntry entries[TEXTURE_REGISTRY_CAPACITY];
    int32_t count;
};

extern TextureRegistry texture_registry;

// The "icon" atlas: terrain tiles and the marker billboard.
extern GLuint icon_texture;

// A width x width RGBA texture, left bound to GL_TEXTURE_2D.
GLuint create_texture(const uint8_t* pixels, int32_t width);

// Loads tex/<name>.png (flipped so v = 0 is the image's bottom edge), creates
// and registers its texture. A missing or undecodable file, or one that is not
// square, ends through fatal_error naming the file.
GLuint load_texture(const char* name);

// Appends (name, id); past the 64th entry ends through fatal_error.
void register_texture(const char* name, GLuint id);

// The first entry whose name equals `name` exactly, or null.
const TextureEntry* find_texture(const char* name);

// LOADED_TEXTURES (base/game_files.h): "ironOreNoise", "wood", "metal" and
// "icon", in that order; keeps icon_texture.
void load_textures();
