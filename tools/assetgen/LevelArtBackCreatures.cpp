// The big creatures among the background pictures: the snow elk, the living snowman, the frost
// troll, the snow imp, the mother goose and the badger.

#include "BagItemParts.h"
#include "LevelArtBack.h"
#include "LevelArtChars.h"
#include "TitleArt.h"

#include <algorithm>
#include <cmath>

namespace backart {

namespace {

constexpr Rgb ElkFur{0.80, 0.73, 0.64};
constexpr Rgb Antler{0.93, 0.90, 0.82};
constexpr Rgb ImpBody{0.88, 0.93, 0.98};
constexpr Rgb ImpHatWool{0.45, 0.30, 0.55};
constexpr Rgb GooseWhite{0.97, 0.97, 0.95};
constexpr Rgb Beak{0.95, 0.60, 0.20};
constexpr Rgb BadgerGrey{0.45, 0.44, 0.44};
constexpr Rgb BadgerScarf{0.30, 0.50, 0.35};

// An antler from its root, branching upwards; `dir` is +1 for the right one.
void AntlerAt(cairo_t* cr, Pt root, double size, double dir, double tilt, Rng& rng) {
    double c = std::cos(tilt), s = std::sin(tilt);
    auto at = [&](double u, double v) {
        return Pt{root.x + (u * c - v * s), root.y + (u * s + v * c)};
    };
    InkLine(cr, {at(0, 0), at(dir * size * 0.3, -size * 0.5), at(dir * size * 0.9, -size * 0.8)},
            2.2, rng, Antler);
    for (double t : {0.3, 0.55, 0.8}) {
        Pt p = at(dir * size * 0.9 * t, -size * 0.8 * t - size * 0.05);
        Pt q = {p.x + (dir * 0.1 * size) * c + size * 0.35 * s, p.y - size * 0.35 * c};
        InkLine(cr, {p, q}, 1.5, rng, Antler);
    }
    InkLine(cr, {at(0, 0), at(dir * size * 0.3, -size * 0.5), at(dir * size * 0.9, -size * 0.8)},
            0.5, rng, palette::Sepia, 0.8);
}

void ElkHead(cairo_t* cr, Pt c, double angle, bool eyesShut, bool dizzy, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, 1.4, 1.4);
    AntlerAt(cr, {-4, -8}, 26, -1, 0, rng);
    AntlerAt(cr, {2, -9}, 28, 1, 0, rng);
    PathSmooth(cr, {{-10, -8}, {4, -12}, {18, -4}, {28, 4}, {26, 10}, {12, 10}, {-8, 8}});
    Fill(cr, ElkFur, rng, 1.0);
    PathEllipse(cr, 26, 6, 4, 3.5);
    Fill(cr, Darker(ElkFur, 0.45), rng, 0.6);
    PathPolygon(cr, {{-8, -8}, {-16, -14}, {-12, -4}});
    Fill(cr, ElkFur, rng, 0.8);
    if (eyesShut)
        InkCurve(cr, {4, -3}, {6, -1}, {9, -1}, {11, -3}, 0.8, rng);
    else if (dizzy)
        for (int k = 0; k < 2; ++k)
            InkLine(cr, {{5, -5 + k * 3.5}, {10, -2 - k * 3.5}}, 0.8, rng);
    else
        Eye(cr, 8, -3, 1.6);
    cairo_restore(cr);
}

} // namespace

