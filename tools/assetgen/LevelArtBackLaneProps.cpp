// Scenery along the lane, part two: barrows, carts, sacks, fences, wells, bushes and lamps that
// stand by the lane further on.

#include "LevelArtBack.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace backart {

void SnowBarrow(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    InkLine(cr, {{54, h - 36}, {w - 4, h - 48}}, 2, rng, palette::Wood); // handles
    InkLine(cr, {{60, h - 24}, {66, h - 4}}, 2, rng, palette::Wood);     // leg
    PathPolygon(cr, {{12, h - 44}, {72, h - 44}, {62, h - 22}, {22, h - 22}});
    Fill(cr, Blend(palette::Leaf, palette::StoneDark, 0.4), rng, 1.0);
    PathEllipse(cr, 24, h - 14, 10, 10);
    Fill(cr, palette::Wood, rng, 1.0);
    PathEllipse(cr, 24, h - 14, 2, 2);
    Fill(cr, palette::StoneDark, rng, 0.4);
    PathSmooth(cr,
               {{8, h - 44}, {20, h - 62}, {40, h - 70}, {60, h - 60}, {76, h - 44}, {40, h - 40}});
    Snow(cr, rng, 0.8);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

void VillageSignpost(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, 16, 3);
    PathRoundedRect(cr, 19, 12, 6, h - 14, 1);
    Fill(cr, palette::Wood, rng, 0.9);
    PathPolygon(cr, {{4, 22}, {48, 22}, {57, 30}, {48, 38}, {4, 38}});
    Fill(cr, Lighter(palette::Wood, 0.5), rng, 1.0);
    // Letters at least 10 px high: the sign is drawn at double size, and smaller ones blur.
    DrawText(cr, FontFace::SerifBold, 10, 27, 34, "Village", palette::Ink, Align::Centre);
    PathPolygon(cr, {{40, 46}, {5, 46}, {0, 52}, {5, 58}, {40, 58}});
    Fill(cr, Lighter(palette::Wood, 0.4), rng, 1.0);
    DrawText(cr, FontFace::SerifBold, 8.5, 23, 55.5, "Mill", palette::Ink, Align::Centre);
    SnowCap(cr, {{4, 22}, {30, 21}, {50, 22}}, 3, rng);
    SnowCap(cr, {{5, 46}, {40, 46}}, 2.5, rng);
    PathEllipse(cr, 22, 12, 4, 2);
    Snow(cr, rng, 0.5);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

void SnowShrub(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    PathBlob(cr, w / 2, h * 0.58, w * 0.44, h * 0.38, rng, 0.15, 11);
    Fill(cr, Darker(palette::Moss, 0.2), rng, 1.0);
    for (int i = 0; i < 10; ++i)
        InkLine(cr,
                {{rng.Range(10, w - 10), rng.Range(h * 0.5, h - 6)},
                 {rng.Range(10, w - 10), rng.Range(h * 0.35, h * 0.7)}},
                0.5, rng, Darker(palette::Moss, 0.6), 0.7);
    PathBlob(cr, w / 2, h * 0.36, w * 0.38, h * 0.2, rng, 0.2, 9);
    Snow(cr, rng, 0.7);
    SnowMound(cr, 0, w, h, h - 7, rng);
}

void SnowyShrubs(cairo_t* cr, double w, double h, int, Rng& rng) {
    // Four shrubs at the right end of the picture, past the troll standing guard: the lane left
    // of them stays clear for the lantern's light before the troll.
    const double left = w - 130;
    for (int i = 0; i < 4; ++i) {
        double cx = left + 130 * (0.14 + 0.24 * i), r = rng.Range(14, 19);
        PathBlob(cr, cx, h - r * 0.9, r, r * 0.8, rng, 0.15, 9);
        Fill(cr, Blend(palette::Moss, colour::Pine, rng.Range(0, 0.6)), rng, 0.9);
        PathBlob(cr, cx, h - r * 1.35, r * 0.8, r * 0.4, rng, 0.2, 8);
        Snow(cr, rng, 0.6);
    }
    SnowMound(cr, left, w, h, h - 8, rng);
}

void FencePoles(cairo_t* cr, double w, double h, int, Rng& rng) {
    // Poles stacked in a pyramid, cut ends towards us.
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    const int rows[4] = {4, 3, 2, 1};
    double r = 7.5, y = h - 10;
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < rows[row]; ++k) {
            double x = w / 2 + (k - (rows[row] - 1) / 2.0) * 2 * r;
            PathEllipse(cr, x, y, r, r);
            Fill(cr, Lighter(palette::Wood, 0.4), rng, 0.9);
            PathEllipse(cr, x, y, r * 0.45, r * 0.45);
            InkOutline(cr, 0.4, rng, palette::Wood);
            cairo_new_path(cr);
        }
        y -= r * 1.75;
    }
    SnowCap(cr,
            {{w / 2 - 22, h - 32},
             {w / 2 - 10, h - 50},
             {w / 2, h - 64},
             {w / 2 + 10, h - 50},
             {w / 2 + 22, h - 32}},
            6, rng);
    SnowMound(cr, 0, w, h, h - 5, rng);
}

