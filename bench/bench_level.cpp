// The level on the shipped data: Init against a bare decode of the same pictures, one page turn
// each way at a busy page, and one whole offscreen frame. Run from the build folder.
#include "BenchBaselines.h"
#include "ScriptPlayer.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

namespace {

bool OpenHeadless() {
    static bool opened = false;
    if (opened) return true;
    const char* error = "";
    mainWindow = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
    opened = mainWindow && Graphics::Instance().InitDevice() == 0;
    return opened;
}

// Init of the level (lists, property files, frames, placements, every picture made into a
// texture) against a bare decode of the same pictures, measured alternately in each round so
// that both see the same machine load; the ratio is the figure to watch.
void BM_LevelInitVersusBareDecode(benchmark::State& state) {
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    InventoryBag::Instance().ResetBag();
    const std::vector<std::string> paths = LevelPictures();
    std::vector<uint8_t> pixels;
    double initSeconds = 0, bareSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        {
            CStage_One stage;
            stage.window = mainWindow;
            stage.Init();
            stage.Release();
        }
        initSeconds += Seconds(start);
        start = std::chrono::steady_clock::now();
        DecodeAll(paths, pixels);
        bareSeconds += Seconds(start);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["init_ms"] = 1000 * initSeconds / n;
    state.counters["bare_decode_ms"] = 1000 * bareSeconds / n;
    state.counters["ratio"] = bareSeconds > 0 ? initSeconds / bareSeconds : 0;
}
BENCHMARK(BM_LevelInitVersusBareDecode)->Unit(benchmark::kMillisecond);

// The level as the walkthrough plays it, one saved world per page, and the page whose forward
// turn takes longest.
struct WalkthroughPages {
    std::vector<LevelSnapshot> byPage;
    int busiest = -1;
};

const WalkthroughPages& Walkthrough() {
    static WalkthroughPages pages = [] {
        WalkthroughPages w;
        // The turns below and the benchmarks use the level the script leaves behind, so the
        // player (which ends its game when it goes) stays for the whole run.
        ScriptPlayer& player = *new ScriptPlayer;
        if (!player.Load(PEBBLEFROST_SOURCE_DIR "/tests/scripts/walkthrough_level.txt")) return w;
        player.wantPicture = [](int) { return false; };
        player.onFrame = [&](int) {
            SceneManager& scenes = SceneManager::Instance();
            auto* level =
                scenes.sceneNumber == 1 ? dynamic_cast<CStage_One*>(scenes.current) : nullptr;
            const int page = CCommon::Instance().page;
            if (!level || level->level.flags.endingStarted || page != int(w.byPage.size())) return;
            w.byPage.push_back(TakeSnapshot(*level));
        };
        if (!player.Run()) return w;
        // Time one forward turn from every page (best of a few) and keep the slowest page.
        CStage_One& stage = *dynamic_cast<CStage_One*>(SceneManager::Instance().current);
        double slowest = -1;
        for (size_t p = 0; p < w.byPage.size(); ++p) {
            double best = 1e9;
            for (int rep = 0; rep < 20; ++rep) {
                RestoreSnapshot(w.byPage[p], stage);
                const auto start = std::chrono::steady_clock::now();
                stage.TurnPage(Forward);
                best = std::min(best, Seconds(start));
            }
            if (best > slowest) {
                slowest = best;
                w.busiest = static_cast<int>(p);
            }
        }
        return w;
    }();
    return pages;
}

CStage_One* CurrentLevel() {
    SceneManager& scenes = SceneManager::Instance();
    return scenes.sceneNumber == 1 ? dynamic_cast<CStage_One*>(scenes.current) : nullptr;
}

void TurnAtBusiestPage(benchmark::State& state, int32_t direction) {
    const WalkthroughPages& w = Walkthrough();
    CStage_One* stage = CurrentLevel();
    if (w.busiest < 0 || !stage) return state.SkipWithError("the walkthrough did not play");
    const LevelSnapshot& start = w.byPage[static_cast<size_t>(w.busiest)];
    for (auto _ : state) {
        RestoreSnapshot(start, *stage);
        const auto begin = std::chrono::steady_clock::now();
        stage->TurnPage(direction);
        state.SetIterationTime(Seconds(begin));
    }
    state.counters["page"] = w.busiest;
}
void BM_TurnPageForwardAtTheWalkthroughsBusiestPage(benchmark::State& state) {
    TurnAtBusiestPage(state, Forward);
}
void BM_TurnPageBackwardAtTheWalkthroughsBusiestPage(benchmark::State& state) {
    TurnAtBusiestPage(state, Backward);
}
BENCHMARK(BM_TurnPageForwardAtTheWalkthroughsBusiestPage)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TurnPageBackwardAtTheWalkthroughsBusiestPage)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The playing frame's mechanics at that page: hit rectangles, then the puzzle rules.
void BM_PlayingFrameRulesAtTheWalkthroughsBusiestPage(benchmark::State& state) {
    const WalkthroughPages& w = Walkthrough();
    CStage_One* stage = CurrentLevel();
    if (w.busiest < 0 || !stage) return state.SkipWithError("the walkthrough did not play");
    RestoreSnapshot(w.byPage[static_cast<size_t>(w.busiest)], *stage);
    for (auto _ : state) {
        stage->PlaceHitRects();
        stage->Interact();
    }
    state.counters["page"] = w.busiest;
}
BENCHMARK(BM_PlayingFrameRulesAtTheWalkthroughsBusiestPage)->Unit(benchmark::kMicrosecond);

// One whole frame as the loop runs it at that page: Update, then Render into the offscreen
// back buffer.
void BM_LevelFrameOffscreen(benchmark::State& state) {
    const WalkthroughPages& w = Walkthrough();
    CStage_One* stage = CurrentLevel();
    if (w.busiest < 0 || !stage) return state.SkipWithError("the walkthrough did not play");
    Graphics& graphics = Graphics::Instance();
    for (auto _ : state) {
        RestoreSnapshot(w.byPage[static_cast<size_t>(w.busiest)], *stage);
        graphics.Clear(); // an unchanged picture would not be drawn again
        graphics.BeginScene();
        stage->Update();
        stage->Render();
        graphics.EndScene();
    }
}
BENCHMARK(BM_LevelFrameOffscreen)->Unit(benchmark::kMicrosecond);

} // namespace
