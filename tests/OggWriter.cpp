#include "OggWriter.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vorbis/vorbisenc.h>

namespace {

bool WritePages(ogg_stream_state& stream, FILE* file, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, size_t(page.header_len), file) != size_t(page.header_len) ||
            std::fwrite(page.body, 1, size_t(page.body_len), file) != size_t(page.body_len))
            return false;
    }
    return true;
}

} // namespace

bool WriteSineOgg(const std::string& path, int channels, int rate, int frames, float frequency,
                  std::string& error, float noise) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) {
        error = "the encoder refuses " + std::to_string(channels) + " channels at " +
                std::to_string(rate) + " Hz";
        vorbis_info_clear(&info);
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1234);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    bool ok = WritePages(stream, file, true);

    uint32_t seed = 12345;
    const int chunk = 1024;
    bool ended = false;
    for (int done = 0; !ended && ok;) {
        int n = std::min(chunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i) {
                float t = float(done + i) / float(rate);
                for (int c = 0; c < channels; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    float hiss = noise * (float(seed >> 8) / float(1 << 24) - 0.5f);
                    buffer[c][i] =
                        0.5f * std::sin(6.2831853f * frequency * (1 + c * 0.5f) * t) + hiss;
                }
            }
            vorbis_analysis_wrote(&dsp, n);
            done += n;
        } else {
            vorbis_analysis_wrote(&dsp, 0); // end of stream
            ended = true;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ok = ok && WritePages(stream, file, false);
            }
        }
    }
    ok = ok && WritePages(stream, file, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) error = "cannot write " + path;
    return ok;
}
