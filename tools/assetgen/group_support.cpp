// Support pictures shared by every scene: the two cursors, the "no more pages" notice, and the
// bag's window, page digits, full-bag notice and the glows of the boulder and the sun.

#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"

#include <cmath>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A grey stone shaped like an arrowhead: the sharp end is the hotspot at (0, 0).
void DrawCursorRock(GenContext& ctx) {
    const std::string path = "image/Support/Cursor_Rock.png";
    Rng rng(path);
    Canvas canvas(36, 36);
    cairo_t* cr = canvas.cr;
    cairo_move_to(cr, 2, 2); // teardrop: sharp at the tip, round at the back
    cairo_curve_to(cr, 10, 3, 24, 8, 30, 17);
    cairo_curve_to(cr, 35, 25, 29, 33, 21, 32);
    cairo_curve_to(cr, 12, 31, 6, 24, 4, 14);
    cairo_curve_to(cr, 3, 9, 2.5, 5, 2, 2);
    cairo_close_path(cr);
    DropShadow(cr, 1.5, 2, 1.5, 0.35, palette::Ink);
    // A pale rim keeps the stone readable over grey pictures (the boulder, rocks, snow shadows).
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, palette::Paper, 0.95);
    cairo_stroke_preserve(cr);
    SetColour(cr, palette::Stone);
    cairo_fill_preserve(cr);
    Wash(cr, palette::StoneDark, 0.45, rng,
         {.layers = 3, .jitter = 1.2, .edge = 0.8, .granulation = 0.6});
    InkOutline(cr, 1.4, rng);
    cairo_new_path(cr);
    // A highlight and a crack give it the look of a pebble.
    InkCurve(cr, {8, 6}, {13, 7}, {19, 10}, {23, 14}, 1.6, rng, Lighter(palette::Stone, 0.7), 0.8);
    InkCurve(cr, {17, 26}, {20, 25}, {23, 23}, {26, 23}, 0.8, rng, palette::Ink, 0.7);
    ctx.Save(canvas, path);
}

