#pragma once

// Laying out the level's pictures: one painter per file name, called once per frame with the
// frame's box (0, 0, w, h) clipped, the frames placed as the game cuts them.

#include "Ink.h"
#include "Registry.h"

#include <cairo.h>

#include <string>
#include <string_view>

namespace levelart {

// Paints frame `frame` of `frames` into the box (0, 0, w, h).
using FramePainter = void (*)(cairo_t* cr, double w, double h, int frame, int frames, Rng& rng);

enum class Layout {
    Strip,     // one row of frames
    ThreeWide, // frames 0-2 on the top row, 3-5 on a second row
    Whole,     // one picture of w x h whatever the frame count (drawn whole and turned)
};

struct PicturePlan {
    std::string_view name; // the file name without folder or extension
    FramePainter paint;
    Layout layout = Layout::Strip;
    // Shrunk a little about its foot so that nothing reaches past the frame's top or sides.
    bool keepInside = false;
    // Frames painted after those the data counts (the game knows of them by itself), five to a
    // row below two rows of the counted ones: the windmill's sails at each step of the ride.
    int moreFrames = 0;
};

// Draws `path` (relative to the output Data folder) with frames of w x h.
void PaintPicture(GenContext& ctx, const std::string& path, const PicturePlan& plan, int w, int h,
                  int frames);

// The file name of a path without folder and extension ("image/One/Char/walk.png" -> "walk").
std::string StemOf(const std::string& path);

} // namespace levelart
