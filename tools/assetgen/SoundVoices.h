#pragma once

// Voices for the game's clips, built on Audio.h: struck tones (music box, celesta, wood),
// soft pads, shaped noise for paper and pen, fibre crackle, and loop folding for music.

#include "Audio.h"

#include <vector>

class Rng;

// A two-pole filter (the usual audio-cookbook forms). Coefficients may be changed while running
// for sweeps; the state carries over.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    void SetBandPass(double hz, double q, int rate); // peak gain 1 at hz
    void SetLowPass(double hz, double q, int rate);
    void SetHighPass(double hz, double q, int rate);
    double Run(double x);
};

// One partial of a struck tone: frequency ratio to the fundamental, level, and the time it takes
// to die away to 1/e.
struct Partial {
    double ratio, amp, decay;
};

// A struck tone: the partials start together after `attack` seconds and decay exponentially.
// Partials above 18 kHz are left out; each stops once it is below -80 dB full scale.
void AddStruck(Pcm& pcm, double start, double hz, double amp, const std::vector<Partial>& partials,
               double attack = 0.002, double pan = 0.0);

// A soft sustained tone: four gentle harmonics in two voices detuned by `detune` (a ratio,
// 0.002 is about 3.5 cents) and spread left and right of `pan`; a smooth swell over `attack`,
// held for `held`, then a smooth release.
void AddPad(Pcm& pcm, double start, double held, double hz, double amp, double attack,
            double release, double pan = 0.0, double detune = 0.002);

// A point of a noise shape: time from the start, level, centre of the band and its Q.
struct NoiseKey {
    double t, gain, hz, q;
};

// Band-passed noise whose level, centre and width follow straight lines between the keys.
// `roughness` (0..1) adds a fast random flutter to the level: paper friction, a pen's scratch.
void AddNoiseKeys(Pcm& pcm, double start, const std::vector<NoiseKey>& keys, double amp, Rng& rng,
                  double roughness = 0.0, double pan = 0.0);

// Tiny clicks of fibre snapping: `rateStart` to `rateEnd` per second over `length` seconds,
// each a burst of a fraction of a millisecond, levels heavy-tailed, the whole band-limited to
// lowHz..highHz. `clumping` (0..1) makes the clicks come in bunches, as a tear sticks and slips.
void AddCrackle(Pcm& pcm, double start, double length, double rateStart, double rateEnd, double amp,
                Rng& rng, double lowHz, double highHz, double clumping = 0.0, double pan = 0.0);

// Rounds peaks off smoothly (tanh), so loud transients do not set the level of the whole clip.
void SoftClip(Pcm& pcm, double drive);

// Cuts the clip to `seconds` and adds everything after that point back onto its start, so a
// clip rendered with ringing tails loops seamlessly: what rings past the end sounds on over
// the beginning, exactly as it would when the music repeats.
void FoldLoop(Pcm& pcm, double seconds);

// Turns a loop so it starts at the quietest point between `fromSeconds` and `toSeconds` (both
// channels near zero, barely moving), so the first time it plays it does not begin with a click.
void StartLoopQuietly(Pcm& pcm, double fromSeconds, double toSeconds);
