#pragma once
// The GL error check made once per drawn frame: one glGetError, and on an
// error a fatal message with the error's name and the place of the check.
#include <cstddef>
#include <cstdint>

// "INVALID_ENUM", "INVALID_VALUE", "INVALID_OPERATION" or "OUT_OF_MEMORY";
// "UNKNOWN TYPE BEAT" for any other code.
const char* gl_error_name(uint32_t code);

// "<name> <file> (<line>)" into out, cut to fit and always terminated.
void format_gl_error(char* out, size_t size, uint32_t code, const char* file, int line);

// Reads the error flag once; an error ends the program through fatal_error
// with the formatted message. The GL half, over the pure half above.
void check_gl_error(const char* file, int line);

// The check, naming the source file and line that make it.
#define GL_ERROR_CHECK() check_gl_error(__FILE__, __LINE__)
