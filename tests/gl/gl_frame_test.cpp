// Whole frames of a small world of the tests' own (flat-coloured textures,
// box-shaped deposits and pickaxe), started exactly as the game starts, on a
// real OpenGL. The checks look at colours that do not depend on how the
// rasteriser draws edges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "base/client_size.h"
#include "draw/draw_model.h"
#include "draw/font.h"
#include "draw/frame.h"
#include "gfx/gl_functions.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/textures.h"
#include "gl_fixture.h"
#include "shot/shot_world.h"
#include "support/case_names.h"
#include "world/controls.h"
#include "world/frame_timer.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/tick.h"

namespace {

const uint8_t SKY[3] = {100, 149, 237};

bool is(const uint8_t* pixel, uint8_t r, uint8_t g, uint8_t b)
{
    return pixel[0] == r && pixel[1] == g && pixel[2] == b;
}

bool is_sky(const uint8_t* pixel)
{
    return is(pixel, SKY[0], SKY[1], SKY[2]);
}

size_t differing_pixels(const Frame& a, const Frame& b)
{
    size_t count = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
        count += std::memcmp(&a.rgb[i], &b.rgb[i], 3) != 0;
    return count;
}

// The world is started once a process; each test gets the start-up state
// of the camera, the deposits, the light and the counters back.
class GlFrame : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static TempDir* data = nullptr;
        if (data)
            return;
        data = new TempDir;
        write_fixture_world(data->path);
        InDirectory in(data->path);
        start_world();
        std::memcpy(saved_ores, ores, sizeof ores);
        saved_pickaxe = pickaxe_model;
    }

    void SetUp() override
    {
        std::memcpy(ores, saved_ores, sizeof ores);
        pickaxe_model = saved_pickaxe;
        camera = Camera{100, 60, 100, 0, 0, 0};
        sun_angle = 1.0f;
        torch_on = false;
        swing_progress = 0.0f;
        hold_counters("", "");
    }

    void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }

    // The camera `height` above the drawn ground at (x, z).
    static Camera above_ground(float x, float z, float height, float pitch)
    {
        return Camera{x, terrain_height(x, z) + height, z, pitch, 0, 0};
    }

    static Frame frame() { return compose_and_read(800, 600); }

    static Ore saved_ores[ORE_CAPACITY];
    static Model saved_pickaxe;
};

Ore GlFrame::saved_ores[ORE_CAPACITY];
Model GlFrame::saved_pickaxe;

TEST_F(GlFrame, SkyColourWhereNothingIsDrawn)
{
    camera.pitch = 1.2f;  // looking up: no ground, no deposit
    const Frame f = frame();
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 800; x += 7)
            ASSERT_TRUE(is_sky(f.at(x, y))) << x << "," << y;
}

TEST_F(GlFrame, NightWithoutTorchIsBlackExceptSkyAndText)
{
    sun_angle = 4.5f;  // below the horizon
    hold_counters("ticks: 60", "frames: 60");
    camera.pitch = -0.3f;
    const Frame f = frame();
    size_t black = 0, text = 0;
    for (int y = 0; y < f.height; y++)
        for (int x = 0; x < f.width; x++) {
            const uint8_t* p = f.at(x, y);
            const bool in_text_corner = x < 200 && y < 70;
            if (is(p, 0, 0, 0))
                black++;
            else if (in_text_corner && (is(p, 255, 255, 255) || is(p, 64, 64, 64)))
                text++;
            else
                ASSERT_TRUE(is_sky(p)) << x << "," << y << ": " << (int)p[0] << " " << (int)p[1] << " " << (int)p[2];
        }
    EXPECT_GT(black, 100000u);  // the ground is there, unlit
    EXPECT_GT(text, 500u);
}

TEST_F(GlFrame, TorchLightsTheGroundNearTheCamera)
{
    sun_angle = 4.5f;
    camera = above_ground(300.5f, 300.5f, 1.0f, -1.5f);  // looking down at the ground
    const Frame dark = frame();
    EXPECT_TRUE(is(dark.at(400, 300), 0, 0, 0));

    torch_on = true;
    const Frame lit = frame();
    const uint8_t* p = lit.at(400, 300);
    // Grass (60, 200, 60) in the torch's warm light, a unit away.
    EXPECT_GT(p[1], 100);
    EXPECT_GT(p[0], 20);
    EXPECT_LT(p[2], p[0]);  // the torch is warm: less blue than red on grey-balanced grass
    // Far from the torch, in the corners of the view, the light is weaker.
    const uint8_t* corner = lit.at(5, 595);
    EXPECT_LT(corner[1], p[1]);
}

