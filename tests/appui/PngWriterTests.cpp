// PNG files of the screenshots: every chunk's checksum holds and the pixels decode back unchanged.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PngWriter.h"

namespace {

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Decodes what EncodePng writes (8-bit RGB, unfiltered rows); fails the test on any fault of the file.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& png, int& w, int& h) {
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() > 8 && std::equal(signature, signature + 8, png.begin()));
    std::vector<uint8_t> z;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t n = Be32(&png[at]);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        EXPECT_EQ(crc32(0, &png[at + 4], n + 4), Be32(&png[at + 8 + n])) << type;
        if (type == "IHDR") {
            w = static_cast<int>(Be32(&png[at + 8]));
            h = static_cast<int>(Be32(&png[at + 12]));
            EXPECT_EQ(png[at + 16], 8);  // bits a channel
            EXPECT_EQ(png[at + 17], 2);  // RGB
        }
        if (type == "IDAT") z.insert(z.end(), png.begin() + at + 8, png.begin() + at + 8 + n);
        at += 12 + n;
    }
    const size_t stride = size_t(w) * 3;
    std::vector<uint8_t> raw((stride + 1) * size_t(h));
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &size, z.data(), z.size()), Z_OK);
    EXPECT_EQ(size, raw.size());
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(raw[y * (stride + 1)], 0);  // no filter
        rgb.insert(rgb.end(), raw.begin() + y * (stride + 1) + 1, raw.begin() + (y + 1) * (stride + 1));
    }
    return rgb;
}

TEST(PngWriter, PixelsDecodeBackUnchanged) {
    // Pixel i's channel c as a function: flat areas, repeats at a row's distance, noise, and rows longer
    // than the encoder's window.
    const struct {
        const char* name;
        int w, h;
        uint8_t (*pixel)(size_t i);
    } cases[] = {
        {"one pixel", 1, 1, [](size_t) -> uint8_t { return 0xC8; }},
        {"flat", 64, 48, [](size_t) -> uint8_t { return 0xF0; }},
        {"stripes", 40, 30, [](size_t i) -> uint8_t { return (i / 3 / 7) % 2 ? 0 : 255; }},
        {"noise", 37, 29, [](size_t i) -> uint8_t { return static_cast<uint8_t>((i * 2654435761u) >> 13); }},
        {"wide rows", 12000, 4,
         [](size_t i) -> uint8_t { return static_cast<uint8_t>(i % 251 + i / 36000); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> rgb(size_t(c.w) * c.h * 3);
        for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = c.pixel(i);
        int w = 0, h = 0;
        EXPECT_EQ(Decode(EncodePng(c.w, c.h, rgb), w, h), rgb);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
    }
}

}  // namespace
