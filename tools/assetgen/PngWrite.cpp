#include "PngWrite.h"

#include "Registry.h"

#include <libimagequant.h>
#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

// libimagequant's OpenMP runtime, declared here so that no compiler's own omp.h is needed.
extern "C" void omp_set_num_threads(int threads);

namespace {

struct PaletteEntry {
    std::uint8_t r, g, b, a;
};

// libpng writing into memory; errors become GenError at the caller.
struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<std::uint8_t> out;
    std::string message;

    explicit PngWriter(const std::string& what) {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &Error, &Warning);
        if (png) info = png_create_info_struct(png);
        if (!png || !info) throw GenError(what + ": libpng: out of memory");
    }
    ~PngWriter() { png_destroy_write_struct(&png, &info); }

    static void Error(png_structp png, png_const_charp text) {
        static_cast<PngWriter*>(png_get_error_ptr(png))->message = text;
        png_longjmp(png, 1);
    }
    static void Warning(png_structp, png_const_charp) {}
    static void Write(png_structp png, png_bytep data, png_size_t size) {
        auto* self = static_cast<PngWriter*>(png_get_io_ptr(png));
        self->out.insert(self->out.end(), data, data + size);
    }
    static void Flush(png_structp) {}
};

// Encodes rows of `channels` bytes per pixel (1 with a palette). No time or text chunks, so the
// same pixels always give the same bytes.
std::vector<std::uint8_t> EncodeRows(int width, int height, int colourType, int channels,
                                     const std::uint8_t* pixels,
                                     const std::vector<PaletteEntry>& palette,
                                     const std::string& what) {
    PngWriter w(what);
    std::vector<png_const_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[y] = pixels + size_t(y) * size_t(width) * size_t(channels);
    if (setjmp(png_jmpbuf(w.png))) throw GenError(what + ": cannot encode PNG: " + w.message);
    png_set_write_fn(w.png, &w, &PngWriter::Write, &PngWriter::Flush);
    png_set_compression_level(w.png, 9);
    png_set_compression_mem_level(w.png, 9);
    // Palette and grey pictures compress best unfiltered; colour ones with adaptive filters.
    png_set_filter(w.png, 0,
                   colourType == PNG_COLOR_TYPE_PALETTE ? PNG_FILTER_NONE : PNG_ALL_FILTERS);
    png_set_IHDR(w.png, w.info, png_uint_32(width), png_uint_32(height), 8, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> colours;
        std::vector<png_byte> alphas;
        for (const PaletteEntry& e : palette) {
            colours.push_back({e.r, e.g, e.b});
            alphas.push_back(e.a);
        }
        png_set_PLTE(w.png, w.info, colours.data(), int(colours.size()));
        // Entries are ordered see-through first, so the alpha table stops at the last of them.
        size_t see = 0;
        for (size_t i = 0; i < alphas.size(); ++i)
            if (alphas[i] != 255) see = i + 1;
        if (see) png_set_tRNS(w.png, w.info, alphas.data(), int(see), nullptr);
    }
    png_write_info(w.png, w.info);
    png_write_image(w.png, const_cast<png_bytepp>(rows.data()));
    png_write_end(w.png, nullptr);
    return std::move(w.out);
}

// See-through entries first (the alpha table then stops early), each part in a fixed order.
void OrderPalette(std::vector<PaletteEntry>& palette, std::vector<std::uint8_t>& indices) {
    std::vector<int> order(palette.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    auto key = [&](int i) {
        const PaletteEntry& e = palette[size_t(i)];
        return std::make_tuple(e.a == 255, e.a, e.r, e.g, e.b, i);
    };
    std::sort(order.begin(), order.end(), [&](int x, int y) { return key(x) < key(y); });
    std::vector<std::uint8_t> newIndex(palette.size());
    std::vector<PaletteEntry> sorted(palette.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted[i] = palette[size_t(order[i])];
        newIndex[size_t(order[i])] = std::uint8_t(i);
    }
    palette = std::move(sorted);
    for (std::uint8_t& index : indices)
        index = newIndex[index];
}

// The picture's colours when there are at most 256 of them, with every pixel's index.
bool ExactPalette(const std::uint8_t* rgba, size_t pixels, std::vector<PaletteEntry>& palette,
                  std::vector<std::uint8_t>& indices) {
    std::map<std::uint32_t, std::uint8_t> seen;
    indices.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* p = rgba + i * 4;
        std::uint32_t colour;
        std::memcpy(&colour, p, 4);
        auto found = seen.find(colour);
        if (found == seen.end()) {
            if (seen.size() == 256) return false;
            found = seen.emplace(colour, std::uint8_t(palette.size())).first;
            palette.push_back({p[0], p[1], p[2], p[3]});
        }
        indices[i] = found->second;
    }
    OrderPalette(palette, indices);
    return true;
}

