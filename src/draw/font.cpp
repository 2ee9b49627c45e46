// The font texture and the drawing of strings with text_program.
#include "draw/font.h"

#include <vector>

#include <stb_image.h>

#include "draw/frame.h"
#include "draw/text_layout.h"
#include "gfx/shaders.h"
#include "gfx/textures.h"
#include "main/fatal_error.h"

GLuint font_texture;

namespace {

const char* const FONT_PATH = "tex/font.png";

// The glyph cells fill the first six rows of 8-pixel cells, 16 to a row.
constexpr int FONT_MIN_WIDTH = 128;
constexpr int FONT_MIN_HEIGHT = 48;

void set_matrix(GLint location, const Mat4& matrix)
{
    gl.UniformMatrix4fv(location, 1, GL_FALSE, matrix.m);
}

}  // namespace

void load_font()
{
    // Decoded here rather than through load_texture: the pixels are needed
    // to measure the glyphs.
    stbi_set_flip_vertically_on_load(1);
    int width = 0, height = 0, channels = 0;
    uint8_t* pixels = stbi_load(FONT_PATH, &width, &height, &channels, 4);
    if (!pixels)
        fatal_errorf("%s: cannot load the font image (%s)", FONT_PATH, stbi_failure_reason());
    if (width != height) {
        stbi_image_free(pixels);
        fatal_errorf("%s: the font image is %d x %d pixels; it must be square", FONT_PATH, width, height);
    }
    if (width < FONT_MIN_WIDTH || height < FONT_MIN_HEIGHT) {
        stbi_image_free(pixels);
        fatal_errorf("%s: the font image is %d x %d pixels, smaller than the %d x %d pixels of its glyph cells",
                     FONT_PATH, width, height, FONT_MIN_WIDTH, FONT_MIN_HEIGHT);
    }
    measure_glyph_widths(pixels, width);
    font_texture = create_texture(pixels, width);
    register_texture("font", font_texture);
    stbi_image_free(pixels);
}

float draw_text(const char* text, float x, float y, float z)
{
    float width = 0.0f;
    const std::vector<TextVertex> vertices = build_text_vertices(text, &width);
    // Below 6 pixels the layer's half-height is 0 units and its projection
    // would divide by zero.
    if (client_height < 6 || client_width < 1)
        return width;

    const TextProgram& program = text_program;
    gl.UseProgram(program.program);
    gl.ActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, font_texture);
    gl.Uniform1i(program.tex, 0);

    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(vertices.size() * sizeof(TextVertex)), vertices.data(),
                  GL_STATIC_DRAW);
    gl.EnableVertexAttribArray((GLuint)program.aPos);
    gl.EnableVertexAttribArray((GLuint)program.aTexCoord);
    gl.VertexAttribPointer((GLuint)program.aPos, 3, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                           reinterpret_cast<const void*>(offsetof(TextVertex, x)));
    gl.VertexAttribPointer((GLuint)program.aTexCoord, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                           reinterpret_cast<const void*>(offsetof(TextVertex, u)));

    const GLsizei count = (GLsizei)vertices.size();
    const Mat4 projection = text_projection(client_width, client_height);
    // The shadow one font pixel right of and below the text; the text pass at
    // z + 1 is nearer and wins the depth test where the two overlap.
    set_matrix(program.proj, mat4_mul(projection, mat4_translation(x + 1.0f, y - 1.0f, z)));
    gl.Uniform4f(program.color, 0.25f, 0.25f, 0.25f, 1.0f);
    glDrawArrays(GL_TRIANGLES, 0, count);
    set_matrix(program.proj, mat4_mul(projection, mat4_translation(x, y, z + 1.0f)));
    gl.Uniform4f(program.color, 1.0f, 1.0f, 1.0f, 1.0f);
    glDrawArrays(GL_TRIANGLES, 0, count);

    gl.DeleteBuffers(1, &buffer);
    return width;
}
