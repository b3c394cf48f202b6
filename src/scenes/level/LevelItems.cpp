// The bag's items on the pages: loose ones scroll with the world, put-down ones fall and drift.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::ItemsForward() {}

void CStage_One::ItemsBackward() {}
