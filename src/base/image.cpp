// Decoding with stb_image, and the checks every picture of the game needs.
// A file that cannot become a picture ends the start with its path and what
// is wrong with it in plain words; the decoder's own shorthand follows in
// parentheses only where it says more than the words do.
#include "base/image.h"

#include <stb_image.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/fatal_error.h"

namespace {

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t big_endian_32(const uint8_t* bytes)
{
    return (uint32_t)bytes[0] << 24 | (uint32_t)bytes[1] << 16 | (uint32_t)bytes[2] << 8 | (uint32_t)bytes[3];
}

// The whole file, or nothing when it cannot be read.
bool read_file(const char* path, std::vector<uint8_t>* bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    uint8_t block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes->insert(bytes->end(), block, block + got);
    const bool read_all = std::ferror(file) == 0;
    std::fclose(file);
    return read_all;
}

// Whether the bytes are the start of a PNG file whose last chunk (IEND) is
// missing or cut: a file copied or downloaded only in part.
bool png_ends_early(const uint8_t* bytes, size_t size)
{
    if (size < sizeof PNG_SIGNATURE)
        return size > 0 && std::memcmp(bytes, PNG_SIGNATURE, size) == 0;
    if (std::memcmp(bytes, PNG_SIGNATURE, sizeof PNG_SIGNATURE) != 0)
        return false;
    // Chunks: length, type, data, check sum; the IEND chunk closes the file.
    size_t at = sizeof PNG_SIGNATURE;
    while (size - at >= 8) {
        const uint64_t length = big_endian_32(bytes + at);
        const bool last = std::memcmp(bytes + at + 4, "IEND", 4) == 0;
        if (size - at - 8 < length + 4)
            return true;
        if (last)
            return false;
        at += 8 + (size_t)length + 4;
    }
    return true;
}

// The player's words for a failure reason of the decoder, and whether the
// reason itself is worth keeping beside them.
const char* image_failure_words(const char* decoder_reason, bool* keep_reason)
{
    *keep_reason = false;
    if (std::strcmp(decoder_reason, "outofdata") == 0)
        return "the file ends early";
    if (std::strcmp(decoder_reason, "unknown image type") == 0)
        return "this is not an image the game can read";
    if (std::strcmp(decoder_reason, "outofmem") == 0)
        return "there is not enough memory to decode it";
    // A damaged or unusual file of a known kind: its details are the
    // decoder's.
    *keep_reason = true;
    return "this is not an image the game can read";
}

}  // namespace

DecodedImage decode_square_image(const char* path, const char* what)
{
    // What can be told before decoding, in the player's words rather than
    // as the decoder's "can't fopen".
    struct stat status {};
    if (stat(path, &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            fatal_errorf("%s: cannot load the %s: the file does not exist", path, what);
        fatal_errorf("%s: cannot load the %s: the file cannot be opened (%s)", path, what, std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode))
        fatal_errorf("%s: cannot load the %s: the file is a folder", path, what);
    std::vector<uint8_t> bytes;
    if (!read_file(path, &bytes))
        fatal_errorf("%s: cannot load the %s: the file cannot be read (%s)", path, what, std::strerror(errno));
    if (bytes.empty())
        fatal_errorf("%s: cannot load the %s: the file is empty", path, what);
    if (bytes.size() > (size_t)INT32_MAX)
        fatal_errorf("%s: cannot load the %s: the file is too large to be a picture of the game", path, what);

    stbi_set_flip_vertically_on_load(1);
    int width = 0, height = 0, channels = 0;
    uint8_t* pixels = stbi_load_from_memory(bytes.data(), (int)bytes.size(), &width, &height, &channels, 4);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        if (png_ends_early(bytes.data(), bytes.size()))
            fatal_errorf("%s: cannot load the %s: the file ends early", path, what);
        bool keep_reason = false;
        const char* words = image_failure_words(reason ? reason : "", &keep_reason);
        if (keep_reason && reason)
            fatal_errorf("%s: cannot load the %s: %s (%s)", path, what, words, reason);
        fatal_errorf("%s: cannot load the %s: %s", path, what, words);
    }
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
