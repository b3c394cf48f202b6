#pragma once
#include <cstdint>

// Rectangles and points in screen pixels; right and bottom are exclusive.
struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const RECT&) const = default;
};

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const POINT&) const = default;
};

// Left and top inclusive, right and bottom exclusive.
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Overlap test: max left < min right and max top < min bottom. Writes the overlap (or an empty
// rectangle) into out when given.
inline bool IntersectRect(RECT* out, const RECT& a, const RECT& b) {
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    bool hit = r.left < r.right && r.top < r.bottom;
    if (out) *out = hit ? r : RECT{};
    return hit;
}

// The game window, as the scenes and input see it. Opaque; compare against GetActiveWindow().
using WindowHandle = struct GameWindow*;
