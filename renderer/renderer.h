// The renderer program's state and the operations its files share.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include "jewel_field.h"
#include "stopwatch.h"

// Window, context and frame loop.
struct RendererState {
    int32_t view_width = 0;
    int32_t view_height = 0;
    bool active = false;
    bool running = false;
    bool switch_mode = false;
    bool show_fps = false;
    bool fullscreen = false; // the mode of the window being made or shown
    stars::FrameRate rate;   // fps, frame_count and fps_stopwatch
    GLuint font_list_base = 0;
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    bool context_current = false; // GL may be called
};

// The jewel field, kept across windows; the texture belongs to the current context.
struct SceneState {
    stars::Jewel* jewels = nullptr;
    float scene_angle = 0.0f;
    GLuint sparkle_texture = 0;
};

extern RendererState renderer;
extern SceneState scene;

// Scene (scene_gl.cpp).
int init_jewels();
int init_gl_scene();
void draw_jewels();
void hide_cursor();

// Frame, view and overlay (gl_view.cpp).
// One frame: the scene, the overlay, glFinish, the frame-rate measurement and the swap.
void draw_frame();
void resize_view();
void gl_printf(float red, float green, float blue, float alpha, int x, int y, GLuint list_base,
               const char* format, ...) __attribute__((format(printf, 8, 9)));

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
