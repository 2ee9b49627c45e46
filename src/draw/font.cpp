// The font texture and the drawing of strings with text_program.
#include "draw/font.h"

#include <vector>

#include "base/client_size.h"
#include "base/fatal_error.h"
#include "base/image.h"
#include "base/text_layout.h"
#include "gfx/shaders.h"
#include "gfx/textures.h"

GLuint font_texture;

namespace {

const char* const FONT_PATH = "tex/font.png";

// 16 x 16 cells of 8 x 8 pixels: the texture coordinates of the glyphs and
// the measuring assume this size exactly, so any other draws garbled text.
constexpr int FONT_SIZE = 128;

}  // namespace

void load_font()
{
    // Decoded here rather than through load_texture: the pixels are needed
    // to measure the glyphs.
    DecodedImage image = decode_square_image(FONT_PATH, "font image");
    if (image.width != FONT_SIZE || image.height != FONT_SIZE) {
        const int32_t width = image.width, height = image.height;
        free_image(image);
        fatal_errorf("%s: the font image is %d x %d pixels; it must be %d x %d (16 x 16 cells of 8 x 8 pixels)",
                     FONT_PATH, width, height, FONT_SIZE, FONT_SIZE);
    }
    measure_glyph_widths(image.pixels, image.width);
    font_texture = create_texture(image.pixels, image.width);
    register_texture("font", font_texture);
    free_image(image);
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
