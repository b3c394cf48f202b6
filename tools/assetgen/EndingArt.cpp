#include "EndingArt.h"

#include "BagItems.h"
#include "Canvas.h"
#include "PieceOutline.h"
#include "TitleArt.h"

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

void ScreenPlacement(cairo_t* cr, Pt at) {
    cairo_scale(cr, 0.5, 0.5);
    cairo_translate(cr, -at.x, -at.y);
}

namespace {

void Eye(cairo_t* cr, double ex, HeroEyes eyes, double ink, Rng& rng) {
    switch (eyes) {
    case HeroEyes::Open:
    case HeroEyes::Up:
    case HeroEyes::UpLeft: {
        double dx = eyes == HeroEyes::UpLeft ? -1.4 : 0, dy = eyes == HeroEyes::Open ? 0 : -1.8;
        PathEllipse(cr, ex + dx, -5 + dy, 3.4, 4.8);
        SetColour(cr, palette::Ink);
        cairo_fill(cr);
        PathEllipse(cr, ex + dx + 1.2, -6.8 + dy, 1.1, 1.4);
        SetColour(cr, {1, 1, 1});
        cairo_fill(cr);
        break;
    }
    case HeroEyes::Shut: // a blink: the lids meet in a line
        InkLine(cr, {{ex - 3.5, -4}, {ex, -3}, {ex + 3.5, -4}}, ink * 0.8, rng);
        break;
    case HeroEyes::Sleepy: // heavy lids over half the eye
        PathEllipse(cr, ex, -3.5, 3.2, 2.6);
        SetColour(cr, palette::Ink);
        cairo_fill(cr);
        InkLine(cr, {{ex - 4, -5.5}, {ex + 4, -5.5}}, ink * 0.8, rng);
        break;
    case HeroEyes::Asleep: // closed, curving down
        InkCurve(cr, {ex - 3.5, -5}, {ex - 2, -2}, {ex + 2, -2}, {ex + 3.5, -5}, ink * 0.8, rng);
        break;
    }
}

void Mouth(cairo_t* cr, HeroMouth mouth, double ink, Rng& rng) {
    switch (mouth) {
    case HeroMouth::Smile:
        InkCurve(cr, {15, 7}, {17, 11}, {22, 11}, {24, 7}, ink * 0.7, rng);
        break;
    case HeroMouth::Grin:
        cairo_move_to(cr, 13, 6);
        cairo_curve_to(cr, 15, 14, 24, 14, 26, 6);
        cairo_close_path(cr);
        SetColour(cr, Darker(palette::Rose, 0.4));
        cairo_fill_preserve(cr);
        InkOutline(cr, ink * 0.6, rng);
        cairo_new_path(cr);
        break;
    case HeroMouth::Yawn:
        PathEllipse(cr, 19.5, 10, 4, 5.5);
        SetColour(cr, Darker(palette::Rose, 0.5));
        cairo_fill_preserve(cr);
        InkOutline(cr, ink * 0.6, rng);
        cairo_new_path(cr);
        break;
    case HeroMouth::Rest:
        InkCurve(cr, {16, 8}, {18, 9.5}, {21, 9.5}, {23, 8}, ink * 0.6, rng);
        break;
    }
}

void Scarf(cairo_t* cr, double ink, Rng& rng) {
    cairo_move_to(cr, -45, 10);
    cairo_curve_to(cr, -20, 20, 20, 20, 45, 10);
    cairo_line_to(cr, 43, 21);
    cairo_curve_to(cr, 20, 31, -20, 31, -44, 21);
    cairo_close_path(cr);
    Painted(cr, titlecolour::Scarf, Darker(titlecolour::Scarf, 0.2), 0.3, ink * 0.9, rng, 0.6);
    PathPolygon(cr, {{-30, 22}, {-52, 30}, {-60, 44}, {-48, 42}, {-46, 48}, {-24, 27}});
    Painted(cr, titlecolour::Scarf, Darker(titlecolour::Scarf, 0.2), 0.3, ink * 0.9, rng, 0.6);
    for (double sx : {-30.0, -10.0, 10.0, 30.0})
        InkLine(cr, {{sx, 15 + std::abs(sx) * -0.1}, {sx + 1, 26 - std::abs(sx) * 0.1}}, ink * 0.5,
                rng, Lighter(titlecolour::Scarf, 0.6), 0.9);
}

// The knitted hat with its bobble, its brim at the origin's y -27 (as worn).
void Hat(cairo_t* cr, double ink, Rng& rng) {
    cairo_move_to(cr, -31, -27);
    cairo_curve_to(cr, -28, -58, 26, -62, 32, -28);
    cairo_curve_to(cr, 12, -36, -12, -36, -31, -27);
    cairo_close_path(cr);
    Painted(cr, palette::Water, Darker(palette::Water, 0.2), 0.3, ink, rng, 0.6);
    InkCurve(cr, {-28, -36}, {-10, -44}, {12, -44}, {30, -36}, ink * 0.6, rng,
             Lighter(palette::Water, 0.6), 0.9);
    PathBlob(cr, 4, -62, 9, 8, rng, 0.12, 7);
    Painted(cr, {0.97, 0.97, 0.98}, titlecolour::Frost, 0.4, ink * 0.8, rng, 0.5);
}

void SnowDots(cairo_t* cr, const std::vector<Pt>& around, double spread, int n, Rng& rng) {
    for (int k = 0; k < n; ++k) {
        Pt c = around[k % around.size()];
        PathEllipse(cr, c.x + rng.Range(-spread, spread), c.y + rng.Range(-spread / 3, spread / 3),
                    rng.Range(1.5, 3), rng.Range(1.2, 2.2));
        SetColour(cr, {1, 1, 1}, 0.95);
        cairo_fill_preserve(cr);
        SetColour(cr, titlecolour::Frost, 0.8);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
    }
}

} // namespace