TEST_F(GlFrame, DepositWithNoHitsLeftIsDrawnNowhere)
{
    ores[0].position = Vec3{100, terrain_height(100, 97), 97};
    camera = Camera{100, ores[0].position.y + 1.0f, 100, -0.3f, 0, 0};
    ore_update(ores[0]);  // a marker on the deposit, within billboard range

    const Frame live = frame();
    ores[0].hits = 0;
    const Frame exhausted = frame();
    ores[0].hits = 16;
    ores[0].position = Vec3{-1000, 0, -1000};
    ores[0].marker = Vec3{-1000, 0, -1000};
    const Frame absent = frame();

    EXPECT_GT(differing_pixels(live, absent), 1000u);
    EXPECT_EQ(differing_pixels(exhausted, absent), 0u);
}

struct MarkerCase {
    const char* what;
    float distance;  // from the camera to the deposit, behind the camera
    uint8_t hits;
    bool drawn;
};

void PrintTo(const MarkerCase& c, std::ostream* out)
{
    *out << c.what;
}

class GlMarker : public GlFrame, public testing::WithParamInterface<MarkerCase> {};

TEST_P(GlMarker, DrawnOnlyWithinASquaredDistanceBelow25)
{
    const MarkerCase& c = GetParam();
    // Deposits elsewhere stay out of reach.
    for (int32_t i = 1; i < ore_count; i++)
        ores[i].position = Vec3{-1000, 0, -1000};
    // The deposit sits behind the camera (out of view); its marker floats in
    // the middle of the view, where only sky would be.
    camera = Camera{100, 60, 100, 0, 0, 0};
    ores[0].position = Vec3{100, 60, 100 + c.distance};
    ores[0].marker = Vec3{100, 60, 97};
    ores[0].hits = c.hits;
    const Frame f = frame();
    EXPECT_EQ(!is_sky(f.at(400, 300)), c.drawn) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, GlMarker,
                         testing::Values(MarkerCase{"at exactly 5", 5.0f, 16, false},
                                         MarkerCase{"just within 5", 4.999f, 16, true},
                                         MarkerCase{"near", 1.0f, 1, true},
                                         MarkerCase{"near but exhausted", 1.0f, 0, false}),
                         [](const testing::TestParamInfo<MarkerCase>& info) { return case_name(info.param.what); });

TEST_F(GlFrame, PickaxeShowsWithTheEyeInsideADepositAndAgainstTheGround)
{
    // The eye inside the deposit's box, a hair above the ground: the hand
    // point, 1.1 below the eye, lies under the ground, which the depth
    // buffer would hide it behind.
    camera = Camera{ores[0].position.x, ores[0].position.y + 0.05f, ores[0].position.z, 0, 0, 0};
    const Frame with = frame();
    pickaxe_model.submeshes.clear();
    const Frame without = frame();
    EXPECT_GT(differing_pixels(with, without), 2000u);
}

TEST_F(GlFrame, SwingMovesThePickaxe)
{
    camera.pitch = 1.2f;
    const Frame rest = frame();
    swing_progress = 0.5f;
    const Frame swinging = frame();
    EXPECT_GT(differing_pixels(rest, swinging), 1000u);
}

TEST_F(GlFrame, CounterLinesAtTheTopLeftWithTheirShadow)
{
    camera.pitch = 1.2f;
    hold_counters("ticks: 60", "frames: 60");
    const Frame f = frame();
    // At 800 x 600 a text unit is 3 pixels; the first line starts 10 pixels
    // from the left with its top 6 pixels below the top edge, 24 pixels high,
    // and its shadow lies 3 pixels right and 3 down. The fixture's glyphs
    // are solid ink, 't' 5 units wide.
    EXPECT_TRUE(is(f.at(11, 7), 255, 255, 255));
    EXPECT_TRUE(is(f.at(11, 28), 255, 255, 255));
    EXPECT_TRUE(is(f.at(14, 31), 64, 64, 64));   // below the text: shadow only
    EXPECT_TRUE(is(f.at(26, 20), 64, 64, 64));   // right of the 't': shadow only
    EXPECT_TRUE(is_sky(f.at(11, 31)));           // left of the shadow
    EXPECT_TRUE(is_sky(f.at(9, 7)));             // left of the text
    EXPECT_TRUE(is_sky(f.at(11, 4)));            // above it
    // The second line, 10 units lower.
    EXPECT_TRUE(is(f.at(11, 37), 255, 255, 255));
    EXPECT_TRUE(is(f.at(14, 61), 64, 64, 64));
    // Nothing else on the top of the screen.
    for (int x = 250; x < 800; x += 5)
        EXPECT_TRUE(is_sky(f.at(x, 20))) << x;
}

