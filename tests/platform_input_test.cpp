#include "TestSupport.h"
#include "platform/PlatformState.h"
#include <cstdlib>

namespace {

class InputTest : public HeadlessTest {
  protected:
    static int Key(int code) { return InputKeyboard::Instance().CheckKey(code); }
    static int Button() { return InputMouse::Instance().CheckLeftButton(); }
};

TEST_F(InputTest, HeldKeyGoesPressedHeldReleasedUp) {
    EXPECT_EQ(Key(DIK_ESCAPE), KeyUp);
    headless::SetKey(DIK_ESCAPE, true);
    EXPECT_EQ(Key(DIK_ESCAPE), KeyPressed);
    EXPECT_EQ(Key(DIK_ESCAPE), KeyHeld);
    EXPECT_EQ(Key(DIK_ESCAPE), KeyHeld);
    headless::SetKey(DIK_ESCAPE, false);
    EXPECT_EQ(Key(DIK_ESCAPE), KeyReleased);
    EXPECT_EQ(Key(DIK_ESCAPE), KeyUp);
}

TEST_F(InputTest, MemoryAdvancesPerQueryAndPerKey) {
    headless::SetKey(DIK_RIGHT, true);
    headless::SetKey(DIK_D, true);
    // Two askers in one frame: the first sees the press, the second a held key.
    EXPECT_EQ(Key(DIK_RIGHT), KeyPressed);
    EXPECT_EQ(Key(DIK_RIGHT), KeyHeld);
    // A key held but never asked before starts from "up": its first answer is Pressed.
    EXPECT_EQ(Key(DIK_D), KeyPressed);

    // Not asked while released and pressed again: the old memory answers Held.
    headless::SetKey(DIK_RIGHT, false);
    headless::SetKey(DIK_RIGHT, true);
    EXPECT_EQ(Key(DIK_RIGHT), KeyHeld);

    EXPECT_EQ(Key(-1), KeyUp);
    EXPECT_EQ(Key(256), KeyUp);
}

// A tap shorter than a frame: pressed and released before anyone asked still counts as one press,
// answered to the first query; a latch nobody read is dropped when the frame ends.
TEST_F(InputTest, ATapBetweenTwoFramesCountsOnceAndOnlyInItsFrame) {
    for (int code : {DIK_SPACE, DIK_D, DIK_W}) { // keys an earlier test may have left down
        headless::SetKey(code, false);
        keyWasDown[code] = 0;
    }
    headless::SetLeftButton(false);
    buttonWasDown = 0;
    EndInputFrame();
    headless::TapKey(DIK_SPACE);
    EXPECT_EQ(Key(DIK_SPACE), KeyPressed);
    EXPECT_EQ(Key(DIK_SPACE), KeyReleased);
    EXPECT_EQ(Key(DIK_SPACE), KeyUp);

    headless::TapMouse(5, 5);
    EXPECT_EQ(Button(), KeyPressed);
    EXPECT_EQ(Button(), KeyReleased);

    // The real backend's key-down event latches through its scancode.
    platform::LatchScancode(7); // the D key's USB usage, which SDL's scancodes follow
    EXPECT_EQ(Key(DIK_D), KeyPressed);
    EXPECT_EQ(Key(DIK_D), KeyReleased);

    // Tapped in one frame, asked only in the next: gone.
    headless::TapKey(DIK_W);
    headless::TapMouse(5, 5);
    EndInputFrame();
    EXPECT_EQ(Key(DIK_W), KeyUp);
    EXPECT_EQ(Button(), KeyUp);
    WindowMessage msg;
    while (PeekWindowMessage(msg)) { // the taps' messages are not this test's business
    }
}

// The game asks for the button and the keys only where a press would do something, so a release
// can go unasked and the memory still hold "down". A press the window reported in this frame is a
// press all the same: the first asker gets it, a second asker in the frame a held button.
TEST_F(InputTest, AReportedPressCountsEvenWhenTheReleaseWentUnasked) {
    headless::SetLeftButton(false);
    EndInputFrame();
    headless::PressMouse(5, 5);
    ASSERT_EQ(Button(), KeyPressed);
    headless::ReleaseMouse(5, 5); // nobody asks while it is up
    EndInputFrame();
    headless::PressMouse(200, 100);
    EXPECT_EQ(Button(), KeyPressed);
    EXPECT_EQ(Button(), KeyHeld);
    headless::ReleaseMouse(200, 100);
    EndInputFrame();

    headless::SetKey(DIK_D, true);
    ASSERT_EQ(Key(DIK_D), KeyPressed);
    headless::SetKey(DIK_D, false);
    EndInputFrame();
    headless::SetKey(DIK_D, true);
    platform::LatchScancode(7); // the real backend's key-down event for D
    EXPECT_EQ(Key(DIK_D), KeyPressed);
    EXPECT_EQ(Key(DIK_D), KeyHeld);
    headless::SetKey(DIK_D, false);
    WindowMessage msg;
    while (PeekWindowMessage(msg)) { // the presses' messages are not this test's business
    }
}

TEST_F(InputTest, LeftButtonHasTheSameEdges) {
    EXPECT_EQ(Button(), KeyUp);
    headless::PressMouse(12, 34);
    EXPECT_EQ(Button(), KeyPressed);
    EXPECT_EQ(Button(), KeyHeld);
    headless::ReleaseMouse(12, 34);
    EXPECT_EQ(Button(), KeyReleased);
    EXPECT_EQ(Button(), KeyUp);
}

TEST_F(InputTest, DevicesReportWhileAnotherWindowIsActive) {
    headless::SetActive(false);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    // The devices keep reporting; callers drop the edge by comparing the active window.
    headless::SetKey(DIK_A, true);
    EXPECT_EQ(Key(DIK_A), KeyPressed);
    headless::SetActive(true);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(Key(DIK_A), KeyHeld);
}

TEST(InputWithoutDevice, AnswersUpAndKeepsNoMemory) {
    const char* error = "";
    ASSERT_NE(CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error), nullptr);
    // Without devices, as before the first Init (an earlier test in this process may have opened
    // them).
    InputKeyboard::Instance().Shutdown();
    InputMouse::Instance().Shutdown();
    headless::Reset();
    headless::SetKey(DIK_W, true);
    headless::SetLeftButton(true);
    EXPECT_EQ(InputKeyboard::Instance().CheckKey(DIK_W), KeyUp);
    EXPECT_EQ(InputMouse::Instance().CheckLeftButton(), KeyUp);
    EXPECT_EQ(keyWasDown[DIK_W], 0);
}

