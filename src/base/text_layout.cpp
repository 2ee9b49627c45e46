// Measuring the font's glyphs, laying out a text mesh, and the text layer's projection.
#include "base/text_layout.h"

uint8_t glyph_widths[GLYPH_COUNT];

void measure_glyph_widths(const uint8_t* pixels, int32_t width)
{
    const long long row_bytes = 4LL * width;
    for (int g = 0; g < GLYPH_COUNT; g++) {
        const long long cell = ((long long)(g / 16) * 8 * width + (g % 16) * 8) * 4;
        int glyph_width = 8;
        for (int x = 0; x < 8; x++) {
            bool inked = false;
            for (int y = 0; y < 8; y++)
                inked = inked || pixels[cell + 4 * x + y * row_bytes] != 0;
            if (!inked) {
                glyph_width = x;  // columns after the first empty one are not looked at
                break;
            }
        }
        glyph_widths[g] = (uint8_t)(glyph_width == 0 ? 5 : glyph_width);
    }
}

std::vector<TextVertex> build_text_vertices(const char* text, float* width)
{
    std::vector<TextVertex> vertices;
    float x = 0.0f;
    for (const unsigned char* p = (const unsigned char*)text; *p; p++) {
        if (*p < FIRST_GLYPH || *p >= FIRST_GLYPH + GLYPH_COUNT)
            continue;
        const int g = *p - FIRST_GLYPH;
        const int w = glyph_widths[g];
        const float u_left = (float)(g % 16) * 0.0625f;
        const float u_right = u_left + (float)w * 0.0078125f;  // w / 128
        const float v_bottom = (float)(g / 16) * 0.0625f;
        const float v_top = v_bottom + 0.0625f;
        const float right = x + (float)w;
        vertices.push_back({x, 0, 0, u_left, v_bottom});
        vertices.push_back({right, 0, 0, u_right, v_bottom});
        vertices.push_back({right, 8, 0, u_right, v_top});
        vertices.push_back({right, 8, 0, u_right, v_top});
        vertices.push_back({x, 8, 0, u_left, v_top});
        vertices.push_back({x, 0, 0, u_left, v_bottom});
        x = x + (float)(w + 1);
    }
    *width = x;
    return vertices;
}

Mat4 text_projection(int32_t client_width, int32_t client_height)
{
    const int32_t half_height = (client_height / 3) / 2;
    const float r = (float)half_height;
    const float rw = (float)client_width * r / (float)client_height;
    Mat4 p = mat4_identity();
    p.m[0] = 2.0f / (2.0f * rw);
    p.m[5] = 2.0f / (2.0f * r);
    p.m[10] = -0.001f;
    return p;
}
