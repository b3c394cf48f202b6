// The generator's PNG writer: pictures of few colours are stored exactly, the rest reduced to a
// palette only within the error bound and otherwise stored exactly; the bound itself.
#include "PngWrite.h"
#include "../TestSupport.h"
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <png.h>
#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& bytes, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    image.format = PNG_FORMAT_RGBA;
    width = int(image.width);
    height = int(image.height);
    std::vector<std::uint8_t> rgba(size_t(width) * size_t(height) * 4);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return {};
    return rgba;
}

struct Picture {
    int w, h;
    std::vector<std::uint8_t> rgba;
};

// A wash from pale blue to cream with a soft alpha edge: thousands of colours, all close.
Picture Wash() {
    Picture p{200, 120, {}};
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const double t = x / double(p.w - 1), u = y / double(p.h - 1);
            p.rgba.push_back(std::uint8_t(180 + 60 * t));
            p.rgba.push_back(std::uint8_t(200 + 30 * t - 20 * u));
            p.rgba.push_back(std::uint8_t(230 - 40 * t));
            p.rgba.push_back(std::uint8_t(x < 10 ? 25 * x : 255));
        }
    return p;
}

// Every pixel its own random colour: no palette keeps it.
Picture Noise(bool alpha) {
    Picture p{64, 64, {}};
    std::mt19937 rng(7);
    for (int i = 0; i < p.w * p.h; ++i) {
        for (int c = 0; c < 3; ++c)
            p.rgba.push_back(std::uint8_t(rng()));
        p.rgba.push_back(alpha ? std::uint8_t(1 + rng() % 255) : 255);
    }
    return p;
}

TEST(PngWrite, EachPictureIsStoredExactlyOrWithinTheBound) {
    Picture few{6, 2, {0,  0,  0,  0,   255, 0,  0,  128, 20,  40, 60, 255, 0, 0, 0, 0,
                       20, 40, 60, 255, 255, 0,  0,  128, 255, 0,  0,  128, 0, 0, 0, 0,
                       20, 40, 60, 255, 90,  90, 90, 200, 20,  40, 60, 255, 0, 0, 0, 0}};
    Picture grey{3, 1, {10, 10, 10, 255, 200, 200, 200, 255, 77, 77, 77, 255}};
    struct Case {
        const char* name;
        Picture picture;
        PngKind kind;
    } cases[] = {
        {"a few colours: an exact palette", few, PngKind::Palette},
        {"a wash: a reduced palette", Wash(), PngKind::QuantisedPalette},
        {"opaque noise: exact colour", Noise(false), PngKind::Rgb},
        {"noise with alpha: exact colour and alpha", Noise(true), PngKind::Rgba},
        {"three greys: still an exact palette", grey, PngKind::Palette},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EncodedPng png = EncodePicture(c.picture.rgba.data(), c.picture.w, c.picture.h, "t");
        EXPECT_EQ(int(png.kind), int(c.kind));
        int w = 0, h = 0;
        const std::vector<std::uint8_t> back = Decode(png.bytes, w, h);
        ASSERT_EQ(w, c.picture.w);
        ASSERT_EQ(h, c.picture.h);
        ASSERT_EQ(back.size(), c.picture.rgba.size());
        if (png.kind == PngKind::QuantisedPalette) {
            const QuantError e =
                PremultipliedError(c.picture.rgba.data(), back.data(), size_t(w) * size_t(h));
            EXPECT_TRUE(WithinQuantBound(e)) << e.worst << " " << e.thousandth << " " << e.mean;
            EXPECT_LE(png.colours, 256);
        } else {
            EXPECT_EQ(back, c.picture.rgba);
        }
        // The same pixels give the same bytes.
        EXPECT_EQ(EncodePicture(c.picture.rgba.data(), c.picture.w, c.picture.h, "t").bytes,
                  png.bytes);
    }
}

