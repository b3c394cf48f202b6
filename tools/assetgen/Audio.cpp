#include "Audio.h"

#include "Ink.h"
#include "Registry.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double Pi = 3.14159265358979323846;

double Oscillator(Wave wave, double phase) { // phase in cycles, [0, 1)
    switch (wave) {
    case Wave::Sine:
        return std::sin(2 * Pi * phase);
    case Wave::Triangle:
        return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::Saw:
        return 2 * phase - 1;
    case Wave::Square:
        return phase < 0.5 ? 1.0 : -1.0;
    }
    return 0.0;
}

double OnePoleCoefficient(double cutoffHz, int rate) {
    return 1.0 - std::exp(-2 * Pi * std::max(cutoffHz, 1.0) / rate);
}

} // namespace

void EnsureFrames(Pcm& pcm, std::size_t frames) {
    if (pcm.Frames() < frames) pcm.samples.resize(frames * pcm.channels, 0.0f);
}

void PanGains(const Pcm& pcm, double pan, double& left, double& right) {
    if (pcm.channels == 1) {
        left = right = 1.0;
        return;
    }
    double a = (std::clamp(pan, -1.0, 1.0) + 1) * Pi / 4;
    left = std::cos(a) * std::sqrt(2.0);
    right = std::sin(a) * std::sqrt(2.0);
}

void AddFrame(Pcm& pcm, std::size_t frame, double value, double left, double right) {
    if (pcm.channels == 1) {
        pcm.samples[frame] += static_cast<float>(value);
        return;
    }
    pcm.samples[frame * pcm.channels] += static_cast<float>(value * left);
    pcm.samples[frame * pcm.channels + 1] += static_cast<float>(value * right);
}

Pcm::Pcm(double seconds, int channelCount, int sampleRate)
    : rate(sampleRate), channels(channelCount) {
    samples.assign(static_cast<std::size_t>(std::max(0.0, seconds) * rate) * channels, 0.0f);
}

double NoteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double NoteHz(const std::string& name) {
    static const int offsets[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') throw GenError("bad note name: " + name);
    int semitone = offsets[name[0] - 'A'];
    std::size_t i = 1;
    if (i < name.size() && name[i] == '#')
        semitone++, i++;
    else if (i < name.size() && name[i] == 'b')
        semitone--, i++;
    int octave = 0;
    try {
        std::size_t used = 0;
        octave = std::stoi(name.substr(i), &used);
        if (used != name.size() - i) throw GenError("");
    } catch (const std::exception&) {
        throw GenError("bad note name: " + name);
    }
    return NoteHz((octave + 1) * 12 + semitone);
}

double Adsr::At(double t, double held) const {
    auto gated = [&](double u) {
        if (u < 0) return 0.0;
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0 - (1.0 - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < held) return gated(t);
    if (t >= held + release) return 0.0;
    return gated(held) * (1.0 - (t - held) / release);
}

void AddGlide(Pcm& pcm, double start, double held, double hz, double endHz, double amp, Wave wave,
              const Adsr& env, double pan) {
    double total = held + env.release;
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    std::size_t count = static_cast<std::size_t>(total * pcm.rate);
    EnsureFrames(pcm, first + count);
    double left, right;
    PanGains(pcm, pan, left, right);
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / pcm.rate;
        double f = hz + (endHz - hz) * std::min(1.0, t / std::max(total, 1e-9));
        AddFrame(pcm, first + i, amp * env.At(t, held) * Oscillator(wave, phase), left, right);
        phase += f / pcm.rate;
        phase -= std::floor(phase);
    }
}

void AddTone(Pcm& pcm, double start, double held, double hz, double amp, Wave wave, const Adsr& env,
             double pan) {
    AddGlide(pcm, start, held, hz, hz, amp, wave, env, pan);
}

void AddNoise(Pcm& pcm, double start, double held, double amp, Rng& rng, double lowHz,
              double highHz, const Adsr& env, double endLowHz, double endHighHz, double pan) {
    if (endLowHz < 0) endLowHz = lowHz;
    if (endHighHz < 0) endHighHz = highHz;
    double total = held + env.release;
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    std::size_t count = static_cast<std::size_t>(total * pcm.rate);
    EnsureFrames(pcm, first + count);
    double left, right;
    PanGains(pcm, pan, left, right);
    double lp1 = 0, lp2 = 0, hp1 = 0, hp2 = 0; // two poles each way
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / pcm.rate, k = t / std::max(total, 1e-9);
        double x = rng.Range(-1.0, 1.0);
        if (highHz > 0) {
            double a = OnePoleCoefficient(highHz + (endHighHz - highHz) * k, pcm.rate);
            lp1 += a * (x - lp1);
            lp2 += a * (lp1 - lp2);
            x = lp2;
        }
        if (lowHz > 0) {
            double a = OnePoleCoefficient(lowHz + (endLowHz - lowHz) * k, pcm.rate);
            hp1 += a * (x - hp1);
            double y = x - hp1;
            hp2 += a * (y - hp2);
            x = y - hp2;
        }
        AddFrame(pcm, first + i, amp * env.At(t, held) * x, left, right);
    }
}

