#pragma once

// Figures for the level's character and collision pictures: the pebble hero in any pose, the
// snow elk, and small strokes they share. Everything is drawn at the level's half size (the
// game doubles it), so ink lines stay near 1 px.

#include "Ink.h"

#include <cairo.h>

#include <vector>

namespace levelart {

inline constexpr double Pi = 3.14159265358979323846;

inline constexpr Rgb Snow{0.97, 0.98, 1.0};
inline constexpr Rgb ElkFur{0.80, 0.73, 0.62};
inline constexpr Rgb Antler{0.62, 0.47, 0.30};
inline constexpr Rgb Mitten{0.78, 0.27, 0.22};

// A painted shape of the current path: light base, small wash, ink rim. Clears the path.
void Fill(cairo_t* cr, Rgb colour, Rng& rng, double ink = 0.9, double washAlpha = 0.6);
// A thick round-capped stroke through pts with an ink rim (legs, arms, tails).
void Limb(cairo_t* cr, const std::vector<Pt>& pts, double width, Rgb colour, double ink = 0.8);
void Dot(cairo_t* cr, double x, double y, double r, Rgb colour, double alpha = 1.0);
// A heap of snow whose base runs from x0 to x1 at y, rising `height`.
void SnowHeap(cairo_t* cr, double x0, double x1, double y, double height, Rng& rng);
// Little yellow stars circling over (cx, cy): knocked silly.
void DizzyStars(cairo_t* cr, double cx, double cy, double rx, double phase, Rng& rng);
// Short ink strokes of speed or shaking around a point, pointing along `angle`.
void MotionLines(cairo_t* cr, Pt at, double angle, double length, int count, double spread,
                 Rng& rng, double alpha = 0.7);
void SnowFlecks(cairo_t* cr, double x, double y, double w, double h, int count, Rng& rng);

enum class Face {
    None, // no face drawn (the walker's body: its head is a picture of its own)
    Plain,
    Relieved,
    Cold,
    Surprised,
    Sleepy,
    Upset,
    Happy,
    Dazed,
    Shut,
    Squint,
    Scared,
    Strain,
};

// The pebble hero in one pose. Coordinates are relative to the middle of the pebble at size 1
// (the walker's size): the pebble is 44 x 62, its hat's bobble reaches 44 up, the feet touch
// the ground 42 down. Angles are in radians, 0 pointing right, Pi/2 down.
struct HeroPose {
    Pt at{0, 0};
    double size = 1.0;
    double tilt = 0.0;    // the whole figure turns about `at`
    double squashY = 1.0; // flattened (lying in the snow)
    Face face = Face::Plain;
    bool hat = true;
    bool shadow = true;
    bool feet = true;
    double armBack = 1.9; // arm directions
    double armFront = 1.3;
    double armLength = 13;
    bool arms = true;
    Pt footBack{-9, 38};
    Pt footFront{9, 38};
    double scarfFlow = 0.0; // 0 hangs, 1 streams straight back, negative up
    bool mirror = false;    // facing left
};

// The ink and wash wobbles come from an Rng seeded with `seed`, so the same pose drawn with the
// same seed gives the same strokes (the walker and its head line up to the pixel).
void DrawHero(cairo_t* cr, const HeroPose& pose, const char* seed);
// The hero as the walker shows it in walking frame `frame` of `frames`, in the walker's own
// picture coordinates (the head's picture sits at (17, -27.5) in them). Its face is Face::None.
HeroPose WalkerPose(int frame, int frames);
// The hero's knitted hat alone (knocked off, left on the snow), `at` its brim's middle.
void DrawHat(cairo_t* cr, Pt at, double size, double tilt, Rng& rng);

// The snow elk. At size 1 its body is 80 x 36 around `at`; standing, the hooves reach 57 down
// and the antlers about 80 up; the head is to the right.
struct ElkPose {
    Pt at{0, 0};
    double size = 1.0;
    double tilt = 0.0;     // the body turns (rearing, leaping)
    double neck = 0.9;     // neck direction above the horizontal, radians
    double headDrop = 0.0; // head turned down (grazing, sleeping muzzle on the snow)
    // Each leg: upper and lower direction (Pi/2 = straight down).
    double backUpper[2] = {Pi / 2, Pi / 2}, backLower[2] = {Pi / 2, Pi / 2};
    double frontUpper[2] = {Pi / 2, Pi / 2}, frontLower[2] = {Pi / 2, Pi / 2};
    double legLength = 1.0;
    bool lying = false; // legs folded under the body
    bool eyesShut = false;
    bool shadow = true;
};
void DrawElk(cairo_t* cr, const ElkPose& pose, Rng& rng);
// Legs for a trot at phase 0..1.
void ElkTrot(ElkPose& pose, double phase);

} // namespace levelart
