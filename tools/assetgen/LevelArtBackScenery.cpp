// Scenery along the lane, part one: the fruit trees that hold bag items, posts, props, spruces
// and the small things lying in the snow.

#include "LevelArtBack.h"
#include "Text.h"

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
    GroundShadow(cr, w * 0.6, h - 3, w * 0.35, 4);
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
    SnowMound(cr, w * 0.45, w * 0.9, h, h - 7, rng);
}

void PlumTree(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The plum hangs at (73..109, 75..121).
    KeepClear(cr, w, h, 91, 98, 17, 22);
    FruitTree(cr, w, h, rng, 0.95);
    cairo_restore(cr);
    InkCurve(cr, {70, 62}, {80, 64}, {88, 70}, {91, 76}, 1.2, rng, colour::Bark);
    // The snowy garden: a low wall of snow and a little picket fence.
    Fence(cr, 6, 40, h - 30, h - 2, rng, Lighter(palette::Wood, 0.2));
    Fence(cr, w - 38, w - 6, h - 28, h - 2, rng, Lighter(palette::Wood, 0.2));
    SnowMound(cr, 0, w, h, h - 10, rng);
}

void SquirrelLog(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The acorn's piece covers (20..80, 7..57) and the hole it leaves (16..84, 3..61): the
    // squirrel sits right of both, on the log's end, and holds its paws out towards the acorn,
    // so that tearing the acorn out leaves the squirrel whole.
    GroundShadow(cr, w / 2, h - 4, w * 0.48, 4);
    // The log lies on top of a woodpile, high enough that the acorn held out over it (and the
    // hole it leaves) stays above the walking hero's hat. `seat` is the log's foot line.
    const double seat = 77;
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
    // Paws held out towards the acorn.
    InkLine(cr, {{dx + 10, seat - 42}, {dx + 2, seat - 43}, {dx - 10, seat - 46}}, 2.2, rng, fur);
    InkLine(cr, {{dx + 10, seat - 38}, {dx + 2, seat - 39}, {dx - 10, seat - 42}}, 2.2, rng, fur);
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
    // One section: the walking surface at y 20 (the ground line), posts down into the frozen
    // ditch. Sections sit edge to edge, so the planks and the rail run the full width.
    cairo_rectangle(cr, 0, 30, w, h - 30);
    SetColour(cr, colour::Ice, 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Water, 0.3, rng, {.layers = 2, .jitter = 1, .edge = 0.3, .granulation = 0});
    cairo_new_path(cr);
    InkLine(cr, {{4, 35}, {18, 34}}, 0.8, rng, {1, 1, 1}, 0.9);
    InkLine(cr, {{26, 37}, {40, 36.5}}, 0.8, rng, {1, 1, 1}, 0.9);
    for (double x : {8.0, w - 9}) {
        PathRoundedRect(cr, x - 2.5, 20, 5, h - 20, 1);
        Fill(cr, Darker(palette::Wood, 0.2), rng, 0.8);
    }
    // A handrail on the far side, edge to edge: where a section is missing, the rail, its posts
    // and the planks all break off, and the gap reads from afar.
    for (double x : {2.5, w - 2.5}) {
        PathRoundedRect(cr, x - 1.8, 4, 3.6, 17, 1);
        Fill(cr, Darker(palette::Wood, 0.25), rng, 0.8);
    }
    cairo_rectangle(cr, -1, 5, w + 2, 3);
    Fill(cr, Darker(palette::Wood, 0.1), rng, 0.8);
    cairo_rectangle(cr, -1, 12.5, w + 2, 2);
    Fill(cr, Darker(palette::Wood, 0.1), rng, 0.7);
    std::vector<Pt> rail;
    for (int i = 0; i <= 6; ++i)
        rail.push_back({w * i / 6.0, 4.5});
    SnowCap(cr, rail, 1.6, rng);
    cairo_rectangle(cr, -1, 20, w + 2, 6);
    Fill(cr, palette::Wood, rng, 0.9);
    for (double x : {11.0, 22.5, 34.0})
        InkLine(cr, {{x, 20.5}, {x, 25.5}}, 0.6, rng, Darker(palette::Wood, 0.5));
    std::vector<Pt> top;
    for (int i = 0; i <= 6; ++i)
        top.push_back({w * i / 6.0, 19.5});
    SnowCap(cr, top, 3, rng);
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
    DrawText(cr, FontFace::SerifBold, 8, 27, 33, "Village", palette::Ink, Align::Centre);
    PathPolygon(cr, {{40, 46}, {5, 46}, {0, 52}, {5, 58}, {40, 58}});
    Fill(cr, Lighter(palette::Wood, 0.4), rng, 1.0);
    DrawText(cr, FontFace::Serif, 6.5, 22, 55, "Mill", palette::Ink, Align::Centre);
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
    for (int i = 0; i < 4; ++i) {
        double cx = w * (0.14 + 0.24 * i), r = rng.Range(14, 19);
        PathBlob(cr, cx, h - r * 0.9, r, r * 0.8, rng, 0.15, 9);
        Fill(cr, Blend(palette::Moss, colour::Pine, rng.Range(0, 0.6)), rng, 0.9);
        PathBlob(cr, cx, h - r * 1.35, r * 0.8, r * 0.4, rng, 0.2, 8);
        Snow(cr, rng, 0.6);
    }
    SnowMound(cr, 0, w, h, h - 8, rng);
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
