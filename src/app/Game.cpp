#include "app/Game.h"
#include "app/SceneManager.h"
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
        break;
    case MessageType::LButtonUp:
        CCommon::Instance().mouseDown = 0;
        break;
    case MessageType::KeyDown: // keys are read from the keyboard state, never from messages
    case MessageType::Quit:
        break;
    }
}

void RunFrame() {
    Graphics& graphics = Graphics::Instance();
    graphics.Clear();
    graphics.SetupCamera();
    graphics.BeginScene();
    SceneManager& scenes = SceneManager::Instance();
    if (scenes.current) scenes.current->Update();
    // Update may have replaced the scene: the new one is drawn in this same frame.
    if (scenes.current) scenes.current->Render();
    graphics.EndScene();
    graphics.Present();
}

void MessageLoop() {
    WindowMessage msg;
    for (;;) {
        if (PeekWindowMessage(msg)) {
            if (msg.type == MessageType::Quit) return;
            WndProc(msg);
        } else {
            RunFrame();
        }
    }
}

void Shutdown() {
    SceneManager& scenes = SceneManager::Instance();
    if (scenes.current) scenes.current->Release(); // the object itself is freed at exit
    InputKeyboard::Instance().Shutdown();
    InputMouse::Instance().Shutdown();
}

int RunGame(DisplayMode mode) {
    if (!Startup(mode)) {
        Shutdown();
        return 1;
    }
    MessageLoop();
    Shutdown();
    DestroyGameWindow(); // the display gets its own mode back at once
    return 0;
}
