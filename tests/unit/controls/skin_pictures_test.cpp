// The shipped skin pictures against the colour tables of the frame.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

Rgb Hex(uint32_t v) {
    return {int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)};
}

std::string Text(const Rgb& c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", c[0], c[1], c[2]);
    return s;
}

struct Picture {
    int width = 0, height = 0, bits = 0;
    std::vector<uint8_t> data;
    size_t offset = 0;

    explicit Picture(const std::string& name) {
        std::ifstream f(std::string(ORVANNE_SKINS_DIR) + "/" + name + ".bmp", std::ios::binary);
        data.assign(std::istreambuf_iterator<char>(f), {});
        if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
            return;
        offset = U32(10);
        width = static_cast<int>(U32(18));
        height = static_cast<int>(U32(22));
        bits = data[28] | data[29] << 8;
    }
    uint32_t U32(size_t at) const {
        return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t(data[at + 3]) << 24;
    }
    // Bottom-up rows of blue, green, red; y counts from the top.
    Rgb At(int x, int y) const {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        const size_t i = offset + (height - 1 - y) * stride + x * 3;
        return {data[i + 2], data[i + 1], data[i]};
    }
};

// Within a step of rounding from a colour of the table.
bool Near(const Rgb& a, const Rgb& b, int slack = 2) {
    for (int i = 0; i < 3; ++i)
        if (a[i] - b[i] > slack || b[i] - a[i] > slack)
            return false;
    return true;
}

#define EXPECT_PIXEL(pic, x, y, hex)                                                               \
    EXPECT_TRUE(Near((pic).At(x, y), Hex(hex)))                                                    \
        << "(" << (x) << "," << (y) << ") is " << Text((pic).At(x, y)) << ", want "                \
        << Text(Hex(hex))

struct Framed {
    const char* name;
    uint32_t outline, row2, row3, row21, row22;
    uint32_t col[4][2]; // columns 2, 3, 60, 61: top, bottom
};

const Framed kFramed[] = {
    {"normal",
     0x003C74,
     0xF3F3EE,
     0xF3F3EE,
     0xE2DFD6,
     0xD6D0C5,
     {{0xFDFDFC, 0xECEBE6}, {0xFDFDFC, 0xEBEBE5}, {0xFBFBFA, 0xE4E2DA}, {0xF6F4F2, 0xE0DDD4}}},
    {"highlight",
     0x003C74,
     0xFFF0CF,
     0xFDD889,
     0xF8B330,
     0xE59700,
     {{0xFEDF9A, 0xF9B435}, {0xFCD279, 0xF8B535}, {0xFCD279, 0xF8B535}, {0xFDE09B, 0xF8B435}}},
    {"selected",
     0x003C74,
     0xCEE7FF,
     0xCEE7FF,
     0x6982EE,
     0x6982EE,
     {{0xB7D0F4, 0x8BADE4}, {0xB8D1F4, 0x8BADE4}, {0xB1CCF2, 0x8BAFE5}, {0xB1CCF2, 0x8BAFE5}}},
    {"disable",
     0xC9C7BA,
     0xF5F4EA,
     0xF5F4EA,
     0xF5F4EA,
     0xF5F4EA,
     {{0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}}},
};

TEST(SkinPictures, AllAre64By25At24Bits) {
    for (const char* name :
         {"normal", "highlight", "pressed", "selected", "highlightselect", "disable"}) {
        Picture p(name);
        EXPECT_EQ(p.width, 64) << name;
        EXPECT_EQ(p.height, 25) << name;
        EXPECT_EQ(p.bits, 24) << name;
        EXPECT_GE(p.data.size(), p.offset + 64 * 3 * 25) << name;
    }
}

TEST(SkinPictures, OutlineAndBandsFollowTheTable) {
    for (const Framed& s : kFramed) {
        SCOPED_TRACE(s.name);
        Picture p(s.name);
        ASSERT_EQ(p.width, 64);
        const bool disabled = std::string(s.name) == "disable";
        for (int x : {4, 30, 59}) {
            EXPECT_PIXEL(p, x, 0, disabled ? 0xECE9D8 : (x % 2 ? 0xDCD6C2 : 0xE0DCC9));
            EXPECT_PIXEL(p, x, 24, disabled ? 0xECE9D8 : (x % 2 ? 0xFAFAF6 : 0xF8F7F0));
            EXPECT_PIXEL(p, x, 1, s.outline);
            EXPECT_PIXEL(p, x, 23, s.outline);
            EXPECT_PIXEL(p, x, 2, s.row2);
            EXPECT_PIXEL(p, x, 3, s.row3);
            EXPECT_PIXEL(p, x, 21, s.row21);
            EXPECT_PIXEL(p, x, 22, s.row22);
        }
        for (int y : {4, 12, 20}) {
            EXPECT_PIXEL(p, 0, y, disabled ? 0xECE9D8 : 0xE2DECB);
            EXPECT_PIXEL(p, 63, y, disabled ? 0xECE9D8 : 0xF0EEE0);
            EXPECT_PIXEL(p, 1, y, s.outline);
            EXPECT_PIXEL(p, 62, y, s.outline);
        }
        const int cols[4] = {2, 3, 60, 61};
        for (int i = 0; i < 4; ++i) {
            EXPECT_PIXEL(p, cols[i], 4, s.col[i][0]);
            EXPECT_PIXEL(p, cols[i], 20, s.col[i][1]);
        }
    }
}

