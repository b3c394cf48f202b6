// The rectangles the playing frame's rules test: the character's three, the collision objects' and
// the eight zones.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::PlaceHitRects() {}
