// Effects: wind around the windmill, puffs and bursts of snow, lantern light, the plank falling
// into the ditch and the closing smoke.

#include "BagItemParts.h"
#include "LevelArtBack.h"
#include "WindmillRide.h"

#include <algorithm>
#include <cmath>

namespace backart {

void WindmillWhirl(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Curling wind lines round the hub, more and longer with each strength. The game puts this
    // picture's corner 52, 63 (painted pixels) right of and below the windmill's.
    const double cx = levelart::windmill::kHub.x - 52, cy = levelart::windmill::kHub.y - 63;
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

// The lantern put down before the troll: its light is drawn 94 px right of the lantern's left
// edge and 6 px above its top (at scale 2), so the flame lies off the frame to the left, at
// (kFlameX, kFlameY), and the lane's ground line crosses the frame at row 37 or lower. The light
// spreads from the flame over the snow and up towards the troll, all of it above that line.
namespace {
constexpr double kFlameX = -32, kFlameY = 30, kGroundRow = 37;
} // namespace

void LanternFlare(cairo_t* cr, double w, double, int frame, Rng& rng) {
    // Warm light bursting from the lantern and spreading to the right, further on each frame.
    const double reach = w * (0.7 + 0.25 * frame);
    Glow(cr, kFlameX, kFlameY - 4, reach, 22 + 3 * frame, colour::Glow, 0.95);
    Glow(cr, kFlameX, kFlameY, reach * 0.6, 12 + 2 * frame, {1.0, 0.95, 0.7}, 0.7);
    for (int i = 0; i < 7; ++i) {
        const double a = -0.5 + i * 0.085; // from steeply up to nearly level
        const double len = reach * rng.Range(0.85, 1.1);
        const double x1 = kFlameX + len * std::cos(a);
        const double y1 = std::min(kFlameY + len * std::sin(a), kGroundRow - 3);
        InkLine(cr, {{0, kFlameY - (kFlameX * std::tan(a))}, {x1, y1}}, 1.4, rng, palette::Ochre,
                0.75);
    }
    for (int i = 0; i < 2 + frame; ++i)
        Twinkle(cr, rng.Range(6, std::min(w - 6, kFlameX + reach * 0.9)), rng.Range(8, 30), 3,
                palette::Ochre, rng);
}

void LanternGlowOnSnow(cairo_t* cr, double w, double, int frame, Rng& rng) {
    // The steady glow that stays: a warm pool of light on the snow right of the lantern,
    // reaching to the troll, breathing a little from frame to frame.
    const double k = 0.92 + 0.08 * ((frame * 7) % 3) / 2.0;
    Glow(cr, kFlameX + 20, kFlameY - 2, w * 1.4 * k, 26 * k, colour::Glow, 1.0);
    Glow(cr, kFlameX + 20, kFlameY, w * 0.8 * k, 13 * k, {1.0, 0.95, 0.7}, 0.85);
    Twinkle(cr, 26 + (frame % 2 ? 16 : 0), 14 + 4 * frame, 2.5, palette::Ochre, rng);
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
    // The plank turning end over end (towards us) as it drops into the ditch: its length
    // shortens and grows again as it turns, and it sinks lower frame by frame.
    double turn = std::abs(std::cos(frame * Pi / 4));
    double len = 80 * std::max(0.14, turn);
    double cy = 10 + frame * 2.4, tilt = (frame % 2 ? 0.25 : -0.15);
    cairo_save(cr);
    cairo_translate(cr, w / 2, cy);
    cairo_rotate(cr, tilt);
    cairo_translate(cr, -len / 2, -5);
    cairo_scale(cr, len / 90, 0.5 + 0.3 * (1 - turn));
    cairo_new_path(cr);
    bagart::Plank(cr, 90, 20, 0, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
    if (frame >= 5) Flakes(cr, w * 0.3, h * 0.55, w * 0.4, h * 0.4, 3 + frame, rng);
}

namespace {

// A soft puff of warm smoke: a radial wash with a faint curl of ink on its upper rim.
void Puff(cairo_t* cr, double x, double y, double r, double alpha, Rng& rng) {
    const Rgb warm = Blend(palette::Paper, palette::Stone, 0.25);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, r, r * 0.8);
    cairo_pattern_t* g = cairo_pattern_create_radial(-0.2, -0.25, 0.1, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.99, 0.96, alpha);
    cairo_pattern_add_color_stop_rgba(g, 0.65, warm.r, warm.g, warm.b, alpha * 0.9);
    cairo_pattern_add_color_stop_rgba(g, 1, warm.r, warm.g, warm.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    double a0 = rng.Range(-2.6, -1.8);
    std::vector<Pt> curl;
    for (int k = 0; k <= 6; ++k) {
        double a = a0 + k * 0.28;
        curl.push_back({x + r * 0.72 * std::cos(a), y + r * 0.58 * std::sin(a)});
    }
    InkLine(cr, curl, std::max(0.6, r * 0.03), rng, palette::StoneDark, 0.35 * alpha);
}

} // namespace

void Smoke(cairo_t* cr, double w, double h, int step, Rng& rng, Pt chimney) {
    // Steps 1-3 are puffs curling up from the chimney and drifting right over the roof, more
    // and bigger each step; 4-8 fill the page more and more with warm smoke and snow, the last
    // one all paper.
    if (step <= 3) {
        const int puffs = 2 + 2 * step;
        const double rMin = 3.5 + step, rMax = std::min(6.0 + 5 * step, chimney.y * 0.4);
        const double rise = chimney.y - rMax - 2; // the top puff stays inside the box
        const double drift = std::min(rise * (0.6 + 0.3 * step), w - chimney.x - rMax - 2);
        for (int i = 0; i < puffs; ++i) {
            double t = double(i) / (puffs - 1);
            double r = rMin + (rMax - rMin) * t;
            double x = chimney.x + drift * t + std::sin(t * 5) * r * 0.3;
            double y = chimney.y - r * 0.7 - (rise - r * 0.7) * std::sqrt(t);
            Puff(cr, x, y, r, 0.9 - 0.25 * t, rng);
        }
        Flakes(cr, 0, 0, w, h, 2 + step * 2, rng);
        return;
    }
    if (step == 8) {
        cairo_rectangle(cr, 0, 0, w, h);
        FillPaper(cr, rng, palette::Paper, 0.08);
        cairo_new_path(cr);
        Flakes(cr, 0, 0, w, h, 30, rng);
        return;
    }
    // Steps 4-7: a rising bank of smoke, from the chimney below the middle up over the page.
    double cover = (step - 3) / 4.0; // 0.25 .. 1
    if (step == 7) {
        cairo_rectangle(cr, 0, 0, w, h);
        SetColour(cr, palette::Paper, 0.55);
        cairo_fill(cr);
    }
    int puffs = 10 + step * 6;
    for (int i = 0; i < puffs; ++i) {
        double t = rng.Uniform();
        double y = h + 20 - t * (h + 40) * cover;
        double spread = w * (0.2 + 0.6 * std::min(1.0, (h - y) / h + cover * 0.5));
        double x = w / 2 + rng.Range(-spread, spread);
        double r = rng.Range(35, 70) * (0.7 + cover);
        Puff(cr, x, y, r, 0.7 + 0.3 * cover, rng);
    }
    Flakes(cr, 0, 0, w, h, 16 + step * 4, rng);
}

} // namespace backart
