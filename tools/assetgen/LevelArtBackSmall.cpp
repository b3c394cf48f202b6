// Small creatures and things in the air: the kite, the robin, the gosling, the tin bird, the
// fox rolled over, the bakery cat and the far geese.

#include "BagItemParts.h"
#include "LevelArtBack.h"

#include <cmath>

namespace backart {

namespace {
constexpr Rgb RobinBrown{0.55, 0.42, 0.30};
constexpr Rgb Down{0.80, 0.78, 0.70};
constexpr Rgb Tin{0.70, 0.74, 0.78};
constexpr Rgb CatGrey{0.50, 0.48, 0.50};
} // namespace

void Kite(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A red diamond with cross sticks and a tail of bows.
    const double cx = w * 0.42, cy = h * 0.36;
    InkCurve(cr, {cx, cy + 14}, {cx + 6, cy + 20}, {cx + 12, cy + 18}, {w - 4, h - 4}, 0.6, rng);
    for (double t : {0.35, 0.65, 0.92}) {
        double x = cx + (w - 4 - cx) * t, y = cy + 14 + (h - 4 - cy - 14) * t;
        PathPolygon(cr, {{x - 3, y - 2}, {x, y}, {x - 3, y + 2}});
        Fill(cr, palette::Ochre, rng, 0.4);
        PathPolygon(cr, {{x + 3, y - 2}, {x, y}, {x + 3, y + 2}});
        Fill(cr, palette::Ochre, rng, 0.4);
    }
    PathPolygon(cr, {{cx, cy - 16}, {cx + 11, cy - 2}, {cx, cy + 14}, {cx - 11, cy - 2}});
    Fill(cr, colour::Red, rng, 1.0);
    InkLine(cr, {{cx, cy - 16}, {cx, cy + 14}}, 0.6, rng, palette::Wood);
    InkLine(cr, {{cx - 11, cy - 2}, {cx + 11, cy - 2}}, 0.6, rng, palette::Wood);
    InkLine(cr, {{cx - 6, cy - 6}, {cx - 2, cy - 11}}, 0.8, rng, {1, 1, 1}, 0.7);
}

void Robin(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    const double cx = w * 0.45, cy = h * 0.55;
    PathPolygon(cr, {{cx - 5, cy}, {cx - 10, cy - 2}, {cx - 9, cy + 2}});
    Fill(cr, RobinBrown, rng, 0.4);
    PathEllipse(cr, cx, cy, 5.5, 3.6);
    Fill(cr, RobinBrown, rng, 0.5);
    PathEllipse(cr, cx + 3, cy + 1, 2.8, 2.4);
    Fill(cr, palette::Rust, rng, 0.0);
    PathEllipse(cr, cx + 5, cy - 2, 2.6, 2.4);
    Fill(cr, RobinBrown, rng, 0.4);
    PathPolygon(cr, {{cx + 7.3, cy - 2.5}, {cx + 9.5, cy - 1.8}, {cx + 7.3, cy - 1}});
    Fill(cr, palette::Ink, rng, 0.0);
    double tip = frame == 0 ? -7 : 6;
    PathPolygon(cr,
                {{cx - 2, cy - 1}, {cx - 1, cy + tip}, {cx + 3, cy + tip * 0.8}, {cx + 2, cy - 1}});
    Fill(cr, Darker(RobinBrown, 0.2), rng, 0.4);
}

void GoslingFlyingUp(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The egg falls (0), cracks in the air (1), the gosling pops out (2) and flaps up (3, 4).
    if (frame <= 1) {
        cairo_save(cr);
        cairo_translate(cr, w / 2 - 10, h * 0.55);
        cairo_scale(cr, 0.66, 0.66);
        cairo_new_path(cr);
        bagart::Egg(cr, 30, 36, frame == 1 ? 1 : 0, rng);
        cairo_restore(cr);
        cairo_new_path(cr);
        if (frame == 1)
            InkLine(cr,
                    {{w / 2 - 7, h * 0.55 + 10},
                     {w / 2 - 3, h * 0.55 + 7},
                     {w / 2, h * 0.55 + 11},
                     {w / 2 + 4, h * 0.55 + 8}},
                    0.7, rng);
        InkLine(cr, {{w / 2 - 6, h * 0.55 - 6}, {w / 2 - 6, h * 0.55 - 14}}, 0.6, rng,
                colour::SnowShade);
        InkLine(cr, {{w / 2 + 4, h * 0.55 - 4}, {w / 2 + 4, h * 0.55 - 12}}, 0.6, rng,
                colour::SnowShade);
        return;
    }
    double cy = h * (0.65 - 0.18 * (frame - 2));
    if (frame == 2) { // shell halves tumbling away
        PathPolygon(cr, {{w / 2 - 10, cy + 12}, {w / 2 - 4, cy + 6}, {w / 2 - 6, cy + 16}});
        Fill(cr, palette::Paper, rng, 0.6);
        PathPolygon(cr, {{w / 2 + 8, cy + 14}, {w / 2 + 13, cy + 8}, {w / 2 + 12, cy + 18}});
        Fill(cr, palette::Paper, rng, 0.6);
    }
    double wing = frame == 3 ? -10 : 6;
    PathPolygon(cr, {{w / 2 - 3, cy - 2}, {w / 2 - 12, cy + wing}, {w / 2 - 2, cy + 3}});
    Fill(cr, Darker(Down, 0.1), rng, 0.6);
    PathEllipse(cr, w / 2, cy, 8, 6.5);
    Fill(cr, Down, rng, 0.8);
    PathEllipse(cr, w / 2 + 5, cy - 7, 4.5, 4.2);
    Fill(cr, Down, rng, 0.8);
    PathPolygon(cr, {{w / 2 + 9, cy - 8}, {w / 2 + 12, cy - 6.5}, {w / 2 + 9, cy - 5}});
    Fill(cr, palette::Ochre, rng, 0.4);
    Eye(cr, w / 2 + 6, cy - 8, 0.9);
    PathPolygon(cr, {{w / 2 + 3, cy - 2}, {w / 2 + 14, cy + wing * 0.8}, {w / 2 + 4, cy + 3}});
    Fill(cr, Down, rng, 0.6);
}

void TinBirdFalling(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The broken tin bird tumbling down, its spring sticking out.
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, frame * 0.9);
    PathEllipse(cr, 0, 0, 11, 7);
    Fill(cr, Tin, rng, 0.9);
    for (int k = -1; k <= 1; ++k)
        InkLine(cr, {{-6 + double(k) * 4, -6}, {-6 + double(k) * 4, 6}}, 0.4, rng,
                palette::StoneDark);
    PathEllipse(cr, 9, -5, 5, 4.5);
    Fill(cr, Tin, rng, 0.8);
    PathPolygon(cr, {{13, -6}, {18, -4}, {13, -3}});
    Fill(cr, palette::Ochre, rng, 0.5);
    InkLine(cr, {{8, -7}, {10, -5}}, 0.7, rng);
    InkLine(cr, {{10, -7}, {8, -5}}, 0.7, rng);
    PathPolygon(cr, {{-2, -3}, {-6, -14 + double(frame) * 3}, {4, -8}});
    Fill(cr, Darker(Tin, 0.15), rng, 0.6);
    // The loose spring.
    std::vector<Pt> coil;
    for (int i = 0; i <= 16; ++i)
        coil.push_back({-10 - i * 0.7, 4 + 2.5 * std::sin(i * 1.6) + i * 0.4});
    InkLine(cr, coil, 0.6, rng, palette::StoneDark);
}