TEST_F(InputTest, MouseMessagesCarryTheCursorInOrderBeforeQuit) {
    headless::PressMouse(100, 200);
    PostQuitMessage(0);
    WindowMessage msg;
    ASSERT_TRUE(PeekWindowMessage(msg));
    EXPECT_EQ(msg.type, MessageType::MouseMove);
    EXPECT_EQ(msg.x, 100);
    EXPECT_EQ(msg.y, 200);
    ASSERT_TRUE(PeekWindowMessage(msg));
    EXPECT_EQ(msg.type, MessageType::LButtonDown);
    ASSERT_TRUE(PeekWindowMessage(msg));
    EXPECT_EQ(msg.type, MessageType::Quit);
    EXPECT_FALSE(PeekWindowMessage(msg));
}

// Only X11 and Wayland ask for a display variable; the Windows smoke run starts the game without
// one.
#ifdef __unix__
TEST(PlatformStart, WithoutADisplayTheWindowFailsAtOnceWithAReason) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    const char* error = nullptr;
    EXPECT_EQ(CreateGameWindow(DisplayMode::Windowed, "Pebble&Frost", &error), nullptr);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::string(error).find("DISPLAY"), std::string::npos) << error;
}
#endif

TEST_F(InputTest, ErrorBoxesAreRecordedWithTheirCaption) {
    ShowErrorMessage("ERROR", "something failed");
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0], "ERROR: something failed");
}

} // namespace

// The mouse lands on the picture where it points, in a resized window and across switches to
// full screen and back (the headless screen is 1280 x 1024: the picture is scaled by 1.6 with
// bars of 32 px above and below); points in the bars land on the picture's nearest edge.
TEST_F(InputTest, MouseMapsOntoThePictureAcrossResizesAndFullScreenSwitches) {
    enum Action { None, Resize, Toggle };
    struct Step {
        Action action;
        int width, height; // Resize only
        bool fullScreen;
        POINT in, out;
    };
    const Step steps[] = {
        {None, 0, 0, false, {400, 300}, {400, 300}},
        {None, 0, 0, false, {799, 599}, {799, 599}},
        {Resize, 1000, 600, false, {100, 0}, {0, 0}}, // bars of 100 px at the sides
        {None, 0, 0, false, {899, 599}, {799, 599}},
        {None, 0, 0, false, {50, 10}, {0, 10}},
        {None, 0, 0, false, {950, 10}, {799, 10}},
        {Toggle, 0, 0, true, {640, 512}, {400, 300}},
        {None, 0, 0, true, {0, 32}, {0, 0}},
        {None, 0, 0, true, {1279, 991}, {799, 599}},
        {None, 0, 0, true, {16, 5}, {10, 0}},
        {None, 0, 0, true, {16, 1020}, {10, 599}},
        {Resize, 400, 300, true, {640, 512}, {400, 300}}, // the window's size waits meanwhile
        {Toggle, 0, 0, false, {200, 150}, {400, 300}},
        {Toggle, 0, 0, true, {640, 512}, {400, 300}},
        {Toggle, 0, 0, false, {399, 299}, {798, 598}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "at " << step.in.x << "," << step.in.y);
        if (step.action == Resize) headless::ResizeWindow(step.width, step.height);
        if (step.action == Toggle) ToggleFullScreen();
        EXPECT_EQ(IsFullScreen(), step.fullScreen);
        headless::MoveMouseInWindow(step.in.x, step.in.y);
        WindowMessage msg;
        ASSERT_TRUE(PeekWindowMessage(msg));
        EXPECT_EQ(msg.type, MessageType::MouseMove);
        EXPECT_EQ((POINT{msg.x, msg.y}), step.out);
    }
}
