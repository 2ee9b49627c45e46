#pragma once
// Pictures as the game reads them: decoded with the vertical flip on, so that
// the first row is the bottom row of the picture (texture v = 0 is its bottom
// edge), 8-bit RGBA whatever the file holds, and square.
#include <cstdint>

struct DecodedImage {
    uint8_t* pixels;  // width x height RGBA pixels, bottom row first
    int32_t width;
    int32_t height;
};

// Decodes the image file at `path`. A file that cannot be decoded, or one
// that is not square, ends through fatal_error naming the file, `what` it is
// for ("texture", "font image") and the problem in plain words: "the file
// does not exist", "the file is a folder", "the file is empty", "the file
// ends early", "this is not an image the game can read" (with the decoder's
// reason in parentheses where it tells more), or the two sizes.
DecodedImage decode_square_image(const char* path, const char* what);

// Releases the pixels of a decoded image.
void free_image(DecodedImage& image);