void ElkBowledOver(cairo_t* cr, double w, double h, int, Rng& rng) {
    // Flat on its side, legs in the air, stars circling its antlers.
    GroundShadow(cr, w / 2, h - 6, w * 0.46, 6);
    for (int i = 0; i < 4; ++i) {
        double x = 50 + i * 18;
        InkLine(cr, {{x, h - 40}, {x + 6 - i * 3, h - 70}, {x + 2 - i * 4, h - 88}}, 4.5, rng,
                Darker(ElkFur, 0.1));
        PathEllipse(cr, x + 2 - i * 4, h - 90, 3, 2.5);
        Fill(cr, palette::Ink, rng, 0.3);
    }
    PathBlob(cr, 76, h - 30, 52, 22, rng, 0.05, 11);
    Fill(cr, ElkFur, rng, 1.1);
    PathEllipse(cr, 76, h - 24, 36, 10);
    Fill(cr, Lighter(ElkFur, 0.4), rng, 0.0);
    InkLine(cr, {{112, h - 32}, {122, h - 28}}, 9, rng, ElkFur);
    ElkHead(cr, {124, h - 24}, 0.5, false, true, rng);
    for (int i = 0; i < 4; ++i) {
        double a = i * Pi / 2 + 0.4;
        Twinkle(cr, 120 + 20 * std::cos(a), h - 78 + 7 * std::sin(a), 4, palette::Ochre, rng);
    }
    SnowMound(cr, 0, w, h, h - 10, rng);
}

void ElkResting(cairo_t* cr, double w, double h, int, Rng& rng) {
    // Lying in the straw by the stable gate, legs tucked, eyes half shut with content.
    PathBlob(cr, w / 2, h - 8, w * 0.48, 9, rng, 0.2, 12);
    Fill(cr, palette::Ochre, rng, 0.8);
    for (int i = 0; i < 30; ++i) {
        double x = rng.Range(8, w - 8);
        InkLine(cr, {{x, h - rng.Range(2, 14)}, {x + rng.Range(-7, 7), h - rng.Range(6, 16)}}, 0.5,
                rng, Darker(palette::Ochre, 0.35));
    }
    PathBlob(cr, 70, h - 26, 56, 19, rng, 0.05, 11);
    Fill(cr, ElkFur, rng, 1.1);
    PathSmooth(cr, {{30, h - 12}, {60, h - 8}, {90, h - 10}, {80, h - 16}, {40, h - 16}});
    Fill(cr, Darker(ElkFur, 0.15), rng, 0.7);
    InkLine(cr, {{108, h - 32}, {116, h - 46}}, 10, rng, ElkFur);
    ElkHead(cr, {120, h - 48}, 0.1, true, false, rng);
    PathEllipse(cr, 20, h - 40, 4, 3); // tail tuft
    Fill(cr, Lighter(ElkFur, 0.3), rng, 0.6);
}

