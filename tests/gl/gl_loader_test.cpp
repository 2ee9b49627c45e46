// The entry point loader against a stand-in for the platform's
// platform_gl_proc_address: no GL is called here, only the lookups. (The
// Linux driver answers every name with a dispatch stub, so a missing entry
// point can only be shown with a platform that says "not found", as WGL
// does.)
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "gfx/gl_functions.h"

namespace {

// Each name gets an address of its own; one chosen name gets none.
std::map<std::string, char> answers;
std::string missing_name;

}  // namespace

void* platform_gl_proc_address(const char* name)
{
    if (name == missing_name)
        return nullptr;
    return &answers[name];
}

namespace {

const char* const TABLE_ORDER[26] = {
    "glActiveTexture",   "glGenBuffers",         "glBindBuffer",         "glBufferData",
    "glDeleteBuffers",   "glCreateShader",       "glShaderSource",       "glCompileShader",
    "glGetShaderiv",     "glGetShaderInfoLog",   "glCreateProgram",      "glAttachShader",
    "glLinkProgram",     "glGetProgramiv",       "glGetProgramInfoLog",  "glDeleteShader",
    "glGetAttribLocation", "glGetUniformLocation", "glUseProgram",       "glEnableVertexAttribArray",
    "glVertexAttribPointer", "glUniformMatrix4fv", "glUniform3f",        "glUniform3fv",
    "glUniform4f",       "glUniform1i",
};

TEST(GlLoader, EachSlotHoldsTheAddressOfItsOwnName)
{
    missing_name.clear();
    gl_load_functions();
    void* const* slots = reinterpret_cast<void* const*>(&gl);
    ASSERT_EQ(sizeof(GlFunctions) / sizeof(void*), 26u);
    for (int i = 0; i < 26; i++)
        EXPECT_EQ(slots[i], platform_gl_proc_address(TABLE_ORDER[i])) << TABLE_ORDER[i];
    EXPECT_EQ(answers.size(), 26u);  // nothing else is looked up
}

class GlLoaderDeathTest : public testing::TestWithParam<const char*> {};

TEST_P(GlLoaderDeathTest, MissingEntryPointEndsNamingIt)
{
    missing_name = GetParam();
    EXPECT_EXIT(gl_load_functions(), testing::ExitedWithCode(1),
                "The OpenGL entry point " + missing_name + " is not available");
}

INSTANTIATE_TEST_SUITE_P(Names, GlLoaderDeathTest,
                         testing::Values("glActiveTexture", "glCreateShader", "glUniform1i"));

}  // namespace
