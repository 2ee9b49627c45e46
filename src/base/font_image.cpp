// Decoding the font image and refusing one of any size but 128 x 128, which
// would draw garbled text.
#include "base/font_image.h"

#include "base/fatal_error.h"

DecodedImage decode_font_image(const char* path)
{
    DecodedImage image = decode_square_image(path, "font image");
    if (image.width != FONT_IMAGE_SIZE || image.height != FONT_IMAGE_SIZE) {
        const int32_t width = image.width, height = image.height;
        free_image(image);
        fatal_errorf("%s: the font image is %d x %d pixels; it must be %d x %d (16 x 16 cells of 8 x 8 pixels)", path,
                     width, height, FONT_IMAGE_SIZE, FONT_IMAGE_SIZE);
    }
    return image;
}
