// Sprite throughput of the offscreen renderer and the cost of loading a clip.
// Run from the build folder (clip 2 is read from Data/Sound).
#include "OggWriter.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <png.h>
#include <string>
#include <vector>
#include <vorbis/vorbisfile.h>

namespace {

bool OpenHeadless() {
    static bool opened = false;
    if (opened) return true;
    const char* error = "";
    mainWindow = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
    opened = mainWindow && Graphics::Instance().InitDevice() == 0;
    return opened;
}

// A 64 x 64 picture with soft alpha, like the level's half-size art.
Texture* SpriteTexture() {
    static Texture* texture = nullptr;
    if (texture) return texture;
    const int size = 64;
    std::vector<uint8_t> rgba(size * size * 4);
    for (int i = 0; i < size * size; ++i) {
        rgba[i * 4 + 0] = uint8_t(i * 3);
        rgba[i * 4 + 1] = uint8_t(i >> 4);
        rgba[i * 4 + 2] = 200;
        rgba[i * 4 + 3] = uint8_t((i % size) * 4);
    }
    std::string path = (std::filesystem::temp_directory_path() / "pebblefrost_bench.png").string();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = size;
    image.height = size;
    image.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr))
        LoadTexture(path.c_str(), texture);
    std::remove(path.c_str());
    return texture;
}

void DrawSprites(benchmark::State& state, float rotation) {
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    Texture* texture = SpriteTexture();
    if (!texture) return state.SkipWithError("cannot make the sprite picture");
    Graphics& graphics = Graphics::Instance();
    const RECT rect{0, 0, 64, 64};
    const int perFrame = 200;
    for (auto _ : state) {
        graphics.Clear();
        for (int i = 0; i < perFrame; ++i)
            DrawSprite(255, &rect, graphics, texture, (i * 37) % 700, (i * 53) % 500, 2.0f, 2.0f,
                       rotation);
        graphics.Present(); // the software renderer draws the queued sprites here
    }
    state.SetItemsProcessed(state.iterations() * perFrame);
}

void BM_SpritesScale2(benchmark::State& state) {
    DrawSprites(state, 0.0f);
}
void BM_SpritesScale2Rotated(benchmark::State& state) {
    DrawSprites(state, 0.3f);
}
BENCHMARK(BM_SpritesScale2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpritesScale2Rotated)->Unit(benchmark::kMicrosecond);

// The clips to decode: 0 twenty seconds of stereo at 44.1 kHz (music-like bitrate; no conversion
// needed), 1 twenty seconds of mono at 22.05 kHz (spread to stereo and resampled at load), 2 the
// longest clip under Data/Sound (or the one PEBBLEFROST_BENCH_OGG names).
std::string BenchClip(int which) {
    static std::string clips[3];
    std::string& clip = clips[which];
    if (!clip.empty()) return clip;
    std::filesystem::path temp = std::filesystem::temp_directory_path();
    std::string error;
    if (which == 0) {
        std::string path = (temp / "pebblefrost_bench_stereo.ogg").string();
        if (WriteSineOgg(path, 2, 44100, 20 * 44100, 440.0f, error, 0.3f)) clip = path;
    } else if (which == 1) {
        std::string path = (temp / "pebblefrost_bench_mono.ogg").string();
        if (WriteSineOgg(path, 1, 22050, 20 * 22050, 440.0f, error, 0.3f)) clip = path;
    } else if (const char* named = std::getenv("PEBBLEFROST_BENCH_OGG")) {
        clip = named;
    } else {
        std::uintmax_t bestSize = 0;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator("Data/Sound", ec)) {
            if (entry.path().extension() != ".ogg" || entry.file_size(ec) <= bestSize) continue;
            bestSize = entry.file_size(ec);
            clip = entry.path().string();
        }
    }
    return clip;
}

// What the game's loader has to beat: open, read every sample, close.
long BareDecode(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return -1;
    OggVorbis_File vf;
    if (ov_open(file, &vf, nullptr, 0) < 0) {
        std::fclose(file);
        return -1;
    }
    static char buffer[1 << 16];
    long total = 0;
    int section = 0;
    for (;;) {
        long got = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0) break;
        if (got > 0) total += got;
        if (got < 0 && got != OV_HOLE) break;
    }
    ov_clear(&vf);
    return total;
}

bool GameDecode(const std::string& path) {
    CSound clip;
    return clip.OnCreate(mainWindow) == 1 && clip.OpenOgg(path.c_str()) == 1;
}

void BM_BareOvRead(benchmark::State& state) {
    std::string path = BenchClip(int(state.range(0)));
    if (path.empty()) return state.SkipWithError("no clip to decode");
    for (auto _ : state)
        benchmark::DoNotOptimize(BareDecode(path));
    state.SetLabel(path);
}

void BM_OpenOgg(benchmark::State& state) {
    std::string path = BenchClip(int(state.range(0)));
    if (path.empty()) return state.SkipWithError("no clip to decode");
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    for (auto _ : state)
        benchmark::DoNotOptimize(GameDecode(path));
    state.SetLabel(path);
}

// Both loaders over the same file, alternating; the counter "ratio" is OpenOgg / bare ov_read.
void BM_OpenOggVersusBareOvRead(benchmark::State& state) {
    std::string path = BenchClip(int(state.range(0)));
    if (path.empty()) return state.SkipWithError("no clip to decode");
    if (!OpenHeadless()) return state.SkipWithError("cannot open the headless platform");
    using Clock = std::chrono::steady_clock;
    Clock::duration game{}, bare{};
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(GameDecode(path));
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(BareDecode(path));
        auto t2 = Clock::now();
        game += t1 - t0;
        bare += t2 - t1;
    }
    double n = double(state.iterations());
    state.counters["openogg_ms"] = std::chrono::duration<double, std::milli>(game).count() / n;
    state.counters["ov_read_ms"] = std::chrono::duration<double, std::milli>(bare).count() / n;
    state.counters["ratio"] = double(game.count()) / double(bare.count());
    state.SetLabel(path);
}

BENCHMARK(BM_BareOvRead)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOgg)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOggVersusBareOvRead)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
