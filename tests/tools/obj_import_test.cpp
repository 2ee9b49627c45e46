// quarrytop-model's conversions in the process: the OBJ cases with their
// outcomes, the round trip of the game's models and of awkward numbers, and
// the export's refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "base/model_format.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "tools/obj_cases.h"

namespace {

class ObjImport : public testing::TestWithParam<ObjCase> {};

TEST_P(ObjImport, HasItsOutcome)
{
    const ObjCase& c = GetParam();
    if (!c.refusal.empty()) {
        EXPECT_EXIT(import_obj("case.obj", c.text, c.options), testing::ExitedWithCode(1), c.refusal);
        return;
    }
    const Model model = import_obj("case.obj", c.text, c.options);
    EXPECT_EQ(submeshes_text(model), c.submeshes);
    if (!c.first_vertex.empty()) {
        EXPECT_EQ(first_vertex_text(model), c.first_vertex);
    }
    if (!c.box.empty()) {
        EXPECT_EQ(box_text(model), c.box);
    }
    // Whatever was accepted is a file the game reads back as it was made.
    const std::vector<uint8_t> bytes = encode_model(model);
    EXPECT_EQ(encode_model(parse_model_as_stored("again", bytes.data(), bytes.size())), bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, ObjImport, testing::ValuesIn(obj_cases()),
                         [](const testing::TestParamInfo<ObjCase>& info) { return info.param.name; });

std::string source_path(const std::string& relative)
{
    return std::string(QUARRYTOP_SOURCE_DIR) + "/" + relative;
}

std::vector<uint8_t> bytes_of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Export then import without options, in the process.
std::vector<uint8_t> round_trip(const Model& stored)
{
    require_exportable("model.bmf", stored);
    return encode_model(import_obj("model.obj", obj_text(stored, "model.mtl"), ImportOptions{}));
}

TEST(ObjRoundTrip, GivesBackEachOfTheGamesModelsByteForByte)
{
    for (const char* name : {"mdl/ore0.bmf", "mdl/ore1.bmf", "mdl/ore2.bmf", "mdl/ore3.bmf", "mdl/pickaxe.bmf",
                             "mdl/floor.bmf", "mdl/wall.bmf"}) {
        const std::string path = source_path(name);
        const std::vector<uint8_t> file = bytes_of(path);
        ASSERT_FALSE(file.empty()) << path;
        EXPECT_TRUE(round_trip(read_model_as_stored(path.c_str())) == file) << name << " changed on the way";
    }
}

TEST(ObjRoundTrip, KeepsAwkwardNumbersNeighbouringRunsOfOneTextureAndStoredNormals)
{
    // Values whose decimal form is long or at the ends of the float range,
    // read back by tinyobjloader's own number parser; normals that are not
    // the flat ones; two runs of wood side by side.
    const float awkward[] = {-0.0f, 1e-45f, 1.17549435e-38f, 3.40282347e38f, -3.40282347e38f, 0.1f,
                             1.0f / 3.0f, 16777217.0f, 2.5e-8f, -123456.789f, 0.999999940f, 1e10f};
    Model model;
    const int count = 12;
    for (int i = 0; i < count; i++) {
        ModelVertex v;
        v.position = Vec3{awkward[i % 12], awkward[(i + 1) % 12], awkward[(i + 5) % 12]};
        v.normal = Vec3{awkward[(i + 2) % 12], awkward[(i + 7) % 12], awkward[(i + 11) % 12]};
        v.u = awkward[(i + 3) % 12];
        v.v = awkward[(i + 9) % 12];
        model.vertices.push_back(v);
    }
    model.submeshes = {Submesh{"wood", 0, 0, 3}, Submesh{"wood", 0, 3, 3}, Submesh{"metal", 0, 6, 6}};
    model.box.position = Vec3{0.1f, -0.0f, 1e-45f};
    model.box.half = Vec3{3.40282347e38f, 1.0f / 3.0f, 2.5e-8f};
    const std::vector<uint8_t> bytes = encode_model(model);
    EXPECT_TRUE(round_trip(parse_model_as_stored("awkward.bmf", bytes.data(), bytes.size())) == bytes);
}

struct Unexportable {
    const char* name;
    Model model;
    const char* message;
};

Model one_triangle(const char* texture)
{
    Model model;
    model.vertices.resize(3);
    model.vertices[1].position.x = 1;
    model.vertices[2].position.y = 1;
    model.submeshes = {Submesh{texture, 0, 0, 3}};
    return model;
}

TEST(ObjExport, RefusesWhatAnObjFileCannotCarryBackUnchanged)
{
    Model nan_position = one_triangle("wood");
    nan_position.vertices[1].position.y = std::numeric_limits<float>::quiet_NaN();
    Model split_triangle = one_triangle("wood");
    split_triangle.submeshes = {Submesh{"wood", 0, 0, 2}, Submesh{"metal", 0, 2, 1}};
    Model empty_run = one_triangle("wood");
    empty_run.submeshes.push_back(Submesh{"metal", 0, 3, 0});
    const Unexportable cases[] = {
        {"no triangle", Model{}, "model.bmf: holds no triangle"},
        {"a value that is not a number", nan_position, "model.bmf: vertex 1 holds a value that is not a finite number"},
        {"a run that splits a triangle", split_triangle, "model.bmf: submesh 0 holds 2 vertices"},
        {"an empty run", empty_run, "model.bmf: submesh 1 holds 0 vertices"},
        {"a name with a space", one_triangle("oak wood"), "model.bmf: submesh 0 has a texture name that is empty or holds spaces"},
    };
    for (const Unexportable& c : cases)
        EXPECT_EXIT(require_exportable("model.bmf", c.model), testing::ExitedWithCode(1), c.message) << c.name;
}

TEST(ObjImportFile, RefusesAFileThatCannotBeOpened)
{
    EXPECT_EXIT(import_obj_file("no-such-folder/absent.obj", ImportOptions{}), testing::ExitedWithCode(1),
                "no-such-folder/absent.obj: cannot open");
}

}  // namespace
