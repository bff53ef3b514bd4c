// One frame of the window.
#include "renderer.h"

void draw_frame(Renderer& renderer) {
    // A window whose context failed still gets its size message before the quit.
    if (!renderer.context_current)
        return;
    orvanne::draw_scene_frame(renderer.scene, renderer.views, renderer.rate, renderer.counter,
                              renderer.random, renderer.show_fps ? renderer.font_list_base : 0);
    SwapBuffers(renderer.dc);
}
