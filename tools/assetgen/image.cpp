// A plain RGBA picture for the generator, written as PNG.
#include "assetgen/image.h"

#include <stb_image_write.h>

#include "base/fatal_error.h"

namespace gen {

Image make_image(int width, int height, Rgba fill)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign((size_t)width * (size_t)height, fill);
    return image;
}

Rgba& at(Image& image, int x, int y)
{
    return image.pixels[(size_t)y * (size_t)image.width + (size_t)x];
}

Rgba at(const Image& image, int x, int y)
{
    return image.pixels[(size_t)y * (size_t)image.width + (size_t)x];
}

namespace {

uint8_t to_byte(double v)
{
    if (v <= 0)
        return 0;
    if (v >= 1)
        return 255;
    return (uint8_t)(v * 255.0 + 0.5);
}

}  // namespace

Rgba rgb(double r, double g, double b, double a)
{
    return Rgba{to_byte(r), to_byte(g), to_byte(b), to_byte(a)};
}

Rgba mix(Rgba a, Rgba b, double t)
{
    return rgb((a.r + (b.r - a.r) * t) / 255.0, (a.g + (b.g - a.g) * t) / 255.0,
               (a.b + (b.b - a.b) * t) / 255.0, (a.a + (b.a - a.a) * t) / 255.0);
}

Rgba shade(Rgba c, double k)
{
    return rgb(c.r * k / 255.0, c.g * k / 255.0, c.b * k / 255.0, c.a / 255.0);
}

void blit(Image& target, const Image& source, int x, int y, int scale, bool blend)
{
    for (int sy = 0; sy < source.height; sy++)
        for (int sx = 0; sx < source.width; sx++) {
            const Rgba s = at(source, sx, sy);
            for (int dy = 0; dy < scale; dy++)
                for (int dx = 0; dx < scale; dx++) {
                    const int tx = x + sx * scale + dx, ty = y + sy * scale + dy;
                    if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height)
                        continue;
                    Rgba& t = at(target, tx, ty);
                    if (!blend) {
                        t = s;
                        continue;
                    }
                    const double k = s.a / 255.0;
                    t = Rgba{(uint8_t)(t.r + (s.r - t.r) * k + 0.5), (uint8_t)(t.g + (s.g - t.g) * k + 0.5),
                             (uint8_t)(t.b + (s.b - t.b) * k + 0.5), 255};
                }
        }
}

void write_png(const std::string& path, const Image& image)
{
    if (!stbi_write_png(path.c_str(), image.width, image.height, 4, image.pixels.data(), image.width * 4))
        fatal_errorf("%s: cannot write the PNG file", path.c_str());
}

}  // namespace gen
