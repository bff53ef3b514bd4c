#include "field_scene.h"
#include "gl_headers.h"
#include "sparkle_texture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvanne {

namespace {

void report_malloc_failure() {
    std::fprintf(stderr, "malloc: %s\n", std::strerror(errno));
}

} // namespace

int init_field(FieldScene& scene, RandomSource& random) {
    scene.scene_angle = 0.0f;
    scene.jewels = nullptr;
    scene.field_count = 0;
    return add_fields(scene, 1, random);
}

int add_fields(FieldScene& scene, int count, RandomSource& random) {
    if (count <= scene.field_count)
        return 0;
    void* grown = std::realloc(scene.jewels, sizeof(Jewel) * jewel_count * count);
    if (!grown) {
        report_malloc_failure();
        return 1;
    }
    scene.jewels = static_cast<Jewel*>(grown);
    for (int i = scene.field_count * jewel_count; i < count * jewel_count; ++i)
        reset_jewel(scene.jewels[i], random);
    scene.field_count = count;
    return 0;
}

void free_field(FieldScene& scene) {
    std::free(scene.jewels);
    scene.jewels = nullptr;
    scene.field_count = 0;
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

} // namespace orvanne
