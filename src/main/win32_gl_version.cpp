// Reading the version a context offers, to refuse one older than 2.0 (which
// would lack the shaders and buffers the game draws with).
#include <cctype>

#include "main/win32_platform.h"

namespace {

// Reads a run of digits into *number; false if there is none.
bool read_number(const char*& text, long* number)
{
    if (!std::isdigit(static_cast<unsigned char>(*text)))
        return false;
    long value = 0;
    while (std::isdigit(static_cast<unsigned char>(*text))) {
        if (value < 100000)
            value = value * 10 + (*text - '0');
        text++;
    }
    *number = value;
    return true;
}

}  // namespace

bool gl_version_at_least_2_0(const char* version)
{
    if (version == nullptr)
        return false;
    long major = 0, minor = 0;
    const char* text = version;
    if (!read_number(text, &major) || *text != '.')
        return false;
    text++;
    if (!read_number(text, &minor))
        return false;
    return major >= 2;
}