void DrawHomeHero(cairo_t* cr, double cx, double cy, double size, const HeroLook& look, Rng& rng) {
    const double ink = 2.2;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    cairo_rotate(cr, look.tilt);
    cairo_new_path(cr);

    if (look.feet) {
        PathEllipse(cr, 2, 46, 44, 6);
        SetColour(cr, palette::Sepia, 0.22);
        cairo_fill(cr);
        for (double fx : {-16.0, 18.0}) {
            PathEllipse(cr, fx, 41, 10, 5.5);
            Painted(cr, palette::StoneDark, palette::Ink, 0.2, ink * 0.8, rng, 0.5);
        }
    }
    PathBlob(cr, 0, 0, 46, 40, rng, 0.04, 11);
    Painted(cr, titlecolour::Pebble, palette::StoneDark, 0.3, ink, rng);
    InkCurve(cr, {-34, -14}, {-30, -26}, {-20, -33}, {-8, -35}, ink * 1.3, rng,
             Lighter(titlecolour::Pebble, 0.75), 0.8);
    InkCurve(cr, {-26, 28}, {-16, 34}, {-4, 36}, {8, 35}, ink * 0.5, rng, palette::StoneDark, 0.6);

    for (double ex : {10.0, 27.0})
        Eye(cr, ex, look.eyes, ink, rng);
    for (double kx : {4.0, 35.0}) { // rosy cheeks, warmer by the fire
        PathEllipse(cr, kx, 5, 5, 3);
        SetColour(cr, palette::Rose, 0.55);
        cairo_fill(cr);
    }
    Mouth(cr, look.mouth, ink, rng);
    if (look.scarf) Scarf(cr, ink, rng);
    if (look.hat) Hat(cr, ink, rng);
    if (look.snow) {
        SnowDots(cr, {{-20, -42}, {0, -50}, {18, -44}, {-10, -36}}, 12, 9, rng);
        SnowDots(cr, {{-36, -16}, {38, -12}}, 6, 4, rng);
    }
    cairo_restore(cr);
}

void DrawHungHat(cairo_t* cr, double x, double y, double size, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, x, y + 36 * size); // hangs by its rim from the peg
    cairo_scale(cr, size, size);
    cairo_rotate(cr, 0.12);
    Hat(cr, 2.2, rng);
    cairo_restore(cr);
}

void DrawHungScarf(cairo_t* cr, double x, double y, double size, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size, size);
    // Folded over the peg: two tails of different length.
    for (auto [dx, len] : {std::pair{-7.0, 70.0}, std::pair{7.0, 56.0}}) {
        PathSmooth(cr, {{0, -2},
                        {dx - 5, 8},
                        {dx - 6, len * 0.6},
                        {dx - 4, len},
                        {dx + 6, len},
                        {dx + 6, len * 0.6},
                        {dx + 4, 8}});
        Painted(cr, titlecolour::Scarf, Darker(titlecolour::Scarf, 0.2), 0.3, 2.0, rng, 0.6);
        for (double fy = len * 0.5; fy < len - 4; fy += 8)
            InkLine(cr, {{dx - 5, fy}, {dx + 5, fy + 1}}, 1.0, rng,
                    Lighter(titlecolour::Scarf, 0.6), 0.9);
        for (double fx = -4; fx <= 4; fx += 4) // the fringe
            InkLine(cr, {{dx + fx, len}, {dx + fx, len + 7}}, 1.2, rng, titlecolour::Scarf);
    }
    cairo_restore(cr);
}