TEST(PngWrite, TheBoundWeighsEachPixelAsItIsDrawn) {
    constexpr int kPixels = 10000;
    struct Case {
        const char* name;
        int offPixels; // pixels whose red is off
        int off;       // by this much (straight)
        int alpha;     // the alpha of every pixel
        int allOff;    // every pixel's green off by this much too
        bool within;
    } cases[] = {
        {"one pixel off by 64", 1, 64, 255, 0, true},
        {"one pixel off by 65: a small detail lost its colour", 1, 65, 255, 0, false},
        {"a thousandth off by 20", 10, 20, 255, 0, true},
        {"two thousandths off by 20: an area is off", 20, 20, 255, 0, false},
        {"two thousandths half clear, off by 20: 10 as drawn", 20, 20, 128, 0, true},
        {"clear pixels add nothing whatever their colour", kPixels, 200, 0, 0, true},
        {"every pixel off by 1", 0, 0, 255, 1, true},
        {"every green off by 5: a tint, mean 1.25", 0, 0, 255, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> a(kPixels * 4), b(kPixels * 4);
        for (int i = 0; i < kPixels; ++i) {
            std::uint8_t* p = &a[size_t(i) * 4];
            std::uint8_t* q = &b[size_t(i) * 4];
            p[0] = 100, p[1] = 100, p[2] = 100, p[3] = std::uint8_t(c.alpha);
            std::memcpy(q, p, 4);
            if (i < c.offPixels) q[0] = std::uint8_t(100 + c.off);
            q[1] = std::uint8_t(100 + c.allOff);
        }
        const QuantError e = PremultipliedError(a.data(), b.data(), kPixels);
        EXPECT_EQ(WithinQuantBound(e), c.within) << e.worst << " " << e.thousandth << " " << e.mean;
    }
}

} // namespace

// The cache gives the encoder's own bytes, from the entry once it has one; a picture drawn
// differently by a single pixel is encoded afresh, never given the old entry; a run of every
// group leaves only the entries it used; a cache that cannot be written only costs the time.
TEST(PngWrite, TheCacheGivesTheEncodersBytesAndNeverAnotherPicturesEntry) {
    ScratchFolder scratch("pebblefrost_pngcache_");
    ASSERT_FALSE(scratch.dir.empty());
    const Picture wash = Wash();
    Picture touched = wash;
    touched.rgba[4 * 58 + 1] ^= 1; // one channel of one pixel
    const auto plain = [](const Picture& p) {
        return EncodePicture(p.rgba.data(), p.w, p.h, "t").bytes;
    };
    const auto entries = [](const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> all;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            all.push_back(e.path());
        return all;
    };

    PngCache cache;
    cache.folder = std::filesystem::path(scratch.dir) / "cache";
    EXPECT_EQ(cache.Encode(wash.rgba.data(), wash.w, wash.h, "t"), plain(wash));
    ASSERT_EQ(entries(cache.folder).size(), 1u);
    // A second ask is answered from the entry: marked, the entry's bytes come back.
    const std::filesystem::path entry = entries(cache.folder)[0];
    std::vector<std::uint8_t> marked = plain(wash);
    marked.push_back('!');
    WriteFileBytes(entry, marked);
    EXPECT_EQ(cache.Encode(wash.rgba.data(), wash.w, wash.h, "t"), marked);
    // One pixel changed: its own encoding, in an entry of its own.
    EXPECT_EQ(cache.Encode(touched.rgba.data(), touched.w, touched.h, "t"), plain(touched));
    EXPECT_EQ(entries(cache.folder).size(), 2u);

    // The next run asks for the touched picture only: the wash's entry goes.
    PngCache next;
    next.folder = cache.folder;
    EXPECT_EQ(next.Encode(touched.rgba.data(), touched.w, touched.h, "t"), plain(touched));
    next.Prune();
    ASSERT_EQ(entries(cache.folder).size(), 1u);
    EXPECT_NE(entries(cache.folder)[0], entry);

    // A file where the folder should be: encoded all the same, nothing kept.
    PngCache blocked;
    blocked.folder = std::filesystem::path(scratch.dir) / "file";
    WriteFileBytes(blocked.folder, {1, 2, 3});
    EXPECT_EQ(blocked.Encode(wash.rgba.data(), wash.w, wash.h, "t"), plain(wash));
    EXPECT_TRUE(std::filesystem::is_regular_file(blocked.folder));
}
