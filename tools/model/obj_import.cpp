// OBJ import: the text checks, the usemtl names and "# box" line read ahead,
// tinyobjloader's faces turned into vertex triples and texture runs.
#include "model/obj_import.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "base/fatal_error.h"
#include "base/game_files.h"

namespace {

// Refuses bytes that no text editor or exporter writes: NUL and the control
// characters other than tab, line feed, vertical tab, form feed and carriage
// return. Bytes from 128 up pass (UTF-8 names and comments).
void require_text(const char* name, const std::string& text)
{
    for (size_t i = 0; i < text.size(); i++) {
        const unsigned char c = (unsigned char)text[i];
        if (c < 32 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r')
            fatal_errorf("%s: not a text file (byte 0x%02x at offset %llu); an OBJ model is text", name, c,
                         (unsigned long long)i);
    }
}

// What is read from the text before tinyobjloader sees it: the usemtl names
// (tinyobjloader keeps a face's material only if a material library defines
// it, and the game needs the names, not the libraries) and the box line.
struct AheadOfTheReader {
    std::vector<std::string> materials;  // in order of first appearance
    bool has_box = false;
    float box[6] = {0, 0, 0, 0, 0, 0};
};

// The lines as tinyobjloader splits them: at "\n", "\r\n" or a lone "\r".
std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); i++) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                i++;
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

// Reads "# box cx cy cz hx hy hz": six numbers, nothing else.
void read_box_line(const char* name, int line_number, const char* numbers, AheadOfTheReader& ahead)
{
    const char* at = numbers;
    for (float& value : ahead.box) {
        char* end = nullptr;
        const double parsed = std::strtod(at, &end);
        if (end == at || !std::isfinite((float)parsed))
            fatal_errorf("%s line %d: the \"# box\" line needs six finite numbers: the collision box's centre x y z "
                         "and half-extents x y z",
                         name, line_number);
        value = (float)parsed;
        at = end;
    }
    at += std::strspn(at, " \t");
    if (*at != '\0')
        fatal_errorf("%s line %d: the \"# box\" line holds more than six numbers", name, line_number);
    ahead.has_box = true;
}

AheadOfTheReader read_ahead(const char* name, const std::string& text)
{
    AheadOfTheReader ahead;
    const std::vector<std::string> lines = lines_of(text);
    for (size_t n = 0; n < lines.size(); n++) {
        const char* token = lines[n].c_str();
        token += std::strspn(token, " \t");
        // tinyobjloader turns a "vw" line's joint number into an int without
        // a range check (undefined for 1e38, found by fuzzing); the game has
        // no skinning, so such lines never reach it.
        if (token[0] == 'v' && token[1] == 'w' && (token[2] == ' ' || token[2] == '\t'))
            fatal_errorf("%s line %d: a \"vw\" line (vertex skin weights), which a game model cannot hold; "
                         "remove the weights before exporting",
                         name, (int)n + 1);
        if (std::strncmp(token, "usemtl", 6) == 0) {
            // tinyobjloader's reading of the name: after spaces, up to the
            // next space, tab or carriage return.
            token += 6;
            token += std::strspn(token, " \t");
            const std::string material(token, std::strcspn(token, " \t\r"));
            bool known = false;
            for (const std::string& seen : ahead.materials)
                known = known || seen == material;
            if (!known)
                ahead.materials.push_back(material);
        } else if (token[0] == '#' && !ahead.has_box) {
            token += 1 + std::strspn(token + 1, " \t");
            if (std::strncmp(token, "box", 3) == 0 && (token[3] == ' ' || token[3] == '\t'))
                read_box_line(name, (int)n + 1, token + 3, ahead);
        }
    }
    return ahead;
}

