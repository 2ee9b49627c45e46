// Opening the window and context, each case in a process of its own (the
// death tests fork before any window exists).
#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
