// Direction bins around an eye: what a square may promise lies within what
// it touches, and the horizon raised over one square's directions stands
// above what lies within them and nothing beside them, in every direction,
// including squares over direction 0, whose bins wrap past the last.
#include <gtest/gtest.h>

#include <cmath>

#include "support/case_names.h"
#include "world/horizon_bins.h"

namespace {

constexpr double EYE_X = 256, EYE_Z = 256;

// A square of the given half-size whose centre lies `distance` from the eye
// in direction `angle` (radians from +x towards +z).
PlanSquare square_towards(double angle, double distance, double half)
{
    const double cx = EYE_X + distance * std::cos(angle), cz = EYE_Z + distance * std::sin(angle);
    return PlanSquare{cx - half, cz - half, cx + half, cz + half};
}

struct Direction {
    const char* name;
    double degrees;  // from +x towards +z
};

class HorizonBins : public testing::TestWithParam<Direction> {};

TEST_P(HorizonBins, RaisedOverASquareStandsAboveWhatLiesWithinItsDirectionsOnly)
{
    const double angle = GetParam().degrees * 3.141592653589793 / 180;
    const PlanSquare wall = square_towards(angle, 100, 20);  // about 11 degrees either side
    const BinSpan within = bins_within(wall, EYE_X, EYE_Z), touching = bins_touching(wall, EYE_X, EYE_Z);
    ASSERT_LE(touching.first, within.first);
    ASSERT_LE(within.first, within.last);
    ASSERT_LE(within.last, touching.last);
    ASSERT_LT(touching.last - touching.first, HORIZON_BINS / 2);

    horizon_clear();
    horizon_raise(within, 1.0);
    const auto above = [](const PlanSquare& s, double slope) {
        return horizon_above(bins_touching(s, EYE_X, EYE_Z), slope);
    };
    const PlanSquare ahead = square_towards(angle, 50, 2);
    EXPECT_TRUE(above(ahead, 0.5));
    EXPECT_FALSE(above(ahead, 1.0)) << "only what is lower than the horizon lies behind it";
    EXPECT_FALSE(above(square_towards(angle + 0.35, 50, 2), 0.5)) << "beside the wall, to one side";
    EXPECT_FALSE(above(square_towards(angle - 0.35, 50, 2), 0.5)) << "beside the wall, to the other";
    EXPECT_FALSE(above(square_towards(angle + 3.14159, 50, 2), 0.5)) << "behind the eye";

    horizon_clear();
    EXPECT_FALSE(above(ahead, -1e300)) << "cleared";
}

INSTANTIATE_TEST_SUITE_P(AroundTheEye, HorizonBins,
                         testing::Values(Direction{"0 degrees, over direction 0", 0}, Direction{"45 degrees", 45},
                                         Direction{"90 degrees", 90}, Direction{"135 degrees", 135},
                                         Direction{"180 degrees", 180}, Direction{"225 degrees", 225},
                                         Direction{"270 degrees", 270}, Direction{"315 degrees", 315},
                                         Direction{"355 degrees, wrapping past the last bin", 355}),
                         [](const testing::TestParamInfo<Direction>& info) { return case_name(info.param.name); });

}  // namespace
