// Boxes against the view's clip volume: hand-made boxes inside, outside,
// straddling each of the six planes and behind the eye, and a sampled check
// that a box called outside holds no point inside the volume.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "base/view_volume.h"
#include "support/case_names.h"

namespace {

// The eye at the origin looking along -z, level: at distance d the view
// reaches d * pi/2 to each side and d up and down; near 0.01, far 1024.
const Mat4 AHEAD = view_projection(Camera{0, 0, 0, 0, 0, 0}, VIEW_ASPECT);

Box box(float x0, float y0, float z0, float x1, float y1, float z1)
{
    return Box{{x0, y0, z0}, {x1, y1, z1}};
}

struct BoxCase {
    const char* name;
    Box box;
    bool outside;
};

void PrintTo(const BoxCase& c, std::ostream* out)
{
    *out << c.name;
}

class BoxAgainstView : public testing::TestWithParam<BoxCase> {};

TEST_P(BoxAgainstView, IsOutsideOnlyWhenWhollyBeyondOnePlane)
{
    EXPECT_EQ(box_outside_view(AHEAD, GetParam().box), GetParam().outside)
        << GetParam().name << (GetParam().outside ? " should be left out" : " must be drawn");
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// At z = -10 the volume spans x -15.7..15.7 and y -10..10.
INSTANTIATE_TEST_SUITE_P(
    Cases, BoxAgainstView,
    testing::Values(
        BoxCase{"inside", box(-1, -1, -11, 1, 1, -9), false},
        BoxCase{"holding the whole volume", box(-5000, -5000, -5000, 5000, 5000, 5000), false},
        BoxCase{"holding the eye", box(-1, -1, -1, 1, 1, 1), false},
        BoxCase{"left of the view", box(-30, -1, -11, -25, 1, -9), true},
        BoxCase{"straddling the left plane", box(-20, -1, -11, -10, 1, -9), false},
        BoxCase{"right of the view", box(25, -1, -11, 30, 1, -9), true},
        BoxCase{"straddling the right plane", box(10, -1, -11, 20, 1, -9), false},
        BoxCase{"below the view", box(-1, -30, -11, 1, -20, -9), true},
        BoxCase{"straddling the bottom plane", box(-1, -15, -11, 1, -5, -9), false},
        BoxCase{"above the view", box(-1, 20, -11, 1, 30, -9), true},
        BoxCase{"straddling the top plane", box(-1, 5, -11, 1, 15, -9), false},
        // Drawn: the far plane is too fine to rule on in single precision.
        BoxCase{"beyond the far plane", box(-1, -1, -2000, 1, 1, -1100), false},
        BoxCase{"straddling the far plane", box(-1, -1, -1100, 1, 1, -1000), false},
        BoxCase{"behind the eye", box(-1, -1, 1, 1, 1, 5), true},
        BoxCase{"behind the eye and wider than the view", box(-100, -100, 0.5f, 100, 100, 100), true},
        BoxCase{"between the eye and the near plane", box(-1, -1, -0.009f, 1, 1, 2), true},
        BoxCase{"straddling the near plane", box(-1, -1, -1, 1, 1, 1), false},
        BoxCase{"beyond a side and a corner at once", box(-30, 20, -11, -25, 30, -9), true},
        BoxCase{"reaching into a corner of the view", box(14, 8, -10.5f, 17, 11, -9.5f), false},
        BoxCase{"NaN", box(NaN, -1, -11, NaN, 1, -9), false}),
    [](const testing::TestParamInfo<BoxCase>& info) { return case_name(info.param.name); });

TEST(ViewVolume, TurnedEyeSeesWhatIsInFrontOfIt)
{
    // A quarter turn to the left looks along -x.
    const Mat4 left = view_projection(Camera{0, 0, 0, 0, (float)HALF_PI, 0}, VIEW_ASPECT);
    EXPECT_FALSE(box_outside_view(left, box(-11, -1, -1, -9, 1, 1)));
    EXPECT_TRUE(box_outside_view(left, box(9, -1, -1, 11, 1, 1)));
    // Looking straight down from 100 up, the ground below is in view and the
    // sky above is not.
    const Mat4 down = view_projection(Camera{50, 100, 50, -(float)HALF_PI, 0, 0}, VIEW_ASPECT);
    EXPECT_FALSE(box_outside_view(down, box(40, 0, 40, 60, 10, 60)));
    EXPECT_TRUE(box_outside_view(down, box(40, 110, 40, 60, 120, 60)));
}

// The clip coordinates of a point in double precision, and whether they are
// inside the volume.
bool in_volume(const Mat4& m, double x, double y, double z)
{
    double c[4];
    for (int r = 0; r < 4; r++)
        c[r] = m.m[r] * x + m.m[4 + r] * y + m.m[8 + r] * z + m.m[12 + r];
    return std::fabs(c[0]) <= c[3] && std::fabs(c[1]) <= c[3] && std::fabs(c[2]) <= c[3];
}

TEST(ViewVolume, BoxCalledOutsideHoldsNoPointOfTheVolume)
{
    std::mt19937 random(9);
    std::uniform_real_distribution<float> angle(-3.2f, 3.2f), place(-100.0f, 100.0f), size(0.0f, 40.0f),
        share(0.0f, 1.0f);
    int outside = 0;
    for (int trial = 0; trial < 2000; trial++) {
        const Camera eye{place(random), place(random), place(random), angle(random) / 2, angle(random), 0};
        const Mat4 clip = view_projection(eye, VIEW_ASPECT);
        const Vec3 low{place(random), place(random), place(random)};
        const Box b{low, {low.x + size(random), low.y + size(random), low.z + size(random)}};
        if (!box_outside_view(clip, b))
            continue;
        outside++;
        for (int k = 0; k < 200; k++) {
            const double x = b.low.x + share(random) * (b.high.x - b.low.x);
            const double y = b.low.y + share(random) * (b.high.y - b.low.y);
            const double z = b.low.z + share(random) * (b.high.z - b.low.z);
            ASSERT_FALSE(in_volume(clip, x, y, z)) << "trial " << trial << ": a point of a box left out is in view";
        }
    }
    // Most random boxes are out of a view: the check above has material.
    EXPECT_GT(outside, 500);
}

TEST(ViewVolume, BoxOfVerticesHoldsThemAllAndMoves)
{
    const ModelVertex v[3] = {{{1, -2, 3}, {}, 0, 0}, {{-4, 5, 0}, {}, 0, 0}, {{2, 0, -6}, {}, 0, 0}};
    const Box b = box_moved(box_of_vertices(v, 3), Vec3{10, 20, 30});
    EXPECT_EQ(b.low.x, 6);
    EXPECT_EQ(b.low.y, 18);
    EXPECT_EQ(b.low.z, 24);
    EXPECT_EQ(b.high.x, 12);
    EXPECT_EQ(b.high.y, 25);
    EXPECT_EQ(b.high.z, 33);
}

}  // namespace