TEST(SkinPictures, CornersAreRounded) {
    Picture normal("normal");
    ASSERT_EQ(normal.width, 64);
    const uint32_t topLeft[4][4] = {
        {0xE9E7D5, 0xE4DFCE, 0xE1DDCA, 0xE0DCC9},
        {0xE4DFCE, 0xE6E1D0, 0x7A95A8, 0x255783},
        {0xE2DECB, 0x7A95A8, 0x557DA2, 0xC0CFDD},
        {0xE2DECB, 0x255783, 0xBFCEDC, 0xFEFEFE},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_PIXEL(normal, x, y, topLeft[y][x]);

    // Every corner of every framed skin: no outline in the corner's own pixel or at (1, 1),
    // a dark step at (1, 3) and (3, 1) and a blend between at (1, 2).
    for (const Framed& s : kFramed) {
        Picture p(s.name);
        const Rgb outline = Hex(s.outline);
        for (auto [cx, cy] : {std::pair{0, 0}, {63, 0}, {0, 24}, {63, 24}}) {
            auto at = [&, cx = cx, cy = cy](int dx, int dy) {
                return p.At(cx ? cx - dx : dx, cy ? cy - dy : dy);
            };
            SCOPED_TRACE(std::string(s.name) + " corner " + std::to_string(cx) + "," +
                         std::to_string(cy));
            EXPECT_FALSE(Near(at(0, 0), outline, 16));
            EXPECT_FALSE(Near(at(1, 1), outline, 16));
            EXPECT_TRUE(Near(at(3, 1), outline, 48)) << Text(at(3, 1));
            EXPECT_TRUE(Near(at(1, 3), outline, 48)) << Text(at(1, 3));
            const Rgb blend = at(2, 1), back = at(0, 1);
            for (int i = 0; i < 3; ++i) {
                if (outline[i] != back[i]) {
                    EXPECT_TRUE((blend[i] - outline[i]) * (back[i] - blend[i]) > 0)
                        << "(2,1) " << Text(blend) << " lies between outline and background";
                }
            }
        }
    }
}

TEST(SkinPictures, HighLightSelectIsHighLight) {
    Picture a("highlight"), b("highlightselect");
    ASSERT_FALSE(a.data.empty());
    EXPECT_EQ(a.data, b.data);
}

TEST(SkinPictures, PressedLiesOnePixelFurtherIn) {
    Picture p("pressed");
    ASSERT_EQ(p.width, 64);
    for (int x : {0, 10, 40, 63})
        for (int y : {0, 24})
            EXPECT_PIXEL(p, x, y, 0xECE9D8);
    for (int y : {5, 12, 19}) {
        EXPECT_PIXEL(p, 0, y, 0xECE9D8);
        EXPECT_PIXEL(p, 63, y, 0xECE9D8);
        EXPECT_PIXEL(p, 1, y, 0xE2DECB);
        EXPECT_PIXEL(p, 62, y, 0xF0EEE0);
        EXPECT_PIXEL(p, 2, y, 0x003C74);
        EXPECT_PIXEL(p, 61, y, 0x003C74);
    }
    for (int x : {10, 30, 50}) {
        EXPECT_PIXEL(p, x, 1, x % 2 ? 0xDCD6C2 : 0xE0DCC9);
        EXPECT_PIXEL(p, x, 23, x % 2 ? 0xFAFAF6 : 0xF8F7F0);
        EXPECT_PIXEL(p, x, 2, 0x003C74);
        EXPECT_PIXEL(p, x, 22, 0x003C74);
        EXPECT_PIXEL(p, x, 3, 0xD1CCC1);
        EXPECT_PIXEL(p, x, 21, 0xF2F1EE);
    }
    // Darker at both ends of the band rows.
    for (int x : {4, 59}) {
        EXPECT_PIXEL(p, x, 3, 0x9DA8AC);
        EXPECT_PIXEL(p, x, 21, 0xCAD3DA);
    }
    EXPECT_PIXEL(p, 3, 4, 0xA0ABB1);
    EXPECT_PIXEL(p, 3, 12, 0xD7D4CB);
    EXPECT_PIXEL(p, 3, 20, 0xBCC5C7);
    EXPECT_PIXEL(p, 60, 4, 0xA9B5BD);
    EXPECT_PIXEL(p, 60, 12, 0xE4E3DC);
    EXPECT_PIXEL(p, 60, 20, 0xC4CED2);
}

} // namespace