namespace {

void Peg(cairo_t* cr, Pt p, Rng& rng) {
    PathEllipse(cr, p.x, p.y, 5, 5);
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.4, 1.6, rng, 0.3);
}

void Walls(cairo_t* cr, Rng& rng) {
    cairo_rectangle(cr, 20, 0, 780, 600);
    FillPaper(cr, rng, Blend(palette::Paper, palette::Ochre, 0.22), 0.25);
    Wash(cr, Blend(palette::Stone, palette::Ochre, 0.35), 0.35, rng,
         {.layers = 3, .jitter = 6, .edge = 0.1, .granulation = 0.3});
    cairo_new_path(cr);
    // Rounded stones laid in courses, a little uneven.
    for (double y = 14, row = 0; y < 530; y += 46, ++row) {
        double x = 24 - (int(row) % 2) * 40 + rng.Range(-8, 8);
        while (x < 800) {
            double w = rng.Range(62, 96);
            PathRoundedRect(cr, x + 3, y + 3, w - 6, 40, 14);
            SetColour(cr, Lighter(palette::Stone, 0.25), 0.25);
            cairo_fill_preserve(cr);
            InkOutline(cr, 1.4, rng, Blend(palette::Sepia, palette::StoneDark, 0.5), 0.45, 0.8);
            cairo_new_path(cr);
            x += w;
        }
    }
    // The fire's warmth on the walls.
    cairo_pattern_t* g = cairo_pattern_create_radial(670, 450, 20, 670, 450, 520);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.98, 0.70, 0.30, 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.98, 0.70, 0.30, 0.0);
    cairo_rectangle(cr, 20, 0, 780, 600);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Floor(cairo_t* cr, Rng& rng) {
    cairo_rectangle(cr, 20, 530, 780, 70);
    SetColour(cr, Lighter(palette::Wood, 0.35));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Wood, 0.6, rng, {.layers = 3, .jitter = 2, .granulation = 0.3});
    cairo_new_path(cr);
    InkLine(cr, {{20, 530}, {800, 530}}, 2.2, rng);
    for (double y : {552.0, 576.0})
        InkLine(cr, {{20, y}, {800, y}}, 1.0, rng, Darker(palette::Wood, 0.4), 0.6);
    for (int k = 0; k < 14; ++k) {
        double x = 40 + k * 58 + rng.Range(-10, 10), y = k % 2 ? 530 : 552;
        InkLine(cr, {{x, y}, {x, y + 22}}, 1.0, rng, Darker(palette::Wood, 0.4), 0.6);
    }
    // A round rag rug.
    PathEllipse(cr, 200, 566, 130, 22);
    Painted(cr, Lighter(palette::Plum, 0.4), palette::Plum, 0.4, 1.6, rng, 1);
    PathEllipse(cr, 200, 566, 90, 14);
    InkOutline(cr, 1.2, rng, Lighter(palette::Ochre, 0.3), 0.8);
    cairo_new_path(cr);
}

