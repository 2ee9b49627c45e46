// The canvas, its WebGL context and the clock of the browser build.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>

#include "base/client_size.h"
#include "base/fatal_error.h"
#include "base/platform.h"
#include "gfx/gl_functions.h"

namespace {

// The clock in microseconds: emscripten_get_now gives milliseconds with a
// fraction, and the frame timer counts in whole counts.
constexpr int64_t COUNTS_PER_SECOND = 1000000;

}  // namespace

void platform_open_window()
{
    // The page's canvas is the window: 800 x 600 drawing-buffer pixels.
    if (emscripten_set_canvas_element_size("#canvas", START_CLIENT_WIDTH, START_CLIENT_HEIGHT) != EMSCRIPTEN_RESULT_SUCCESS)
        fatal_error("Cannot find the page's canvas");

    // WebGL 1 (OpenGL ES 2.0, what OpenGL 2.0 maps to in a browser) with
    // depth and stencil; an opaque canvas, without multisampling, as the
    // window's framebuffer is elsewhere.
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_TRUE;
    attributes.antialias = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0)
        fatal_errorf("Cannot create a WebGL 1 context on the canvas (error %d)", (int)context);
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS)
        fatal_error("Cannot make the WebGL context current");

    gl_load_functions();
}

void platform_client_size(int32_t* width, int32_t* height)
{
    int w = 0, h = 0;
    emscripten_get_canvas_element_size("#canvas", &w, &h);
    *width = w;
    *height = h;
}

int64_t platform_counter()
{
    return (int64_t)(emscripten_get_now() * 1000.0);
}

int64_t platform_counter_frequency()
{
    return COUNTS_PER_SECOND;
}

void platform_sleep_ms(int)
{
    // A page cannot block: the next pass comes with the next animation
    // frame, and a hidden tab gets none.
}

void platform_swap_buffers()
{
    // The browser presents the canvas when the animation frame returns.
}

void* platform_gl_proc_address(const char* name)
{
    return emscripten_webgl_get_proc_address(name);
}
