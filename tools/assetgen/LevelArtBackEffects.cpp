// Effects: wind around the windmill, puffs and bursts of snow, lantern light, the plank falling
// into the ditch and the closing smoke.

#include "BagItemParts.h"
#include "LevelArtBack.h"

#include <algorithm>
#include <cmath>

namespace backart {

void WindmillWhirl(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Curling wind lines round the hub, more and longer with each strength.
    const double cx = w / 2, cy = h / 2;
    int lines = 3 + frame * 2;
    for (int i = 0; i < lines; ++i) {
        double a0 = i * 2 * Pi / lines + frame * 0.4, r = 10 + (i % 3) * 6 + frame * 2;
        double sweep = 1.2 + frame * 0.4;
        std::vector<Pt> pts;
        for (int k = 0; k <= 8; ++k) {
            double a = a0 + sweep * k / 8, rr = r + k * 0.8;
            pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
        }
        InkLine(cr, pts, 0.9 + frame * 0.2, rng, palette::Water, 0.75);
    }
    Flakes(cr, 4, 4, w - 8, h - 8, 6 + frame * 5, rng);
}

void SnowPuff(cairo_t* cr, double w, double h, int, Rng& rng) {
    for (int i = 0; i < 6; ++i) {
        double a = i * Pi / 3 + 0.3, r = std::min(w, h) * 0.22;
        PathBlob(cr, w / 2 + r * std::cos(a), h / 2 + r * std::sin(a), r * 0.75, r * 0.7, rng, 0.2,
                 7);
        Snow(cr, rng, 0.6);
    }
    PathBlob(cr, w / 2, h / 2, w * 0.25, h * 0.25, rng, 0.15, 8);
    Snow(cr, rng, 0.5);
    for (int i = 0; i < 4; ++i)
        Twinkle(cr, rng.Range(6, w - 6), rng.Range(6, h - 6), 3, palette::Sky, rng);
}

void LanternFlare(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Warm light bursting from the lantern (at the left) and spreading to the right.
    const double lx = 14, ly = h * 0.6;
    double reach = w * (0.25 + 0.18 * frame);
    Glow(cr, lx, ly, reach, h * (0.3 + 0.08 * frame), colour::Glow, 0.7);
    for (int i = 0; i < 7; ++i) {
        double a = -0.7 + i * 0.23;
        double len = reach * rng.Range(0.7, 1.05);
        InkLine(cr,
                {{lx + 8 * std::cos(a), ly + 8 * std::sin(a)},
                 {lx + len * std::cos(a), ly + len * std::sin(a) * 0.7}},
                1.4, rng, palette::Ochre, 0.65);
    }
    for (int i = 0; i < 2 + frame; ++i)
        Twinkle(cr, lx + rng.Range(10, reach), ly + rng.Range(-20, 14), 3, palette::Ochre, rng);
}

void LanternGlow(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // A steady golden glow, breathing a little from frame to frame.
    double k = 0.85 + 0.1 * ((frame * 7) % 3) / 2.0;
    Glow(cr, w * 0.3, h * 0.6, w * 0.5 * k, h * 0.4 * k, colour::Glow, 0.55);
    Glow(cr, w * 0.3, h * 0.6, w * 0.2 * k, h * 0.2 * k, {1.0, 0.95, 0.7}, 0.5);
    Twinkle(cr, w * 0.3 + (frame % 2 ? 14 : -10), h * 0.35, 2.5, palette::Ochre, rng);
}

void LanternBurstUp(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Light bursting upwards from the lantern at the bottom middle.
    const double lx = w / 2, ly = h - 12;
    double reach = h * (0.3 + 0.16 * frame);
    Glow(cr, lx, ly, w * (0.25 + 0.06 * frame), reach, colour::Glow, 0.7);
    for (int i = 0; i < 7; ++i) {
        double a = -Pi / 2 + (i - 3) * 0.28;
        double len = reach * rng.Range(0.7, 1.0);
        InkLine(cr,
                {{lx + 8 * std::cos(a), ly + 8 * std::sin(a)},
                 {lx + len * std::cos(a), ly + len * std::sin(a)}},
                1.3, rng, palette::Ochre, 0.65);
    }
    for (int i = 0; i < 2 + frame; ++i)
        Twinkle(cr, lx + rng.Range(-30, 30), ly - rng.Range(10, reach), 3, palette::Ochre, rng);
}

void SnowballBurst(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    const double cx = w / 2, cy = h / 2;
    if (frame == 0) {
        PathBlob(cr, cx, cy, 9, 9, rng, 0.08, 8);
        Snow(cr, rng, 0.9);
        InkLine(cr, {{cx - 2, cy - 4}, {cx + 1, cy}, {cx - 1, cy + 4}}, 0.7, rng,
                palette::StoneDark);
        return;
    }
    int bits = 6 + frame * 2;
    double spread = 4 + frame * 3.5;
    for (int i = 0; i < bits; ++i) {
        double a = i * 2 * Pi / bits + rng.Range(-0.2, 0.2), r = spread * rng.Range(0.6, 1.1);
        double s = std::max(1.0, 4.5 - frame * 0.7);
        PathBlob(cr, cx + r * std::cos(a), cy + r * std::sin(a), s, s, rng, 0.2, 6);
        Snow(cr, rng, 0.5);
    }
    if (frame <= 2) {
        PathBlob(cr, cx, cy, 7 - frame * 2, 7 - frame * 2, rng, 0.25, 7);
        Snow(cr, rng, 0.5);
    }
}

void PlankFalling(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The plank turning end over end as it drops into the ditch.
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, frame * Pi / 4);
    double len = std::min(w * 0.8, 90.0) / (frame % 4 == 2 ? 2.2 : 1.0);
    cairo_translate(cr, -len / 2, -5);
    cairo_scale(cr, len / 90, 0.5);
    cairo_new_path(cr);
    bagart::Plank(cr, 90, 20, 0, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
    if (frame >= 6) Flakes(cr, w * 0.3, h * 0.6, w * 0.4, h * 0.35, 5, rng);
}

void Smoke(cairo_t* cr, double w, double h, int step, Rng& rng) {
    // Steps 1-3 are puffs rising from the chimney; 4-8 fill the page more and more with warm
    // smoke and snow, the last one all paper.
    if (step <= 3) {
        int puffs = 2 + step;
        for (int i = 0; i < puffs; ++i) {
            double t = double(i) / std::max(1, puffs - 1);
            double r = std::min(w, h) * (0.16 + 0.12 * t);
            double x = w * (0.3 + 0.4 * t) + std::sin(t * 5) * w * 0.08;
            double y = h * (0.8 - 0.5 * t);
            PathBlob(cr, x, y, r, r * 0.85, rng, 0.2, 8);
            SetColour(cr, Blend(palette::Stone, palette::Paper, 0.55 + 0.3 * t), 0.85);
            cairo_fill_preserve(cr);
            Wash(cr, palette::PaperShade, 0.25, rng, {.layers = 2, .jitter = 2, .edge = 0.5});
            InkOutline(cr, 0.8, rng, palette::StoneDark, 0.6);
            cairo_new_path(cr);
        }
        return;
    }
    // Clouds of smoke: more of them, bigger, and paler, as the step grows.
    double cover = (step - 3) / 5.0; // 0.2 .. 1
    if (step == 8) {
        PathRoundedRect(cr, 0, 0, w, h, 0);
        FillPaper(cr, rng, palette::Paper, 0.08);
        cairo_new_path(cr);
        Flakes(cr, 0, 0, w, h, 30, rng);
        return;
    }
    int clouds = 6 + step * 4;
    for (int i = 0; i < clouds; ++i) {
        double x = rng.Range(0, w), y = h - rng.Range(0, h * (0.3 + 0.8 * cover));
        double r = rng.Range(30, 60) * (0.6 + cover);
        PathBlob(cr, x, y, r, r * 0.75, rng, 0.2, 9);
        SetColour(cr, Blend(palette::Stone, palette::Paper, 0.6 + 0.35 * cover),
                  0.55 + 0.4 * cover);
        cairo_fill_preserve(cr);
        Wash(cr, palette::PaperShade, 0.2, rng, {.layers = 2, .jitter = 3, .edge = 0.5});
        InkOutline(cr, 0.8, rng, palette::StoneDark, 0.45 * (1 - cover) + 0.1);
        cairo_new_path(cr);
    }
    Flakes(cr, 0, 0, w, h, 20 + step * 4, rng);
}

} // namespace backart
