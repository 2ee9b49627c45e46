#pragma once
// The Linux window and OpenGL context, made with SDL2. The game opens its one
// visible window through platform_open_window; tools and tests open a hidden
// one of any size the same way, so they draw with the very context the game
// gets (OpenGL 2.0, 24 depth and 8 stencil bits, double-buffered).
#include <cstdint>

struct SDL_Window;

// The window made by platform_open_window or open_hidden_gl_window, for the
// input side (events, cursor capture); null before either ran.
extern SDL_Window* sdl_main_window;

// Opens a window titled "Quarrytop" with a client area of width x height,
// centred, with an OpenGL 2.0 context current on this thread and the entry
// points loaded into `gl`; shown (and then resizable and maximisable) or
// hidden. Every failure ends through fatal_error naming the step that failed.
void open_gl_window(int32_t width, int32_t height, bool shown);

// A hidden window and context of the given size: what the frame tool, the GL
// tests and the benchmarks draw into. Its back buffer is read with
// glReadPixels before any swap.
void open_hidden_gl_window(int32_t width, int32_t height);
