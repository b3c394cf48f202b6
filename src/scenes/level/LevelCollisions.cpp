// Collision objects on page turns: drifts, sequences and keyframed paths.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::CollisionReleaseChecks() {}

void CStage_One::CollisionsForward() {}

void CStage_One::CollisionsBackward() {}

void CStage_One::C5WakeCheck() {}

void CStage_One::ApplyC7Keyframe(int32_t) {}

void CStage_One::ApplyC10Keyframe(int32_t) {}
