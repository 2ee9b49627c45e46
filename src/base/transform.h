#pragma once
// Matrix and rotation math shared by drawing and gameplay.
//
// Every operation here fixes its order of operations: the world's movement
// and ore markers go through euler_rotation, and they only come out the same
// on every build if each product and sum is formed the same way.

struct Vec3 {
    float x, y, z;
};

// Position (y up) and Euler angles in radians. Pitch turns about x (positive
// looks up), yaw about y (positive turns left), roll about z. The eye looks
// along its own -z axis with its own +y up.
struct Camera {
    float x, y, z;
    float pitch, yaw, roll;
};

// 4x4 single-precision matrix stored column by column: element (row r,
// column k) is m[4 * k + r]. Applied to column vectors, so in A * B the right
// operand acts first. This is also the order glUniformMatrix4fv takes.
struct Mat4 {
    float m[16];
};

// pi/2 in double precision, and rounded to single precision.
constexpr double HALF_PI = 1.5707963267948966;
constexpr float HALF_PI_FLOAT = 1.5707964f;

// The aspect divisor of every view-projection, whatever the window's
// proportions: pi/2 in single precision.
constexpr float VIEW_ASPECT = HALF_PI_FLOAT;

Mat4 mat4_identity();
Mat4 mat4_translation(float x, float y, float z);
Mat4 mat4_transpose(const Mat4& a);

// A * B; each result element is ((b0*A0 + b1*A1) + b2*A2) + b3*A3.
Mat4 mat4_mul(const Mat4& a, const Mat4& b);

// M * (x, y, z, w) without the fourth component; each row summed left to
// right: ((x*m0 + y*m1) + z*m2) + w*m3.
Vec3 mat4_apply(const Mat4& m, Vec3 v, float w);

// Ry * (Rx * Rz): roll acts first, then pitch, then yaw. Sines and cosines are
// taken in double precision and rounded to single.
Mat4 euler_rotation(float pitch, float yaw, float roll);

// The vector turned by the angles (no translation).
Vec3 rotate_vector(Vec3 v, float pitch, float yaw, float roll);

// World to clip coordinates for the camera: a 90 degree vertical field of
// view, near 0.01, far 1024, horizontal scale divided by aspect.
Mat4 view_projection(const Camera& camera, float aspect);
