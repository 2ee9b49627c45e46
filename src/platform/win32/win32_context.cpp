// The OpenGL 2.0 context on the window. The pixel format with depth and
// stencil bits and the versioned context need two WGL extensions, which can
// only be fetched with some context current, so a throw-away window and
// context come first.
#include "base/fatal_error.h"
#include "base/gl_version.h"
#include "base/platform.h"
#include "gfx/gl_functions.h"
#include "platform/win32/win32_platform.h"

namespace {

using ChoosePixelFormatArb = BOOL(WINAPI*)(HDC dc, const int* int_attributes, const FLOAT* float_attributes,
                                            UINT max_formats, int* formats, UINT* format_count);
using CreateContextAttribsArb = HGLRC(WINAPI*)(HDC dc, HGLRC share, const int* attributes);
using SwapIntervalExt = BOOL(WINAPI*)(int interval);

// The three WGL extension entry points, fetched once through the
// throw-away context.
struct WglExtensions {
    ChoosePixelFormatArb ChoosePixelFormatARB;
    CreateContextAttribsArb CreateContextAttribsARB;
    SwapIntervalExt SwapIntervalEXT;
};
WglExtensions wgl;

template <typename Function>
Function wgl_proc(const char* name)
{
    return reinterpret_cast<Function>(platform_gl_proc_address(name));
}

void fetch_wgl_extensions()
{
    HWND dummy = CreateWindowExW(0, L"STATIC", L"DummyWindow", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    if (dummy == nullptr)
        fatal_errorf("Could not create the start-up window that fetches the WGL extensions (CreateWindowExW, error %lu)",
                     GetLastError());
    HDC dc = GetDC(dummy);

    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 24;
    const int format = ChoosePixelFormat(dc, &descriptor);
    if (format == 0)
        fatal_error("No OpenGL pixel format for the start-up window (ChoosePixelFormat): is an OpenGL driver installed?");
    DescribePixelFormat(dc, format, sizeof descriptor, &descriptor);
    if (!SetPixelFormat(dc, format, &descriptor))
        fatal_errorf("Could not set the pixel format of the start-up window (SetPixelFormat, error %lu)", GetLastError());
    HGLRC context = wglCreateContext(dc);
    if (context == nullptr)
        fatal_errorf("Could not create the start-up OpenGL context (wglCreateContext, error %lu)", GetLastError());
    if (!wglMakeCurrent(dc, context))
        fatal_errorf("Could not make the start-up OpenGL context current (wglMakeCurrent, error %lu)", GetLastError());

    wgl.ChoosePixelFormatARB = wgl_proc<ChoosePixelFormatArb>("wglChoosePixelFormatARB");
    wgl.CreateContextAttribsARB = wgl_proc<CreateContextAttribsArb>("wglCreateContextAttribsARB");
    wgl.SwapIntervalEXT = wgl_proc<SwapIntervalExt>("wglSwapIntervalEXT");

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(dummy, dc);
    DestroyWindow(dummy);

    if (wgl.ChoosePixelFormatARB == nullptr)
        fatal_error("The OpenGL driver lacks wglChoosePixelFormatARB, needed to choose a pixel format with depth and "
                    "stencil bits");
    if (wgl.CreateContextAttribsARB == nullptr)
        fatal_error("The OpenGL driver lacks wglCreateContextAttribsARB, needed to create an OpenGL 2.0 context");
}

void set_window_pixel_format()
{
    const int attributes[] = {
        0x2001, 1,       // WGL_DRAW_TO_WINDOW_ARB
        0x2010, 1,       // WGL_SUPPORT_OPENGL_ARB
        0x2011, 1,       // WGL_DOUBLE_BUFFER_ARB
        0x2013, 0x202B,  // WGL_PIXEL_TYPE_ARB: WGL_TYPE_RGBA_ARB
        0x2014, 24,      // WGL_COLOR_BITS_ARB
        0x2022, 24,      // WGL_DEPTH_BITS_ARB
        0x2023, 8,       // WGL_STENCIL_BITS_ARB
        0,
    };
    int format = 0;
    UINT format_count = 0;
    if (!wgl.ChoosePixelFormatARB(window_dc, attributes, nullptr, 1, &format, &format_count) || format_count == 0)
        fatal_error("No pixel format with 24-bit colour, 24-bit depth and 8-bit stencil, double-buffered "
                    "(wglChoosePixelFormatARB)");
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    DescribePixelFormat(window_dc, format, sizeof descriptor, &descriptor);
    if (!SetPixelFormat(window_dc, format, &descriptor))
        fatal_errorf("Could not set the pixel format of the window \"Quarrytop\" (SetPixelFormat, error %lu)",
                     GetLastError());
}

void create_gl_2_0_context()
{
    const int attributes[] = {
        0x2091, 2,  // WGL_CONTEXT_MAJOR_VERSION_ARB
        0x2092, 0,  // WGL_CONTEXT_MINOR_VERSION_ARB
        0,
    };
    HGLRC context = wgl.CreateContextAttribsARB(window_dc, nullptr, attributes);
    if (context == nullptr)
        fatal_errorf("Could not create an OpenGL 2.0 context (wglCreateContextAttribsARB, error 0x%lx)",
                     GetLastError());
    if (!wglMakeCurrent(window_dc, context))
        fatal_errorf("Could not make the OpenGL context current (wglMakeCurrent, error %lu)", GetLastError());
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!gl_version_at_least_2_0(version))
        fatal_errorf("OpenGL 2.0 is not available: the driver offers version %s", version ? version : "(none)");
}

}  // namespace

void platform_open_window()
{
    fetch_wgl_extensions();
    register_window_class();
    create_main_window();
    set_window_pixel_format();
    create_gl_2_0_context();
    gl_load_functions();
    // One vertical blank per swap; a driver without the extension just
    // presents unpaced.
    if (wgl.SwapIntervalEXT != nullptr)
        wgl.SwapIntervalEXT(1);
    ShowWindow(main_window, SW_SHOWDEFAULT);
}

void* platform_gl_proc_address(const char* name)
{
    PROC proc = wglGetProcAddress(name);
    // Some drivers answer a small number instead of null for a name they
    // do not have.
    const intptr_t value = reinterpret_cast<intptr_t>(proc);
    if (value >= -1 && value <= 3)
        return nullptr;
    return reinterpret_cast<void*>(proc);
}

void platform_swap_buffers()
{
    SwapBuffers(window_dc);
}