void FrozenPuddle(cairo_t* cr, double w, double h, int, Rng& rng) {
    SnowMound(cr, 0, w, h, h - 14, rng);
    PathEllipse(cr, w / 2, h - 8, w * 0.4, 5);
    Fill(cr, colour::Ice, rng, 0.7);
    InkLine(cr, {{w * 0.3, h - 9}, {w * 0.45, h - 8}}, 0.8, rng, {1, 1, 1});
    for (int i = 0; i < 9; ++i) { // dry reeds with seed heads
        double x = rng.Range(6, 24) + (i % 2 ? w - 32 : 0), top = rng.Range(6, 30);
        InkCurve(cr, {x, h - 6}, {x + 1, h - 20}, {x + rng.Range(-3, 3), top + 10},
                 {x + rng.Range(-4, 4), top}, 0.7, rng, palette::Ochre);
        if (i % 3 == 0) {
            PathEllipse(cr, x, top + 4, 1.6, 4);
            Fill(cr, palette::Sepia, rng, 0.4);
        }
    }
}

void SnowyCart(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.46, 4);
    InkLine(cr, {{w - 26, h - 30}, {w - 2, h - 18}}, 2, rng, palette::Wood); // shaft
    PathRoundedRect(cr, 6, h - 56, w - 32, 26, 2);
    Fill(cr, palette::Wood, rng, 1.0);
    for (double x : {24.0, 44.0, 64.0})
        InkLine(cr, {{x, h - 56}, {x, h - 30}}, 0.6, rng);
    for (double cx : {24.0, w - 44}) {
        PathEllipse(cr, cx, h - 20, 15, 15);
        SetColour(cr, palette::Wood);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        for (int k = 0; k < 6; ++k)
            InkLine(cr,
                    {{cx, h - 20},
                     {cx + 14 * std::cos(k * Pi / 3), h - 20 + 14 * std::sin(k * Pi / 3)}},
                    0.8, rng, palette::Wood);
        PathEllipse(cr, cx, h - 20, 15, 15);
        InkOutline(cr, 0.7, rng);
        cairo_new_path(cr);
    }
    PathSmooth(cr, {{4, h - 56}, {20, h - 74}, {50, h - 82}, {76, h - 70}, {w - 24, h - 56}});
    Snow(cr, rng, 0.8);
    SnowMound(cr, 0, w, h, h - 8, rng);
}

void FlourSacks(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    auto sack = [&](double cx, double bottom, double sw, double sh) {
        PathSmooth(cr, {{cx - sw * 0.5, bottom},
                        {cx - sw * 0.55, bottom - sh * 0.6},
                        {cx - sw * 0.3, bottom - sh},
                        {cx, bottom - sh - 3},
                        {cx + sw * 0.3, bottom - sh},
                        {cx + sw * 0.55, bottom - sh * 0.6},
                        {cx + sw * 0.5, bottom}});
        Fill(cr, Blend(palette::Paper, palette::Ochre, 0.25), rng, 0.9);
        InkLine(cr, {{cx - sw * 0.25, bottom - sh + 3}, {cx + sw * 0.25, bottom - sh + 3}}, 0.8,
                rng, palette::Sepia);
        DrawText(cr, FontFace::SansBold, sw * 0.22, cx, bottom - sh * 0.4, "FLOUR", palette::Sepia,
                 Align::Centre, 0.8);
    };
    sack(20, h - 4, 28, 30);
    sack(48, h - 4, 28, 32);
    sack(34, h - 32, 26, 28);
    SnowCap(cr, {{24, h - 58}, {34, h - 62}, {44, h - 58}}, 3.5, rng);
    SnowMound(cr, 0, w, h, h - 5, rng);
}

