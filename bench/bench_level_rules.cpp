// The level's playing frame without the picture: hit rectangles, then the puzzle rules.
// Run from the build folder (the bag reads its items from Data).
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <benchmark/benchmark.h>

namespace {

// A busy page: every collision object in play, every item put down on an earlier page, the
// walker on the lane, and nothing touching anything, so every group's rules are tested on every
// frame and the world stays as it is.
void BusyPage(CStage_One& stage) {
    CCommon::Instance().page = 50;
    InventoryBag& bag = InventoryBag::Instance();
    LevelState& L = stage.level;
    L.charState = CharWalk;
    L.chars[CharWalk] =
        CharObj{.x = 75, .y = 450, .w = 50, .h = 60, .frames = 4, .dw = 100, .dh = 120};
    L.head = HeadObj{.x = 109, .y = 395, .w = 20, .h = 25, .dw = 40, .dh = 50};
    for (int k = 0; k < LevelState::kColls; ++k) {
        CollObj& c = L.colls[k];
        c.state = 1;
        c.x = 2000 + 600 * k;
        c.y = 100;
        c.w = 40;
        c.dw = 80;
        c.dh = 80;
        c.frames = 6;
    }
    L.backs[20].state = 1;
    L.backs[20].x = 5000;
    for (int k = 0; k < InventoryBag::kItems; ++k) {
        TearObj& item = bag.items[k];
        item.state = ItemPlaced;
        item.x = -3000 - 300 * k;
        item.y = 100;
        item.hit = RECT{item.x, item.y, item.x + 50, item.y + 50};
        bag.tearingObj[k].placePage = 49;
    }
    for (RECT& r : bag.hotspot)
        r = RECT{-100, -100, -90, -90};
}

void BM_PlayingFrameRules(benchmark::State& state) {
    static CStage_One stage;
    BusyPage(stage);
    const LevelState before = stage.level;
    for (auto _ : state) {
        stage.PlaceHitRects();
        stage.Interact();
        benchmark::DoNotOptimize(stage.level.hitA);
    }
    if (!(before.charState == stage.level.charState)) state.SkipWithError("a rule fired");
}
BENCHMARK(BM_PlayingFrameRules);

} // namespace
