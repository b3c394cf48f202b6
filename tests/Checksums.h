#pragma once
// Recomputes the checksums of damaged or made-up PNG and Ogg files, so that the loaders judge
// their content rather than stopping at the first checksum (the tests and the fuzz targets).
#include <array>
#include <cstdint>
#include <string>

namespace checksums {

// PNG chunks: CRC-32 (reflected, polynomial 0xEDB88320) over type and data.
inline uint32_t PngCrc(const uint8_t* bytes, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Ogg pages: CRC-32 (unreflected, polynomial 0x04C11DB7, initial 0) over the page with its
// checksum field zeroed.
inline uint32_t OggCrc(const uint8_t* bytes, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k)
                r = r & 0x80000000u ? (r << 1) ^ 0x04C11DB7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    uint32_t c = 0;
    for (size_t i = 0; i < size; ++i)
        c = (c << 8) ^ table[((c >> 24) & 0xFF) ^ bytes[i]];
    return c;
}

inline uint32_t BigEndian32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 |
           uint32_t(uint8_t(s[at + 2])) << 8 | uint8_t(s[at + 3]);
}

// Every whole chunk after the 8-byte signature gets its right CRC; a cut chunk is left alone.
inline void FixPngChunks(std::string& png) {
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint64_t length = BigEndian32(png, at);
        if (at + 12 + length > png.size()) break;
        const uint32_t crc =
            PngCrc(reinterpret_cast<const uint8_t*>(png.data()) + at + 4, size_t(length) + 4);
        for (int k = 0; k < 4; ++k)
            png[at + 8 + length + k] = char(crc >> (24 - 8 * k));
        at += 12 + length;
    }
}

// Every whole page that starts with "OggS" gets its right CRC; other bytes are skipped.
inline void FixOggPages(std::string& ogg) {
    size_t at = 0;
    while (at + 27 <= ogg.size()) {
        if (ogg.compare(at, 4, "OggS") != 0) {
            ++at;
            continue;
        }
        const size_t segments = uint8_t(ogg[at + 26]);
        if (at + 27 + segments > ogg.size()) break;
        size_t length = 27 + segments;
        for (size_t s = 0; s < segments; ++s)
            length += uint8_t(ogg[at + 27 + s]);
        if (at + length > ogg.size()) break;
        for (int k = 0; k < 4; ++k)
            ogg[at + 22 + k] = 0;
        const uint32_t crc = OggCrc(reinterpret_cast<const uint8_t*>(ogg.data()) + at, length);
        for (int k = 0; k < 4; ++k)
            ogg[at + 22 + k] = char(crc >> (8 * k));
        at += length;
    }
}

} // namespace checksums
