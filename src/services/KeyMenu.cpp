#include "services/KeyMenu.h"
#include "platform/Input.h"
#include "platform/Window.h"

namespace {

bool Pressed(int code, WindowHandle window) {
    return InputKeyboard::Instance().CheckKey(code) == KeyPressed && GetActiveWindow() == window;
}

// The second key is asked only when the first did not act.
bool EitherPressed(int first, int second, WindowHandle window) {
    return Pressed(first, window) || Pressed(second, window);
}

} // namespace

int32_t KeyMenu::Update(int32_t count, WindowHandle window) {
    if (highlight != kNone && (cursorX != cursorAtKey.x || cursorY != cursorAtKey.y))
        highlight = kNone; // the mouse moved: its hover shows again
    const bool up = EitherPressed(DIK_UP, DIK_W, window);
    const bool down = !up && EitherPressed(DIK_DOWN, DIK_S, window);
    if (up || down) {
        if (highlight == kNone)
            highlight = 0;
        else if (down && highlight + 1 < count)
            ++highlight;
        else if (up && highlight > 0)
            --highlight;
        cursorAtKey = POINT{cursorX, cursorY};
    }
    if (highlight == kNone || highlight >= count) return kNone;
    return EitherPressed(DIK_RETURN, DIK_SPACE, window) ? highlight : kNone;
}
