#pragma once
// A software drawing of one frame of the jewel field, the way the renderer draws it with
// OpenGL (fovy 50, near 0.1, far 100; textured squares added with their alpha), so the
// preview still can be made without a GPU.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jewel_field.h"

// Linear RGB, 0..1 per channel, rows from the top.
struct FloatImage {
    int width = 0;
    int height = 0;
    std::vector<float> rgb;

    FloatImage(int w, int h)
        : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0.0f) {}
};

// Adds one jewel's square at its placement, turned by the field's angle plus its own spin.
void DrawJewel(FloatImage& image, const orvanne::Jewel& jewel, float scene_angle);

// Draws a whole frame: black, then every jewel in table order.
void DrawField(FloatImage& image, const orvanne::Jewel* jewels, int count, float scene_angle);

// Box-filters the image down by a whole factor and clamps to bytes, rows from the top.
std::vector<uint8_t> ShrinkToBytes(const FloatImage& image, int factor);
