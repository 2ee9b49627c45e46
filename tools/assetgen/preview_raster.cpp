// A small software rasteriser for the contact sheet's model previews.
#include "assetgen/preview_raster.h"

#include <algorithm>
#include <cmath>

namespace gen {

Raster make_raster(int width, int height, Rgba clear)
{
    Raster raster{make_image(width, height, clear), {}};
    clear_depth(raster);
    return raster;
}

void clear_depth(Raster& raster)
{
    raster.depth.assign(raster.colour.pixels.size(), 1.0f);
}

namespace {

struct ClipVertex {
    double x, y, z, w;
    double u, v;
};

ClipVertex to_clip(const Mat4& m, const ModelVertex& vertex)
{
    const Vec3 p = vertex.position;
    const float* a = m.m;
    return ClipVertex{a[0] * p.x + a[4] * p.y + a[8] * p.z + a[12], a[1] * p.x + a[5] * p.y + a[9] * p.z + a[13],
                      a[2] * p.x + a[6] * p.y + a[10] * p.z + a[14], a[3] * p.x + a[7] * p.y + a[11] * p.z + a[15],
                      vertex.u,
                      vertex.v};
}

ClipVertex between(const ClipVertex& a, const ClipVertex& b, double t)
{
    return ClipVertex{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
                      a.w + (b.w - a.w) * t, a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t};
}

// Clips a polygon against the near plane z > -w.
std::vector<ClipVertex> clip_near(const std::vector<ClipVertex>& in)
{
    std::vector<ClipVertex> out;
    for (size_t i = 0; i < in.size(); i++) {
        const ClipVertex& a = in[i];
        const ClipVertex& b = in[(i + 1) % in.size()];
        const double da = a.z + a.w, db = b.z + b.w;
        if (da >= 0)
            out.push_back(a);
        if ((da >= 0) != (db >= 0))
            out.push_back(between(a, b, da / (da - db)));
    }
    return out;
}

Rgba sample(const Image& texture, double u, double v)
{
    // Nearest texel with repeat; v = 0 is the bottom row of the file.
    const int size = texture.width;
    int x = (int)std::floor(u * size) % size, y = (int)std::floor(v * size) % size;
    x = x < 0 ? x + size : x;
    y = y < 0 ? y + size : y;
    return at(texture, x, texture.height - 1 - y);
}

void fill_triangle(Raster& raster, const ClipVertex c[3], const Image& texture, double light)
{
    const int width = raster.colour.width, height = raster.colour.height;
    double sx[3], sy[3], sz[3], inv_w[3];
    for (int i = 0; i < 3; i++) {
        inv_w[i] = 1.0 / c[i].w;
        sx[i] = (c[i].x * inv_w[i] * 0.5 + 0.5) * width;
        sy[i] = (0.5 - c[i].y * inv_w[i] * 0.5) * height;
        sz[i] = c[i].z * inv_w[i] * 0.5 + 0.5;
    }
    // Counter-clockwise on screen with y up is the front; y runs down here.
    const double area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (area >= 0)
        return;
    const int x0 = std::max(0, (int)std::floor(std::min({sx[0], sx[1], sx[2]})));
    const int x1 = std::min(width - 1, (int)std::ceil(std::max({sx[0], sx[1], sx[2]})));
    const int y0 = std::max(0, (int)std::floor(std::min({sy[0], sy[1], sy[2]})));
    const int y1 = std::min(height - 1, (int)std::ceil(std::max({sy[0], sy[1], sy[2]})));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            const double px = x + 0.5, py = y + 0.5;
            double b[3];
            for (int i = 0; i < 3; i++) {
                const int j = (i + 1) % 3, k = (i + 2) % 3;
                b[i] = ((sx[k] - sx[j]) * (py - sy[j]) - (sy[k] - sy[j]) * (px - sx[j])) / area;
            }
            if (b[0] < 0 || b[1] < 0 || b[2] < 0)
                continue;
            const double z = b[0] * sz[0] + b[1] * sz[1] + b[2] * sz[2];
            float& depth = raster.depth[(size_t)y * (size_t)width + (size_t)x];
            if (!(z < depth) || z < 0)
                continue;
            const double q = b[0] * inv_w[0] + b[1] * inv_w[1] + b[2] * inv_w[2];
            const double u = (b[0] * c[0].u * inv_w[0] + b[1] * c[1].u * inv_w[1] + b[2] * c[2].u * inv_w[2]) / q;
            const double v = (b[0] * c[0].v * inv_w[0] + b[1] * c[1].v * inv_w[1] + b[2] * c[2].v * inv_w[2]) / q;
            const Rgba s = sample(texture, u, v);
            depth = (float)z;  // written even where the texel is transparent, as in the game
            Rgba& target = at(raster.colour, x, y);
            const double alpha = s.a / 255.0;
            target = rgb((target.r + (s.r * light - target.r) * alpha) / 255.0,
                         (target.g + (s.g * light - target.g) * alpha) / 255.0,
                         (target.b + (s.b * light - target.b) * alpha) / 255.0);
        }
}

}  // namespace

void draw_triangles(Raster& raster, const ModelVertex* vertices, int count, const Mat4& mvp, const Mat4& rot,
                    const Image& texture, Vec3 sun)
{
    for (int i = 0; i + 3 <= count; i += 3) {
        const Vec3 n = mat4_apply(rot, vertices[i].normal, 0.0f);
        const double facing = std::max(0.0, (double)(n.x * sun.x + n.y * sun.y + n.z * sun.z));
        const double light = std::max(0.0, (double)sun.y) * facing;
        std::vector<ClipVertex> polygon = {to_clip(mvp, vertices[i]), to_clip(mvp, vertices[i + 1]),
                                           to_clip(mvp, vertices[i + 2])};
        polygon = clip_near(polygon);
        for (size_t k = 1; k + 1 < polygon.size(); k++) {
            const ClipVertex tri[3] = {polygon[0], polygon[k], polygon[k + 1]};
            fill_triangle(raster, tri, texture, light);
        }
    }
}

}  // namespace gen
