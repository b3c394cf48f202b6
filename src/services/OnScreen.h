#pragma once
#include <cstdint>

// The on-screen test shared by the level and the bag: an object at x with displayed width dw
// comes on when -60 - dw <= x <= 860 and goes off only past those bounds (x < -60 - dw or
// x > 860). An object resting on a bound stays on: were it off there too, it would flip every
// frame, and the rules would see it or not by the count of frames played on that page.
inline bool ComesOnScreen(int32_t x, int32_t dw) {
    return -60 - dw <= x && x <= 860;
}
inline bool GoesOffScreen(int32_t x, int32_t dw) {
    return x < -60 - dw || x > 860;
}
