// The newer OpenGL entry points, fetched once with the context current.
#include "gfx/gl_functions.h"

#include "base/fatal_error.h"
#include "base/platform.h"

GlFunctions gl;
GlOptionalFunctions gl_optional;

namespace {

// Every entry point the program calls must be there: a null one would crash
// at its first use, far from the cause.
template <typename Function>
void load(Function& slot, const char* name)
{
    slot = reinterpret_cast<Function>(gl_require_proc(name));
}

template <typename Function>
void load_optional(Function& slot, const char* name)
{
    slot = reinterpret_cast<Function>(platform_gl_proc_address(name));
}

}  // namespace

void* gl_require_proc(const char* name)
{
    void* address = platform_gl_proc_address(name);
    if (!address)
        fatal_errorf("The OpenGL entry point %s is not available", name);
    return address;
}

void gl_load_functions()
{
    load(gl.ActiveTexture, "glActiveTexture");
    load(gl.GenBuffers, "glGenBuffers");
    load(gl.BindBuffer, "glBindBuffer");
    load(gl.BufferData, "glBufferData");
    load(gl.DeleteBuffers, "glDeleteBuffers");
    load(gl.CreateShader, "glCreateShader");
    load(gl.ShaderSource, "glShaderSource");
    load(gl.CompileShader, "glCompileShader");
    load(gl.GetShaderiv, "glGetShaderiv");
    load(gl.GetShaderInfoLog, "glGetShaderInfoLog");
    load(gl.CreateProgram, "glCreateProgram");
    load(gl.AttachShader, "glAttachShader");
    load(gl.LinkProgram, "glLinkProgram");
    load(gl.GetProgramiv, "glGetProgramiv");
    load(gl.GetProgramInfoLog, "glGetProgramInfoLog");
    load(gl.DeleteShader, "glDeleteShader");
    load(gl.GetAttribLocation, "glGetAttribLocation");
    load(gl.GetUniformLocation, "glGetUniformLocation");
    load(gl.UseProgram, "glUseProgram");
    load(gl.EnableVertexAttribArray, "glEnableVertexAttribArray");
    load(gl.VertexAttribPointer, "glVertexAttribPointer");
    load(gl.UniformMatrix4fv, "glUniformMatrix4fv");
    load(gl.Uniform3f, "glUniform3f");
    load(gl.Uniform3fv, "glUniform3fv");
    load(gl.Uniform4f, "glUniform4f");
    load(gl.Uniform1i, "glUniform1i");
}

void gl_load_optional_functions()
{
    load_optional(gl_optional.MapBuffer, "glMapBuffer");
    load_optional(gl_optional.UnmapBuffer, "glUnmapBuffer");
    load_optional(gl_optional.MultiDrawArrays, "glMultiDrawArrays");
    // Mapping needs both halves.
    if (!gl_optional.MapBuffer || !gl_optional.UnmapBuffer) {
        gl_optional.MapBuffer = nullptr;
        gl_optional.UnmapBuffer = nullptr;
    }
}
