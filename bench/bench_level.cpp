// The level on the shipped data: Init against a bare decode of the same pictures, one page turn
// each way at a busy page, and one whole offscreen frame. Run from the build folder.
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
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

// Every picture file the level loads, in its loading order.
std::vector<std::string> LevelPictures() {
    std::vector<std::string> paths;
    const std::pair<const char*, int> lists[] = {{"Data/Address/One/Char_Normal.txt", 17},
                                                 {"Data/Address/One/Char_Head.txt", 6},
                                                 {"Data/Address/One/Back_OBJ.txt", 95},
                                                 {"Data/Address/One/Collision_OBJ.txt", 25}};
    for (const auto& [list, n] : lists) {
        std::vector<PathSlot> slots(n);
        ReadPathList(list, n, slots.data());
        for (const PathSlot& slot : slots)
            paths.emplace_back(slot.path);
    }
    for (const char* name :
         {"One/esc", "One/esc_quit", "One/esc_main", "One/esc_resume", "Support/gameover1",
          "Support/gameover2", "Support/gameover3", "Support/warning"})
        paths.push_back(std::string("Data/image/") + name + ".png");
    for (int i = 1; i <= 8; ++i)
        paths.push_back("Data/image/One/Back_OBJ/smoke" + std::to_string(i) + ".png");
    return paths;
}

// The baseline: the same files decoded to RGBA in memory, nothing else.
void DecodeAll(const std::vector<std::string>& paths, std::vector<uint8_t>& pixels) {
    for (const std::string& path : paths) {
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, path.c_str())) continue;
        image.format = PNG_FORMAT_BGRA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
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

// A busy page of the shipped level: its first stretch with every item that lies there torn out
// and put back down on the page, so falls, drifts and the rules all have work.
struct BusyLevel {
    CStage_One stage;
    LevelSnapshot snapshot;
    BusyLevel() {
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        stage.window = mainWindow;
        stage.Init();
        CCommon::Instance().autoFlip = 0;
        stage.Update();
        for (int turn = 0; turn < 20; ++turn)
            stage.TurnPage(Forward);
        InventoryBag& bag = InventoryBag::Instance();
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            TearObj& item = bag.items[i];
            if (item.state != ItemLoose && item.state != ItemVisible) continue;
            item.state = ItemPlaced;
            item.x = 150 + 40 * i;
            item.y = 120;
            bag.tearingObj[i].placePage = CCommon::Instance().page;
        }
        stage.Update();
        snapshot = TakeSnapshot(stage);
    }
    ~BusyLevel() { stage.Release(); }
};

void TurnAtBusyPage(benchmark::State& state, int32_t direction) {
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    BusyLevel busy;
    for (auto _ : state) {
        RestoreSnapshot(busy.snapshot, busy.stage);
        const auto start = std::chrono::steady_clock::now();
        busy.stage.TurnPage(direction);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
void BM_TurnPageForwardAtABusyPage(benchmark::State& state) {
    TurnAtBusyPage(state, Forward);
}
void BM_TurnPageBackwardAtABusyPage(benchmark::State& state) {
    TurnAtBusyPage(state, Backward);
}
BENCHMARK(BM_TurnPageForwardAtABusyPage)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TurnPageBackwardAtABusyPage)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One whole frame as the loop runs it: Update, then Render into the offscreen back buffer.
void BM_LevelFrameOffscreen(benchmark::State& state) {
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    BusyLevel busy;
    Graphics& graphics = Graphics::Instance();
    for (auto _ : state) {
        RestoreSnapshot(busy.snapshot, busy.stage);
        graphics.Clear();
        graphics.BeginScene();
        busy.stage.Update();
        busy.stage.Render();
        graphics.EndScene();
    }
}
BENCHMARK(BM_LevelFrameOffscreen)->Unit(benchmark::kMicrosecond);

} // namespace
