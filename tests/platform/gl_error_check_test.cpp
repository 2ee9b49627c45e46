// The GL error check against a real OpenGL (Mesa under Xvfb): each error the
// driver raises ends the program with its name and the place of the check.
#include <gtest/gtest.h>

#include <string>

#include "base/gl_error.h"
#include "gfx/gl_error_check.h"
#include "gfx/gl_functions.h"
#include "platform/sdl/sdl_window.h"

namespace {

class GlErrorCheck : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The death tests run in a fresh process that makes its own context.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        open_hidden_gl_window(64, 64);
    }
    void SetUp() override
    {
        while (glGetError() != GL_NO_ERROR) {
        }
    }
};

TEST_F(GlErrorCheck, NoErrorGoesOn)
{
    glClear(GL_COLOR_BUFFER_BIT);
    GL_ERROR_CHECK();
    SUCCEED();
}

TEST_F(GlErrorCheck, EachErrorEndsWithItsNameFileAndLine)
{
    struct Case {
        const char* name;
        void (*provoke)();
    };
    const Case cases[] = {
        {"INVALID_ENUM", [] { glEnable(0xDEAD); }},
        {"INVALID_VALUE", [] { glLineWidth(-1.0f); }},
        {"INVALID_OPERATION", [] { glEnd(); }},  // with no glBegin
    };
    for (const Case& c : cases) {
        c.provoke();
        const std::string expected =
            std::string("^") + c.name + " " + __FILE__ + " \\(" + std::to_string(__LINE__ + 1) + "\\)\n";
        EXPECT_EXIT(GL_ERROR_CHECK(), testing::ExitedWithCode(1), expected) << c.name;
        while (glGetError() != GL_NO_ERROR) {
        }
    }
}

}  // namespace
