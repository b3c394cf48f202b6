#include "FuzzInputs.h"
#include "../tests/Checksums.h"
#include "../tests/LevelRoundTrip.h"
#include "ScriptPlayer.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/OggDecode.h"
#include "platform/PngDecode.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include "services/ListFiles.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Data errors end the process in the game; here they end the one input.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void ThrowDataError(const char* message) {
    throw DataError(message);
}

void WriteScratch(const char* path, const void* data, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

} // namespace

const char* FuzzScratchPath(const char* suffix) {
    static std::string paths[4];
    static int used = 0;
    const std::string wanted = "/tmp/pf_fuzz_" + std::to_string(getpid()) + suffix;
    for (int i = 0; i < used; ++i)
        if (paths[i] == wanted) return paths[i].c_str();
    if (used == 4) std::abort();
    paths[used] = wanted;
    return paths[used++].c_str();
}

void FuzzPathList(const uint8_t* data, size_t size) {
    if (size < 1) return;
    const int n = 1 + data[0] % 64;
    const char* path = FuzzScratchPath(".list");
    WriteScratch(path, data + 1, size - 1);
    SetListFileErrorHandler(&ThrowDataError);
    PathSlot slots[64];
    try {
        ReadPathList(path, n, slots);
    } catch (const DataError&) {
    }
    for (int i = 0; i < n; ++i) // what was kept is a safe, terminated path
        if (slots[i].path[kDataLimits.pathLength] != '\0' ||
            (slots[i].path[0] && *UnsafePathReason(slots[i].path)))
            std::abort();
    SetListFileErrorHandler(nullptr);
}

void FuzzPropertyFile(const uint8_t* data, size_t size) {
    if (size < 1) return;
    struct Kind {
        const PropertyField* fields;
        int k;
    };
    namespace f = property_fields;
    static constexpr Kind kKinds[] = {{f::kChar, 5}, {f::kHead, 4}, {f::kBack, 6},
                                      {f::kColl, 6}, {f::kTear, 5}, {f::kTearing, 5}};
    const Kind& kind = kKinds[data[0] % 6];
    const char* path = FuzzScratchPath(".txt");
    WriteScratch(path, data + 1, size - 1);
    // The handler returns: the reader goes on and keeps every value inside its range.
    SetListFileErrorHandler([](const char*) {});
    int32_t values[6];
    ReadPropertyFile(path, kind.k, values, kind.fields);
    for (int i = 0; i < kind.k; ++i)
        if (!kind.fields[i].range.Holds(values[i]) && values[i] != 0) std::abort();
    SetListFileErrorHandler(nullptr);
}

void FuzzPng(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    checksums::FixPngChunks(bytes);
    const char* path = FuzzScratchPath(".png");
    WriteScratch(path, bytes.data(), bytes.size());
    DecodedPng picture;
    std::string error;
    if (DecodePng(path, kDataLimits.pictureSide.high, picture, error) &&
        picture.rgba.size() != size_t(picture.width) * size_t(picture.height) * 4)
        std::abort();
}

void FuzzOgg(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    checksums::FixOggPages(bytes);
    const char* path = FuzzScratchPath(".ogg");
    WriteScratch(path, bytes.data(), bytes.size());
    DecodedOgg decoded;
    std::string error;
    if (DecodeOgg(path, decoded, error) != DecodeResult::Ok) return;
    if (decoded.bytes > kMaxClipBytes) std::abort();
    const std::vector<int16_t> device = ToDeviceFormat(decoded, 48000);
    if (device.size() * 2 > kMaxClipBytes) std::abort();
}

namespace {

// Each input plays the same whatever the inputs before it: what lives outside the level's state
// (the bag-loss draw's outcome and the draw itself) starts as the input's starting world had it.
void StartDrawsAfresh(int16_t loss) {
    lossResult = loss;
    std::srand(1);
}

// The level of the shipped data, started once per process on the headless platform.
struct FuzzLevel {
    CStage_One* stage = nullptr;
    LevelSnapshot fresh;
    int16_t freshLoss = 0; // the bag-loss draw's outcome, which lives beside the level

    FuzzLevel() {
        const char* error = "";
        WindowHandle window = mainWindow; // a test may have opened the platform already
        if (!window) window = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
        if (!window || Graphics::Instance().InitDevice() != 0) std::abort();
        mainWindow = window;
        headless::SetActive(true);
        headless::SetClock(10000);
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        stage = new CStage_One;
        stage->window = window;
        stage->Init();
        CCommon::Instance().autoFlip = 0;
        Frame();
        fresh = TakeSnapshot(*stage);
        freshLoss = lossResult;
    }
    void Frame() {
        headless::AdvanceClock(16);
        stage->Update();
        headless::ClearPlayLog();
    }
    bool Locked() const { return CCommon::Instance().forwardLock != 0; }
    // A turn and the frames after it, as in the undo property test: objects come on the page in
    // the frame after the one whose rules first see them there, and the game always runs many
    // frames between two turns.
    void Turn(int32_t direction) {
        stage->TurnPage(direction);
        Frame();
        Frame();
    }
};

} // namespace

