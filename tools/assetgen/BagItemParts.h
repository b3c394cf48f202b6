#pragma once

// Shared strokes for painting the bag items, and the item painters of BagItemsNatural.cpp and
// BagItemsMade.cpp. Each painter fills the box (0, 0, w, h) with frame `frame` of its strip.

#include "Ink.h"

#include <cairo.h>

namespace bagart {

inline constexpr double Pi = 3.14159265358979323846;

// Washes for small objects: the jitter of a big wash would swallow a 30-pixel apple.
inline constexpr WashStyle kSmallWash{
    .layers = 3, .jitter = 0.7, .edge = 0.6, .granulation = 0.15, .blooms = 0.3};

// The current path as a painted shape: a light base so the paper does not show through, the
// wash, then the ink line. Clears the path.
void Paint(cairo_t* cr, Rgb colour, Rng& rng, double ink = 1.0, double washAlpha = 0.75);
// A darker patch on the shadow side of the current path (light comes from the top left).
void ShadeSide(cairo_t* cr, Rgb colour, double cx, double cy, double r, double alpha = 0.45);
// A white gleam from a through c to b.
void Highlight(cairo_t* cr, Pt a, Pt c, Pt b, double width, Rng& rng, double alpha = 0.8);
void Leaf(cairo_t* cr, Pt base, double angle, double length, double width, Rng& rng,
          Rgb colour = palette::Leaf);
void Stem(cairo_t* cr, Pt a, Pt b, Rng& rng);
void Dot(cairo_t* cr, double x, double y, double r, Rgb colour, double alpha = 1.0);

void Boulder(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Apple(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Bird(cairo_t* cr, double w, double h, int frame, Rng& rng);
void Pear(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Plum(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Acorn(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Lemon(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Egg(cairo_t* cr, double w, double h, int frame, Rng& rng);

void Lantern(cairo_t* cr, double w, double h, int frame, Rng& rng);
void Balloon(cairo_t* cr, double w, double h, int frame, Rng& rng);
void Sun(cairo_t* cr, double w, double h, int frame, Rng& rng);
void Umbrella(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Plank(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);
void Wheel(cairo_t* cr, double w, double h, int frame, Rng& rng);
void Key(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng);

} // namespace bagart
