#pragma once
// The three GLSL 1.10 programs, built once at start, with their locations.
#include <string>

#include "base/transform.h"
#include "gfx/gl_functions.h"

// Lit, textured 3D scene: sun and torch, no ambient term.
struct LitProgram {
    GLuint program;
    GLint aPos, aNorm, aTexCoord;
    GLint rot, mtw, mvp, tex, sun, torch, torchColor;
};

// Textured 2D text layer.
struct TextProgram {
    GLuint program;
    GLint aPos, aTexCoord;
    GLint proj, tex, color;
};

// One flat colour; built and looked up, never drawn with.
struct FlatProgram {
    GLuint program;
    GLint aPos;
    GLint proj, color;
};

extern LitProgram lit_program;
extern TextProgram text_program;
extern FlatProgram flat_program;

// Compiles a vertex and a fragment shader and links them. A failure ends
// through fatal_error with the failing shader's or program's info log (at most
// 511 characters): a broken vertex shader is reported alone.
GLuint build_program(const char* vertex_source, const char* fragment_source);

// A program text for a GLSL ES 1.00 context (WebGL 1): the first line
// "#version 110" becomes "#version 100" and a fragment shader gets its float
// precision, high where the device has it and medium otherwise; the rest of
// the text is unchanged. build_program uses it when the context reports
// "OpenGL ES". A text that does not start with "#version 110" ends through
// fatal_error.
std::string glsl_es_text(const char* source, GLenum shader_type);

// Sets a mat4 uniform of the current program from a column-major matrix.
void set_matrix(GLint location, const Mat4& matrix);

// Builds lit_program, text_program and flat_program in that order and looks
// up their locations.
void build_programs();
