#include "platform/OggDecode.h"
#include "platform/RegularFile.h"
#include "services/DataLimits.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <vorbis/vorbisfile.h>

namespace {

constexpr size_t kUnknownLengthStart = 256 * 1024;
constexpr size_t kMinReadRoom = 4096;
constexpr int kMaxHoles = 1024; // a stream made of nothing but holes is not decoded forever

std::string LocalPath(const char* path) {
    std::string local(path);
    for (char& c : local)
        if (c == '\\') c = '/';
    return local;
}

} // namespace

DecodeResult DecodeOggUnguarded(const char* path, DecodedOgg& out, std::string& error);

DecodeResult DecodeOgg(const char* path, DecodedOgg& out, std::string& error) {
    try {
        return DecodeOggUnguarded(path, out, error);
    } catch (const std::bad_alloc&) {
        out.samples = {};
        out.bytes = 0;
        error = LocalPath(path) + ": no memory to decode the clip";
        return DecodeResult::NotVorbis;
    }
}

DecodeResult DecodeOggUnguarded(const char* path, DecodedOgg& out, std::string& error) {
    std::string local = LocalPath(path);
    std::error_code missing;
    if (!std::filesystem::exists(local, missing)) return DecodeResult::Missing;
    std::string problem;
    FILE* file = OpenRegularFile(local.c_str(), problem);
    if (!file) {
        error = local + " " + (problem.empty() ? "cannot be opened" : problem);
        return DecodeResult::NotVorbis;
    }

    OggVorbis_File vf;
    int opened = ov_open(file, &vf, nullptr, 0);
    if (opened < 0) {
        std::fclose(file); // ov_open closes the file only once it succeeded
        error = local + " is not an Ogg Vorbis stream (error " + std::to_string(opened) + ")";
        return DecodeResult::NotVorbis;
    }
    // From here every way out clears the stream (and closes the file), also when growing the
    // samples runs out of memory.
    struct ClearOnExit {
        OggVorbis_File* vf;
        ~ClearOnExit() { ov_clear(vf); }
    } clearOnExit{&vf};
    vorbis_info* info = ov_info(&vf, -1);
    if (!info) {
        error = local + " has no usable stream information";
        return DecodeResult::NotVorbis;
    }
    // The header is trusted for nothing: an absurd rate would make the resampler ask for
    // hundreds of gigabytes.
    const ValueRange rates = kDataLimits.clipRate, channelCounts = kDataLimits.clipChannels;
    if (!rates.Holds(info->rate) || !channelCounts.Holds(info->channels)) {
        error = local + " declares " + std::to_string(info->channels) + " channels at " +
                std::to_string(info->rate) + " Hz; clips have " +
                std::to_string(channelCounts.low) + " or " + std::to_string(channelCounts.high) +
                " channels at " + std::to_string(rates.low) + " to " + std::to_string(rates.high) +
                " Hz";
        return DecodeResult::NotVorbis;
    }
    const int channels = info->channels;
    const long rate = info->rate;
    WaveFormat& f = out.format;
    f.formatTag = 1;
    f.channels = static_cast<uint16_t>(channels);
    f.samplesPerSec = static_cast<uint32_t>(rate);
    f.bitsPerSample = 16;
    f.blockAlign = static_cast<uint16_t>(2 * channels);
    f.avgBytesPerSec = static_cast<uint32_t>(2 * channels * rate);
    f.extraSize = 18;

    // Grow as needed; a seekable file tells its length, so usually one allocation suffices.
    size_t capacity = kUnknownLengthStart;
    ogg_int64_t totalFrames = ov_pcm_total(&vf, -1);
    if (totalFrames > 0) capacity = static_cast<size_t>(totalFrames) * 2 * channels;
    capacity = std::min<size_t>(capacity, kMaxClipBytes);
    std::vector<int16_t>& pcm = out.samples;
    if (channels == 1) pcm.reserve(capacity); // room to become stereo in place
    pcm.resize(capacity / 2);

    size_t total = 0; // bytes
    int section = 0;
    int holes = 0;
    while (total < kMaxClipBytes) {
        size_t room = pcm.size() * 2 - total;
        if (room < kMinReadRoom && pcm.size() * 2 < kMaxClipBytes) {
            pcm.resize(std::min<size_t>(std::max(pcm.size() * 2, total + kMinReadRoom * 4),
                                        kMaxClipBytes) /
                       2);
            room = pcm.size() * 2 - total;
        }
        if (room < static_cast<size_t>(2 * channels)) break; // the size cap cuts the clip here
        char* at = reinterpret_cast<char*>(pcm.data()) + total;
        long got = ov_read(&vf, at, static_cast<int>(room), 0, 2, 1, &section);
        if (got == 0) break; // end of stream (or no room for one more frame)
        if (got == OV_HOLE) {
            if (++holes > kMaxHoles) break;
            continue; // a gap in the data: go on with what follows
        }
        if (got < 0) {
            error = local + ": decoding error after " + std::to_string(total) +
                    " bytes; the clip keeps what was decoded";
            break;
        }
        vorbis_info* now = ov_info(&vf, section);
        if (now && (now->channels != channels || now->rate != rate)) {
            error = local + ": a chained stream changes its format; the clip ends there";
            break;
        }
        total += static_cast<size_t>(got);
    }

    total -= total % (2 * channels);
    pcm.resize(total / 2);
    out.bytes = static_cast<uint32_t>(total);
    return DecodeResult::Ok;
}

