// The book every scene is drawn in: the page sheet behind the scene, the cover and page edges
// around it, the three front layers that change with each page turn, the three pictures of a
// turning page, and the help note that slides out from the bookmark at the left edge.

#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Screen layout of the book (the screen is 800 x 600). The back sheet is drawn at x 29.
constexpr double kSheetX = 29;
constexpr double kPageRight = 771;  // the top page's right edge
constexpr double kPageBottom = 576; // the top page's bottom edge
constexpr double kCoverTop = 12;
constexpr double kCoverRight = 786;
constexpr double kCoverBottom = 588;
constexpr double kSpine = 29; // the cover at the left, under the help bookmark

constexpr Rgb Leather{0.42, 0.20, 0.14};
constexpr Rgb Gold{0.86, 0.70, 0.36};
constexpr Rgb RibbonRed{0.70, 0.16, 0.14};

void Gradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb colour, double a0,
              double a1) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, colour.r, colour.g, colour.b, a0);
    cairo_pattern_add_color_stop_rgba(g, 1, colour.r, colour.g, colour.b, a1);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The cream sheet the scenes are drawn on: grain, a little mottling, the gutter's shade at the
// left and a faint darkening towards the fore-edge.
void DrawBack(GenContext& ctx) {
    const std::string path = "image/Common/back.png";
    Rng rng(path);
    Canvas canvas(771, 600);
    cairo_t* cr = canvas.cr;
    cairo_rectangle(cr, 0, 0, canvas.w, canvas.h);
    FillPaper(cr, rng, palette::Paper, 0.06);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, 60, canvas.h);
    Gradient(cr, 0, 0, 60, 0, palette::PaperShade, 0.55, 0);
    cairo_rectangle(cr, canvas.w - 40, 0, 40, canvas.h);
    Gradient(cr, canvas.w - 40, 0, canvas.w, 0, palette::PaperShade, 0, 0.25);
    cairo_rectangle(cr, 0, canvas.h - 40, canvas.w, 40);
    Gradient(cr, 0, canvas.h - 40, 0, canvas.h, palette::PaperShade, 0, 0.2);
    ctx.Save(canvas, path);
}

