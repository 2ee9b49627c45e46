// The frame tool's world: the game's start-up, steady counters and reading a frame back.
#include "shot/shot_world.h"

#include <cstdio>
#include <cstring>

#include <stb_image_write.h>

#include "base/client_size.h"
#include "base/fatal_error.h"
#include "base/platform.h"
#include "draw/frame.h"
#include "draw/scene.h"
#include "gfx/gl_functions.h"
#include "world/frame_timer.h"

void start_world()
{
    build_scene();
    timer_start(platform_counter_frequency(), platform_counter());
    set_fixed_gl_state();
}

void hold_counters(const char* ticks, const char* frames)
{
    std::snprintf(ticks_text, sizeof ticks_text, "%s", ticks);
    std::snprintf(frames_text, sizeof frames_text, "%s", frames);
    // A second mark in the far future: (now - mark) stays negative.
    second_mark = INT64_MAX / 2;
}

Frame compose_and_read(int32_t width, int32_t height)
{
    client_width = width;
    client_height = height;
    compose_frame();

    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize((size_t)width * height * 3);
    std::vector<uint8_t> bottom_up(frame.rgb.size());
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        fatal_errorf("OpenGL error 0x%04X while composing the frame", error);
    // OpenGL's first row is the bottom one; images start at the top.
    const size_t row = (size_t)width * 3;
    for (int32_t y = 0; y < height; y++)
        std::memcpy(&frame.rgb[(size_t)y * row], &bottom_up[(size_t)(height - 1 - y) * row], row);
    return frame;
}

void write_frame_png(const std::string& path, const Frame& frame)
{
    if (!stbi_write_png(path.c_str(), frame.width, frame.height, 3, frame.rgb.data(), frame.width * 3))
        fatal_errorf("%s: cannot write the PNG", path.c_str());
}
