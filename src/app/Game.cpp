#include "app/Game.h"
#include "app/DataFolder.h"
#include "app/SceneManager.h"
#include "app/Settings.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "services/CCommon.h"
#include <cstdio>
#include <cstdlib>

bool Startup(DisplayMode mode) {
    const char* error = "unknown error";
    WindowHandle window = CreateGameWindow(mode, "Pebble&Frost", &error);
    if (!window) {
        std::fprintf(stderr, "PebbleFrost: cannot open the game window: %s\n", error);
        return false;
    }
    mainWindow = window;
    if (Graphics::Instance().InitDevice() != 0) return false; // the reason was printed

    std::srand(RandomSeed());

    SceneManager& scenes = SceneManager::Instance();
    scenes.window = window;
    scenes.SetFirstStage(CreateStage(0));

    InputKeyboard::Instance().Init(window);
    InputMouse::Instance().window = window;
    InputMouse::Instance().Init(window);

    ShowGameWindow();
    return true;
}

void WndProc(const WindowMessage& msg) {
    switch (msg.type) {
    case MessageType::Destroy:
        PostQuitMessage(0);
        break;
    case MessageType::MouseMove:
        cursorX = msg.x;
        cursorY = msg.y;
        break;
    case MessageType::LButtonDown:
        CCommon::Instance().mouseDown = 1;
        ++CCommon::Instance().mousePresses;
        break;
    case MessageType::LButtonUp:
        CCommon::Instance().mouseDown = 0;
        break;
    case MessageType::KeyDown: // keys are read from the keyboard state, never from messages
    case MessageType::Quit:
        break;
    }
}

void UpdateFrame() {
    SceneManager& scenes = SceneManager::Instance();
    HandleVolumeKeys(); // before the scene: it may be replaced and gone by the end of Update
    if (scenes.current) scenes.current->Update();
    EndInputFrame();
}

void RenderFrame() {
    Graphics& graphics = Graphics::Instance();
    graphics.SetupCamera();
    graphics.BeginScene(); // EndScene clears to black when it draws
    SceneManager& scenes = SceneManager::Instance();
    // Update may have replaced the scene: the new one is drawn.
    if (scenes.current) scenes.current->Render();
    graphics.EndScene();
    graphics.Present();
}

void RunFrame() {
    UpdateFrame();
    RenderFrame();
}

bool FramePacer::RenderDue(double nowMs) {
    if (nextRenderMs >= 0.0 && nowMs < nextRenderMs) return false;
    // Keep the beat; after a long stall (a dragged window, a slow frame) start it afresh.
    if (nextRenderMs < 0.0 || nowMs - nextRenderMs > renderIntervalMs)
        nextRenderMs = nowMs + renderIntervalMs;
    else
        nextRenderMs += renderIntervalMs;
    return true;
}

bool LoopPass(FramePacer& pacer) {
    WindowMessage msg;
    while (PeekWindowMessage(msg)) {
        if (msg.type == MessageType::Quit) return false;
        WndProc(msg);
    }
    const double start = LoopClockMs();
    UpdateFrame();
    if (pacer.RenderDue(start)) RenderFrame();
    WaitMs(start + FramePacer::kUpdateIntervalMs - LoopClockMs());
    return true;
}

bool AnimationFramePass() {
    WindowMessage msg;
    while (PeekWindowMessage(msg)) {
        if (msg.type == MessageType::Quit) return false;
        WndProc(msg);
    }
    RunFrame();
    return true;
}

void MessageLoop() {
    FramePacer pacer;
    pacer.renderIntervalMs = 1000.0 / Graphics::Instance().refreshHz;
    while (LoopPass(pacer)) {
    }
}

void Shutdown() {
    SceneManager& scenes = SceneManager::Instance();
    if (scenes.current) scenes.current->Release(); // the object itself is freed at exit
    InputKeyboard::Instance().Shutdown();
    InputMouse::Instance().Shutdown();
}

int RunGame(DisplayMode mode) {
    if (!EnterDataFolder()) return 1; // before the window: nothing to show without the data
    const std::string settingsPath = SettingsPath();
    Settings& settings = Settings::Current();
    if (!settingsPath.empty()) settings = LoadSettings(settingsPath);
    if (mode == DisplayMode::Windowed)
        RequestWindowSize(settings.windowWidth, settings.windowHeight);
    ApplySoundVolume();
    if (!Startup(mode)) {
        Shutdown();
        return 1;
    }
    MessageLoop();
    Shutdown();
    DestroyGameWindow(); // the display gets its own mode back at once
    // The full-screen program leaves the window size the windowed one chose.
    if (mode == DisplayMode::Windowed) WindowedSize(settings.windowWidth, settings.windowHeight);
    if (!settingsPath.empty()) SaveSettings(settingsPath, settings);
    return 0;
}