void SnowmanAlive(cairo_t* cr, double, double h, int frame, Rng& rng) {
    // The snowman with its five fruits, coming alive: a blink, arms up, winding up a throw. It
    // is the unfinished snowman (C6) grown whole, drawn where that one stood (8 px left of and
    // 16 px above it on the page: 4 and 8 here), so its balls and the fruits stay exactly where
    // the player put them instead of jumping into a smaller snowman.
    constexpr double dx = 4, dy = 8; // C6's picture in this one
    GroundShadow(cr, 92, h - 6, 70, 6);
    const double hop = frame == 1 ? -3 : 0;
    // Stick arms out of the body's shoulders.
    const double wind = frame == 0 ? 0 : frame == 1 ? 0.6 : 1.5;
    const Pt shoulderL{dx + 30, dy + 104 + hop}, shoulderR{dx + 150, dy + 100 + hop};
    InkLine(cr, {shoulderL, {shoulderL.x - 22, shoulderL.y - 8 - 10 * wind}}, 2.0, rng,
            colour::Bark);
    const Pt hand{shoulderR.x + 24 * std::cos(-0.3 - wind),
                  shoulderR.y + 24 * std::sin(-0.3 - wind)};
    InkLine(cr, {shoulderR, hand}, 2.0, rng, colour::Bark);
    InkLine(cr, {hand, {hand.x + 5, hand.y - 6}}, 1.0, rng, colour::Bark);
    InkLine(cr, {hand, {hand.x + 5, hand.y + 3}}, 1.0, rng, colour::Bark);
    if (frame == 2) { // a snowball ready to throw
        PathEllipse(cr, hand.x + 1, hand.y - 5, 6, 6);
        Snow(cr, rng, 0.8);
    }
    PathBlob(cr, dx + 88, dy + 130 + hop, 70, 32, rng, 0.05, 11); // C6's two balls
    Snow(cr, rng, 1.1);
    PathBlob(cr, dx + 90, dy + 66 + hop, 44, 46, rng, 0.05, 11);
    Snow(cr, rng, 1.1);
    auto item = [&](void (*paint)(cairo_t*, double, double, int, Rng&), double x, double y,
                    double iw, double ih, double scale) {
        cairo_save(cr);
        cairo_translate(cr, dx + x - iw * scale / 2, dy + y - ih * scale / 2 + hop);
        cairo_scale(cr, scale, scale);
        cairo_new_path(cr);
        paint(cr, iw, ih, 0, rng);
        cairo_restore(cr);
        cairo_new_path(cr);
    };
    // The fruits where they were put down (their middles, with the stalk or tip in C6's dimple),
    // at the size of the pieces, so they stay put when the snowman comes alive.
    item(bagart::Apple, 79, 17, 32, 30, 1.0);
    item(bagart::Pear, 51, 64.5, 36, 44, 1.0);
    item(bagart::Plum, 98, 54.5, 36, 46, 1.0);
    item(bagart::Acorn, 29.5, 120.5, 60, 50, 1.0);
    item(bagart::Lemon, 112, 109, 60, 52, 1.0);
    // The mouth: C6's line, turning into a smile that grows.
    InkCurve(cr, {dx + 72, dy + 98 + hop}, {dx + 82, dy + 104 + hop + 2 * frame},
             {dx + 98, dy + 103 + hop + 2 * frame}, {dx + 108, dy + 96 + hop}, 1.0, rng);
    if (frame >= 1)
        for (int k = 0; k < 3; ++k) // sparkles of life
            Twinkle(cr, rng.Range(30, 150), rng.Range(20, 120), 3.5, palette::Sky, rng);
    SnowMound(cr, 20, 168, h, h - 8, rng);
}

void TrollWalking(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The same troll as the one standing guard (C7), lumbering in with its umbrella.
    levelart::TrollWalking(cr, w, h, frame, rng);
}

namespace {

// The snow imp: round snowy body, stubby arms, a bobble hat; (cx, cy) the middle of the body.
void ImpFigure(cairo_t* cr, double cx, double cy, double angle, double armL, double armR, bool hat,
               bool dizzy, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    for (auto [side, a] : {std::pair{-1.0, armL}, std::pair{1.0, armR}}) {
        Pt s{side * 14, -6};
        Pt hnd{s.x + 18 * std::cos(a), s.y + 18 * std::sin(a)};
        InkLine(cr, {s, hnd}, 5, rng, ImpBody);
        PathEllipse(cr, hnd.x, hnd.y, 4, 4);
        Fill(cr, palette::Rust, rng, 0.7);
    }
    PathBlob(cr, 0, 0, 17, 20, rng, 0.06, 9);
    Fill(cr, ImpBody, rng, 1.0, 0.5);
    PathBlob(cr, 2, -26, 13, 12, rng, 0.06, 8);
    Fill(cr, ImpBody, rng, 1.0, 0.5);
    if (dizzy) {
        for (double ex : {-2.0, 6.0}) {
            InkLine(cr, {{ex - 2, -30}, {ex + 2, -26}}, 0.8, rng);
            InkLine(cr, {{ex + 2, -30}, {ex - 2, -26}}, 0.8, rng);
        }
    } else {
        Eye(cr, -1, -28, 1.5);
        Eye(cr, 7, -28, 1.5);
    }
    PathEllipse(cr, 4, -23, 2.4, 1.8);
    Fill(cr, palette::Rust, rng, 0.5);
    InkCurve(cr, {-1, -19}, {2, -17}, {6, -17}, {8, -19}, 0.6, rng);
    if (hat) {
        PathSmooth(cr, {{-11, -32}, {-8, -44}, {6, -48}, {14, -34}}, true);
        Fill(cr, ImpHatWool, rng, 0.9);
        PathEllipse(cr, 8, -49, 4, 4);
        Snow(cr, rng, 0.6);
    }
    cairo_restore(cr);
}

// The barrow without its front wheel, tipped at `angle` around its nose (x, y).
void Barrow(cairo_t* cr, double x, double y, double angle, double squash, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, 1, squash);
    InkLine(cr, {{-50, -10}, {-76, -18}}, 2.2, rng, palette::Wood);
    PathPolygon(cr, {{0, -34}, {-56, -34}, {-48, -8}, {-6, -8}});
    Fill(cr, Blend(palette::Rust, palette::StoneDark, 0.3), rng, 1.0);
    PathSmooth(cr, {{-2, -34}, {-20, -44}, {-44, -44}, {-56, -34}});
    Snow(cr, rng, 0.7);
    InkLine(cr, {{-40, -8}, {-42, 0}}, 2.0, rng, palette::Wood);
    cairo_restore(cr);
}

} // namespace

