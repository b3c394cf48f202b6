// The page keys, the automatic page turn, the pause key, and the frame of one page turn.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::HandlePageKeys() {}

void CStage_One::TurnPage(int32_t) {}
