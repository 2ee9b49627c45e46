// The three shader programs: built once at start, their locations kept.
#include "gfx/shaders.h"

#include <cstring>
#include <string>

#include "base/fatal_error.h"

LitProgram lit_program;
TextProgram text_program;
FlatProgram flat_program;

namespace {

// Lit, textured scene: diffuse sun (fading out as the sun sinks to the
// horizon) plus a diffuse torch with inverse-square falloff beyond one unit;
// no ambient term, so an unlit face is black.
const char* const LIT_VERTEX_SOURCE =
    "#version 110\n"
    "attribute vec3 aPos;\n"
    "attribute vec3 aNorm;\n"
    "attribute vec2 aTexCoord;\n"
    "uniform mat4 rot;\n"
    "uniform mat4 mtw;\n"
    "uniform mat4 mvp;\n"
    "varying vec3 norm;\n"
    "varying vec2 texCoord;\n"
    "varying vec3 fragPos;\n"
    "void main(){\n"
    "    norm = vec3(rot * vec4(aNorm,0.0));\n"
    "    texCoord = aTexCoord;\n"
    "    fragPos = vec3(mtw * vec4(aPos,1.0));\n"
    "    gl_Position = mvp * vec4(aPos,1.0);\n"
    "}";

const char* const LIT_FRAGMENT_SOURCE =
    "#version 110\n"
    "uniform sampler2D tex;\n"
    "uniform vec3 sun;\n"
    "uniform vec3 torch;\n"
    "uniform vec3 torchColor;\n"
    "varying vec3 norm;\n"
    "varying vec2 texCoord;\n"
    "varying vec3 fragPos;\n"
    "void main(){\n"
    "    vec4 s = texture2D(tex,texCoord);\n"
    "    vec3 torchVec = torch-fragPos;\n"
    "    float torchVecLen = length(torchVec);\n"
    "    gl_FragColor = vec4(max(0.0,sun.y)*max(dot(norm,sun),0.0)*s.rgb+min(1.0,1.0/"
    "(torchVecLen*torchVecLen))*max(dot(norm,normalize(torchVec)),0.0)*torchColor*s.rgb,s.a);\n"
    "}";

const char* const TEXT_VERTEX_SOURCE =
    "#version 110\n"
    "attribute vec3 aPos;\n"
    "attribute vec2 aTexCoord;\n"
    "uniform mat4 proj;\n"
    "varying vec2 texCoord;\n"
    "void main(){\n"
    "    texCoord = aTexCoord;\n"
    "    gl_Position = proj * vec4(aPos,1.0);\n"
    "}";

const char* const TEXT_FRAGMENT_SOURCE =
    "#version 110\n"
    "uniform sampler2D tex;\n"
    "uniform vec4 color;\n"
    "varying vec2 texCoord;\n"
    "void main(){\n"
    "    gl_FragColor = color * texture2D(tex,texCoord);\n"
    "}";

const char* const FLAT_VERTEX_SOURCE =
    "#version 110\n"
    "attribute vec3 aPos;\n"
    "uniform mat4 proj;\n"
    "void main(){\n"
    "    gl_Position = proj * vec4(aPos,1.0);\n"
    "}";

const char* const FLAT_FRAGMENT_SOURCE =
    "#version 110\n"
    "uniform vec4 color;\n"
    "void main(){\n"
    "    gl_FragColor = color;\n"
    "}";

// The info log goes into a 512-byte buffer, so a report holds at most 511
// characters; OpenGL cuts a longer log there.
constexpr int INFO_LOG_SIZE = 512;

void compile_or_die(GLuint shader)
{
    gl.CompileShader(shader);
    GLint status = 0;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        char log[INFO_LOG_SIZE] = {};
        gl.GetShaderInfoLog(shader, INFO_LOG_SIZE, nullptr, log);
        fatal_error(log);
    }
}

// The texts are written for desktop GLSL 1.10; an OpenGL ES context (a
// browser's WebGL) takes them in its own dialect.
void set_source(GLuint shader, const char* source, GLenum shader_type)
{
    const char* version = (const char*)glGetString(GL_VERSION);
    std::string es_text;
    if (version && std::strncmp(version, "OpenGL ES", 9) == 0) {
        es_text = glsl_es_text(source, shader_type);
        source = es_text.c_str();
    }
    gl.ShaderSource(shader, 1, &source, nullptr);
}

}  // namespace

