#pragma once
// The GL error check made once per drawn frame: one glGetError, and on an
// error a fatal message with the error's name and the place of the check.

// Reads the error flag once; an error ends the program through fatal_error
// with the message of base/gl_error.h.
void check_gl_error(const char* file, int line);

// The check, naming the source file and line that make it.
#define GL_ERROR_CHECK() check_gl_error(__FILE__, __LINE__)
