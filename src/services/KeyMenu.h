#pragma once
#include "platform/Types.h"
#include <cstdint>

// A keyboard highlight over a column of menu buttons: Up or W and Down or S move it, Return or
// Space chooses. Nothing is highlighted before the first key; the first key highlights the top
// button and the highlight stops at both ends. Moving the mouse hands the menu back to it.
struct KeyMenu {
    static constexpr int32_t kNone = -1;

    int32_t highlight = kNone;
    POINT cursorAtKey; // where the mouse was when a key last moved the highlight

    // One frame of the menu's keys over `count` buttons. Answers the chosen button, or kNone.
    // Return and Space are asked only while a button is highlighted, so that without a highlight
    // they reach whoever else asks for them.
    int32_t Update(int32_t count, WindowHandle window);
    void Reset() { highlight = kNone; }
};
