// Makes the preview still: runs our own jewel field for a while, draws one frame offscreen
// and shrinks it to the size of the display settings' monitor, written as a 24-bit BMP.
//   make_still OUTPUT.bmp [SEED [SECONDS [FACTOR]]]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "jewel_field.h"
#include "still_render.h"

namespace {

const int kWidth = 152;
const int kHeight = 112;
const float kFps = 60.0f;

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A bottom-up 24-bit BMP; 152 * 3 bytes a row needs no padding.
bool WriteBmp(const char* path, const std::vector<uint8_t>& rgb, int w, int h) {
    uint32_t stride = (w * 3 + 3) & ~3u;
    uint32_t image = stride * h;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + image, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, w, 4);
    PutLe(out, h, 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, image, 4);
    PutLe(out, 3780, 4); // 96 dpi
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* px = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            out.push_back(px[2]);
            out.push_back(px[1]);
            out.push_back(px[0]);
        }
        for (uint32_t pad = w * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_still OUTPUT.bmp [SEED [SECONDS [FACTOR]]]\n");
        return 2;
    }
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    float seconds = argc > 3 ? static_cast<float>(std::atof(argv[3])) : 12.0f;
    int factor = argc > 4 ? std::atoi(argv[4]) : 4;
    if (factor < 1 || factor > 16 || !(seconds >= 0 && seconds <= 600)) {
        std::fprintf(stderr, "make_still: FACTOR must be 1..16 and SECONDS 0..600\n");
        return 2;
    }

    orvanne::SeededRandom random(seed);
    std::vector<orvanne::Jewel> jewels(orvanne::jewel_count);
    for (orvanne::Jewel& j : jewels)
        orvanne::reset_jewel(j, random);
    // Let the field fill the depth from far to near before taking the frame.
    float angle = 0.0f;
    for (int frame = 0; frame < static_cast<int>(seconds * kFps); ++frame) {
        angle = orvanne::step_scene_angle(angle, kFps);
        for (orvanne::Jewel& j : jewels)
            orvanne::step_jewel(j, kFps, random);
    }

    FloatImage image(kWidth * factor, kHeight * factor);
    DrawField(image, jewels.data(), static_cast<int>(jewels.size()), angle);
    if (!WriteBmp(argv[1], ShrinkToBytes(image, factor), kWidth, kHeight)) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
