#pragma once

// Figures of the ending film, drawn in screen coordinates (the caller maps them into a picture
// with ScreenPlacement): the hero at home in the poses the film needs, its cottage room, and the
// torn-out stone the storyteller brings back.

#include "Ink.h"

#include <cairo.h>

#include <string>

// Sets cr up so that shapes given in screen pixels land in a half-size picture shown at `at`
// with scale 2 (ink widths are halved with everything else).
void ScreenPlacement(cairo_t* cr, Pt at);

enum class HeroEyes { Open, Shut, Up, UpLeft, Sleepy, Asleep };
enum class HeroMouth { Smile, Grin, Yawn, Rest };

struct HeroLook {
    HeroEyes eyes = HeroEyes::Open;
    HeroMouth mouth = HeroMouth::Smile;
    bool hat = true;
    bool scarf = true;
    bool snow = false; // snow on the hat and shoulders
    double tilt = 0.0; // radians, clockwise
    bool feet = true;  // false under a quilt
};

// The pebble hero of the opening film (round grey pebble, red scarf, knitted hat) with the
// given look; (cx, cy) is the middle of its body, size 1 about 100 x 130 pixels.
void DrawHomeHero(cairo_t* cr, double cx, double cy, double size, const HeroLook& look, Rng& rng);

// The hat alone hanging from a peg at (x, y), and the scarf hanging beside it.
void DrawHungHat(cairo_t* cr, double x, double y, double size, Rng& rng);
void DrawHungScarf(cairo_t* cr, double x, double y, double size, Rng& rng);

// The cottage room filling the page (screen 20..800 x 0..600): stone walls, the round window
// with the winter night, the fire, the shelf the stone ends up on, the pegs and the bed.
void DrawRoom(cairo_t* cr, Rng& rng);

// Where things stand in the room (screen pixels).
namespace room {
inline constexpr double Floor = 548;  // the hero's feet while it stands
inline constexpr double BedTop = 500; // the mattress
inline constexpr double BedLeft = 250;
inline constexpr double BedRight = 404;
inline constexpr double ShelfTop = 190; // the stone comes to rest on it (y 98 + its height)
inline constexpr Pt HatPeg{126, 398};
inline constexpr Pt ScarfPeg{82, 398};
} // namespace room

// The torn-out stone as a piece of paper (the picture Bag/Tear/stone.png); the same piece is
// pasted into the hand pictures so they match it exactly.
inline constexpr int kStoneW = 56;
inline constexpr int kStoneH = 46;
inline const std::string kStonePath = "image/Bag/Tear/stone.png";
void DrawStonePiece(cairo_t* cr, Rng& rng); // into (0, 0, kStoneW, kStoneH)
