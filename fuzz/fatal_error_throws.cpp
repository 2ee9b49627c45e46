// fatal_error for the fuzz targets: throws, so that a refused input ends one run, not the fuzzer.
#include "fatal_error_throws.h"

#include "base/fatal_error.h"

void fatal_error(const char* text)
{
    throw FatalError{text};
}
