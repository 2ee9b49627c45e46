// Every GL test process draws into a hidden window made exactly as the game
// makes its own (same attributes, same entry points), 800 x 600.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_window.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // A death test re-runs this program for the one test instead of forking
    // it: Mesa's worker threads do not survive a fork.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (!GTEST_FLAG_GET(list_tests))
        open_hidden_gl_window(800, 600);
    return RUN_ALL_TESTS();
}
