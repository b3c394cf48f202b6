#pragma once
#include "platform/Input.h"
#include "platform/Window.h"
#include <cstdint>
#include <string>
#include <vector>

struct Texture;

// Controls of the headless backend (DisplayMode::Headless): the virtual clock, scripted input,
// the offscreen frame and the silent mixer's record. The game code cannot tell it from the real
// backend.
namespace headless {

// Puts the scripted input, the waiting window messages, the input edge memory, the mouse position
// the clock and the records back as a fresh process has them. For tests that share one process.
void Reset();

void SetClock(uint32_t ms);
void AdvanceClock(uint32_t ms); // also advances the silent mixer by the same time

void SetKey(int code, bool down); // DirectInput code
// A key or a click pressed and released between two frames: the device shows it up, only the
// latch (and, for the click, the window's messages) saw it.
void TapKey(int code);
void TapMouse(int x, int y);
void SetLeftButton(bool down); // device state only; see Click for the window messages too
void SetActive(bool active);   // whether the game window has the focus
void MoveMouse(int x, int y);  // posts a MouseMove message
// The modelled window: the screen it goes full screen on, a resize by the player, and a mouse
// move given in the window's pixels (posted as the real backend posts it, mapped onto the
// picture).
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
void ResizeWindow(int width, int height);
void MoveMouseInWindow(int x, int y);

// A virtual game controller plugged in (and the controller support started, as the real backend
// starts it): its buttons and axes use SDL's game controller numbering. Answers the pad's id,
// -1 when SDL refused.
int AttachVirtualPad();
void DetachVirtualPad(int pad);
void SetPadButton(int pad, int button, bool down);
void SetPadAxis(int pad, int axis, int value); // -32768 to 32767
void PressMouse(int x, int y);   // MouseMove, then device state down + LButtonDown message
void ReleaseMouse(int x, int y); // MouseMove, then device state up + LButtonUp message

// The offscreen back buffer as 0xAARRGGBB pixels, row by row (800 x 600).
uint32_t Pixel(int x, int y);
const uint32_t* Pixels();
bool SaveFramePng(const char* path);

// The silent mixer: every PlayOgg call, in order.
struct PlayRecord {
    std::string path;
    bool loop = false;
    uint32_t tick = 0;
};
const std::vector<PlayRecord>& PlayLog();
void ClearPlayLog();

// The sprite draws asked for while recording is on (off by default; tests only): the texture
// slot, the source rectangle (whole = none given) and the placement, in call order.
struct DrawRecord {
    const Texture* texture = nullptr;
    bool whole = true;
    RECT source;
    int x = 0, y = 0;
    float sx = 1.0f, sy = 1.0f, rotation = 0.0f;
    uint8_t alpha = 255;
};
void RecordDraws(bool on); // also empties the record
const std::vector<DrawRecord>& DrawLog();

// Error boxes shown so far, each as "caption: text".
const std::vector<std::string>& Messages();

} // namespace headless
