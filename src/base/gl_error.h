#pragma once
// The words of the GL error check: the error's name and the fatal message
// that names the place of the check. The check itself is gfx/gl_error_check.h.
#include <cstddef>
#include <cstdint>

// "INVALID_ENUM", "INVALID_VALUE", "INVALID_OPERATION" or "OUT_OF_MEMORY";
// "UNKNOWN TYPE BEAT" for any other code.
const char* gl_error_name(uint32_t code);

// "<name> <file> (<line>)" into out, cut to fit and always terminated.
void format_gl_error(char* out, size_t size, uint32_t code, const char* file, int line);