void LowPass(Pcm& pcm, double cutoffHz) {
    double a = OnePoleCoefficient(cutoffHz, pcm.rate);
    for (int c = 0; c < pcm.channels; ++c) {
        double y = 0;
        for (std::size_t i = 0; i < pcm.Frames(); ++i) {
            y += a * (pcm.At(i, c) - y);
            pcm.At(i, c) = static_cast<float>(y);
        }
    }
}

void HighPass(Pcm& pcm, double cutoffHz) {
    double a = OnePoleCoefficient(cutoffHz, pcm.rate);
    for (int c = 0; c < pcm.channels; ++c) {
        double low = 0;
        for (std::size_t i = 0; i < pcm.Frames(); ++i) {
            low += a * (pcm.At(i, c) - low);
            pcm.At(i, c) = static_cast<float>(pcm.At(i, c) - low);
        }
    }
}

void BandPass(Pcm& pcm, double lowHz, double highHz) {
    HighPass(pcm, lowHz);
    LowPass(pcm, highHz);
}

void Echo(Pcm& pcm, double delay, double feedback, double mix) {
    std::size_t d = std::max<std::size_t>(1, static_cast<std::size_t>(delay * pcm.rate));
    feedback = std::clamp(feedback, 0.0, 0.95);
    // Grow by the time the echoes take to fall below about -60 dB.
    double repeats = feedback > 0 ? std::ceil(std::log(0.001) / std::log(feedback)) : 1;
    std::size_t dry = pcm.Frames();
    EnsureFrames(pcm, dry + static_cast<std::size_t>(repeats) * d);
    std::vector<float> wet(pcm.samples.size(), 0.0f);
    for (int c = 0; c < pcm.channels; ++c)
        for (std::size_t i = d; i < pcm.Frames(); ++i) {
            std::size_t j = (i - d) * pcm.channels + c;
            wet[i * pcm.channels + c] = static_cast<float>(pcm.samples[j] + feedback * wet[j]);
        }
    for (std::size_t i = 0; i < wet.size(); ++i)
        pcm.samples[i] += static_cast<float>(mix * wet[i]);
}

void Reverb(Pcm& pcm, double roomSize, double mix) {
    roomSize = std::clamp(roomSize, 0.0, 1.0);
    double scale = pcm.rate / 44100.0 * (0.6 + 0.8 * roomSize);
    const int combDelays[4] = {1116, 1188, 1277, 1356};
    const int allpassDelays[2] = {556, 441};
    double feedback = 0.70 + 0.26 * roomSize, damp = 0.3;
    // Grow by the time the longest comb takes to fall by 60 dB.
    double tail = std::ceil(std::log(0.001) / std::log(feedback)) * combDelays[3] * scale;
    EnsureFrames(pcm, pcm.Frames() + static_cast<std::size_t>(tail));
    std::vector<float> out(pcm.samples.size(), 0.0f);
    for (int c = 0; c < pcm.channels; ++c) {
        int spread = c * 23; // decorrelates left and right
        std::vector<double> sum(pcm.Frames(), 0.0);
        for (int delayBase : combDelays) {
            std::size_t d = static_cast<std::size_t>((delayBase + spread) * scale);
            std::vector<double> buf(d, 0.0);
            double low = 0;
            for (std::size_t i = 0; i < pcm.Frames(); ++i) {
                double y = buf[i % d];
                low = y * (1 - damp) + low * damp;
                buf[i % d] = pcm.At(i, c) + low * feedback;
                sum[i] += y * 0.25;
            }
        }
        for (int delayBase : allpassDelays) {
            std::size_t d = static_cast<std::size_t>((delayBase + spread) * scale);
            std::vector<double> buf(d, 0.0);
            for (std::size_t i = 0; i < pcm.Frames(); ++i) {
                double b = buf[i % d];
                buf[i % d] = sum[i] + b * 0.5;
                sum[i] = b - sum[i];
            }
        }
        for (std::size_t i = 0; i < pcm.Frames(); ++i)
            out[i * pcm.channels + c] = static_cast<float>(pcm.At(i, c) * (1 - mix) + sum[i] * mix);
    }
    pcm.samples = std::move(out);
}

