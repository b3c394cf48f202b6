#pragma once

// Frames that keep what they paint inside the frame: each frame is painted into a recording,
// then all frames of a picture are shrunk by one common factor about their bottom centre (where
// things stand) so that the ink keeps a margin from the frame's top, left and right edges. One
// factor for the whole strip keeps an animation from pumping.

#include <cairo.h>

#include <functional>

// Paints frames 0..count-1 with paint(cr, f) into boxes of w x h, frame f's box at
// place(f) = its top-left in the picture. The factor is at most maxScale and at least minScale; a
// painting that
// needs more stays cut (and the data check reports it).
void PaintFramesFitted(cairo_t* cr, double w, double h, int count, double margin, double minScale,
                       const std::function<void(int, double&, double&)>& place,
                       const std::function<void(cairo_t*, int)>& paint, double maxScale = 1.0);
