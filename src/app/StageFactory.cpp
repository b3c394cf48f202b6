#include "app/SceneManager.h"
#include "scenes/ending/CEnding.h"
#include "scenes/level/CStage_One.h"
#include "scenes/title/CStage_Title.h"

CStage* CreateStage(int32_t number) {
    switch (number) {
    case 0:
        return new CStage_Title;
    case 1:
        return new CStage_One;
    case 2:
        return new CEnding;
    default:
        return nullptr; // no scene: later frames are black
    }
}