void ImpArms(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Frames 0-2 swing the arms as it walks; 3-7 wind up and throw the snowball.
    constexpr double armL[8] = {0.9, 1.3, 0.9, 1.2, 1.6, 2.0, 1.0, 0.8};
    constexpr double armR[8] = {0.3, 0.7, 0.3, -0.6, -1.8, -2.6, -0.9, -0.1};
    double lean = frame >= 3 ? (frame <= 5 ? -0.1 * (frame - 2) : 0.15) : 0;
    ImpFigure(cr, w * 0.45, h - 26, lean, Pi - armL[frame], armR[frame], true, false, rng);
    if (frame >= 3 && frame <= 5) { // the snowball in its raised hand
        double a = armR[frame] + lean;
        Pt s{w * 0.45 + 14, h - 32};
        PathEllipse(cr, s.x + 20 * std::cos(a), s.y + 20 * std::sin(a) - 2, 5, 5);
        Snow(cr, rng, 0.8);
    }
    if (frame == 6) // the throw: a streak of powder
        InkCurve(cr, {w * 0.6, h - 60}, {w * 0.75, h - 80}, {w * 0.9, h - 82}, {w - 2, h - 78}, 1.2,
                 rng, colour::SnowShade, 0.8);
}

void ImpTumbling(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The barrow's nose digs into the snow and the imp goes head over heels, far forward: it
    // pushed its barrow from off the page's left edge, and it has to land where it is seen, under
    // the hat flying off ahead of it (right of the hero, who stands at page x 100 to 190).
    GroundShadow(cr, 120, h - 6, 70, 5);
    if (frame == 3) GroundShadow(cr, 262, h - 6, 34, 4);
    Barrow(cr, 120, h - 8, 0.1 + frame * 0.12, 1.0, rng);
    constexpr double spin[4] = {0.2, 1.4, 2.6, 3.6};
    constexpr Pt at[4] = {{70, 90}, {150, 48}, {228, 72}, {262, 124}};
    ImpFigure(cr, at[frame].x, at[frame].y, spin[frame], Pi + 0.6, -0.6, false, frame >= 2, rng);
    if (frame >= 2) Flakes(cr, at[frame].x - 30, h - 50, 60, 40, 8 + frame * 3, rng);
    SnowMound(cr, 0, w, h, h - 8, rng);
}

