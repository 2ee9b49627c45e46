// Extent, closedness and enclosed volume of a model's triangles.
#include "check/mesh_measures.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace {

using Point = std::tuple<float, float, float>;

Point point(Vec3 p)
{
    return Point{p.x, p.y, p.z};
}

double dot(Vec3 a, Vec3 b)
{
    return (double)a.x * b.x + (double)a.y * b.y + (double)a.z * b.z;
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace

Extent extent_of(const Model& model)
{
    if (model.vertices.empty())
        return Extent{Vec3{0, 0, 0}, Vec3{0, 0, 0}};
    Extent extent{model.vertices[0].position, model.vertices[0].position};
    for (const ModelVertex& v : model.vertices) {
        extent.min = Vec3{std::min(extent.min.x, v.position.x), std::min(extent.min.y, v.position.y),
                          std::min(extent.min.z, v.position.z)};
        extent.max = Vec3{std::max(extent.max.x, v.position.x), std::max(extent.max.y, v.position.y),
                          std::max(extent.max.z, v.position.z)};
    }
    return extent;
}

bool is_closed(const Model& model)
{
    std::map<std::pair<Point, Point>, int> edges;
    for (size_t i = 0; i + 3 <= model.vertices.size(); i += 3)
        for (size_t k = 0; k < 3; k++)
            edges[{point(model.vertices[i + k].position), point(model.vertices[i + (k + 1) % 3].position)}] += 1;
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (reverse == edges.end() || reverse->second != count)
            return false;
    }
    return true;
}

double signed_volume6(const Model& model)
{
    double sum = 0;
    for (size_t i = 0; i + 3 <= model.vertices.size(); i += 3)
        sum += dot(model.vertices[i].position, cross(model.vertices[i + 1].position, model.vertices[i + 2].position));
    return sum;
}
