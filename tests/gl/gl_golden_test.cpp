// Frames of the real game data (tex/, mdl/) drawn by quarrytop-shot, each in
// a fresh process, compared with the committed pictures under golden/. A
// small tolerance (a few levels a channel, on at most 1 pixel in 200)
// absorbs rasteriser differences between machines; a change in what a frame
// shows, even a slightly different light colour, does not pass.
//
// After a deliberate change to the drawing or the data, rewrite the pictures
// with QUARRYTOP_UPDATE_GOLDEN=1 and look at every one before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stb_image.h>

#include "gl_fixture.h"

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

Picture read_picture(const std::string& path)
{
    Picture picture;
    int channels = 0;
    stbi_set_flip_vertically_on_load(0);
    uint8_t* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
    if (pixels) {
        picture.rgb.assign(pixels, pixels + (size_t)picture.width * picture.height * 3);
        stbi_image_free(pixels);
    }
    return picture;
}

// The counter lines sit at a fixed place of the text layer, inside the
// picture only from about 780 x 588 pixels up: one scene is drawn at the
// game's size, the others smaller to keep the pictures small.
struct Scene {
    const char* name;
    const char* size;
};

void PrintTo(const Scene& scene, std::ostream* out)
{
    *out << scene.name << " at " << scene.size;
}

class GlGolden : public testing::TestWithParam<Scene> {};

TEST_P(GlGolden, FrameMatchesThePicture)
{
    const std::string scene = GetParam().name;
    const std::string source = QUARRYTOP_SOURCE_DIR;
    if (!std::filesystem::exists(source + "/tex/font.png"))
        GTEST_SKIP() << "no game data in " << source;
    const std::string golden = source + "/tests/gl/golden/" + scene + ".png";
    TempDir out;
    const std::string shot = out.path + "/" + scene + ".png";
    const std::string command = std::string("'") + QUARRYTOP_SHOT + "' --data '" + source + "' --size " + GetParam().size + " --script '" +
                                source + "/tools/shot/scenes/" + scene + ".txt' '" + shot + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    if (std::getenv("QUARRYTOP_UPDATE_GOLDEN")) {
        std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "rewrote " << golden;
    }

    const Picture want = read_picture(golden);
    const Picture got = read_picture(shot);
    ASSERT_FALSE(want.rgb.empty()) << "cannot read " << golden;
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    size_t far_off = 0;
    double total = 0;
    for (size_t i = 0; i < got.rgb.size(); i += 3) {
        int worst = 0;
        for (int c = 0; c < 3; c++) {
            const int d = std::abs((int)got.rgb[i + c] - (int)want.rgb[i + c]);
            worst = d > worst ? d : worst;
            total += d;
        }
        far_off += worst > 3;
    }
    const size_t pixels = got.rgb.size() / 3;
    EXPECT_LE(far_off, pixels / 200) << "pixels far from " << golden;
    EXPECT_LT(total / (double)got.rgb.size(), 0.5) << "mean difference from " << golden;
}

INSTANTIATE_TEST_SUITE_P(Scenes, GlGolden,
                         testing::Values(Scene{"start", "800x600"}, Scene{"deposit", "400x300"},
                                         Scene{"night_torch", "400x300"}, Scene{"swing", "400x300"}),
                         [](const testing::TestParamInfo<Scene>& info) { return std::string(info.param.name); });

}  // namespace
