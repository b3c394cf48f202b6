#pragma once
#include "platform/Types.h"
#include <cstdint>

// Key and button edges: the memory of the previous answer advances per query, not per frame.
enum KeyState { KeyUp = 0, KeyPressed = 1, KeyHeld = 2, KeyReleased = 3 };

// Keyboard scan codes the game asks for (the classic DirectInput numbering).
enum KeyCode : int {
    DIK_ESCAPE = 1,
    DIK_MINUS = 12,
    DIK_EQUALS = 13, // the + key shares it
    DIK_W = 17,
    DIK_I = 23,
    DIK_RETURN = 28,
    DIK_A = 30,
    DIK_S = 31,
    DIK_D = 32,
    DIK_M = 50,
    DIK_SPACE = 57,
    DIK_F2 = 60,
    DIK_SUBTRACT = 74, // keypad -
    DIK_ADD = 78,      // keypad +
    DIK_F11 = 87,
    DIK_UP = 200,
    DIK_LEFT = 203,
    DIK_RIGHT = 205,
    DIK_DOWN = 208,
};

class InputKeyboard {
  public:
    static InputKeyboard& Instance();
    virtual ~InputKeyboard() = default;

    bool Init(WindowHandle window); // true when the keyboard is available
    void Shutdown();
    int CheckKey(int code); // KeyState of the code (0 to 255)

    uint8_t keys[256] = {}; // last state read; bit 0x80 = down
    bool device = false;

  private:
    InputKeyboard() = default;
};

struct MouseState {
    int32_t x = 0, y = 0, wheel = 0;
    uint8_t buttons[4] = {}; // bit 0x80 = down
};

class InputMouse {
  public:
    static InputMouse& Instance();
    virtual ~InputMouse() = default;

    bool Init(WindowHandle window);
    void Shutdown();
    int CheckLeftButton(); // KeyState of the left button

    WindowHandle window = nullptr;
    bool device = false;
    MouseState mouseState;

  private:
    InputMouse() = default;
};

// A press that comes and goes between two frames still counts once: going down latches a key or
// the left button until its next read or the end of the frame, whichever comes first (a latch
// nobody read is dropped, so a tap in one scene never reaches the next).
void LatchKeyDown(int code); // DirectInput code
void LatchLeftButtonDown();
void EndInputFrame(); // after every frame's Update

// Edge memory, process-wide; never reset between scenes.
extern int32_t keyDown[256];
extern int32_t keyWasDown[256];
extern int32_t buttonDown;
extern int32_t buttonWasDown;
