// The font image as the game loads and measures it.
#include <gtest/gtest.h>

#include <cstring>

#include "assetgen/font.h"
#include "base/text_layout.h"
#include "check/check_rules.h"
#include "data_files.h"

namespace {

class Font : public ::testing::Test {
protected:
    const Decoded image = decode_png(committed_path("tex/font.png"));
};

TEST_F(Font, Is128SquareOfOpaqueWhiteInkOnClearPixels)
{
    // The checker's rule: 128 x 128, a glyph in every cell of 33..126 and
    // no ink past them.
    for (const std::string& problem : font_problems("tex/font.png", image.rgba.data(), image.width, image.height))
        ADD_FAILURE() << problem;
    ASSERT_EQ(image.width, 128);
    ASSERT_EQ(image.height, 128);
    // The game measures by the red byte and blends by alpha: anything but
    // white ink or fully clear black would leave fringes or stray widths.
    const uint8_t ink[4] = {255, 255, 255, 255}, clear[4] = {0, 0, 0, 0};
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            const uint8_t* p = image.pixel(x, y);
            ASSERT_TRUE(std::memcmp(p, ink, 4) == 0 || std::memcmp(p, clear, 4) == 0) << "pixel " << x << "," << y;
        }
}

TEST_F(Font, EveryCellHoldsItsDesignedGlyphCountedFromTheBottomLeft)
{
    const std::vector<gen::Glyph>& glyphs = gen::font_glyphs();
    ASSERT_EQ(glyphs.size(), 95u);
    for (int g = 0; g < 16 * 16; g++) {
        const int left = (g % 16) * 8, bottom = (g / 16) * 8;
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++) {
                // Design rows run from the top of the cell down.
                bool designed = false;
                if (g < 95) {
                    const std::string& row = glyphs[(size_t)g].rows[(size_t)(7 - y)];
                    designed = x < (int)row.size() && row[(size_t)x] == '#';
                }
                ASSERT_EQ(image.pixel(left + x, bottom + y)[0] != 0, designed)
                    << "glyph " << g << " ('" << (char)(g + 32) << "') pixel " << x << "," << y;
            }
    }
}

TEST_F(Font, SpaceIsBlank)
{
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            EXPECT_EQ(image.pixel(x, y)[3], 0);
}

TEST_F(Font, MeasuresToTheWidthEveryGlyphIsDesignedFor)
{
    measure_glyph_widths(image.rgba.data(), image.width);
    const std::vector<gen::Glyph>& glyphs = gen::font_glyphs();
    for (size_t g = 0; g < glyphs.size(); g++)
        EXPECT_EQ(glyph_widths[g], gen::design_width(glyphs[g])) << "'" << glyphs[g].character << "'";
    // The glyphs whose shapes are easiest to measure short: marks with a
    // gap in them, and the narrow ones.
    const struct {
        char character;
        int width;
    } narrow[] = {{' ', 5}, {'"', 2}, {'%', 5}, {'i', 1}, {'j', 3}, {':', 1}, {'!', 1}, {'l', 2}};
    for (const auto& glyph : narrow)
        EXPECT_EQ(glyph_widths[glyph.character - 32], glyph.width) << "'" << glyph.character << "'";
}

}  // namespace
