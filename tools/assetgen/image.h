#pragma once
// An RGBA picture as the generator paints it: rows from the top of the file
// down, four bytes a pixel. PNGs are written with stb_image_write.
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct Rgba {
    uint8_t r, g, b, a;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;  // row 0 is the top row of the file
};

Image make_image(int width, int height, Rgba fill);
Rgba& at(Image& image, int x, int y);
Rgba at(const Image& image, int x, int y);

// A colour from components in 0..1 (clamped, rounded).
Rgba rgb(double r, double g, double b, double a = 1.0);
// Linear mix of two colours.
Rgba mix(Rgba a, Rgba b, double t);
// A colour with its red, green and blue scaled by k (clamped).
Rgba shade(Rgba c, double k);

// Copies `source` into `target` with its top-left corner at (x, y), each
// pixel becoming a scale x scale block; pixels outside the target are
// dropped. With `blend`, source alpha is composited over the target.
void blit(Image& target, const Image& source, int x, int y, int scale, bool blend);

// Writes the image as a PNG; a file that cannot be written ends the program
// through fatal_error naming the path.
void write_png(const std::string& path, const Image& image);

}  // namespace gen
