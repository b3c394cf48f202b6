// Background objects on page turns, the copies of B11 and the forward follow-up checks.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::BackgroundsForward() {}

void CStage_One::BackgroundsBackward() {}

void CStage_One::FollowUpChecks() {}
