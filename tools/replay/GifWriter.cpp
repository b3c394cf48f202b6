#include "GifWriter.h"
#include <algorithm>

namespace {

constexpr int kReds = 6, kGreens = 7, kBlues = 6;
constexpr int kColours = kReds * kGreens * kBlues; // 252, padded to 256 in the file

uint8_t PaletteIndex(uint32_t p) {
    const int r = ((p >> 16) & 0xFF) * kReds / 256;
    const int g = ((p >> 8) & 0xFF) * kGreens / 256;
    const int b = (p & 0xFF) * kBlues / 256;
    return static_cast<uint8_t>((r * kGreens + g) * kBlues + b);
}

void Put16(std::FILE* f, int v) {
    std::fputc(v & 0xFF, f);
    std::fputc((v >> 8) & 0xFF, f);
}

// Packs variable-width codes into the GIF's sub-blocks of at most 255 bytes.
struct BitSink {
    std::FILE* file;
    uint32_t bits = 0;
    int count = 0;
    uint8_t block[255];
    int used = 0;
    void Byte(uint8_t b) {
        block[used++] = b;
        if (used == 255) Flush();
    }
    void Flush() {
        if (used == 0) return;
        std::fputc(used, file);
        std::fwrite(block, 1, static_cast<size_t>(used), file);
        used = 0;
    }
    void Code(int code, int width) {
        bits |= static_cast<uint32_t>(code) << count;
        count += width;
        while (count >= 8) {
            Byte(static_cast<uint8_t>(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    void End() {
        if (count > 0) Byte(static_cast<uint8_t>(bits & 0xFF));
        bits = 0;
        count = 0;
        Flush();
    }
};

} // namespace

bool GifWriter::Open(const std::string& path, int w, int h) {
    file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    width = w;
    height = h;
    std::fwrite("GIF89a", 1, 6, file);
    Put16(file, width);
    Put16(file, height);
    std::fputc(0xF7, file); // a global palette of 256 entries
    std::fputc(0, file);
    std::fputc(0, file);
    for (int i = 0; i < 256; ++i) {
        const int c = std::min(i, kColours - 1);
        const int b = c % kBlues, g = (c / kBlues) % kGreens, r = c / (kBlues * kGreens);
        std::fputc(r * 255 / (kReds - 1), file);
        std::fputc(g * 255 / (kGreens - 1), file);
        std::fputc(b * 255 / (kBlues - 1), file);
    }
    // Loop forever.
    const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                            'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
    std::fwrite(loop, 1, sizeof loop, file);
    return true;
}

void GifWriter::AddFrame(const uint32_t* pixels, int delayCs) {
    if (!file) return;
    const uint8_t control[] = {0x21,
                               0xF9,
                               0x04,
                               0x00,
                               static_cast<uint8_t>(delayCs & 0xFF),
                               static_cast<uint8_t>((delayCs >> 8) & 0xFF),
                               0x00,
                               0x00};
    std::fwrite(control, 1, sizeof control, file);
    std::fputc(0x2C, file);
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, width);
    Put16(file, height);
    std::fputc(0, file);
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = PaletteIndex(pixels[i]);
    WriteLzw(indices);
}

void GifWriter::WriteLzw(const std::vector<uint8_t>& indices) {
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    constexpr int kMaxCode = 4095;
    std::fputc(kMinCodeSize, file);
    BitSink sink{file, 0, 0, {}, 0};
    table.assign(4096 * 256, -1);
    int next = kEnd + 1;
    int width = kMinCodeSize + 1;
    sink.Code(kClear, width);
    int prefix = indices.empty() ? -1 : indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const uint8_t byte = indices[i];
        int16_t& entry = table[static_cast<size_t>(prefix) * 256 + byte];
        if (entry >= 0) {
            prefix = entry;
            continue;
        }
        sink.Code(prefix, width);
        if (next <= kMaxCode) {
            entry = static_cast<int16_t>(next++);
            if (next - 1 == (1 << width) && width < 12) ++width;
        } else {
            sink.Code(kClear, width);
            std::fill(table.begin(), table.end(), int16_t(-1));
            next = kEnd + 1;
            width = kMinCodeSize + 1;
        }
        prefix = byte;
    }
    if (prefix >= 0) sink.Code(prefix, width);
    sink.Code(kEnd, width);
    sink.End();
    std::fputc(0, file); // end of the image data
}

void GifWriter::Close() {
    if (!file) return;
    std::fputc(0x3B, file);
    std::fclose(file);
    file = nullptr;
}
