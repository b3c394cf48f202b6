// Scenery along the lane, part one: the fruit trees that hold bag items, posts, props, spruces
// and the small things lying in the snow.

#include "LevelArtBack.h"

#include <algorithm>
#include <cmath>

namespace backart {

namespace {

// Keeps everything painted until the matching cairo_restore out of an oval: the place where a
// bag item shows through a picture drawn in front of it.
void KeepClear(cairo_t* cr, double w, double h, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, -2, -2, w + 4, h + 4);
    PathEllipse(cr, cx, cy, rx, ry);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
}

// A fruit tree's crown of bare branches with a few leftover leaves; returns the branch tips.
std::vector<Pt> FruitTree(cairo_t* cr, double w, double h, Rng& rng, double spread) {
    const TreeBox crown{6, 8, w - 6}; // every branch tip (and its stroke) stays inside
    GroundShadow(cr, w * 0.5, h - 3, w * 0.35, 4);
    std::vector<Pt> tips =
        BareTree(cr, {w * 0.5, h - 3}, h * 0.95, spread, rng, colour::Bark, 4, w * 0.05, &crown);
    SnowMound(cr, w * 0.3, w * 0.7, h, h - 7, rng);
    return tips;
}

} // namespace

void StumpNest(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, w * 0.45, 3);
    PathPolygon(cr, {{5, h - 2}, {8, 16}, {w - 8, 16}, {w - 5, h - 2}});
    Fill(cr, colour::Bark, rng, 0.9);
    for (double x : {13.0, 20.0, 27.0}) // bark ridges
        InkLine(cr, {{x, 20}, {x + rng.Range(-1, 1), h - 6}}, 0.6, rng, Darker(colour::Bark, 0.4));
    PathEllipse(cr, w / 2, 16, w / 2 - 8, 3.5);
    Fill(cr, Lighter(palette::Wood, 0.4), rng, 0.8);
    // The nest: a bowl of woven straw and twigs sitting on the stump, wider than its top.
    const Rgb straw = Blend(palette::Ochre, palette::Wood, 0.35);
    PathSmooth(cr, {{3, 9}, {w / 2, 7}, {w - 3, 9}, {w - 6, 16}, {w / 2, 19}, {6, 16}});
    Fill(cr, straw, rng, 1.0);
    PathEllipse(cr, w / 2, 9.5, w / 2 - 7, 2.5); // the hollow the egg sits in
    Fill(cr, Darker(straw, 0.45), rng, 0.5);
    for (int i = 0; i < 12; ++i) {
        double x = rng.Range(5, w - 5), y = rng.Range(11, 17);
        InkLine(cr, {{x - 5, y + rng.Range(-1, 1)}, {x + 5, y + rng.Range(-1, 1)}}, 0.5, rng,
                Darker(straw, 0.5));
    }
    for (int i = 0; i < 5; ++i) { // stray straws sticking out
        double x = rng.Range(3, w - 3), dir = x < w / 2 ? -1 : 1;
        InkLine(cr, {{x, 10}, {x + dir * rng.Range(2, 5), rng.Range(4, 8)}}, 0.6, rng, straw);
    }
    SnowMound(cr, 2, w - 2, h, h - 6, rng);
}

void AppleTree(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The apple hangs at (91..123, 84..114): the branches stay out of its place.
    KeepClear(cr, w, h, 107, 99, 17, 16);
    FruitTree(cr, w, h, rng, 1.0);
    InkCurve(cr, {86, 70}, {95, 72}, {104, 76}, {107, 83}, 1.3, rng, colour::Bark);
    for (int i = 0; i < 5; ++i) // a few dry leaves left
        PathEllipse(cr, rng.Range(30, w - 30), rng.Range(30, 90), 2.5, 1.5),
            Fill(cr, palette::Ochre, rng, 0.5);
    cairo_restore(cr);
}