void ImpFlattened(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The boulder flattened the imp and its barrow; they settle (squash, bounce, flat).
    constexpr double squash[3] = {0.35, 0.55, 0.3};
    GroundShadow(cr, w / 2, h - 6, w * 0.44, 6);
    Barrow(cr, w * 0.72, h - 8, 0, squash[frame], rng);
    cairo_save(cr);
    cairo_translate(cr, w * 0.35, h - 8);
    cairo_scale(cr, 1.4, squash[frame]);
    ImpFigure(cr, 0, -22, 0, Pi + 0.2, -0.2, true, true, rng);
    cairo_restore(cr);
    for (int i = 0; i < 3; ++i)
        Twinkle(cr, w * 0.3 + i * 14, h - 40 - frame * 4 - (i % 2) * 6, 3.5, palette::Ochre, rng);
    Flakes(cr, 10, h - 60, w - 20, 40, 6 + 3 * (2 - frame), rng);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

void ImpHat(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Three frames spin through the air at the frame's top; in the last it has come down at the
    // frame's bottom, onto the boardwalk's handrail where it rests (drawn after the hat, the
    // boardwalk would hide a hat lying on the lane behind it).
    const double side = std::min(w, 30.0);
    if (frame == 3) {
        cairo_translate(cr, w / 2, h - 10);
        cairo_rotate(cr, 0.15);
    } else {
        cairo_translate(cr, w / 2, side / 2);
        cairo_rotate(cr, frame * Pi / 2);
    }
    PathSmooth(cr, {{-10, 6}, {-8, -6}, {4, -10}, {11, 5}}, true);
    Fill(cr, ImpHatWool, rng, 0.9);
    InkLine(cr, {{-10, 5}, {11, 5}}, 2.4, rng, Lighter(ImpHatWool, 0.4));
    PathEllipse(cr, 6, -10, 4, 4);
    Snow(cr, rng, 0.6);
}

namespace {

// The mother goose in flight; `wing` 0 (up) .. 1 (down). Facing left, body at (cx, cy).
void GooseFlying(cairo_t* cr, double cx, double cy, double wing, double dive, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, dive);
    auto wingShape = [&](double spread, Rgb c) {
        double tipY = -40 + 70 * wing;
        PathSmooth(cr, {{-8, -4},
                        {-4 + spread * 0.3, tipY * 0.6},
                        {14 + spread, tipY},
                        {30 + spread, tipY + 8},
                        {16, 0}});
        Fill(cr, c, rng, 1.0);
        for (int k = 0; k < 3; ++k)
            InkLine(
                cr,
                {{14 + spread + double(k) * 4, tipY + 2 + double(k) * 2}, {8 + double(k) * 4, -2}},
                0.5, rng, palette::StoneDark, 0.6);
    };
    wingShape(6, Darker(GooseWhite, 0.12));
    PathSmooth(cr, {{-30, -2}, {-10, -12}, {24, -8}, {38, 0}, {22, 10}, {-12, 10}});
    Fill(cr, GooseWhite, rng, 1.1, 0.4);
    InkLine(cr, {{-28, -2}, {-42, -14}, {-50, -16}}, 7, rng, GooseWhite);
    PathEllipse(cr, -52, -17, 7, 6);
    Fill(cr, GooseWhite, rng, 0.9, 0.4);
    PathPolygon(cr, {{-58, -18}, {-68, -14}, {-58, -13}});
    Fill(cr, Beak, rng, 0.7);
    Eye(cr, -54, -19, 1.2);
    wingShape(-4, GooseWhite);
    cairo_restore(cr);
}

} // namespace

void GooseSwooping(cairo_t* cr, double w, double, int frame, Rng& rng) {
    // Swooping down (0-2), the hero caught in her feet (3), rising away with it (4).
    constexpr double cy[5] = {40, 70, 92, 86, 50};
    constexpr double wing[5] = {0.1, 0.2, 0.0, 0.9, 0.3};
    constexpr double dive[5] = {0.45, 0.35, 0.1, -0.1, -0.35};
    double cx = w * 0.55;
    // Feet reaching down.
    double footY = cy[frame] + 14;
    InkLine(cr, {{cx, cy[frame] + 6}, {cx + 2, footY + 8}}, 1.5, rng, Beak);
    InkLine(cr, {{cx + 8, cy[frame] + 6}, {cx + 10, footY + 8}}, 1.5, rng, Beak);
    if (frame >= 3) {
        Rng hero(std::string("image/One/Char#hero"));
        DrawPebbleHero(cr, cx + 6, footY + 26, 0.3, hero, 3.2);
    }
    GooseFlying(cr, cx, cy[frame], wing[frame], dive[frame], rng);
    if (frame <= 2) Flakes(cr, cx - 40, cy[frame] - 30, 90, 40, 5, rng);
}

