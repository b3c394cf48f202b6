#include "platform/Window.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

WindowHandle mainWindow = nullptr;
int32_t cursorX = 0;
int32_t cursorY = 0;

namespace {

DisplayMode currentMode = DisplayMode::Windowed;
bool sdlStarted = false;
GameWindow gameWindow;
bool destroyPosted = false; // the window's close already produced a Destroy message

// A fixed ring of waiting messages: the loop drains it every iteration, so it never allocates.
constexpr int kQueueSize = 1024;
WindowMessage queue[kQueueSize];
int queueHead = 0;
int queueCount = 0;

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// Mouse events arrive in back-buffer pixels (the renderer's logical size maps them); positions in
// the letterbox bars are clamped onto the picture's edge.
WindowMessage MouseMessage(MessageType type, int32_t x, int32_t y) {
    return WindowMessage{type, Clamp(x, 0, 799), Clamp(y, 0, 599)};
}

void Translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: // a signal, or the last window closed
        if (!destroyPosted) PostWindowMessage(WindowMessage{MessageType::Destroy, 0, 0});
        destroyPosted = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE && !destroyPosted) {
            destroyPosted = true;
            PostWindowMessage(WindowMessage{MessageType::Destroy, 0, 0});
        }
        // An unchanged frame is not drawn again; a window that lost or resized its picture is.
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
            e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN)
            Graphics::Instance().InvalidateFrame();
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        Graphics::Instance().InvalidateFrame();
        break;
    case SDL_MOUSEMOTION:
        PostWindowMessage(MouseMessage(MessageType::MouseMove, e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) {
            LatchLeftButtonDown();
            PostWindowMessage(MouseMessage(MessageType::LButtonDown, e.button.x, e.button.y));
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT)
            PostWindowMessage(MouseMessage(MessageType::LButtonUp, e.button.x, e.button.y));
        break;
    case SDL_KEYDOWN:
        if (!e.key.repeat) platform::LatchScancode(e.key.keysym.scancode);
        PostWindowMessage(WindowMessage{MessageType::KeyDown, e.key.keysym.scancode, 0});
        break;
    default:
        break;
    }
}

WindowHandle Fail(const char** error, const char* reason) {
    if (error) *error = reason;
    return nullptr;
}

} // namespace

namespace platform {

DisplayMode Mode() {
    return currentMode;
}
bool IsHeadless() {
    return currentMode == DisplayMode::Headless;
}

HeadlessState& Headless() {
    static HeadlessState state;
    return state;
}

SDL_Window* SdlWindow() {
    return gameWindow.sdl;
}

void ClosePlatform() {
    CloseSoundDevice();
    if (gameWindow.sdl) SDL_DestroyWindow(gameWindow.sdl); // also restores the desktop mode
    gameWindow.sdl = nullptr;
    if (sdlStarted) SDL_Quit();
    sdlStarted = false;
}

} // namespace platform

WindowHandle CreateGameWindow(DisplayMode mode, const char* title, const char** error) {
    currentMode = mode;
    if (mode == DisplayMode::Headless) {
        // No window and no sound card: the renderer draws into memory, the mixer is silent.
        if (SDL_Init(0) != 0) return Fail(error, SDL_GetError());
        sdlStarted = true;
        mainWindow = &gameWindow;
        return mainWindow;
    }

#ifdef __unix__
    // X11 and Wayland: without a display SDL would fail slowly or try the console; say so at
    // once. Windows has no such variable and always has its desktop.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("SDL_VIDEODRIVER"))
        return Fail(error, "no display (DISPLAY is not set)");
#endif
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        static char reason[256];
        std::snprintf(reason, sizeof reason, "video initialisation failed: %s", SDL_GetError());
        return Fail(error, reason);
    }
    sdlStarted = true;
    SDL_ShowCursor(SDL_DISABLE); // the game draws its own cursor

    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (mode == DisplayMode::Windowed) flags |= SDL_WINDOW_RESIZABLE;
    // Full screen starts at the screen's corner: an X server without a window manager leaves a
    // full-screen window where it was made.
    const int at = mode == DisplayMode::Fullscreen ? 0 : 100;
    gameWindow.sdl = SDL_CreateWindow(title, at, at, 800, 600, flags);
    if (!gameWindow.sdl) {
        static char reason[256];
        std::snprintf(reason, sizeof reason, "window creation failed: %s", SDL_GetError());
        SDL_Quit();
        sdlStarted = false;
        return Fail(error, reason);
    }
    mainWindow = &gameWindow;
    return mainWindow;
}

DisplayMode CurrentDisplayMode() {
    return currentMode;
}

void ShowGameWindow() {
    if (!gameWindow.sdl) return;
    SDL_ShowWindow(gameWindow.sdl);
    SDL_RaiseWindow(gameWindow.sdl);
}

void DestroyGameWindow() {
    if (gameWindow.sdl) {
        SDL_SetWindowFullscreen(gameWindow.sdl, 0); // give the display its own mode back
        SDL_HideWindow(gameWindow.sdl);
    }
    platform::CloseSoundDevice();
}

bool PeekWindowMessage(WindowMessage& out) {
    if (queueCount == 0 && sdlStarted && !platform::IsHeadless()) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            Translate(e);
    }
    if (queueCount == 0) return false;
    out = queue[queueHead];
    queueHead = (queueHead + 1) % kQueueSize;
    --queueCount;
    return true;
}

void PostWindowMessage(const WindowMessage& msg) {
    if (queueCount == kQueueSize) {
        std::fprintf(stderr, "PebbleFrost: window message queue full, message dropped\n");
        return;
    }
    queue[(queueHead + queueCount) % kQueueSize] = msg;
    ++queueCount;
}

void PostQuitMessage(int exitCode) {
    PostWindowMessage(WindowMessage{MessageType::Quit, exitCode, 0});
}

WindowHandle GetActiveWindow() {
    if (!mainWindow) return nullptr;
    if (platform::IsHeadless()) return platform::Headless().active ? mainWindow : nullptr;
    if (!gameWindow.sdl) return nullptr;
    if (SDL_GetKeyboardFocus() == gameWindow.sdl) return mainWindow;
    return (SDL_GetWindowFlags(gameWindow.sdl) & SDL_WINDOW_INPUT_FOCUS) ? mainWindow : nullptr;
}

void ShowErrorMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (platform::IsHeadless()) {
        platform::Headless().messages.push_back(std::string(caption) + ": " + text);
        return;
    }
    // Modal, with no owner window, as the game's own error boxes are.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

double LoopClockMs() {
    if (platform::IsHeadless()) return static_cast<double>(platform::Headless().clock);
    return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

void WaitMs(double ms) {
    if (ms <= 0.0) return;
    // Whole milliseconds: the shortest sleep the system offers, and the virtual clock's unit.
    const auto whole = static_cast<uint32_t>(std::ceil(ms));
    if (platform::IsHeadless())
        headless::AdvanceClock(whole);
    else
        SDL_Delay(whole);
}

unsigned RandomSeed() {
    if (platform::IsHeadless()) return 20240601u; // runs repeat exactly
    return static_cast<unsigned>(std::time(nullptr));
}

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    if (!base) return "";
    std::string folder = base;
    SDL_free(base);
    return folder;
}