void FenceSection(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.48, 4);
    Fence(cr, 5, w - 5, std::max(8.0, h - 70), h - 2, rng);
    SnowMound(cr, 0, w, h, h - 8, rng);
}

void Snowbank(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A tile of the ground strip: soft at both ends, so neighbouring tiles blend.
    std::vector<Pt> pts{{0, h}};
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0;
        double rise = std::pow(std::sin(t * Pi), 0.5);
        pts.push_back({w * t, h - 4 - (h * 0.55) * rise * rng.Range(0.8, 1.0)});
    }
    pts.push_back({w, h});
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(fade, 0.18, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 0.82, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_push_group(cr);
    PathSmooth(cr, pts, true);
    Snow(cr, rng, 0.7);
    for (int i = 0; i < 5; ++i) { // grass tufts and twigs poking through
        double x = rng.Range(w * 0.2, w * 0.8), y = h - rng.Range(6, 18);
        for (int k = -1; k <= 1; ++k)
            InkLine(cr, {{x, y + 4}, {x + k * 3 + rng.Range(-1, 1), y - rng.Range(3, 7)}}, 0.6, rng,
                    Blend(palette::Ochre, palette::Moss, rng.Uniform()));
    }
    double tx = rng.Range(w * 0.3, w * 0.7);
    InkLine(cr, {{tx, h - 14}, {tx + 6, h - 24}, {tx + 12, h - 27}}, 0.9, rng, colour::Bark);
    InkLine(cr, {{tx + 6, h - 24}, {tx + 5, h - 31}}, 0.6, rng, colour::Bark);
    cairo_pop_group_to_source(cr);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

void DriftSledge(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A child's sledge stuck nose-up in a drift.
    cairo_save(cr);
    cairo_translate(cr, 34, h - 24);
    cairo_rotate(cr, -1.15);
    PathRoundedRect(cr, 0, -12, 62, 11, 2);
    Fill(cr, palette::Rust, rng, 1.0);
    for (double x : {12.0, 28.0, 44.0})
        InkLine(cr, {{x, -12}, {x, -1}}, 0.6, rng, palette::Ink);
    InkCurve(cr, {0, 2}, {30, 2}, {56, 2}, {66, -4}, 2.0, rng, palette::StoneDark);
    InkCurve(cr, {66, -4}, {72, -8}, {70, -16}, {64, -14}, 2.0, rng, palette::StoneDark);
    InkLine(cr, {{48, -1}, {48, 2}}, 1.3, rng, palette::StoneDark);
    cairo_restore(cr);
    PathSmooth(cr, {{0, h}, {8, h - 22}, {30, h - 36}, {56, h - 30}, {76, h - 18}, {w, h}});
    Snow(cr, rng, 0.8);
}

void Postbox(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, 14, 3);
    PathRoundedRect(cr, w / 2 - 3, 60, 6, h - 62, 1);
    Fill(cr, palette::StoneDark, rng, 0.9);
    PathSmooth(cr, {{6, 64}, {6, 24}, {w / 2, 12}, {w - 6, 24}, {w - 6, 64}}, true);
    Fill(cr, colour::Red, rng, 1.0);
    PathRoundedRect(cr, 11, 30, w - 22, 3.5, 1);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    PathRoundedRect(cr, 12, 40, w - 24, 12, 1);
    Fill(cr, palette::Paper, rng, 0.6, 0.2);
    InkLine(cr, {{14, 44}, {w - 14, 44}}, 0.4, rng, palette::Ink, 0.7);
    InkLine(cr, {{14, 48}, {w - 18, 48}}, 0.4, rng, palette::Ink, 0.7);
    InkLine(cr, {{10, 22}, {12, 50}}, 1.2, rng, {1, 1, 1}, 0.6);
    PathSmooth(cr, {{4, 24}, {w / 2, 6}, {w - 4, 24}, {w / 2, 20}});
    Snow(cr, rng, 0.7);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

void Woodpile(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.46, 4);
    for (double x : {8.0, w - 8})
        InkLine(cr, {{x, 30}, {x, h - 2}}, 2.4, rng, palette::Wood);
    PathRoundedRect(cr, 8, h - 72, w - 16, 68, 1);
    SetColour(cr, Darker(palette::Wood, 0.55), 0.8);
    cairo_fill(cr);
    for (double y = h - 10; y > h - 70; y -= 10.5) // log ends
        for (double x = 16 + (int(y) % 2) * 5; x < w - 14; x += 11) {
            PathEllipse(cr, x + rng.Range(-1, 1), y, 5.2, 5);
            Fill(cr, Lighter(palette::Wood, rng.Range(0.3, 0.55)), rng, 0.6);
        }
    PathPolygon(cr, {{-1, 40}, {w / 2, 18}, {w + 1, 40}, {w + 1, 46}, {w / 2, 24}, {-1, 46}});
    Fill(cr, Darker(palette::Wood, 0.2), rng, 1.0);
    SnowCap(cr, {{0, 40}, {w / 4, 29}, {w / 2, 17}, {w * 0.75, 29}, {w, 40}}, 7, rng);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

void FrozenWell(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    for (double x : {8.0, w - 8})
        InkLine(cr, {{x, 12}, {x, h - 26}}, 2.2, rng, palette::Wood);
    InkLine(cr, {{8, 22}, {w - 8, 22}}, 1.6, rng, palette::Wood); // the winch
    InkLine(cr, {{w / 2, 22}, {w / 2 + 2, 36}}, 0.6, rng, palette::Ink);
    PathPolygon(cr, {{w / 2 - 4, 36}, {w / 2 + 8, 36}, {w / 2 + 7, 46}, {w / 2 - 3, 46}});
    Fill(cr, palette::Wood, rng, 0.8);
    PathPolygon(cr, {{0, 16}, {w / 2, 2}, {w, 16}, {w - 3, 19}, {w / 2, 7}, {3, 19}});
    Fill(cr, colour::Roof, rng, 0.9);
    SnowCap(cr, {{0, 16}, {w / 2, 1}, {w, 16}}, 5, rng);
    PathRoundedRect(cr, 4, h - 30, w - 8, 26, 3);
    Fill(cr, palette::Stone, rng, 1.0);
    for (double y : {h - 21, h - 12})
        InkLine(cr, {{5, y}, {w - 5, y}}, 0.5, rng, palette::StoneDark);
    PathEllipse(cr, w / 2, h - 30, w / 2 - 4, 4);
    Snow(cr, rng, 0.7);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

void SteppingStones(cairo_t* cr, double w, double h, int, Rng& rng) {
    SnowMound(cr, 0, w, h, h - 14, rng);
    for (int i = 0; i < 5; ++i) {
        double cx = 12 + i * 24 + rng.Range(-2, 2), cy = h - 8 - (i % 2) * 4;
        PathBlob(cr, cx, cy, 9 + i * 0.3, 3.5, rng, 0.1, 7);
        Fill(cr, palette::Stone, rng, 0.8);
        InkLine(cr, {{cx - 5, cy - 1.5}, {cx + 3, cy - 2}}, 0.6, rng, {1, 1, 1}, 0.8);
    }
}

void HollyBush(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    PathSmooth(cr, {{w * 0.5, h * 0.12},
                    {w * 0.72, h * 0.35},
                    {w * 0.9, h * 0.7},
                    {w * 0.94, h - 8},
                    {w * 0.5, h - 4},
                    {w * 0.06, h - 8},
                    {w * 0.1, h * 0.7},
                    {w * 0.28, h * 0.35}});
    Fill(cr, Darker(palette::Leaf, 0.35), rng, 1.0);
    for (int i = 0; i < 30; ++i) { // spiky leaves
        double y = rng.Range(h * 0.2, h - 10);
        double half = w * 0.42 * std::min(1.0, (y - h * 0.1) / (h * 0.6));
        double x = w / 2 + rng.Range(-half, half) * 0.85;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.Range(0, 2 * Pi));
        PathPolygon(
            cr, {{-5, 0}, {-3, -2.5}, {0, -1.5}, {3, -2.5}, {5, 0}, {3, 2.5}, {0, 1.5}, {-3, 2.5}});
        cairo_restore(cr);
        Fill(cr, palette::Leaf, rng, 0.5);
    }
    for (int i = 0; i < 9; ++i) { // berries in threes
        double y = rng.Range(h * 0.3, h - 20);
        double x = w / 2 + rng.Range(-0.3, 0.3) * w * std::min(1.0, (y - h * 0.1) / (h * 0.6));
        for (int k = 0; k < 3; ++k) {
            PathEllipse(cr, x + (k - 1) * 2.4, y + (k == 1 ? -2 : 0), 1.8, 1.8);
            Fill(cr, colour::Red, rng, 0.5);
        }
    }
    SnowCap(cr,
            {{w * 0.3, h * 0.34},
             {w * 0.42, h * 0.18},
             {w * 0.5, h * 0.12},
             {w * 0.6, h * 0.2},
             {w * 0.72, h * 0.36}},
            7, rng);
    SnowMound(cr, 0, w, h, h - 8, rng);
}

void HayRack(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.46, 4);
    for (double x : {10.0, w - 10})
        InkLine(cr, {{x, 26}, {x, h - 2}}, 2.6, rng, palette::Wood);
    PathPolygon(cr, {{12, 40}, {w - 12, 40}, {w - 18, 74}, {18, 74}});
    Fill(cr, Lighter(palette::Ochre, 0.15), rng, 0.9);
    for (int i = 0; i < 24; ++i) {
        double x = rng.Range(16, w - 16);
        InkLine(cr, {{x, 40}, {x + rng.Range(-4, 4), 73}}, 0.5, rng, Darker(palette::Ochre, 0.4));
    }
    for (double x = 16; x < w - 12; x += 8) // the rack's slats
        InkLine(cr, {{x, 40}, {x + 3, 74}}, 1.0, rng, palette::Wood);
    PathPolygon(cr, {{0, 32}, {w / 2, 10}, {w, 32}, {w, 36}, {w / 2, 15}, {0, 36}});
    Fill(cr, Darker(palette::Wood, 0.2), rng, 1.0);
    SnowCap(cr, {{0, 32}, {w / 4, 21}, {w / 2, 9}, {w * 0.75, 21}, {w, 32}}, 7, rng);
    SnowMound(cr, 0, w, h, h - 7, rng);
}

