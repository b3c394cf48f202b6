#pragma once

// The torn outline of a piece that hugs the thing painted on it, so the piece reads as part of
// the picture rather than as a square of paper stuck onto the page.

#include "Ink.h"

#include <cstdint>
#include <vector>

// A coverage grid of `w` x `h` cells, `scale` cells to a picture pixel (row-major, 1 = painted).
struct CoverageGrid {
    int w = 0, h = 0;
    int scale = 1;
    std::vector<std::uint8_t> painted;
};

// The painted cells of an ARGB32 cairo surface (alpha at or above `threshold`).
CoverageGrid CoverageOf(cairo_surface_t* surface, int scale, int threshold);

// The outline round everything painted in `grid`, `margin` picture pixels out from it, smoothed
// and given a torn wobble of about `roughness`, in picture pixels; every point stays at least
// `inset` inside the picture's box (grid size / scale). Painted islands further apart than the
// margin are joined by growing the margin, then by the hull round them all. An empty grid gives
// the torn outline of the whole box.
std::vector<Pt> HuggingOutline(const CoverageGrid& grid, double margin, double inset, Rng& rng,
                               double roughness);
