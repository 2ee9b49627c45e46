// Reading, checking and writing .bmf models, and the flat normals of a triangle list.
#include "base/model_format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/fatal_error.h"

namespace {

// A cursor over the file's bytes. Every take names the field it reads, so a
// file that ends early is reported with the field it ends in.
struct ByteReader {
    const char* name;
    const uint8_t* bytes;
    size_t size;
    size_t offset;
};

size_t bytes_left(const ByteReader& in)
{
    return in.size - in.offset;
}

const uint8_t* take(ByteReader& in, size_t count, const char* field)
{
    if (bytes_left(in) < count)
        fatal_errorf("%s: file ends early in %s (needs %llu bytes at offset %llu, %llu left)",
                     in.name, field, (unsigned long long)count, (unsigned long long)in.offset,
                     (unsigned long long)bytes_left(in));
    const uint8_t* at = in.bytes + in.offset;
    in.offset += count;
    return at;
}

uint32_t load_u32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

float load_f32(const uint8_t* p)
{
    const uint32_t bits = load_u32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int32_t take_i32(ByteReader& in, const char* field)
{
    return (int32_t)load_u32(take(in, 4, field));
}

Vec3 take_vec3(ByteReader& in, const char* field)
{
    const uint8_t* p = take(in, 12, field);
    return Vec3{load_f32(p), load_f32(p + 4), load_f32(p + 8)};
}

// A texture name fit for a message: bytes outside printable ASCII become '?'.
std::string printable(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c < 32 || c > 126)
            c = '?';
    return out;
}

void store_u32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back((uint8_t)(value >> shift));
}

void store_f32(std::vector<uint8_t>& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    store_u32(out, bits);
}

void store_vec3(std::vector<uint8_t>& out, Vec3 v)
{
    store_f32(out, v.x);
    store_f32(out, v.y);
    store_f32(out, v.z);
}

}  // namespace

Model parse_model(const char* name, const uint8_t* bytes, size_t size)
{
    Model model = parse_model_as_stored(name, bytes, size);
    flat_normals(model.vertices.data(), (int)model.vertices.size());
    return model;
}

Model parse_model_as_stored(const char* name, const uint8_t* bytes, size_t size)
{
    ByteReader in{name, bytes, size, 0};
    Model model;

    const int32_t vertex_count = take_i32(in, "the vertex count");
    if (vertex_count < 0)
        fatal_errorf("%s: negative vertex count %d", name, vertex_count);
    if (vertex_count % 3 != 0)
        fatal_errorf("%s: vertex count %d is not a multiple of 3", name, vertex_count);
    // Checked before anything is allocated, so a corrupt count cannot ask for
    // gigabytes.
    const unsigned long long vertex_bytes = (unsigned long long)vertex_count * sizeof(ModelVertex);
    if (vertex_bytes > bytes_left(in))
        fatal_errorf("%s: vertex count %d needs %llu bytes of vertices, the file has %llu left",
                     name, vertex_count, vertex_bytes, (unsigned long long)bytes_left(in));

    model.vertices.resize((size_t)vertex_count);
    const uint8_t* p = take(in, (size_t)vertex_bytes, "the vertices");
    for (ModelVertex& v : model.vertices) {
        v.position = Vec3{load_f32(p), load_f32(p + 4), load_f32(p + 8)};
        v.normal = Vec3{load_f32(p + 12), load_f32(p + 16), load_f32(p + 20)};
        v.u = load_f32(p + 24);
        v.v = load_f32(p + 28);
        p += sizeof(ModelVertex);
    }

    const int submesh_count = *take(in, 1, "the submesh count");
    model.submeshes.resize((size_t)submesh_count);
    long long vertex_sum = 0;
    char field[64];
    for (int i = 0; i < submesh_count; i++) {
        Submesh& submesh = model.submeshes[(size_t)i];
        std::snprintf(field, sizeof field, "the name length of submesh %d", i);
        const size_t name_length = *take(in, 1, field);
        std::snprintf(field, sizeof field, "the name of submesh %d", i);
        const uint8_t* name_bytes = take(in, name_length, field);
        submesh.name.assign((const char*)name_bytes, name_length);
        std::snprintf(field, sizeof field, "the vertex count of submesh %d", i);
        submesh.count = take_i32(in, field);
        if (submesh.count < 0)
            fatal_errorf("%s: submesh %d (\"%s\") has a negative vertex count %d", name, i,
                         printable(submesh.name).c_str(), submesh.count);
        submesh.first = (int32_t)vertex_sum;  // checked against N below
        vertex_sum += submesh.count;
    }
    if (vertex_sum != vertex_count)
        fatal_errorf("%s: the submesh vertex counts add up to %lld, not to the vertex count %d",
                     name, vertex_sum, vertex_count);

    model.box.position = take_vec3(in, "the box centre");
    model.box.velocity = Vec3{0, 0, 0};
    model.box.half = take_vec3(in, "the box half-extents");
    return model;
}

Model read_model(const char* path)
{
    Model model = read_model_as_stored(path);
    flat_normals(model.vertices.data(), (int)model.vertices.size());
    return model;
}

Model read_model_as_stored(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        fatal_errorf("%s: cannot open (%s)", path, std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        fatal_errorf("%s: read error", path);
    return parse_model_as_stored(path, bytes.data(), bytes.size());
}

std::vector<uint8_t> encode_model(const Model& model)
{
    if (model.submeshes.size() > 255)
        fatal_errorf("a model can hold at most 255 submeshes, not %llu",
                     (unsigned long long)model.submeshes.size());
    std::vector<uint8_t> out;
    store_u32(out, (uint32_t)model.vertices.size());
    for (const ModelVertex& v : model.vertices) {
        store_vec3(out, v.position);
        store_vec3(out, v.normal);
        store_f32(out, v.u);
        store_f32(out, v.v);
    }
    out.push_back((uint8_t)model.submeshes.size());
    for (const Submesh& submesh : model.submeshes) {
        if (submesh.name.size() > 255)
            fatal_errorf("texture name \"%s\" is longer than 255 bytes", submesh.name.c_str());
        out.push_back((uint8_t)submesh.name.size());
        out.insert(out.end(), submesh.name.begin(), submesh.name.end());
        store_u32(out, (uint32_t)submesh.count);
    }
    store_vec3(out, model.box.position);
    store_vec3(out, model.box.half);
    return out;
}

void write_model(const char* path, const Model& model)
{
    const std::vector<uint8_t> bytes = encode_model(model);
    FILE* file = std::fopen(path, "wb");
    if (!file)
        fatal_errorf("%s: cannot create (%s)", path, std::strerror(errno));
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    if (std::fclose(file) != 0 || written != bytes.size())
        fatal_errorf("%s: write error", path);
}

void flat_normals(ModelVertex* vertices, int count)
{
    for (int i = 0; i + 3 <= count; i += 3) {
        const Vec3 normal = face_normal(vertices[i].position, vertices[i + 1].position, vertices[i + 2].position);
        vertices[i].normal = vertices[i + 1].normal = vertices[i + 2].normal = normal;
    }
}
