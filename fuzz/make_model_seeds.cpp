// fuzz_make_model_seeds DIR: writes a few valid .bmf files into DIR, the
// seed corpus of the reader's fuzz target: the edge shapes the format allows
// (no vertices, several runs, an empty and a 255-byte name, a degenerate
// triangle, bytes after the box) and the fixture ore cube.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/model_format.h"
#include "support/fixture_models.h"

namespace {

ModelVertex vertex(float x, float y, float z)
{
    return ModelVertex{Vec3{x, y, z}, Vec3{0, 0, 0}, x, z};
}

Model triangles(int count, std::vector<std::pair<std::string, int>> runs)
{
    Model model;
    for (int i = 0; i < count; i++) {
        const float k = (float)i;
        model.vertices.push_back(vertex(k, 0, 0));
        model.vertices.push_back(vertex(k + 1, 0, 0));
        model.vertices.push_back(vertex(k, 1, 0));
    }
    int first = 0;
    for (const auto& run : runs) {
        Submesh submesh;
        submesh.name = run.first;
        submesh.first = first;
        submesh.count = run.second;
        first += run.second;
        model.submeshes.push_back(submesh);
    }
    model.box.position = Vec3{0.5f, 0.5f, 0};
    model.box.half = Vec3{0.5f, 0.5f, 0.25f};
    return model;
}

void write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "%s: cannot write\n", path.string().c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_model_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    write_bytes(dir / "empty.bmf", encode_model(triangles(0, {})));
    write_bytes(dir / "triangle.bmf", encode_model(triangles(1, {{"wood", 3}})));
    write_bytes(dir / "three_runs.bmf", encode_model(triangles(7, {{"wood", 6}, {"metal", 12}, {"", 3}})));
    write_bytes(dir / "long_name.bmf", encode_model(triangles(1, {{std::string(255, 'n'), 3}})));

    Model degenerate = triangles(2, {{"icon", 6}});
    degenerate.vertices[4].position = degenerate.vertices[3].position;
    write_bytes(dir / "degenerate.bmf", encode_model(degenerate));

    std::vector<uint8_t> trailing = encode_model(triangles(1, {{"wood", 3}}));
    trailing.insert(trailing.end(), {0xde, 0xad, 0xbe, 0xef});
    write_bytes(dir / "trailing.bmf", trailing);

    write_bytes(dir / "ore_cube.bmf", encode_model(fixture_ore_model(3)));
    return 0;
}
