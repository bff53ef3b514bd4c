#include "field_scene.h"
#include "gl_headers.h"
#include "sparkle_texture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace stars {

namespace {

void report_malloc_failure() {
    std::fprintf(stderr, "malloc: %s\n", std::strerror(errno));
}

} // namespace

int init_field(FieldScene& scene, RandomSource& random) {
    scene.scene_angle = 0.0f;
    scene.jewels = static_cast<Jewel*>(std::malloc(sizeof(Jewel) * jewel_count));
    if (!scene.jewels) {
        report_malloc_failure();
        return 1;
    }
    for (int i = 0; i < jewel_count; ++i)
        reset_jewel(scene.jewels[i], random);
    return 0;
}

void free_field(FieldScene& scene) {
    std::free(scene.jewels);
    scene.jewels = nullptr;
}

int init_field_gl(FieldScene& scene) {
    auto* texels = static_cast<uint8_t*>(std::malloc(sparkle_bytes));
    if (!texels) {
        report_malloc_failure();
        return 1;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    scene.sparkle_texture = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    fill_sparkle(texels);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, sparkle_size, sparkle_size, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texels);
    std::free(texels);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    return 0;
}

void free_field_gl(FieldScene& scene) {
    GLuint texture = scene.sparkle_texture;
    if (texture)
        glDeleteTextures(1, &texture);
    scene.sparkle_texture = 0;
}

void reshape_field(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
    // A minimised window reports zero height; its projection is rebuilt on restore.
    if (height > 0) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(50.0, static_cast<double>(width) / height, 0.1, 100.0);
    }
}

} // namespace stars
