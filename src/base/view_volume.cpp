// Boxes against the clip volume: the plane test behind the terrain's and the
// deposits' culling.
#include "base/view_volume.h"

#include <cmath>

namespace {

// Each clip plane is a linear function of the homogeneous world point, so a
// box lies wholly outside one when all eight corners are outside it. The GPU
// forms each clip coordinate in single precision, ((x m0 + y m1) + z m2) +
// m3, off by at most a few units in the last place (2^-24) of the sum of
// the magnitudes of its terms; a deposit's matrix, a product of two, adds a
// few more. A corner counts as outside only when its value stays negative
// after adding 10^-5 of those magnitudes, twenty times the worst of that; a
// box outside by less is drawn, which costs a little work and never a pixel.
// The function plus its bound is convex, so its largest value over the box
// is at a corner: checking the corners covers every point inside. (The far
// plane nearly cancels in single precision, 2 * 10^-5 of the distance, so in
// practice this never rules a box out beyond it; the map lies well within.)
constexpr double RELATIVE_MARGIN = 1e-5;

// Row r of the matrix (the coefficients of clip coordinate r).
void row(const Mat4& m, int r, double out[4])
{
    for (int k = 0; k < 4; k++)
        out[k] = (double)m.m[4 * k + r];
}

// Whether every corner of the box is on the negative side of the plane
// a x + b y + c z + d >= 0 by more than the margin.
bool outside_plane(const double plane[4], const double magnitude[4], const Box& box)
{
    for (int corner = 0; corner < 8; corner++) {
        const double x = (corner & 1) ? box.high.x : box.low.x;
        const double y = (corner & 2) ? box.high.y : box.low.y;
        const double z = (corner & 4) ? box.high.z : box.low.z;
        const double value = plane[0] * x + plane[1] * y + plane[2] * z + plane[3];
        const double bound =
            magnitude[0] * std::fabs(x) + magnitude[1] * std::fabs(y) + magnitude[2] * std::fabs(z) + magnitude[3];
        // A NaN anywhere fails this comparison too, and the box is drawn.
        if (!(value + RELATIVE_MARGIN * bound < 0))
            return false;
    }
    return true;
}

}  // namespace

Box box_of_vertices(const ModelVertex* vertices, size_t count)
{
    if (count == 0)
        return Box{{0, 0, 0}, {0, 0, 0}};
    Box box{vertices[0].position, vertices[0].position};
    for (size_t i = 1; i < count; i++) {
        const Vec3 p = vertices[i].position;
        box.low = Vec3{std::fmin(box.low.x, p.x), std::fmin(box.low.y, p.y), std::fmin(box.low.z, p.z)};
        box.high = Vec3{std::fmax(box.high.x, p.x), std::fmax(box.high.y, p.y), std::fmax(box.high.z, p.z)};
    }
    return box;
}

Box box_moved(const Box& box, Vec3 offset)
{
    return Box{{box.low.x + offset.x, box.low.y + offset.y, box.low.z + offset.z},
               {box.high.x + offset.x, box.high.y + offset.y, box.high.z + offset.z}};
}

bool box_outside_view(const Mat4& clip, const Box& box)
{
    double w[4];
    row(clip, 3, w);
    for (int axis = 0; axis < 3; axis++) {
        double c[4];
        row(clip, axis, c);
        for (int sign = -1; sign <= 1; sign += 2) {
            // w + c >= 0 and w - c >= 0 bound the volume on this axis.
            double plane[4], magnitude[4];
            for (int k = 0; k < 4; k++) {
                plane[k] = w[k] + sign * c[k];
                magnitude[k] = std::fabs(w[k]) + std::fabs(c[k]);
            }
            if (outside_plane(plane, magnitude, box))
                return true;
        }
    }
    return false;
}
