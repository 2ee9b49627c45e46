// Printing a model as OBJ and MTL text; shared positions, texture
// coordinates and normals are printed once and referred to by index, so that
// an editor sees a connected mesh.
#include "model/obj_export.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "base/fatal_error.h"

namespace {

// %.9g reads back as the same float: nine significant digits tell any two
// floats apart.
std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", (double)value);
    return text;
}

template <size_t N>
std::array<uint32_t, N> bits_of(const float* values)
{
    std::array<uint32_t, N> bits;
    std::memcpy(bits.data(), values, sizeof bits);
    return bits;
}

// One table of distinct values of one kind (v, vt or vn), numbered from 1
// in order of first use, printed as "<prefix> a b c" lines.
template <size_t N>
struct ValueTable {
    std::map<std::array<uint32_t, N>, size_t> index;
    std::string lines;

    size_t add(const char* prefix, const float* values)
    {
        const auto bits = bits_of<N>(values);
        const auto found = index.find(bits);
        if (found != index.end())
            return found->second;
        const size_t number_of = index.size() + 1;
        index[bits] = number_of;
        lines += prefix;
        for (size_t i = 0; i < N; i++)
            lines += " " + number(values[i]);
        lines += "\n";
        return number_of;
    }
};

bool finite_vertex(const ModelVertex& v)
{
    const float* f = &v.position.x;
    for (int i = 0; i < 8; i++)
        if (!std::isfinite(f[i]))
            return false;
    return true;
}

}  // namespace

void require_exportable(const char* name, const Model& model)
{
    if (model.vertices.empty())
        fatal_errorf("%s: holds no triangle, so there is nothing to export", name);
    for (size_t i = 0; i < model.submeshes.size(); i++) {
        const Submesh& submesh = model.submeshes[i];
        if (submesh.count == 0 || submesh.count % 3 != 0)
            fatal_errorf("%s: submesh %d holds %d vertices, not a whole number of triangles; an OBJ file cannot "
                         "carry that back unchanged",
                         name, (int)i, submesh.count);
        bool plain = !submesh.name.empty();
        for (char c : submesh.name)
            plain = plain && c > 32 && c < 127;
        if (!plain)
            fatal_errorf("%s: submesh %d has a texture name that is empty or holds spaces or control bytes; an "
                         "OBJ usemtl line cannot carry it",
                         name, (int)i);
    }
    for (size_t i = 0; i < model.vertices.size(); i++)
        if (!finite_vertex(model.vertices[i]))
            fatal_errorf("%s: vertex %llu holds a value that is not a finite number", name, (unsigned long long)i);
    const float* box = &model.box.position.x;
    const float* half = &model.box.half.x;
    for (int i = 0; i < 3; i++)
        if (!std::isfinite(box[i]) || !std::isfinite(half[i]))
            fatal_errorf("%s: the collision box holds a value that is not a finite number", name);
}

std::string obj_text(const Model& model, const std::string& mtl_file)
{
    ValueTable<3> positions, normals;
    ValueTable<2> texcoords;
    std::string faces;
    for (size_t s = 0; s < model.submeshes.size(); s++) {
        const Submesh& submesh = model.submeshes[s];
        faces += "g submesh" + std::to_string(s) + "_" + submesh.name + "\n";
        faces += "usemtl " + submesh.name + "\n";
        for (int32_t i = submesh.first; i < submesh.first + submesh.count; i += 3) {
            faces += "f";
            for (int32_t k = 0; k < 3; k++) {
                const ModelVertex& v = model.vertices[(size_t)(i + k)];
                const float uv[2] = {v.u, v.v};
                faces += " " + std::to_string(positions.add("v", &v.position.x)) + "/" +
                         std::to_string(texcoords.add("vt", uv)) + "/" +
                         std::to_string(normals.add("vn", &v.normal.x));
            }
            faces += "\n";
        }
    }
    const Body& box = model.box;
    return "# A Quarrytop model, written by quarrytop-model export. Y is up, the model faces -Z.\n"
           "# The collision box: centre x y z, half-extents x y z.\n"
           "# box " + number(box.position.x) + " " + number(box.position.y) + " " + number(box.position.z) + " " +
           number(box.half.x) + " " + number(box.half.y) + " " + number(box.half.z) + "\n" +
           "mtllib " + mtl_file + "\n" + positions.lines + texcoords.lines + normals.lines + faces;
}

std::string mtl_text(const Model& model)
{
    std::string text = "# The textures of a Quarrytop model, as the game draws them (tex/ beside mdl/).\n";
    std::map<std::string, bool> written;
    for (const Submesh& submesh : model.submeshes) {
        if (written[submesh.name])
            continue;
        written[submesh.name] = true;
        text += "\nnewmtl " + submesh.name + "\nKa 0 0 0\nKd 1 1 1\nKs 0 0 0\nillum 1\nmap_Kd tex/" + submesh.name +
                ".png\n";
    }
    return text;
}
