// Decoding with stb_image, and the checks every picture of the game needs.
#include "base/image.h"

#include <stb_image.h>

#include "base/fatal_error.h"

DecodedImage decode_square_image(const char* path, const char* what)
{
    stbi_set_flip_vertically_on_load(1);
    int width = 0, height = 0, channels = 0;
    uint8_t* pixels = stbi_load(path, &width, &height, &channels, 4);
    if (!pixels)
        fatal_errorf("%s: cannot load the %s (%s)", path, what, stbi_failure_reason());
    // A texture's height is taken from its width; any other shape would be
    // uploaded wrong (or read past the pixels), so it is refused.
    if (width != height) {
        stbi_image_free(pixels);
        fatal_errorf("%s: the %s is %d x %d pixels; it must be square", path, what, width, height);
    }
    return DecodedImage{pixels, width, height};
}

void free_image(DecodedImage& image)
{
    stbi_image_free(image.pixels);
    image.pixels = nullptr;
}
