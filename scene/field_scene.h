// The jewel field drawn with OpenGL 1.1, shared by every front end: init / reshape / draw /
// free. Each front end makes its own context and the glyph lists of the overlay.
#pragma once

#include "field_arrays.h"
#include "jewel_field.h"
#include "screen_layout.h"
#include "stopwatch.h"

namespace orvanne {

// The fields, one per view, kept across windows and contexts; they share the texture and
// the turn.
struct FieldScene {
    Jewel* jewels = nullptr; // jewel_count for each field, field after field
    int field_count = 0;
    float scene_angle = 0.0f;
    unsigned sparkle_texture = 0;       // of the current context
    Corner corners[field_corner_count]; // this frame's squares, read by GL as client arrays
};

// Makes the jewels of one field; 0 when done, 1 when memory ran out (reported on stderr).
int init_field(FieldScene& scene, RandomSource& random);
// Makes fields of new jewels until there are count; those there are kept. 0 when done, 1
// when memory ran out (the scene is left as it was).
int add_fields(FieldScene& scene, int count, RandomSource& random);
void free_field(FieldScene& scene);

// Per context: the sparkle texture and the blend; 0 when done, 1 when memory ran out.
int init_field_gl(FieldScene& scene);
// The texture of the current context.
void free_field_gl(FieldScene& scene);

// The viewport (x, y from the bottom left of the drawable) and the projection only.
void reshape_field(int x, int y, int width, int height);

// One frame: clears the drawable, turns the field, steps and draws every jewel at the
// measured rate, and leaves texturing disabled.
void draw_field(FieldScene& scene, float fps, RandomSource& random);
// The same with a field in each view (as many as the scene has), each with its viewport
// and projection set as reshape_field sets them; one clear, one turn. Null views: one
// field in the viewport already set.
void draw_fields(FieldScene& scene, const Viewport* views, int count, float fps,
                 RandomSource& random);

// One frame as every front end draws it: draw_fields over the views, the overlay at the
// primary view's top right once a rate has been measured (none while overlay_glyphs is 0),
// glFinish and the frame count. The front end then swaps.
void draw_scene_frame(FieldScene& scene, const FieldViews& views, FrameRate& rate, Counter& counter,
                      RandomSource& random, unsigned overlay_glyphs);

// The frame rate as "%5.1f fps" in half-strength white at the top right of a view of the
// given size, from glyph display lists indexed by character code from glyph_list_base.
void draw_fps_overlay(float fps, int view_width, int view_height, unsigned glyph_list_base);

} // namespace orvanne
