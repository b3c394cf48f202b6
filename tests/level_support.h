#pragma once
// A level made from the shipped data on the headless platform, and the player's actions on it
// done the way the bag does them (tearing out, putting down), without the mouse.
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
        if (stage) {
            stage->Release();
            delete stage;
        }
        HeadlessTest::TearDown();
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

    // Tearing an item out of the picture into the bag, as the end of the tearing animation
    // leaves it.
    bool TearOut(int item) {
        InventoryBag& bag = Bag();
        TearObj& it = bag.items[item];
        if (it.state != ItemVisible || bag.count >= InventoryBag::kItems) return false;
        TearingObj& tearing = bag.tearingObj[item];
        tearing.x = it.x - tearing.offX;
        tearing.y = it.y - tearing.offY;
        it.x = -it.dw;
        it.y = -it.dh;
        if (item == 13) bag.item13Torn = 1;
        bag.holes[item] = HoleMark{tearing.x, tearing.y, Common().page};
        it.state = ItemInBag;
        for (BagSlot& slot : bag.slots) {
            if (slot.occupied) continue;
            slot.item = item;
            slot.occupied = 1;
            ++bag.count;
            break;
        }
        return true;
    }

    // Putting an item from the bag down with its centre at (x, y).
    bool PutDown(int item, int x, int y) {
        InventoryBag& bag = Bag();
        TearObj& it = bag.items[item];
        if (it.state != ItemInBag) return false;
        for (BagSlot& slot : bag.slots) {
            if (!slot.occupied || slot.item != item) continue;
            slot.occupied = 0;
            slot.item = -1;
            TearingObj& tearing = bag.tearingObj[item];
            tearing.placePage = Common().page;
            it.x = x - it.dw / 2;
            it.y = y - it.dh / 2;
            tearing.x = it.x - tearing.offX;
            tearing.y = it.y - tearing.offY;
            it.state = ItemPlaced;
            --bag.count;
            return true;
        }
        return false;
    }

    CStage_One* stage = nullptr;
};