TEST_F(GlFrame, CharactersOutsideTheFontAreSkipped)
{
    camera.pitch = 1.2f;
    hold_counters("ticks: 60", "");
    const Frame plain = frame();
    hold_counters("\x01ticks:\x7f 60\xff", "\t");
    const Frame odd = frame();
    EXPECT_EQ(differing_pixels(plain, odd), 0u);
}

TEST_F(GlFrame, EmptyTextDrawsNothing)
{
    camera.pitch = 1.2f;
    client_width = 800;
    client_height = 600;
    EXPECT_EQ(draw_text("", -130, 90, 1), 0.0f);
    const Frame without = frame();
    hold_counters("", "");
    const Frame empty = frame();
    EXPECT_EQ(differing_pixels(without, empty), 0u);
}

TEST_F(GlFrame, ClientHeightBelowSixDrawsNoText)
{
    camera.pitch = 1.2f;
    const Frame plain = compose_and_read(40, 5);
    hold_counters("ticks: 60", "frames: 60");
    const Frame with_text = compose_and_read(40, 5);
    EXPECT_EQ(differing_pixels(plain, with_text), 0u);
    client_height = 5;
    EXPECT_EQ(draw_text("ab", 0, 0, 1), (float)(fixture_glyph_width('a' - 32) + fixture_glyph_width('b' - 32) + 2));
    // No projection with an infinite scale reaches the text program.
    using GetUniformfv = void(APIENTRY*)(GLuint, GLint, GLfloat*);
    const auto get_uniform = reinterpret_cast<GetUniformfv>(gl_require_proc("glGetUniformfv"));
    for (int32_t height = 0; height <= 6; height++) {
        client_height = height;
        draw_text("ab", 0, 0, 1);
        float proj[16];
        get_uniform(text_program.program, text_program.proj, proj);
        for (float value : proj)
            EXPECT_TRUE(std::isfinite(value)) << "client height " << height;
    }
}

