// decode_square_image without GL: every way a picture file can fail ends the
// start with its path and the problem in a player's words, one case each;
// and what it accepts comes out RGBA, bottom row first.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "base/image.h"

namespace {

// A folder of its own for each case, the working folder while it lasts,
// removed afterwards. The file names are relative, as the game's are.
struct ScratchFolder {
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::path path;
    ScratchFolder()
    {
        static int count = 0;
        path = std::filesystem::temp_directory_path() /
               ("quarrytop-image-" + std::to_string(std::random_device{}()) + "-" + std::to_string(count++));
        std::filesystem::create_directories(path);
        std::filesystem::current_path(path);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(before);
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A PNG of width x height RGBA pixels of many colours (so that its data does
// not pack into a few bytes), as a file's bytes.
std::vector<uint8_t> png_bytes(int width, int height)
{
    std::vector<uint8_t> pixels((size_t)width * height * 4);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = (uint8_t)(i * 2654435761u >> 13);
    std::vector<uint8_t> bytes;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<uint8_t>*>(context);
            out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
        },
        &bytes, width, height, 4, pixels.data(), width * 4);
    return bytes;
}

struct BadImage {
    const char* name;
    // Makes the file (or not) at the path.
    void (*make)(const std::string& path);
    // The whole message, after the path and before the line's end.
    const char* message;
};

const BadImage BAD_IMAGES[] = {
    {"missing", [](const std::string&) {}, ": cannot load the texture: the file does not exist"},
    {"missing_folder_on_the_way", nullptr, ": cannot load the texture: the file does not exist"},
    {"folder", [](const std::string& path) { std::filesystem::create_directory(path); },
     ": cannot load the texture: the file is a folder"},
    {"empty", [](const std::string& path) { write_bytes(path, {}); }, ": cannot load the texture: the file is empty"},
    {"cut_in_the_pixel_data",
     [](const std::string& path) {
         std::vector<uint8_t> png = png_bytes(32, 32);
         png.resize(png.size() / 2);
         write_bytes(path, png);
     },
     ": cannot load the texture: the file ends early"},
    {"cut_in_the_signature",
     [](const std::string& path) { write_bytes(path, {0x89, 'P', 'N'}); },
     ": cannot load the texture: the file ends early"},
    {"not_a_picture",
     [](const std::string& path) {
         const std::string text = "tile size 16, rows 16\n";
         write_bytes(path, std::vector<uint8_t>(text.begin(), text.end()));
     },
     ": cannot load the texture: this is not an image the game can read"},
    {"damaged_png_header",
     [](const std::string& path) {
         std::vector<uint8_t> png = png_bytes(4, 4);
         png[12] = 'X';  // the first chunk's type: no longer IHDR
         write_bytes(path, png);
     },
     ": cannot load the texture: this is not an image the game can read \\(first not IHDR\\)"},
    {"not_square", [](const std::string& path) { write_bytes(path, png_bytes(8, 2)); },
     ": the texture is 8 x 2 pixels; it must be square"},
};

// The case's name stands for it in test listings, rather than its bytes.
void PrintTo(const BadImage& bad, std::ostream* out)
{
    *out << bad.name;
}

class BadImageFile : public testing::TestWithParam<BadImage> {};

TEST_P(BadImageFile, EndsNamingTheFileAndTheProblem)
{
    const BadImage& bad = GetParam();
    ScratchFolder folder;
    std::string path = "wood.png";
    if (bad.make)
        bad.make(path);
    else
        path = "tex/wood.png";  // no tex/ folder at all
    EXPECT_EXIT(decode_square_image(path.c_str(), "texture"), testing::ExitedWithCode(1),
                std::string("^") + path + bad.message + "\r?\n$");  // "\r\n" on Windows
}

INSTANTIATE_TEST_SUITE_P(Cases, BadImageFile, testing::ValuesIn(BAD_IMAGES),
                         [](const testing::TestParamInfo<BadImage>& info) { return std::string(info.param.name); });

TEST(ImageFile, DecodesAnyChannelCountToRgbaBottomRowFirst)
{
    ScratchFolder folder;
    const std::string path = "grey.png";
    // Two rows of grey: the top row 10, the bottom row 200.
    const uint8_t grey[] = {10, 10, 200, 200};
    ASSERT_NE(stbi_write_png(path.c_str(), 2, 2, 1, grey, 2), 0);
    DecodedImage image = decode_square_image(path.c_str(), "texture");
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    const uint8_t expected[] = {200, 200, 200, 255, 200, 200, 200, 255, 10, 10, 10, 255, 10, 10, 10, 255};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(image.pixels[i], expected[i]) << "byte " << i;
    free_image(image);
    EXPECT_EQ(image.pixels, nullptr);
}

}  // namespace