// Gives tinyobjloader one material for each usemtl name, whatever library
// the file names, so that every face keeps the name it was given. Files
// beside the OBJ are never opened.
class NamedMaterials : public tinyobj::MaterialReader {
public:
    explicit NamedMaterials(const std::vector<std::string>& names) : names_(names) {}
    bool operator()(const std::string&, std::vector<tinyobj::material_t>* materials,
                    std::map<std::string, int>* material_map, std::string*, std::string*) override
    {
        for (const std::string& name : names_)
            if (material_map->find(name) == material_map->end()) {
                // Value-initialised: material_t has no constructor, and a copy
                // of one with its enum members unset is undefined behaviour.
                tinyobj::material_t material = tinyobj::material_t();
                material.name = name;
                (*material_map)[name] = (int)materials->size();
                materials->push_back(material);
            }
        return true;
    }

private:
    const std::vector<std::string>& names_;
};

// The library line put before the file's first line, so that the names above
// are defined before any usemtl.
const char* const MATERIAL_LINE = "mtllib quarrytop-usemtl-names\n";

// tinyobjloader counts lines from MATERIAL_LINE; the file's own numbers are
// one less.
std::string with_file_line_numbers(const std::string& message)
{
    std::string out;
    size_t at = 0;
    for (;;) {
        const size_t found = message.find("line ", at);
        if (found == std::string::npos) {
            out += message.substr(at);
            return out;
        }
        size_t digits = found + 5;
        while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
            digits++;
        out += message.substr(at, found + 5 - at);
        if (digits > found + 5)
            out += std::to_string(std::atol(message.substr(found + 5, digits - found - 5).c_str()) - 1);
        at = digits;
    }
}

std::string without_trailing_newlines(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text;
}

// One triangle of the file, resolved: its texture, where its run starts, and
// its three corners.
struct Corner {
    int position, texcoord, normal;  // indices, -1 where absent
};

struct Triangle {
    std::string texture;
    std::string material;  // as the file names it, for messages
    size_t shape;
    Corner corners[3];
};

std::string texture_of(const std::string& material, const ImportOptions& options)
{
    if (!options.texture.empty())
        return options.texture;
    for (const auto& [from, to] : options.map)
        if (from == material)
            return to;
    return material;
}

void require_index(const char* name, int index, size_t count, const char* what)
{
    if (index < 0 || (size_t)index >= count)
        fatal_errorf("%s: a face refers to %s %d, but the file has %llu of them", name, what,
                     index < 0 ? index : index + 1, (unsigned long long)count);
}

std::vector<Triangle> triangles_of(const char* name, const tinyobj::attrib_t& attrib,
                                   const std::vector<tinyobj::shape_t>& shapes,
                                   const std::vector<tinyobj::material_t>& materials, const ImportOptions& options)
{
    const size_t positions = attrib.vertices.size() / 3, texcoords = attrib.texcoords.size() / 2,
                 normals = attrib.normals.size() / 3;
    std::vector<Triangle> triangles;
    for (size_t s = 0; s < shapes.size(); s++) {
        const tinyobj::mesh_t& mesh = shapes[s].mesh;
        size_t first_index = 0;
        for (size_t f = 0; f < mesh.num_face_vertices.size(); f++) {
            const size_t corners = mesh.num_face_vertices[f];
            const size_t at = first_index;
            first_index += corners;
            // Triangulated already; anything else is a face of fewer than
            // three corners, which has no area to draw.
            if (corners != 3 || at + 3 > mesh.indices.size())
                continue;
            Triangle triangle;
            const int material = f < mesh.material_ids.size() ? mesh.material_ids[f] : -1;
            if (material >= 0 && (size_t)material < materials.size())
                triangle.material = materials[(size_t)material].name;
            triangle.texture = texture_of(triangle.material, options);
            if (triangle.texture.empty())
                fatal_errorf("%s: faces come before any \"usemtl\" line, so they have no material; give their "
                             "texture with --texture NAME",
                             name);
            triangle.shape = s;
            for (int k = 0; k < 3; k++) {
                const tinyobj::index_t& index = mesh.indices[at + (size_t)k];
                require_index(name, index.vertex_index, positions, "vertex");
                if (index.texcoord_index != -1)
                    require_index(name, index.texcoord_index, texcoords, "texture coordinate");
                if (index.normal_index != -1)
                    require_index(name, index.normal_index, normals, "normal");
                triangle.corners[k] = Corner{index.vertex_index, index.texcoord_index, index.normal_index};
            }
            triangles.push_back(triangle);
        }
    }
    return triangles;
}

