// The jewel field drawn with OpenGL 1.1: texture, blending and one square per jewel.
#include "renderer.h"
#include "sparkle_texture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

SceneState scene;

namespace {

// mingw's rand(), on both builds, gives 0..32767: the range the jewel reset expects.
static_assert(RAND_MAX == stars::random_max, "rand() must give 0..32767");

class CrtRandom : public stars::RandomSource {
  public:
    int next() override { return std::rand(); }
};

CrtRandom crt_random;

void report_malloc_failure() {
    std::fprintf(stderr, "malloc: %s\n", std::strerror(errno));
}

} // namespace

void hide_cursor() {
    ShowCursor(FALSE);
}

int init_jewels() {
    renderer.show_fps = true;
    scene.scene_angle = 0.0f;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    scene.jewels =
        static_cast<stars::Jewel*>(std::malloc(sizeof(stars::Jewel) * stars::jewel_count));
    if (!scene.jewels) {
        report_malloc_failure();
        return 1;
    }
    for (int i = 0; i < stars::jewel_count; ++i)
        stars::reset_jewel(scene.jewels[i], crt_random);
    return 0;
}

int init_gl_scene() {
    auto* texels = static_cast<uint8_t*>(std::malloc(stars::sparkle_bytes));
    if (!texels) {
        report_malloc_failure();
        return 1;
    }
    glGenTextures(1, &scene.sparkle_texture);
    glBindTexture(GL_TEXTURE_2D, scene.sparkle_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    stars::fill_sparkle(texels);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, stars::sparkle_size, stars::sparkle_size, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, texels);
    std::free(texels);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    hide_cursor();
    return 0;
}

void draw_jewels() {
    const float fps = renderer.rate.fps;
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(scene.scene_angle, 0.0f, 0.0f, 1.0f);
    scene.scene_angle = stars::step_scene_angle(scene.scene_angle, fps);
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < stars::jewel_count; ++i) {
        stars::Placement p = stars::step_jewel(scene.jewels[i], fps, crt_random);
        glColor4f(p.red, p.green, p.blue, p.alpha);
        glPushMatrix();
        glRotatef(p.spin, 0.0f, 0.0f, 1.0f);
        glBegin(GL_QUADS);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(p.x + 0.2f, p.y + 0.2f, p.z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(p.x - 0.2f, p.y + 0.2f, p.z);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(p.x - 0.2f, p.y - 0.2f, p.z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(p.x + 0.2f, p.y - 0.2f, p.z);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
}
