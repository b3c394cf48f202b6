// Update: the playing frame, the pause menu, the closing sequence, the lost check and the notices.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::Update() {}

void CStage_One::UpdatePauseMenu() {}

void CStage_One::UpdateClosingSequence() {}

void CStage_One::LostCheck() {}

void CStage_One::UpdateOnScreenStates() {}

void CStage_One::UpdateBeat() {}

void CStage_One::UpdateItemUses() {}

void CStage_One::UpdateNotices() {}