struct QuantAttr {
    liq_attr* attr = liq_attr_create();
    ~QuantAttr() { liq_attr_destroy(attr); }
};
struct QuantImage {
    liq_image* image = nullptr;
    ~QuantImage() {
        if (image) liq_image_destroy(image);
    }
};
struct QuantResult {
    liq_result* result = nullptr;
    ~QuantResult() {
        if (result) liq_result_destroy(result);
    }
};

// At most `colours` colours chosen by libimagequant, without dithering (its noise costs bytes and
// is the first thing the error bound would catch).
bool Quantise(const std::uint8_t* rgba, int width, int height, int colours,
              std::vector<PaletteEntry>& palette, std::vector<std::uint8_t>& indices) {
    // Its threads add up colours in whatever order they finish: one thread gives the same
    // palette on every run.
    static const bool oneThread = [] {
        omp_set_num_threads(1);
        return true;
    }();
    (void)oneThread;
    QuantAttr attr;
    if (!attr.attr) return false;
    liq_set_max_colors(attr.attr, colours);
    liq_set_speed(attr.attr, 3);
    QuantImage image;
    image.image = liq_image_create_rgba(attr.attr, rgba, width, height, 0);
    if (!image.image) return false;
    QuantResult result;
    if (liq_image_quantize(image.image, attr.attr, &result.result) != LIQ_OK) return false;
    liq_set_dithering_level(result.result, 0.0f);
    indices.resize(size_t(width) * size_t(height));
    if (liq_write_remapped_image(result.result, image.image, indices.data(), indices.size()) !=
        LIQ_OK)
        return false;
    const liq_palette* chosen = liq_get_palette(result.result);
    palette.clear();
    for (unsigned i = 0; i < chosen->count; ++i)
        palette.push_back({chosen->entries[i].r, chosen->entries[i].g, chosen->entries[i].b,
                           chosen->entries[i].a});
    // A fully clear entry is stored as clear black, like the drawing's own clear pixels.
    for (PaletteEntry& e : palette)
        if (e.a == 0) e = {0, 0, 0, 0};
    OrderPalette(palette, indices);
    return true;
}

int Premultiplied(int channel, int alpha) {
    return (channel * alpha + 127) / 255;
}

} // namespace

QuantError PremultipliedError(const std::uint8_t* a, const std::uint8_t* b, std::size_t pixels) {
    QuantError error;
    std::array<std::size_t, 256> count{}; // pixels by their largest channel error
    std::uint64_t sum = 0;
    for (size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* p = a + i * 4;
        const std::uint8_t* q = b + i * 4;
        int largest = 0;
        for (int c = 0; c < 4; ++c) {
            const int x = c == 3 ? p[3] : Premultiplied(p[c], p[3]);
            const int y = c == 3 ? q[3] : Premultiplied(q[c], q[3]);
            const int d = std::abs(x - y);
            largest = std::max(largest, d);
            sum += std::uint64_t(d);
        }
        ++count[size_t(largest)];
    }
    if (!pixels) return error;
    error.mean = double(sum) / double(pixels * 4);
    std::size_t within = 0;
    for (int e = 0; e < 256; ++e) {
        if (count[size_t(e)]) error.worst = e;
        within += count[size_t(e)];
        // The smallest error that all but a thousandth of the pixels stay within.
        if (error.thousandth < 0 && within * 1000 >= pixels * 999) error.thousandth = e;
    }
    return error;
}

bool WithinQuantBound(const QuantError& error) {
    return error.worst <= kQuantWorst && error.thousandth <= kQuantThousandth &&
           error.mean <= kQuantMean;
}

