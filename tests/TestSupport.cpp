#include "TestSupport.h"
#include "OggWriter.h"
#include "app/SceneManager.h"
#include "app/Settings.h"
#include "scenes/level/LevelState.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <png.h>
#include <random>

namespace {

// What a test earlier in the same process may have left in the process-wide objects: a scene
// still current, input, play flags, the bag. The book and the bag are made here, from the real
// Data folder, before a test moves to a folder of its own.
void ResetProcessState(WindowHandle window) {
    SceneManager& scenes = SceneManager::Instance();
    if (scenes.current) {
        CStage* left = scenes.current;
        scenes.current = nullptr;
        left->Release();
        delete left;
    }
    scenes.sceneNumber = 0;
    scenes.window = window;
    headless::Reset();
    std::fill(std::begin(InputKeyboard::Instance().keys), std::end(InputKeyboard::Instance().keys),
              uint8_t(0));
    InputMouse::Instance().mouseState = MouseState{};

    CCommon& common = CCommon::Instance();
    common.ResetPlay();
    common.titlePhase = common.introDone = 0;
    common.helpStep = common.helpFrame = common.helpOffset = 0;
    common.helpHitRect = RECT{};
    common.endingDataHere = 1;
    common.turnTick = common.helpTick = GetTickCount();
    common.tearSound.Stop();
    common.pageSound.Stop();
    common.helpSound.Stop();
    InventoryBag::Instance().ResetBag();
    lossResult = 0; // the bag-loss draw's outcome lives as long as the process
    headless::ClearPlayLog();
    Settings::Current() = Settings{};
    VolumeCard::Current() = VolumeCard{};
    SetMasterVolume(100);
}

// A test's fixture may reach a singleton before its SetUp runs (a member initialised from
// Instance): the headless platform, the book and the bag are made once before the first test, in
// the folder that holds Data, so that they load their pictures whichever test comes first.
class HeadlessEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        const char* error = "";
        WindowHandle window = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
        if (!window) return; // the tests that need it say so themselves
        mainWindow = window;
        SceneManager::Instance().window = window;
        Graphics::Instance().InitDevice();
        CCommon::Instance();
        InventoryBag::Instance();
    }
};
::testing::Environment* const headlessEnvironment =
    ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);

} // namespace

void HeadlessTest::SetUp() {
    const char* error = "";
    window = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
    ASSERT_NE(window, nullptr) << error;
    mainWindow = window;
    ASSERT_EQ(Graphics::Instance().InitDevice(), 0);
    InputKeyboard::Instance().Init(window);
    InputMouse::Instance().window = window;
    InputMouse::Instance().Init(window);
    headless::SetActive(true);
    ResetProcessState(window);
}

void HeadlessTest::TearDown() {
    if (!tempDir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(tempDir, ignored);
    }
}

const std::string& HeadlessTest::TempDir() {
    if (tempDir.empty()) {
        tempDir = MakeTempDir("pebblefrost_test_");
        EXPECT_FALSE(tempDir.empty()) << "cannot make a temporary folder";
    }
    return tempDir;
}

std::string MakeTempDir(const std::string& prefix) {
    // create_directory says whether the folder is new, so a name taken by another process is
    // passed over rather than shared.
    const auto base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        const auto path = base / (prefix + suffix);
        std::error_code error;
        if (std::filesystem::create_directory(path, error)) return path.string();
    }
    return {};
}

ScratchFolder::ScratchFolder(const std::string& prefix) : dir(MakeTempDir(prefix)) {
    EXPECT_FALSE(dir.empty()) << "cannot make a temporary folder";
    if (!dir.empty()) std::filesystem::current_path(dir);
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
}

bool WriteTestPng(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < pixels.size() && i * 4 < rgba.size(); ++i) {
        rgba[i * 4 + 0] = uint8_t(pixels[i] >> 16);
        rgba[i * 4 + 1] = uint8_t(pixels[i] >> 8);
        rgba[i * 4 + 2] = uint8_t(pixels[i]);
        rgba[i * 4 + 3] = uint8_t(pixels[i] >> 24);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr);
    EXPECT_TRUE(ok) << "cannot write " << path << ": " << image.message;
    return ok;
}

bool WriteSolidPng(const std::string& path, int width, int height, uint32_t colour) {
    return WriteTestPng(path, width, height, std::vector<uint32_t>(size_t(width) * height, colour));
}

bool WriteTestOgg(const std::string& path, int channels, int rate, int frames, float frequency) {
    std::string error;
    bool ok = WriteSineOgg(path, channels, rate, frames, frequency, error);
    EXPECT_TRUE(ok) << error;
    return ok;
}

Texture* LoadTestTexture(const std::string& path) {
    Texture* slot = nullptr;
    LoadTexture(path.c_str(), slot);
    return slot;
}

void ClearFrame() {
    Graphics::Instance().Clear();
}

PixelBox DrawnBox(uint32_t background) {
    PixelBox box{Graphics::kWidth, Graphics::kHeight, 0, 0};
    const uint32_t* pixels = headless::Pixels();
    if (!pixels) return PixelBox{};
    for (int y = 0; y < Graphics::kHeight; ++y)
        for (int x = 0; x < Graphics::kWidth; ++x) {
            if (pixels[y * Graphics::kWidth + x] == background) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    return box.Empty() ? PixelBox{} : box;
}