void PearTree(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The pear hangs at (50..86, 55..99) from a bough bowed with snow; once it is picked
    // (frames 1-3) the bough springs up and shakes its snow off.
    KeepClear(cr, w, h, 68, 78, 17, 22);
    const TreeBox crown{6, 8, w - 6}; // the crown ends inside the frame on both sides
    GroundShadow(cr, w * 0.62, h - 3, w * 0.16, 3);
    std::vector<Pt> tips =
        BareTree(cr, {w * 0.62, h - 3}, h * 0.85, 0.8, rng, colour::Bark, 4, w * 0.05, &crown);
    cairo_restore(cr);
    double lift[4] = {0, 26, 16, 20}; // spring up, swing back, settle
    double end = 56 - lift[frame];
    Pt root{w * 0.62, h * 0.52};
    InkCurve(cr, root, {root.x - 15, root.y - 25 - lift[frame] * 0.3}, {70, end - 12}, {66, end},
             3.6, rng, Darker(colour::Bark, 0.25));
    if (frame == 0) {
        InkCurve(cr, {root.x - 4, root.y - 6}, {root.x - 16, root.y - 30}, {72, end - 13},
                 {64, end - 4}, 3.5, rng, colour::Snow);
    } else {
        InkCurve(cr, {root.x - 4, root.y - 6}, {root.x - 10, root.y - 20},
                 {root.x - 14, root.y - 26}, {root.x - 18, root.y - 30}, 2.0, rng, colour::Snow);
        Flakes(cr, 45, end - 10 + frame * 8, 40, 30 + frame * 6, 8 + 4 * frame, rng);
        if (frame >= 2) SnowMound(cr, 48, 88, h, h - 6 - frame, rng);
    }
    // Only a little heap round the trunk's foot: the tree stands behind the boardwalk (drawn
    // before it), and a wide mound would bury the deck up to the gap's edge.
    SnowMound(cr, w * 0.62 - 11, w * 0.62 + 11, h, h - 5, rng);
}

void PlumTree(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The plum hangs at (73..109, 75..121).
    KeepClear(cr, w, h, 91, 98, 17, 22);
    FruitTree(cr, w, h, rng, 0.95);
    cairo_restore(cr);
    InkCurve(cr, {70, 62}, {80, 64}, {88, 70}, {91, 76}, 1.2, rng, colour::Bark);
    // The snowy garden: a low wall of snow and a little picket fence, from the trunk rightwards.
    // The boardwalk runs on under the picture's left part, just right of its gap; drawn after
    // the boardwalk, snow there would bury its deck beside the gap.
    Fence(cr, w - 38, w - 6, h - 28, h - 2, rng, Lighter(palette::Wood, 0.2));
    SnowMound(cr, 56, w, h, h - 10, rng);
}

