// Box models and the four fixture ore stages.
#include "fixture_models.h"

#include <filesystem>
#include <string>

#include "base/fatal_error.h"
#include "world/ores.h"

namespace {

// Half the edge, and the height of the centre above the deposit's origin.
constexpr float HALF[4] = {0.3f, 0.4f, 0.5f, 0.6f};
constexpr float CENTRE_Y[4] = {0.225f, 0.3f, 0.375f, 0.45f};

// Each face as four corner signs, counter-clockwise seen from outside.
constexpr int FACES[6][4][3] = {
    {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},          // +x
    {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},      // -x
    {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},          // +y
    {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},      // -y
    {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},          // +z
    {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}},      // -z
};
constexpr float CORNER_UV[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

void append_box(Model& model, Vec3 centre, Vec3 half, const char* texture)
{
    Submesh submesh;
    submesh.name = texture;
    submesh.first = (int32_t)model.vertices.size();
    for (const auto& face : FACES) {
        for (int corner : {0, 1, 2, 0, 2, 3}) {
            const int* sign = face[corner];
            ModelVertex v{};
            v.position = Vec3{centre.x + (float)sign[0] * half.x, centre.y + (float)sign[1] * half.y,
                              centre.z + (float)sign[2] * half.z};
            v.u = CORNER_UV[corner][0];
            v.v = CORNER_UV[corner][1];
            model.vertices.push_back(v);
        }
    }
    submesh.count = (int32_t)model.vertices.size() - submesh.first;
    flat_normals(&model.vertices[(size_t)submesh.first], submesh.count);
    model.submeshes.push_back(submesh);
}

Model box_model(Vec3 centre, Vec3 half)
{
    Model model;
    append_box(model, centre, half, "ironOreNoise");
    model.box.position = centre;
    model.box.velocity = Vec3{0, 0, 0};
    model.box.half = half;
    return model;
}

Model fixture_ore_model(int stage)
{
    const float h = HALF[stage];
    return box_model(Vec3{0, CENTRE_Y[stage], 0}, Vec3{h, h, h});
}

void load_fixture_ore_models()
{
    for (int stage = 0; stage < 4; stage++)
        ore_models[stage] = fixture_ore_model(stage);
}

void write_fixture_data(const char* dir)
{
    const std::filesystem::path mdl = std::filesystem::path(dir) / "mdl";
    std::error_code error;
    std::filesystem::create_directories(mdl, error);
    if (error)
        fatal_errorf("%s: cannot create (%s)", mdl.string().c_str(), error.message().c_str());
    for (int stage = 0; stage < 4; stage++) {
        const std::string path = (mdl / ("ore" + std::to_string(stage) + ".bmf")).string();
        write_model(path.c_str(), fixture_ore_model(stage));
    }
}
