// The GL error message: the name table and the "name file (line)" format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/gl_error.h"

namespace {

TEST(GlError, NamesEachCode)
{
    struct Case {
        uint32_t code;
        const char* name;
    };
    const Case cases[] = {
        {0x0500, "INVALID_ENUM"},
        {0x0501, "INVALID_VALUE"},
        {0x0502, "INVALID_OPERATION"},
        {0x0505, "OUT_OF_MEMORY"},
        // Codes the table leaves out, the stack errors among them.
        {0x0503, "UNKNOWN TYPE BEAT"},
        {0x0504, "UNKNOWN TYPE BEAT"},
        {0x0506, "UNKNOWN TYPE BEAT"},
        {0x0001, "UNKNOWN TYPE BEAT"},
        {0xFFFFFFFF, "UNKNOWN TYPE BEAT"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(gl_error_name(c.code), c.name) << std::hex << c.code;
}

TEST(GlError, MessageIsNameFileAndLine)
{
    char text[200];
    format_gl_error(text, sizeof text, 0x0502, "/src/main/frame_loop.cpp", 51);
    EXPECT_STREQ(text, "INVALID_OPERATION /src/main/frame_loop.cpp (51)");
    format_gl_error(text, sizeof text, 0x0503, "a.cpp", -3);
    EXPECT_STREQ(text, "UNKNOWN TYPE BEAT a.cpp (-3)");
}

TEST(GlError, LongPathIsCutToTheBuffer)
{
    const std::string path(300, 'p');
    char text[64];
    std::memset(text, 'x', sizeof text);
    format_gl_error(text, sizeof text, 0x0500, path.c_str(), 9);
    EXPECT_EQ(std::strlen(text), sizeof text - 1);
    EXPECT_EQ(std::string(text, 13), "INVALID_ENUM ");
}

}  // namespace
