#include "TitleArt.h"

#include "Text.h"

#include <cmath>
#include <vector>

void Painted(cairo_t* cr, Rgb base, Rgb wash, double washAlpha, double ink, Rng& rng,
             double jitter) {
    SetColour(cr, base);
    cairo_fill_preserve(cr);
    Wash(cr, wash, washAlpha, rng,
         {.layers = 2, .jitter = jitter, .edge = 0.7, .granulation = 0.15, .blooms = 0.3});
    InkOutline(cr, ink, rng);
    cairo_new_path(cr);
}

void DrawPebbleHero(cairo_t* cr, double cx, double cy, double size, Rng& rng, double ink) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    cairo_new_path(cr);

    // Shadow on the snow, then the feet peeping out below the body.
    PathEllipse(cr, 2, 46, 44, 6);
    SetColour(cr, palette::Sepia, 0.22);
    cairo_fill(cr);
    for (double fx : {-16.0, 18.0}) {
        PathEllipse(cr, fx, 41, 10, 5.5);
        Painted(cr, palette::StoneDark, palette::Ink, 0.2, ink * 0.8, rng, 0.5);
    }

    // The pebble itself.
    PathBlob(cr, 0, 0, 46, 40, rng, 0.04, 11);
    Painted(cr, titlecolour::Pebble, palette::StoneDark, 0.3, ink, rng);
    InkCurve(cr, {-34, -14}, {-30, -26}, {-20, -33}, {-8, -35}, ink * 1.3, rng,
             Lighter(titlecolour::Pebble, 0.75), 0.8); // shine
    InkCurve(cr, {-26, 28}, {-16, 34}, {-4, 36}, {8, 35}, ink * 0.5, rng, palette::StoneDark, 0.6);

    // Face, turned to the right.
    for (double ex : {10.0, 27.0}) {
        PathEllipse(cr, ex, -5, 3.4, 4.8);
        SetColour(cr, palette::Ink);
        cairo_fill(cr);
        PathEllipse(cr, ex + 1.2, -6.8, 1.1, 1.4);
        SetColour(cr, {1, 1, 1});
        cairo_fill(cr);
    }
    for (double kx : {4.0, 35.0}) {
        PathEllipse(cr, kx, 5, 5, 3);
        SetColour(cr, palette::Rose, 0.45);
        cairo_fill(cr);
    }
    InkCurve(cr, {15, 7}, {17, 11}, {22, 11}, {24, 7}, ink * 0.7, rng);

    // The scarf wraps round the middle; its tail flies out behind.
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

    // A knitted hat with a bobble.
    cairo_move_to(cr, -31, -27);
    cairo_curve_to(cr, -28, -58, 26, -62, 32, -28);
    cairo_curve_to(cr, 12, -36, -12, -36, -31, -27);
    cairo_close_path(cr);
    Painted(cr, palette::Water, Darker(palette::Water, 0.2), 0.3, ink, rng, 0.6);
    InkCurve(cr, {-28, -36}, {-10, -44}, {12, -44}, {30, -36}, ink * 0.6, rng,
             Lighter(palette::Water, 0.6), 0.9);
    PathBlob(cr, 4, -62, 9, 8, rng, 0.12, 7);
    Painted(cr, {0.97, 0.97, 0.98}, titlecolour::Frost, 0.4, ink * 0.8, rng, 0.5);
    cairo_restore(cr);
}

namespace {

// A limb as a thick round-capped stroke through pts: an ink rim, then the colour inside.
void Limb(cairo_t* cr, const std::vector<Pt>& pts, double width, Rgb colour, double ink) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        PathSmooth(cr, pts, false);
        cairo_set_line_width(cr, pass == 0 ? width + 2 * ink : width);
        SetColour(cr, pass == 0 ? palette::Ink : colour);
        cairo_stroke(cr);
    }
    // A touch of shade along the underside.
    cairo_new_path(cr);
    std::vector<Pt> under;
    for (Pt p : pts)
        under.push_back({p.x, p.y + width * 0.22});
    PathSmooth(cr, under, false);
    cairo_set_line_width(cr, width * 0.35);
    SetColour(cr, Darker(colour, 0.12), 0.35);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

} // namespace