void require_loaded_textures(const char* name, const std::vector<Triangle>& triangles)
{
    for (const Triangle& triangle : triangles)
        if (!is_model_texture(triangle.texture)) {
            if (triangle.texture == triangle.material)
                fatal_errorf("%s: the material \"%s\" is not a texture the game loads (%s); map it to one with "
                             "--map %s=NAME, or give one for every face with --texture NAME",
                             name, triangle.material.c_str(), loaded_texture_list().c_str(),
                             triangle.material.c_str());
            fatal_errorf("%s: the texture \"%s\" (for the material \"%s\") is not one the game loads (%s)", name,
                         triangle.texture.c_str(), triangle.material.c_str(), loaded_texture_list().c_str());
        }
}

// The runs: a new one wherever the texture or the object changes. Past the
// format's 255 submeshes, one run per texture instead, in the order each
// texture first appears, the faces of each in file order.
std::vector<std::vector<const Triangle*>> runs_of(const std::vector<Triangle>& triangles)
{
    std::vector<std::vector<const Triangle*>> runs;
    for (const Triangle& triangle : triangles) {
        if (runs.empty() || runs.back().back()->texture != triangle.texture || runs.back().back()->shape != triangle.shape)
            runs.emplace_back();
        runs.back().push_back(&triangle);
    }
    if (runs.size() <= 255)
        return runs;
    std::vector<std::vector<const Triangle*>> grouped;
    for (const Triangle& triangle : triangles) {
        size_t g = 0;
        while (g < grouped.size() && grouped[g].front()->texture != triangle.texture)
            g++;
        if (g == grouped.size())
            grouped.emplace_back();
        grouped[g].push_back(&triangle);
    }
    return grouped;
}