void SquirrelLog(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The acorn's piece covers (20..80, 7..57) and the hole it leaves (16..84, 3..61): the
    // squirrel sits right of both, on the log's end, and holds its paws out towards the acorn,
    // so that tearing the acorn out leaves the squirrel whole.
    GroundShadow(cr, w / 2, h - 4, w * 0.48, 4);
    // The log lies on top of a woodpile, high enough that the acorn held out over it (and the
    // hole it leaves) stays above the walking hero's hat. `seat` is the log's foot line.
    const double seat = 77;
    // The dark inside of the pile between the logs' round ends: nothing behind it (the fox
    // bowled over at its foot) shows through.
    PathRoundedRect(cr, 12, seat - 8, w - 30, h - 12 - (seat - 8), 4);
    SetColour(cr, Darker(palette::Wood, 0.55));
    cairo_fill(cr);
    for (double y = h - 12; y > seat - 10; y -= 15)
        for (double x = 12 + (int(y) % 2) * 8; x < w - 10; x += 17) {
            PathEllipse(cr, x, y, 8, 7.5);
            Fill(cr, Lighter(palette::Wood, 0.35), rng, 0.8);
            PathEllipse(cr, x, y, 3, 2.8);
            InkOutline(cr, 0.4, rng, Darker(palette::Wood, 0.3));
            cairo_new_path(cr);
        }
    PathRoundedRect(cr, 4, seat - 24, w - 10, 18, 8);
    Fill(cr, colour::Bark, rng, 1.0);
    PathEllipse(cr, w - 7, seat - 15, 5, 9);
    Fill(cr, Lighter(palette::Wood, 0.45), rng, 0.8);
    InkCurve(cr, {w - 9, seat - 18}, {w - 5, seat - 20}, {w - 4, seat - 13}, {w - 8, seat - 12},
             0.5, rng, palette::Wood);
    for (double x : {15.0, 35.0, 60.0, 85.0})
        InkLine(cr, {{x, seat - 22}, {x + 10, seat - 20}}, 0.5, rng, Darker(colour::Bark, 0.4));
    SnowCap(cr, {{6, seat - 24}, {40, seat - 25}, {80, seat - 25}, {w - 8, seat - 24}}, 4, rng);
    // The squirrel sits on the log facing left, tail curled up behind.
    const Rgb fur = Blend(palette::Rust, palette::Ochre, 0.3);
    const double dx = w - 40; // its body's left edge
    PathSmooth(cr, {{dx + 22, seat - 26},
                    {dx + 36, seat - 40},
                    {dx + 37, seat - 62},
                    {dx + 28, seat - 72},
                    {dx + 20, seat - 64},
                    {dx + 26, seat - 52},
                    {dx + 20, seat - 38}});
    Fill(cr, fur, rng, 0.9);
    PathEllipse(cr, dx + 13, seat - 38, 9, 12);
    Fill(cr, fur, rng, 0.9);
    PathEllipse(cr, dx + 10, seat - 35, 5, 8);
    Fill(cr, Lighter(palette::Ochre, 0.6), rng, 0.5);
    PathEllipse(cr, dx + 9, seat - 53, 7, 6.5);
    Fill(cr, fur, rng, 0.9);
    PathPolygon(cr, {{dx + 10, seat - 58}, {dx + 13, seat - 64}, {dx + 15, seat - 57}});
    Fill(cr, fur, rng, 0.7);
    Eye(cr, dx + 6, seat - 54, 1.1);
    PathEllipse(cr, dx + 2.5, seat - 51.5, 1, 0.8);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    // Paws held out towards the acorn: short inked forelegs with round paws (bare fur strokes
    // read as two orange sticks once the acorn is gone).
    for (double y : {seat - 42.0, seat - 38.0}) {
        const std::vector<Pt> arm{{dx + 10, y}, {dx + 3, y - 1}, {dx - 3, y - 3}};
        InkLine(cr, arm, 3.4, rng, palette::Ink, 0.9);
        InkLine(cr, arm, 2.0, rng, fur);
        PathEllipse(cr, dx - 4, y - 3, 2.2, 1.9);
        Fill(cr, Lighter(fur, 0.2), rng, 0.5);
    }
    SnowMound(cr, 2, w - 2, h, h - 5, rng);
}

