// Where the parts of a Command button's face go, in pixels, from its size in twips.
#pragma once

#include <cstdint>
#include <vector>

namespace orvanne {

// Skin pictures are 64 x 25 pixels; only their outer 4 pixels are drawn.
constexpr int kSkinWidth = 64;
constexpr int kSkinHeight = 25;
constexpr int kSkinCorner = 4;

// The caption label's height and its lift above the exact centre.
constexpr int kCaptionHeightTwips = 195;
constexpr int kCaptionLiftTwips = 20;

constexpr int kTwipsPerInch = 1440;

// Geometry values are 16-bit: a side beyond this does not fit.
constexpr int kMaxTwips = 32767;

// Rounded to the nearest pixel at dpi dots per inch (15 twips a pixel at 96).
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

struct PixelRect {
    int x, y, width, height;
};

struct FramePiece {
    PixelRect source; // in the skin picture
    PixelRect dest;   // on the face
};

// The eight frame pieces for a face of width x height pixels, in drawing order: corners
// at their natural size, edges stretched between them, never the centre. A piece with
// nothing to draw (edges of a face under 8 pixels) is left out.
std::vector<FramePiece> FramePieces(int width, int height);

// Top of the caption label in twips: centred, lifted 10 twips above the middle.
float CaptionTopTwips(int heightTwips);

// The caption label on a face of width x height pixels: the whole width, its design
// height, placed by CaptionTopTwips.
PixelRect CaptionRect(int width, int height, int dpi);

// The face gradient as GradientFill takes it: channels in 16 bits, colour in the high byte.
struct GradientVertex {
    int32_t x, y;
    uint16_t red, green, blue;
};

struct FaceGradient {
    GradientVertex vertex[2];
    // GRADIENT_RECT naming: vertex 1 upper-left, vertex 0 lower-right. Rows still take
    // their colours from the vertices' positions, so vertex 0 colours the top row.
    uint32_t upperLeft = 1;
    uint32_t lowerRight = 0;
};

// White over the tint #C6C5D7, or the reverse. Vertex 0 at the top-left pixel, vertex 1 at
// the bottom-right one.
FaceGradient MakeFaceGradient(int width, int height, bool reversed);

} // namespace orvanne