double length_of(const double v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// Twice the vector area of the polygon of `count` corners (Newell's sum): its
// length is twice the area of a flat polygon, concave or not, and it points
// to the side from which the corners run counter-clockwise. The vector areas
// of the triangles of any triangulation add up to it, bent polygons too.
void vector_area(const tinyobj::attrib_t& attrib, const tinyobj::index_t* corners, size_t count, double sum[3])
{
    sum[0] = sum[1] = sum[2] = 0;
    for (size_t k = 0; k < count; k++) {
        const float* a = &attrib.vertices[(size_t)corners[k].vertex_index * 3];
        const float* b = &attrib.vertices[(size_t)corners[(k + 1) % count].vertex_index * 3];
        sum[0] += ((double)a[1] - b[1]) * ((double)a[2] + b[2]);
        sum[1] += ((double)a[2] - b[2]) * ((double)a[0] + b[0]);
        sum[2] += ((double)a[0] - b[0]) * ((double)a[1] + b[1]);
    }
}

void triangle_vector_area(const tinyobj::attrib_t& attrib, const Triangle& triangle, double sum[3])
{
    const tinyobj::index_t corners[3] = {{triangle.corners[0].position, -1, -1},
                                         {triangle.corners[1].position, -1, -1},
                                         {triangle.corners[2].position, -1, -1}};
    vector_area(attrib, corners, 3, sum);
}

bool corners_within(const Triangle& triangle, const tinyobj::index_t* corners, size_t count)
{
    for (const Corner& corner : triangle.corners) {
        bool found = false;
        for (size_t k = 0; k < count && !found; k++)
            found = corners[k].vertex_index == corner.position;
        if (!found)
            return false;
    }
    return true;
}

// Whether `made` (the triangles made of the polygon) cover the polygon as
// its own triangulation would: their vector areas add up to the polygon's,
// and none faces against it (which would put it outside the polygon).
bool covers(const tinyobj::attrib_t& attrib, const std::vector<Triangle>& made, const double polygon[3])
{
    const double size = length_of(polygon);
    double sum[3] = {0, 0, 0};
    for (const Triangle& triangle : made) {
        double area[3];
        triangle_vector_area(attrib, triangle, area);
        for (int i = 0; i < 3; i++)
            sum[i] += area[i];
        if (area[0] * polygon[0] + area[1] * polygon[1] + area[2] * polygon[2] < -1e-6 * length_of(area) * size)
            return false;
    }
    const double miss[3] = {sum[0] - polygon[0], sum[1] - polygon[1], sum[2] - polygon[2]};
    return length_of(miss) <= 1e-3 * size;
}

// The polygon alone triangulated by tinyobjloader again, moved or not so
// that the mean of its corners is the origin, its corners in the file's order
// or reversed (each triangle then turned back). This tinyobjloader's ear
// clipping tells a corner's side by the signed area it spans with the
// origin, so a polygon away from the origin, or wound one way as seen in its
// working plane, can lose triangles; a convex polygon centred comes out whole
// one way round, and many concave ones in place the other way.
std::vector<Triangle> retriangulation(const tinyobj::attrib_t& attrib, const tinyobj::index_t* corners,
                                      size_t count, const Triangle& like, bool centre, bool reverse)
{
    double mean[3] = {0, 0, 0};
    for (size_t k = 0; k < count && centre; k++)
        for (int i = 0; i < 3; i++)
            mean[i] += attrib.vertices[(size_t)corners[k].vertex_index * 3 + (size_t)i] / (double)count;
    std::string text;
    char line[128];
    for (size_t k = 0; k < count; k++) {
        const float* p = &attrib.vertices[(size_t)corners[k].vertex_index * 3];
        std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", p[0] - mean[0], p[1] - mean[1], p[2] - mean[2]);
        text += line;
    }
    text += "f";
    for (size_t k = 0; k < count; k++)
        text += " " + std::to_string(reverse ? count - k : k + 1);
    text += "\n";
    tinyobj::attrib_t own_attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warnings, errors;
    std::istringstream stream(text);
    tinyobj::LoadObj(&own_attrib, &shapes, &materials, &warnings, &errors, &stream, nullptr, true, false);
    std::vector<Triangle> made;
    const int forward[3] = {0, 1, 2}, backward[3] = {0, 2, 1};
    const int* order = reverse ? backward : forward;
    for (const tinyobj::shape_t& shape : shapes)
        for (size_t i = 0; i + 3 <= shape.mesh.indices.size(); i += 3) {
            Triangle triangle = like;
            for (int k = 0; k < 3; k++) {
                const int at = shape.mesh.indices[i + (size_t)order[k]].vertex_index;
                const tinyobj::index_t& corner = corners[at];
                triangle.corners[k] = Corner{corner.vertex_index, corner.texcoord_index, corner.normal_index};
            }
            made.push_back(triangle);
        }
    return made;
}

// tinyobjloader's triangulation of a polygon of five corners or more can
// leave part of it uncovered, or turn a triangle over so that it covers what
// lies outside: holes and flaps nobody drew. The polygons, read again
// untriangulated, are matched with the triangles made of them (which follow
// in file order and use only their corners). A polygon badly covered is
// triangulated again alone, in place and centred, both ways round; if all
// fail, the file is refused. (Quads are split along a diagonal, right for every flat quad; a
// twisted one is the file's own doing.)
std::vector<Triangle> whole_polygons(const char* name, const std::string& text, const AheadOfTheReader& ahead,
                                     const tinyobj::attrib_t& attrib, const std::vector<Triangle>& triangles)
{
    tinyobj::attrib_t polygon_attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warnings, errors;
    std::istringstream stream(MATERIAL_LINE + text);
    NamedMaterials named(ahead.materials);
    tinyobj::LoadObj(&polygon_attrib, &shapes, &materials, &warnings, &errors, &stream, &named,
                     /*triangulate=*/false, /*default_vcols_fallback=*/false);
    const size_t positions = std::min(polygon_attrib.vertices.size(), attrib.vertices.size()) / 3,
                 texcoords = attrib.texcoords.size() / 2, normals = attrib.normals.size() / 3;
    std::vector<Triangle> whole;
    whole.reserve(triangles.size());
    size_t next = 0;  // the first triangle not yet matched with its polygon
    for (size_t s = 0; s < shapes.size(); s++) {
        const tinyobj::mesh_t& mesh = shapes[s].mesh;
        size_t at = 0;
        for (const unsigned int count : mesh.num_face_vertices) {
            const tinyobj::index_t* corners = &mesh.indices[at];
            at += count;
            if (count < 3 || at > mesh.indices.size())
                continue;
            // The corners may become triangles of their own below, read from
            // `attrib`: every index is checked as triangles_of checks them.
            for (size_t k = 0; k < count; k++) {
                require_index(name, corners[k].vertex_index, positions, "vertex");
                if (corners[k].texcoord_index != -1)
                    require_index(name, corners[k].texcoord_index, texcoords, "texture coordinate");
                if (corners[k].normal_index != -1)
                    require_index(name, corners[k].normal_index, normals, "normal");
            }
            std::vector<Triangle> made;
            while (made.size() < count - 2 && next < triangles.size() && triangles[next].shape == s &&
                   corners_within(triangles[next], corners, count))
                made.push_back(triangles[next++]);
            double polygon[3];
            vector_area(polygon_attrib, corners, count, polygon);
            if (count > 4 && !made.empty() && !covers(attrib, made, polygon)) {
                const Triangle like = made.front();
                for (int way = 1; way < 4 && !covers(attrib, made, polygon); way++)
                    made = retriangulation(polygon_attrib, corners, count, like, way & 2, way & 1);
                if (!covers(attrib, made, polygon)) {
                    const float* first = &polygon_attrib.vertices[(size_t)corners[0].vertex_index * 3];
                    fatal_errorf("%s: the polygon of %u corners from the vertex (%g, %g, %g) is concave or overlaps "
                                 "itself, and its triangulation leaves part of it uncovered or covers what lies "
                                 "outside it; triangulate the model in the editor (the OBJ export setting "
                                 "\"Triangulate faces\") and import it again",
                                 name, count, (double)first[0], (double)first[1], (double)first[2]);
                }
            }
            whole.insert(whole.end(), made.begin(), made.end());
        }
    }
    // Anything left unmatched (which a well-formed file does not leave) is
    // kept as tinyobjloader made it.
    whole.insert(whole.end(), triangles.begin() + (long)next, triangles.end());
    return whole;
}

}  // namespace

