// The undo checks of a backward turn: events stamped on a page are undone when turning back over
// it.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::FirstUndoChecks() {}

void CStage_One::B4EndCheck() {}

void CStage_One::SecondUndoChecks() {}
