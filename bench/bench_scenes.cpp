// The waits a player sees between scenes: from the click on Start to the first picture of the
// level, and from the last step of the closing sequence to the first picture of the ending, each
// against a bare decode of the files that scene loads. Run from the build folder.
#include "BenchBaselines.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include "services/ListFiles.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <png.h>
#include <string>
#include <vector>
#include <vorbis/vorbisfile.h>

namespace {

bool StartHeadlessGame() {
    static bool started = false;
    if (!started) started = Startup(DisplayMode::Headless);
    return started;
}

void DecodeClip(const char* path) {
    OggVorbis_File file;
    if (ov_fopen(path, &file) != 0) return;
    char buffer[16384];
    int section = 0;
    while (ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section) > 0) {
    }
    ov_clear(&file);
}

std::vector<std::string> EndingPictures() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator("Data/image/Ending"))
        paths.push_back(entry.path().string());
    paths.push_back("Data/image/Bag/Tear/stone.png");
    return paths;
}

// Times `change` (a scene switch and the first picture after it) against `bare`, alternately,
// resetting with `back` (untimed) between rounds.
template <class Change, class Bare, class Back>
void SwitchVersusBare(benchmark::State& state, Change change, Bare bare, Back back) {
    if (!StartHeadlessGame()) return state.SkipWithError("the game did not start");
    double switchSeconds = 0, bareSeconds = 0;
    back(); // the scene the switch leaves
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        change();
        const double s = Seconds(start);
        switchSeconds += s;
        start = std::chrono::steady_clock::now();
        bare();
        bareSeconds += Seconds(start);
        state.SetIterationTime(s);
        back();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["switch_ms"] = 1000 * switchSeconds / n;
    state.counters["bare_decode_ms"] = 1000 * bareSeconds / n;
    state.counters["ratio"] = bareSeconds > 0 ? switchSeconds / bareSeconds : 0;
}

void FirstPicture() {
    Graphics::Instance().Clear();
    RenderFrame();
}

void BM_StartToFirstLevelPicture(benchmark::State& state) {
    const std::vector<std::string> pictures = LevelPictures();
    std::vector<uint8_t> pixels;
    SwitchVersusBare(
        state,
        [] {
            CCommon::Instance().ResetPlay();
            InventoryBag::Instance().ResetBag();
            SceneManager::Instance().ChangeStage(1);
            FirstPicture();
        },
        [&] { DecodeAll(pictures, pixels); }, [] { SceneManager::Instance().ChangeStage(0); });
}
BENCHMARK(BM_StartToFirstLevelPicture)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ClosingToFirstEndingPicture(benchmark::State& state) {
    const std::vector<std::string> pictures = EndingPictures();
    std::vector<uint8_t> pixels;
    SwitchVersusBare(
        state,
        [] {
            SceneManager::Instance().ChangeStage(2);
            FirstPicture();
        },
        [&] {
            DecodeAll(pictures, pixels);
            DecodeClip("Data/Sound/close.ogg");
        },
        [] { SceneManager::Instance().ChangeStage(1); });
}
BENCHMARK(BM_ClosingToFirstEndingPicture)->UseManualTime()->Unit(benchmark::kMillisecond);

// The game's own memory in each scene: the pixels of its loaded pictures and the samples of its
// loaded clips (the book, the bag and the scene's own). The process's resident size adds the
// libraries' and the renderer's share on top; `tools/measure.sh` reads that from a real window.
void BM_OwnMemoryAtTheMenuAndInTheLevel(benchmark::State& state) {
    if (!StartHeadlessGame()) return state.SkipWithError("the game did not start");
    constexpr double kMiB = 1024.0 * 1024.0;
    for (auto _ : state) {
        SceneManager::Instance().ChangeStage(0);
        state.counters["menu_pictures_MiB"] = LoadedPictureBytes() / kMiB;
        state.counters["menu_clips_MiB"] = LoadedClipBytes() / kMiB;
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        SceneManager::Instance().ChangeStage(1);
        state.counters["level_pictures_MiB"] = LoadedPictureBytes() / kMiB;
        state.counters["level_clips_MiB"] = LoadedClipBytes() / kMiB;
    }
}
BENCHMARK(BM_OwnMemoryAtTheMenuAndInTheLevel)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