std::string loaded_texture_list()
{
    std::string list;
    for (const char* name : LOADED_TEXTURES)
        list += std::string("\"") + name + "\", ";
    return list + "\"" + FONT_TEXTURE + "\"";
}

Model import_obj(const char* name, const std::string& text, const ImportOptions& options)
{
    require_text(name, text);
    const AheadOfTheReader ahead = read_ahead(name, text);

    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warnings, errors;
    std::istringstream stream(MATERIAL_LINE + text);
    NamedMaterials named(ahead.materials);
    const bool read = tinyobj::LoadObj(&attrib, &shapes, &materials, &warnings, &errors, &stream, &named,
                                       /*triangulate=*/true, /*default_vcols_fallback=*/false);
    if (!read)
        fatal_errorf("%s: %s", name, without_trailing_newlines(with_file_line_numbers(errors)).c_str());

    const std::vector<Triangle> triangles =
        whole_polygons(name, text, ahead, attrib, triangles_of(name, attrib, shapes, materials, options));
    if (triangles.empty())
        fatal_errorf("%s: holds no triangle (no face with three or more corners)", name);
    require_loaded_textures(name, triangles);

    bool every_normal = true;
    for (const Triangle& triangle : triangles)
        for (const Corner& corner : triangle.corners)
            every_normal = every_normal && corner.normal >= 0;

    Model model;
    model.vertices.reserve(triangles.size() * 3);
    for (const std::vector<const Triangle*>& run : runs_of(triangles)) {
        Submesh submesh;
        submesh.name = run.front()->texture;
        submesh.first = (int32_t)model.vertices.size();
        for (const Triangle* triangle : run)
            for (const Corner& corner : triangle->corners) {
                const float* p = &attrib.vertices[(size_t)corner.position * 3];
                ModelVertex vertex{};
                vertex.position = Vec3{p[0] * options.scale, p[1] * options.scale, p[2] * options.scale};
                if (corner.texcoord >= 0) {
                    vertex.u = attrib.texcoords[(size_t)corner.texcoord * 2];
                    vertex.v = attrib.texcoords[(size_t)corner.texcoord * 2 + 1];
                }
                if (every_normal) {
                    const float* n = &attrib.normals[(size_t)corner.normal * 3];
                    vertex.normal = Vec3{n[0], n[1], n[2]};
                }
                model.vertices.push_back(vertex);
            }
        submesh.count = (int32_t)model.vertices.size() - submesh.first;
        model.submeshes.push_back(submesh);
    }
    // A number too large for a float (or scaled past one) reads as infinity;
    // the game's ray tests and lighting need finite values.
    for (size_t i = 0; i < model.vertices.size(); i++) {
        const float* values = &model.vertices[i].position.x;
        for (int k = 0; k < 8; k++)
            if (!std::isfinite(values[k]))
                fatal_errorf("%s: a position, texture coordinate or normal is too large for a float%s", name,
                             options.scale != 1.0f ? " (after scaling)" : "");
    }
    if (!every_normal)
        flat_normals(model.vertices.data(), (int)model.vertices.size());

    if (options.has_box) {
        model.box = options.box;
    } else if (ahead.has_box) {
        const float s = options.scale;
        model.box.position = Vec3{ahead.box[0] * s, ahead.box[1] * s, ahead.box[2] * s};
        model.box.half = Vec3{ahead.box[3] * s, ahead.box[4] * s, ahead.box[5] * s};
        const float* values = &model.box.position.x;
        for (int k = 0; k < 6; k++)
            if (!std::isfinite(k < 3 ? values[k] : (&model.box.half.x)[k - 3]))
                fatal_errorf("%s: the \"# box\" line scaled by %g is too large for a float", name, (double)s);
    } else {
        Vec3 low = model.vertices[0].position, high = low;
        for (const ModelVertex& v : model.vertices) {
            low = Vec3{std::fmin(low.x, v.position.x), std::fmin(low.y, v.position.y), std::fmin(low.z, v.position.z)};
            high = Vec3{std::fmax(high.x, v.position.x), std::fmax(high.y, v.position.y),
                        std::fmax(high.z, v.position.z)};
        }
        model.box.position = Vec3{(low.x + high.x) * 0.5f, (low.y + high.y) * 0.5f, (low.z + high.z) * 0.5f};
        model.box.half = Vec3{(high.x - low.x) * 0.5f, (high.y - low.y) * 0.5f, (high.z - low.z) * 0.5f};
    }
    model.box.velocity = Vec3{0, 0, 0};
    return model;
}

Model import_obj_file(const char* path, const ImportOptions& options)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fatal_errorf("%s: cannot open (%s)", path, std::strerror(errno));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        fatal_errorf("%s: read error", path);
    return import_obj(path, text, options);
}
