#include "fatal_error_throws.h"

#include "main/fatal_error.h"

void fatal_error(const char* text)
{
    throw FatalError{text};
}
