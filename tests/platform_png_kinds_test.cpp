// The picture loader reads every kind of PNG the data generator writes (palettes with and without
// an alpha table, grey, colour) into the same straight RGBA, in every build of the game.
#include "TestSupport.h"
#include "platform/PngDecode.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

struct PngKindCase {
    const char* name;
    int colourType;
    int bitDepth;
    std::vector<Rgba> palette;    // palette kinds: PLTE, and tRNS up to the last see-through entry
    std::vector<uint8_t> samples; // one row after the other, as the file stores them unpacked
    std::vector<Rgba> expected;   // 4 x 2 pixels
};

// Writes a 4 x 2 picture; false when libpng refuses.
bool WritePng(const std::string& path, const PngKindCase& c) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, 4, 2, c.bitDepth, c.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colours;
    std::vector<png_byte> alphas;
    int seeThrough = 0;
    for (const Rgba& e : c.palette) {
        colours.push_back({e.r, e.g, e.b});
        alphas.push_back(e.a);
        if (e.a != 255) seeThrough = int(alphas.size());
    }
    if (!colours.empty()) png_set_PLTE(png, info, colours.data(), int(colours.size()));
    if (seeThrough) png_set_tRNS(png, info, alphas.data(), seeThrough, nullptr);
    png_write_info(png, info);
    if (c.bitDepth < 8) png_set_packing(png);
    const size_t rowBytes = c.samples.size() / 2;
    std::vector<uint8_t> samples = c.samples;
    png_bytep rows[2] = {samples.data(), samples.data() + rowBytes};
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

class PngKindsTest : public HeadlessTest {};

TEST_F(PngKindsTest, EveryKindTheGeneratorWritesDecodesToTheSameRgba) {
    const Rgba clear{0, 0, 0, 0}, halfRed{255, 0, 0, 128}, green{0, 255, 0, 255},
        paper{240, 230, 200, 255}, ink{32, 32, 32, 255}, grey{90, 90, 90, 255},
        faintGrey{90, 90, 90, 40};
    const PngKindCase cases[] = {
        {"palette with an alpha table",
         PNG_COLOR_TYPE_PALETTE,
         8,
         {clear, halfRed, green},
         {0, 1, 2, 1, 2, 2, 0, 1},
         {clear, halfRed, green, halfRed, green, green, clear, halfRed}},
        {"palette, opaque entries past the alpha table",
         PNG_COLOR_TYPE_PALETTE,
         8,
         {halfRed, paper, ink},
         {1, 2, 0, 1, 2, 1, 1, 0},
         {paper, ink, halfRed, paper, ink, paper, paper, halfRed}},
        {"palette of 4-bit indices without alpha",
         PNG_COLOR_TYPE_PALETTE,
         4,
         {paper, ink, green},
         {0, 1, 2, 0, 2, 1, 0, 0},
         {paper, ink, green, paper, green, ink, paper, paper}},
        {"grey",
         PNG_COLOR_TYPE_GRAY,
         8,
         {},
         {90, 90, 32, 32, 90, 32, 90, 32},
         {grey, grey, ink, ink, grey, ink, grey, ink}},
        {"grey with alpha",
         PNG_COLOR_TYPE_GRAY_ALPHA,
         8,
         {},
         {90, 40, 90, 255, 0, 0, 32, 255, 90, 40, 90, 40, 0, 0, 32, 255},
         {faintGrey, grey, clear, ink, faintGrey, faintGrey, clear, ink}},
        {"colour without alpha",
         PNG_COLOR_TYPE_RGB,
         8,
         {},
         {240, 230, 200, 32, 32, 32, 0,   255, 0,   240, 230, 200,
          0,   255, 0,   32, 32, 32, 240, 230, 200, 0,   255, 0},
         {paper, ink, green, paper, green, ink, paper, green}},
    };
    for (const PngKindCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempPath("kind.png");
        ASSERT_TRUE(WritePng(path, c));
        DecodedPng picture;
        std::string error;
        ASSERT_TRUE(DecodePng(path.c_str(), 4096, picture, error)) << error;
        ASSERT_EQ(picture.width, 4);
        ASSERT_EQ(picture.height, 2);
        ASSERT_EQ(picture.rgba.size(), 4u * 2u * 4u);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            const uint8_t* p = &picture.rgba[i * 4];
            const Rgba& e = c.expected[i];
            EXPECT_TRUE(p[0] == e.r && p[1] == e.g && p[2] == e.b && p[3] == e.a)
                << "pixel " << i << ": " << int(p[0]) << "," << int(p[1]) << "," << int(p[2]) << ","
                << int(p[3]) << " instead of " << int(e.r) << "," << int(e.g) << "," << int(e.b)
                << "," << int(e.a);
        }
    }
}

} // namespace
