#pragma once

// The painters of the level's character strips, heads and collision objects, by file name.

#include "LevelArtStrip.h"

#include <vector>

namespace levelart {

const std::vector<PicturePlan>& CharPictures();
const std::vector<PicturePlan>& CollPictures();

} // namespace levelart