void LemonTreeFrame(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A glass cold frame with its lid propped open; the lemon (62..122, 78..130) hangs out.
    const double boxTop = h - 52;
    KeepClear(cr, w, h, 92, 104, 20, 24);
    GroundShadow(cr, w / 2, h - 3, w * 0.45, 4);
    std::vector<Pt> tips = BareTree(cr, {w * 0.4, h - 8}, h * 0.75, 0.9, rng, colour::Bark, 3, 4);
    for (const Pt& t : tips) // evergreen leaves of the lemon tree
        for (int k = 0; k < 2; ++k) {
            double a = rng.Range(0, 2 * Pi);
            PathEllipse(cr, t.x + 3 * std::cos(a), t.y + 3 * std::sin(a), 4, 2.2);
            Fill(cr, palette::Leaf, rng, 0.5);
        }
    InkCurve(cr, {w * 0.4, h * 0.45}, {70, 78}, {86, 76}, {92, 84}, 1.6, rng, colour::Bark);
    cairo_restore(cr);
    // The frame: wooden sides and panes of glass.
    PathPolygon(cr, {{6, boxTop + 8}, {w - 16, boxTop}, {w - 16, h - 4}, {6, h - 4}});
    SetColour(cr, colour::Ice, 0.3);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.0, rng, palette::Wood);
    cairo_new_path(cr);
    PathRoundedRect(cr, 4, h - 22, w - 18, 18, 1);
    Fill(cr, palette::Wood, rng, 0.9);
    // The lid propped open on a stick, a pane catching the light.
    PathPolygon(cr, {{6, boxTop + 8}, {w - 16, boxTop}, {w - 40, boxTop - 44}, {0, boxTop - 30}});
    SetColour(cr, colour::Ice, 0.35);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.1, rng, palette::Wood);
    cairo_new_path(cr);
    InkLine(cr, {{20, boxTop - 20}, {40, boxTop - 4}}, 1.4, rng, {1, 1, 1}, 0.8);
    InkLine(cr, {{w - 30, boxTop}, {w - 36, boxTop - 40}}, 1.2, rng, palette::Wood);
    SnowCap(cr, {{1, boxTop - 31}, {w - 40, boxTop - 45}}, 3, rng);
    SnowMound(cr, 0, w, h, h - 6, rng);
}

void FenceSign(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, 12, 3);
    PathRoundedRect(cr, w / 2 - 2.5, 26, 5, h - 28, 1);
    Fill(cr, palette::Wood, rng, 0.8);
    PathRoundedRect(cr, 2, 4, w - 4, 28, 2);
    Fill(cr, Lighter(palette::Ochre, 0.45), rng, 1.0);
    // A leaping elk in ink, over a little fence.
    cairo_save(cr);
    cairo_translate(cr, w / 2, 19);
    PathSmooth(cr, {{-11, 1}, {-4, -4}, {6, -5}, {11, -9}, {13, -7}, {8, -2}, {5, 3}, {-6, 3}});
    SetColour(cr, palette::Sepia);
    cairo_fill(cr);
    cairo_restore(cr);
    InkLine(cr, {{w / 2 + 11, 10}, {w / 2 + 14, 6}}, 0.8, rng, palette::Sepia);
    InkLine(cr, {{w / 2 + 11, 10}, {w / 2 + 9, 5}}, 0.8, rng, palette::Sepia);
    InkLine(cr, {{w / 2 - 8, 22}, {w / 2 - 14, 26}}, 0.9, rng, palette::Sepia);
    InkLine(cr, {{w / 2 + 4, 22}, {w / 2 + 10, 25}}, 0.9, rng, palette::Sepia);
    InkLine(cr, {{w / 2 - 6, 29}, {w / 2 + 6, 29}}, 0.8, rng, palette::Rust);
    InkLine(cr, {{w / 2 - 4, 26}, {w / 2 - 4, 30}}, 0.8, rng, palette::Rust);
    InkLine(cr, {{w / 2 + 4, 26}, {w / 2 + 4, 30}}, 0.8, rng, palette::Rust);
    SnowCap(cr, {{2, 4}, {w / 2, 3}, {w - 2, 4}}, 3, rng);
    SnowMound(cr, 4, w - 4, h, h - 6, rng);
}

void SnowShovel(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, 16, 3);
    InkLine(cr, {{w / 2, 6}, {w / 2 + 1, h - 40}}, 2.4, rng, palette::Wood);
    PathRoundedRect(cr, w / 2 - 5, 2, 10, 5, 2); // the grip
    Fill(cr, palette::Wood, rng, 0.8);
    PathPolygon(
        cr,
        {{w / 2 - 11, h - 42}, {w / 2 + 12, h - 42}, {w / 2 + 10, h - 10}, {w / 2 - 9, h - 10}});
    Fill(cr, Blend(palette::Stone, palette::Sky, 0.3), rng, 1.0);
    InkLine(cr, {{w / 2 - 7, h - 38}, {w / 2 - 6, h - 14}}, 1, rng, {1, 1, 1}, 0.7);
    // The bucket hanging from the handle.
    InkCurve(cr, {w / 2 + 1, 40}, {w / 2 + 8, 34}, {w / 2 + 14, 44}, {w / 2 + 12, 48}, 0.7, rng);
    PathPolygon(cr, {{w / 2 + 2, 48}, {w / 2 + 17, 48}, {w / 2 + 15, 64}, {w / 2 + 4, 64}});
    Fill(cr, palette::Stone, rng, 0.9);
    PathEllipse(cr, w / 2 + 9.5, 48, 7.5, 2);
    Snow(cr, rng, 0.5);
    SnowMound(cr, 0, w, h, h - 16, rng);
}