// Leather over the current path: the colour, a darker wash and fine grain.
void FillLeather(cairo_t* cr, Rng& rng) {
    cairo_save(cr);
    SetColour(cr, Leather);
    cairo_fill_preserve(cr);
    Wash(cr, Darker(Leather, 0.35), 0.5, rng,
         {.layers = 3, .jitter = 3, .edge = 0.2, .granulation = 0.35, .blooms = 0.8});
    // Grain: short faint creases, stroked plainly (inked lines would be slow over the cover).
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_clip(cr);
    cairo_set_line_width(cr, 0.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    int creases = static_cast<int>((x2 - x1) * (y2 - y1) / 120);
    for (int i = 0; i < creases; ++i) {
        double x = rng.Range(x1, x2), y = rng.Range(y1, y2), a = rng.Range(0, Pi);
        double len = rng.Range(1.5, 5);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::cos(a) * len, y + std::sin(a) * len);
    }
    SetColour(cr, Darker(Leather, 0.5), 0.35);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The cover around the page: leather at the top, right and bottom and a thin spine at the left,
// with a gold-tooled line and brass corners. Transparent inside.
void DrawFrame(GenContext& ctx) {
    const std::string path = "image/Common/front02.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_rectangle(cr, kSpine, kCoverTop, kCoverRight - kSpine, kCoverBottom - kCoverTop);
    FillLeather(cr, rng);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // The page block's shadow on the cover's inside edge.
    cairo_rectangle(cr, kSpine, kCoverTop, kCoverRight - kSpine, 5);
    Gradient(cr, 0, kCoverTop, 0, kCoverTop + 5, palette::Ink, 0.45, 0);
    cairo_rectangle(cr, kSpine, kCoverTop, 6, kCoverBottom - kCoverTop);
    Gradient(cr, kSpine, 0, kSpine + 6, 0, palette::Ink, 0.5, 0);
    // The cover's edges: a highlight, the gold line and the stitched spine.
    PathPolygon(cr, {{kSpine - 1, kCoverTop - 1},
                     {kCoverRight + 1, kCoverTop - 1},
                     {kCoverRight + 1, kCoverBottom + 1},
                     {kSpine - 1, kCoverBottom + 1}});
    InkOutline(cr, 1.6, rng, Darker(Leather, 0.6), 0.9, 0.2);
    cairo_new_path(cr);
    PathRoundedRect(cr, 5, 4, 790, 592, 6);
    InkOutline(cr, 1.0, rng, Gold, 0.7, 0.2);
    cairo_new_path(cr);
    for (double y = 30; y < 590; y += 9) { // the spine's stitches
        InkLine(cr, {{7, y}, {7, y + 4.5}}, 1.0, rng, Gold, 0.5, 0.1);
    }
    // Brass corners on the fore-edge side.
    for (int corner = 0; corner < 2; ++corner) {
        double y = corner == 0 ? 0 : 600, dir = corner == 0 ? 1 : -1;
        PathPolygon(cr, {{800, y}, {800 - 30, y}, {800, y + dir * 30}});
        SetColour(cr, Gold);
        cairo_fill_preserve(cr);
        Wash(cr, palette::Ochre, 0.6, rng, {.layers = 2, .jitter = 1, .edge = 0.8});
        InkOutline(cr, 1.2, rng, Darker(Gold, 0.6), 0.9, 0.1);
        cairo_new_path(cr);
        PathEllipse(cr, 800 - 9, y + dir * 9, 1.6, 1.6);
        SetColour(cr, Darker(Gold, 0.5));
        cairo_fill(cr);
    }
    ctx.Save(canvas, path);
}

// Page edges under the top page: thin lines between the page and the cover along the right and
// the bottom. `thickness` is the width of the block in pixels.
void DrawPageBlock(cairo_t* cr, double thickness, Rng& rng) {
    const double right = kPageRight, bottom = kPageBottom;
    // The block: from the top page's edge out to the cover (stepping down with depth).
    std::vector<Pt> blockRight = {{right, kCoverTop + 2},
                                  {right + thickness, kCoverTop + 4},
                                  {right + thickness, bottom + thickness - 2},
                                  {right, bottom}};
    std::vector<Pt> blockBottom = {{kSheetX, bottom},
                                   {right, bottom},
                                   {right + thickness, bottom + thickness - 2},
                                   {kSheetX, bottom + thickness - 2}};
    for (const auto* block : {&blockRight, &blockBottom}) {
        cairo_new_path(cr);
        PathPolygon(cr, *block);
        SetColour(cr, Blend(palette::Paper, palette::PaperShade, 0.3));
        cairo_fill(cr);
    }
    // Edge lines: each sheet shows as a faint line, bunched irregularly.
    double depth = 1.5;
    while (depth < thickness - 1) {
        double x = right + depth, y = bottom + depth - 1;
        double alpha = rng.Range(0.2, 0.55);
        InkLine(cr, {{x, kCoverTop + 3}, {x, y}}, 0.45, rng, palette::Sepia, alpha, 0.3);
        InkLine(cr, {{kSheetX + 2, y}, {x, y}}, 0.45, rng, palette::Sepia, alpha, 0.3);
        depth += rng.Range(1.0, 2.6);
    }
    // The top page's own edge and its shadow on the block.
    InkLine(cr, {{right, kCoverTop + 1}, {right, bottom}, {kSheetX, bottom}}, 1.0, rng,
            palette::Sepia, 0.8, 0.3);
    cairo_new_path(cr);
    cairo_rectangle(cr, right, kCoverTop, 5, bottom - kCoverTop);
    Gradient(cr, right, 0, right + 5, 0, palette::Sepia, 0.35, 0);
    cairo_rectangle(cr, kSheetX, bottom, right - kSheetX, 5);
    Gradient(cr, 0, bottom, 0, bottom + 5, palette::Sepia, 0.35, 0);
}

// First front layer (at 0, 0): the page block along the right and the bottom; its thickness
// and the pattern of its edges change from page to page.
void DrawPageFront(GenContext& ctx, int k) {
    const std::string path = "image/Common/front" + std::to_string(k) + "_1.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    constexpr double thickness[3] = {14, 12.5, 11};
    DrawPageBlock(canvas.cr, thickness[k - 1], rng);
    ctx.Save(canvas, path);
}

// A corner of the page folded back along the line through a and b, the corner at c.
void DrawDogEar(cairo_t* cr, Pt a, Pt b, Pt c, Rng& rng) {
    // The folded flap is the corner mirrored across the fold.
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    double ux = dx / len, uy = dy / len;
    double t = (c.x - a.x) * ux + (c.y - a.y) * uy;
    Pt foot{a.x + ux * t, a.y + uy * t};
    Pt tip{2 * foot.x - c.x, 2 * foot.y - c.y};
    cairo_new_path(cr);
    PathPolygon(cr, {a, c, b}); // under the flap: the page below, in shadow
    SetColour(cr, Blend(palette::Paper, palette::PaperShade, 0.5));
    cairo_fill_preserve(cr);
    Gradient(cr, foot.x, foot.y, c.x, c.y, palette::Sepia, 0.45, 0.05);
    cairo_new_path(cr);
    PathPolygon(cr, {a, tip, b});
    DropShadow(cr, -1.5, -1.5, 2.5, 0.3);
    SetColour(cr, Lighter(palette::Paper, 0.3));
    cairo_fill_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(foot.x, foot.y, tip.x, tip.y);
    cairo_pattern_add_color_stop_rgba(g, 0, palette::PaperShade.r, palette::PaperShade.g,
                                      palette::PaperShade.b, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0.3);
    cairo_pattern_add_color_stop_rgba(g, 1, palette::PaperShade.r, palette::PaperShade.g,
                                      palette::PaperShade.b, 0.25);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    InkOutline(cr, 0.9, rng, palette::Sepia, 0.85, 0.2);
    cairo_new_path(cr);
}

// Second front layer (at 29, 0): the page's dog-eared corner and the page mark, one to three
// leaves, so a turned page is seen to be another page. The corner is the top one and the mark sits
// right of the foot's middle: the bottom-right corner holds the opening's skip prompt and the
// foot's middle the menu's last item, and the front layers are drawn over both.
void DrawPageFrontOver(GenContext& ctx, int k) {
    const std::string path = "image/Common/front" + std::to_string(k) + "_2.png";
    Rng rng(path);
    Canvas canvas(771, 600);
    cairo_t* cr = canvas.cr;
    const double right = kPageRight - kSheetX, bottom = kPageBottom, top = kCoverTop;
    constexpr double ear[3] = {30, 38, 24};
    double e = ear[k - 1];
    DrawDogEar(cr, {right, top + e * 0.9}, {right - e, top}, {right, top}, rng);
    // The page mark: a flourish either side of k leaves.
    const double cx = right - 130, cy = bottom - 14;
    InkCurve(cr, {cx - 60, cy + 1}, {cx - 45, cy - 6}, {cx - 30, cy + 6}, {cx - 14 - 6 * k, cy},
             0.9, rng, palette::Sepia, 0.8);
    InkCurve(cr, {cx + 60, cy + 1}, {cx + 45, cy - 6}, {cx + 30, cy + 6}, {cx + 14 + 6 * k, cy},
             0.9, rng, palette::Sepia, 0.8);
    for (int i = 0; i < k; ++i) {
        double x = cx + (i - (k - 1) / 2.0) * 12;
        cairo_save(cr);
        cairo_translate(cr, x, cy);
        cairo_rotate(cr, -Pi / 4);
        cairo_new_path(cr);
        cairo_move_to(cr, -5, 0);
        cairo_curve_to(cr, -2, -4, 2, -4, 5, 0);
        cairo_curve_to(cr, 2, 4, -2, 4, -5, 0);
        cairo_close_path(cr);
        SetColour(cr, palette::Rust, 0.75);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.7, rng, palette::Sepia, 0.9, 0.1);
        cairo_new_path(cr);
        cairo_restore(cr);
    }
    ctx.Save(canvas, path);
}

