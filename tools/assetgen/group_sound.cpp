// The book's paper sounds (a tear, a page turn, the help panel's slide) and the menu click.

#include "Audio.h"
#include "Ink.h"
#include "Registry.h"
#include "SoundVoices.h"

namespace {

// Noise is hard on the encoder: at the usual quality its peaks come back a fifth higher. These
// clips are tiny, so spend the bits.
constexpr float PaperQuality = 0.7f;

// Brings a clip to a common loudness: transients are rounded off first, so one loud snap does
// not set the level of the whole clip.
void Finish(Pcm& pcm, double drive, double peak, double fade) {
    Normalise(pcm, 1.0);
    SoftClip(pcm, drive);
    FadeOut(pcm, fade);
    Normalise(pcm, peak);
}

// Paper torn from a picture: a rough rip made of many fibres snapping, rising a little in pitch
// and pace as the tear runs, ending in a sharp snap as the piece comes free. The tear clip is
// also cut short (after about 0.45 s) when a help page is torn away, so it starts in earnest.
void MakeTearSound(GenContext& ctx) {
    const std::string path = "Sound/tear.ogg";
    Rng rng(path);
    Pcm pcm(0.8);
    const double snap = 0.60;
    AddCrackle(pcm, 0.0, snap - 0.04, 400, 1800, 0.9, rng, 1500, 9000, 0.7);
    AddNoiseKeys(pcm, 0.0,
                 {{0.00, 0.0, 1800, 1.3},
                  {0.03, 0.5, 1900, 1.3},
                  {0.30, 0.75, 2600, 1.1},
                  {snap - 0.06, 0.9, 3200, 1.0},
                  {snap - 0.03, 0.3, 3000, 1.0}, // the last fibres hold for a moment
                  {snap + 0.01, 0.3, 3000, 1.0},
                  {snap + 0.08, 0.0, 2600, 1.0}},
                 0.55, rng, 0.9);
    AddNoiseKeys(pcm, 0.0, // the fibrous body of the rip
                 {{0.00, 0.0, 700, 1.5},
                  {0.04, 0.8, 750, 1.5},
                  {snap - 0.06, 1.0, 950, 1.5},
                  {snap - 0.03, 0.2, 900, 1.5},
                  {snap + 0.03, 0.0, 900, 1.5}},
                 0.3, rng, 0.95);
    // The piece comes free: a dense bunch of snaps and a crack, then a few loose fibres.
    AddCrackle(pcm, snap - 0.04, 0.04, 300, 3000, 0.9, rng, 1500, 9000);
    AddCrackle(pcm, snap, 0.025, 8000, 2000, 1.2, rng, 1000, 10000);
    AddNoiseKeys(pcm, snap + 0.003,
                 {{0.0, 0.0, 2600, 0.7}, {0.001, 1.0, 2600, 0.7}, {0.015, 0.0, 2000, 0.7}}, 1.0,
                 rng);
    AddCrackle(pcm, snap + 0.03, 0.1, 120, 20, 0.5, rng, 2000, 8000);
    Reverb(pcm, 0.15, 0.1);
    SetLength(pcm, 0.78);
    Finish(pcm, 1.8, 0.75, 0.06);
    ctx.Save(pcm, path, PaperQuality);
}

// A page turning: the swish of the page sweeping over, a light rustle, the soft flap of it
// landing. Played at every turn, up to five a second, so it stays short and gentle.
void MakePageSound(GenContext& ctx) {
    const std::string path = "Sound/page.ogg";
    Rng rng(path);
    Pcm pcm(0.5);
    AddNoiseKeys(pcm, 0.0,
                 {{0.00, 0.0, 700, 1.0},
                  {0.06, 0.5, 1300, 0.9},
                  {0.15, 1.0, 2400, 0.8},
                  {0.23, 0.7, 3000, 0.9},
                  {0.29, 0.2, 2000, 1.0},
                  {0.34, 0.0, 1400, 1.0}},
                 0.6, rng, 0.25);
    AddNoiseKeys(pcm, 0.03, // air off the page's edge
                 {{0.0, 0.0, 6000, 1.5}, {0.12, 1.0, 7000, 1.5}, {0.24, 0.0, 5500, 1.5}}, 0.15, rng,
                 0.3);
    AddCrackle(pcm, 0.02, 0.26, 80, 180, 0.25, rng, 2000, 7000, 0.5);
    const double flap = 0.27; // the page lands
    AddNoiseKeys(pcm, flap, {{0.0, 0.0, 320, 0.8}, {0.004, 1.0, 260, 0.8}, {0.06, 0.0, 180, 0.8}},
                 0.9, rng);
    AddNoiseKeys(pcm, flap,
                 {{0.0, 0.0, 1300, 1.0}, {0.002, 1.0, 1300, 1.0}, {0.012, 0.0, 1100, 1.0}}, 0.3,
                 rng);
    AddStruck(pcm, flap, 95, 0.35, {{1.0, 1.0, 0.035}}, 0.004);
    Reverb(pcm, 0.25, 0.12);
    SetLength(pcm, 0.5);
    Finish(pcm, 1.5, 0.55, 0.1);
    ctx.Save(pcm, path, PaperQuality);
}

// The help panel sliding in or out: a soft, even slide of paper over paper.
void MakeHelpSound(GenContext& ctx) {
    const std::string path = "Sound/help.ogg";
    Rng rng(path);
    Pcm pcm(0.42);
    AddNoiseKeys(pcm, 0.0,
                 {{0.00, 0.0, 1700, 0.8},
                  {0.08, 0.8, 2100, 0.8},
                  {0.22, 0.7, 2500, 0.8},
                  {0.33, 0.15, 2000, 0.9},
                  {0.38, 0.0, 1800, 0.9}},
                 0.6, rng, 0.35);
    AddNoiseKeys(
        pcm, 0.0, // the sheet's weight on the page
        {{0.0, 0.0, 600, 1.2}, {0.1, 1.0, 700, 1.2}, {0.3, 0.6, 650, 1.2}, {0.38, 0.0, 600, 1.2}},
        0.3, rng, 0.5);
    AddCrackle(pcm, 0.03, 0.3, 30, 50, 0.12, rng, 2500, 7000);
    LowPass(pcm, 4500); // soft, not hissy
    Reverb(pcm, 0.2, 0.1);
    SetLength(pcm, 0.42);
    Finish(pcm, 1.2, 0.42, 0.05);
    ctx.Save(pcm, path, PaperQuality);
}

// A menu choice: a short wooden tap, like a pencil knocked on the desk.
void MakeClickSound(GenContext& ctx) {
    const std::string path = "Sound/click.ogg";
    Rng rng(path);
    Pcm pcm(0.13);
    const double tap = 0.003; // a moment of silence first: the encoder smears a tap at sample 0
    AddStruck(pcm, tap, 1150, 0.7, {{1.0, 1.0, 0.018}, {2.42, 0.45, 0.009}, {3.9, 0.2, 0.005}},
              0.0006);
    AddStruck(pcm, tap, 420, 0.35, {{1.0, 1.0, 0.022}}, 0.001); // the desk under it
    AddNoiseKeys(pcm, tap,
                 {{0.0, 0.0, 4000, 1.0}, {0.0004, 1.0, 4000, 1.0}, {0.003, 0.0, 3500, 1.0}}, 0.5,
                 rng);
    Reverb(pcm, 0.1, 0.08);
    SetLength(pcm, 0.13);
    Finish(pcm, 1.2, 0.7, 0.04);
    ctx.Save(pcm, path);
}

// A click on the page that does nothing: two soft, low knocks on the book's cover, "nope".
void MakeRefuseSound(GenContext& ctx) {
    const std::string path = "Sound/refuse.ogg";
    Rng rng(path);
    Pcm pcm(0.26);
    for (double at : {0.003, 0.11}) {
        AddStruck(pcm, at, 330, 0.6, {{1.0, 1.0, 0.03}, {2.1, 0.3, 0.012}}, 0.001);
        AddNoiseKeys(pcm, at,
                     {{0.0, 0.0, 1800, 1.0}, {0.0005, 1.0, 1800, 1.0}, {0.004, 0.0, 1500, 1.0}},
                     0.3, rng);
    }
    Reverb(pcm, 0.1, 0.08);
    SetLength(pcm, 0.26);
    Finish(pcm, 1.2, 0.5, 0.04);
    ctx.Save(pcm, path);
}

void GenerateSound(GenContext& ctx) {
    MakeTearSound(ctx);
    MakePageSound(ctx);
    MakeHelpSound(ctx);
    MakeClickSound(ctx);
    MakeRefuseSound(ctx);
}

AssetGroup group("sound", &GenerateSound);

} // namespace
