// The windmill's ride: while the windmill carries the hero, the world stands still and the
// windmill shows, after its own frames, the frame of the carry step, its rotor turned with him.
// On every step the hero must hold on to a sail: his pose touches that frame, and his hands lie
// on the rotor (painted there, and moved on in another step's frame), not on the cap or in the
// air beside the sails.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

// The carried path as the game keeps it: the ride frame's top left on the page and its pose.
constexpr struct {
    int x, y, frame;
} kCarriedPath[] = {{79, 424, 0},  {79, 448, 1},  {87, 205, 2},  {138, 118, 3}, {229, 157, 4},
                    {264, 226, 0}, {264, 226, 1}, {392, 134, 2}, {490, 212, 3}, {520, 330, 4}};
constexpr int kSteps = int(std::size(kCarriedPath));
// Page pixels where the hero and the windmill must both be painted on each step: two picture
// pixels (a mitten on the end of a sail).
constexpr int kMinTouch = 8;
// Where the hands hold on in each pose of the ride strip, as parts of its frame (the strip's
// frames are 60 x 60).
constexpr struct {
    double x, y;
} kHands[5] = {{55.16 / 60, 52.31 / 60},
               {55.16 / 60, 40.31 / 60},
               {51.15 / 60, 33.21 / 60},
               {51.11 / 60, 49.67 / 60},
               {42.54 / 60, 11.33 / 60}};
// The windmill's pixels in the square of picture pixels round the hands (the four holding them,
// and two more on every side): at least kMinHeld painted, and at least half of those the rotor's.
constexpr int kHandsRadius = 2;
constexpr int kMinHeld = 8;
// A channel this far apart in another step's frame: the pixel moved on with the rotor.
constexpr int kMoved = 48;

const uint8_t* PixelAt(const DecodedPng& png, int x, int y) {
    return &png.rgba[(size_t(y) * png.width + x) * 4];
}

bool Painted(const DecodedPng& png, int x, int y) {
    return x >= 0 && y >= 0 && x < png.width && y < png.height && PixelAt(png, x, y)[3] >= 128;
}

// The top left of the windmill's frame for `step`: five to a row below two rows of its own.
void RideFrameOrigin(int step, int w, int h, int& x, int& y) {
    x = step % 5 * w;
    y = (2 + step / 5) * h;
}

} // namespace

void DataCheck::CheckWindmillRide(const std::string& windmill, const Placed& mill, int millFrames,
                                  const std::string& ride, int rideW, int rideH) {
    DecodedPng millPng, ridePng;
    std::string why;
    if (!DecodePng(windmill.c_str(), kDataLimits.pictureSide.high, millPng, why) ||
        !DecodePng(ride.c_str(), kDataLimits.pictureSide.high, ridePng, why))
        return; // reported by the size checks
    int ox[kSteps], oy[kSteps];
    for (int step = 0; step < kSteps; ++step) {
        RideFrameOrigin(step, mill.w, mill.h, ox[step], oy[step]);
        if (ox[step] + mill.w > millPng.width || oy[step] + mill.h > millPng.height)
            return; // reported by the size checks
    }
    // Whether the windmill's pixel (mx, my) of its frame at `step` is the rotor's: painted, and
    // gone or changed in some other step's frame.
    auto Rotor = [&](int step, int mx, int my) {
        if (!Painted(millPng, ox[step] + mx, oy[step] + my)) return false;
        const uint8_t* here = PixelAt(millPng, ox[step] + mx, oy[step] + my);
        for (int other = 0; other < kSteps; ++other) {
            const uint8_t* there = PixelAt(millPng, ox[other] + mx, oy[other] + my);
            if (there[3] < 128) return true;
            for (int c = 0; c < 3; ++c)
                if (std::abs(int(here[c]) - int(there[c])) > kMoved) return true;
        }
        return false;
    };
    for (int step = 0; step < kSteps; ++step) {
        const auto& key = kCarriedPath[step];
        if ((key.frame + 1) * rideW > ridePng.width || rideH > ridePng.height) return;
        const std::string which = ride + ": on step " + std::to_string(step) +
                                  " of the windmill's ride (pose " + std::to_string(key.frame) +
                                  " at " + std::to_string(key.x) + ", " + std::to_string(key.y) +
                                  ") the hero ";
        const std::string what = windmill + "'s frame " + std::to_string(millFrames + step) +
                                 " (at " + std::to_string(mill.x) + ", " + std::to_string(mill.y) +
                                 ")";
        int touching = 0;
        // Both are drawn at scale 2: page pixel (px, py) shows picture pixel ((px - x) / 2, ...).
        for (int py = key.y; py < key.y + 2 * rideH; ++py)
            for (int px = key.x; px < key.x + 2 * rideW; ++px) {
                const int mx = px - mill.x, my = py - mill.y;
                if (mx < 0 || my < 0 || mx >= 2 * mill.w || my >= 2 * mill.h) continue;
                touching +=
                    Painted(ridePng, key.frame * rideW + (px - key.x) / 2, (py - key.y) / 2) &&
                    Painted(millPng, ox[step] + mx / 2, oy[step] + my / 2);
            }
        if (touching < kMinTouch) {
            Problem(which + "holds on to nothing of " + what + ": " + std::to_string(touching) +
                    " page pixels touch, at least " + std::to_string(kMinTouch) + " needed");
            continue;
        }
        // The hands in the windmill's frame (picture pixels).
        const double hx = (key.x + 2 * kHands[key.frame % 5].x * rideW - mill.x) / 2;
        const double hy = (key.y + 2 * kHands[key.frame % 5].y * rideH - mill.y) / 2;
        int painted = 0, onRotor = 0;
        for (int my = int(hy) - kHandsRadius; my <= int(hy) + kHandsRadius + 1; ++my)
            for (int mx = int(hx) - kHandsRadius; mx <= int(hx) + kHandsRadius + 1; ++mx) {
                if (mx < 0 || my < 0 || mx >= mill.w || my >= mill.h ||
                    !Painted(millPng, ox[step] + mx, oy[step] + my))
                    continue;
                ++painted;
                onRotor += Rotor(step, mx, my);
            }
        if (painted < kMinHeld || 2 * onRotor < painted)
            Problem(which + "holds no sail: of the " + std::to_string(painted) +
                    " painted pixels of " + what + " round the hands (" + std::to_string(int(hx)) +
                    ", " + std::to_string(int(hy)) + "), " + std::to_string(onRotor) +
                    " are the turning rotor's; at least " + std::to_string(kMinHeld) +
                    " painted, half of them the rotor's, needed");
    }
}
