#pragma once

// The painters of the level's character strips, heads and collision objects, by file name.

#include "LevelArtStrip.h"

#include <vector>

namespace levelart {

const std::vector<PicturePlan>& CharPictures();
const std::vector<PicturePlan>& CollPictures();

// The frost troll walking in with its umbrella (a background strip, B16): the same troll as the
// one standing guard, at the same size and place in its frame.
void TrollWalking(cairo_t* cr, double w, double h, int frame, Rng& rng);

} // namespace levelart
