// The puzzle rules of the playing frame.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::Interact() {}