// Draws one thing with lit_program under a sun at `sun_at` radians, on the
// sky-coloured background, and reads the frame back.
Frame draw_alone(float sun_at, void (*draw)())
{
    glViewport(0, 0, 800, 600);
    glClearColor(0.392f, 0.584f, 0.929f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.UseProgram(lit_program.program);
    gl.Uniform3f(lit_program.sun, std::cos(sun_at), std::sin(sun_at), 0.0f);
    gl.Uniform3f(lit_program.torch, 0, 0, 0);
    gl.Uniform3f(lit_program.torchColor, 0, 0, 0);
    gl.ActiveTexture(GL_TEXTURE0);
    gl.Uniform1i(lit_program.tex, 0);
    draw();
    Frame f;
    f.width = 800;
    f.height = 600;
    f.rgb.resize(800 * 600 * 3);
    std::vector<uint8_t> bottom_up(f.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    for (int y = 0; y < 600; y++)
        std::memcpy(&f.rgb[(size_t)y * 2400], &bottom_up[(size_t)(599 - y) * 2400], 2400);
    return f;
}

bool near_colour(const uint8_t* p, Rgba c, int tolerance)
{
    return std::abs(p[0] - c.r) <= tolerance && std::abs(p[1] - c.g) <= tolerance && std::abs(p[2] - c.b) <= tolerance;
}

Model two_slabs;

TEST_F(GlFrame, DrawModelBindsEachSubmeshTextureAndPlacesIt)
{
    // Two flat slabs seen from straight above in the noon sun: the left one
    // drawn with "ironOreNoise", the right one with "metal".
    two_slabs = Model{};
    append_box(two_slabs, Vec3{-1, 0, 0}, Vec3{0.9f, 0.1f, 0.9f}, "ironOreNoise");
    append_box(two_slabs, Vec3{1, 0, 0}, Vec3{0.9f, 0.1f, 0.9f}, "metal");
    flat_normals(two_slabs.vertices.data(), (int)two_slabs.vertices.size());
    for (Submesh& submesh : two_slabs.submeshes)
        submesh.texture = find_texture(submesh.name.c_str())->id;
    gl.GenBuffers(1, &two_slabs.vertex_buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, two_slabs.vertex_buffer);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(two_slabs.vertices.size() * sizeof(ModelVertex)),
                  two_slabs.vertices.data(), GL_STATIC_DRAW);

    camera = Camera{10, 3, -20, -1.5707964f, 0, 0};
    const Frame f = draw_alone(1.5707964f, [] { draw_model(two_slabs, camera, Vec3{0, 0, 0}, 1.0f, Vec3{10, 0, -20}); });
    EXPECT_TRUE(near_colour(f.at(250, 300), ORE_COLOUR, 2));
    EXPECT_TRUE(near_colour(f.at(550, 300), METAL_COLOUR, 2));
    EXPECT_TRUE(is_sky(f.at(400, 50)));

    // The matrices of an unturned model: rot the identity, mtw the identity
    // with the position in its fourth column.
    using GetUniformfv = void(APIENTRY*)(GLuint, GLint, GLfloat*);
    const auto get_uniform = reinterpret_cast<GetUniformfv>(gl_require_proc("glGetUniformfv"));
    float rot[16], mtw[16];
    get_uniform(lit_program.program, lit_program.rot, rot);
    get_uniform(lit_program.program, lit_program.mtw, mtw);
    Mat4 want = mat4_identity();
    EXPECT_EQ(std::memcmp(rot, want.m, sizeof rot), 0);
    want.m[12] = 10;
    want.m[14] = -20;
    EXPECT_EQ(std::memcmp(mtw, want.m, sizeof mtw), 0);

    // No submeshes: the matrices are set, nothing is drawn.
    two_slabs.submeshes.clear();
    const Frame empty = draw_alone(1.5707964f, [] { draw_model(two_slabs, camera, Vec3{0, 0, 0}, 1.0f, Vec3{10, 0, -20}); });
    EXPECT_TRUE(is_sky(empty.at(250, 300)));
}

TEST_F(GlFrame, BillboardShowsTheMarkerTileFacingTheCamera)
{
    // Looking along -x, the square's front faces +x; a sun 45 degrees up
    // from +x lights it at half strength. Rolled or not, it covers the same
    // middle of the screen.
    glBindTexture(GL_TEXTURE_2D, icon_texture);
    for (float roll : {0.0f, 0.7f}) {
        camera = Camera{0, 50, 0, 0, 1.5707964f, roll};
        const Frame f = draw_alone(0.78539819f, [] {
            glBindTexture(GL_TEXTURE_2D, icon_texture);
            draw_billboard(camera, Vec3{-2, 50, 0}, 1.0f);
        });
        const Rgba half_marker{128, 128, 0, 255};
        EXPECT_TRUE(near_colour(f.at(400, 300), half_marker, 2)) << roll;
        // A square of 1 at a distance of 2 spans 150 x 128 pixels and stays
        // upright on the screen: near its corners it is there (a square that
        // did not roll with the camera would have turned away from them),
        // and it ends 75 pixels above the middle.
        EXPECT_TRUE(near_colour(f.at(455, 245), half_marker, 2)) << roll;
        EXPECT_TRUE(near_colour(f.at(345, 355), half_marker, 2)) << roll;
        EXPECT_TRUE(is_sky(f.at(400, 220))) << roll;
    }
}

// Buffers alive: every name glIsBuffer knows, up to the next free one.
std::set<GLuint> live_buffers()
{
    using IsBuffer = GLboolean(APIENTRY*)(GLuint);
    static const auto is_buffer = reinterpret_cast<IsBuffer>(gl_require_proc("glIsBuffer"));
    GLuint next = 0;
    gl.GenBuffers(1, &next);
    gl.DeleteBuffers(1, &next);
    std::set<GLuint> live;
    for (GLuint name = 1; name < next + 16; name++)
        if (is_buffer(name))
            live.insert(name);
    return live;
}

TEST_F(GlFrame, AThousandFramesLeaveNoBufferBehind)
{
    const std::set<GLuint> at_start = live_buffers();
    EXPECT_EQ(at_start.size(), 8u);  // seven models and the terrain
    // Near a deposit, so that each frame also makes and deletes a marker's
    // buffer besides the two text buffers.
    ores[0].position = Vec3{100, 60, 102};
    ores[0].marker = Vec3{100, 60, 97};
    hold_counters("ticks: 60", "frames: 60");
    client_width = 32;
    client_height = 24;
    for (int i = 0; i < 1000; i++)
        compose_frame();
    glFinish();
    EXPECT_EQ(live_buffers(), at_start);
}

}  // namespace
