#include "still_render.h"

#include <algorithm>
#include <cmath>

#include "sparkle_texture.h"

namespace {

const double kPi = 3.14159265358979323846;
const float kHalfSide = 0.2f;
const float kNear = 0.1f;
const float kFar = 100.0f;

// Bilinear texel lookup with repeat wrapping, as GL_LINEAR samples the bound texture.
float Sparkle(float s, float t) {
    const int n = orvanne::sparkle_size;
    float x = s * n - 0.5f;
    float y = t * n - 0.5f;
    int x0 = static_cast<int>(std::floor(x));
    int y0 = static_cast<int>(std::floor(y));
    float fx = x - x0;
    float fy = y - y0;
    auto texel = [](int row, int column) {
        return orvanne::sparkle_texel(((row % n) + n) % n, ((column % n) + n) % n) / 255.0f;
    };
    float top = texel(y0, x0) * (1 - fx) + texel(y0, x0 + 1) * fx;
    float bottom = texel(y0 + 1, x0) * (1 - fx) + texel(y0 + 1, x0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

} // namespace

void DrawJewel(FloatImage& image, const orvanne::Jewel& jewel, float scene_angle) {
    orvanne::Placement p = orvanne::place_jewel(jewel);
    float alpha = std::clamp(p.alpha, 0.0f, 1.0f);
    if (alpha <= 0.0f || -p.z < kNear || -p.z > kFar)
        return;
    double turn = (scene_angle + jewel.spin) * kPi / 180.0;
    double c = std::cos(turn), s = std::sin(turn);
    // Eye space to pixels: all four corners share one depth, so the square maps affinely.
    double focal = 1.0 / std::tan(25.0 * kPi / 180.0);
    double aspect = static_cast<double>(image.width) / image.height;
    double scale_x = focal / aspect / -p.z * image.width / 2.0;
    double scale_y = focal / -p.z * image.height / 2.0;
    auto to_pixel = [&](double ex, double ey, double& px, double& py) {
        double rx = c * ex - s * ey;
        double ry = s * ex + c * ey;
        px = image.width / 2.0 + rx * scale_x;
        py = image.height / 2.0 - ry * scale_y;
    };
    double min_x = 1e300, max_x = -1e300, min_y = 1e300, max_y = -1e300;
    for (int corner = 0; corner < 4; ++corner) {
        double px, py;
        to_pixel(p.x + (corner & 1 ? kHalfSide : -kHalfSide),
                 p.y + (corner & 2 ? kHalfSide : -kHalfSide), px, py);
        min_x = std::min(min_x, px);
        max_x = std::max(max_x, px);
        min_y = std::min(min_y, py);
        max_y = std::max(max_y, py);
    }
    int x0 = std::max(0, static_cast<int>(std::floor(min_x)));
    int x1 = std::min(image.width - 1, static_cast<int>(std::ceil(max_x)));
    int y0 = std::max(0, static_cast<int>(std::floor(min_y)));
    int y1 = std::min(image.height - 1, static_cast<int>(std::ceil(max_y)));
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            // Back from the pixel centre to the unturned square.
            double rx = (px + 0.5 - image.width / 2.0) / scale_x;
            double ry = (image.height / 2.0 - (py + 0.5)) / scale_y;
            double ex = c * rx + s * ry;
            double ey = -s * rx + c * ry;
            double u = (ex - (p.x - kHalfSide)) / (2 * kHalfSide);
            double v = (ey - (p.y - kHalfSide)) / (2 * kHalfSide);
            if (u < 0 || u >= 1 || v < 0 || v >= 1)
                continue;
            float grey = Sparkle(static_cast<float>(u), static_cast<float>(v)) * alpha;
            float* out = &image.rgb[(static_cast<std::size_t>(py) * image.width + px) * 3];
            out[0] = std::min(1.0f, out[0] + jewel.red * grey);
            out[1] = std::min(1.0f, out[1] + jewel.green * grey);
            out[2] = std::min(1.0f, out[2] + jewel.blue * grey);
        }
    }
}

void DrawField(FloatImage& image, const orvanne::Jewel* jewels, int count, float scene_angle) {
    std::fill(image.rgb.begin(), image.rgb.end(), 0.0f);
    for (int i = 0; i < count; ++i)
        DrawJewel(image, jewels[i], scene_angle);
}

std::vector<uint8_t> ShrinkToBytes(const FloatImage& image, int factor) {
    factor = std::max(factor, 1);
    int w = image.width / factor;
    int h = image.height / factor;
    std::vector<uint8_t> out(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int ch = 0; ch < 3; ++ch) {
                float sum = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx)
                        sum +=
                            image.rgb[((static_cast<std::size_t>(y) * factor + dy) * image.width +
                                       x * factor + dx) *
                                          3 +
                                      ch];
                float mean = sum / (factor * factor);
                out[(static_cast<std::size_t>(y) * w + x) * 3 + ch] =
                    static_cast<uint8_t>(std::lround(std::clamp(mean, 0.0f, 1.0f) * 255));
            }
        }
    }
    return out;
}
