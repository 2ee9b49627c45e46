// Matrix products, rotations and the view-projection against worked values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/transform.h"

namespace {

uint32_t bits_of(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

void expect_columns_near(const Mat4& m, const float (&expected)[16], float tolerance)
{
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(m.m[i], expected[i], tolerance) << "column " << i / 4 << " row " << i % 4;
}

void expect_vec_near(Vec3 v, Vec3 expected, float tolerance)
{
    EXPECT_NEAR(v.x, expected.x, tolerance);
    EXPECT_NEAR(v.y, expected.y, tolerance);
    EXPECT_NEAR(v.z, expected.z, tolerance);
}

TEST(Transform, ConstantsHaveTheirExactBits)
{
    EXPECT_EQ(bits_of(VIEW_ASPECT), 0x3FC90FDBu);
    EXPECT_EQ(bits_of(-1.0000195f), 0xBF8000A4u);
    EXPECT_EQ(bits_of(-0.020000195f), 0xBCA3D773u);
    EXPECT_EQ(bits_of(0.7853982f), 0x3F490FDBu);
}

TEST(Transform, IdentityOnEitherSideOfAProductChangesNothing)
{
    const Mat4 a = euler_rotation(0.3f, 0.7f, 1.1f);
    const Mat4 left = mat4_mul(mat4_identity(), a);
    const Mat4 right = mat4_mul(a, mat4_identity());
    EXPECT_EQ(std::memcmp(&left, &a, sizeof a), 0);
    EXPECT_EQ(std::memcmp(&right, &a, sizeof a), 0);
}

TEST(Transform, EulerRotationOfZeroIsTheIdentity)
{
    const Mat4 r = euler_rotation(0, 0, 0);
    const Mat4 id = mat4_identity();
    EXPECT_EQ(std::memcmp(&r, &id, sizeof r), 0);
}

TEST(Transform, EulerRotationTurnsRightHanded)
{
    const float half_pi = 1.5707964f;
    expect_vec_near(rotate_vector({0, 0, -1}, 0, half_pi, 0), {-1, 0, 0}, 1e-6f);
    expect_vec_near(rotate_vector({0, 0, -1}, half_pi, 0, 0), {0, 1, 0}, 1e-6f);
    expect_vec_near(rotate_vector({1, 0, 0}, 0, 0, half_pi), {0, 1, 0}, 1e-6f);
}

TEST(Transform, EulerRotationAppliesRollThenPitchThenYaw)
{
    const float expected[16] = {0.516597f, 0.851403f, -0.090778f, 0,
                                -0.595278f, 0.433337f, 0.676656f, 0,
                                0.615445f, -0.295520f, 0.730682f, 0,
                                0, 0, 0, 1};
    expect_columns_near(euler_rotation(0.3f, 0.7f, 1.1f), expected, 1e-6f);
}

TEST(Transform, RotateVectorIgnoresTranslation)
{
    const Vec3 v = rotate_vector({0, 0, 0}, 0.3f, 0.7f, 1.1f);
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_EQ(v.z, 0.0f);
}

TEST(Transform, ViewProjectionAtTheOriginIsTheProjection)
{
    const Camera origin{0, 0, 0, 0, 0, 0};
    const Mat4 p = view_projection(origin, VIEW_ASPECT);
    const float f = 1.0f / std::tan(0.7853982f);
    const float expected[16] = {f / VIEW_ASPECT, 0, 0, 0, 0, f, 0, 0, 0, 0, -1.0000195f, -1, 0, 0, -0.020000195f, 0};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(p.m[i], expected[i]) << i;

    struct Case {
        Vec3 point;
        float ndc_x, ndc_y, ndc_z;
    };
    const Case cases[] = {
        {{0, 0, -0.01f}, 0, 0, -1},               // the near plane
        {{0, 0, -1024}, 0, 0, 1},                 // the far plane
        {{1.5707964f, 1, -1}, 1, 1, NAN},         // the top-right corner
    };
    for (const Case& c : cases) {
        const Vec3 clip = mat4_apply(p, c.point, 1);
        const float w = ((c.point.x * p.m[3] + c.point.y * p.m[7]) + c.point.z * p.m[11]) + p.m[15];
        EXPECT_NEAR(clip.x / w, c.ndc_x, 1e-5f);
        EXPECT_NEAR(clip.y / w, c.ndc_y, 1e-5f);
        if (!std::isnan(c.ndc_z)) {
            EXPECT_NEAR(clip.z / w, c.ndc_z, 1e-4f);
        }
    }
}

TEST(Transform, ViewProjectionOfAMovedAndTurnedCamera)
{
    const Camera camera{3, 5, 7, 0.3f, 0.7f, 1.1f};
    const float expected[16] = {0.328876f, -0.595278f, -0.615457f, -0.615445f,
                                0.542020f, 0.433337f, 0.295526f, 0.295520f,
                                -0.057791f, 0.676656f, -0.730696f, -0.730682f,
                                -3.292188f, -5.117445f, 5.463612f, 5.483505f};
    expect_columns_near(view_projection(camera, VIEW_ASPECT), expected, 2e-6f);
}

}  // namespace