void DrawHand(cairo_t* cr, Pt at, double size, HandPose pose, Rng& rng, double angle,
              double reach) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, size, size);
    cairo_new_path(cr);
    const double ink = 1.2;
    const bool pen = pose == HandPose::Pen;
    const Rgb skin = titlecolour::Skin;

    if (pen) { // the quill, mostly above the hand
        PathSmooth(cr,
                   {{12, -20}, {16, -40}, {30, -62}, {52, -82}, {46, -58}, {36, -38}, {22, -22}});
        Painted(cr, {0.98, 0.97, 0.94}, palette::Stone, 0.25, ink * 0.8, rng, 0.5);
        InkLine(cr, {{0, 0}, {24, -36}, {50, -80}}, ink * 1.1, rng, palette::Sepia);
        InkLine(cr, {{0, 0}, {4, -6}}, ink * 1.6, rng, palette::Ink);
    }

    // The sleeve runs off towards the lower right; a short one is just the cuff.
    const Pt wrist{58, 4}, dir{std::cos(0.35), std::sin(0.35)}, across{-dir.y, dir.x};
    auto band = [&](double from, double to, double half) {
        PathPolygon(
            cr,
            {{wrist.x + dir.x * from + across.x * half, wrist.y + dir.y * from + across.y * half},
             {wrist.x + dir.x * to + across.x * half, wrist.y + dir.y * to + across.y * half},
             {wrist.x + dir.x * to - across.x * half, wrist.y + dir.y * to - across.y * half},
             {wrist.x + dir.x * from - across.x * half, wrist.y + dir.y * from - across.y * half}});
    };
    if (reach > 20) {
        band(4, reach, 16);
        Painted(cr, titlecolour::Sleeve, Darker(titlecolour::Sleeve, 0.25), 0.35, ink, rng);
    }

    // Fingers first, the back of the hand over their roots. The index finger and the thumb
    // meet at the origin (or hold the pen just above its nib).
    Limb(cr, {{36, 0}, {24, -2}, {19, 4}}, 9, skin, ink);
    Limb(cr, {{38, 8}, {28, 9}, {24, 14}}, 8.5, skin, ink);
    if (pen) {
        Limb(cr, {{38, 10}, {22, 9}, {12, 2}, {8, -4}}, 9.5, skin, ink);
        Limb(cr, {{38, -10}, {24, -17}, {14, -16}, {6, -10}}, 8.5, skin, ink);
    } else {
        Limb(cr, {{38, 10}, {20, 12}, {10, 8}, {4, 3}}, 9.5, skin, ink);
        Limb(cr, {{38, -10}, {22, -16}, {11, -12}, {4, -4}}, 8.5, skin, ink);
    }
    PathSmooth(cr, {{30, -14}, {44, -20}, {58, -12}, {62, 6}, {52, 18}, {36, 16}, {29, 2}});
    Painted(cr, skin, palette::Rose, 0.2, ink, rng, 0.6);
    InkCurve(cr, {34, -8}, {36, -3}, {36, 3}, {34, 8}, ink * 0.6, rng, palette::Sepia, 0.6);
    // The cuff over the wrist.
    band(-2, 8, 18);
    Painted(cr, Lighter(titlecolour::Sleeve, 0.4), titlecolour::Sleeve, 0.3, ink, rng, 0.5);
    cairo_restore(cr);
}

void DrawKeyCap(cairo_t* cr, double x, double y, double w, double h, const std::string& label,
                Rng& rng, double fontSize) {
    cairo_new_path(cr);
    PathRoundedRect(cr, x, y, w, h, 7);
    DropShadow(cr, 2, 3, 2, 0.35);
    SetColour(cr, palette::PaperShade);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.8, rng, palette::Ink, 0.9, 0.4);
    cairo_new_path(cr);
    PathRoundedRect(cr, x + 4, y + 3, w - 8, h - 9, 5);
    SetColour(cr, Lighter(palette::Paper, 0.3));
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.8, rng, palette::Sepia, 0.7, 0.3);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SansBold, fontSize, x + w / 2, y + (h - 6) / 2 + fontSize * 0.36, label,
             palette::Ink, Align::Centre);
}
