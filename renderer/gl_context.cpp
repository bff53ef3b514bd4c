#include "gl_context.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");
#endif

const char* make_gl_context(HWND window, HDC& dc, HGLRC& context) {
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 16;
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;

    context = nullptr;
    dc = GetDC(window);
    if (!dc)
        return "GetDC";
    int format = ChoosePixelFormat(dc, &request);
    if (format == 0)
        return "ChoosePixelFormat";
    if (!SetPixelFormat(dc, format, &request))
        return "SetPixelFormat";
    context = wglCreateContext(dc);
    if (!context)
        return "wglCreateContext";
    if (!wglMakeCurrent(dc, context))
        return "wglMakeCurrent";
    return nullptr;
}
