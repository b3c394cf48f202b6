// The game's clips: paper sounds for the book, the menu click, the menu tune and the opening
// film's music.

#include "Audio.h"
#include "Ink.h"
#include "Registry.h"

namespace {

// A page turning: a rising swish of paper, then the soft flap of the page landing.
void MakePageSound(GenContext& ctx) {
    const std::string path = "Sound/page.ogg";
    Rng rng(path);
    Pcm pcm(0.55);
    AddNoise(pcm, 0.0, 0.22, 0.5, rng, 600, 2500, {0.12, 0.05, 0.8, 0.12}, 1800, 7000);
    AddNoise(pcm, 0.05, 0.15, 0.25, rng, 3000, 9000, {0.08, 0.05, 0.5, 0.1}); // paper edge
    AddNoise(pcm, 0.33, 0.02, 0.9, rng, 60, 500, {0.004, 0.03, 0.3, 0.1});    // the flap
    AddGlide(pcm, 0.33, 0.03, 140, 70, 0.25, Wave::Sine, {0.003, 0.04, 0.2, 0.08});
    Reverb(pcm, 0.2, 0.15);
    SetLength(pcm, 0.6);
    FadeOut(pcm, 0.1);
    Normalise(pcm, 0.8);
    ctx.Save(pcm, path);
}

void GenerateSound(GenContext& ctx) {
    MakePageSound(ctx);
}

AssetGroup group("sound", &GenerateSound);

} // namespace
