// The character's state machine: one step per page turn, forward and backward.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::CharacterForward() {}
void CStage_One::CharacterBackward() {}
void CStage_One::ApplyCarriedKeyframe(int32_t) {}
void CStage_One::ApplyState3Keyframe() {}
void CStage_One::ApplyState4Keyframe() {}
void CStage_One::ApplyState9Keyframe() {}
void CStage_One::WalkForward() {}
void CStage_One::WalkBackward() {}
void CStage_One::WalkBackRules() {}
void CStage_One::DriftBackRules() {}
