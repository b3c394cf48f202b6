#pragma once
// The headless platform opened for a test, plus small fixture-file writers and pixel helpers.
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Opens the headless platform: no window, an 800 x 600 offscreen back buffer, scripted input with
// the game window active, the virtual clock and the silent mixer. The process-wide objects are
// put back as a fresh process has them, so tests can share one process in any order.
class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh folder for this test's own files (removed afterwards).
    const std::string& TempDir();
    std::string TempPath(const std::string& name) { return TempDir() + "/" + name; }

    WindowHandle window = nullptr;

  private:
    std::string tempDir;
};

// Colours as the offscreen frame stores them: 0xAARRGGBB.
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// Makes a new, empty folder under the system's temporary folder; empty if none could be made.
std::string MakeTempDir(const std::string& prefix);

// A new temporary folder, the working directory for as long as this lives; afterwards the
// previous working directory comes back and the folder is removed. `dir` is empty (and the test
// has failed) when no folder could be made.
struct ScratchFolder {
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    std::string dir;
    std::filesystem::path previous = std::filesystem::current_path();
};

// Writes an RGBA PNG from 0xAARRGGBB pixels, row by row. False (with a test failure) on error.
bool WriteTestPng(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels);
// A picture of one colour.
bool WriteSolidPng(const std::string& path, int width, int height, uint32_t colour);

// Encodes a sine tone of the given length as an Ogg Vorbis file.
bool WriteTestOgg(const std::string& path, int channels, int rate, int frames,
                  float frequency = 440.0f);

// Loads a PNG through the game's own LoadTexture (nullptr when it failed).
Texture* LoadTestTexture(const std::string& path);

// Clears the offscreen frame to black.
void ClearFrame();

// The bounding box of all pixels that differ from the background colour; empty when none.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};
PixelBox DrawnBox(uint32_t background = kBlack);

// Reads a channel of a frame pixel (0xAARRGGBB).
inline int Red(uint32_t p) {
    return (p >> 16) & 0xFF;
}
inline int Green(uint32_t p) {
    return (p >> 8) & 0xFF;
}
inline int Blue(uint32_t p) {
    return p & 0xFF;
}
