#include "app/SceneManager.h"
#include "scenes/StandInScene.h"

CStage* CreateStage(int32_t number) {
    switch (number) {
    case 0:
    case 1:
    case 2:
        return new StandInScene(number);
    default:
        return nullptr; // no scene: later frames are black
    }
}