// The same stone clenched into a fist, knuckles towards the hotspot at (0, 0).
void DrawCursorFist(GenContext& ctx) {
    const std::string path = "image/Support/Cursor_Fist.png";
    Rng rng(path);
    Canvas canvas(36, 36);
    cairo_t* cr = canvas.cr;
    cairo_save(cr);
    cairo_translate(cr, 1.2, 14.2);
    cairo_rotate(cr, -Pi / 4); // knuckles face up and to the left
    cairo_scale(cr, 0.86, 0.86);
    // Local frame: the back of the hand, knuckles along y = 0 from x = 0 to 22, wrist below.
    constexpr double fingerTop[4] = {1.4, 0.0, 0.4, 1.8};
    auto backOfHand = [&] {
        cairo_move_to(cr, 0.5, 7);
        cairo_curve_to(cr, 0, 14, 1.5, 20, 5.5, 25);
        cairo_line_to(cr, 18.5, 25);
        cairo_curve_to(cr, 22, 20, 23, 14, 22.5, 7);
        cairo_close_path(cr);
    };
    auto finger = [&](int k) {
        PathRoundedRect(cr, 5.6 * k + 0.1, fingerTop[k], 5.4, 12.5 - fingerTop[k], 2.7);
    };
    auto thumb = [&] {
        PathSmooth(cr, {{-1.5, 10}, {1.5, 8.5}, {6.5, 12}, {10.5, 16}, {8.5, 18.5}, {2, 16}});
    };
    auto stone = [&](double ink) {
        SetColour(cr, palette::Stone);
        cairo_fill_preserve(cr);
        Wash(cr, palette::StoneDark, 0.4, rng,
             {.layers = 2, .jitter = 0.6, .edge = 0.9, .granulation = 0.5, .blooms = 0.3});
        InkOutline(cr, ink, rng, palette::Ink, 1.0, 0.25);
        cairo_new_path(cr);
    };
    backOfHand(); // one shadow under the whole fist
    for (int k = 0; k < 4; ++k)
        finger(k);
    thumb();
    DropShadow(cr, 1.5, 0.8, 1.5, 0.35, palette::Ink);
    cairo_new_path(cr);
    backOfHand();
    stone(1.4);
    for (int k = 3; k >= 0; --k) {
        finger(k);
        stone(1.2);
        // The middle joint of each curled finger, and a highlight on the knuckle.
        InkLine(cr, {{5.6 * k + 1.3, 7.2}, {5.6 * k + 4.3, 7.4}}, 0.7, rng, palette::Ink, 0.7);
        InkLine(cr, {{5.6 * k + 1.6, fingerTop[k] + 1.6}, {5.6 * k + 3.6, fingerTop[k] + 1.3}}, 0.9,
                rng, Lighter(palette::Stone, 0.7), 0.8);
    }
    thumb();
    stone(1.2);
    InkLine(cr, {{1, 11}, {5, 12.5}}, 0.9, rng, Lighter(palette::Stone, 0.7), 0.7);
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

// The badge beside the cursor over a piece that can be torn out now: a scrap of paper with its
// corner peeling off along a dotted tear line.
void DrawCursorTear(GenContext& ctx) {
    const std::string path = "image/Support/Cursor_Tear.png";
    Rng rng(path);
    Canvas canvas(24, 24);
    cairo_t* cr = canvas.cr;
    PathPolygon(cr, {{2, 3}, {21, 2}, {22, 13}, {13, 22}, {3, 21}});
    DropShadow(cr, 1, 1, 1, 0.35);
    FillPaper(cr, rng);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    PathPolygon(cr, {{22, 13}, {13, 22}, {12, 12}}); // the corner coming away
    SetColour(cr, Lighter(palette::Ochre, 0.5));
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.9, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    cairo_save(cr);
    const double dash[] = {1.6, 1.6};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.1);
    SetColour(cr, palette::Rust);
    cairo_move_to(cr, 23, 12);
    cairo_line_to(cr, 12, 23);
    cairo_stroke(cr);
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

// Shown by the level when a page cannot be turned: a scrap of paper with a note.
void DrawNotPage(GenContext& ctx) {
    const std::string path = "image/Support/Not_page.png";
    Rng rng(path);
    // Drawn at (230, 115): the scrap keeps to the picture's right part (screen x 406 to 526),
    // clear of the help reminder (up to x 405) and, ending at y 181, of the notices at y 185.
    Canvas canvas(300, 66);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 178, 6, 116, 54, rng, 2.0);
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng);
    Wash(cr, palette::Ochre, 0.12, rng,
         {.layers = 3, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    // Not the end of the book: only this way the page will not turn (back at page 0, forward
    // while the hero is stopped).
    DrawText(cr, FontFace::SerifBold, 18, 236, 29, "The page", palette::Ink, Align::Centre);
    DrawText(cr, FontFace::SerifBold, 18, 236, 49, "won't turn", palette::Ink, Align::Centre);
    InkCurve(cr, {206, 54}, {224, 56}, {248, 52}, {266, 55}, 1.2, rng, palette::Rust, 0.8);
    ctx.Save(canvas, path);
}

// The page number printed on its slip at the foot of the level's page: the digits 0 to 9 in a strip
// of 12 x 18 cells, in the book's lettering.
void DrawPageDigits(GenContext& ctx) {
    const std::string path = "image/Support/page_digits.png";
    Canvas canvas(120, 18);
    cairo_t* cr = canvas.cr;
    for (int d = 0; d < 10; ++d) {
        const std::string digit(1, char('0' + d));
        // A paper-coloured halo keeps the number readable over snow and scenery.
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                DrawText(cr, FontFace::SerifBold, 14, d * 12 + 6 + dx, 14 + dy, digit,
                         palette::Paper, Align::Centre, 0.9);
        DrawText(cr, FontFace::SerifBold, 14, d * 12 + 6, 14, digit, palette::Sepia, Align::Centre);
    }
    ctx.Save(canvas, path);
}

// The slip of paper the page number is printed on, tucked in at the foot of the book over the
// page edges (drawn at (368, 574)): below the lane, where no piece or scenery ever covers it.
void DrawPageSlip(GenContext& ctx) {
    const std::string path = "image/Support/page_slip.png";
    Rng rng(path);
    Canvas canvas(64, 26);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 3, 2, 57, 21, rng, 1.2);
    DropShadow(cr, 1.5, 2, 1.5, 0.35);
    FillPaper(cr, rng);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.8);
    cairo_new_path(cr);
    ctx.Save(canvas, path);
}