void WreathLamppost(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, 12, 3);
    PathPolygon(cr, {{w / 2 - 2, 36}, {w / 2 + 2, 36}, {w / 2 + 3, h - 8}, {w / 2 - 3, h - 8}});
    Fill(cr, Darker(palette::StoneDark, 0.3), rng, 0.9);
    PathRoundedRect(cr, w / 2 - 6, h - 12, 12, 10, 2);
    Fill(cr, Darker(palette::StoneDark, 0.3), rng, 0.9);
    // The lamp head, lit.
    Glow(cr, w / 2, 24, 20, 18, colour::Glow, 0.5);
    PathPolygon(cr, {{w / 2 - 8, 14}, {w / 2 + 8, 14}, {w / 2 + 6, 34}, {w / 2 - 6, 34}});
    Fill(cr, colour::Glow, rng, 1.0, 0.5);
    InkLine(cr, {{w / 2, 14}, {w / 2, 34}}, 0.7, rng, palette::Ink);
    PathPolygon(cr, {{w / 2 - 11, 15}, {w / 2, 4}, {w / 2 + 11, 15}});
    Fill(cr, Darker(palette::StoneDark, 0.3), rng, 0.9);
    SnowCap(cr, {{w / 2 - 11, 14}, {w / 2, 3}, {w / 2 + 11, 14}}, 4, rng);
    // The holly wreath with a red bow.
    PathEllipse(cr, w / 2, 80, 10, 10);
    PathEllipse(cr, w / 2, 80, 5.5, 5.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Fill(cr, Darker(palette::Leaf, 0.25), rng, 0.9);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (int k = 0; k < 6; ++k) {
        double a = k * Pi / 3 + 0.3;
        PathEllipse(cr, w / 2 + 8 * std::cos(a), 80 + 8 * std::sin(a), 1.5, 1.5);
        Fill(cr, colour::Red, rng, 0.4);
    }
    PathPolygon(cr, {{w / 2, 88}, {w / 2 - 5, 84}, {w / 2 - 5, 92}});
    Fill(cr, colour::Red, rng, 0.6);
    PathPolygon(cr, {{w / 2, 88}, {w / 2 + 5, 84}, {w / 2 + 5, 92}});
    Fill(cr, colour::Red, rng, 0.6);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

} // namespace backart
