// The GL half of the error check: the one call that reads the flag.
#include "gfx/gl_error_check.h"

#include "base/fatal_error.h"
#include "base/gl_error.h"
#include "gfx/gl_functions.h"

void check_gl_error(const char* file, int line)
{
    const GLenum code = glGetError();
    if (code == GL_NO_ERROR)
        return;
    char message[512];
    format_gl_error(message, sizeof message, code, file, line);
    fatal_error(message);
}