void MixInto(Pcm& dst, const Pcm& src, double at, double gain) {
    std::size_t first = static_cast<std::size_t>(std::max(0.0, at) * dst.rate);
    EnsureFrames(dst, first + src.Frames());
    for (std::size_t i = 0; i < src.Frames(); ++i)
        for (int c = 0; c < dst.channels; ++c) {
            int sc = std::min(c, src.channels - 1);
            double v = src.samples[i * src.channels + sc];
            if (dst.channels == 1 && src.channels == 2)
                v = (src.samples[i * 2] + src.samples[i * 2 + 1]) * 0.5;
            dst.At(first + i, c) += static_cast<float>(v * gain);
        }
}

Pcm ToStereo(const Pcm& mono) {
    if (mono.channels == 2) return mono;
    Pcm out(0.0, 2, mono.rate);
    MixInto(out, mono, 0.0);
    return out;
}

void Normalise(Pcm& pcm, double peak) {
    float top = 0.0f;
    for (float s : pcm.samples)
        top = std::max(top, std::abs(s));
    if (top <= 0.0f) return;
    double k = peak / top;
    for (float& s : pcm.samples)
        s = static_cast<float>(s * k);
}

void SetLength(Pcm& pcm, double seconds) {
    pcm.samples.resize(static_cast<std::size_t>(std::max(0.0, seconds) * pcm.rate) * pcm.channels,
                       0.0f);
}

void FadeIn(Pcm& pcm, double seconds) {
    std::size_t n = std::min(pcm.Frames(), static_cast<std::size_t>(seconds * pcm.rate));
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(i, c) *= static_cast<float>(double(i) / n);
}

void FadeOut(Pcm& pcm, double seconds) {
    std::size_t total = pcm.Frames();
    std::size_t n = std::min(total, static_cast<std::size_t>(seconds * pcm.rate));
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(total - n + i, c) *= static_cast<float>(double(n - 1 - i) / n);
}

void MakeLoop(Pcm& pcm, double crossfade) {
    std::size_t total = pcm.Frames();
    std::size_t n = std::min(total / 2, static_cast<std::size_t>(crossfade * pcm.rate));
    if (n == 0) return;
    for (std::size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / n;
        double in = std::sin(t * Pi / 2), out = std::cos(t * Pi / 2); // equal power
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(i, c) = static_cast<float>(pcm.At(i, c) * in + pcm.At(total - n + i, c) * out);
    }
    pcm.samples.resize((total - n) * pcm.channels);
}

void WriteOgg(const std::filesystem::path& file, const Pcm& pcm, float quality) {
    const std::string name = file.string();
    if (pcm.channels < 1 || pcm.channels > 2 || pcm.Frames() == 0)
        throw GenError(name + ": clip is empty or has " + std::to_string(pcm.channels) +
                       " channels");
    std::FILE* out = std::fopen(name.c_str(), "wb");
    if (!out) throw GenError(name + ": cannot open for writing");

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, pcm.channels, pcm.rate, quality) != 0) {
        vorbis_info_clear(&vi);
        std::fclose(out);
        throw GenError(name + ": Vorbis encoder refused the settings");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 12345); // fixed serial: identical bytes on every run

    bool writeOk = true;
    auto writePage = [&](const ogg_page& og) {
        writeOk &= std::fwrite(og.header, 1, og.header_len, out) == std::size_t(og.header_len);
        writeOk &= std::fwrite(og.body, 1, og.body_len, out) == std::size_t(og.body_len);
    };

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page og;
    while (ogg_stream_flush(&os, &og) != 0)
        writePage(og);

    const std::size_t chunk = 4096;
    std::size_t frames = pcm.Frames(), done = 0;
    bool ended = false;
    while (!ended) {
        std::size_t n = std::min(chunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (std::size_t i = 0; i < n; ++i)
                for (int c = 0; c < pcm.channels; ++c)
                    buffer[c][i] =
                        std::clamp(pcm.samples[(done + i) * pcm.channels + c], -1.0f, 1.0f);
            done += n;
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n)); // 0 marks the end of the stream
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og) != 0) {
                    writePage(og);
                    if (ogg_page_eos(&og)) ended = true;
                }
            }
        }
        if (n == 0) ended = true;
    }
    while (ogg_stream_flush(&os, &og) != 0)
        writePage(og);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    if (std::fclose(out) != 0) writeOk = false;
    if (!writeOk) throw GenError(name + ": write failed");
}
