// The game's music: the menu tune (a music-box waltz that loops), the opening film's score and
// the ending's closing cadence.

#include "Audio.h"
#include "Ink.h"
#include "Registry.h"
#include "SoundVoices.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// --- Instruments: struck tones whose partials die away faster the higher they sit.

// A steel tine: a pure fundamental with a slow shimmer, a faint octave and the short bright
// "ping" of the tine's second mode.
std::vector<Partial> MusicBox(double hz) {
    double d = std::clamp(1.1 * std::sqrt(523.0 / hz), 0.5, 2.2);
    return {{1.0, 1.0, d},
            {1.0018, 0.3, d * 0.8},
            {2.0, 0.12, d * 0.35},
            {3.0, 0.03, d * 0.2},
            {6.27, 0.07, 0.04}};
}

// A soft plucked string for the accompaniment.
std::vector<Partial> Harp(double hz) {
    double d = std::clamp(0.9 * std::sqrt(262.0 / hz), 0.4, 1.6);
    return {{1.0, 1.0, d}, {2.0, 0.25, d * 0.5}, {3.0, 0.08, d * 0.3}, {4.0, 0.03, d * 0.2}};
}

std::vector<Partial> Bass() {
    return {{1.0, 1.0, 1.4}, {2.0, 0.25, 0.6}, {3.0, 0.05, 0.3}};
}

struct Note {
    double beat;
    const char* name;
};

struct Chord {
    double beat; // where it starts
    const char* bass;
    const char* upper[3]; // low to high
};

// The chord sounding at `beat` (chords sorted by start).
const Chord& ChordAt(const std::vector<Chord>& chords, double beat) {
    const Chord* found = &chords.front();
    for (const Chord& c : chords)
        if (c.beat <= beat + 1e-9) found = &c;
    return *found;
}

// Small, repeatable unevenness so the machine does not sound like one.
double Jitter(Rng& rng, double seconds) {
    return rng.Range(-seconds, seconds);
}

// --- The menu tune: a waltz in F with a lydian lift, 16 bars at 80 beats a minute (36 s).
// A: Fmaj7 G/F Am7 Bb-C; A': Fmaj7 G/F Dm7 Gm-C; B: Bbmaj7 Am7 Gm7 C; A'': Fmaj7 G/F Bbmaj7
// Csus-C, which leads back into the first bar.

const std::vector<Note> MenuMelody = {
    {0, "A5"},   {1.5, "G5"},  {2, "F5"},                // 1
    {3, "D6"},   {4, "B5"},    {5, "G5"},                // 2
    {6, "C6"},   {7.5, "A5"},  {8, "E5"},                // 3
    {9, "D5"},   {10, "F5"},   {11, "G5"},               // 4
    {12, "A5"},  {13.5, "G5"}, {14, "F5"},               // 5
    {15, "D6"},  {16, "E6"},   {16.5, "D6"}, {17, "B5"}, // 6
    {18, "C6"},  {19.5, "A5"}, {20, "F5"},               // 7
    {21, "G5"},  {23, "E5"},                             // 8
    {24, "F6"},  {25.5, "E6"}, {26, "D6"},               // 9
    {27, "C6"},  {28, "E6"},   {29, "A5"},               // 10
    {30, "Bb5"}, {31.5, "A5"}, {32, "G5"},               // 11
    {33, "G5"},  {34, "C6"},   {35, "E6"},               // 12
    {36, "F6"},  {37.5, "E6"}, {38, "C6"},               // 13
    {39, "D6"},  {40, "B5"},   {40.5, "A5"}, {41, "G5"}, // 14
    {42, "A5"},  {43.5, "F5"}, {44, "D5"},               // 15
    {45, "G5"},  {46, "F5"},   {47, "E5"},               // 16
};

// High sparkles answering the melody in the repeated phrases.
const std::vector<Note> MenuSparkle = {
    {13.5, "C7"}, {14.5, "A6"}, {16.5, "B6"}, {17.5, "G6"}, {19.5, "A6"}, {20.5, "F6"},
    {37.5, "A6"}, {38.5, "G6"}, {40.5, "D7"}, {41.5, "B6"}, {43.5, "A6"}, {44.5, "F6"},
};