std::vector<int16_t> ToDeviceFormat(DecodedOgg& decoded, int rate) {
    const int channels = decoded.format.channels;
    // The converted clip stays within the clip limit too: a mono clip at a low rate grows by up
    // to twelve times on its way to the device's stereo at its rate.
    const uint64_t from = decoded.format.samplesPerSec;
    const size_t maxDeviceFrames = kMaxClipBytes / 4;
    const size_t maxFrames = static_cast<size_t>(maxDeviceFrames * from / uint64_t(rate));
    const size_t frames = std::min(decoded.samples.size() / channels, maxFrames);
    decoded.samples.resize(frames * channels);
    std::vector<int16_t> stereo;
    if (channels == 1) {
        // Spread in place from the end, so every sample is read before it is overwritten.
        stereo = std::move(decoded.samples);
        stereo.resize(frames * 2);
        for (size_t i = frames; i-- > 0;)
            stereo[i * 2] = stereo[i * 2 + 1] = stereo[i];
    } else { // two channels: the only other kind a clip may have
        stereo = std::move(decoded.samples);
    }
    if (static_cast<int>(decoded.format.samplesPerSec) == rate || stereo.empty()) return stereo;

    // Resample once, here at load time; the audio thread only adds samples up. Linear
    // interpolation, keeping the clip's duration: frames * rate / own rate device frames.
    const size_t inFrames = stereo.size() / 2;
    const size_t outFrames = std::min<size_t>(
        static_cast<size_t>((inFrames * uint64_t(rate) + from / 2) / from), maxDeviceFrames);
    std::vector<int16_t> converted(outFrames * 2);
    // Source position in 1/2^32 frames, stepped without a division per frame.
    const uint64_t step = (from << 32) / uint64_t(rate);
    uint64_t at = 0;
    for (size_t i = 0; i < outFrames; ++i, at += step) {
        size_t k = std::min(static_cast<size_t>(at >> 32), inFrames - 1);
        size_t next = std::min(k + 1, inFrames - 1);
        int64_t t = static_cast<int64_t>((at >> 16) & 0xFFFF);
        for (int c = 0; c < 2; ++c) {
            int32_t a = stereo[k * 2 + c];
            int32_t b = stereo[next * 2 + c];
            converted[i * 2 + c] = static_cast<int16_t>(a + ((int64_t(b - a) * t) >> 16));
        }
    }
    return converted;
}
