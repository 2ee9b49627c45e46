// The .bmf reader and writer: round trips, flat normals, and every malformed file refused by name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/model_format.h"
#include "support/case_names.h"

namespace {

// Builds .bmf bytes field by field, so a test can cut a file anywhere.
struct Bytes {
    std::vector<uint8_t> data;

    Bytes& i32(int32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back((uint8_t)((uint32_t)value >> shift));
        return *this;
    }
    Bytes& f32(float value)
    {
        int32_t bits;
        std::memcpy(&bits, &value, 4);
        return i32(bits);
    }
    Bytes& u8(int value)
    {
        data.push_back((uint8_t)value);
        return *this;
    }
    Bytes& name(const std::string& text)
    {
        u8((int)text.size());
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& vertex(float x, float y, float z)
    {
        f32(x).f32(y).f32(z);
        f32(9).f32(9).f32(9);  // stored normals, replaced on reading
        return f32(0.5f).f32(0.25f);
    }
    Bytes& triangles(int count)
    {
        for (int i = 0; i < count; i++)
            vertex(0, 0, 0).vertex(1, 0, 0).vertex(0, 1, 0);
        return *this;
    }
    Bytes& box()
    {
        return f32(1).f32(2).f32(3).f32(0.5f).f32(0.75f).f32(1.25f);
    }
    Bytes cut(size_t size) const
    {
        Bytes b = *this;
        b.data.resize(size);
        return b;
    }
};

Model parse(const Bytes& bytes)
{
    return parse_model("test.bmf", bytes.data.data(), bytes.data.size());
}

TEST(ModelFormat, ReadsOneTriangleWithItsSubmeshAndBox)
{
    const Model model = parse(Bytes().i32(3).triangles(1).u8(1).name("wood").i32(3).box());
    ASSERT_EQ(model.vertices.size(), 3u);
    EXPECT_EQ(model.vertices[1].position.x, 1.0f);
    EXPECT_EQ(model.vertices[2].v, 0.25f);
    ASSERT_EQ(model.submeshes.size(), 1u);
    EXPECT_EQ(model.submeshes[0].name, "wood");
    EXPECT_EQ(model.submeshes[0].first, 0);
    EXPECT_EQ(model.submeshes[0].count, 3);
    EXPECT_EQ(model.box.position.x, 1.0f);
    EXPECT_EQ(model.box.position.z, 3.0f);
    EXPECT_EQ(model.box.half.y, 0.75f);
    EXPECT_EQ(model.box.velocity.x, 0.0f);
    EXPECT_EQ(model.vertex_buffer, 0u);
}

TEST(ModelFormat, SubmeshesStartWhereThePreviousOneEnded)
{
    const Model model = parse(Bytes()
                                  .i32(21)
                                  .triangles(7)
                                  .u8(3)
                                  .name("ironOreNoise")
                                  .i32(6)
                                  .name("")  // an empty name reads no name bytes
                                  .i32(12)
                                  .name("metal")
                                  .i32(3)
                                  .box());
    ASSERT_EQ(model.submeshes.size(), 3u);
    const int firsts[3] = {0, 6, 18};
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(model.submeshes[(size_t)i].first, firsts[i]);
    EXPECT_EQ(model.submeshes[1].name, "");
    EXPECT_EQ(model.submeshes[2].name, "metal");
}

TEST(ModelFormat, EmptyModelAndTrailingBytesAreFine)
{
    Bytes bytes = Bytes().i32(0).u8(0).box();
    bytes.data.push_back(0xEE);  // anything after the half-extents is not read
    const Model model = parse(bytes);
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_TRUE(model.submeshes.empty());
    EXPECT_EQ(model.box.half.z, 1.25f);
}

TEST(ModelFormat, EncodeThenParseGivesTheModelBack)
{
    Model model = parse(Bytes().i32(6).triangles(2).u8(2).name("wood").i32(3).name("metal").i32(3).box());
    const std::vector<uint8_t> bytes = encode_model(model);
    const Model again = parse_model("again.bmf", bytes.data(), bytes.size());
    ASSERT_EQ(again.vertices.size(), model.vertices.size());
    EXPECT_EQ(std::memcmp(again.vertices.data(), model.vertices.data(), model.vertices.size() * sizeof(ModelVertex)), 0);
    ASSERT_EQ(again.submeshes.size(), 2u);
    EXPECT_EQ(again.submeshes[1].name, "metal");
    EXPECT_EQ(again.submeshes[1].first, 3);
    EXPECT_EQ(std::memcmp(&again.box, &model.box, sizeof model.box), 0);
}

TEST(ModelFormat, WriteThenReadAFile)
{
    const Model model = parse(Bytes().i32(3).triangles(1).u8(1).name("wood").i32(3).box());
    const std::string path = testing::TempDir() + "write_then_read.bmf";
    write_model(path.c_str(), model);
    const Model again = read_model(path.c_str());
    EXPECT_EQ(again.vertices.size(), 3u);
    EXPECT_EQ(again.submeshes[0].name, "wood");
    std::remove(path.c_str());
}

struct NormalCase {
    const char* what;
    Vec3 p0, p1, p2;
    Vec3 normal;
};

TEST(FlatNormals, EachTriangleGetsItsOwnUnitNormal)
{
    const float r26 = 1.0f / std::sqrt(26.0f);
    const NormalCase cases[] = {
        {"counter-clockwise in the xy plane", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"the same points clockwise", {0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        {"a slanted triangle", {1, 2, 3}, {2, 5, 1}, {-1, 0, 4}, {-1 * r26, 3 * r26, 4 * r26}},
        {"zero area: all points equal", {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {0, 0, 0}},
        {"zero area: points on a line", {0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {0, 0, 0}},
        {"a cross product that overflows", {0, 0, 0}, {3e38f, 0, 0}, {0, 3e38f, 0}, {0, 0, 0}},
    };
    for (const NormalCase& c : cases) {
        ModelVertex v[6] = {{c.p0, {7, 7, 7}, 1, 2}, {c.p1, {7, 7, 7}, 3, 4}, {c.p2, {7, 7, 7}, 5, 6},
                            {{0, 0, 0}, {}, 0, 0}, {{0, 0, 1}, {}, 0, 0}, {{1, 0, 0}, {}, 0, 0}};
        flat_normals(v, 6);
        for (int k = 0; k < 3; k++) {
            EXPECT_NEAR(v[k].normal.x, c.normal.x, 1e-6f) << c.what;
            EXPECT_NEAR(v[k].normal.y, c.normal.y, 1e-6f) << c.what;
            EXPECT_NEAR(v[k].normal.z, c.normal.z, 1e-6f) << c.what;
        }
        EXPECT_EQ(v[0].position.x, c.p0.x);  // positions and texture coordinates stay
        EXPECT_EQ(v[2].u, 5.0f);
        EXPECT_EQ(v[4].normal.y, 1.0f) << "the second triangle gets its own normal";
    }
}

struct MalformedCase {
    const char* what;
    Bytes bytes;
    const char* message;  // regular expression the message must match
};

class MalformedModel : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedModel, EndsWithAMessageNamingFileAndProblem)
{
    const MalformedCase& c = GetParam();
    EXPECT_EXIT(parse(c.bytes), ::testing::ExitedWithCode(1), std::string("^test\\.bmf: ") + c.message);
}

const Bytes good = Bytes().i32(3).triangles(1).u8(1).name("wood").i32(3).box();
constexpr size_t VERTICES_END = 4 + 96;
constexpr size_t NAME_START = VERTICES_END + 2;

INSTANTIATE_TEST_SUITE_P(
    ModelFormat, MalformedModel,
    ::testing::Values(
        MalformedCase{"empty file", Bytes(), "file ends early in the vertex count"},
        MalformedCase{"two bytes", good.cut(2), "file ends early in the vertex count"},
        MalformedCase{"negative count", Bytes().i32(-3).box(), "negative vertex count -3"},
        MalformedCase{"count not a multiple of 3", Bytes().i32(4).triangles(2), "vertex count 4 is not a multiple of 3"},
        MalformedCase{"vertices cut short", good.cut(50), "vertex count 3 needs 96 bytes of vertices, the file has 46 left"},
        MalformedCase{"huge count", Bytes().i32(2147483646).triangles(1),
                      "vertex count 2147483646 needs 68719476672 bytes"},
        MalformedCase{"no submesh count", good.cut(VERTICES_END), "file ends early in the submesh count"},
        MalformedCase{"no name length", good.cut(VERTICES_END + 1), "file ends early in the name length of submesh 0"},
        MalformedCase{"name cut short", good.cut(NAME_START + 2), "file ends early in the name of submesh 0"},
        MalformedCase{"submesh count cut short", good.cut(NAME_START + 4 + 2),
                      "file ends early in the vertex count of submesh 0"},
        MalformedCase{"second submesh missing", Bytes().i32(3).triangles(1).u8(2).name("wood").i32(3),
                      "file ends early in the name length of submesh 1"},
        MalformedCase{"negative submesh count", Bytes().i32(3).triangles(1).u8(2).name("wood").i32(6).name("metal").i32(-3).box(),
                      "submesh 1 \\(\"metal\"\\) has a negative vertex count -3"},
        MalformedCase{"submeshes short of the total", Bytes().i32(6).triangles(2).u8(1).name("wood").i32(3).box(),
                      "the submesh vertex counts add up to 3, not to the vertex count 6"},
        MalformedCase{"submeshes past the total", Bytes().i32(3).triangles(1).u8(2).name("wood").i32(3).name("x").i32(3).box(),
                      "the submesh vertex counts add up to 6, not to the vertex count 3"},
        MalformedCase{"no box centre", good.cut(good.data.size() - 16), "file ends early in the box centre"},
        MalformedCase{"half-extents cut short", good.cut(good.data.size() - 1), "file ends early in the box half-extents"}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return case_name(info.param.what); });

TEST(ModelFormat, MissingFileEndsNamingIt)
{
    EXPECT_EXIT(read_model("no/such/model.bmf"), ::testing::ExitedWithCode(1),
                "^no/such/model\\.bmf: cannot open");
}

}  // namespace
