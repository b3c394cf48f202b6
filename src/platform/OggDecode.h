#pragma once
// Whole-clip Ogg Vorbis decoding and conversion to the mixer's format (platform-internal).
#include "platform/Sound.h"
#include <cstdint>
#include <string>
#include <vector>

struct DecodedOgg {
    WaveFormat format;            // the stream's own PCM description
    std::vector<int16_t> samples; // interleaved, format.channels per frame
    uint32_t bytes = 0;           // decoded bytes (16-bit PCM, before conversion)
};

enum class DecodeResult { Ok, Missing, NotVorbis };

// Decodes the whole stream (up to kMaxClipBytes) as little-endian signed 16-bit samples.
// Holes in the stream are skipped; a hard decoding error ends the clip with what was decoded.
// Problems other than a missing file are described in error.
DecodeResult DecodeOgg(const char* path, DecodedOgg& out, std::string& error);

// Converts decoded samples to signed 16-bit stereo at the given rate.
std::vector<int16_t> ToDeviceFormat(DecodedOgg& decoded, int rate);
