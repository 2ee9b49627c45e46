// The version rule every platform layer applies to a new context.
#include "base/gl_version.h"

#include <gtest/gtest.h>

namespace {

TEST(GlVersion, AcceptsTwoPointZeroAndLater)
{
    struct Case {
        const char* version;
        bool accepted;
    };
    const Case cases[] = {
        {"2.0", true},
        {"2.1 Mesa 22.3.6", true},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", true},
        {"4.6.0 NVIDIA 535.54", true},
        {"10.0", true},
        {"1.1.0", false},
        {"1.5 Microsoft", false},
        {"OpenGL ES 3.2", false},
        {"", false},
        {"2", false},
        {"2.", false},
        {".2", false},
        {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gl_version_at_least_2_0(c.version), c.accepted) << (c.version ? c.version : "(null)");
}

}  // namespace
