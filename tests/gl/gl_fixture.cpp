// The GL tests' own small data: temporary folders, PNGs, models and the fixture world.
#include "gl_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <stb_image_write.h>

TempDir::TempDir()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/quarrytop-gl-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

InDirectory::InDirectory(const std::string& path)
{
    previous = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

InDirectory::~InDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}

Image::Image(int w, int h, Rgba fill) : width(w), height(h), pixels((size_t)w * h, fill) {}

void write_png(const std::string& path, const Image& image, int channels)
{
    std::vector<uint8_t> bytes;
    for (const Rgba& p : image.pixels) {
        const uint8_t all[4] = {p.r, p.g, p.b, p.a};
        if (channels == 1) {
            bytes.push_back(p.r);
        } else if (channels == 2) {
            bytes.push_back(p.r);
            bytes.push_back(p.a);
        } else {
            bytes.insert(bytes.end(), all, all + channels);
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!stbi_write_png(path.c_str(), image.width, image.height, channels, bytes.data(), image.width * channels))
        throw std::runtime_error("cannot write " + path);
}

namespace {

uint32_t crc32_of(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void put_u32_be(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((uint8_t)(v >> shift));
}

void put_chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data)
{
    put_u32_be(png, (uint32_t)data.size());
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    put_u32_be(png, crc32_of(typed.data(), typed.size()));
}

}  // namespace

void write_palette_png(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
                       const std::vector<Rgba>& palette)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put_u32_be(header, (uint32_t)width);
    put_u32_be(header, (uint32_t)height);
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8 bits, palette, deflate, no filter, no interlace
    put_chunk(png, "IHDR", header);
    std::vector<uint8_t> plte, trns;
    for (const Rgba& c : palette) {
        plte.insert(plte.end(), {c.r, c.g, c.b});
        trns.push_back(c.a);
    }
    put_chunk(png, "PLTE", plte);
    put_chunk(png, "tRNS", trns);

    // Scanlines with filter byte 0, in one stored (uncompressed) deflate block.
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), indices.begin() + (size_t)y * width, indices.begin() + (size_t)(y + 1) * width);
    }
    std::vector<uint8_t> zlib = {0x78, 0x01, 0x01};
    const uint16_t length = (uint16_t)raw.size();
    zlib.insert(zlib.end(), {(uint8_t)length, (uint8_t)(length >> 8), (uint8_t)~length, (uint8_t)(~length >> 8)});
    zlib.insert(zlib.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put_u32_be(zlib, (b << 16) | a);
    put_chunk(png, "IDAT", zlib);
    put_chunk(png, "IEND", {});
    write_bytes(path, png);
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

int fixture_glyph_width(int g)
{
    return g == 0 ? 5 : 1 + g % 8;
}

Image fixture_font()
{
    Image font(128, 128, Rgba{0, 0, 0, 0});
    for (int g = 1; g < 95; g++) {
        // Cell rows count upward from the bottom of the image.
        const int left = (g % 16) * 8;
        const int bottom = 127 - (g / 16) * 8;
        for (int x = 0; x < fixture_glyph_width(g); x++)
            for (int y = 0; y < 8; y++)
                font.at(left + x, bottom - y) = Rgba{255, 255, 255, 255};
    }
    return font;
}

void write_fixture_world(const std::string& dir)
{
    write_png(dir + "/tex/ironOreNoise.png", Image(4, 4, ORE_COLOUR), 4);
    write_png(dir + "/tex/wood.png", Image(4, 4, WOOD_COLOUR), 3);
    write_png(dir + "/tex/metal.png", Image(4, 4, METAL_COLOUR), 4);
    Image icon(16, 16, Rgba{255, 0, 255, 255});
    icon.at(2, 15) = EARTH_COLOUR;  // the bottom row holds tiles 0..15
    icon.at(3, 15) = GRASS_COLOUR;
    icon.at(4, 15) = MARKER_COLOUR;
    write_png(dir + "/tex/icon.png", icon, 4);
    write_png(dir + "/tex/font.png", fixture_font(), 4);

    for (int stage = 0; stage < 4; stage++) {
        Model ore;
        const float h = 0.3f + 0.1f * (float)stage;
        append_box(ore, Vec3{0, h, 0}, Vec3{h, h, h}, "ironOreNoise");
        ore.box = Body{Vec3{0, h, 0}, Vec3{0, 0, 0}, Vec3{h, h, h}};
        write_bytes(dir + "/mdl/ore" + std::to_string(stage) + ".bmf", encode_model(ore));
    }
    Model pickaxe;
    append_box(pickaxe, Vec3{0, 0.3f, 0}, Vec3{0.03f, 0.3f, 0.03f}, "wood");
    append_box(pickaxe, Vec3{0, 0.6f, 0}, Vec3{0.25f, 0.04f, 0.04f}, "metal");
    pickaxe.box = Body{Vec3{0, 0.3f, 0}, Vec3{0, 0, 0}, Vec3{0.25f, 0.35f, 0.05f}};
    write_bytes(dir + "/mdl/pickaxe.bmf", encode_model(pickaxe));
    Model floor, wall;
    append_box(floor, Vec3{0, -0.05f, 0}, Vec3{1, 0.05f, 1}, "wood");
    append_box(wall, Vec3{0, 1, 0}, Vec3{1, 1, 0.05f}, "metal");
    write_bytes(dir + "/mdl/floor.bmf", encode_model(floor));
    write_bytes(dir + "/mdl/wall.bmf", encode_model(wall));
}
