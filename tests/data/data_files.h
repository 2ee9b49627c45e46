#pragma once
// The committed data files, read the way the game reads them.
#include <cstdint>
#include <string>
#include <vector>

#include "base/model_format.h"

// The repository's path for a data file such as "tex/icon.png".
std::string committed_path(const std::string& relative);

std::vector<uint8_t> file_bytes(const std::string& path);

// A decoded PNG as the game decodes it: RGBA, bottom row first.
struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    // Pixel (x, y) with y counted from the bottom of the image file.
    const uint8_t* pixel(int x, int y) const { return &rgba[((size_t)y * (size_t)width + (size_t)x) * 4]; }
};
Decoded decode_png(const std::string& path);

// A committed model, read and checked by the game's own reader.
Model committed_model(const std::string& relative);
