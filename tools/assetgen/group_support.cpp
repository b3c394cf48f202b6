// Support pictures shared by every scene: the two cursors and the "no more pages" notice.

#include "Audio.h"
#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"

#include <cmath>

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
    cairo_translate(cr, 2.5, 14);
    cairo_rotate(cr, -Pi / 4); // knuckles face up and to the left
    cairo_scale(cr, 0.8, 0.8);
    // Local frame: knuckles along y = 0 from x = 0 to 22, the back of the hand below.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 4);
    for (int k = 0; k < 4; ++k)
        cairo_arc(cr, 3 + 5.5 * k, 3, 3, Pi, 2 * Pi); // knuckle bumps
    cairo_curve_to(cr, 25, 8, 24, 15, 21, 20);
    cairo_line_to(cr, 18, 27); // wrist
    cairo_line_to(cr, 7, 27);
    cairo_curve_to(cr, 4, 21, 0, 16, 0, 4);
    cairo_close_path(cr);
    DropShadow(cr, 1.5, 1, 1.5, 0.35, palette::Ink);
    SetColour(cr, palette::Stone);
    cairo_fill_preserve(cr);
    Wash(cr, palette::StoneDark, 0.45, rng,
         {.layers = 3, .jitter = 1.0, .edge = 0.8, .granulation = 0.6});
    InkOutline(cr, 1.5, rng);
    cairo_new_path(cr);
    for (int k = 1; k < 4; ++k) // gaps between the fingers
        InkLine(cr, {{5.5 * k, 2}, {5.5 * k + 0.3, 7.5}}, 0.9, rng);
    InkLine(cr, {{0.5, 8}, {22, 8.5}}, 0.8, rng, palette::Ink, 0.6); // finger joints
    // The thumb folded across the front.
    InkCurve(cr, {1, 13}, {7, 10}, {13, 11}, {17, 13}, 1.1, rng);
    InkCurve(cr, {2, 17}, {8, 16}, {13, 15}, {17, 13}, 0.9, rng);
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

// Shown by the level when a page cannot be turned: a scrap of paper with a note.
void DrawNotPage(GenContext& ctx) {
    const std::string path = "image/Support/Not_page.png";
    Rng rng(path);
    Canvas canvas(300, 80);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 8, 6, 282, 64, rng, 2.0);
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng);
    Wash(cr, palette::Ochre, 0.12, rng,
         {.layers = 3, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SerifBold, 26, 150, 47, "No more pages", palette::Ink, Align::Centre);
    InkCurve(cr, {70, 56}, {120, 60}, {180, 53}, {230, 57}, 1.3, rng, palette::Rust, 0.8);
    ctx.Save(canvas, path);
}

void GenerateSupport(GenContext& ctx) {
    DrawCursorRock(ctx);
    DrawCursorFist(ctx);
    DrawNotPage(ctx);
}

AssetGroup group("support", &GenerateSupport);

} // namespace
