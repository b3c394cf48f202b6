#pragma once

// Figures shared by the title pictures and the opening film: the pebble hero, the storyteller's
// hand and the little key caps of the help pages.

#include "Ink.h"

#include <cairo.h>

#include <string>

namespace titlecolour {
inline constexpr Rgb Skin{0.93, 0.76, 0.62};
inline constexpr Rgb Sleeve{0.36, 0.45, 0.62};
inline constexpr Rgb Scarf{0.78, 0.27, 0.22};
inline constexpr Rgb Frost{0.74, 0.86, 0.94};
inline constexpr Rgb Pebble{0.62, 0.66, 0.70};
inline constexpr Rgb Sun{0.96, 0.72, 0.26};
} // namespace titlecolour

// Fills the current path with `base`, washes it with `wash` and inks its rim; clears the path.
void Painted(cairo_t* cr, Rgb base, Rgb wash, double washAlpha, double ink, Rng& rng,
             double jitter = 1.0);

// The hero: a round grey pebble in a red scarf and a knitted hat, looking to the right.
// (cx, cy) is the middle of the body; at size 1 the figure is about 100 x 130 pixels, feet at
// cy + 45. `ink` is the outline width at that size.
void DrawPebbleHero(cairo_t* cr, double cx, double cy, double size, Rng& rng, double ink = 2.0);

enum class HandPose {
    Pen,   // holding a quill; the nib is at the given point
    Pinch, // thumb and finger pinched together at the given point
};

// A right hand reaching in from the lower right, its sleeve running off `reach` pixels further
// (the picture's edge clips it). `size` 1 is a hand about 60 pixels long with ~1.2 px ink.
void DrawHand(cairo_t* cr, Pt at, double size, HandPose pose, Rng& rng, double angle = 0.0,
              double reach = 160.0);

// A key cap with its label, top-left at (x, y).
void DrawKeyCap(cairo_t* cr, double x, double y, double w, double h, const std::string& label,
                Rng& rng, double fontSize = 20.0);
