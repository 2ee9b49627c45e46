// Decoding the font image and refusing one too small for its glyph cells.
#include "base/font_image.h"

#include "base/fatal_error.h"

DecodedImage decode_font_image(const char* path)
{
    DecodedImage image = decode_square_image(path, "font image");
    if (image.width < FONT_MIN_WIDTH || image.height < FONT_MIN_HEIGHT) {
        const int32_t width = image.width, height = image.height;
        free_image(image);
        fatal_errorf("%s: the font image is %d x %d pixels, smaller than the %d x %d pixels of its glyph cells",
                     path, width, height, FONT_MIN_WIDTH, FONT_MIN_HEIGHT);
    }
    return image;
}
