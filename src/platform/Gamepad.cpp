// Game controllers (SDL's game controller API and the mapping database it ships): buttons act as
// the keys the game asks for, the left stick moves the cursor and A clicks where it is.
#include "platform/Input.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxPads = 4;
constexpr int kStickDeadZone = 8000;       // of 32767: a resting stick does not drift
constexpr double kCursorPixelsPerMs = 0.8; // at full tilt: across the picture in one second
constexpr double kLongestStepMs = 50.0;    // a stalled frame does not fling the cursor

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    int stickX = 0, stickY = 0;
    bool keys[256] = {};
    bool a = false;
};

Pad pads[kMaxPads];
// The cursor as the stick moves it, in picture pixels with their fractions.
double stickCursorX = 0.0, stickCursorY = 0.0;
bool stickMoving = false;
double lastStickMs = -1.0;

// The buttons that play as keys, as the keys the game asks for.
struct ButtonKey {
    SDL_GameControllerButton button;
    int code;
};
constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, DIK_LEFT},   // turn back
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DIK_LEFT},      //
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, DIK_RIGHT}, // turn forward
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DIK_RIGHT},    //
    {SDL_CONTROLLER_BUTTON_X, DIK_S},                 // stop and start the pages
    {SDL_CONTROLLER_BUTTON_Y, DIK_W},                 // the bag
    {SDL_CONTROLLER_BUTTON_START, DIK_ESCAPE},        // the pause menu
};

Pad* PadOf(SDL_JoystickID id) {
    for (Pad& pad : pads)
        if (pad.controller && pad.id == id) return &pad;
    return nullptr;
}

void Open(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (PadOf(id)) return; // already open (SDL reports pads present at start as added)
    for (Pad& pad : pads) {
        if (pad.controller) continue;
        pad = Pad{};
        pad.controller = SDL_GameControllerOpen(deviceIndex);
        if (pad.controller) pad.id = id;
        return;
    }
}

void Close(Pad& pad) {
    if (pad.controller) SDL_GameControllerClose(pad.controller);
    pad = Pad{}; // its held buttons let go with it
}

void PostButton(MessageType type) {
    PostWindowMessage(WindowMessage{type, cursorX, cursorY});
}

void Button(Pad& pad, int button, bool down) {
    if (button == SDL_CONTROLLER_BUTTON_A) {
        if (down == pad.a) return;
        pad.a = down;
        if (down) LatchLeftButtonDown();
        PostButton(down ? MessageType::LButtonDown : MessageType::LButtonUp);
        return;
    }
    for (const ButtonKey& bk : kButtonKeys) {
        if (bk.button != button) continue;
        if (down && !platform::PadKeyDown(bk.code)) LatchKeyDown(bk.code);
        pad.keys[bk.code] = down;
    }
}

// The stick's tilt beyond the dead zone, -1 to 1.
double Tilt(int value) {
    const int magnitude = std::abs(value);
    if (magnitude <= kStickDeadZone) return 0.0;
    const double t = double(magnitude - kStickDeadZone) / double(32767 - kStickDeadZone);
    return std::copysign(std::min(t, 1.0), double(value));
}

} // namespace

namespace platform {

void StartGamepads() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
    // Without controller support the game plays on with the keyboard and mouse.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool GamepadsStarted() {
    return SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0;
}

void CloseGamepads() {
    for (Pad& pad : pads)
        Close(pad);
    stickMoving = false;
    lastStickMs = -1.0;
}

bool GamepadEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(e.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (Pad* pad = PadOf(e.cdevice.which)) {
            if (pad->a) PostButton(MessageType::LButtonUp);
            Close(*pad);
        }
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (Pad* pad = PadOf(e.cbutton.which))
            Button(*pad, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (Pad* pad = PadOf(e.caxis.which)) {
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) pad->stickX = e.caxis.value;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) pad->stickY = e.caxis.value;
        }
        return true;
    default:
        return false;
    }
}

bool PadKeyDown(int code) {
    if (code < 0 || code > 255) return false;
    for (const Pad& pad : pads)
        if (pad.controller && pad.keys[code]) return true;
    return false;
}

bool PadButtonDown() {
    for (const Pad& pad : pads)
        if (pad.controller && pad.a) return true;
    return false;
}

void MoveCursorByStick(double nowMs) {
    double tiltX = 0.0, tiltY = 0.0;
    for (const Pad& pad : pads) {
        if (!pad.controller) continue;
        tiltX += Tilt(pad.stickX);
        tiltY += Tilt(pad.stickY);
    }
    const double elapsed = lastStickMs < 0.0 ? 0.0 : std::min(nowMs - lastStickMs, kLongestStepMs);
    lastStickMs = nowMs;
    if (tiltX == 0.0 && tiltY == 0.0) {
        stickMoving = false;
        return;
    }
    if (!stickMoving) { // the stick takes the cursor from wherever the mouse left it
        stickCursorX = cursorX;
        stickCursorY = cursorY;
        stickMoving = true;
    }
    stickCursorX = std::clamp(stickCursorX + tiltX * kCursorPixelsPerMs * elapsed, 0.0, 799.0);
    stickCursorY = std::clamp(stickCursorY + tiltY * kCursorPixelsPerMs * elapsed, 0.0, 599.0);
    const auto x = static_cast<int32_t>(stickCursorX), y = static_cast<int32_t>(stickCursorY);
    if (x != cursorX || y != cursorY)
        PostWindowMessage(WindowMessage{MessageType::MouseMove, x, y});
}

} // namespace platform
