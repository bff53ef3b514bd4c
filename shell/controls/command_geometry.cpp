#include "command_geometry.h"

namespace orvanne {

namespace {

int RoundedDiv(long long num, long long den) {
    // Halves away from zero, whatever the sign.
    return static_cast<int>(num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den));
}

GradientVertex Vertex(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    return {x, y, static_cast<uint16_t>(r << 8), static_cast<uint16_t>(g << 8),
            static_cast<uint16_t>(b << 8)};
}

} // namespace

int TwipsToPixels(int twips, int dpi) {
    return dpi > 0 ? RoundedDiv(static_cast<long long>(twips) * dpi, kTwipsPerInch) : 0;
}

int PixelsToTwips(int pixels, int dpi) {
    return dpi > 0 ? RoundedDiv(static_cast<long long>(pixels) * kTwipsPerInch, dpi) : 0;
}

std::vector<FramePiece> FramePieces(int width, int height) {
    const int c = kSkinCorner;
    const int edgeX = kSkinWidth - 2 * c;  // 56
    const int edgeY = kSkinHeight - 2 * c; // 17
    const int right = width - c, bottom = height - c;
    const int spanX = width - 2 * c, spanY = height - 2 * c;
    const FramePiece all[8] = {
        {{0, 0, c, c}, {0, 0, c, c}},
        {{c, 0, edgeX, c}, {c, 0, spanX, c}},
        {{kSkinWidth - c, 0, c, c}, {right, 0, c, c}},
        {{kSkinWidth - c, c, c, edgeY}, {right, c, c, spanY}},
        {{kSkinWidth - c, kSkinHeight - c, c, c}, {right, bottom, c, c}},
        {{c, kSkinHeight - c, edgeX, c}, {c, bottom, spanX, c}},
        {{0, kSkinHeight - c, c, c}, {0, bottom, c, c}},
        {{0, c, c, edgeY}, {0, c, c, spanY}},
    };
    std::vector<FramePiece> pieces;
    if (width <= 0 || height <= 0)
        return pieces;
    // A negative span would mirror the strip across the corners: leave it out.
    for (const FramePiece& p : all)
        if (p.dest.width > 0 && p.dest.height > 0)
            pieces.push_back(p);
    return pieces;
}

float CaptionTopTwips(int heightTwips) {
    return (static_cast<float>(heightTwips) - kCaptionHeightTwips - kCaptionLiftTwips) / 2.0f;
}

PixelRect CaptionRect(int width, int height, int dpi) {
    const float top = CaptionTopTwips(PixelsToTwips(height, dpi));
    const float topPixels = top * static_cast<float>(dpi) / kTwipsPerInch;
    const int y = static_cast<int>(topPixels >= 0 ? topPixels + 0.5f : topPixels - 0.5f);
    return {0, y, width, TwipsToPixels(kCaptionHeightTwips, dpi)};
}

FaceGradient MakeFaceGradient(int width, int height, bool reversed) {
    const int x1 = width - 1, y1 = height - 1;
    FaceGradient g;
    if (!reversed) {
        g.vertex[0] = Vertex(0, 0, 0xFF, 0xFF, 0xFF);
        g.vertex[1] = Vertex(x1, y1, 0xC6, 0xC5, 0xD7);
    } else {
        g.vertex[0] = Vertex(0, 0, 0xC6, 0xC5, 0xD7);
        g.vertex[1] = Vertex(x1, y1, 0xFF, 0xFF, 0xFF);
    }
    return g;
}

} // namespace orvanne
