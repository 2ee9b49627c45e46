#pragma once
// Building blocks for the generated models: triangles collected per texture,
// planar texture projection, and the assembly into a Model with its
// collision box.
#include <string>
#include <vector>

#include "base/model_format.h"

namespace gen {

struct Vec {
    double x, y, z;
};

Vec operator+(Vec a, Vec b);
Vec operator-(Vec a, Vec b);
Vec operator*(Vec a, double k);
double dot(Vec a, Vec b);
Vec cross(Vec a, Vec b);
double length(Vec a);
Vec normalize(Vec a);

struct Triangle {
    Vec p[3];
    double u[3], v[3];
};

// The triangles of one submesh, drawn with the texture `texture`.
struct Part {
    std::string texture;
    std::vector<Triangle> triangles;
};

// Adds the triangle a b c (counter-clockwise seen from its front) with
// texture coordinates projected onto the plane the triangle faces most:
// world units times `repeats_per_unit` repeats of the texture, so neighbouring
// faces that share a plane continue the same picture.
void add_projected(Part& part, Vec a, Vec b, Vec c, double repeats_per_unit);

// Adds a quad a b c d (counter-clockwise) as two projected triangles.
void add_projected_quad(Part& part, Vec a, Vec b, Vec c, Vec d, double repeats_per_unit);

// A closed tube along `path` whose cross-section is a polygon of `sides`
// corners around an ellipse: at each path point it reaches half_width[i]
// along `side` and half_height[i] along the direction perpendicular to both
// `side` and the path (four sides give a rectangle of those half-sizes). A
// section with both half-sizes 0 becomes a single point (a pointed end); any
// other end is closed with a flat cap. Texture coordinates run along the
// path (v, `v_repeat` per unit) and around the section (u, `u_repeat` for a
// full turn).
void add_tube(Part& part, const std::vector<Vec>& path, const std::vector<double>& half_width,
              const std::vector<double>& half_height, Vec side, int sides, double u_repeat, double v_repeat);

// A box from `low` to `high` with every face wound counter-clockwise from
// outside and projected texture coordinates.
void add_box(Part& part, Vec low, Vec high, double repeats_per_unit);

// The model: one submesh per part in order, every vertex's normal set to its
// face normal, and the collision box the tightest box around all vertices.
Model assemble(const std::vector<Part>& parts);

}  // namespace gen
