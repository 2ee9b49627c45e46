// Matrix products, Euler rotations and the view-projection, each in a fixed order of operations.
#include "base/transform.h"

#include <cmath>

Mat4 mat4_identity()
{
    return Mat4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Mat4 mat4_translation(float x, float y, float z)
{
    Mat4 t = mat4_identity();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Mat4 mat4_transpose(const Mat4& a)
{
    Mat4 t;
    for (int r = 0; r < 4; r++)
        for (int k = 0; k < 4; k++)
            t.m[4 * k + r] = a.m[4 * r + k];
    return t;
}

Mat4 mat4_mul(const Mat4& a, const Mat4& b)
{
    Mat4 out;
    for (int i = 0; i < 4; i++) {
        const float b0 = b.m[4 * i + 0];
        const float b1 = b.m[4 * i + 1];
        const float b2 = b.m[4 * i + 2];
        const float b3 = b.m[4 * i + 3];
        for (int r = 0; r < 4; r++)
            out.m[4 * i + r] = ((b0 * a.m[r] + b1 * a.m[4 + r]) + b2 * a.m[8 + r]) + b3 * a.m[12 + r];
    }
    return out;
}

Vec3 mat4_apply(const Mat4& m, Vec3 v, float w)
{
    float out[3];
    for (int r = 0; r < 3; r++)
        out[r] = ((v.x * m.m[r] + v.y * m.m[4 + r]) + v.z * m.m[8 + r]) + w * m.m[12 + r];
    return Vec3{out[0], out[1], out[2]};
}

Mat4 euler_rotation(float pitch, float yaw, float roll)
{
    const float cp = (float)std::cos((double)pitch), sp = (float)std::sin((double)pitch);
    const float cy = (float)std::cos((double)yaw), sy = (float)std::sin((double)yaw);
    const float cr = (float)std::cos((double)roll), sr = (float)std::sin((double)roll);

    const Mat4 rz{{cr, sr, 0, 0, -sr, cr, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    const Mat4 rx{{1, 0, 0, 0, 0, cp, sp, 0, 0, -sp, cp, 0, 0, 0, 0, 1}};
    const Mat4 ry{{cy, 0, -sy, 0, 0, 1, 0, 0, sy, 0, cy, 0, 0, 0, 0, 1}};
    return mat4_mul(ry, mat4_mul(rx, rz));
}

Vec3 rotate_vector(Vec3 v, float pitch, float yaw, float roll)
{
    return mat4_apply(euler_rotation(pitch, yaw, roll), v, 0.0f);
}

Mat4 view_projection(const Camera& camera, float aspect)
{
    const Mat4 rotation = euler_rotation(camera.pitch, camera.yaw, camera.roll);
    const Mat4 view = mat4_mul(mat4_transpose(rotation), mat4_translation(-camera.x, -camera.y, -camera.z));

    // Half of a 90 degree field of view; the depth entries are those of the
    // usual perspective matrix for near 0.01 and far 1024.
    const float f = 1.0f / std::tan(0.7853982f);
    const Mat4 projection{{f / aspect, 0, 0, 0,
                           0, f, 0, 0,
                           0, 0, -1.0000195f, -1,
                           0, 0, -0.020000195f, 0}};
    return mat4_mul(projection, view);
}
