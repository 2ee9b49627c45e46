// fatal_error of the Linux game where there is no display to show the box
// on: the message still reaches standard error, and the status is 1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/fatal_error.h"

namespace {

TEST(SdlFatalError, WithoutADisplayWritesStandardErrorAndExitsWithOne)
{
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            fatal_error("tex/wood.png: cannot load the texture");
        },
        testing::ExitedWithCode(1), "^tex/wood.png: cannot load the texture\n");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            fatal_errorf("%s (%d)", "formatted", 42);
        },
        testing::ExitedWithCode(1), "^formatted \\(42\\)\n");
}

}  // namespace
