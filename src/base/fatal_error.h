#pragma once
// The program's one way of reporting a failure: shows the text and ends the
// process with exit status 1. Each build links exactly one implementation
// (the Windows message box, the Linux game's, or the plain standard-error one
// that the tools and tests use).
[[noreturn]] void fatal_error(const char* text);

// fatal_error with a printf-style message.
[[noreturn]] void fatal_errorf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
