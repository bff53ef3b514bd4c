// The renderer program's state and the operations its files share.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <cstdlib>

#include "field_scene.h"
#include "screen_layout.h"
#include "stopwatch.h"

// Window, context and frame loop.
struct RendererState {
    stars::FieldViews views = {};    // where the fields go in the client
    stars::ScreenLayout layout = {}; // of the full-screen window
    bool active = false;
    bool running = false;
    bool switch_mode = false;
    bool show_fps = false;
    bool fullscreen = false; // the mode of the window being made or shown
    stars::FrameRate rate;   // fps, frame_count and stopwatch
    GLuint font_list_base = 0;
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    bool context_current = false; // GL may be called
};

extern RendererState renderer;
// The jewel field, kept across windows.
extern stars::FieldScene scene;

// Frame and view (gl_view.cpp).
// One frame: the fields, the overlay, glFinish, the frame-rate measurement and the swap.
void draw_frame();
// Where the fields go in the client; resize_view then restarts the frame rate.
void set_views(const stars::FieldViews& views);
void resize_view();

// The overlay's glyph display lists, characters 0..254 from the list returned, in the
// system font (overlay_font.cpp).
GLuint make_overlay_font(HDC dc);

// Window procedure and context (window_proc.cpp).
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void report_error(const char* step);
int on_input(int32_t kind, int32_t code, int32_t x, int32_t y);

// The performance counter behind the frame-rate stopwatch.
class PerformanceCounter : public stars::Counter {
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

extern PerformanceCounter performance_counter;

// mingw's rand(), on both builds, gives 0..32767: the range the jewel reset expects.
static_assert(RAND_MAX == stars::random_max, "rand() must give 0..32767");

class CrtRandom : public stars::RandomSource {
  public:
    int next() override { return std::rand(); }
};

extern CrtRandom crt_random;
