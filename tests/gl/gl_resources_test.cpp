// Entry points, shader programs, textures, models and the terrain buffer on
// a real OpenGL (Mesa under Xvfb).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/text_layout.h"
#include "draw/font.h"
#include "gfx/gl_functions.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "gfx/textures.h"
#include "gl_fixture.h"
#include "support/case_names.h"
#include "world/noise.h"
#include "world/ores.h"

using testing::ExitedWithCode;

namespace {

// Buffer read-back is not among the game's entry points; the tests fetch it.
void read_buffer(GLuint buffer, size_t bytes, void* out)
{
    using GetBufferSubData = void(APIENTRY*)(GLenum, GLintptr, GLsizeiptr, void*);
    static const auto get = reinterpret_cast<GetBufferSubData>(gl_require_proc("glGetBufferSubData"));
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    get(GL_ARRAY_BUFFER, 0, (GLsizeiptr)bytes, out);
}

GLint buffer_size(GLuint buffer)
{
    using GetBufferParameteriv = void(APIENTRY*)(GLenum, GLenum, GLint*);
    static const auto get = reinterpret_cast<GetBufferParameteriv>(gl_require_proc("glGetBufferParameteriv"));
    GLint size = -1;
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    get(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    return size;
}

std::vector<uint8_t> texture_rgba(GLuint id, int width)
{
    std::vector<uint8_t> pixels((size_t)width * width * 4);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

GLint texture_width(GLuint id)
{
    GLint width = -1;
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

// Draws the whole viewport with text_program sampling `texture` at one
// texture coordinate, and returns the RGB in the middle of the viewport.
std::vector<uint8_t> sample(GLuint texture, float u, float v)
{
    const float quad[6][5] = {{-1, -1, 0, u, v}, {1, -1, 0, u, v}, {1, 1, 0, u, v},
                              {1, 1, 0, u, v},   {-1, 1, 0, u, v}, {-1, -1, 0, u, v}};
    glViewport(0, 0, 16, 16);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    gl.UseProgram(text_program.program);
    gl.ActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    gl.Uniform1i(text_program.tex, 0);
    gl.Uniform4f(text_program.color, 1, 1, 1, 1);
    const Mat4 identity = mat4_identity();
    gl.UniformMatrix4fv(text_program.proj, 1, GL_FALSE, identity.m);
    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.BufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    gl.EnableVertexAttribArray((GLuint)text_program.aPos);
    gl.EnableVertexAttribArray((GLuint)text_program.aTexCoord);
    gl.VertexAttribPointer((GLuint)text_program.aPos, 3, GL_FLOAT, GL_FALSE, 20, nullptr);
    gl.VertexAttribPointer((GLuint)text_program.aTexCoord, 2, GL_FLOAT, GL_FALSE, 20, (const void*)12);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    gl.DeleteBuffers(1, &buffer);
    std::vector<uint8_t> rgb(3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(8, 8, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Each test starts with an empty registry, whichever ran before it in the
// same process.
class GlResources : public testing::Test {
protected:
    void SetUp() override
    {
        texture_registry.count = 0;
        build_programs();
    }
    void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }
};

// ---------------------------------------------------------------- entry points

TEST_F(GlResources, EveryEntryPointIsLoaded)
{
    void* const* slots = reinterpret_cast<void* const*>(&gl);
    const size_t count = sizeof(GlFunctions) / sizeof(void*);
    ASSERT_EQ(count, 26u);
    for (size_t i = 0; i < count; i++)
        EXPECT_NE(slots[i], nullptr) << "entry " << i;
}

TEST_F(GlResources, WindowHasTheContextTheGameAsksFor)
{
    const char* version = (const char*)glGetString(GL_VERSION);
    ASSERT_NE(version, nullptr);
    EXPECT_GE(std::atoi(version), 2) << version;
    GLint depth = 0, stencil = 0;
    GLboolean double_buffered = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    glGetBooleanv(GL_DOUBLEBUFFER, &double_buffered);
    EXPECT_GE(depth, 24);
    EXPECT_GE(stencil, 8);
    EXPECT_EQ(double_buffered, GL_TRUE);

    int32_t width = 0, height = 0;
    platform_client_size(&width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);

    EXPECT_GT(platform_counter_frequency(), 0);
    const int64_t before = platform_counter();
    platform_sleep_ms(2);
    EXPECT_GT(platform_counter(), before);
}

// ---------------------------------------------------------------- programs

TEST_F(GlResources, ProgramsLinkAndEveryLocationIsFound)
{
    for (GLuint program : {lit_program.program, text_program.program, flat_program.program}) {
        GLint linked = 0;
        gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
    }
    const GLint locations[] = {lit_program.aPos,  lit_program.aNorm,       lit_program.aTexCoord, lit_program.rot,
                               lit_program.mtw,   lit_program.mvp,         lit_program.tex,       lit_program.sun,
                               lit_program.torch, lit_program.torchColor,  text_program.aPos,     text_program.aTexCoord,
                               text_program.proj, text_program.tex,        text_program.color,    flat_program.aPos,
                               flat_program.proj, flat_program.color};
    for (size_t i = 0; i < sizeof locations / sizeof locations[0]; i++)
        EXPECT_GE(locations[i], 0) << "location " << i;
}

TEST_F(GlResources, ShadersAreFlaggedForDeletionButTheProgramKeepsWorking)
{
    GLuint shaders[2] = {};
    GLsizei count = 0;
    using GetAttachedShaders = void(APIENTRY*)(GLuint, GLsizei, GLsizei*, GLuint*);
    const auto get = reinterpret_cast<GetAttachedShaders>(gl_require_proc("glGetAttachedShaders"));
    get(lit_program.program, 2, &count, shaders);
    ASSERT_EQ(count, 2);
    for (GLuint shader : shaders) {
        GLint flagged = 0;
        gl.GetShaderiv(shader, GL_DELETE_STATUS, &flagged);
        EXPECT_EQ(flagged, GL_TRUE);
    }
    // Still draws: a texel sampled through the text program comes out.
    const uint8_t red[4] = {255, 0, 0, 255};
    const GLuint texture = create_texture(red, 1);
    EXPECT_EQ(sample(texture, 0.5f, 0.5f), (std::vector<uint8_t>{255, 0, 0}));
}

const char* const GOOD_VERTEX = "#version 110\nvoid main(){\n    gl_Position = vec4(0.0);\n}";
const char* const GOOD_FRAGMENT = "#version 110\nvoid main(){\n    gl_FragColor = vec4(1.0);\n}";
const char* const BAD_VERTEX = "#version 110\nvoid main(){\n    gl_Position = vertexOnlyMistake;\n}";
const char* const BAD_FRAGMENT = "#version 110\nvoid main(){\n    gl_FragColor = fragmentOnlyMistake;\n}";
// Declared and read by the fragment shader, never written by the vertex one:
// each compiles, the link fails.
const char* const READS_MISSING_VARYING =
    "#version 110\nvarying vec4 neverWritten;\nvoid main(){\n    gl_FragColor = neverWritten;\n}";

TEST(GlProgramDeathTest, BrokenVertexShaderIsReportedAloneWithItsLog)
{
    EXPECT_EXIT(build_program(BAD_VERTEX, BAD_FRAGMENT), ExitedWithCode(1),
                testing::AllOf(testing::HasSubstr("vertexOnlyMistake"),
                               testing::Not(testing::HasSubstr("fragmentOnlyMistake"))));
}

TEST(GlProgramDeathTest, BrokenFragmentShaderGivesItsLog)
{
    EXPECT_EXIT(build_program(GOOD_VERTEX, BAD_FRAGMENT), ExitedWithCode(1),
                testing::HasSubstr("fragmentOnlyMistake"));
}

TEST(GlProgramDeathTest, LinkFailureGivesTheProgramLog)
{
    EXPECT_EXIT(build_program(GOOD_VERTEX, READS_MISSING_VARYING), ExitedWithCode(1),
                testing::HasSubstr("neverWritten"));
}

TEST(GlProgramDeathTest, LongLogIsCutAt511Characters)
{
    // Many undeclared names: a log of several kilobytes.
    std::string source = "#version 110\nvoid main(){\n    float x = 0.0;\n";
    for (int i = 0; i < 200; i++)
        source += "    x += undeclaredName" + std::to_string(i) + ";\n";
    source += "    gl_Position = vec4(x);\n}";
    const auto length_of_message = [](const std::string& text) { return text.size(); };
    // fatal_error adds one line feed after the text.
    EXPECT_EXIT(build_program(source.c_str(), GOOD_FRAGMENT), ExitedWithCode(1),
                testing::ResultOf(length_of_message, 512u));
}

// ---------------------------------------------------------------- textures

TEST_F(GlResources, TopLeftPixelOfTheFileIsSampledAtTheTopOfTheTexture)
{
    TempDir dir;
    InDirectory in(dir.path);
    Image image(4, 4, Rgba{0, 0, 0, 255});
    image.at(0, 0) = Rgba{255, 0, 0, 255};  // top left
    image.at(0, 3) = Rgba{0, 255, 0, 255};  // bottom left
    image.at(3, 0) = Rgba{0, 0, 255, 255};  // top right
    write_png("tex/corners.png", image, 4);
    const GLuint id = load_texture("corners");
    // Texel centres near (0, 1), (0, 0) and (1, 1).
    EXPECT_EQ(sample(id, 0.125f, 0.875f), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(sample(id, 0.125f, 0.125f), (std::vector<uint8_t>{0, 255, 0}));
    EXPECT_EQ(sample(id, 0.875f, 0.875f), (std::vector<uint8_t>{0, 0, 255}));
    // Repeat wrapping: one whole texture further is the same texel.
    EXPECT_EQ(sample(id, 1.125f, 1.875f), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(sample(id, -0.875f, -0.125f), (std::vector<uint8_t>{255, 0, 0}));
}

TEST_F(GlResources, EveryPngKindLoadsAsRgba)
{
    TempDir dir;
    InDirectory in(dir.path);
    // Two texels a row: one light, one dark and half transparent.
    Image image(2, 2, Rgba{200, 200, 200, 255});
    image.at(1, 0) = Rgba{50, 50, 50, 128};
    image.at(1, 1) = Rgba{50, 50, 50, 128};
    struct Case {
        const char* name;
        int channels;  // 0: palette
        Rgba light, dark;
    };
    const Case cases[] = {
        {"grey", 1, {200, 200, 200, 255}, {50, 50, 50, 255}},
        {"greyAlpha", 2, {200, 200, 200, 255}, {50, 50, 50, 128}},
        {"rgb", 3, {200, 200, 200, 255}, {50, 50, 50, 255}},
        {"rgba", 4, {200, 200, 200, 255}, {50, 50, 50, 128}},
        {"palette", 0, {200, 200, 200, 255}, {50, 50, 50, 128}},
    };
    for (const Case& c : cases) {
        const std::string path = std::string("tex/") + c.name + ".png";
        if (c.channels == 0)
            write_palette_png(path, 2, 2, {0, 1, 0, 1}, {{200, 200, 200, 255}, {50, 50, 50, 128}});
        else
            write_png(path, image, c.channels);
        const GLuint id = load_texture(c.name);
        ASSERT_EQ(texture_width(id), 2) << c.name;
        const std::vector<uint8_t> got = texture_rgba(id, 2);
        for (int texel = 0; texel < 4; texel++) {
            const Rgba want = texel % 2 == 0 ? c.light : c.dark;
            EXPECT_EQ(std::vector<uint8_t>(got.begin() + 4 * texel, got.begin() + 4 * texel + 4),
                      (std::vector<uint8_t>{want.r, want.g, want.b, want.a}))
                << c.name << " texel " << texel;
        }
    }
}

TEST_F(GlResources, RegistryKeepsLoadOrderAndFindsExactNamesOnly)
{
    TempDir dir;
    InDirectory in(dir.path);
    const char* const names[] = {"ironOreNoise", "wood", "metal", "icon"};
    for (const char* name : names)
        write_png(std::string("tex/") + name + ".png", Image(2, 2, Rgba{1, 2, 3, 255}), 4);
    load_textures();
    ASSERT_EQ(texture_registry.count, 4);
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(texture_registry.entries[i].name, names[i]);
    EXPECT_EQ(icon_texture, texture_registry.entries[3].id);

    ASSERT_NE(find_texture("metal"), nullptr);
    EXPECT_EQ(find_texture("metal"), &texture_registry.entries[2]);
    for (const char* miss : {"Metal", "meta", "metals", ""})
        EXPECT_EQ(find_texture(miss), nullptr) << miss;
}

// Each way an image fails has its own case in the core tests
// (decode_square_image); here the texture loader passes its path and words on.
TEST(GlTextureDeathTest, MissingFileIsNamedInPlainWords)
{
    TempDir dir;
    InDirectory in(dir.path);
    EXPECT_EXIT(load_texture("absent"), ExitedWithCode(1),
                "^tex/absent.png: cannot load the texture: the file does not exist\n$");
}

TEST(GlTextureDeathTest, UndecodableFileIsNamedInPlainWords)
{
    TempDir dir;
    InDirectory in(dir.path);
    write_bytes("tex/garbage.png", std::vector<uint8_t>(64, 0x5A));
    EXPECT_EXIT(load_texture("garbage"), ExitedWithCode(1),
                "^tex/garbage.png: cannot load the texture: this is not an image the game can read\n$");
}

TEST(GlTextureDeathTest, NonSquareImageIsRefusedWithBothSizes)
{
    TempDir dir;
    InDirectory in(dir.path);
    write_png("tex/wide.png", Image(8, 2, Rgba{1, 2, 3, 255}), 4);
    EXPECT_EXIT(load_texture("wide"), ExitedWithCode(1), "tex/wide.png: .*8 x 2 .*square");
}

TEST(GlTextureDeathTest, RegistrationPastTheTableEnds)
{
    texture_registry.count = 0;
    for (int i = 0; i < TEXTURE_REGISTRY_CAPACITY; i++)
        register_texture("filler", (GLuint)i + 1);
    EXPECT_EQ(texture_registry.count, TEXTURE_REGISTRY_CAPACITY);
    EXPECT_EXIT(register_texture("oneTooMany", 99), ExitedWithCode(1), "\"oneTooMany\".*at most 64");
}

// ---------------------------------------------------------------- models

TEST_F(GlResources, ModelBufferHoldsTheVerticesWithFlatNormals)
{
    TempDir dir;
    InDirectory in(dir.path);
    Model model;
    append_box(model, Vec3{0, 0, 0}, Vec3{1, 2, 3}, "wood");
    // Normals in the file are garbage on purpose: the loader recomputes them.
    for (ModelVertex& v : model.vertices)
        v.normal = Vec3{7, 7, 7};
    write_bytes("mdl/box.bmf", encode_model(model));
    register_texture("wood", 5);

    const Model loaded = load_model("mdl/box.bmf");
    ASSERT_NE(loaded.vertex_buffer, 0u);
    ASSERT_EQ(buffer_size(loaded.vertex_buffer), (GLint)(36 * sizeof(ModelVertex)));
    std::vector<ModelVertex> uploaded(36);
    read_buffer(loaded.vertex_buffer, 36 * sizeof(ModelVertex), uploaded.data());
    EXPECT_EQ(std::memcmp(uploaded.data(), loaded.vertices.data(), 36 * sizeof(ModelVertex)), 0);
    // Each face's normal points out of the box; positions stay as read.
    for (int i = 0; i < 36; i++) {
        const Vec3 p = uploaded[(size_t)i].position, n = uploaded[(size_t)i].normal;
        EXPECT_EQ(std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z), 1.0f) << i;
        EXPECT_GT(p.x * n.x + p.y * n.y + p.z * n.z, 0.0f) << i;
        EXPECT_EQ(p.x, model.vertices[(size_t)i].position.x);
        EXPECT_EQ(p.y, model.vertices[(size_t)i].position.y);
        EXPECT_EQ(p.z, model.vertices[(size_t)i].position.z);
    }
}

TEST_F(GlResources, SubmeshesGetTheTexturesOfTheirNames)
{
    TempDir dir;
    InDirectory in(dir.path);
    register_texture("wood", 11);
    register_texture("metal", 12);
    register_texture("wood", 13);  // a later duplicate: the first one wins
    Model model;
    append_box(model, Vec3{0, 0, 0}, Vec3{1, 1, 1}, "metal");
    append_box(model, Vec3{3, 0, 0}, Vec3{1, 1, 1}, "wood");
    append_box(model, Vec3{6, 0, 0}, Vec3{1, 1, 1}, "metal");
    model.box = Body{Vec3{1, 2, 3}, Vec3{0, 0, 0}, Vec3{4, 5, 6}};
    write_bytes("mdl/three.bmf", encode_model(model));

    const Model loaded = load_model("mdl/three.bmf");
    ASSERT_EQ(loaded.submeshes.size(), 3u);
    const GLuint want[3] = {12, 11, 12};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(loaded.submeshes[(size_t)i].texture, want[i]) << i;
        EXPECT_EQ(loaded.submeshes[(size_t)i].first, 36 * i) << i;
        EXPECT_EQ(loaded.submeshes[(size_t)i].count, 36) << i;
    }
    EXPECT_EQ(loaded.box.position.z, 3.0f);
    EXPECT_EQ(loaded.box.half.x, 4.0f);
}

TEST_F(GlResources, ModelsLoadIntoDistinctBuffers)
{
    TempDir dir;
    write_fixture_world(dir.path);
    InDirectory in(dir.path);
    load_textures();
    load_models();
    std::vector<GLuint> buffers = {pickaxe_model.vertex_buffer};
    for (const Model& ore : ore_models)
        buffers.push_back(ore.vertex_buffer);
    for (size_t i = 0; i < buffers.size(); i++) {
        EXPECT_NE(buffers[i], 0u);
        for (size_t k = 0; k < i; k++)
            EXPECT_NE(buffers[i], buffers[k]);
    }
    EXPECT_EQ(ore_models[3].vertices.size(), 36u);
    EXPECT_EQ(pickaxe_model.submeshes.size(), 2u);
}

TEST(GlModelDeathTest, UnregisteredTextureNamesTheFileAndTheTexture)
{
    TempDir dir;
    InDirectory in(dir.path);
    texture_registry.count = 0;
    register_texture("wood", 1);
    Model model;
    append_box(model, Vec3{0, 0, 0}, Vec3{1, 1, 1}, "wood");
    append_box(model, Vec3{0, 0, 0}, Vec3{1, 1, 1}, "Wood");
    write_bytes("mdl/case.bmf", encode_model(model));
    EXPECT_EXIT(load_model("mdl/case.bmf"), ExitedWithCode(1), "mdl/case.bmf: submesh 1 .*\"Wood\".*not loaded");
}

TEST(GlModelDeathTest, NameWithANulByteMatchesNothing)
{
    TempDir dir;
    InDirectory in(dir.path);
    texture_registry.count = 0;
    register_texture("wood", 1);
    Model model;
    append_box(model, Vec3{0, 0, 0}, Vec3{1, 1, 1}, "wood");
    model.submeshes[0].name = std::string("wood\0bark", 9);
    write_bytes("mdl/nul.bmf", encode_model(model));
    EXPECT_EXIT(load_model("mdl/nul.bmf"), ExitedWithCode(1), "mdl/nul.bmf: submesh 0 .*not loaded");
}

TEST(GlModelDeathTest, MissingModelFileIsNamed)
{
    TempDir dir;
    InDirectory in(dir.path);
    EXPECT_EXIT(load_model("mdl/absent.bmf"), ExitedWithCode(1), "mdl/absent.bmf: cannot open");
}

// ---------------------------------------------------------------- font

TEST_F(GlResources, FontIsMeasuredAndRegistered)
{
    TempDir dir;
    InDirectory in(dir.path);
    write_png("tex/font.png", fixture_font(), 4);
    load_font();
    for (int g = 0; g < GLYPH_COUNT; g++)
        EXPECT_EQ(glyph_widths[g], fixture_glyph_width(g)) << "glyph " << g;
    ASSERT_EQ(texture_registry.count, 1);
    EXPECT_STREQ(texture_registry.entries[0].name, "font");
    EXPECT_EQ(texture_registry.entries[0].id, font_texture);
    EXPECT_EQ(texture_width(font_texture), 128);
}

// The game's own font, measured as the game measures it: narrow glyphs stay
// narrow, and a counter line comes out as wide as its glyphs say.
TEST_F(GlResources, GameFontIsMeasuredFromItsPixels)
{
    const std::string data = QUARRYTOP_SOURCE_DIR;
    if (!std::filesystem::exists(data + "/tex/font.png"))
        GTEST_SKIP() << "no game data in " << data;
    InDirectory in(data);
    load_font();
    const struct {
        char ch;
        int width;
    } widths[] = {{' ', 5}, {'!', 1}, {'i', 1}, {':', 1}, {'1', 3}, {'t', 3}, {'0', 5}, {'m', 5}, {'W', 5}};
    for (const auto& w : widths)
        EXPECT_EQ(glyph_widths[w.ch - FIRST_GLYPH], w.width) << "'" << w.ch << "'";
    for (int g = 0; g < GLYPH_COUNT; g++) {
        EXPECT_GE(glyph_widths[g], 1) << g;
        EXPECT_LE(glyph_widths[g], 8) << g;
    }
    float width = 0;
    build_text_vertices("ticks: 60", &width);
    EXPECT_EQ(width, 41.0f);  // t i c k s : space 6 0, each with its gap
}

struct BadFont {
    const char* what;
    int width, height;
    const char* message;
};

class GlFontDeathTest : public testing::TestWithParam<BadFont> {};

TEST_P(GlFontDeathTest, BadFontImageEnds)
{
    const BadFont& bad = GetParam();
    TempDir dir;
    InDirectory in(dir.path);
    if (bad.width > 0)
        write_png("tex/font.png", Image(bad.width, bad.height, Rgba{255, 255, 255, 255}), 4);
    else
        write_bytes("tex/font.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    EXPECT_EXIT(load_font(), ExitedWithCode(1), bad.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GlFontDeathTest,
    testing::Values(
        BadFont{"undecodable", 0, 0,
                "^tex/font.png: cannot load the font image: this is not an image the game can read\n$"},
        BadFont{"not square", 128, 64, "^tex/font.png: the font image is 128 x 64 pixels; it must be square\n$"},
        BadFont{"too small", 64, 64,
                "^tex/font.png: the font image is 64 x 64 pixels; it must be 128 x 128 \\(16 x 16 cells of 8 x 8 "
                "pixels\\)\n$"},
        BadFont{"too large", 256, 256,
                "^tex/font.png: the font image is 256 x 256 pixels; it must be 128 x 128 \\(16 x 16 cells of 8 x 8 "
                "pixels\\)\n$"}),
    [](const testing::TestParamInfo<BadFont>& info) { return case_name(info.param.what); });

TEST(GlFontDeathTest, MissingFontIsNamed)
{
    TempDir dir;
    InDirectory in(dir.path);
    EXPECT_EXIT(load_font(), ExitedWithCode(1), "^tex/font.png: cannot load the font image: the file does not exist\n$");
}

// ---------------------------------------------------------------- terrain

// The three ways the records reach the buffer: written into the mapped
// buffer; filled in main memory and uploaded where there is no mapping (as
// in WebGL 1); and filled again and uploaded when unmapping reports the
// mapped memory lost. Each must give the mesh by its definition, bit for bit.
enum class TerrainPath { Mapped, NoMapping, MappingLost };

GLboolean(APIENTRY* real_unmap)(GLenum);
GLboolean APIENTRY unmap_reporting_loss(GLenum target)
{
    real_unmap(target);
    return GL_FALSE;
}

class GlTerrainUpload : public GlResources, public testing::WithParamInterface<TerrainPath> {};

TEST_P(GlTerrainUpload, BufferHoldsTheMeshByItsDefinitionEveryVertex)
{
    gl_load_optional_functions();
    ASSERT_NE(gl_optional.MapBuffer, nullptr) << "Mesa maps buffers";
    const GlOptionalFunctions loaded = gl_optional;
    if (GetParam() == TerrainPath::NoMapping) {
        gl_optional.MapBuffer = nullptr;
        gl_optional.UnmapBuffer = nullptr;
    }
    if (GetParam() == TerrainPath::MappingLost) {
        real_unmap = gl_optional.UnmapBuffer;
        gl_optional.UnmapBuffer = unmap_reporting_loss;
    }

    noise_init();
    const GLuint before = terrain_vbo;
    terrain_fill(terrain_upload_begin());
    terrain_upload_end();
    gl_optional = loaded;
    ASSERT_NE(terrain_vbo, 0u);
    // Another upload refills the same buffer rather than making another.
    if (before != 0) {
        EXPECT_EQ(terrain_vbo, before);
    }
    ASSERT_EQ(buffer_size(terrain_vbo), (GLint)(TERRAIN_VERTEX_COUNT * sizeof(ModelVertex)));

    std::vector<ModelVertex> uploaded(TERRAIN_VERTEX_COUNT);
    read_buffer(terrain_vbo, uploaded.size() * sizeof(ModelVertex), uploaded.data());
    std::vector<ModelVertex> direct(TERRAIN_VERTEX_COUNT);
    terrain_fill_direct(direct.data());
    size_t first_difference = TERRAIN_VERTEX_COUNT;
    for (size_t i = 0; i < direct.size() && first_difference == TERRAIN_VERTEX_COUNT; i++)
        if (std::memcmp(&uploaded[i], &direct[i], sizeof(ModelVertex)) != 0)
            first_difference = i;
    EXPECT_EQ(first_difference, (size_t)TERRAIN_VERTEX_COUNT) << "first differing vertex";
}

std::string path_name(const testing::TestParamInfo<TerrainPath>& info)
{
    const char* const names[3] = {"Mapped", "NoMapping", "MappingLost"};
    return names[(int)info.param];
}

INSTANTIATE_TEST_SUITE_P(Paths, GlTerrainUpload,
                         testing::Values(TerrainPath::Mapped, TerrainPath::NoMapping, TerrainPath::MappingLost),
                         path_name);

}  // namespace