void Boardwalk(cairo_t* cr, double w, double h, int, Rng& rng) {
    // One section: the walking surface at y 14, posts down into the frozen ditch. The book's
    // page edges cover the picture from about y 21, so the deck is laid high enough to be seen
    // whole under the hero's feet, its snow trodden thin so that its brown shows against the
    // snow in the gap. Each section is a thing of its own, its planks and rail ending at its
    // posts with rounded caps of snow and dark end grain, so sections laid side by side meet at a
    // narrow joint and the missing one leaves a gap between two ends, not a cut through a band of
    // planks.
    constexpr double deck = 14, deckDepth = 7;
    cairo_rectangle(cr, 0, deck + deckDepth, w, h - deck - deckDepth); // the ditch runs on under
    SetColour(cr, colour::Ice, 0.9);                                   // the joints
    cairo_fill_preserve(cr);
    Wash(cr, palette::Water, 0.3, rng, {.layers = 2, .jitter = 1, .edge = 0.3, .granulation = 0});
    cairo_new_path(cr);
    InkLine(cr, {{4, 30}, {18, 29}}, 0.8, rng, {1, 1, 1}, 0.9);
    InkLine(cr, {{26, 32}, {40, 31.5}}, 0.8, rng, {1, 1, 1}, 0.9);
    for (double x : {8.0, w - 9}) {
        PathRoundedRect(cr, x - 2.5, deck, 5, h - deck, 1);
        Fill(cr, Darker(palette::Wood, 0.2), rng, 0.8);
    }
    // The handrail on the far side, between this section's own posts.
    const double left = 1.2, right = w - 1.2;
    PathRoundedRect(cr, left, 3, right - left, 3, 1);
    Fill(cr, Darker(palette::Wood, 0.1), rng, 0.8);
    PathRoundedRect(cr, left, 9, right - left, 2, 1);
    Fill(cr, Darker(palette::Wood, 0.1), rng, 0.7);
    for (double x : {left + 1.8, right - 1.8}) {
        PathRoundedRect(cr, x - 1.8, 1.5, 3.6, deck - 0.5, 1);
        Fill(cr, Darker(palette::Wood, 0.25), rng, 0.8);
    }
    std::vector<Pt> rail;
    for (int i = 0; i <= 6; ++i)
        rail.push_back({left + 1.5 + (right - left - 3) * i / 6.0, 2.5});
    SnowCap(cr, rail, 1.4, rng);
    // The deck's shadow on the ditch, then the deck with the dark end grain of its planks.
    PathRoundedRect(cr, left + 1, deck + deckDepth - 1, right - left - 2, 3, 1.5);
    SetColour(cr, Darker(palette::Wood, 0.6), 0.55);
    cairo_fill(cr);
    PathRoundedRect(cr, left, deck, right - left, deckDepth, 1.5);
    Fill(cr, palette::Wood, rng, 0.9);
    for (double x : {left + 0.6, right - 2.2}) {
        PathRoundedRect(cr, x, deck + 1, 1.6, deckDepth - 1.5, 0.6);
        SetColour(cr, Darker(palette::Wood, 0.55));
        cairo_fill(cr);
    }
    for (double x : {11.0, 22.5, 34.0})
        InkLine(cr, {{x, deck + 0.5}, {x, deck + deckDepth - 0.5}}, 0.6, rng,
                Darker(palette::Wood, 0.5));
    std::vector<Pt> top;
    for (int i = 0; i <= 6; ++i)
        top.push_back({left + 2 + (right - left - 4) * i / 6.0, deck - 0.5});
    SnowCap(cr, top, 1.0, rng);
}

