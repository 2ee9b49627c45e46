// libFuzzer target for the game's image loading: any bytes, as a texture and
// as the font, through stb_image and the game's checks (square, the font's
// size), then the checker's rules over what was decoded. An input is either
// refused through fatal_error with a message naming the file, or decodes to
// a square picture whose every pixel can be read; a crash, a sanitizer report
// or a broken invariant is a fault.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/font_image.h"
#include "base/image.h"
#include "check/check_rules.h"
#include "fatal_error_throws.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The readers take a path, as the game gives them one; the file is this
// process's own, so that parallel fuzzing jobs do not share it.
const std::string& input_path()
{
    static const std::string path = "fuzz-image-" + std::to_string(getpid()) + ".png";
    return path;
}

// Reads every pixel, so that the sanitizers see a picture smaller than it says.
unsigned sum_of_pixels(const DecodedImage& image)
{
    unsigned sum = 0;
    const size_t bytes = (size_t)image.width * (size_t)image.height * 4;
    for (size_t i = 0; i < bytes; i++)
        sum += image.pixels[i];
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* path = input_path().c_str();
    FILE* file = std::fopen(path, "wb");
    check(file != nullptr);
    check(std::fwrite(data, 1, size, file) == size);
    check(std::fclose(file) == 0);

    try {
        DecodedImage image = decode_square_image(path, "texture");
        check(image.width == image.height && image.width > 0);
        volatile unsigned sum = sum_of_pixels(image);
        (void)sum;
        texture_size_problems(path, image.width, image.height);
        free_image(image);
    } catch (const FatalError& error) {
        check(error.message.compare(0, std::strlen(path) + 2, std::string(path) + ": ") == 0);
    }
    try {
        DecodedImage image = decode_font_image(path);
        check(image.width == FONT_IMAGE_SIZE && image.height == FONT_IMAGE_SIZE);
        font_problems(path, image.pixels, image.width, image.height);
        free_image(image);
    } catch (const FatalError& error) {
        check(error.message.compare(0, std::strlen(path) + 2, std::string(path) + ": ") == 0);
    }
    return 0;
}
