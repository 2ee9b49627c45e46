// Glyph measuring, the text mesh and the text layer's projection.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/text_layout.h"

namespace {

// A 128 x 128 RGBA font image, bottom row first, all transparent.
struct FontImage {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(128 * 128 * 4, 0);

    // Inks pixel (x, y) of the glyph cell of `ch`, counted from the cell's
    // bottom-left corner.
    void ink(char ch, int x, int y)
    {
        const int g = ch - 32;
        const int px = (g % 16) * 8 + x, py = (g / 16) * 8 + y;
        uint8_t* p = &pixels[(size_t)(py * 128 + px) * 4];
        p[0] = p[1] = p[2] = p[3] = 255;
    }
    void column(char ch, int x)
    {
        for (int y = 0; y < 8; y++)
            ink(ch, x, y);
    }
};

TEST(GlyphWidths, MeasuredUpToTheFirstEmptyColumn)
{
    FontImage font;
    for (int x = 0; x < 8; x++)
        font.column('M', x);  // every column inked
    font.column('i', 0);
    font.column('"', 0);  // a gap after the first column ends the glyph there
    font.column('"', 2);
    font.ink('a', 0, 3);  // one pixel is enough to ink a column
    font.ink('a', 1, 7);
    font.ink('a', 2, 0);
    font.ink('~', 3, 4);  // ink that does not start in the first column: blank
    // Only the red byte counts as ink.
    uint8_t* alpha_only = &font.pixels[(size_t)((('x' - 32) / 16) * 8 * 128 + (('x' - 32) % 16) * 8) * 4];
    alpha_only[3] = 255;

    measure_glyph_widths(font.pixels.data(), 128);
    const struct {
        char ch;
        int width;
    } expected[] = {{'M', 8}, {'i', 1}, {'"', 1}, {'a', 3}, {' ', 5}, {'~', 5}, {'x', 5}};
    for (const auto& e : expected)
        EXPECT_EQ(glyph_widths[e.ch - 32], e.width) << e.ch;
}

TEST(TextVertices, QuadsAreAsWideAsTheirGlyphs)
{
    std::memset(glyph_widths, 5, sizeof glyph_widths);
    float width = -1;
    const std::vector<TextVertex> v = build_text_vertices("ab", &width);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_EQ(width, 12.0f);
    EXPECT_EQ(v[0].x, 0.0f);
    EXPECT_EQ(v[1].x, 5.0f);
    EXPECT_EQ(v[6].x, 6.0f);
    EXPECT_EQ(v[7].x, 11.0f);
    EXPECT_EQ(v[2].y, 8.0f);
    // 'a' is glyph 65: cell column 1, cell row 4.
    EXPECT_EQ(v[0].u, 0.0625f);
    EXPECT_EQ(v[1].u, 0.0625f + 5 * 0.0078125f);
    EXPECT_EQ(v[0].v, 0.25f);
    EXPECT_EQ(v[2].v, 0.3125f);
    for (const TextVertex& vertex : v)
        EXPECT_EQ(vertex.z, 0.0f);
}

TEST(TextVertices, EmptyStringAndUnknownCharacters)
{
    std::memset(glyph_widths, 4, sizeof glyph_widths);
    float width = -1;
    EXPECT_TRUE(build_text_vertices("", &width).empty());
    EXPECT_EQ(width, 0.0f);
    // Bytes outside 32..126 have no glyph: skipped, not read out of the table.
    const std::vector<TextVertex> v = build_text_vertices("a\t\x7f\xff" "b\n", &width);
    EXPECT_EQ(v.size(), 12u);
    EXPECT_EQ(width, 10.0f);
}

TEST(TextProjection, ThreePixelsAUnitAroundTheCentre)
{
    const Mat4 p = text_projection(800, 600);
    EXPECT_FLOAT_EQ(p.m[0], 1.0f / (800.0f * 100.0f / 600.0f));
    EXPECT_EQ(p.m[5], 0.01f);
    EXPECT_EQ(p.m[10], -0.001f);
    EXPECT_EQ(p.m[15], 1.0f);
    EXPECT_EQ(p.m[12], 0.0f);
    // The counter line at x -130 starts 10 pixels from the left edge.
    EXPECT_NEAR((-130 * p.m[0] + 1) * 400, 10.0f, 1e-3f);
    // A height that is not a multiple of 6 keeps the same number of units.
    EXPECT_EQ(text_projection(800, 605).m[5], 0.01f);
}

}  // namespace
