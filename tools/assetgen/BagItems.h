#pragma once

// The 15 bag items painted as objects (no paper behind them), for the bag pictures.

#include "Ink.h"

#include <cairo.h>

inline constexpr int kBagItemCount = 15;
// Frames in each item's Tear strip: the bird flaps, the lantern flickers, the balloon deflates,
// the sun beams, the wheel turns and the egg hatches.
inline constexpr int kBagItemFrames[kBagItemCount] = {1, 1, 4, 1, 1, 3, 1, 2, 1, 2, 1, 1, 3, 2, 1};

// Paints frame `frame` of item `item` inside the box (0, 0, w, h); ink lines are about 1 unit,
// so the caller scales the context for larger pictures.
void PaintBagItem(cairo_t* cr, int item, int frame, double w, double h, Rng& rng);