// The volume, shown for a moment after -, + or M: a small card per step, 0 % to 100 % in tens,
// then one for the sound turned off, in a column of 170 x 44 cells.
void DrawVolumeCards(GenContext& ctx) {
    const std::string path = "image/Support/volume.png";
    Rng rng(path);
    constexpr int kCells = 12;
    Canvas canvas(170, 44 * kCells);
    cairo_t* cr = canvas.cr;
    for (int i = 0; i < kCells; ++i) {
        const double top = 44.0 * i;
        PathTornRect(cr, 6, top + 5, 158, 33, rng, 1.5);
        DropShadow(cr, 2, 3, 2, 0.3);
        FillPaper(cr, rng);
        InkOutline(cr, 1.0, rng, palette::Sepia, 0.9);
        cairo_new_path(cr);
        const std::string text =
            i < kCells - 1 ? "Volume " + std::to_string(i * 10) + " %" : "Sound off";
        DrawText(cr, FontFace::SerifBold, 18, 85, top + 28, text, palette::Ink, Align::Centre);
    }
    ctx.Save(canvas, path);
}

// Shown by the bag for half a second when a piece is clicked and no slot is free.
void DrawBagFull(GenContext& ctx) {
    const std::string path = "image/Support/inven_full.png";
    Rng rng(path);
    Canvas canvas(340, 70);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 8, 5, 322, 56, rng, 2.0);
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng);
    Wash(cr, palette::Rose, 0.12, rng, {.layers = 3, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SerifBold, 26, 170, 42, "The bag is full", palette::Ink, Align::Centre);
    InkCurve(cr, {90, 51}, {140, 55}, {200, 48}, {250, 52}, 1.3, rng, palette::Rust, 0.8);
    ctx.Save(canvas, path);
}