EncodedPng EncodePicture(const std::uint8_t* rgba, int width, int height, const std::string& what) {
    const size_t pixels = size_t(width) * size_t(height);
    EncodedPng best;

    std::vector<PaletteEntry> palette;
    std::vector<std::uint8_t> indices;
    if (ExactPalette(rgba, pixels, palette, indices)) {
        best.bytes =
            EncodeRows(width, height, PNG_COLOR_TYPE_PALETTE, 1, indices.data(), palette, what);
        best.kind = PngKind::Palette;
        return best;
    }

    // The fewest colours that keep the picture within the bound: fewer colours, fewer bytes.
    std::vector<std::uint8_t> remapped(pixels * 4);
    for (int colours : {32, 64, 128, 256}) {
        if (!Quantise(rgba, width, height, colours, palette, indices)) break;
        for (size_t i = 0; i < pixels; ++i) {
            const PaletteEntry& e = palette[indices[i]];
            std::memcpy(&remapped[i * 4], &e, 4);
        }
        const QuantError error = PremultipliedError(rgba, remapped.data(), pixels);
        if (!WithinQuantBound(error)) continue;
        best.bytes =
            EncodeRows(width, height, PNG_COLOR_TYPE_PALETTE, 1, indices.data(), palette, what);
        best.kind = PngKind::QuantisedPalette;
        best.colours = int(palette.size());
        best.error = error;
        return best;
    }

    // No palette keeps it: exactly, in the narrowest colour type that holds it.
    bool opaque = true, grey = true;
    for (size_t i = 0; i < pixels && (opaque || grey); ++i) {
        const std::uint8_t* p = rgba + i * 4;
        opaque = opaque && p[3] == 255;
        grey = grey && p[0] == p[1] && p[1] == p[2];
    }
    const int channels = (grey ? 1 : 3) + (opaque ? 0 : 1);
    std::vector<std::uint8_t> packed;
    const std::uint8_t* rows = rgba;
    if (channels != 4) {
        packed.resize(pixels * size_t(channels));
        for (size_t i = 0; i < pixels; ++i) {
            const std::uint8_t* p = rgba + i * 4;
            std::uint8_t* q = packed.data() + i * size_t(channels);
            if (grey) {
                q[0] = p[0];
                if (!opaque) q[1] = p[3];
            } else {
                q[0] = p[0], q[1] = p[1], q[2] = p[2];
            }
        }
        rows = packed.data();
    }
    const int colourType = grey ? (opaque ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_GRAY_ALPHA)
                                : (opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA);
    best.bytes = EncodeRows(width, height, colourType, channels, rows, {}, what);
    best.kind = grey ? (opaque ? PngKind::Grey : PngKind::GreyAlpha)
                     : (opaque ? PngKind::Rgb : PngKind::Rgba);
    return best;
}

void WriteFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.string().c_str(), "wb"),
                                                        &std::fclose);
    if (!out) throw GenError(file.string() + ": cannot open for writing");
    if (std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size())
        throw GenError(file.string() + ": cannot write");
    if (std::fclose(out.release()) != 0) throw GenError(file.string() + ": cannot write");
}

namespace {

// Raise when EncodePicture would write other bytes for the same pixels (its bound, its settings).
constexpr int kEncoderVersion = 1;

// Two 64-bit hashes of different make over the same words: the chance that two different
// pictures share both is nil for any picture the generator draws.
struct PictureKey {
    std::uint64_t a = 0xcbf29ce484222325ull, b = 0x9e3779b97f4a7c15ull;
    void Add(std::uint64_t word) {
        a = (a ^ word) * 0x100000001b3ull;
        b = (b ^ (word + 0x632be59bd9b4e019ull)) * 0xff51afd7ed558ccdull;
        b ^= b >> 29;
    }
    void Add(const std::string& text) {
        for (unsigned char c : text)
            Add(std::uint64_t(c));
    }
    std::string Name() const {
        char text[40];
        std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(a),
                      static_cast<unsigned long long>(b));
        return text;
    }
};

std::string KeyOf(const std::uint8_t* rgba, int width, int height) {
    PictureKey key;
    key.Add(std::string("encoder ") + std::to_string(kEncoderVersion) + " liq " +
            std::to_string(liq_version()) + " zlib " ZLIB_VERSION " png " +
            PNG_LIBPNG_VER_STRING);
    key.Add(std::uint64_t(width) << 32 | std::uint64_t(height));
    const size_t bytes = size_t(width) * size_t(height) * 4;
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, rgba + i, 8);
        key.Add(word);
    }
    for (; i < bytes; ++i)
        key.Add(std::uint64_t(rgba[i]) << 56);
    return key.Name();
}

bool ReadWhole(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

} // namespace

std::vector<std::uint8_t> PngCache::Encode(const std::uint8_t* rgba, int width, int height,
                                           const std::string& what) {
    if (folder.empty()) return EncodePicture(rgba, width, height, what).bytes;
    const std::string name = KeyOf(rgba, width, height) + ".png";
    used.insert(name);
    std::vector<std::uint8_t> bytes;
    if (ReadWhole(folder / name, bytes) && !bytes.empty()) return bytes;
    bytes = EncodePicture(rgba, width, height, what).bytes;
    // Written whole under another name first, so that an entry is never half a picture.
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path part = folder / (name + ".part" + std::to_string(getpid()));
    try {
        WriteFileBytes(part, bytes);
        std::filesystem::rename(part, folder / name, ec);
    } catch (const GenError&) {
    }
    std::filesystem::remove(part, ec);
    return bytes;
}

void PngCache::Prune() const {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return;
    std::vector<std::filesystem::path> stale;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (!used.count(entry.path().filename().string())) stale.push_back(entry.path());
    for (const auto& file : stale)
        std::filesystem::remove(file, ec);
}