void GooseWithGosling(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 5, w * 0.42, 4);
    PathSmooth(cr, {{14, h - 18},
                    {24, h - 36},
                    {52, h - 40},
                    {74, h - 30},
                    {78, h - 14},
                    {50, h - 8},
                    {20, h - 8}});
    Fill(cr, GooseWhite, rng, 1.1, 0.4);
    InkLine(cr, {{20, h - 26}, {14, h - 48}, {18, h - 60}}, 7, rng, GooseWhite);
    PathEllipse(cr, 20, h - 61, 7, 6);
    Fill(cr, GooseWhite, rng, 0.9, 0.4);
    PathPolygon(cr, {{14, h - 63}, {4, h - 60}, {14, h - 57}});
    Fill(cr, Beak, rng, 0.7);
    Eye(cr, 18, h - 63, 1.2);
    // The gosling peeking out from under her wing.
    PathEllipse(cr, 54, h - 30, 9, 8);
    Fill(cr, Blend(palette::Stone, palette::Ochre, 0.4), rng, 0.9);
    PathPolygon(cr, {{46, h - 31}, {42, h - 29}, {46, h - 27}});
    Fill(cr, Beak, rng, 0.5);
    Eye(cr, 50, h - 32, 1.0);
    PathSmooth(cr, {{40, h - 24}, {56, h - 36}, {80, h - 30}, {74, h - 16}, {50, h - 14}});
    Fill(cr, Darker(GooseWhite, 0.08), rng, 0.9, 0.4);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

namespace {

// The badger: (cx, feet) the middle of his feet; arms as angles from the shoulders.
void BadgerFigure(cairo_t* cr, double cx, double feet, double scale, double armL, double armR,
                  double liftL, double liftR, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, cx, feet);
    cairo_scale(cr, scale, scale);
    for (auto [side, lift] : {std::pair{-1.0, liftL}, std::pair{1.0, liftR}}) {
        PathEllipse(cr, side * 8, -4 - lift, 7, 4.5);
        Fill(cr, Darker(BadgerGrey, 0.4), rng, 0.9);
    }
    PathSmooth(cr, {{-16, -6}, {-20, -40}, {-12, -62}, {12, -62}, {20, -40}, {16, -6}});
    Fill(cr, BadgerGrey, rng, 1.0);
    PathSmooth(cr, {{-8, -10}, {-10, -40}, {10, -40}, {8, -10}});
    Fill(cr, Lighter(BadgerGrey, 0.5), rng, 0.0);
    for (auto [side, a] : {std::pair{-1.0, armL}, std::pair{1.0, armR}}) {
        Pt s{side * 14, -52};
        Pt hnd{s.x + 20 * std::cos(a), s.y + 20 * std::sin(a)};
        InkLine(cr, {s, hnd}, 6, rng, Darker(BadgerGrey, 0.25));
        PathEllipse(cr, hnd.x, hnd.y, 3.5, 3.5);
        Fill(cr, Darker(BadgerGrey, 0.5), rng, 0.6);
    }
    // Head: white with the black stripes, looking out at us.
    PathSmooth(cr, {{-13, -66}, {-10, -84}, {0, -90}, {10, -84}, {13, -66}, {0, -58}});
    Fill(cr, colour::Snow, rng, 1.0, 0.2);
    for (int s : {-1, 1}) {
        PathSmooth(cr, {{double(s) * 3, -88},
                        {double(s) * 9, -84},
                        {double(s) * 10, -68},
                        {double(s) * 5, -66},
                        {double(s) * 3, -80}});
        Fill(cr, palette::Ink, rng, 0.0, 0.3);
        PathEllipse(cr, s * 10, -88, 3.5, 3);
        Fill(cr, Darker(BadgerGrey, 0.3), rng, 0.7);
    }
    Eye(cr, -6, -74, 1.3);
    Eye(cr, 6, -74, 1.3);
    PathEllipse(cr, 0, -62, 2.4, 1.8);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    // The scarf.
    PathSmooth(cr, {{-14, -60}, {0, -56}, {14, -60}, {14, -54}, {0, -50}, {-14, -54}});
    Fill(cr, BadgerScarf, rng, 0.8);
    PathPolygon(cr, {{8, -54}, {14, -36}, {8, -36}, {4, -52}});
    Fill(cr, BadgerScarf, rng, 0.7);
    cairo_restore(cr);
}

} // namespace

