// The four stages of an ore deposit: one lumpy rock mound, shrinking as it
// is mined.
//
// The mound is built as rings of vertices around the vertical axis whose
// elevation, seen from the deposit's origin, rises from ring to ring up to a
// single top vertex, closed underneath by a flat bottom below the ground.
// Seen from the origin, which lies inside, every direction therefore leaves
// the surface exactly once: the marker ray, 45 degrees up along any yaw,
// meets exactly one face, wherever the lumps push the vertices.
//
// The lowest ring lies well below y = 0, so the deposit still meets the
// ground on slopes: the ground drops by up to about 0.9 units within one
// unit of a deposit's point. Every stage reuses the same lumps, so the deposit keeps its character as
// it shrinks.
#include <cmath>

#include "assetgen/det_math.h"
#include "assetgen/mesh.h"
#include "assetgen/models.h"

namespace gen {

namespace {

// The mound's side profile at full size: (height, radius) of each ring from
// the bottom up; the top vertex follows.
struct Ring {
    double y, r;
};
const Ring PROFILE[] = {
    {-0.80, 0.76},  // buried skirt, deep enough for the steepest ground under a deposit
    {-0.04, 0.98},  // where it meets level ground
    {0.28, 0.95},
    {0.56, 0.76},
    {0.76, 0.44},
};
constexpr int RING_COUNT = sizeof PROFILE / sizeof PROFILE[0];
constexpr double TOP_HEIGHT = 0.88;
constexpr int SEGMENTS = 11;

// Footprint and height scale of each stage, ore0 to ore3.
const double STAGE_SCALE[4] = {0.45, 0.62, 0.80, 1.0};

// How far the texture repeats per unit: the 256-pixel rock picture spans
// about 1.7 units.
constexpr double ROCK_REPEATS = 0.6;

Vec mound_vertex(int segment, int ring, double scale)
{
    // Per-vertex lumps: the radius pushed in or out by up to 14 percent, the
    // angle shifted by up to a fifth of a segment, the height by a little;
    // two broad bulges give the mound an uneven outline.
    const int s = segment % SEGMENTS;
    const double jitter_angle = (hash01(s, ring, 0, 211) - 0.5) * 0.4;
    const double angle = 2 * PI * (s + jitter_angle) / SEGMENTS;
    const double bulge = 0.10 * det_cos(angle - 1.3) + 0.06 * det_cos(2 * angle + 0.4);
    const double lump = 1.0 + (hash01(s, ring, 1, 211) - 0.5) * 0.28 + (ring > 0 ? bulge : 0.0);
    const Ring& p = PROFILE[ring];
    const double r = p.r * lump * scale;
    const double y = ring == 0 ? p.y * (0.5 + 0.5 * scale)  // the skirt stays deep on small stages
                               : (p.y + (hash01(s, ring, 2, 211) - 0.5) * 0.08) * scale;
    return Vec{r * det_cos(angle), y, r * det_sin(angle)};
}

}  // namespace

Model make_ore_model(int stage)
{
    const double scale = STAGE_SCALE[stage];
    Part rock{"ironOreNoise", {}};
    for (int i = 0; i < SEGMENTS; i++) {
        // Side quads between consecutive rings; angles rise towards +z, so
        // (a, d, c) and (a, c, b) face outwards.
        for (int j = 0; j + 1 < RING_COUNT; j++) {
            const Vec a = mound_vertex(i, j, scale), b = mound_vertex(i + 1, j, scale);
            const Vec c = mound_vertex(i + 1, j + 1, scale), d = mound_vertex(i, j + 1, scale);
            add_projected(rock, a, d, c, ROCK_REPEATS);
            add_projected(rock, a, c, b, ROCK_REPEATS);
        }
        // The crown, a fan around a top vertex set a little off the axis.
        const Vec top{0.06 * scale, TOP_HEIGHT * scale, -0.04 * scale};
        add_projected(rock, mound_vertex(i, RING_COUNT - 1, scale), top, mound_vertex(i + 1, RING_COUNT - 1, scale),
                      ROCK_REPEATS);
        // The flat bottom, facing down.
        const Vec a = mound_vertex(i, 0, scale), b = mound_vertex(i + 1, 0, scale);
        add_projected(rock, Vec{0, a.y, 0}, a, b, ROCK_REPEATS);
    }
    return assemble({rock});
}

}  // namespace gen
