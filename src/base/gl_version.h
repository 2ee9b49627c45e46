#pragma once
// Reading the version text a new OpenGL context reports, so that each
// platform layer refuses one older than 2.0 (which would lack the shaders and
// buffers the game draws with) with the same rule.

// Whether a GL_VERSION text ("<major>.<minor>[.<release>][ <vendor text>]",
// e.g. "4.5 (Compatibility Profile) Mesa 22.3.6") names OpenGL 2.0 or later.
// A missing or malformed text does not.
bool gl_version_at_least_2_0(const char* version);