const std::vector<Chord> MenuChords = {
    {0, "F2", {"C4", "E4", "A4"}},   {3, "F2", {"B3", "D4", "G4"}},
    {6, "A2", {"C4", "E4", "G4"}},   {9, "Bb2", {"D4", "F4", "A4"}},
    {11, "C3", {"C4", "E4", "G4"}},  {12, "F2", {"C4", "E4", "A4"}},
    {15, "F2", {"B3", "D4", "G4"}},  {18, "D3", {"C4", "F4", "A4"}},
    {21, "G2", {"Bb3", "D4", "F4"}}, {23, "C3", {"C4", "E4", "G4"}},
    {24, "Bb2", {"D4", "F4", "A4"}}, {27, "A2", {"C4", "E4", "G4"}},
    {30, "G2", {"Bb3", "D4", "F4"}}, {33, "C3", {"Bb3", "E4", "G4"}},
    {36, "F2", {"C4", "E4", "A4"}},  {39, "F2", {"B3", "D4", "G4"}},
    {42, "Bb2", {"D4", "F4", "A4"}}, {45, "C3", {"C4", "F4", "G4"}},
    {47, "C3", {"C4", "E4", "G4"}},
};

void MakeMenuMusic(GenContext& ctx) {
    const std::string path = "Sound/menu.ogg";
    Rng rng(path);
    const double beat = 60.0 / 80.0, beats = 48, length = beats * beat;

    Pcm melody(length, 2);
    for (const Note& n : MenuMelody)
        AddStruck(melody, n.beat * beat + Jitter(rng, 0.006), NoteHz(n.name),
                  0.32 * rng.Range(0.9, 1.05), MusicBox(NoteHz(n.name)), 0.002, 0.2);
    for (const Note& n : MenuSparkle)
        AddStruck(melody, n.beat * beat + Jitter(rng, 0.006), NoteHz(n.name), 0.07,
                  MusicBox(NoteHz(n.name)), 0.002, 0.55);
    Echo(melody, beat * 0.75, 0.3, 0.18);

    Pcm band(length, 2);
    // Waltz accompaniment: bass on the bar, the chord broken in quavers (up and back), except
    // in the B phrase, where it rolls once a beat for a broader feel.
    for (int eighth = 0; eighth < beats * 2; ++eighth) {
        double b = eighth * 0.5, t = b * beat + Jitter(rng, 0.008);
        const Chord& c = ChordAt(MenuChords, b);
        int inBar = eighth % 6;
        bool broad = b >= 24 && b < 36;
        if (inBar == 0 || b == c.beat) {
            AddStruck(band, t, NoteHz(c.bass), 0.22, Bass(), 0.01, 0.0);
        }
        if (broad) {
            if (inBar % 2 == 1) continue;
            for (int k = 0; k < 3; ++k)
                AddStruck(band, t + 0.025 * k, NoteHz(c.upper[k]), inBar == 0 ? 0.1 : 0.07,
                          Harp(NoteHz(c.upper[k])), 0.004, -0.3 + 0.15 * k);
            continue;
        }
        static const int pattern[6] = {-1, 0, 1, 2, 1, 0};
        if (pattern[inBar] < 0) continue;
        const char* name = c.upper[pattern[inBar]];
        AddStruck(band, t, NoteHz(name), 0.11 * rng.Range(0.85, 1.0), Harp(NoteHz(name)), 0.004,
                  -0.35);
    }
    // A soft bed of sustained chord tones under everything.
    for (std::size_t i = 0; i < MenuChords.size(); ++i) {
        const Chord& c = MenuChords[i];
        double end = i + 1 < MenuChords.size() ? MenuChords[i + 1].beat : beats;
        double held = (end - c.beat) * beat;
        for (int k = 0; k < 3; ++k)
            AddPad(band, c.beat * beat, held, NoteHz(c.upper[k]) / 2, 0.03, 0.6, 1.0,
                   -0.4 + 0.4 * k);
    }
    LowPass(band, 5000);

    Pcm mix(length, 2);
    MixInto(mix, melody, 0.0);
    MixInto(mix, band, 0.0);
    Reverb(mix, 0.6, 0.25);
    FoldLoop(mix, length); // tails ring on over the start: the seam cannot be heard
    StartLoopQuietly(mix, length - beat * 0.5, length - 0.02);
    Normalise(mix, 0.6); // it plays under the clicks and the tearing of the title

    ctx.Save(mix, path);
}

