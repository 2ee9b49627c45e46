// The GL_VERSION text read by hand, digit by digit, so that no locale or
// C library quirk changes the answer.
#include "base/gl_version.h"

#include <cctype>

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
