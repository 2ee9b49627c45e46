// The textures and the icon atlas as the game samples them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "check/check_rules.h"
#include "data_files.h"

namespace {

const char* const TEXTURES[] = {"tex/ironOreNoise.png", "tex/wood.png", "tex/metal.png", "tex/icon.png",
                                "tex/font.png"};

TEST(Images, AreSquareWithAPowerOfTwoSide)
{
    for (const char* name : TEXTURES) {
        const Decoded image = decode_png(committed_path(name));
        EXPECT_EQ(image.width, image.height) << name;
        EXPECT_GE(image.width, 16) << name;
        EXPECT_EQ(image.width & (image.width - 1), 0) << name << " is " << image.width << " wide";
        for (const std::string& problem : texture_size_problems(name, image.width, image.height))
            ADD_FAILURE() << problem;
    }
}

// Two measures of the change from one pixel line of a square picture to the
// next, for every boundary b between line b and line b + 1; the last
// boundary is the wrap from the final line back to the first.
//  - the mean colour step between neighbouring pixels (fine detail), and
//  - the colour step between the lines' average colours (the broad shapes,
//    where a noise that does not wrap shows most).
struct LineSteps {
    std::vector<double> pixel, average;
};

LineSteps line_steps(const Decoded& image, int left, int bottom, int size, bool across_x)
{
    auto at = [&](int line, int a) {
        return across_x ? image.pixel(left + line, bottom + a) : image.pixel(left + a, bottom + line);
    };
    LineSteps steps{std::vector<double>((size_t)size, 0.0), std::vector<double>((size_t)size, 0.0)};
    for (int b = 0; b < size; b++) {
        const int next = (b + 1) % size;
        double sum[3] = {0, 0, 0};
        for (int a = 0; a < size; a++)
            for (int c = 0; c < 3; c++) {
                steps.pixel[(size_t)b] += std::abs(at(b, a)[c] - at(next, a)[c]);
                sum[c] += at(next, a)[c] - at(b, a)[c];
            }
        steps.pixel[(size_t)b] /= size;
        steps.average[(size_t)b] = (std::fabs(sum[0]) + std::fabs(sum[1]) + std::fabs(sum[2])) / size;
    }
    return steps;
}

// How many standard deviations the wrap's step lies above the mean step
// between the lines inside the picture.
double wrap_outlier(const std::vector<double>& steps)
{
    const size_t inside = steps.size() - 1;
    double mean = 0, square = 0;
    for (size_t b = 0; b < inside; b++) {
        mean += steps[b];
        square += steps[b] * steps[b];
    }
    mean /= (double)inside;
    const double spread = std::sqrt(square / (double)inside - mean * mean);
    return (steps.back() - mean) / spread;
}

struct Picture {
    const char* name;
    int column, row;  // tile of the 16 x 16 atlas, or -1 for the whole image
};

TEST(Images, SurfacesAndTerrainTilesRepeatWithoutSeams)
{
    const Picture pictures[] = {{"tex/ironOreNoise.png", -1, -1}, {"tex/wood.png", -1, -1}, {"tex/metal.png", -1, -1},
                                {"tex/icon.png", 2, 0},          {"tex/icon.png", 3, 0}};
    for (const Picture& picture : pictures) {
        const Decoded image = decode_png(committed_path(picture.name));
        const int size = picture.column < 0 ? image.width : image.width / 16;
        const int left = picture.column < 0 ? 0 : picture.column * size;
        const int bottom = picture.column < 0 ? 0 : picture.row * size;
        // A picture that does not tile shows a seam: the change across the
        // wrap stands far out from the changes between lines inside it.
        for (bool across_x : {true, false}) {
            const LineSteps steps = line_steps(image, left, bottom, size, across_x);
            const std::string where =
                std::string(picture.name) + " tile " + std::to_string(picture.column) + (across_x ? " across x" : " across y");
            EXPECT_LT(wrap_outlier(steps.pixel), 3.0) << where << ", fine detail";
            EXPECT_LT(wrap_outlier(steps.average), 3.0) << where << ", broad shapes";
        }
    }
}

TEST(Icon, TerrainTilesAreOpaque)
{
    // The terrain is drawn with blending; a see-through texel would show
    // the sky through the ground.
    const Decoded atlas = decode_png(committed_path("tex/icon.png"));
    const int tile = atlas.width / 16;
    for (int column : {2, 3})
        for (int y = 0; y < tile; y++)
            for (int x = 0; x < tile; x++)
                ASSERT_EQ(atlas.pixel(column * tile + x, y)[3], 255) << "tile " << column << " at " << x << "," << y;
}

TEST(Icon, TexelsJustOutsideTheTerrainTilesContinueTheTileAcrossTheCellEdge)
{
    // The terrain maps v across x from 0 to exactly one tile; where the
    // rasteriser rounds onto the edge, nearest sampling reads the texel row
    // beyond it (or, below v = 0, the wrapped top row of the atlas). Those
    // rows hold what the neighbouring cell shows next to the edge.
    const Decoded atlas = decode_png(committed_path("tex/icon.png"));
    const int tile = atlas.width / 16;
    for (int column : {2, 3})
        for (int x = column * tile; x < (column + 1) * tile; x++) {
            EXPECT_EQ(0, std::memcmp(atlas.pixel(x, tile), atlas.pixel(x, 0), 4)) << "above tile " << column;
            EXPECT_EQ(0, std::memcmp(atlas.pixel(x, atlas.height - 1), atlas.pixel(x, tile - 1), 4))
                << "atlas top row over tile " << column;
        }
    // Left of tile 2 (u below its edge) the tile's own right column.
    for (int y = 0; y < tile; y++)
        EXPECT_EQ(0, std::memcmp(atlas.pixel(2 * tile - 1, y), atlas.pixel(3 * tile - 1, y), 4));
}

TEST(Icon, MarkerTileHasATransparentSurroundAndAnOpaqueSign)
{
    const Decoded atlas = decode_png(committed_path("tex/icon.png"));
    const int tile = atlas.width / 16;
    const int left = 4 * tile;
    // Its own outer two rings of texels, and the texels just beyond its
    // right, top and (wrapped) bottom edges that sampling can round onto.
    for (int i = 0; i < tile; i++)
        for (int ring = 0; ring < 2; ring++) {
            EXPECT_EQ(atlas.pixel(left + i, ring)[3], 0) << "bottom edge at " << i;
            EXPECT_EQ(atlas.pixel(left + i, tile - 1 - ring)[3], 0) << "top edge at " << i;
            EXPECT_EQ(atlas.pixel(left + ring, i)[3], 0) << "left edge at " << i;
            EXPECT_EQ(atlas.pixel(left + tile - 1 - ring, i)[3], 0) << "right edge at " << i;
        }
    for (int i = 0; i < tile; i++) {
        EXPECT_EQ(atlas.pixel(left + tile, i)[3], 0) << "tile 5 next to the marker at " << i;
        EXPECT_EQ(atlas.pixel(left + i, tile)[3], 0) << "the tile above the marker at " << i;
        EXPECT_EQ(atlas.pixel(left + i, atlas.height - 1)[3], 0) << "the atlas top row over the marker at " << i;
    }
    // The sign itself: the centre is opaque, and it covers a fair share of
    // the tile.
    EXPECT_EQ(atlas.pixel(left + tile / 2, tile / 2)[3], 255);
    int opaque = 0;
    for (int y = 0; y < tile; y++)
        for (int x = 0; x < tile; x++)
            opaque += atlas.pixel(left + x, y)[3] == 255;
    EXPECT_GT(opaque, tile * tile / 8);
}

}  // namespace
