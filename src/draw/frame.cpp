// One frame of the game, composed in a fixed order: sky, terrain, deposits,
// near markers, the held pickaxe, the counter lines; then presented.
#include "draw/frame.h"

#include <algorithm>
#include <cmath>

#include "base/client_size.h"
#include "base/platform.h"
#include "base/view_volume.h"
#include "draw/draw_model.h"
#include "draw/font.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/terrain_upload.h"
#include "gfx/textures.h"
#include "world/controls.h"
#include "world/frame_timer.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/ores.h"
#include "world/terrain_blocks.h"
#include "world/terrain_horizon.h"
#include "world/tick.h"

bool draw_everything = false;
const bool* terrain_blocks_for_bench = nullptr;
int32_t terrain_blocks_drawn = 0;
int32_t deposits_drawn = 0;

namespace {

// A marker is drawn only for deposits closer than 5 units (squared distance,
// compared strictly), so only a few pay for their per-draw buffer.
constexpr float BILLBOARD_RANGE_SQUARED = 25.0f;
constexpr float BILLBOARD_SIZE = 1.0f;

// The visible blocks' record runs of the current frame.
bool block_visible[TERRAIN_BLOCK_COUNT];
int32_t run_first[TERRAIN_MAX_RUNS];
int32_t run_count[TERRAIN_MAX_RUNS];

// The deposits' boxes of the current frame and which of them are drawn.
Box ore_box[ORE_CAPACITY];
bool ore_shown[ORE_CAPACITY];

void set_terrain_matrices(const Mat4& clip)
{
    const Mat4 identity = mat4_identity();
    // Terrain vertices are already in world coordinates.
    set_matrix(lit_program.rot, identity);
    set_matrix(lit_program.mtw, identity);
    set_matrix(lit_program.mvp, clip);
}

// Which terrain blocks and live deposits this frame draws. The blocks left
// out lie wholly outside the clip volume of the very matrix the vertex shader
// gets, so every triangle in them is clipped away entirely; or nearer ground
// that is drawn hides them, so every fragment they would give loses the depth
// test (see world/terrain_horizon.cpp). The same goes for the deposits, whose
// matrix is the frame's times a translation (the model is not turned).
void choose_what_to_draw(const Mat4& clip)
{
    constexpr int STAGES = sizeof ore_models / sizeof ore_models[0];
    Box stage_box[STAGES];
    for (int stage = 0; stage < STAGES; stage++)
        stage_box[stage] = box_of_vertices(ore_models[stage].vertices.data(), ore_models[stage].vertices.size());
    for (int32_t i = 0; i < ore_count; i++) {
        const Ore& ore = ores[i];
        ore_box[i] = box_moved(stage_box[stage_of(ore.hits)], ore.position);
        ore_shown[i] = ore.hits != 0 && (draw_everything || !box_outside_view(clip, ore_box[i]));
    }
    if (terrain_blocks_for_bench) {
        std::copy(terrain_blocks_for_bench, terrain_blocks_for_bench + TERRAIN_BLOCK_COUNT, block_visible);
        return;
    }
    for (int bz = 0; bz < TERRAIN_BLOCKS; bz++)
        for (int bx = 0; bx < TERRAIN_BLOCKS; bx++)
            block_visible[TERRAIN_BLOCKS * bz + bx] =
                draw_everything || !box_outside_view(clip, terrain_block_box(bx, bz));
    if (!draw_everything)
        hide_behind_ground(Vec3{camera.x, camera.y, camera.z}, client_width, client_height, block_visible, ore_box,
                           ore_count, ore_shown);
}

// The chosen blocks' triangles in record order: the same triangles in the
// same order as one whole draw, one draw after another, so each pixel's depth
// test sees what it would see with one whole draw.
void draw_terrain()
{
    terrain_blocks_drawn = 0;
    for (bool visible : block_visible)
        terrain_blocks_drawn += visible;
    if (draw_everything) {
        glDrawArrays(GL_TRIANGLES, 0, TERRAIN_VERTEX_COUNT);
        return;
    }
    const int runs = terrain_runs(block_visible, run_first, run_count);
    if (gl_optional.MultiDrawArrays) {
        gl_optional.MultiDrawArrays(GL_TRIANGLES, run_first, run_count, runs);
        return;
    }
    for (int k = 0; k < runs; k++)
        glDrawArrays(GL_TRIANGLES, run_first[k], run_count[k]);
}

void set_lights()
{
    // The shader weights the sun by its height, so below the horizon it
    // gives no light at all.
    gl.Uniform3f(lit_program.sun, std::cos(sun_angle), std::sin(sun_angle), 0.0f);
    const float torch_position[3] = {camera.x, camera.y, camera.z};
    gl.Uniform3fv(lit_program.torch, 1, torch_position);
    if (torch_on)
        gl.Uniform3f(lit_program.torchColor, 1.0f, 0.89f, 0.749f);
    else
        gl.Uniform3f(lit_program.torchColor, 0.0f, 0.0f, 0.0f);
}

// The chosen deposits in table order.
void draw_ores()
{
    deposits_drawn = 0;
    for (int32_t i = 0; i < ore_count; i++) {
        if (!ore_shown[i])
            continue;
        deposits_drawn++;
        draw_model(ore_models[stage_of(ores[i].hits)], camera, Vec3{0, 0, 0}, 1.0f, ores[i].position);
    }
}

void draw_markers()
{
    for (int32_t i = 0; i < ore_count; i++) {
        const Ore& ore = ores[i];
        if (ore.hits == 0)
            continue;
        // Measured to the deposit, drawn at its marker.
        const float dx = camera.x - ore.position.x;
        const float dy = camera.y - ore.position.y;
        const float dz = camera.z - ore.position.z;
        if (dx * dx + dy * dy + dz * dz < BILLBOARD_RANGE_SQUARED)
            draw_billboard(camera, ore.marker, BILLBOARD_SIZE);
    }
}

void draw_pickaxe()
{
    // The hand point swings about the camera's vertical axis by up to one
    // radian; the pickaxe itself keeps its orientation while it moves.
    const Vec3 swung = mat4_apply(euler_rotation(0.0f, swing_progress, 0.0f), PICKAXE_HAND_OFFSET, 0.0f);
    const Vec3 offset = mat4_apply(euler_rotation(camera.pitch, camera.yaw, camera.roll), swung, 0.0f);
    const Vec3 hand{camera.x + offset.x, camera.y + offset.y, camera.z + offset.z};
    const Vec3 angles{0.0f, (float)((double)camera.yaw - HALF_PI), -camera.pitch};
    draw_model(pickaxe_model, camera, angles, 1.0f, hand);
}

}  // namespace

