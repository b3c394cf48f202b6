#pragma once

// Sound synthesis for the clips, and Ogg Vorbis encoding.
// Times are in seconds, frequencies in Hz, amplitudes linear (1.0 = full scale).

#include <filesystem>
#include <string>
#include <vector>

class Rng;

struct Pcm {
    int rate = 44100;
    int channels = 1;
    std::vector<float> samples; // interleaved

    Pcm() = default;
    Pcm(double seconds, int channelCount = 1, int sampleRate = 44100);
    std::size_t Frames() const { return samples.size() / channels; }
    double Seconds() const { return static_cast<double>(Frames()) / rate; }
    float& At(std::size_t frame, int channel) { return samples[frame * channels + channel]; }
};

// Frequency of a MIDI note (69 = A4 = 440 Hz) or of a name like "C4", "F#3", "Bb5".
// Grows the clip with silence to at least frames frames.
void EnsureFrames(Pcm& pcm, std::size_t frames);
// Equal-power gains for a pan position (-1 left .. 1 right); 1 and 1 for a mono clip.
void PanGains(const Pcm& pcm, double pan, double& left, double& right);
// Adds value to one frame, spread over the channels with the gains.
void AddFrame(Pcm& pcm, std::size_t frame, double value, double left, double right);

double NoteHz(int midiNote);
double NoteHz(const std::string& name);

struct Adsr {
    double attack = 0.01, decay = 0.1, sustain = 0.7, release = 0.2;
    // Level at time t into a note whose key is held for `held` seconds.
    double At(double t, double held) const;
};

enum class Wave { Sine, Triangle, Saw, Square };

// Adds a tone starting at `start`, key held for `held` seconds (it rings on for the release).
// pan -1 left .. 1 right (ignored for mono). The Pcm grows if the note runs past its end.
void AddTone(Pcm& pcm, double start, double held, double hz, double amp, Wave wave,
             const Adsr& env = {}, double pan = 0.0);
// A tone whose pitch glides from hz to endHz over its length (chirps, plucks, thuds).
void AddGlide(Pcm& pcm, double start, double held, double hz, double endHz, double amp, Wave wave,
              const Adsr& env = {}, double pan = 0.0);
// Noise band-limited between lowHz and highHz, the band moving linearly to endLowHz..endHighHz
// (pass negative ends to keep the band fixed). lowHz <= 0: no high-pass; highHz <= 0: none.
void AddNoise(Pcm& pcm, double start, double held, double amp, Rng& rng, double lowHz,
              double highHz, const Adsr& env = {}, double endLowHz = -1, double endHighHz = -1,
              double pan = 0.0);

// One-pole filters over the whole clip, each channel separately.
void LowPass(Pcm& pcm, double cutoffHz);
void HighPass(Pcm& pcm, double cutoffHz);
void BandPass(Pcm& pcm, double lowHz, double highHz);

void Echo(Pcm& pcm, double delay, double feedback, double mix); // grows the clip for the tail
// A small room (0) to a hall (1); grows the clip by the reverb's tail.
void Reverb(Pcm& pcm, double roomSize = 0.5, double mix = 0.25);
// Adds src (converted to dst's channel count) into dst at time `at`, scaled by gain.
void MixInto(Pcm& dst, const Pcm& src, double at, double gain = 1.0);
Pcm ToStereo(const Pcm& mono);
void Normalise(Pcm& pcm, double peak = 0.9);
void SetLength(Pcm& pcm, double seconds); // pads with silence or cuts
void FadeIn(Pcm& pcm, double seconds);
void FadeOut(Pcm& pcm, double seconds);
// Makes the clip loop without a click: its last `crossfade` seconds are blended into its
// start and then cut off, so the end runs straight into the beginning.
void MakeLoop(Pcm& pcm, double crossfade);

// Encodes as Ogg Vorbis (VBR, quality -0.1..1) with a fixed stream serial, so the same samples
// always give the same bytes. Throws GenError naming the file on failure.
void WriteOgg(const std::filesystem::path& file, const Pcm& pcm, float quality = 0.4f);