// --- The opening film's score, timed to the film's steps (one picture every `step`):
//   from step 1   three story pictures, then the skip prompt: a four-note motif, a note each;
//   from step 5   a hand draws (24 frames): a pen's scratch, a melody climbing over F Dm Bb C;
//   from step 29  the hero appears, the hand draws on: a warm resolve and the menu's opening;
//   from step 47  the hill: a suspended chord;
//   from step 49  the end pictures: the final chord, fading as the game starts (step 51).
// The film's steps run a few milliseconds over 240 ms each, so the score takes 243.

// In steps.
const std::vector<Note> OpeningMotif = {{1, "C5"}, {2, "F5"}, {3, "A5"}, {4, "C6"}};

// In steps from the hand's first frame.
const std::vector<Note> OpeningClimb = {
    {0, "C5"},  {2, "F5"},  {3, "A5"},  {4, "G5"},   {6, "D5"},  {8, "F5"},
    {9, "A5"},  {10, "C6"}, {12, "F5"}, {14, "Bb5"}, {15, "D6"}, {16, "C6"},
    {18, "G5"}, {20, "C6"}, {21, "E6"}, {22, "F6"},  {23, "E6"},
};

// In steps from the hand's first frame.
const std::vector<Chord> OpeningChords = {
    {0, "F2", {"A3", "C4", "F4"}},  {6, "D2", {"A3", "D4", "F4"}},  {12, "Bb1", {"D4", "F4", "A4"}},
    {18, "C2", {"C4", "F4", "G4"}}, {22, "C2", {"C4", "E4", "G4"}},
};

// The theme after the hero appears: the first two bars of the menu tune, in beats from the hero
// (a beat is three steps).
const std::vector<Note> OpeningTheme = {
    {0, "A5"}, {1.5, "G5"}, {2, "F5"}, {3, "D6"}, {4, "B5"}, {5, "G5"},
};

// A pen scratching a drawing onto paper: short strokes, one or two a frame, with the nib
// catching on the fibres.
void AddPenStrokes(Pcm& pcm, double start, int frames, double step, double amp, Rng& rng) {
    for (int f = 0; f < frames; ++f) {
        int strokes = rng.Chance(0.4) ? 2 : 1;
        double t = start + f * step + rng.Range(0.0, 0.05);
        for (int k = 0; k < strokes; ++k) {
            double len = rng.Range(0.06, 0.18), hz = rng.Range(2600, 4200);
            double pan = -0.5 + static_cast<double>(f) / frames + rng.Range(-0.15, 0.15);
            double level = amp * rng.Range(0.6, 1.0);
            AddNoiseKeys(pcm, t,
                         {{0.0, 0.0, hz, 2.0},
                          {0.015, 1.0, hz, 2.0},
                          {len - 0.02, 0.8, hz * rng.Range(0.85, 1.2), 2.0},
                          {len, 0.0, hz, 2.0}},
                         level, rng, 0.85, pan);
            AddCrackle(pcm, t, len, 250, 250, level * 0.8, rng, 2500, 6000, 0.5, pan);
            t += len + rng.Range(0.01, 0.04);
        }
    }
}

