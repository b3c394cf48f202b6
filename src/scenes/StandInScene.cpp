#include "scenes/StandInScene.h"
#include "app/SceneManager.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"

namespace {

bool KeyPressedInWindow(int code, WindowHandle window) {
    return InputKeyboard::Instance().CheckKey(code) == KeyPressed && GetActiveWindow() == window;
}

} // namespace

void StandInScene::Init() {
    CCommon::Instance().autoFlip = 0;
}

void StandInScene::Update() {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
    common.UpdateBook();
    bag.UpdateRects();

    if (KeyPressedInWindow(DIK_ESCAPE, window)) {
        common.introDone = 1;
        common.titlePhase = 0;
        SceneManager::Instance().ChangeStage(0);
        return; // this scene is gone
    }
    if (KeyPressedInWindow(DIK_W, window) || KeyPressedInWindow(DIK_I, window)) bag.open ^= 1;
    if (common.flipAnim == 0 && common.tearing == 0) {
        if (KeyPressedInWindow(DIK_RIGHT, window) || KeyPressedInWindow(DIK_D, window)) {
            common.pageSound.PlayOgg(0);
            ++common.page;
            common.flipAnim = 1;
        } else if (common.page > 0 &&
                   (KeyPressedInWindow(DIK_LEFT, window) || KeyPressedInWindow(DIK_A, window))) {
            common.pageSound.PlayOgg(0);
            --common.page;
            common.flipAnim = 2;
        }
    }
    bag.HandleInput();
    common.HandleHelpClick();
}

void StandInScene::Render() {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
    common.DrawBookBack();
    bag.DrawHoles();
    bag.DrawLevelItems();
    bag.DrawPlacedItemsLow();
    bag.DrawPlacedItemsHigh();
    common.DrawTurnFrame();
    bag.DrawBagWindow();
    bag.DrawCarriedItem();
    common.DrawBookFrame();
    common.DrawPageFront();
    common.DrawPageFrontOver();
    common.DrawHelpPanel();
    common.DrawCursor();
}
