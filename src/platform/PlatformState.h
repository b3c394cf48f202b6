#pragma once
// State shared by the platform's own files (never included outside src/platform/).
#include "platform/Headless.h"
#include "platform/Window.h"
#include <cstdint>

struct SDL_Window;
union SDL_Event;

// The game window behind a WindowHandle: an SDL window, or nothing in the headless backend.
struct GameWindow {
    SDL_Window* sdl = nullptr;
};

namespace platform {

struct HeadlessState {
    uint32_t clock = 0;
    uint8_t keys[256] = {}; // bit 0x80 = down
    bool leftButton = false;
    bool active = true;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    // The modelled window: its size in pixels (the screen's while full screen) and its mode.
    int outputWidth = 800;
    int outputHeight = 600;
    int windowWidth = 800; // the size it has when not full screen
    int windowHeight = 600;
    bool fullScreen = false;
    std::vector<headless::PlayRecord> playLog;
    std::vector<std::string> messages;
    bool recordDraws = false;
    std::vector<headless::DrawRecord> drawLog;
};

DisplayMode Mode();
bool IsHeadless();
HeadlessState& Headless();
SDL_Window* SdlWindow(); // nullptr in the headless backend or before the window exists

// Full screen on the window's display: at an 800 x 600 mode of the display when changeMode and
// the display offers one, otherwise over the desktop at its own mode. False when SDL refused.
bool EnterFullScreen(bool changeMode);

// A key went down (an SDL scancode): latched for the next read of its DirectInput code.
void LatchScancode(int scancode);

// Game controllers (Gamepad.cpp). Started with the window; a test starts them to attach a virtual
// one. Their buttons read as keys and their A as the left button.
void StartGamepads();
bool GamepadsStarted();
void CloseGamepads();
bool GamepadEvent(const SDL_Event& e); // true when the event was a controller's
bool PadKeyDown(int code);             // a DirectInput code held on some controller
bool PadButtonDown();                  // A held on some controller
// Moves the cursor by the left sticks for the time since the last call (posts MouseMove).
void MoveCursorByStick(double nowMs);

// The sound mixer's clock in the headless backend (advanced by headless::AdvanceClock).
void AdvanceSilentMixer(uint32_t ms);
// Closes the shared audio device (the clips keep their decoded sound).
void CloseSoundDevice();
// The last step of the program: destroys the window and shuts SDL down.
void ClosePlatform();

} // namespace platform