void set_fixed_gl_state()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);  // GL_LESS, the default
    glEnable(GL_CULL_FACE);   // back faces, counter-clockwise front: the defaults
}

void compose_frame()
{
    glViewport(0, 0, client_width, client_height);
    glClearColor(0.392f, 0.584f, 0.929f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    // The one world-to-clip matrix of this frame: the terrain's and the
    // deposits' culling test against exactly what the shader receives.
    const Mat4 clip = view_projection(camera, VIEW_ASPECT);
    gl.UseProgram(lit_program.program);
    set_terrain_matrices(clip);
    set_lights();
    gl.ActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, icon_texture);
    gl.Uniform1i(lit_program.tex, 0);
    bind_lit_vertex_buffer(terrain_vbo);
    choose_what_to_draw(clip);
    draw_terrain();

    draw_ores();
    // The deposits left their own textures bound; markers use the atlas.
    glBindTexture(GL_TEXTURE_2D, icon_texture);
    draw_markers();

    // A fresh depth buffer for the pickaxe, so that it shows even with the
    // eye inside a deposit or against the ground.
    glClear(GL_DEPTH_BUFFER_BIT);
    draw_pickaxe();

    per_second_update(platform_counter());
    draw_text(ticks_text, -130.0f, 90.0f, 1.0f);
    draw_text(frames_text, -130.0f, 80.0f, 1.0f);
}

void draw_frame()
{
    compose_frame();
    platform_swap_buffers();
}
