// Reading the committed data files for the data tests.
#include "data_files.h"

#include <fstream>
#include <iterator>
#include <stb_image.h>
#include <stdexcept>

std::string committed_path(const std::string& relative)
{
    return std::string(QUARRYTOP_SOURCE_DIR) + "/" + relative;
}

std::vector<uint8_t> file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Decoded decode_png(const std::string& path)
{
    stbi_set_flip_vertically_on_load(1);
    int channels = 0;
    Decoded image;
    uint8_t* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (!pixels)
        throw std::runtime_error("cannot decode " + path);
    image.rgba.assign(pixels, pixels + (size_t)image.width * (size_t)image.height * 4);
    stbi_image_free(pixels);
    return image;
}

Model committed_model(const std::string& relative)
{
    return read_model(committed_path(relative).c_str());
}
