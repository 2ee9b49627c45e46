#pragma once
// fatal_error for the fuzz targets: a rejected input must end the parse, not
// the fuzzing process, so the failure is thrown and caught by the harness.
#include <string>

struct FatalError {
    std::string message;
};
