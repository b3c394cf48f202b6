#include "app/SceneManager.h"
#include "scenes/StandInScene.h"
#include "scenes/title/CStage_Title.h"

CStage* CreateStage(int32_t number) {
    switch (number) {
    case 0:
        return new CStage_Title;
    case 1: // the level and the ending are not built yet
    case 2:
        return new StandInScene(number);
    default:
        return nullptr; // no scene: later frames are black
    }
}