std::string glsl_es_text(const char* source, GLenum shader_type)
{
    static const char DESKTOP_FIRST_LINE[] = "#version 110\n";
    const size_t first_line_length = sizeof DESKTOP_FIRST_LINE - 1;
    if (std::strncmp(source, DESKTOP_FIRST_LINE, first_line_length) != 0)
        fatal_error("A shader text does not start with \"#version 110\"");
    std::string text = "#version 100\n";
    // GLSL ES gives fragment shaders no default float precision; high
    // precision there is optional, and the macro tells whether it is in.
    if (shader_type == GL_FRAGMENT_SHADER)
        text += "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
                "precision highp float;\n"
                "#else\n"
                "precision mediump float;\n"
                "#endif\n";
    text += source + first_line_length;
    return text;
}

GLuint build_program(const char* vertex_source, const char* fragment_source)
{
    const GLuint vertex = gl.CreateShader(GL_VERTEX_SHADER);
    const GLuint fragment = gl.CreateShader(GL_FRAGMENT_SHADER);
    set_source(vertex, vertex_source, GL_VERTEX_SHADER);
    set_source(fragment, fragment_source, GL_FRAGMENT_SHADER);

    // The vertex shader first: when it fails, its log is reported alone and
    // the fragment shader is never compiled.
    compile_or_die(vertex);
    compile_or_die(fragment);

    const GLuint program = gl.CreateProgram();
    gl.AttachShader(program, vertex);
    gl.AttachShader(program, fragment);
    gl.LinkProgram(program);
    GLint status = 0;
    gl.GetProgramiv(program, GL_LINK_STATUS, &status);
    if (status == 0) {
        char log[INFO_LOG_SIZE] = {};
        gl.GetProgramInfoLog(program, INFO_LOG_SIZE, nullptr, log);
        fatal_error(log);
    }

    // Both stay attached, so OpenGL keeps them for as long as the program,
    // which lives for the whole run.
    gl.DeleteShader(vertex);
    gl.DeleteShader(fragment);
    return program;
}

void build_programs()
{
    LitProgram& lit = lit_program;
    lit.program = build_program(LIT_VERTEX_SOURCE, LIT_FRAGMENT_SOURCE);
    lit.aPos = gl.GetAttribLocation(lit.program, "aPos");
    lit.aNorm = gl.GetAttribLocation(lit.program, "aNorm");
    lit.aTexCoord = gl.GetAttribLocation(lit.program, "aTexCoord");
    lit.rot = gl.GetUniformLocation(lit.program, "rot");
    lit.mtw = gl.GetUniformLocation(lit.program, "mtw");
    lit.mvp = gl.GetUniformLocation(lit.program, "mvp");
    lit.tex = gl.GetUniformLocation(lit.program, "tex");
    lit.sun = gl.GetUniformLocation(lit.program, "sun");
    lit.torch = gl.GetUniformLocation(lit.program, "torch");
    lit.torchColor = gl.GetUniformLocation(lit.program, "torchColor");

    TextProgram& text = text_program;
    text.program = build_program(TEXT_VERTEX_SOURCE, TEXT_FRAGMENT_SOURCE);
    text.aPos = gl.GetAttribLocation(text.program, "aPos");
    text.aTexCoord = gl.GetAttribLocation(text.program, "aTexCoord");
    text.proj = gl.GetUniformLocation(text.program, "proj");
    text.tex = gl.GetUniformLocation(text.program, "tex");
    text.color = gl.GetUniformLocation(text.program, "color");

    FlatProgram& flat = flat_program;
    flat.program = build_program(FLAT_VERTEX_SOURCE, FLAT_FRAGMENT_SOURCE);
    flat.aPos = gl.GetAttribLocation(flat.program, "aPos");
    flat.proj = gl.GetUniformLocation(flat.program, "proj");
    flat.color = gl.GetUniformLocation(flat.program, "color");
}

void set_matrix(GLint location, const Mat4& matrix)
{
    gl.UniformMatrix4fv(location, 1, GL_FALSE, matrix.m);
}
