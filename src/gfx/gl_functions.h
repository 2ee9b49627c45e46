#pragma once
// OpenGL: the 1.1 functions come straight from the system library; the 26
// newer entry points the program uses are fetched once at start into `gl`,
// and three it can do without into `gl_optional`.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#endif
#include <GL/gl.h>

#include <GL/glext.h>  // types and enumerants beyond 1.1 (GLchar, GL_ARRAY_BUFFER, ...)

#ifndef APIENTRY
#define APIENTRY
#endif

struct GlFunctions {
    void(APIENTRY* ActiveTexture)(GLenum texture);
    void(APIENTRY* GenBuffers)(GLsizei n, GLuint* buffers);
    void(APIENTRY* BindBuffer)(GLenum target, GLuint buffer);
    void(APIENTRY* BufferData)(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
    void(APIENTRY* DeleteBuffers)(GLsizei n, const GLuint* buffers);
    GLuint(APIENTRY* CreateShader)(GLenum type);
    void(APIENTRY* ShaderSource)(GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length);
    void(APIENTRY* CompileShader)(GLuint shader);
    void(APIENTRY* GetShaderiv)(GLuint shader, GLenum pname, GLint* params);
    void(APIENTRY* GetShaderInfoLog)(GLuint shader, GLsizei max_length, GLsizei* length, GLchar* log);
    GLuint(APIENTRY* CreateProgram)();
    void(APIENTRY* AttachShader)(GLuint program, GLuint shader);
    void(APIENTRY* LinkProgram)(GLuint program);
    void(APIENTRY* GetProgramiv)(GLuint program, GLenum pname, GLint* params);
    void(APIENTRY* GetProgramInfoLog)(GLuint program, GLsizei max_length, GLsizei* length, GLchar* log);
    void(APIENTRY* DeleteShader)(GLuint shader);
    GLint(APIENTRY* GetAttribLocation)(GLuint program, const GLchar* name);
    GLint(APIENTRY* GetUniformLocation)(GLuint program, const GLchar* name);
    void(APIENTRY* UseProgram)(GLuint program);
    void(APIENTRY* EnableVertexAttribArray)(GLuint index);
    void(APIENTRY* VertexAttribPointer)(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                        const void* pointer);
    void(APIENTRY* UniformMatrix4fv)(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value);
    void(APIENTRY* Uniform3f)(GLint location, GLfloat x, GLfloat y, GLfloat z);
    void(APIENTRY* Uniform3fv)(GLint location, GLsizei count, const GLfloat* value);
    void(APIENTRY* Uniform4f)(GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w);
    void(APIENTRY* Uniform1i)(GLint location, GLint x);
};

// Called as gl.UseProgram(...), gl.BufferData(...), ...
extern GlFunctions gl;

// Entry points the program does without where they are missing (WebGL 1 has
// neither): each is null then, and its caller takes the plain path.
struct GlOptionalFunctions {
    void*(APIENTRY* MapBuffer)(GLenum target, GLenum access);
    GLboolean(APIENTRY* UnmapBuffer)(GLenum target);
    void(APIENTRY* MultiDrawArrays)(GLenum mode, const GLint* first, const GLsizei* count, GLsizei drawcount);
};

extern GlOptionalFunctions gl_optional;

// Fetches the optional entry points through platform_gl_proc_address with
// the context current; one that is not found stays null.
void gl_load_optional_functions();

// Fetches the 26 entry points through platform_gl_proc_address with the
// context current; a missing one ends through fatal_error naming it.
void gl_load_functions();

// One entry point by name through platform_gl_proc_address; a missing one
// ends through fatal_error naming it. Tools and tests fetch the few extra
// entry points they need (buffer read-back, framebuffers) the same way.
void* gl_require_proc(const char* name);