void FoxBowledOver(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Rolled over in the snow, curled up: tumbling, on its back, lying dizzy. It keeps to the
    // left of its frame, where the fox stood: further right lies the squirrel's woodpile, which
    // is drawn over it and would leave only the tail showing. The frame reaches down to the lane.
    const double cx = 18, cy = h - 17;
    GroundShadow(cr, cx, h - 5, 15, 3);
    const double roll[3] = {1.6, 3.1, 0.15};
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, roll[frame]);
    PathSmooth(cr, {{-6, 6}, {-13, 3}, {-15, -6}, {-9, -8}, {-9, -1}, {-4, 2}}, true); // tail
    Fill(cr, colour::Fox, rng, 0.9);
    PathEllipse(cr, -12.5, -7, 2.6, 2.2);
    Fill(cr, colour::Snow, rng, 0.5, 0.2);
    PathEllipse(cr, 0, 0, 10, 7.5);
    Fill(cr, colour::Fox, rng, 1.0);
    for (double lx : {-5.0, 4.0})
        InkLine(cr, {{lx, 5}, {lx + 1.5, 11}}, 2.2, rng, Darker(colour::Fox, 0.5));
    PathSmooth(cr, {{5, -6}, {11, -9}, {16, -4}, {11, 1}, {5, 0}}, true); // head
    Fill(cr, colour::Fox, rng, 0.9);
    for (int s : {-1, 1}) {
        PathPolygon(
            cr, {{8 + double(s) * 2, -8}, {9 + double(s) * 3.5, -13}, {11 + double(s) * 1.5, -8}});
        Fill(cr, colour::Fox, rng, 0.7);
    }
    InkLine(cr, {{10, -5}, {12, -3}}, 0.6, rng);
    InkLine(cr, {{12, -5}, {10, -3}}, 0.6, rng);
    PathEllipse(cr, 16, -4, 1.2, 1);
    Fill(cr, palette::Ink, rng, 0);
    PathSmooth(cr, {{3, -6}, {6, 5}, {4.5, 6.5}, {1.5, -5}}, true); // scarf
    Fill(cr, palette::Plum, rng, 0.6);
    cairo_restore(cr);
    for (int i = 0; i < 3; ++i) {
        double a = i * 2 * Pi / 3 + frame;
        Twinkle(cr, cx + 10 * std::cos(a), h - 42 + 4 * std::sin(a), 3, palette::Ochre, rng);
    }
    Flakes(cr, 4, h - 26, w * 0.45, 14, 4 + 3 * (frame == 0), rng);
}