// A stitched seam along the current path.
void Stitches(cairo_t* cr, double width, Rgb colour, double alpha) {
    cairo_save(cr);
    const double dash[] = {4.0, 3.0};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, colour, alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The bag window, drawn at (40, 40): a canvas satchel with five stitched pockets at the slot
// places, a label and the bag-page tag where the page number is drawn.
void DrawInventory(GenContext& ctx) {
    const std::string path = "image/Support/Inventory.png";
    Rng rng(path);
    Canvas canvas(292, 212);
    cairo_t* cr = canvas.cr;
    const Rgb cloth{0.80, 0.66, 0.46};
    // The satchel: a flap across the top edge over the body.
    PathRoundedRect(cr, 3, 5, 286, 204, 12);
    DropShadow(cr, 3, 4, 3, 0.35);
    FillPaper(cr, rng, Lighter(cloth, 0.25), 0.25);
    Wash(cr, cloth, 0.55, rng, {.layers = 3, .jitter = 2, .edge = 0.6, .granulation = 0.4});
    Hatch(cr, 0.3, 5, 0.4, rng, palette::Sepia, 0.12); // the weave
    InkOutline(cr, 1.8, rng, palette::Sepia, 0.95);
    cairo_new_path(cr);
    PathRoundedRect(cr, 8, 10, 276, 194, 9);
    Stitches(cr, 1.0, palette::Sepia, 0.7);
    cairo_new_path(cr);
    PathRoundedRect(cr, 3, 2, 286, 16, 6);
    SetColour(cr, Darker(cloth, 0.2));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Wood, 0.5, rng, {.layers = 2, .jitter = 1, .edge = 0.5, .granulation = 0.3});
    InkOutline(cr, 1.4, rng, palette::Sepia, 0.95);
    cairo_new_path(cr);
    cairo_move_to(cr, 8, 13);
    cairo_line_to(cr, 284, 13);
    Stitches(cr, 0.9, Lighter(cloth, 0.5), 0.8);
    cairo_new_path(cr);
    // Pockets at the slot places (10, 20), (105, 20), (200, 20), (10, 115), (105, 115).
    const Pt slots[5] = {{10, 20}, {105, 20}, {200, 20}, {10, 115}, {105, 115}};
    for (const Pt& p : slots) {
        PathRoundedRect(cr, p.x, p.y, 85, 85, 6);
        DropShadow(cr, 1.5, 2, 1.5, 0.3);
        FillPaper(cr, rng, Lighter(cloth, 0.55), 0.2);
        InkOutline(cr, 1.2, rng, palette::Sepia, 0.85);
        cairo_new_path(cr);
        PathRoundedRect(cr, p.x + 4, p.y + 4, 77, 77, 4);
        Stitches(cr, 0.8, palette::Sepia, 0.6);
        cairo_new_path(cr);
        // The pocket's inside shadow under its top hem.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, p.y, 0, p.y + 16);
        cairo_pattern_add_color_stop_rgba(g, 0, palette::Sepia.r, palette::Sepia.g,
                                          palette::Sepia.b, 0.3);
        cairo_pattern_add_color_stop_rgba(g, 1, palette::Sepia.r, palette::Sepia.g,
                                          palette::Sepia.b, 0);
        PathRoundedRect(cr, p.x + 1, p.y + 1, 83, 20, 5);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // The label in the free corner.
    PathTornRect(cr, 206, 112, 74, 38, rng, 1.2);
    DropShadow(cr, 1.5, 2, 1.5, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.1);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.8);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SerifBold, 22, 243, 138, "Bag", palette::Ink, Align::Centre);
    // The page tag at (200, 160)-(285, 200): the page number goes at its top left (50 x 25),
    // the arrow on the right says a click turns to the next bag page.
    PathPolygon(cr, {{202, 162}, {270, 162}, {284, 180}, {270, 198}, {202, 198}});
    DropShadow(cr, 1.5, 2, 1.5, 0.3);
    FillPaper(cr, rng, Lighter(palette::Ochre, 0.55), 0.15);
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    PathEllipse(cr, 275, 180, 2.2, 2.2); // eyelet of the tag
    InkOutline(cr, 0.8, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    InkLine(cr, {{256, 172}, {264, 180}, {256, 188}}, 1.8, rng, palette::Rust, 0.9, 0.2);
    DrawText(cr, FontFace::Serif, 10, 225, 195, "page", palette::Sepia, Align::Centre);
    ctx.Save(canvas, path);
}

// The bag page digits: three 50 x 25 frames, drawn over the page tag.
void DrawInventoryNum(GenContext& ctx) {
    const std::string path = "image/Support/inventoryNum.png";
    Canvas canvas(150, 25);
    for (int k = 0; k < 3; ++k) {
        std::string text = std::to_string(k + 1) + "/3";
        DrawText(canvas.cr, FontFace::SerifBold, 17, 50 * k + 25, 19, text, palette::Ink,
                 Align::Centre);
    }
    ctx.Save(canvas, path);
}

// A four-pointed twinkle.
void Sparkle(cairo_t* cr, double x, double y, double r, Rng& rng, double alpha = 1.0) {
    cairo_new_path(cr);
    PathStar(cr, x, y, r, r * 0.22, 4, rng.Range(-0.2, 0.2));
    SetColour(cr, {1.0, 0.97, 0.8}, alpha);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.5, rng, palette::Ochre, alpha, 0.05);
    cairo_new_path(cr);
}

