// Game controllers through a virtual controller on the headless platform: the buttons play as
// the level's keys, the left stick moves the cursor, A clicks, and controllers come and go.
#include "TestSupport.h"
#include "app/Game.h"
#include "services/CCommon.h"
#include <SDL.h>

namespace {

class GamepadTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        pad = headless::AttachVirtualPad();
        ASSERT_GE(pad, 0) << SDL_GetError();
        Pump();
    }
    void TearDown() override {
        headless::DetachVirtualPad(pad);
        Pump();
        HeadlessTest::TearDown();
    }

    // The window messages as the loop takes them (SDL's events first), then the frame's end.
    static void Pump() {
        WindowMessage msg;
        while (PeekWindowMessage(msg))
            WndProc(msg);
    }
    static int Key(int code) { return InputKeyboard::Instance().CheckKey(code); }
    void Button(int button, bool down) {
        headless::SetPadButton(pad, button, down);
        Pump();
    }

    int pad = -1;
};

} // namespace

// Each button holds its key while it is down: Pressed, Held, then Released and Up, as the key's
// own edges; a press and release between two frames still counts once.
TEST_F(GamepadTest, ButtonsPlayAsTheLevelsKeys) {
    const std::pair<int, int> buttons[] = {
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, DIK_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DIK_LEFT},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, DIK_RIGHT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DIK_RIGHT},
        {SDL_CONTROLLER_BUTTON_X, DIK_S},
        {SDL_CONTROLLER_BUTTON_Y, DIK_W},
        {SDL_CONTROLLER_BUTTON_START, DIK_ESCAPE},
    };
    for (const auto& [button, code] : buttons) {
        SCOPED_TRACE(button);
        EXPECT_EQ(Key(code), KeyUp);
        Button(button, true);
        EXPECT_EQ(Key(code), KeyPressed);
        EXPECT_EQ(Key(code), KeyHeld);
        Button(button, false);
        EXPECT_EQ(Key(code), KeyReleased);
        EXPECT_EQ(Key(code), KeyUp);

        Button(button, true); // both between two of the game's frames
        Button(button, false);
        EXPECT_EQ(Key(code), KeyPressed) << "a quick tap was lost";
        EXPECT_EQ(Key(code), KeyReleased);
        EndInputFrame();
    }
    // Buttons with no part to play leave every key alone.
    Button(SDL_CONTROLLER_BUTTON_BACK, true);
    for (int code : {DIK_LEFT, DIK_RIGHT, DIK_S, DIK_W, DIK_ESCAPE, DIK_RETURN, DIK_SPACE})
        EXPECT_EQ(Key(code), KeyUp) << code;
}

// The left stick moves the cursor (0.8 px a millisecond at full tilt, nothing inside its dead
// zone), from wherever the mouse left it and never off the picture; A clicks where it is.
TEST_F(GamepadTest, LeftStickMovesTheCursorAndAClicksThere) {
    headless::MoveMouse(100, 300);
    Pump();
    auto tiltFor = [&](int x, int y, int ms) {
        headless::SetPadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, x);
        headless::SetPadAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, y);
        for (int t = 0; t < ms; t += 10) {
            Pump();
            headless::AdvanceClock(10);
        }
        Pump();
    };
    tiltFor(5000, -5000, 100); // inside the dead zone
    EXPECT_EQ((POINT{cursorX, cursorY}), (POINT{100, 300}));
    tiltFor(32767, 0, 100);
    EXPECT_NEAR(cursorX, 180, 2);
    EXPECT_EQ(cursorY, 300);
    tiltFor(0, -32768, 100);
    EXPECT_NEAR(cursorX, 180, 2);
    EXPECT_NEAR(cursorY, 220, 2);
    tiltFor(0, 0, 100);
    const POINT rest{cursorX, cursorY};
    tiltFor(0, 0, 100);
    EXPECT_EQ((POINT{cursorX, cursorY}), rest) << "the cursor drifts with the stick at rest";

    // The mouse moves it meanwhile; the stick goes on from there.
    headless::MoveMouse(700, 500);
    Pump();
    tiltFor(32767, 32767, 1000);
    EXPECT_EQ((POINT{cursorX, cursorY}), (POINT{799, 599}));
    tiltFor(0, 0, 10);

    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyPressed);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyHeld);
    EXPECT_EQ(CCommon::Instance().mouseDown, 1);
    Button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyReleased);
    EXPECT_EQ(CCommon::Instance().mouseDown, 0);
}

// A controller plugged in while the game runs is used at once; one pulled out with a button held
// lets its key and its click go; plugging one in again works.
TEST_F(GamepadTest, ControllersComeAndGoWhileTheGameRuns) {
    Button(SDL_CONTROLLER_BUTTON_X, true);
    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Key(DIK_S), KeyPressed);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyPressed);
    headless::DetachVirtualPad(pad);
    Pump();
    EXPECT_EQ(Key(DIK_S), KeyReleased);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyReleased);
    EXPECT_EQ(CCommon::Instance().mouseDown, 0);

    // More plug-ins than the game keeps controllers at once: each pulled one made room.
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        pad = headless::AttachVirtualPad();
        ASSERT_GE(pad, 0);
        Pump();
        Button(SDL_CONTROLLER_BUTTON_Y, true);
        EXPECT_EQ(Key(DIK_W), KeyPressed);
        Button(SDL_CONTROLLER_BUTTON_Y, false);
        EXPECT_EQ(Key(DIK_W), KeyReleased);
        if (round == 5) break; // TearDown pulls the last one
        headless::DetachVirtualPad(pad);
        Pump();
    }
}