void KeyPost(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, 14, 3);
    PathPolygon(
        cr, {{w / 2 - 6, 8}, {w / 2, 3}, {w / 2 + 6, 8}, {w / 2 + 6, h - 2}, {w / 2 - 6, h - 2}});
    Fill(cr, palette::Wood, rng, 1.0);
    for (int i = 0; i < 4; ++i)
        InkLine(cr,
                {{w / 2 - 3 + double(i) * 2, 12 + double(i) * 7},
                 {w / 2 - 3 + double(i) * 2, 30 + double(i) * 15}},
                0.5, rng, Darker(palette::Wood, 0.4));
    PathEllipse(cr, w / 2, 5, 6.5, 2.8);
    Snow(cr, rng, 0.6);
    // The nail the key hangs from.
    PathEllipse(cr, w / 2 + 1, 12, 1.3, 1.3);
    Fill(cr, palette::StoneDark, rng, 0.4);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

void BirdhousePole(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, 14, 3);
    PathRoundedRect(cr, w / 2 - 2, 40, 4, h - 42, 1);
    Fill(cr, palette::Wood, rng, 0.8);
    PathPolygon(cr, {{8, 22}, {w - 8, 22}, {w - 8, 44}, {8, 44}});
    Fill(cr, Blend(palette::Sky, palette::Wood, 0.3), rng, 1.0);
    PathEllipse(cr, w / 2, 31, 3.5, 3.5);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    InkLine(cr, {{w / 2, 37}, {w / 2, 40}}, 1, rng, palette::Wood);
    PathPolygon(cr, {{3, 24}, {w / 2, 9}, {w - 3, 24}});
    Fill(cr, colour::Roof, rng, 1.0);
    SnowCap(cr, {{2, 24}, {w / 2, 8}, {w - 2, 24}}, 6, rng);
    SnowMound(cr, 6, w - 6, h, h - 8, rng);
}

void SledgeFence(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 4);
    Fence(cr, 4, w - 4, h - 62, h - 2, rng);
    // The sledge leans on the fence, runners to the front.
    cairo_save(cr);
    cairo_translate(cr, w * 0.45, h - 4);
    cairo_rotate(cr, -1.2);
    PathRoundedRect(cr, 0, -20, 70, 12, 2);
    Fill(cr, palette::Rust, rng, 1.0);
    for (double x : {12.0, 30.0, 48.0})
        InkLine(cr, {{x, -20}, {x, -8}}, 0.6, rng, palette::Ink);
    InkCurve(cr, {0, -2}, {30, -2}, {60, -2}, {74, -10}, 2.0, rng, palette::StoneDark);
    InkCurve(cr, {74, -10}, {80, -14}, {78, -22}, {72, -20}, 2.0, rng, palette::StoneDark);
    InkLine(cr, {{14, -8}, {14, -2}}, 1.4, rng, palette::StoneDark);
    InkLine(cr, {{56, -8}, {56, -2}}, 1.4, rng, palette::StoneDark);
    cairo_restore(cr);
    SnowMound(cr, 0, w, h, h - 10, rng);
}

void SnowyRock(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.48, 5);
    PathBlob(cr, w / 2, h * 0.62, w * 0.44, h * 0.36, rng, 0.08, 9);
    Fill(cr, palette::Stone, rng, 1.0);
    for (int i = 0; i < 3; ++i)
        InkCurve(cr, {rng.Range(15, w - 25), rng.Range(h * 0.6, h * 0.8)},
                 {rng.Range(20, w - 20), h * 0.75}, {rng.Range(20, w - 20), h * 0.78},
                 {rng.Range(20, w - 15), h * 0.85}, 0.6, rng, palette::StoneDark);
    PathSmooth(cr, {{w * 0.1, h * 0.55},
                    {w * 0.25, h * 0.25},
                    {w * 0.5, h * 0.12},
                    {w * 0.78, h * 0.22},
                    {w * 0.92, h * 0.5},
                    {w * 0.75, h * 0.48},
                    {w * 0.6, h * 0.56},
                    {w * 0.4, h * 0.5},
                    {w * 0.22, h * 0.6}});
    Snow(cr, rng, 0.8);
    SnowMound(cr, 0, w, h, h - 8, rng);
}

