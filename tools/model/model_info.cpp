// The info text of a model, from the measures the checker uses too.
#include "model/model_info.h"

#include <cstdio>

#include "check/mesh_measures.h"

namespace {

std::string triple(Vec3 v)
{
    char text[96];
    std::snprintf(text, sizeof text, "(%.9g, %.9g, %.9g)", (double)v.x, (double)v.y, (double)v.z);
    return text;
}

}  // namespace

std::string model_info_text(const char* name, const Model& model)
{
    const size_t vertices = model.vertices.size();
    std::string text = std::string(name) + ": " + std::to_string(vertices) + " vertices, " +
                       std::to_string(vertices / 3) + " triangles\n";
    text += "submeshes: " + std::to_string(model.submeshes.size()) + "\n";
    for (size_t i = 0; i < model.submeshes.size(); i++) {
        const Submesh& submesh = model.submeshes[i];
        text += "  " + std::to_string(i) + ": texture \"" + submesh.name + "\", first " +
                std::to_string(submesh.first) + ", count " + std::to_string(submesh.count) + "\n";
    }
    text += "box: centre " + triple(model.box.position) + ", half-extents " + triple(model.box.half) + "\n";
    const Extent extent = extent_of(model);
    text += "extent: " + triple(extent.min) + " to " + triple(extent.max) + "\n";
    const bool closed = is_closed(model);
    text += std::string("closed: ") + (closed ? "yes" : "no") + "\n";
    // Winding from outside only means something for a closed mesh.
    text += std::string("wound counter-clockwise from outside: ") +
            (!closed ? "unknown (not closed)" : signed_volume6(model) > 0 ? "yes" : "no") + "\n";
    return text;
}