void Window(cairo_t* cr, Rng& rng) {
    const Pt c{440, 170};
    const double r = 74;
    PathEllipse(cr, c.x, c.y, r + 12, r + 12); // the deep stone reveal
    Painted(cr, Lighter(palette::Stone, 0.2), palette::StoneDark, 0.4, 2.0, rng, 1);
    PathEllipse(cr, c.x, c.y, r, r);
    SetColour(cr, Darker(palette::Water, 0.35));
    cairo_fill_preserve(cr);
    Wash(cr, Darker(palette::Plum, 0.2), 0.4, rng, {.layers = 2, .jitter = 3, .edge = 0.2});
    cairo_save(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    // The snowy hill outside, the moon and stars, falling snow.
    PathSmooth(
        cr, {{c.x - r, c.y + 40}, {c.x - 20, c.y + 10}, {c.x + 30, c.y + 30}, {c.x + r, c.y + 14}},
        false);
    cairo_line_to(cr, c.x + r, c.y + r);
    cairo_line_to(cr, c.x - r, c.y + r);
    cairo_close_path(cr);
    Painted(cr, {0.93, 0.95, 1.0}, titlecolour::Frost, 0.5, 1.4, rng, 1);
    PathEllipse(cr, c.x + 34, c.y - 36, 13, 13);
    SetColour(cr, {0.99, 0.96, 0.80});
    cairo_fill(cr);
    for (int k = 0; k < 24; ++k) {
        PathEllipse(cr, c.x + rng.Range(-r, r), c.y + rng.Range(-r, r * 0.4), 1.4, 1.4);
        SetColour(cr, {1, 1, 1}, rng.Range(0.6, 1.0));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    // Frame and cross bars.
    for (auto [a, b] : {std::pair{Pt{c.x - r, c.y}, Pt{c.x + r, c.y}},
                        std::pair{Pt{c.x, c.y - r}, Pt{c.x, c.y + r}}})
        InkLine(cr, {a, b}, 7, rng, palette::Wood);
    PathEllipse(cr, c.x, c.y, r, r);
    cairo_set_line_width(cr, 9);
    SetColour(cr, palette::Wood);
    cairo_stroke_preserve(cr);
    InkOutline(cr, 1.6, rng);
    cairo_new_path(cr);
    // Snow on the sill.
    PathSmooth(cr, {{c.x - 60, c.y + r + 4},
                    {c.x, c.y + r + 14},
                    {c.x + 60, c.y + r + 4},
                    {c.x, c.y + r - 2}});
    Painted(cr, {0.98, 0.98, 1.0}, titlecolour::Frost, 0.4, 1.4, rng, 0.5);
}

void Fireplace(cairo_t* cr, Rng& rng) {
    const double left = 574, right = 776, top = 340, bottom = 530;
    // The chimney breast and the arch.
    PathRoundedRect(cr, left, top - 10, right - left, bottom - top + 10, 8);
    Painted(cr, Lighter(palette::Stone, 0.15), palette::StoneDark, 0.45, 2.0, rng, 1.5);
    cairo_move_to(cr, left + 36, bottom);
    cairo_line_to(cr, left + 36, top + 80);
    cairo_curve_to(cr, left + 36, top + 24, right - 36, top + 24, right - 36, top + 80);
    cairo_line_to(cr, right - 36, bottom);
    cairo_close_path(cr);
    Painted(cr, Darker(palette::Sepia, 0.55), palette::Ink, 0.4, 2.0, rng, 1);
    // The glow, the logs and the flames.
    const Pt fire{(left + right) / 2, bottom - 22};
    cairo_pattern_t* g = cairo_pattern_create_radial(fire.x, fire.y, 4, fire.x, fire.y, 80);
    cairo_pattern_add_color_stop_rgba(g, 0, 1.0, 0.80, 0.35, 0.9);
    cairo_pattern_add_color_stop_rgba(g, 1, 1.0, 0.55, 0.20, 0.0);
    cairo_arc(cr, fire.x, fire.y, 80, 0, 6.2832);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (auto [dx, dy, rot] : {std::tuple{-22.0, 10.0, 0.15}, std::tuple{22.0, 10.0, -0.15}}) {
        cairo_save(cr);
        cairo_translate(cr, fire.x + dx, fire.y + dy);
        cairo_rotate(cr, rot);
        PathRoundedRect(cr, -40, -8, 80, 16, 7);
        Painted(cr, palette::Wood, Darker(palette::Wood, 0.4), 0.5, 1.8, rng, 0.5);
        cairo_restore(cr);
    }
    for (auto [dx, h, colour] :
         {std::tuple{-16.0, 64.0, palette::Rust}, std::tuple{14.0, 54.0, palette::Rust},
          std::tuple{0.0, 74.0, palette::Ochre}, std::tuple{-4.0, 40.0, titlecolour::Sun}}) {
        const double x = fire.x + dx, y = fire.y;
        PathSmooth(cr, {{x - 16, y},
                        {x - 12, y - h * 0.5},
                        {x + 2, y - h},
                        {x + 6, y - h * 0.6},
                        {x + 16, y - h * 0.4},
                        {x + 14, y}});
        Painted(cr, Lighter(colour, 0.3), colour, 0.6, 1.4, rng, 0.8);
    }
    // The mantel beam, a candle and a mug on it.
    PathRoundedRect(cr, left - 20, top - 22, right - left + 40, 18, 4);
    Painted(cr, Lighter(palette::Wood, 0.2), palette::Wood, 0.6, 2.0, rng, 0.8);
    PathRoundedRect(cr, left + 20, top - 62, 14, 40, 3);
    Painted(cr, {0.97, 0.95, 0.88}, palette::PaperShade, 0.4, 1.6, rng, 0.3);
    PathSmooth(cr, {{left + 27, top - 80},
                    {left + 32, top - 70},
                    {left + 27, top - 62},
                    {left + 22, top - 70}});
    Painted(cr, titlecolour::Sun, palette::Ochre, 0.5, 1.2, rng, 0.3);
    PathRoundedRect(cr, right - 60, top - 48, 26, 26, 5);
    Painted(cr, Lighter(palette::Water, 0.3), palette::Water, 0.5, 1.6, rng, 0.4);
}

void Shelf(cairo_t* cr, Rng& rng) {
    const double y = room::ShelfTop;
    for (double x : {92.0, 220.0}) { // brackets
        PathPolygon(cr, {{x, y + 14}, {x + 10, y + 14}, {x + 10, y + 40}});
        Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.4, 1.6, rng, 0.3);
    }
    PathRoundedRect(cr, 64, y, 200, 14, 3);
    DropShadow(cr, 3, 6, 4, 0.3);
    Painted(cr, Lighter(palette::Wood, 0.2), palette::Wood, 0.6, 2.0, rng, 0.8);
    // A little jar beside the stone's place, and a drawing pinned above the shelf.
    PathRoundedRect(cr, 218, y - 34, 26, 34, 6);
    Painted(cr, Lighter(palette::Moss, 0.4), palette::Moss, 0.5, 1.6, rng, 0.4);
    PathTornRect(cr, 270, 80, 80, 62, rng, 2.0);
    DropShadow(cr, 2, 3, 2, 0.25);
    FillPaper(cr, rng, palette::Paper, 0.05);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.7);
    cairo_new_path(cr);
    PathSmooth(cr, {{280, 132}, {300, 104}, {316, 96}, {330, 108}, {342, 132}}, false);
    InkOutline(cr, 1.4, rng, palette::StoneDark);
    cairo_new_path(cr);
    PathEllipse(cr, 318, 98, 7, 7);
    SetColour(cr, titlecolour::Sun);
    cairo_fill(cr);
}