void FrozenPump(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, 18, 3);
    PathRoundedRect(cr, 16, 22, 14, h - 30, 3);
    Fill(cr, Blend(palette::StoneDark, palette::Leaf, 0.3), rng, 1.0);
    PathPolygon(cr, {{30, 34}, {42, 36}, {42, 41}, {30, 40}}); // the spout
    Fill(cr, Blend(palette::StoneDark, palette::Leaf, 0.3), rng, 0.9);
    InkCurve(cr, {22, 22}, {14, 10}, {6, 14}, {4, 22}, 2.0, rng, palette::StoneDark); // handle
    PathEllipse(cr, 23, 21, 9, 3);
    Snow(cr, rng, 0.6);
    for (int i = 0; i < 4; ++i) { // icicles from the spout and the cap
        double x = 32 + i * 2.8, len = rng.Range(5, 11);
        PathPolygon(cr, {{x - 1.2, 40}, {x + 1.2, 40}, {x + 0.2, 40 + len}});
        Fill(cr, colour::Ice, rng, 0.5);
    }
    for (double x : {16.0, 20.0, 27.0}) {
        PathPolygon(cr, {{x - 1, 23}, {x + 1, 23}, {x, 23 + rng.Range(4, 8)}});
        Fill(cr, colour::Ice, rng, 0.5);
    }
    PathEllipse(cr, 37, h - 9, 9, 3); // the frozen splash under it
    Fill(cr, colour::Ice, rng, 0.6);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

void BareAppleTree(cairo_t* cr, double w, double h, int, Rng& rng) {
    FruitTree(cr, w, h, rng, 1.05);
}

void GatepostLantern(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, 20, 4);
    PathRoundedRect(cr, 14, 34, 24, h - 38, 2);
    Fill(cr, palette::Stone, rng, 1.0);
    for (int r = 0; r < 8; ++r) { // stone courses
        double y = 48 + r * 15;
        if (y > h - 10) break;
        InkLine(cr, {{15, y}, {37, y}}, 0.5, rng, palette::StoneDark);
        double x = (r % 2) ? 22 : 30;
        InkLine(cr, {{x, y}, {x, y + 15}}, 0.5, rng, palette::StoneDark);
    }
    PathRoundedRect(cr, 11, 28, 30, 8, 2);
    Fill(cr, palette::StoneDark, rng, 1.0);
    SnowCap(cr, {{11, 28}, {26, 27}, {41, 28}}, 5, rng);
    // An iron bracket with an unlit lantern hanging from it.
    InkLine(cr, {{38, 44}, {52, 44}, {52, 48}}, 1.2, rng, palette::Ink);
    InkCurve(cr, {38, 52}, {44, 50}, {48, 47}, {50, 44}, 0.8, rng, palette::Ink);
    PathPolygon(cr, {{47, 52}, {57, 52}, {56, 66}, {48, 66}});
    SetColour(cr, colour::Ice, 0.5);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1, rng, palette::Ink);
    cairo_new_path(cr);
    PathPolygon(cr, {{46, 52}, {52, 47}, {58, 52}});
    Fill(cr, palette::StoneDark, rng, 0.8);
    PathRoundedRect(cr, 51, 58, 2, 5, 0.5); // the candle, unlit
    Fill(cr, palette::Paper, rng, 0.3);
    SnowMound(cr, 4, w - 4, h, h - 8, rng);
}

