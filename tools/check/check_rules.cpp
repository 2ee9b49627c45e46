// The rules the game relies on: texture sizes, the font layout, the marker
// rays, the shrinking ore stages and the pickaxe on screen.
#include "check/check_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "base/font_image.h"
#include "base/text_layout.h"
#include "check/mesh_measures.h"
#include "world/mining.h"
#include "world/ores.h"

namespace {

std::string format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

constexpr int CELL = 8;
constexpr int CELLS_A_ROW = 16;

bool cell_has_ink(const uint8_t* rgba, int32_t width, int cell)
{
    const int left = (cell % CELLS_A_ROW) * CELL, bottom = (cell / CELLS_A_ROW) * CELL;
    for (int y = 0; y < CELL; y++)
        for (int x = 0; x < CELL; x++)
            if (rgba[((size_t)(bottom + y) * (size_t)width + (size_t)(left + x)) * 4] != 0)
                return true;
    return false;
}

}  // namespace

Problems texture_size_problems(const char* path, int32_t width, int32_t height)
{
    Problems problems;
    if (width > MAX_TEXTURE_SIDE || height > MAX_TEXTURE_SIDE)
        problems.push_back(format("%s: the texture is %d x %d pixels, larger than %d x %d, which older graphics "
                                  "hardware cannot load",
                                  path, width, height, MAX_TEXTURE_SIDE, MAX_TEXTURE_SIDE));
    return problems;
}

Problems font_problems(const char* path, const uint8_t* rgba, int32_t width, int32_t height)
{
    Problems problems;
    if (width != FONT_IMAGE_SIZE || height != FONT_IMAGE_SIZE) {
        problems.push_back(format("%s: the font image is %d x %d pixels; it must be %d x %d (16 x 16 cells of 8 x 8 "
                                  "pixels)",
                                  path, width, height, FONT_IMAGE_SIZE, FONT_IMAGE_SIZE));
        return problems;  // the cells are not where the game looks for them
    }
    std::string empty, stray;
    for (int cell = 1; cell < GLYPH_COUNT; cell++)  // the space, cell 0, is blank by design
        if (!cell_has_ink(rgba, width, cell))
            empty += format(" '%c'", (char)(FIRST_GLYPH + cell));
    for (int cell = GLYPH_COUNT; cell < CELLS_A_ROW * CELLS_A_ROW; cell++)
        if (cell_has_ink(rgba, width, cell))
            stray += format(" %d", cell);
    if (!empty.empty())
        problems.push_back(format("%s: the glyph cells of%s hold no ink (red 0 everywhere); those characters "
                                  "would draw as blanks",
                                  path, empty.c_str()));
    if (!stray.empty())
        problems.push_back(format("%s: ink in the cells past '~' (cell%s, counted from the bottom left), which "
                                  "the game never draws; the glyphs of 32..126 go 16 to a row from the bottom left",
                                  path, stray.c_str()));
    return problems;
}

Problems marker_ray_problems(const char* path, const Model& stage)
{
    Problems problems;
    std::string missed;
    for (int yaw = 0; yaw < MARKER_YAWS; yaw++)
        if (!cast_marker_ray(stage, (float)yaw).met)
            missed += format(" %d", yaw);
    if (!missed.empty())
        problems.push_back(format("%s: the marker rays of yaw%s (radians, 45 degrees up from the origin) meet no "
                                  "triangle; a marker there would float in the air",
                                  path, missed.c_str()));
    return problems;
}

Problems stage_shrink_problems(const Model stages[4])
{
    Problems problems;
    for (int s = 0; s < 3; s++) {
        const Model& small = stages[s];
        const Model& large = stages[s + 1];
        const char* name = ORE_MODEL_PATHS[s];
        const char* next = ORE_MODEL_PATHS[s + 1];
        if (!(signed_volume6(small) < signed_volume6(large)))
            problems.push_back(format("%s: encloses %.4g cubic units, not less than the %.4g of %s; a deposit "
                                      "must shrink as it is mined",
                                      name, signed_volume6(small) / 6, signed_volume6(large) / 6, next));
        if (!(small.box.half.x < large.box.half.x) || !(small.box.half.z < large.box.half.z))
            problems.push_back(format("%s: its collision box (half-extents x %.4g, z %.4g) is not narrower than "
                                      "that of %s (x %.4g, z %.4g)",
                                      name, small.box.half.x, small.box.half.z, next, large.box.half.x,
                                      large.box.half.z));
        const float top = small.box.position.y + small.box.half.y;
        const float next_top = large.box.position.y + large.box.half.y;
        if (!(top < next_top))
            problems.push_back(format("%s: its collision box reaches up to %.4g, not lower than the %.4g of %s",
                                      name, top, next_top, next));
    }
    return problems;
}

Problems pickaxe_problems(const char* path, const Model& pickaxe)
{
    // The frame's placement with the camera at the origin looking level:
    // the hand at PICKAXE_HAND_OFFSET, the model turned a quarter left.
    const Camera eye{0, 0, 0, 0, 0, 0};
    const Mat4 rotation = euler_rotation(0.0f, (float)(0.0 - HALF_PI), 0.0f);
    const Mat4 clip = view_projection(eye, VIEW_ASPECT);
    int behind = 0, beside = 0, above_middle = 0;
    float highest = -1e30f;
    for (const ModelVertex& v : pickaxe.vertices) {
        const Vec3 turned = mat4_apply(rotation, v.position, 0.0f);
        const Vec3 p{turned.x + PICKAXE_HAND_OFFSET.x, turned.y + PICKAXE_HAND_OFFSET.y,
                     turned.z + PICKAXE_HAND_OFFSET.z};
        const float x = ((clip.m[0] * p.x + clip.m[4] * p.y) + clip.m[8] * p.z) + clip.m[12];
        const float y = ((clip.m[1] * p.x + clip.m[5] * p.y) + clip.m[9] * p.z) + clip.m[13];
        const float w = ((clip.m[3] * p.x + clip.m[7] * p.y) + clip.m[11] * p.z) + clip.m[15];
        // w is the distance in front of the eye; the near plane is at 0.01.
        if (!(w > 0.01f)) {
            behind++;
            continue;
        }
        const float across = x / w, up = y / w;  // -1..1 from edge to edge
        beside += across < -1 || across > 1;
        above_middle += up >= 0;
        highest = std::max(highest, up);
    }
    Problems problems;
    if (behind > 0)
        problems.push_back(format("%s: %d vertices of the pickaxe in the hand lie behind the eye or nearer than the "
                                  "near plane; the model is too large or placed away from its origin",
                                  path, behind));
    if (beside > 0)
        problems.push_back(format("%s: %d vertices of the pickaxe in the hand lie past the left or right edge of "
                                  "the picture; the model is too large",
                                  path, beside));
    if (above_middle > 0)
        problems.push_back(format("%s: %d vertices of the pickaxe in the hand reach the middle of the picture, where "
                                  "the player aims; the model is too large",
                                  path, above_middle));
    if (behind == 0 && !pickaxe.vertices.empty() && highest <= -1)
        problems.push_back(format("%s: the pickaxe in the hand lies wholly below the bottom edge of the picture; "
                                  "the model is too small",
                                  path));
    return problems;
}
