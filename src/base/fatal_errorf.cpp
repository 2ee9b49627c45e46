// fatal_error with a printf-style message, over whichever fatal_error the program links.
#include "base/fatal_error.h"

#include <cstdarg>
#include <cstdio>

void fatal_errorf(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    fatal_error(text);
}