void BadgerWaving(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    constexpr double wave[3] = {-1.9, -1.4, -1.0};
    GroundShadow(cr, w / 2, h - 4, 22, 4);
    BadgerFigure(cr, w / 2, h - 3, 1.2, Pi * 0.6, wave[frame], 0, 0, rng);
}

void BadgerStamping(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    constexpr double lift[3][2] = {{6, 0}, {0, 0}, {0, 6}};
    GroundShadow(cr, w / 2, h - 4, 22, 4);
    BadgerFigure(cr, w / 2, h - 3 - (frame == 1 ? 2 : 0), 1.2, Pi * 0.55, Pi * 0.45, lift[frame][0],
                 lift[frame][1], rng);
    if (frame != 1) Flakes(cr, w / 2 - 20, h - 14, 40, 10, 5, rng);
}

void BadgerSledAway(cairo_t* cr, double w, double h, int, Rng& rng) {
    // Pulling the loaded sled away to the right, rope over the shoulder.
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    PathRoundedRect(cr, 6, h - 26, 44, 12, 2);
    Fill(cr, palette::Wood, rng, 1.0);
    InkCurve(cr, {4, h - 6}, {20, h - 6}, {44, h - 6}, {54, h - 14}, 1.6, rng, palette::StoneDark);
    PathRoundedRect(cr, 12, h - 44, 30, 18, 4); // the basket with its load
    Fill(cr, palette::Ochre, rng, 0.9);
    for (double x = 16; x < 42; x += 5)
        InkLine(cr, {{x, h - 44}, {x, h - 26}}, 0.5, rng, palette::Wood);
    PathEllipse(cr, 27, h - 46, 12, 4);
    Snow(cr, rng, 0.6);
    InkCurve(cr, {50, h - 20}, {60, h - 40}, {66, h - 56}, {70, h - 64}, 0.8, rng, palette::Wood);
    BadgerFigure(cr, 76, h - 3, 1.0, Pi * 0.8, 0.4, 0, 4, rng);
}

void BadgerLiftsEgg(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Bends, picks up the egg, lifts it high and lowers it into the basket to the right.
    constexpr double arm[5] = {1.3, 1.0, -0.6, -1.2, 0.2};
    constexpr Pt egg[5] = {{40, 72}, {42, 64}, {40, 28}, {38, 20}, {50, 50}};
    GroundShadow(cr, w / 2, h - 4, 20, 3);
    BadgerFigure(cr, w * 0.38, h - 3, 0.75, arm[frame] + 0.4, arm[frame], 0, 0, rng);
    cairo_save(cr);
    cairo_translate(cr, egg[frame].x - 7, egg[frame].y - 9);
    cairo_scale(cr, 0.5, 0.5);
    cairo_new_path(cr);
    bagart::Egg(cr, 30, 36, 0, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void BadgerLiftsUmbrella(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    constexpr double arm[5] = {1.3, 1.0, -0.6, -1.2, 0.2};
    constexpr Pt at[5] = {{40, 66}, {42, 58}, {38, 24}, {36, 16}, {48, 44}};
    GroundShadow(cr, w / 2, h - 4, 20, 3);
    BadgerFigure(cr, w * 0.38, h - 3, 0.75, arm[frame] + 0.4, arm[frame], 0, 0, rng);
    cairo_save(cr);
    cairo_translate(cr, at[frame].x - 12, at[frame].y - 14);
    cairo_scale(cr, 0.5, 0.5);
    cairo_new_path(cr);
    bagart::Umbrella(cr, 50, 56, 0, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
}

} // namespace backart
