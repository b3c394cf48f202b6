#include "TestSupport.h"
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

    // A press and release between two queries is not seen.
    headless::SetKey(DIK_SPACE, true);
    headless::SetKey(DIK_SPACE, false);
    EXPECT_EQ(Key(DIK_SPACE), KeyUp);

    EXPECT_EQ(Key(-1), KeyUp);
    EXPECT_EQ(Key(256), KeyUp);
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
