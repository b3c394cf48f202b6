// Init and Release: reading the level's lists and property files, deriving sizes, frame
// rectangles and placements, loading the pictures.
#include "scenes/level/CStage_One.h"

int16_t lossResult = 0;

void CStage_One::Init() {}

void CStage_One::Release() {}
