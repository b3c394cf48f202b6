#pragma once
// A level made from the shipped data on the headless platform, and the player's actions on it
// done the way the bag does them (tearing out, putting down), without the mouse.
#include "LevelRoundTrip.h"
#include "TestSupport.h"
#include "platform/Sound.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <gtest/gtest.h>

class ShippedLevelTest : public HeadlessTest {
  protected:
    void SetUp() override {
        DropStage(); // a test that sets up again starts from a fresh level
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        headless::SetClock(10000);
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        stage = new CStage_One;
        stage->window = window;
        stage->Init();
        Common().autoFlip = 0; // the pages wait for the test
        PlayFrame();
    }
    void TearDown() override {
        DropStage();
        HeadlessTest::TearDown();
    }
    void DropStage() {
        if (!stage) return;
        stage->Release();
        delete stage;
        stage = nullptr;
    }

    static CCommon& Common() { return CCommon::Instance(); }
    static InventoryBag& Bag() { return InventoryBag::Instance(); }
    LevelState& Level() { return stage->level; }

    // The frame the game runs between turns: no keys, no clicks, pages waiting.
    void PlayFrame() {
        headless::AdvanceClock(16);
        stage->Update();
    }
    bool Locked() const { return Common().forwardLock != 0; }

    // One turn as the page keys make it, then a frame.
    void Turn(int32_t direction) {
        stage->TurnPage(direction);
        PlayFrame();
    }

    // The player's two actions on items, done as the bag does them (see LevelRoundTrip.h).
    static bool TearOut(int item) { return TearOutToBag(item); }
    static bool PutDown(int item, int x, int y) { return PutDownFromBag(item, x, y); }

    CStage_One* stage = nullptr;
};