void MakeOpeningMusic(GenContext& ctx) {
    const std::string path = "Sound/Opening.ogg";
    Rng rng(path);
    const double step = 0.243;
    const double hand = 5 * step, hero = 29 * step, hill = 47 * step, end = 49 * step;
    const double length = end + 0.85;
    Pcm mix(length, 2), bells(length, 2), bed(length, 2);

    // The story pictures: a soft chord under a rising motif, the last note held for the prompt.
    for (const char* name : {"F3", "A3", "C4"})
        AddPad(bed, 0.0, hand, NoteHz(name), 0.035, 0.8, 0.6);
    for (const Note& n : OpeningMotif)
        AddStruck(bells, n.beat * step, NoteHz(n.name), n.beat == 4 ? 0.3 : 0.24,
                  MusicBox(NoteHz(n.name)), 0.002, -0.3 + 0.15 * n.beat);

    // The hand draws: pen, harp quavers growing louder, the climbing melody.
    AddPenStrokes(mix, hand, 24, step, 0.16, rng);
    AddPenStrokes(mix, hero, 18, step, 0.08, rng); // it draws on, quieter, under the theme
    for (int q = 0; q < 24; ++q) {
        const Chord& c = ChordAt(OpeningChords, q);
        static const int pattern[4] = {0, 1, 2, 1};
        const char* name = c.upper[pattern[q % 4]];
        double swell = 0.05 + 0.05 * q / 24.0;
        AddStruck(bells, hand + q * step, NoteHz(name), swell, Harp(NoteHz(name)), 0.004, -0.3);
        if (q == c.beat) AddStruck(bells, hand + q * step, NoteHz(c.bass), 0.2, Bass(), 0.01);
    }
    for (std::size_t i = 0; i < OpeningChords.size(); ++i) {
        const Chord& c = OpeningChords[i];
        double until = i + 1 < OpeningChords.size() ? OpeningChords[i + 1].beat : 24;
        for (int k = 0; k < 3; ++k)
            AddPad(bed, hand + c.beat * step, (until - c.beat) * step, NoteHz(c.upper[k]),
                   0.03 + 0.015 * i, 0.4, 0.5, -0.4 + 0.4 * k);
    }
    for (const Note& n : OpeningClimb)
        AddStruck(bells, hand + n.beat * step, NoteHz(n.name), 0.28, MusicBox(NoteHz(n.name)),
                  0.002, 0.2);

    // The hero: everything comes home to F, then the menu's opening bars, slower.
    const char* warm[] = {"F3", "C4", "F4", "A4", "C5", "E5"};
    for (int k = 0; k < 6; ++k) {
        AddStruck(bells, hero + 0.03 * k, NoteHz(warm[k]), 0.12, Harp(NoteHz(warm[k])), 0.004,
                  -0.5 + 0.2 * k);
        AddPad(bed, hero, 2.2, NoteHz(warm[k]) / 2, 0.03, 0.5, 1.5, -0.5 + 0.2 * k);
    }
    AddStruck(bells, hero, NoteHz("F2"), 0.3, Bass(), 0.01);
    AddStruck(bells, hero + 6 * step, NoteHz("F2"), 0.2, Bass(), 0.01);
    AddStruck(bells, hero + 9 * step, NoteHz("F2"), 0.2, Bass(), 0.01);
    for (const char* name : {"B3", "D4", "G4"})
        AddPad(bed, hero + 9 * step, 9 * step - 0.3, NoteHz(name), 0.035, 0.6, 0.8);
    for (const Note& n : OpeningTheme)
        AddStruck(bells, hero + n.beat * 3 * step, NoteHz(n.name), 0.3, MusicBox(NoteHz(n.name)),
                  0.002, 0.2);

    // The hill: a suspended chord that wants to fall home.
    const char* suspended[] = {"C3", "G3", "Bb3", "F4", "G4", "C5"};
    for (int k = 0; k < 6; ++k) {
        AddStruck(bells, hill + 0.035 * k, NoteHz(suspended[k]), 0.1, Harp(NoteHz(suspended[k])),
                  0.004, -0.4 + 0.16 * k);
        AddPad(bed, hill, end - hill, NoteHz(suspended[k]), 0.025, 0.2, 0.4, -0.4 + 0.16 * k);
    }
    // The chapter begins: the final chord, rolled from the bass up, fading as the film ends.
    const char* home[] = {"F2", "C3", "F3", "A3", "C4", "G4", "A4", "C5", "F5", "A5"};
    for (int k = 0; k < 10; ++k) {
        double t = end + 0.025 * k, hz = NoteHz(home[k]);
        AddStruck(bells, t, hz, k < 2 ? 0.22 : 0.12, k < 2 ? Bass() : Harp(hz), 0.004,
                  -0.45 + 0.1 * k);
    }
    AddStruck(bells, end + 0.25, NoteHz("F6"), 0.18, MusicBox(NoteHz("F6")), 0.002, 0.3);
    for (const char* name : {"F3", "A3", "C4", "F4"})
        AddPad(bed, end, 0.3, NoteHz(name), 0.04, 0.05, 0.5);

    LowPass(bed, 4000);
    MixInto(mix, bed, 0.0);
    Echo(bells, 2 * step, 0.25, 0.15);
    MixInto(mix, bells, 0.0);
    Reverb(mix, 0.6, 0.25);
    SetLength(mix, length);
    FadeIn(mix, 0.01);
    FadeOut(mix, 0.6);
    Normalise(mix, 0.7);
    ctx.Save(mix, path);
}

