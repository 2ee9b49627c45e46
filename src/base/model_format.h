#pragma once
// The .bmf model format, and the in-memory Model it becomes.
//
// A .bmf file, little-endian, fields without gaps, no header or magic:
//   int32 N                      vertex count, a multiple of 3
//   N x ModelVertex (32 bytes)   triangles as vertex triples
//   uint8 S                      submesh count
//   S x { uint8 L, L name bytes, int32 count }   runs in drawing order; each
//                                starts where the previous one ended
//   3 floats                     collision box centre, relative to the origin
//   3 floats                     collision box half-extents
// Anything after the half-extents is ignored.
//
// This half is pure code over bytes; putting a Model on the GPU (vertex
// buffer, texture ids) is the graphics layer's job.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/body.h"
#include "base/transform.h"

struct ModelVertex {
    Vec3 position;
    Vec3 normal;
    float u, v;
};
static_assert(sizeof(ModelVertex) == 32, "ModelVertex is the 32-byte file and buffer layout");

// One run of consecutive vertices drawn with one texture.
struct Submesh {
    std::string name;      // texture name, as the file gives it
    uint32_t texture = 0;  // GL texture id, set when the model is put on the GPU
    int32_t first = 0;     // index of the run's first vertex
    int32_t count = 0;     // vertices in the run
};

struct Model {
    std::vector<ModelVertex> vertices;  // kept for ray tests against the triangles
    std::vector<Submesh> submeshes;     // at most 255
    Body box;                           // collision box; its velocity is unused
    uint32_t vertex_buffer = 0;         // GL buffer, 0 until uploaded
};

// Reads and checks a model from the bytes of a file; `name` is the file's
// path, used in messages. Normals are recomputed with flat_normals. A file
// that ends early, or whose counts are negative, not a multiple of 3, larger
// than the file can hold or do not add up, ends the program through
// fatal_error with a message naming the file and the problem.
Model parse_model(const char* name, const uint8_t* bytes, size_t size);

// parse_model over the file at `path` (which must open).
Model read_model(const char* path);

// parse_model and read_model keeping the normals the file stores instead of
// recomputing them, for tools that must write the file back as it was.
Model parse_model_as_stored(const char* name, const uint8_t* bytes, size_t size);
Model read_model_as_stored(const char* path);

// The bytes of a .bmf file for the model: normals are written as they are,
// the submesh firsts are implied by the order of the runs.
std::vector<uint8_t> encode_model(const Model& model);
void write_model(const char* path, const Model& model);

// e1 x e2 scaled to unit length by the reciprocal of its length (one
// division, three multiplications).
inline Vec3 unit_cross(Vec3 e1, Vec3 e2)
{
    const Vec3 n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const float k = 1.0f / std::sqrt((n.x * n.x + n.y * n.y) + n.z * n.z);
    return Vec3{n.x * k, n.y * k, n.z * k};
}

// The unit normal of a triangle from its edges e1 = p1 - p0 and e2 = p2 - p0,
// pointing to the side from which the vertices run counter-clockwise. A
// triangle of zero area (or one so large that its cross product overflows)
// has no direction to face: it gets the zero normal, which takes no light,
// instead of NaNs; such a triangle covers no pixels.
inline Vec3 face_normal_of_edges(Vec3 e1, Vec3 e2)
{
    const Vec3 normal = unit_cross(e1, e2);
    if (!std::isfinite(normal.x) || !std::isfinite(normal.y) || !std::isfinite(normal.z))
        return Vec3{0, 0, 0};
    return normal;
}

inline Vec3 face_normal(Vec3 p0, Vec3 p1, Vec3 p2)
{
    return face_normal_of_edges(Vec3{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z},
                                Vec3{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z});
}

// Rewrites the normal of every vertex of each triangle (v[i], v[i+1], v[i+2])
// with that triangle's face_normal. Positions and texture coordinates stay.
void flat_normals(ModelVertex* vertices, int count);
