// The OpenGL context of one window, as the renderer makes it: 16-bit colour and depth,
// double-buffered. The benchmark's loops make theirs the same way.
#pragma once

#include <windows.h>

// Gives 0 once the context is current on the window's DC, else the name of the step that
// failed. dc and context are set as far as the steps got, for the caller to release.
const char* make_gl_context(HWND window, HDC& dc, HGLRC& context);
