// fatal_error for programs without a window (the tools and the tests): the
// message goes to standard error and the process ends with status 1.
#include "base/fatal_error.h"

#include <cstdio>
#include <cstdlib>

void fatal_error(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);
    std::exit(1);
}
