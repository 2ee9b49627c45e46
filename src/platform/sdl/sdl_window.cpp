// The window, the OpenGL context and the clock of the Linux build, on SDL2.
#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdio>

#include "base/client_size.h"
#include "base/fatal_error.h"
#include "base/gl_version.h"
#include "base/platform.h"
#include "gfx/gl_functions.h"

SDL_Window* sdl_main_window;

namespace {

void set_attribute(SDL_GLattr attribute, int value, const char* what)
{
    if (SDL_GL_SetAttribute(attribute, value) != 0)
        fatal_errorf("Cannot request %s for the OpenGL context: %s", what, SDL_GetError());
}

}  // namespace

void open_gl_window(int32_t width, int32_t height, bool shown)
{
    if (sdl_main_window)
        fatal_error("The OpenGL window is already open");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        fatal_errorf("Cannot start the SDL video subsystem: %s", SDL_GetError());

    // Attributes apply to the next context: OpenGL 2.0 (no profile, no flags,
    // so any compatibility context of 2.0 or later serves), 8 bits a colour,
    // 24 depth and 8 stencil bits, double-buffered.
    set_attribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2, "version 2.0");
    set_attribute(SDL_GL_CONTEXT_MINOR_VERSION, 0, "version 2.0");
    set_attribute(SDL_GL_RED_SIZE, 8, "8 red bits");
    set_attribute(SDL_GL_GREEN_SIZE, 8, "8 green bits");
    set_attribute(SDL_GL_BLUE_SIZE, 8, "8 blue bits");
    set_attribute(SDL_GL_DEPTH_SIZE, 24, "24 depth bits");
    set_attribute(SDL_GL_STENCIL_SIZE, 8, "8 stencil bits");
    set_attribute(SDL_GL_DOUBLEBUFFER, 1, "double buffering");

    // The game's window can be resized and maximised like the Windows one;
    // each pass of the frame loop reads the client size anew. The hidden
    // windows of the tools keep the size they are asked for.
    const Uint32 flags = SDL_WINDOW_OPENGL | (shown ? SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE : SDL_WINDOW_HIDDEN);
    SDL_Window* window = SDL_CreateWindow("Quarrytop", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, flags);
    if (!window)
        fatal_errorf("Cannot create the window: %s", SDL_GetError());

    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context)
        fatal_errorf("Cannot create an OpenGL 2.0 context (OpenGL 2.0 not available?): %s", SDL_GetError());
    if (SDL_GL_MakeCurrent(window, context) != 0)
        fatal_errorf("Cannot make the OpenGL context current: %s", SDL_GetError());

    const char* version = (const char*)glGetString(GL_VERSION);
    if (!gl_version_at_least_2_0(version))
        fatal_errorf("OpenGL 2.0 is not available: the context reports version \"%s\"",
                     version ? version : "(none)");

    gl_load_functions();

    // Each swap waits for the vertical blank where the driver allows it;
    // where it does not, frames are simply not paced by the display.
    SDL_GL_SetSwapInterval(1);

    sdl_main_window = window;
}

void open_hidden_gl_window(int32_t width, int32_t height)
{
    open_gl_window(width, height, false);
}

void platform_open_window()
{
    open_gl_window(START_CLIENT_WIDTH, START_CLIENT_HEIGHT, true);
}

void platform_client_size(int32_t* width, int32_t* height)
{
    if (!sdl_main_window || (SDL_GetWindowFlags(sdl_main_window) & SDL_WINDOW_MINIMIZED)) {
        *width = 0;
        *height = 0;
        return;
    }
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(sdl_main_window, &w, &h);
    *width = w;
    *height = h;
}

int64_t platform_counter()
{
    return (int64_t)SDL_GetPerformanceCounter();
}

int64_t platform_counter_frequency()
{
    return (int64_t)SDL_GetPerformanceFrequency();
}

void platform_sleep_ms(int milliseconds)
{
    SDL_Delay((Uint32)(milliseconds < 0 ? 0 : milliseconds));
}

void platform_swap_buffers()
{
    SDL_GL_SwapWindow(sdl_main_window);
}

void* platform_gl_proc_address(const char* name)
{
    return SDL_GL_GetProcAddress(name);
}
