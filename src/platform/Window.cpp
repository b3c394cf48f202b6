#include "platform/Window.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <algorithm>
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
int windowedWidth = 800;    // the window's size when not full screen
int windowedHeight = 600;

// A fixed ring of waiting messages: the loop drains it every iteration, so it never allocates.
constexpr int kQueueSize = 1024;
WindowMessage queue[kQueueSize];
int queueHead = 0;
int queueCount = 0;

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// Mouse events arrive in the window's pixels and are mapped onto the picture.
WindowMessage MouseMessage(MessageType type, int32_t x, int32_t y) {
    const POINT p = PictureFromWindow(x, y);
    return WindowMessage{type, p.x, p.y};
}

// The first 800 x 600 mode with 32 bits per pixel that the window's display offers.
bool FindExactMode(SDL_Window* window, SDL_DisplayMode& found) {
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0) display = 0;
    int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0) return false;
        if (mode.w == Graphics::kWidth && mode.h == Graphics::kHeight &&
            SDL_BYTESPERPIXEL(mode.format) == 4) {
            found = mode;
            return true;
        }
    }
    return false;
}

// The player's size for the window. A size that covers the whole screen is a full-screen
// switch's (its events may come late, after the window is back), never kept.
void RememberWindowedSize(int width, int height) {
    if (IsFullScreen() || width <= 0 || height <= 0) return;
    SDL_DisplayMode desktop;
    const int display = SDL_GetWindowDisplayIndex(gameWindow.sdl);
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) == 0 && width >= desktop.w &&
        height >= desktop.h)
        return;
    windowedWidth = width;
    windowedHeight = height;
}

bool IsFullScreenKey(const SDL_KeyboardEvent& key) {
#ifdef __EMSCRIPTEN__
    (void)key;
    return false; // the browser has its own full screen (F11) and the page decides
#else
    const SDL_Scancode code = key.keysym.scancode;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    return code == SDL_SCANCODE_F11 ||
           (alt && (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER));
#endif
}

void Translate(const SDL_Event& e) {
    if (platform::GamepadEvent(e)) return;
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
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            Graphics::Instance().FitPicture();
            RememberWindowedSize(e.window.data1, e.window.data2);
        }
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
        if (IsFullScreenKey(e.key)) {
            if (!e.key.repeat) ToggleFullScreen();
            break; // Alt+Enter is not also a Return
        }
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

bool EnterFullScreen(bool changeMode) {
    SDL_Window* window = gameWindow.sdl;
    if (!window) return false;
    SDL_DisplayMode mode;
    if (changeMode && FindExactMode(window, mode))
        return SDL_SetWindowDisplayMode(window, &mode) == 0 &&
               SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

void ClosePlatform() {
    CloseSoundDevice();
    if (gameWindow.sdl) SDL_DestroyWindow(gameWindow.sdl); // also restores the desktop mode
    gameWindow.sdl = nullptr;
    platform::CloseGamepads();
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
    platform::StartGamepads();

    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (mode == DisplayMode::Windowed) flags |= SDL_WINDOW_RESIZABLE;
    // Full screen starts at the screen's corner: an X server without a window manager leaves a
    // full-screen window where it was made.
    const int at = mode == DisplayMode::Fullscreen ? 0 : 100;
    int width = 800, height = 600;
    if (mode == DisplayMode::Windowed) {
#ifndef __EMSCRIPTEN__ // the page's canvas keeps the picture's own size
        // A size kept from a larger screen still fits this one.
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
            windowedWidth = std::min(windowedWidth, usable.w);
            windowedHeight = std::min(windowedHeight, usable.h);
        }
#endif
        width = windowedWidth;
        height = windowedHeight;
    }
    gameWindow.sdl = SDL_CreateWindow(title, at, at, width, height, flags);
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

void ToggleFullScreen() {
    if (platform::IsHeadless()) {
        platform::HeadlessState& h = platform::Headless();
        h.fullScreen = !h.fullScreen;
        h.outputWidth = h.fullScreen ? headless::kScreenWidth : h.windowWidth;
        h.outputHeight = h.fullScreen ? headless::kScreenHeight : h.windowHeight;
        Graphics::Instance().FitPicture();
        return;
    }
    SDL_Window* window = gameWindow.sdl;
    if (!window) return;
    if (IsFullScreen()) {
        SDL_SetWindowFullscreen(window, 0); // the display gets its own mode back
        SDL_SetWindowResizable(window, SDL_TRUE);
    } else {
        int width = 0, height = 0;
        SDL_GetWindowSize(window, &width, &height);
        RememberWindowedSize(width, height);
        if (!platform::EnterFullScreen(currentMode == DisplayMode::Fullscreen))
            std::fprintf(stderr, "PebbleFrost: cannot go full screen: %s\n", SDL_GetError());
    }
    Graphics::Instance().FitPicture(); // the size-changed event follows; the mouse maps at once
}

bool IsFullScreen() {
    if (platform::IsHeadless()) return platform::Headless().fullScreen;
    return gameWindow.sdl && (SDL_GetWindowFlags(gameWindow.sdl) & SDL_WINDOW_FULLSCREEN) != 0;
}

POINT PictureFromWindow(int32_t x, int32_t y) {
    const Letterbox& view = Graphics::Instance().view;
    // In whole numbers, so that a window twice the picture's size maps every second pixel
    // exactly; positions in the bars land on the picture's nearest edge.
    auto map = [](int32_t at, int start, int extent, int32_t size) {
        const int64_t offset = int64_t{at} - start;
        if (offset < 0 || extent <= 0) return int32_t{0};
        return Clamp(static_cast<int32_t>(std::min<int64_t>(offset * size / extent, size - 1)), 0,
                     size - 1);
    };
    return POINT{map(x, view.x, view.w, Graphics::kWidth),
                 map(y, view.y, view.h, Graphics::kHeight)};
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
    // Headless, only a test's virtual controller comes through SDL's events.
    if (queueCount == 0 && sdlStarted && (!platform::IsHeadless() || platform::GamepadsStarted())) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            Translate(e);
        platform::MoveCursorByStick(LoopClockMs());
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

void RequestWindowSize(int width, int height) {
    windowedWidth = width;
    windowedHeight = height;
}

void WindowedSize(int& width, int& height) {
    width = windowedWidth;
    height = windowedHeight;
}

std::string PreferenceFolder() {
    char* path = SDL_GetPrefPath("", "PebbleFrost");
    if (!path) return "";
    std::string folder = path;
    SDL_free(path);
    return folder;
}

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    if (!base) return "";
    std::string folder = base;
    SDL_free(base);
    return folder;
}