void BakeryCat(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // A grey cat sitting on a snowy step on the lane beside the bakery, flicking its tail (the
    // frame reaches from the bakery's side down to the lane).
    PathRoundedRect(cr, 2, h - 8, w - 4, 7, 1);
    Fill(cr, palette::Stone, rng, 0.7);
    SnowCap(cr, {{2, h - 8}, {w - 2, h - 8}}, 2, rng);
    double flick = frame == 0 ? 0 : 1;
    InkCurve(cr, {26, h - 12}, {34, h - 14}, {36 - 4 * flick, h - 22},
             {32 - 6 * flick, h - 28 + 2 * flick}, 2.2, rng, CatGrey);
    PathSmooth(cr, {{10, h - 9}, {12, h - 24}, {20, h - 28}, {28, h - 22}, {30, h - 9}}, true);
    Fill(cr, CatGrey, rng, 0.8);
    PathEllipse(cr, 17, h - 30, 7, 6);
    Fill(cr, CatGrey, rng, 0.8);
    for (int s : {-1, 1}) {
        PathPolygon(cr, {{17 + double(s) * 3, h - 34},
                         {17 + double(s) * 6, h - 40},
                         {17 + double(s) * 7, h - 32}});
        Fill(cr, CatGrey, rng, 0.6);
    }
    Eye(cr, 14.5, h - 31, 0.9);
    Eye(cr, 19.5, h - 31, 0.9);
    PathEllipse(cr, 17, h - 28, 0.9, 0.6);
    Fill(cr, palette::Rose, rng, 0);
}

void FarGeese(cairo_t* cr, double, double, int, Rng& rng) {
    // A skein of geese far off: little inked ticks in a line.
    for (int i = 0; i < 7; ++i) {
        double x = 6 + i * 10.5, y = 8 + std::abs(i - 2) * 3.5 + rng.Range(-1, 1);
        double span = rng.Range(3, 4.5);
        InkLine(cr, {{x - span, y - 2}, {x, y}, {x + span, y - 2.5}}, 0.8, rng, palette::StoneDark,
                0.85);
    }
}

} // namespace backart
