#include "platform/Headless.h"
#include "platform/Graphics.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace headless {

namespace {

// The offscreen frame with every queued drawing done.
SDL_Surface* Frame() {
    Graphics& graphics = Graphics::Instance();
    if (!graphics.offscreen) return nullptr;
    if (graphics.renderer) SDL_RenderFlush(graphics.renderer);
    return graphics.offscreen;
}

} // namespace

void Reset() {
    platform::Headless() = platform::HeadlessState{};
    platform::CloseGamepads();
    Graphics::Instance().view = Letterbox{};
    WindowMessage waiting;
    while (PeekWindowMessage(waiting)) {
    }
    for (int k = 0; k < 256; ++k)
        keyDown[k] = keyWasDown[k] = 0;
    buttonDown = buttonWasDown = 0;
    EndInputFrame(); // no tap waits from an earlier test
    cursorX = cursorY = 0;
}

void SetClock(uint32_t ms) {
    platform::Headless().clock = ms;
}

void AdvanceClock(uint32_t ms) {
    platform::Headless().clock += ms;
    platform::AdvanceSilentMixer(ms);
}

void SetKey(int code, bool down) {
    if (code < 0 || code > 255) return;
    platform::Headless().keys[code] = down ? 0x80 : 0;
}

void TapKey(int code) {
    LatchKeyDown(code); // as the real backend's key-down event does
}

void SetLeftButton(bool down) {
    platform::Headless().leftButton = down;
}

void SetActive(bool active) {
    platform::Headless().active = active;
}

void MoveMouse(int x, int y) {
    platform::Headless().mouseX = x;
    platform::Headless().mouseY = y;
    PostWindowMessage(WindowMessage{MessageType::MouseMove, x, y});
}

void ResizeWindow(int width, int height) {
    platform::HeadlessState& h = platform::Headless();
    h.windowWidth = width;
    h.windowHeight = height;
    if (!h.fullScreen) {
        h.outputWidth = width;
        h.outputHeight = height;
    }
    Graphics::Instance().FitPicture();
}

void MoveMouseInWindow(int x, int y) {
    const POINT p = PictureFromWindow(x, y);
    MoveMouse(p.x, p.y);
}

namespace {

SDL_Joystick* VirtualPad(int pad) {
    return SDL_JoystickFromInstanceID(static_cast<SDL_JoystickID>(pad));
}

} // namespace

int AttachVirtualPad() {
    // Only the test's own pads: a controller on the machine must not join in, and under Wine the
    // system's device layers (HID, raw input, XInput, DirectInput) can keep a finished test
    // process from ending.
    for (const char* hint : {SDL_HINT_JOYSTICK_HIDAPI, SDL_HINT_JOYSTICK_RAWINPUT,
                             SDL_HINT_XINPUT_ENABLED, SDL_HINT_DIRECTINPUT_ENABLED})
        SDL_SetHint(hint, "0");
    platform::StartGamepads();
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return -1;
    // The test's own handle on the device moves its buttons; the game opens it as a controller.
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    return joystick ? SDL_JoystickInstanceID(joystick) : -1;
}

void DetachVirtualPad(int pad) {
    SDL_Joystick* joystick = VirtualPad(pad);
    if (!joystick) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) != pad) continue;
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(i);
        return;
    }
}

void SetPadButton(int pad, int button, bool down) {
    if (SDL_Joystick* joystick = VirtualPad(pad))
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
}

void SetPadAxis(int pad, int axis, int value) {
    if (SDL_Joystick* joystick = VirtualPad(pad))
        SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(value));
}

void PressMouse(int x, int y) {
    MoveMouse(x, y);
    SetLeftButton(true);
    LatchLeftButtonDown(); // as the window's button-down message does
    PostWindowMessage(WindowMessage{MessageType::LButtonDown, x, y});
}

void TapMouse(int x, int y) {
    MoveMouse(x, y);
    LatchLeftButtonDown();
    PostWindowMessage(WindowMessage{MessageType::LButtonDown, x, y});
    PostWindowMessage(WindowMessage{MessageType::LButtonUp, x, y});
}

void ReleaseMouse(int x, int y) {
    MoveMouse(x, y);
    SetLeftButton(false);
    PostWindowMessage(WindowMessage{MessageType::LButtonUp, x, y});
}

void RecordDraws(bool on) {
    platform::Headless().recordDraws = on;
    platform::Headless().drawLog.clear();
}

const std::vector<DrawRecord>& DrawLog() {
    return platform::Headless().drawLog;
}

uint32_t Pixel(int x, int y) {
    SDL_Surface* frame = Frame();
    if (!frame || x < 0 || y < 0 || x >= frame->w || y >= frame->h) return 0;
    const uint8_t* row = static_cast<const uint8_t*>(frame->pixels) + y * frame->pitch;
    return reinterpret_cast<const uint32_t*>(row)[x];
}

const uint32_t* Pixels() {
    SDL_Surface* frame = Frame();
    return frame ? static_cast<const uint32_t*>(frame->pixels) : nullptr;
}

bool SaveFramePng(const char* path) {
    SDL_Surface* frame = Frame();
    if (!frame || !path) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame->w);
    image.height = static_cast<png_uint_32>(frame->h);
    image.format = PNG_FORMAT_BGRA; // ARGB8888 words are B, G, R, A bytes in memory
    if (!png_image_write_to_file(&image, path, 0, frame->pixels, frame->pitch, nullptr)) {
        std::fprintf(stderr, "PebbleFrost: cannot write %s: %s\n", path, image.message);
        return false;
    }
    return true;
}

const std::vector<PlayRecord>& PlayLog() {
    return platform::Headless().playLog;
}
void ClearPlayLog() {
    platform::Headless().playLog.clear();
}

const std::vector<std::string>& Messages() {
    return platform::Headless().messages;
}

} // namespace headless
