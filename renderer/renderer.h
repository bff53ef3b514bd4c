// The renderer program's state, reached from its window, and the operations its files share.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <cstdlib>

#include "field_scene.h"
#include "screen_layout.h"
#include "stopwatch.h"

// The performance counter behind the frame-rate stopwatch.
class PerformanceCounter : public orvanne::Counter {
  public:
    int64_t now() override {
        LARGE_INTEGER value;
        QueryPerformanceCounter(&value);
        return value.QuadPart;
    }
    int64_t frequency() override {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }
};

// mingw's rand(), on both builds, gives 0..32767: the range the jewel reset expects.
static_assert(RAND_MAX == orvanne::random_max, "rand() must give 0..32767");

class CrtRandom : public orvanne::RandomSource {
  public:
    int next() override { return std::rand(); }
};

struct Renderer {
    orvanne::FieldScene scene;         // kept across windows
    orvanne::FieldViews views = {};    // where the fields go in the client
    orvanne::ScreenLayout layout = {}; // of the full-screen window
    orvanne::FrameRate rate;
    PerformanceCounter counter;
    CrtRandom random;
    bool active = false;
    bool running = false;
    bool switch_mode = false;
    bool show_fps = true;
    bool fullscreen = false; // the mode of the window being made or shown
    GLuint font_list_base = 0;
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    bool context_current = false; // GL may be called
};

// One frame: the scene's frame, then the swap (gl_view.cpp).
void draw_frame(Renderer& renderer);

// The overlay's glyph display lists, characters 0..254 from the list returned, in the
// system font (overlay_font.cpp).
GLuint make_overlay_font(HDC dc);

// The window procedure; the window's creation parameter is its Renderer (window_proc.cpp).
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void report_error(const char* step);
