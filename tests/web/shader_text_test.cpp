// The shader texts in the browser's dialect: GLSL ES 1.00's first line, a
// float precision for fragment shaders only, and the rest of the text as it is.
#include <gtest/gtest.h>

#include <string>

#include "gfx/shaders.h"

namespace {

const char* const BODY = "uniform vec4 color;\nvoid main(){\n    gl_FragColor = color;\n}";

TEST(GlslEsText, VertexShaderGetsOnlyTheVersionLine)
{
    const std::string desktop = std::string("#version 110\n") + BODY;
    EXPECT_EQ(glsl_es_text(desktop.c_str(), GL_VERTEX_SHADER), std::string("#version 100\n") + BODY);
}

TEST(GlslEsText, FragmentShaderGetsHighPrecisionWhereTheDeviceHasIt)
{
    const std::string desktop = std::string("#version 110\n") + BODY;
    EXPECT_EQ(glsl_es_text(desktop.c_str(), GL_FRAGMENT_SHADER),
              std::string("#version 100\n"
                          "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
                          "precision highp float;\n"
                          "#else\n"
                          "precision mediump float;\n"
                          "#endif\n") +
                  BODY);
}

TEST(GlslEsText, OnlyTheFirstLineChanges)
{
    // A later "#version 110" is the text's own business (and a compile error
    // the log will report), not the converter's.
    const std::string desktop = "#version 110\n// #version 110\nvoid main(){}";
    EXPECT_EQ(glsl_es_text(desktop.c_str(), GL_VERTEX_SHADER), "#version 100\n// #version 110\nvoid main(){}");
}

}  // namespace
