#pragma once

// Where the windmill's sails and the hero riding them meet. The game carries the hero through
// ten fixed places while the world stands still and the windmill stays where it caught him;
// the ride strip's five poses are each shown at two of those places. The sails turn with him:
// after its own frames the windmill's picture holds one frame for each step of the ride, its
// rotor turned so that one sail's tip lies in his hands (on steps 5 and 6, over the hub, he holds
// that sail part way along it).

#include "Ink.h"

#include <cmath>

namespace levelart::windmill {

// The windmill's place on the page (its frame's top left) when its sail catches the walker.
inline constexpr Pt kCatchPlace{183, 170};
// The carried path: the ride strip frame's top left on the page at each step, and its pose.
inline constexpr int kSteps = 10;
inline constexpr Pt kPath[kSteps] = {{79, 424},  {79, 448},  {87, 205},  {138, 118}, {229, 157},
                                     {264, 226}, {264, 226}, {392, 134}, {490, 212}, {520, 330}};
inline constexpr int kPose[kSteps] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4};

// In the windmill's frame (half size, as painted): the hub and the length of a sail.
inline constexpr Pt kHub{98.5, 115};
inline constexpr double kSail = 115;

// Where the hands hold on in each pose of the ride strip (its frame's pixels, half size).
inline constexpr Pt kGrip[5] = {
    {55.16, 52.31}, {55.16, 40.31}, {51.15, 33.21}, {51.11, 49.67}, {42.54, 11.33}};

// The hands at `step` in the windmill's frame.
inline Pt HandsAt(int step) {
    const Pt grip = kGrip[kPose[step]];
    return {(kPath[step].x - kCatchPlace.x) / 2 + grip.x,
            (kPath[step].y - kCatchPlace.y) / 2 + grip.y};
}

// The angle (radians, y down) of the sail the hero holds at `step`: through his hands. The rotor
// turns towards larger angles, up from the snow on the left, over the cap and down the right.
inline double HeldSailAt(int step) {
    const Pt hands = HandsAt(step);
    return std::atan2(hands.y - kHub.y, hands.x - kHub.x);
}

} // namespace levelart::windmill