void Spruce(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.45, 5);
    Conifer(cr, w / 2, 2, h - 4, w / 2 - 3, std::max(4, static_cast<int>(h / 34)), rng,
            Blend(colour::Pine, palette::Moss, rng.Range(0, 0.35)), 1.0);
    SnowMound(cr, w * 0.2, w * 0.8, h, h - 8, rng);
}

void SpruceBareTrunk(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A tall old spruce whose lowest boughs are long gone: a bare trunk under the crown. It
    // stands between the lantern and the troll, and the lantern's light shines past its trunk.
    const double crownFoot = h - 54; // no bough lower than this
    GroundShadow(cr, w / 2, h - 4, w * 0.2, 4);
    Conifer(cr, w / 2, 2, crownFoot, w / 2 - 3, std::max(4, static_cast<int>(crownFoot / 34)), rng,
            Blend(colour::Pine, palette::Moss, rng.Range(0, 0.35)), 1.0);
    // The trunk on down to the foot, over the foot of the crown's own (just under the boughs),
    // as wide as it and tapering; inked along its sides only, so that it runs on unbroken.
    const double top = crownFoot - 12, half = (w / 2 - 3) * 0.1 + 0.4;
    const Pt side[2][2] = {{{w / 2 - half, top}, {w / 2 - 2.5, h - 2}},
                           {{w / 2 + half, top}, {w / 2 + 2.5, h - 2}}};
    PathPolygon(cr, {side[0][0], side[1][0], side[1][1], side[0][1]});
    Fill(cr, colour::Bark, rng, 0.0);
    for (const auto& s : side)
        InkLine(cr, {s[0], s[1]}, 0.8, rng, palette::Ink, 0.85);
}

void Beehive(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 3, 24, 3);
    for (double x : {14.0, w - 14})
        InkLine(cr, {{x, h - 50}, {x, h - 2}}, 2.4, rng, palette::Wood);
    PathRoundedRect(cr, 6, h - 54, w - 12, 6, 1);
    Fill(cr, palette::Wood, rng, 0.9);
    // The straw skep: a dome in coiled bands.
    PathSmooth(cr, {{9, h - 54}, {10, h - 80}, {w / 2, h - 100}, {w - 10, h - 80}, {w - 9, h - 54}},
               true);
    Fill(cr, palette::Ochre, rng, 1.0);
    for (int i = 1; i < 6; ++i) {
        double y = h - 54 - i * 7.5, half = (w / 2 - 9) * std::sqrt(1 - std::pow(i / 6.5, 2));
        InkCurve(cr, {w / 2 - half, y}, {w / 2 - half * 0.5, y + 2.5},
                 {w / 2 + half * 0.5, y + 2.5}, {w / 2 + half, y}, 0.7, rng,
                 Darker(palette::Ochre, 0.45));
    }
    PathEllipse(cr, w / 2, h - 59, 4, 3);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    PathSmooth(cr, {{8, h - 82},
                    {w / 2, h - 106},
                    {w - 8, h - 82},
                    {w - 14, h - 80},
                    {w / 2, h - 92},
                    {14, h - 79}});
    Snow(cr, rng, 0.7);
    SnowMound(cr, 2, w - 2, h, h - 7, rng);
}

void PebbleRow(cairo_t* cr, double w, double h, int, Rng& rng) {
    double x = 4;
    while (x < w - 8) {
        double r = rng.Range(4, 7);
        PathBlob(cr, x + r, h - 6, r, r * 0.7, rng, 0.1, 7);
        Fill(cr, Blend(palette::Stone, palette::Ochre, rng.Range(0, 0.3)), rng, 0.8);
        InkCurve(cr, {x + r * 0.4, h - 8}, {x + r * 0.7, h - 10}, {x + r, h - 10},
                 {x + r * 1.3, h - 9.5}, 0.8, rng, {1, 1, 1}, 0.8);
        x += 2 * r + rng.Range(2, 6);
    }
    SnowMound(cr, 0, w, h, h - 5, rng);
}

} // namespace backart