// The part of a polygon on the clockwise side of the line from a to b (on screen, with y down:
// to the left when walking from a to b), clipping each edge against the line.
std::vector<Pt> ClockwiseSide(const std::vector<Pt>& poly, Pt a, Pt b) {
    auto side = [&](Pt p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); };
    std::vector<Pt> out;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        Pt p = poly[i], q = poly[(i + 1) % poly.size()];
        double sp = side(p), sq = side(q);
        if (sp <= 0) out.push_back(p);
        if ((sp < 0) != (sq < 0) && sp != sq) {
            double t = sp / (sp - sq);
            out.push_back({p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t});
        }
    }
    return out;
}

Pt Mirror(Pt p, Pt a, Pt b) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    double t = (p.x - a.x) * dx + (p.y - a.y) * dy;
    Pt foot{a.x + dx * t, a.y + dy * t};
    return {2 * foot.x - p.x, 2 * foot.y - p.y};
}

// One picture of a page turning from right to left: the top page folded along the line from a
// (at the top) to b (at the bottom). The part right of the fold is mirrored over to the left,
// showing the sheet's back; to the right of the fold the page beneath shows.
void DrawTurnFrame(GenContext& ctx, int frame, Pt a, Pt b, double alpha) {
    char name[64];
    std::snprintf(name, sizeof name, "image/Common/next%02d.png", frame);
    const std::string path = name;
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    const double top = kCoverTop, bottom = kPageBottom;
    const std::vector<Pt> page = {
        {kSheetX, top}, {kPageRight, top}, {kPageRight, bottom}, {kSheetX, bottom}};
    // Walking down the fold, the fore-edge lies on the walker's left.
    std::vector<Pt> lifted = ClockwiseSide(page, a, b);
    std::vector<Pt> flap;
    for (Pt p : lifted)
        flap.push_back(Mirror(p, a, b));
    double nx = b.y - a.y, ny = -(b.x - a.x), len = std::hypot(nx, ny); // towards the fore-edge
    nx /= len;
    ny /= len;
    if (nx < 0) nx = -nx, ny = -ny;
    // The page beneath darkens into the fold.
    cairo_save(cr);
    PathPolygon(cr, lifted);
    Gradient(cr, a.x, a.y, a.x + nx * 60, a.y + ny * 60, palette::Ink, 0.45, 0);
    cairo_restore(cr);
    // The lifted sheet, kept inside the book: its shadow on the page, then the sheet's back.
    cairo_save(cr);
    cairo_rectangle(cr, kSpine, top, kPageRight - kSpine, bottom - top);
    cairo_clip(cr);
    cairo_push_group(cr);
    PathPolygon(cr, flap);
    DropShadow(cr, -8, 4, 10, 0.45, palette::Ink);
    FillPaper(cr, rng, Lighter(palette::Paper, 0.1), 0.0);
    // Light across the curl: bright at the crest near the fold, shaded in the hollow.
    double reach = 0;
    for (Pt p : flap)
        reach = std::max(reach, (a.x - p.x) * nx + (a.y - p.y) * ny);
    reach = std::max(reach, 1.0);
    cairo_pattern_t* g = cairo_pattern_create_linear(a.x, a.y, a.x - nx * reach, a.y - ny * reach);
    Rgb s = palette::PaperShade;
    cairo_pattern_add_color_stop_rgba(g, 0, s.r, s.g, s.b, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 0.1, 1, 1, 1, 0.4);
    cairo_pattern_add_color_stop_rgba(g, 0.55, s.r, s.g, s.b, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, s.r, s.g, s.b, 0.1);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.85, 0.4);
    cairo_new_path(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

// A dashed gold thread along the current path (consumed).
void GoldStitches(cairo_t* cr) {
    cairo_save(cr);
    const double dash[] = {3.0, 3.0};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Gold, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// One entry of the controls: the keys in bold, then what they do, wrapped to the width; returns
// the baseline of the next entry.
double DrawControl(cairo_t* cr, double x, double y, double width, const std::string& keys,
                   const std::string& action, Rng& rng, const char* separator = ":") {
    const double size = 13, lineHeight = 16.5;
    cairo_new_path(cr);
    PathStar(cr, x - 8, y - 4.5, 3, 1, 4, rng.Range(-0.2, 0.2));
    SetColour(cr, RibbonRed, 0.85);
    cairo_fill(cr);
    std::string head = keys + separator;
    DrawText(cr, FontFace::SerifBold, size, x, y, head, palette::Ink);
    double used = TextWidth(cr, FontFace::SerifBold, size, head + " ");
    // Fill the first line after the keys, then wrap the rest under them.
    std::string line;
    std::vector<std::string> words;
    for (std::size_t i = 0, j; i < action.size(); i = j + 1) {
        j = action.find(' ', i);
        if (j == std::string::npos) j = action.size();
        words.push_back(action.substr(i, j - i));
    }
    double lx = x + used, room = width - used;
    for (const std::string& word : words) {
        std::string next = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, FontFace::Serif, size, next) > room) {
            DrawText(cr, FontFace::Serif, size, lx, y, line, palette::Ink);
            y += lineHeight;
            lx = x + 10;
            room = width - 10;
            line = word;
        } else {
            line = next;
        }
    }
    DrawText(cr, FontFace::Serif, size, lx, y, line, palette::Ink);
    return y + lineHeight + 4;
}