std::string FuzzLevelUndo(const uint8_t* data, size_t size) {
    static FuzzLevel level;
    RestoreSnapshot(level.fresh, *level.stage);
    StartDrawsAfresh(level.freshLoss);
    CCommon& common = CCommon::Instance();
    // At most 400 actions, so one input stays quick.
    size_t at = 0;
    for (int action = 0; at + 1 < size && action < 400; ++action, at += 2) {
        const uint8_t what = data[at], arg = data[at + 1];
        switch (what % 5) {
        case 0:
        case 1:
            if (!level.Locked()) level.Turn(Forward);
            break;
        case 2:
            if (common.page > 0) level.Turn(Backward);
            break;
        case 3:
            TearOutToBag(arg % InventoryBag::kItems);
            level.Frame();
            break;
        case 4:
            PutDownFromBag(arg % InventoryBag::kItems, 100 + (arg * 37) % 600,
                           150 + (what * 11) % 400);
            level.Frame();
            break;
        }
        if (common.page < 0) std::abort(); // never, whatever the play
    }
    const int n = 1 + (at < size ? data[at] : 7) % 30;
    const LevelSnapshot before = TakeSnapshot(*level.stage);
    int forward = 0;
    while (forward < n && !level.Locked()) {
        level.Turn(Forward);
        ++forward;
    }
    for (int i = 0; i < forward; ++i)
        level.Turn(Backward);
    LevelSnapshot after = TakeSnapshot(*level.stage);
    ForgiveAcceptedDifferences(after, before);
    std::string difference = FirstDifference(before, after);
    if (!difference.empty())
        difference += " (after " + std::to_string(forward) + " turns from page " +
                      std::to_string(before.common.page) + ")";
    return difference;
}

namespace {

CStage_One* LevelScene() {
    SceneManager& scenes = SceneManager::Instance();
    return scenes.sceneNumber == 1 ? dynamic_cast<CStage_One*>(scenes.current) : nullptr;
}

// The walkthrough played once per process; its game stays up and its level is where the inputs
// play, each from one of the kept worlds.
struct WalkthroughLevel {
    std::unique_ptr<ScriptPlayer> player = std::make_unique<ScriptPlayer>();
    std::vector<LevelSnapshot> checkpoints;
    std::vector<int16_t> checkpointLosses; // the bag-loss draw's outcome at each checkpoint

    WalkthroughLevel() {
        if (!player->Load(PEBBLEFROST_SOURCE_DIR "/tests/scripts/walkthrough_level.txt")) {
            std::fprintf(stderr, "walkthrough: %s\n", player->error.c_str());
            std::abort();
        }
        player->wantPicture = [](int) { return false; };
        bool have = false;
        LevelSnapshot last;
        int16_t lastLoss = 0;
        player->onFrame = [&](int) {
            CStage_One* stage = LevelScene();
            if (!stage) return;
            LevelSnapshot now = TakeSnapshot(*stage);
            if (have && now.common.page != last.common.page && last.common.page % 25 == 0 &&
                !last.common.forwardLock) {
                last.common.autoFlip = 0; // the pages wait for the input
                last.bag.open = 0;
                checkpoints.push_back(last);
                checkpointLosses.push_back(lastLoss);
            }
            last = now;
            lastLoss = lossResult;
            have = true;
        };
        if (!player->Run() || !LevelScene() || checkpoints.empty()) {
            std::fprintf(stderr, "walkthrough: %s\n", player->error.c_str());
            std::abort();
        }
        player->onFrame = nullptr;
    }
};

WalkthroughLevel& Walkthrough() {
    static WalkthroughLevel level;
    return level;
}

} // namespace

size_t WalkthroughCheckpointCount() {
    return Walkthrough().checkpoints.size();
}

std::string FuzzLevelUndoFromWalkthrough(const uint8_t* data, size_t size) {
    WalkthroughLevel& walk = Walkthrough();
    CStage_One& stage = *LevelScene();
    if (size == 0) return "";
    const size_t checkpoint = data[0] % walk.checkpoints.size();
    const LevelSnapshot& start = walk.checkpoints[checkpoint];
    RestoreSnapshot(start, stage);
    StartDrawsAfresh(walk.checkpointLosses[checkpoint]);
    CCommon& common = CCommon::Instance();
    size_t at = 1;
    for (int action = 0; at + 1 < size && action < 200; ++action, at += 2) {
        const uint8_t what = data[at], arg = data[at + 1];
        switch (what % 5) {
        case 0:
        case 1:
            if (!common.forwardLock) TurnAndPlay(stage, Forward);
            break;
        case 2:
            if (common.page > 0) TurnAndPlay(stage, Backward);
            break;
        case 3:
            TearOutToBag(arg % InventoryBag::kItems);
            PlayLevelFrame(stage);
            break;
        case 4:
            PutDownFromBag(arg % InventoryBag::kItems, 100 + (arg * 37) % 600,
                           150 + (what * 11) % 400);
            PlayLevelFrame(stage);
            break;
        }
        if (common.page < 0) std::abort();              // never, whatever the play
        if (stage.level.flags.endingStarted) return ""; // the closing sequence: no way back
    }
    const int n = 1 + (at < size ? data[at] : 7) % 30;
    const int32_t page = common.page;
    const RoundTripOutcome out = TurnForwardAndBack(stage, n);
    if (out.difference.empty()) return "";
    return out.difference + " (after " + std::to_string(out.turns) + " turns from page " +
           std::to_string(page) + ", checkpoint " + std::to_string(start.common.page) + ")";
}
