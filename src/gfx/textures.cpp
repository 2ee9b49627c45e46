// Square RGBA textures decoded from tex/<name>.png, and the registry that
// the model loader resolves submesh texture names in.
#include "gfx/textures.h"

#include <cstring>
#include <string>

#include "base/fatal_error.h"
#include "base/game_files.h"
#include "base/image.h"

TextureRegistry texture_registry;
GLuint icon_texture;

GLuint create_texture(const uint8_t* pixels, int32_t width)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Nearest filtering for minification too, so no mipmaps are needed.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, width, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return id;
}

GLuint load_texture(const char* name)
{
    const std::string path = texture_path(name);
    DecodedImage image = decode_square_image(path.c_str(), "texture");
    const GLuint id = create_texture(image.pixels, image.width);
    register_texture(name, id);
    free_image(image);
    return id;
}

void register_texture(const char* name, GLuint id)
{
    TextureRegistry& registry = texture_registry;
    if (registry.count >= TEXTURE_REGISTRY_CAPACITY)
        fatal_errorf("Cannot register the texture \"%s\": the registry holds at most %d textures", name,
                     TEXTURE_REGISTRY_CAPACITY);
    registry.entries[registry.count] = TextureEntry{name, id};
    registry.count += 1;
}

const TextureEntry* find_texture(const char* name)
{
    for (int32_t i = 0; i < texture_registry.count; i++)
        if (std::strcmp(texture_registry.entries[i].name, name) == 0)
            return &texture_registry.entries[i];
    return nullptr;
}

void load_textures()
{
    for (const char* name : LOADED_TEXTURES) {
        const GLuint id = load_texture(name);
        if (std::strcmp(name, "icon") == 0)
            icon_texture = id;
    }
}
