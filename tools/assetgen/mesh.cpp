// Building triangle meshes for the generated models.
#include "assetgen/mesh.h"

#include <cmath>

#include "assetgen/det_math.h"
#include "base/fatal_error.h"

namespace gen {

Vec operator+(Vec a, Vec b) { return Vec{a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return Vec{a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, double k) { return Vec{a.x * k, a.y * k, a.z * k}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) { return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(Vec a) { return std::sqrt(dot(a, a)); }
Vec normalize(Vec a) { return a * (1.0 / length(a)); }

void add_projected(Part& part, Vec a, Vec b, Vec c, double repeats_per_unit)
{
    const Vec n = cross(b - a, c - a);
    const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    Triangle t{{a, b, c}, {}, {}};
    for (int i = 0; i < 3; i++) {
        const Vec p = t.p[i];
        // Project along the dominant axis of the face normal; the sign keeps
        // the picture unmirrored on opposite faces.
        double u, v;
        if (ay >= ax && ay >= az) {
            u = n.y > 0 ? p.x : -p.x;
            v = p.z;
        } else if (ax >= az) {
            u = n.x > 0 ? -p.z : p.z;
            v = p.y;
        } else {
            u = n.z > 0 ? p.x : -p.x;
            v = p.y;
        }
        t.u[i] = u * repeats_per_unit;
        t.v[i] = v * repeats_per_unit;
    }
    part.triangles.push_back(t);
}

void add_projected_quad(Part& part, Vec a, Vec b, Vec c, Vec d, double repeats_per_unit)
{
    add_projected(part, a, b, c, repeats_per_unit);
    add_projected(part, a, c, d, repeats_per_unit);
}

namespace {

void add_uv_triangle(Part& part, Vec a, Vec b, Vec c, const double uv[6])
{
    // A triangle that collapsed to a line or point (next to a pointed end)
    // covers nothing and would have no normal; leave it out.
    if (length(cross(b - a, c - a)) < 1e-9)
        return;
    part.triangles.push_back(Triangle{{a, b, c}, {uv[0], uv[2], uv[4]}, {uv[1], uv[3], uv[5]}});
}

}  // namespace

void add_tube(Part& part, const std::vector<Vec>& path, const std::vector<double>& half_width,
              const std::vector<double>& half_height, Vec side, int sides, double u_repeat, double v_repeat)
{
    const size_t n = path.size();
    if (n < 2 || half_width.size() != n || half_height.size() != n || sides < 3)
        fatal_error("add_tube: the path needs two points, a size for each and at least three sides");
    // The polygon circumscribes the ellipse of the half-sizes; its corners
    // run counter-clockwise about the path's direction.
    const double corner_scale = 1.0 / det_cos(PI / sides);
    std::vector<std::vector<Vec>> sections(n);
    std::vector<double> distance(n, 0.0);
    for (size_t i = 0; i < n; i++) {
        const Vec along = i == 0       ? normalize(path[1] - path[0])
                          : i + 1 == n ? normalize(path[i] - path[i - 1])
                                       : normalize(path[i + 1] - path[i - 1]);
        const Vec s = normalize(side - along * dot(side, along));
        const Vec up = cross(along, s);
        for (int k = 0; k < sides; k++) {
            const double angle = 2 * PI * (k + 0.5) / sides;
            sections[i].push_back(path[i] + s * (half_width[i] * det_cos(angle) * corner_scale) +
                                  up * (half_height[i] * det_sin(angle) * corner_scale));
        }
        if (i > 0)
            distance[i] = distance[i - 1] + length(path[i] - path[i - 1]);
    }
    for (size_t i = 0; i + 1 < n; i++)
        for (int k = 0; k < sides; k++) {
            const int k1 = (k + 1) % sides;
            const Vec a = sections[i][(size_t)k], b = sections[i][(size_t)k1];
            const Vec c = sections[i + 1][(size_t)k1], d = sections[i + 1][(size_t)k];
            const double u0 = u_repeat * k / sides, u1 = u_repeat * (k + 1) / sides;
            const double v0 = distance[i] * v_repeat, v1 = distance[i + 1] * v_repeat;
            // With the corners counter-clockwise about the path, (a, b, c)
            // and (a, c, d) face away from it.
            const double first[6] = {u0, v0, u1, v0, u1, v1};
            const double second[6] = {u0, v0, u1, v1, u0, v1};
            add_uv_triangle(part, a, b, c, first);
            add_uv_triangle(part, a, c, d, second);
        }
    // Caps: seen from ahead of the path the corners run counter-clockwise,
    // so the far cap keeps their order and the near cap reverses it.
    for (int end = 0; end < 2; end++) {
        const size_t i = end == 0 ? 0 : n - 1;
        if (half_width[i] == 0 && half_height[i] == 0)
            continue;
        const std::vector<Vec>& q = sections[i];
        for (int k = 1; k + 1 < sides; k++) {
            const Vec b = q[(size_t)k], c = q[(size_t)k + 1];
            const double uv[6] = {0, 0, u_repeat * 0.1, 0, u_repeat * 0.1, u_repeat * 0.1};
            if (end == 1)
                add_uv_triangle(part, q[0], b, c, uv);
            else
                add_uv_triangle(part, q[0], c, b, uv);
        }
    }
}

void add_box(Part& part, Vec low, Vec high, double repeats_per_unit)
{
    const Vec centre = (low + high) * 0.5, half = (high - low) * 0.5;
    const Vec axes[3] = {{half.x, 0, 0}, {0, half.y, 0}, {0, 0, half.z}};
    for (int axis = 0; axis < 3; axis++)
        for (int sign = -1; sign <= 1; sign += 2) {
            // Tangents t1, t2 with t1 x t2 along the outward normal, so the
            // corners below run counter-clockwise seen from outside.
            const Vec n = axes[axis] * sign;
            Vec t1 = axes[(axis + 1) % 3], t2 = axes[(axis + 2) % 3];
            if (sign < 0)
                t1 = t1 * -1.0;
            const Vec c = centre + n;
            add_projected_quad(part, c - t1 - t2, c + t1 - t2, c + t1 + t2, c - t1 + t2, repeats_per_unit);
        }
}

Model assemble(const std::vector<Part>& parts)
{
    Model model;
    Vec low{1e30, 1e30, 1e30}, high{-1e30, -1e30, -1e30};
    for (const Part& part : parts) {
        Submesh submesh;
        submesh.name = part.texture;
        submesh.first = (int32_t)model.vertices.size();
        submesh.count = (int32_t)(part.triangles.size() * 3);
        model.submeshes.push_back(submesh);
        for (const Triangle& t : part.triangles)
            for (int i = 0; i < 3; i++) {
                ModelVertex v{};
                v.position = Vec3{(float)t.p[i].x, (float)t.p[i].y, (float)t.p[i].z};
                v.u = (float)t.u[i];
                v.v = (float)t.v[i];
                model.vertices.push_back(v);
                low = Vec{std::fmin(low.x, v.position.x), std::fmin(low.y, v.position.y), std::fmin(low.z, v.position.z)};
                high = Vec{std::fmax(high.x, v.position.x), std::fmax(high.y, v.position.y),
                           std::fmax(high.z, v.position.z)};
            }
    }
    flat_normals(model.vertices.data(), (int)model.vertices.size());
    // The box is rounded outwards to float so it truly encloses every vertex.
    const Vec centre = (low + high) * 0.5, half = (high - low) * 0.5;
    model.box.position = Vec3{(float)centre.x, (float)centre.y, (float)centre.z};
    model.box.velocity = Vec3{0, 0, 0};
    model.box.half = Vec3{(float)half.x, (float)half.y, (float)half.z};
    for (const ModelVertex& v : model.vertices) {
        const float* p = &v.position.x;
        float* c = &model.box.position.x;
        float* h = &model.box.half.x;
        for (int axis = 0; axis < 3; axis++)
            while (p[axis] < c[axis] - h[axis] || p[axis] > c[axis] + h[axis])
                h[axis] = std::nextafter(h[axis], 1e30f);
    }
    return model;
}

}  // namespace gen