// --- The ending's closing cadence, heard while the last picture fades (26 steps of a little
// over 200 ms): the menu tune's last phrase, slower, over Bb - C - F, the waltz coming to rest
// on a rolled F chord with the tune's first note high above it.

const std::vector<Note> ClosingMelody = {
    {0, "A5"}, {1.5, "F5"}, {2, "D5"}, // the last bar but one, as in the menu
    {3, "G5"}, {4, "F5"},   {5, "E5"}, // its last bar, leaning home
    {6, "F5"},                         // and home, held
};

const std::vector<Chord> ClosingChords = {
    {0, "Bb2", {"D4", "F4", "A4"}},
    {3, "C3", {"C4", "F4", "G4"}},
    {5, "C3", {"C4", "E4", "G4"}},
    {6, "F2", {"C4", "F4", "A4"}},
};

void MakeClosingMusic(GenContext& ctx) {
    const std::string path = "Sound/close.ogg";
    Rng rng(path);
    const double beat = 60.0 / 64.0; // slower than the menu's 80: the tune winding down
    const double home = 6 * beat, length = 5.4;
    Pcm bells(length, 2), bed(length, 2);

    for (const Note& n : ClosingMelody)
        AddStruck(bells, n.beat * beat + Jitter(rng, 0.006), NoteHz(n.name),
                  n.beat == 6 ? 0.34 : 0.3, MusicBox(NoteHz(n.name)), 0.002, 0.2);
    // The waltz accompaniment for the two bars, the broken chord thinning out.
    for (int eighth = 0; eighth < 12; ++eighth) {
        double b = eighth * 0.5, t = b * beat + Jitter(rng, 0.008);
        const Chord& c = ChordAt(ClosingChords, b);
        int inBar = eighth % 6;
        if (inBar == 0 || b == c.beat) AddStruck(bells, t, NoteHz(c.bass), 0.22, Bass(), 0.01);
        static const int pattern[6] = {-1, 0, 1, 2, 1, 0};
        if (pattern[inBar] < 0) continue;
        const char* name = c.upper[pattern[inBar]];
        double fade = 1.0 - eighth / 16.0;
        AddStruck(bells, t, NoteHz(name), 0.1 * fade, Harp(NoteHz(name)), 0.004, -0.35);
    }
    // Home: the F chord rolled from the bass up, and the tune's first note ringing over it.
    const char* chord[] = {"F2", "C3", "F3", "A3", "C4", "F4", "A4", "C5"};
    for (int k = 0; k < 8; ++k) {
        double hz = NoteHz(chord[k]);
        AddStruck(bells, home + 0.04 * k, hz, k < 2 ? 0.22 : 0.1, k < 2 ? Bass() : Harp(hz), 0.004,
                  -0.45 + 0.12 * k);
    }
    AddStruck(bells, home + 0.6, NoteHz("A6"), 0.12, MusicBox(NoteHz("A6")), 0.002, 0.35);
    for (std::size_t i = 0; i < ClosingChords.size(); ++i) {
        const Chord& c = ClosingChords[i];
        double until = i + 1 < ClosingChords.size() ? ClosingChords[i + 1].beat * beat : length;
        for (int k = 0; k < 3; ++k)
            AddPad(bed, c.beat * beat, until - c.beat * beat - 0.2, NoteHz(c.upper[k]) / 2, 0.03,
                   0.4, 0.8, -0.4 + 0.4 * k);
    }
    LowPass(bed, 4000);
    Echo(bells, beat * 0.75, 0.25, 0.15);
    Pcm mix(length, 2);
    MixInto(mix, bed, 0.0);
    MixInto(mix, bells, 0.0);
    Reverb(mix, 0.6, 0.25);
    SetLength(mix, length);
    FadeIn(mix, 0.01);
    FadeOut(mix, 1.2);
    Normalise(mix, 0.7);
    ctx.Save(mix, path);
}

void GenerateMusic(GenContext& ctx) {
    MakeMenuMusic(ctx);
    MakeOpeningMusic(ctx);
    MakeClosingMusic(ctx);
}

AssetGroup group("music", &GenerateMusic);

} // namespace