// The help note. Its first 29-pixel column is the closed bookmark with its "?"; columns 1 to 12
// show one after another while it unrolls (the ribbon runs along the note's top, so each column
// shows a piece of ribbon over paper); open, the whole note is drawn at x 25.
void DrawHelpPanel(GenContext& ctx) {
    const std::string path = "image/Common/help_p.png";
    Rng rng(path);
    Canvas canvas(380, 235);
    cairo_t* cr = canvas.cr;
    // The note, as wide as the part of the open panel that takes clicks (up to x 320 here).
    PathTornRect(cr, 31, 6, 294, 224, rng, 1.6);
    DropShadow(cr, 3, 3, 3, 0.35);
    FillPaper(cr, rng, palette::Paper, 0.12);
    Wash(cr, palette::Ochre, 0.08, rng, {.layers = 2, .jitter = 2, .edge = 0.5, .granulation = 0});
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    // The ribbon along the top of the note, coming out of the bookmark and out past the note.
    PathPolygon(cr, {{14, 3}, {377, 3}, {367, 15}, {377, 27}, {14, 27}});
    DropShadow(cr, 1.5, 2, 2, 0.35);
    SetColour(cr, RibbonRed);
    cairo_fill_preserve(cr);
    Wash(cr, Darker(RibbonRed, 0.3), 0.4, rng, {.layers = 2, .jitter = 1.5, .edge = 0.6});
    InkOutline(cr, 1.0, rng, Darker(RibbonRed, 0.6), 0.9, 0.2);
    cairo_new_path(cr);
    cairo_move_to(cr, 14, 6);
    cairo_line_to(cr, 368, 6);
    cairo_move_to(cr, 14, 24);
    cairo_line_to(cr, 368, 24);
    GoldStitches(cr);
    DrawText(cr, FontFace::SerifBold, 15, 178, 20, "How to play", palette::Paper, Align::Centre);
    // The bookmark: a ribbon hanging down the left column with a swallowtail, and the "?".
    PathPolygon(cr, {{2, 0}, {27, 0}, {27, 165}, {14.5, 153}, {2, 165}});
    DropShadow(cr, 2, 2, 2, 0.4);
    SetColour(cr, RibbonRed);
    cairo_fill_preserve(cr);
    Wash(cr, Darker(RibbonRed, 0.3), 0.4, rng, {.layers = 2, .jitter = 1.5, .edge = 0.6});
    InkOutline(cr, 1.0, rng, Darker(RibbonRed, 0.6), 0.9, 0.2);
    cairo_new_path(cr);
    for (double x : {5.0, 24.0}) {
        cairo_move_to(cr, x, 2);
        cairo_line_to(cr, x, 158);
    }
    GoldStitches(cr);
    PathEllipse(cr, 14.5, 62, 10, 10);
    SetColour(cr, palette::Paper);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.9, rng, Darker(RibbonRed, 0.5), 0.9, 0.1);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SerifBold, 16, 14.5, 68, "?", RibbonRed, Align::Centre);
    // The controls.
    double y = 50;
    const double x = 48, width = 272;
    y = DrawControl(cr, x, y, width, "Arrow keys or A/D", "one page per press", rng);
    y = DrawControl(cr, x, y, width, "S or Space", "pages turn by themselves / stop", rng);
    y = DrawControl(cr, x, y, width, "W or I", "open the bag", rng);
    y = DrawControl(cr, x, y, width, "Esc", "pause", rng);
    y = DrawControl(cr, x, y, width, "Click a piece", "to tear it out", rng, "");
    y = DrawControl(cr, x, y, width, "Click a bag slot",
                    "to take a piece, click the page to put it down", rng, "");
    DrawText(cr, FontFace::Serif, 10.5, 316, 222, "click the note to close it", palette::Sepia,
             Align::Right);
    ctx.Save(canvas, path);
}

void GenerateCommon(GenContext& ctx) {
    DrawBack(ctx);
    DrawFrame(ctx);
    for (int k = 1; k <= 3; ++k)
        DrawPageFront(ctx, k);
    for (int k = 1; k <= 3; ++k)
        DrawPageFrontOver(ctx, k);
    // The fold sweeps from the right edge to the spine; the sheet gets fainter as it lands.
    DrawTurnFrame(ctx, 1, {722, kCoverTop}, {650, kPageBottom}, 0.9);
    DrawTurnFrame(ctx, 2, {455, kCoverTop}, {395, kPageBottom}, 0.85);
    DrawTurnFrame(ctx, 3, {190, kCoverTop}, {165, kPageBottom}, 0.75);
    DrawHelpPanel(ctx);
}

AssetGroup group("common", &GenerateCommon);

} // namespace