// The headboard and the pillow are at the left, where the hero lies down; the quilt in the
// hero's pictures ends before the low footboard on the right.
void Bed(cairo_t* cr, Rng& rng) {
    const double l = room::BedLeft, r = room::BedRight + 40, top = room::BedTop;
    PathRoundedRect(cr, l - 6, top - 70, 22, 118, 6); // headboard
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.5, 2.0, rng, 0.5);
    PathRoundedRect(cr, r - 14, top - 30, 16, 78, 5); // footboard
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.5, 2.0, rng, 0.5);
    PathRoundedRect(cr, l, top + 10, r - l, 24, 4); // the frame
    Painted(cr, Lighter(palette::Wood, 0.1), palette::Wood, 0.6, 2.0, rng, 0.5);
    PathRoundedRect(cr, l + 14, top - 6, r - l - 28, 20, 8); // mattress
    Painted(cr, {0.97, 0.95, 0.90}, palette::PaperShade, 0.4, 1.8, rng, 0.5);
    PathBlob(cr, l + 42, top - 12, 28, 13, rng, 0.1, 9); // pillow
    Painted(cr, {0.99, 0.98, 0.96}, titlecolour::Frost, 0.3, 1.6, rng, 0.5);
}

} // namespace

void DrawRoom(cairo_t* cr, Rng& rng) {
    Walls(cr, rng);
    Window(cr, rng);
    Shelf(cr, rng);
    Fireplace(cr, rng);
    Floor(cr, rng);
    Bed(cr, rng);
    Peg(cr, room::HatPeg, rng);
    Peg(cr, room::ScarfPeg, rng);
}

void DrawStonePiece(cairo_t* cr, Rng& rng) {
    // The boulder is cut out close round its outline, like every piece in the bag: a square of
    // paper round it would hang on the room's wall as a pale card.
    constexpr int kCells = 4; // coverage cells to a picture pixel
    const Rng paintFrom = rng;
    Canvas coverage(kStoneW * kCells, kStoneH * kCells);
    cairo_scale(coverage.cr, kCells, kCells);
    Rng coverageRng = paintFrom;
    PaintBagItem(coverage.cr, 0, 0, kStoneW, kStoneH, coverageRng);
    Rng edgeRng(kStonePath + "#outline");
    const std::vector<Pt> outline =
        HuggingOutline(CoverageOf(coverage.surface, kCells, 40), 1.4, 1.2, edgeRng, 0.6);
    cairo_save(cr);
    cairo_new_path(cr);
    PathPolygon(cr, outline);
    FillPaper(cr, edgeRng, palette::Paper, 0.12);
    cairo_clip(cr);
    Rng paintRng = paintFrom;
    PaintBagItem(cr, 0, 0, kStoneW, kStoneH, paintRng); // item 0: the boulder of the first page
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    PathPolygon(cr, outline);
    InkOutline(cr, 0.55, edgeRng, palette::Sepia, 0.45, 0.15);
    cairo_new_path(cr);
    cairo_restore(cr);
}
