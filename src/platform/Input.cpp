#include "platform/Input.h"
#include "platform/PlatformState.h"
#include <SDL.h>

int32_t keyDown[256] = {};
int32_t keyWasDown[256] = {};
int32_t buttonDown = 0;
int32_t buttonWasDown = 0;

namespace {

uint8_t keyLatch[256] = {};
bool buttonLatch = false;

struct ScanToKey {
    SDL_Scancode scancode;
    uint8_t code; // the classic DirectInput key code
};

// The keyboard's keys in the classic DirectInput numbering.
constexpr ScanToKey kKeyTable[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
};

// The key's latch is read (and dropped) with its state.
constexpr int DIK_LALT_CODE = 56;
constexpr int DIK_RALT_CODE = 184;

bool TakeLatch(uint8_t& latch) {
    const bool was = latch != 0;
    latch = 0;
    return was;
}

// Answers from the current and the remembered state, then remembers the current one. Callers
// answer a latched press (a down message of this frame) as pressed whatever the memory holds:
// the game asks only where a press would do something, so a release can go unseen and the
// memory still say "down" when the key or button comes down again.
int Edge(int32_t& down, int32_t& wasDown, bool isDown) {
    down = isDown ? 1 : 0;
    int answer = down ? (wasDown ? KeyHeld : KeyPressed) : (wasDown ? KeyReleased : KeyUp);
    wasDown = down;
    return answer;
}

void ReadKeyboard(uint8_t keys[256]) {
    if (platform::IsHeadless()) {
        for (int i = 0; i < 256; ++i)
            keys[i] = platform::Headless().keys[i];
    } else {
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (const ScanToKey& key : kKeyTable)
            keys[key.code] = (key.scancode < count && state[key.scancode]) ? 0x80 : 0;
        // Alt+Enter switches full screen; its Enter is not the game's Return.
        if (keys[DIK_LALT_CODE] || keys[DIK_RALT_CODE]) keys[DIK_RETURN] = 0;
    }
    // A controller's buttons hold the keys they play as.
    for (const int code : {DIK_LEFT, DIK_RIGHT, DIK_S, DIK_W, DIK_ESCAPE})
        if (platform::PadKeyDown(code)) keys[code] = 0x80;
}

} // namespace

InputKeyboard& InputKeyboard::Instance() {
    static InputKeyboard instance;
    return instance;
}

bool InputKeyboard::Init(WindowHandle window) {
    device = window != nullptr && (platform::IsHeadless() || platform::SdlWindow() != nullptr);
    return device;
}

void InputKeyboard::Shutdown() {
    device = false;
}

int InputKeyboard::CheckKey(int code) {
    if (!device || code < 0 || code > 255) return KeyUp;
    ReadKeyboard(keys);
    const bool latched = TakeLatch(keyLatch[code]);
    const int answer = Edge(keyDown[code], keyWasDown[code], (keys[code] & 0x80) != 0 || latched);
    return latched ? KeyPressed : answer;
}

InputMouse& InputMouse::Instance() {
    static InputMouse instance;
    return instance;
}

bool InputMouse::Init(WindowHandle window) {
    device = window != nullptr && (platform::IsHeadless() || platform::SdlWindow() != nullptr);
    return device;
}

void InputMouse::Shutdown() {
    device = false;
}

int InputMouse::CheckLeftButton() {
    if (!device) return KeyUp;
    bool left = false;
    if (platform::IsHeadless()) {
        mouseState.x = platform::Headless().mouseX;
        mouseState.y = platform::Headless().mouseY;
        left = platform::Headless().leftButton;
    } else {
        int x = 0, y = 0;
        left = (SDL_GetMouseState(&x, &y) & SDL_BUTTON_LMASK) != 0;
        mouseState.x = x;
        mouseState.y = y;
    }
    const bool latched = buttonLatch;
    left = left || latched || platform::PadButtonDown();
    buttonLatch = false;
    mouseState.buttons[0] = left ? 0x80 : 0;
    const int answer = Edge(buttonDown, buttonWasDown, (mouseState.buttons[0] & 0x80) != 0);
    return latched ? KeyPressed : answer;
}

void LatchKeyDown(int code) {
    if (code >= 0 && code <= 255) keyLatch[code] = 1;
}

void LatchLeftButtonDown() {
    buttonLatch = true;
}

void EndInputFrame() {
    for (uint8_t& latch : keyLatch)
        latch = 0;
    buttonLatch = false;
}

namespace platform {

void LatchScancode(int scancode) {
    for (const ScanToKey& key : kKeyTable)
        if (key.scancode == scancode) LatchKeyDown(key.code);
}

} // namespace platform
