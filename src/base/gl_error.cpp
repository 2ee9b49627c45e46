// The names of the GL error codes and the text of the fatal message.
#include "base/gl_error.h"

#include <cstdio>

const char* gl_error_name(uint32_t code)
{
    switch (code) {
    case 0x0500: return "INVALID_ENUM";
    case 0x0501: return "INVALID_VALUE";
    case 0x0502: return "INVALID_OPERATION";
    case 0x0505: return "OUT_OF_MEMORY";
    default: return "UNKNOWN TYPE BEAT";
    }
}

void format_gl_error(char* out, size_t size, uint32_t code, const char* file, int line)
{
    std::snprintf(out, size, "%s %s (%d)", gl_error_name(code), file, line);
}
