// The windmill's ride: while the windmill carries the hero, the world stands still, so the
// windmill's turning picture (its first frame) and the ride strip's poses are seen together at
// fixed places. On every step the hero must hold on to some painted part of the windmill (a
// sail), not hang in the air beside it.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <string>

namespace {

// The carried path as the game keeps it: the ride frame's top left on the page and its pose.
constexpr struct {
    int x, y, frame;
} kCarriedPath[] = {{79, 424, 0},  {79, 448, 1},  {87, 205, 2},  {138, 118, 3}, {229, 157, 4},
                    {264, 226, 0}, {264, 226, 1}, {392, 134, 2}, {490, 212, 3}, {520, 330, 4}};
// Page pixels where the hero and the windmill must both be painted on each step: two picture
// pixels (a mitten on the end of a sail).
constexpr int kMinTouch = 8;

bool Painted(const DecodedPng& png, int x, int y) {
    return x >= 0 && y >= 0 && x < png.width && y < png.height &&
           png.rgba[(size_t(y) * png.width + x) * 4 + 3] >= 128;
}

} // namespace

void DataCheck::CheckWindmillRide(const std::string& windmill, const Placed& mill,
                                  const std::string& ride, int rideW, int rideH) {
    DecodedPng millPng, ridePng;
    std::string why;
    if (!DecodePng(windmill.c_str(), kDataLimits.pictureSide.high, millPng, why) ||
        !DecodePng(ride.c_str(), kDataLimits.pictureSide.high, ridePng, why) ||
        millPng.width < mill.w || millPng.height < mill.h)
        return; // reported by the size checks
    int step = 0;
    for (const auto& key : kCarriedPath) {
        if ((key.frame + 1) * rideW > ridePng.width || rideH > ridePng.height) return;
        int touching = 0;
        // Both are drawn at scale 2: page pixel (px, py) shows picture pixel ((px - x) / 2, ...).
        for (int py = key.y; py < key.y + 2 * rideH; ++py)
            for (int px = key.x; px < key.x + 2 * rideW; ++px) {
                const int mx = px - mill.x, my = py - mill.y;
                if (mx < 0 || my < 0 || mx >= 2 * mill.w || my >= 2 * mill.h) continue;
                touching +=
                    Painted(ridePng, key.frame * rideW + (px - key.x) / 2, (py - key.y) / 2) &&
                    Painted(millPng, mx / 2, my / 2);
            }
        if (touching < kMinTouch)
            Problem(ride + ": on step " + std::to_string(step) + " of the windmill's ride (frame " +
                    std::to_string(key.frame) + " at " + std::to_string(key.x) + ", " +
                    std::to_string(key.y) + ") the hero holds on to nothing of " + windmill +
                    " (at " + std::to_string(mill.x) + ", " + std::to_string(mill.y) +
                    "): " + std::to_string(touching) + " page pixels touch, at least " +
                    std::to_string(kMinTouch) + " needed");
        ++step;
    }
}