// A soft ring of light between two ellipses around (cx, cy).
void GlowRing(cairo_t* cr, double cx, double cy, double rx, double ry, double inner, double peak,
              Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, inner, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(g, 0, colour.r, colour.g, colour.b, 0);
    cairo_pattern_add_color_stop_rgba(g, (peak - inner) / (1 - inner), colour.r, colour.g, colour.b,
                                      alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

// The boulder's glow while the cursor is over it: drawn at double size 15 screen pixels up and
// left of the boulder, so the rock's middle is at (62.5, 60) here.
void DrawStoneEffect(GenContext& ctx) {
    const std::string path = "image/Support/Stone_effect.png";
    Rng rng(path);
    Canvas canvas(125, 115);
    cairo_t* cr = canvas.cr;
    const double cx = 62.5, cy = 60, rx = 58, ry = 54;
    GlowRing(cr, cx, cy, rx, ry, 0.72, 0.86, {1.0, 0.86, 0.45}, 0.75);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx * 0.86, ry * 0.86);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_save(cr);
    const double dash[] = {3.0, 5.0};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, palette::Ochre, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
    for (int i = 0; i < 7; ++i) {
        double a = -Pi * 0.85 + i * 2 * Pi / 7 + rng.Range(-0.15, 0.15);
        double k = rng.Range(0.8, 0.95);
        Sparkle(cr, cx + rx * k * std::cos(a), cy + ry * k * std::sin(a), rng.Range(3.5, 6.5), rng);
    }
    ctx.Save(canvas, path);
}

// The sun's beams: three 138 x 124 frames drawn at double size 60 and 40 screen pixels up and
// left of the sun, so its middle is at (55, 45) in each frame. The beams turn a third of a beam
// per frame, so the three frames loop.
void DrawSunEffect(GenContext& ctx) {
    const std::string path = "image/Support/sun_effect.png";
    Rng rng(path);
    Canvas canvas(414, 124);
    cairo_t* cr = canvas.cr;
    const double cx = 55, cy = 45, inner = 25, outer = 80;
    const int beams = 10;
    for (int f = 0; f < 3; ++f) {
        cairo_save(cr);
        cairo_rectangle(cr, 138 * f, 0, 138, 124);
        cairo_clip(cr);
        cairo_translate(cr, 138 * f + cx, cy);
        GlowRing(cr, 0, 0, 40, 40, inner / 40, 0.75, {1.0, 0.9, 0.5}, 0.45 + 0.1 * (f == 1));
        double turn = f * (2 * Pi / beams) / 3;
        for (int i = 0; i < beams; ++i) {
            double a = turn + i * 2 * Pi / beams;
            double len = (i % 2 == 0) ? outer : outer * 0.7;
            double spread = (i % 2 == 0) ? 0.13 : 0.09;
            cairo_new_path(cr);
            cairo_move_to(cr, inner * std::cos(a - spread), inner * std::sin(a - spread));
            cairo_line_to(cr, len * std::cos(a), len * std::sin(a));
            cairo_line_to(cr, inner * std::cos(a + spread), inner * std::sin(a + spread));
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, inner, 0, 0, len);
            cairo_pattern_add_color_stop_rgba(g, 0, 1.0, 0.8, 0.25, 0.85);
            cairo_pattern_add_color_stop_rgba(g, 1, 1.0, 0.9, 0.5, 0);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            Rng lineRng(path + "#beam" + std::to_string(i)); // the same ink in every frame
            InkOutline(cr, 0.6, lineRng, palette::Ochre, 0.45, 0.2);
            cairo_new_path(cr);
        }
        for (int i = 0; i < 3; ++i) { // twinkles that move between frames
            double a = rng.Range(0, 2 * Pi), r = rng.Range(32, 52);
            Sparkle(cr, r * std::cos(a), r * std::sin(a), rng.Range(2.5, 4.5), rng, 0.9);
        }
        cairo_restore(cr);
    }
    ctx.Save(canvas, path);
}

void GenerateSupport(GenContext& ctx) {
    DrawCursorRock(ctx);
    DrawCursorFist(ctx);
    DrawCursorTear(ctx);
    DrawNotPage(ctx);
    DrawPageDigits(ctx);
    DrawPageSlip(ctx);
    DrawBagFull(ctx);
    DrawVolumeCards(ctx);
    DrawInventory(ctx);
    DrawInventoryNum(ctx);
    DrawStoneEffect(ctx);
    DrawSunEffect(ctx);
}

AssetGroup group("support", &GenerateSupport);

} // namespace
