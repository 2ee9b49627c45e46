// Opening the window and context, each case in a process of its own (the
// death tests fork before any window exists).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "base/platform.h"
#include "platform/sdl/sdl_window.h"

namespace {

TEST(GlWindowDeathTest, OpenGlOlderThan2_0EndsNamingIt)
{
    // Mesa reports whatever version it is told to; 1.5 lacks shaders.
    EXPECT_EXIT(
        {
            setenv("MESA_GL_VERSION_OVERRIDE", "1.5", 1);
            open_hidden_gl_window(64, 64);
        },
        testing::ExitedWithCode(1), "OpenGL 2.0");
}

TEST(GlWindowDeathTest, NoVideoDriverEndsNamingTheStep)
{
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "noSuchDriver", 1);
            open_hidden_gl_window(64, 64);
        },
        testing::ExitedWithCode(1), "Cannot start the SDL video subsystem");
}

TEST(GlWindowDeathTest, SecondWindowIsRefused)
{
    EXPECT_EXIT(
        {
            open_hidden_gl_window(64, 64);
            open_hidden_gl_window(64, 64);
        },
        testing::ExitedWithCode(1), "already open");
}

// The game's window can be resized and maximised, as on Windows, and the
// client size each pass reads follows it; the tools' hidden windows keep the
// size they asked for. (Dragged by a player or a window manager, the same
// happens through the X server: the end-to-end resize test.) Run in a child
// process, which says what went wrong and ends with 0 only if all held.
void resize_the_game_window()
{
    platform_open_window();
    if ((SDL_GetWindowFlags(sdl_main_window) & SDL_WINDOW_RESIZABLE) == 0) {
        std::fprintf(stderr, "the game's window is not resizable\n");
        std::exit(2);
    }
    const struct {
        int width, height;
    } sizes[] = {{1024, 768}, {640, 480}, {800, 600}};
    for (const auto& size : sizes) {
        SDL_SetWindowSize(sdl_main_window, size.width, size.height);
        SDL_PumpEvents();
        int32_t width = -1, height = -1;
        platform_client_size(&width, &height);
        if (width != size.width || height != size.height) {
            std::fprintf(stderr, "resized to %dx%d, the client size reads %dx%d\n", size.width, size.height,
                         width, height);
            std::exit(3);
        }
    }
    std::exit(0);
}

TEST(GlWindowDeathTest, GameWindowIsResizableAndItsClientSizeFollows)
{
    EXPECT_EXIT(resize_the_game_window(), testing::ExitedWithCode(0), "");
}

TEST(GlWindowDeathTest, HiddenWindowIsNotResizable)
{
    EXPECT_EXIT(
        {
            open_hidden_gl_window(64, 64);
            std::exit((SDL_GetWindowFlags(sdl_main_window) & SDL_WINDOW_RESIZABLE) == 0 ? 0 : 2);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
