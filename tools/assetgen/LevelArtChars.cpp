// The hero's level strips: walking, the heads, and every special state. Where a strip holds a
// rider, the elk and the hero are drawn with the same figures as everywhere else.

#include "LevelArtChars.h"

#include "BagItemParts.h"
#include "LevelArtKit.h"
#include "TitleArt.h"
#include "WindmillRide.h"

#include <cmath>
#include <string>

namespace levelart {

namespace {

std::string Seed(const char* strip, int frame) {
    return std::string("level hero ") + strip + "#" + std::to_string(frame);
}

void Walk(cairo_t* cr, double, double, int f, int n, Rng&) {
    DrawHero(cr, WalkerPose(f, n), Seed("walk", f).c_str());
}

// The heads: the walker's figure moved so the head's box is the picture, with a face. At the
// walker's own size, so that the head meets the body without a step.
template <Face F> void Head(cairo_t* cr, double, double, int f, int n, Rng&) {
    HeroPose p = WalkerPose(f, n);
    p.at.x -= 17;
    p.at.y += 27.5;
    p.face = F;
    DrawHero(cr, p, Seed("walk", f).c_str());
}

// The hero keeps the walker's size while it stumbles and falls: the strip follows the walker on
// the same page.
void KnockedDown(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    if (f == 0) {            // stumbling back, arms up
        p.at = {33, h - 38}; // the walker's middle: the frame is wider to the right only
        p.tilt = -0.35;
        p.face = Face::Surprised;
        p.armFront = -1.2;
        p.armBack = -2.2;
        p.footFront = {14, 34};
        p.scarfFlow = -0.5;
        DrawHero(cr, p, Seed("down", f).c_str());
        MotionLines(cr, {62, h * 0.45}, 0, 6, 3, 5, rng);
    } else if (f == 1) { // falling, the hat flying off
        p.at = {34, h - 30};
        p.tilt = -1.0;
        p.hat = false;
        p.shadow = false;
        p.face = Face::Scared;
        p.armFront = -0.6;
        p.armBack = -2.6;
        p.scarfFlow = -1;
        DrawHero(cr, p, Seed("down", f).c_str());
        DrawHat(cr, {20, h * 0.18}, 1.0, -0.8, rng);
        MotionLines(cr, {24, h * 0.3}, -2.2, 6, 3, 4, rng);
    } else { // flat on its back, seeing stars, the hat on the snow
        p.at = {w * 0.55, h - 17};
        p.size = 0.9;
        p.squashY = 0.85;
        p.tilt = -Pi / 2;
        p.hat = false;
        p.shadow = false;
        p.face = Face::Dazed;
        p.armFront = -1.0;
        p.armBack = 2.6;
        p.scarfFlow = 0.6;
        DrawHero(cr, p, Seed("down", f).c_str());
        DrawHat(cr, {w * 0.1, h - 3}, 0.8, -0.5, rng);
        DizzyStars(cr, w * 0.35, h - 44, 14, 0.6, rng);
    }
}

// Where a hand of `pose` ends, relative to `pose.at` (as DrawHero draws the arm).
Pt HandOffset(const HeroPose& pose, Pt shoulder, double angle) {
    const double l = pose.armLength;
    const Pt local{
        shoulder.x + 0.55 * l * std::cos(angle - 0.15) + 0.5 * l * std::cos(angle + 0.15),
        shoulder.y + 0.55 * l * std::sin(angle - 0.15) + 0.5 * l * std::sin(angle + 0.15)};
    const double c = std::cos(pose.tilt), s = std::sin(pose.tilt);
    return {pose.size * (c * local.x - s * local.y), pose.size * (s * local.x + c * local.y)};
}

// Places the figure so that its front hand holds `grip`, and turns the back arm to reach as near
// to it as it can.
void HangFrom(HeroPose& pose, Pt grip) {
    const Pt front = HandOffset(pose, {13, -5}, pose.armFront);
    pose.at = {grip.x - front.x, grip.y - front.y};
    double best = 1e9;
    for (int k = 0; k < 360; ++k) {
        const double angle = k * Pi / 180;
        const Pt back = HandOffset(pose, {-13, -5}, angle);
        const double miss = std::hypot(pose.at.x + back.x - grip.x, pose.at.y + back.y - grip.y);
        if (miss < best) {
            best = miss;
            pose.armBack = angle;
        }
    }
}

// The hero holds a sail tip of the windmill's rotor with both hands (the windmill paints the
// sail; WindmillRide.h says where).
void WindmillRide(cairo_t* cr, double, double, int f, int, Rng& rng) {
    struct Key {
        double tilt, arm, armLength; // the figure's turn, and its front arm in the figure
        Face face;
        double flow;
        Pt footFront, footBack;
    };
    // Turned so that the whole figure keeps inside its frame while the hands hold the tip.
    const Key keys[5] = {
        {0.65, 0.5, 28, Face::Surprised, 0, {12, 34}, {-8, 38}},   // crouch, the sail comes
        {0.3, 0.1, 24, Face::Scared, -0.6, {10, 36}, {-6, 40}},    // grab
        {1.25, -1.9, 28, Face::Strain, 1, {14, 34}, {-4, 40}},     // swung up
        {2.74, -2.04, 28, Face::Scared, -1, {12, 34}, {-6, 40}},   // upside down
        {0.05, -1.65, 24, Face::Surprised, 1, {14, 32}, {-8, 38}}, // hanging below the tip
    };
    const Key& k = keys[f % 5];
    HeroPose p;
    p.size = 0.5;
    p.shadow = false;
    p.armLength = k.armLength;
    p.tilt = k.tilt;
    p.armFront = k.arm;
    p.face = k.face;
    p.scarfFlow = k.flow;
    p.footFront = k.footFront;
    p.footBack = k.footBack;
    const Pt grip = windmill::kGrip[f % 5];
    HangFrom(p, grip);
    DrawHero(cr, p, Seed("windmill", f).c_str());
    MotionLines(cr, {p.at.x - 14, p.at.y}, Pi / 2 + 0.4 * f, 5, 3, 4, rng, 0.5);
}

void WindmillFall(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 0.62;
    p.shadow = false;
    p.at = {w / 2, h / 2 + 2};
    p.tilt = -0.5 + f * 1.6; // frame 2: upside down, tumbling
    p.armFront = -1.6;
    p.armBack = -1.9;
    p.face = Face::Scared;
    p.scarfFlow = -1;
    DrawHero(cr, p, Seed("fall", f).c_str());
    MotionLines(cr, {w / 2, 6}, -Pi / 2, 5, 4, 6, rng);
    InkCurve(cr, {w * 0.12, h * 0.6}, {w * 0.05, h * 0.3}, {w * 0.2, h * 0.1}, {w * 0.4, h * 0.08},
             0.6, rng, palette::Sepia, 0.6);
}

void LandedDazed(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    SnowHeap(cr, 2, w - 2, h, 5, rng);
    HeroPose p;
    p.size = 0.62;
    p.squashY = 0.75;
    p.at = {w * 0.45, h - 8};
    p.tilt = -Pi / 2;
    p.shadow = false;
    p.feet = true;
    p.face = f == 0 ? Face::Dazed : Face::Shut;
    p.armFront = 0.2;
    p.armBack = 2.9;
    p.armLength = 10;
    p.scarfFlow = 0.5;
    DrawHero(cr, p, Seed("landed", 0).c_str());
    if (f == 0) DizzyStars(cr, w * 0.42, 4, 9, 0.3, rng);
}

void HeroOnElk(cairo_t* cr, const ElkPose& e, const char* seed, Face face, double armFront,
               double flow) {
    HeroPose p;
    p.size = 0.9;
    p.shadow = false;
    const double c = std::cos(e.tilt), s = std::sin(e.tilt);
    const Pt seat{8 * e.size, -44 * e.size};
    p.at = {e.at.x + c * seat.x - s * seat.y, e.at.y + s * seat.x + c * seat.y};
    p.tilt = e.tilt;
    p.footBack = {-2, 30};
    p.footFront = {14, 28};
    p.armFront = armFront;
    p.armBack = armFront + 0.4;
    p.armLength = 21;
    p.face = face;
    p.scarfFlow = flow;
    DrawHero(cr, p, seed);
}

void ElkRide(cairo_t* cr, double, double h, int f, int n, Rng& rng) {
    ElkPose e;
    e.at = {64, h - 58 - 1.5 * std::abs(std::sin(2 * Pi * f / n))};
    ElkTrot(e, double(f) / n);
    DrawElk(cr, e, rng);
    HeroOnElk(cr, e, Seed("ride", f).c_str(), Face::Happy, -0.25, 0.7);
    SnowFlecks(cr, 4, h - 14, 40, 10, 4, rng);
}

void ElkJump(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    struct Key {
        double y, tilt, bu, bl, fu, fl;
        Face face;
    };
    // Take-off and landing are drawn where the frame's foot is the lane (y 571 on the page), so
    // the hooves stand on the snow inside the frame; the flight frames are placed higher by the
    // game and keep the elk at the height of their arc.
    const double flight = h - 14;
    const Key keys[5] = {
        {h - 60, -0.35, 2.0, 2.3, 0.6, 1.6, Face::Strain},         // take-off: hind legs push
        {flight - 72, -0.25, 2.4, 2.6, 0.3, 2.0, Face::Surprised}, // rising, front legs tucked
        {flight - 80, 0.0, 2.8, 2.9, 0.25, 0.5, Face::Happy},      // stretched flight
        {flight - 74, 0.25, 2.3, 2.1, 1.0, 1.2, Face::Happy},      // coming down
        {h - 60, 0.12, 1.9, 1.7, 1.45, 1.55, Face::Plain},         // landing
    };
    const Key& k = keys[f % 5];
    ElkPose e;
    e.at = {w * 0.42, k.y};
    e.tilt = k.tilt;
    e.neck = 0.7;
    e.shadow = false;
    for (int i = 0; i < 2; ++i) {
        e.backUpper[i] = k.bu - 0.15 * i;
        e.backLower[i] = k.bl - 0.1 * i;
        e.frontUpper[i] = k.fu + 0.15 * i;
        e.frontLower[i] = k.fl + 0.1 * i;
    }
    if (f == 0 || f == 4) { // the shadow only while the hooves are on the snow
        PathEllipse(cr, w * 0.45, h - 3, 40 - 8 * std::abs(2 - f), 3);
        SetColour(cr, palette::Sepia, 0.18);
        cairo_fill(cr);
    }
    DrawElk(cr, e, rng);
    HeroOnElk(cr, e, Seed("jump", f).c_str(), k.face, f == 2 ? -1.2 : -0.3, 1.0);
    MotionLines(cr, {10, k.y - 10}, Pi, 8, 3, 6, rng, 0.5);
    if (f == 0 || f == 4) SnowFlecks(cr, w * 0.15, h - 12, 40, 10, 6, rng);
}

void ThrownOff(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    ElkPose e;
    e.at = {w * 0.5, h - 60};
    if (f < 2) { // rearing on its hind legs
        e.tilt = -0.55;
        e.at = {w * 0.55, h - 70};
        e.neck = 1.2;
        e.backUpper[0] = e.backUpper[1] = 1.9;
        e.backLower[0] = e.backLower[1] = 1.3;
        e.frontUpper[0] = 0.7;
        e.frontLower[0] = 1.7;
        e.frontUpper[1] = 0.9;
        e.frontLower[1] = 1.9;
    }
    DrawElk(cr, e, rng);
    HeroPose p;
    p.size = 0.8;
    p.shadow = false;
    if (f == 0) {
        p.at = {w * 0.4, h * 0.28};
        p.tilt = -0.8;
        p.face = Face::Scared;
        p.armFront = -1.4;
        p.armBack = -2.2;
        p.scarfFlow = -1;
    } else if (f == 1) {
        p.at = {w * 0.18, h * 0.3};
        p.tilt = -2.2;
        p.face = Face::Scared;
        p.hat = false;
        p.armFront = -0.6;
        p.armBack = 2.4;
        p.scarfFlow = -1;
        DrawHat(cr, {w * 0.3, h * 0.1}, 0.8, 1.2, rng);
        MotionLines(cr, {w * 0.28, h * 0.4}, -0.3, 8, 3, 5, rng);
    } else {
        SnowHeap(cr, 0, w * 0.45, h, 8, rng);
        p.at = {w * 0.22, h - 18};
        p.size = 0.7;
        p.tilt = -Pi / 2;
        p.squashY = 0.85;
        p.hat = false;
        p.face = Face::Dazed;
        p.armFront = 0.3;
        p.armBack = 2.8;
        DrawHat(cr, {w * 0.05, h - 3}, 0.6, -0.4, rng);
        DizzyStars(cr, w * 0.2, h - 40, 12, 1.2, rng);
    }
    DrawHero(cr, p, Seed("thrown", f).c_str());
}

// The climb is drawn without the elk: the awake elk itself stays on the page behind it.
void ElkMount(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 0.9;
    p.shadow = f == 0;
    p.armLength = 18;
    switch (f) {
    case 0: // grabbing the fur
        p.at = {w * 0.42, h - 38};
        p.face = Face::Strain;
        p.armFront = -1.0;
        p.armBack = -1.3;
        break;
    case 1: // pulling up
        p.at = {w * 0.36, h - 34};
        p.tilt = 0.5;
        p.face = Face::Strain;
        p.armFront = -0.6;
        p.armBack = -0.2;
        p.footBack = {-12, 32};
        p.footFront = {-2, 40};
        break;
    default: // sitting, settling, waving
        p.at = {w * 0.38, h - 31 + (f == 3 ? 1 : 0)};
        p.face = f == 4 ? Face::Happy : Face::Plain;
        p.footBack = {-2, 28};
        p.footFront = {14, 27};
        p.armFront = f == 4 ? -1.3 : 0.3;
        p.armBack = f == 4 ? 0.9 : 0.8;
        p.armLength = f == 4 ? 16 : 18;
        p.scarfFlow = 0.3;
        break;
    }
    DrawHero(cr, p, Seed("mount", f).c_str());
    if (f == 4) MotionLines(cr, {w * 0.55, h * 0.12}, -1.2, 4, 3, 4, rng, 0.6);
}

void ElkSlip(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 0.9;
    p.shadow = false;
    p.armLength = 18;
    switch (f) {
    case 0: // grabbing the frosty fur
        p.at = {w * 0.42, h - 38};
        p.shadow = true;
        p.face = Face::Strain;
        p.armFront = -1.0;
        p.armBack = -1.3;
        break;
    case 1: // halfway up, slipping
        p.at = {w * 0.42, h * 0.42};
        p.tilt = 0.35;
        p.face = Face::Surprised;
        p.armFront = -0.5;
        p.armBack = -0.9;
        break;
    case 2: // sliding down the flank
        p.at = {w * 0.45, h * 0.58};
        p.tilt = -0.5;
        p.face = Face::Scared;
        p.armFront = -1.7;
        p.armBack = -2.3;
        p.scarfFlow = -1;
        MotionLines(cr, {w * 0.7, h * 0.2}, Pi / 2, 8, 3, 5, rng);
        break;
    case 3: // into the snow
        p.at = {w * 0.55, h - 40};
        p.tilt = -0.9;
        p.face = Face::Dazed;
        p.armFront = -1.2;
        p.armBack = -2.6;
        SnowFlecks(cr, w * 0.2, h - 30, w * 0.6, 20, 8, rng);
        break;
    default: // sitting in the snow, brushing off frost
        p.at = {w * 0.5, h - 36};
        p.squashY = 0.95;
        p.face = Face::Cold;
        p.footBack = {-4, 30};
        p.footFront = {16, 28};
        p.armFront = 0.4;
        p.armBack = 2.2;
        break;
    }
    if (f >= 3) SnowHeap(cr, 8, w - 8, f == 3 ? h - 2 : h - 4, 8, rng);
    DrawHero(cr, p, Seed("slip", f).c_str());
    if (f >= 1 && f <= 2) SnowFlecks(cr, w * 0.55, h * 0.3, 30, 40, 5, rng);
}

void ElkDismount(cairo_t* cr, double, double h, int f, int n, Rng& rng) {
    ElkPose e;
    e.at = {f == 0 ? 72.0 : 58.0, h - 58};
    if (f >= 1) { // kneeling
        e.lying = true;
        e.at.y = h - 22;
        e.neck = 0.7;
    }
    DrawElk(cr, e, rng);
    if (f == 0) {
        HeroOnElk(cr, e, Seed("dismount", f).c_str(), Face::Plain, 0.6, 0.3);
        return;
    }
    // Through the gateway the hero stands 10 px right of where the walker takes over: the
    // gate is that far further right on the dismount's pages than on the walker's first one (the
    // lane scrolls on as the walker takes over), so he is on the same spot of the lane.
    constexpr double kThroughGate = 142.5;
    if (f == n - 1 || f == 4) { // standing clear of the gate
        HeroPose p = WalkerPose(0, 5);
        p.at.x += kThroughGate;
        p.at.y += 107;
        p.face = Face::Plain;
        DrawHero(cr, p, Seed("walk", 0).c_str());
        return;
    }
    HeroPose p;
    p.size = 1.0;
    // The stable gate is drawn over the hero, and a gate post across his body reads as a bar
    // through him: he slides down the flank short of the gateway and is next seen already
    // through it, standing clear at its right like the walker who takes over.
    if (f == 1) { // sliding down the flank
        p.at = {88, h - 62};
        p.tilt = 0.6;
        p.shadow = false;
        p.face = Face::Happy;
        p.armFront = -0.9;
        p.armBack = -1.8;
        MotionLines(cr, {110, h - 96}, 0.9, 6, 3, 4, rng);
    } else { // through the gateway, on the snow, turning to walk on
        p = WalkerPose(f == 2 ? 1 : 3, 5);
        p.at.x += kThroughGate;
        p.at.y += f == 2 ? 104 : 107; // the last of the little hop down
        p.face = f == 2 ? Face::Happy : Face::Plain;
    }
    DrawHero(cr, p, Seed("dismount", f).c_str());
}

void RingBell(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    // The rope hangs from the lamp post's bell above the picture.
    const double pull[5] = {0, 2, 10, 3, 0};
    const double ropeX = w * 0.78;
    InkLine(cr, {{ropeX, 0}, {ropeX + 0.5, 14 + pull[f]}}, 1.4, rng, palette::Wood);
    PathEllipse(cr, ropeX + 0.5, 16 + pull[f], 1.8, 2.4);
    Fill(cr, palette::Wood, rng, 0.6);
    HeroPose p;
    p.size = 0.85;
    p.at = {w * 0.45, h - 37};
    p.armLength = 18;
    const Face faces[5] = {Face::Plain, Face::Strain, Face::Strain, Face::Happy, Face::Surprised};
    const double arm[5] = {-1.1, -1.0, -0.8, -0.2, 0.9};
    p.face = faces[f];
    p.armFront = arm[f];
    p.armBack = f == 2 ? -1.2 : 1.9;
    if (f == 1 || f == 2) p.at.y += f - 1.0; // hanging its weight on it
    DrawHero(cr, p, Seed("bell", f).c_str());
    if (f >= 2 && f <= 3) { // ringing
        for (int k = 0; k < 3; ++k)
            InkCurve(cr, {ropeX - 10 + k * 8, 10 - k * 1.0}, {ropeX - 6 + k * 8, 6},
                     {ropeX - 2 + k * 8, 6}, {ropeX + 2 + k * 8, 10 - k * 1.0}, 0.6, rng,
                     palette::Ochre, 0.9);
    }
    if (f == 4) InkLine(cr, {{w * 0.5, 4}, {w * 0.5, 9}}, 0.8, rng, palette::Sepia);
}

void BalloonFlight(cairo_t* cr, double w, double, int f, int, Rng& rng) {
    const double wobble = f == 1 ? 0.25 : 0.0;
    cairo_save(cr);
    cairo_translate(cr, w * 0.55, 2);
    cairo_rotate(cr, wobble);
    bagart::Balloon(cr, 28, 36, 0, rng);
    cairo_restore(cr);
    const Pt knot{w * 0.55 + 14 - wobble * 20, 38};
    HeroPose p;
    p.size = 0.55;
    p.shadow = false;
    p.at = {knot.x - 8, knot.y + 22};
    p.tilt = f == 1 ? -0.15 : 0.05;
    p.armFront = -1.35;
    p.armBack = -1.6;
    p.armLength = 22;
    p.face = f == 1 ? Face::Scared : Face::Surprised;
    p.footFront = {8, 42};
    p.footBack = {-6, 44};
    InkCurve(cr, knot, {knot.x - 2, knot.y + 4}, {knot.x - 4, knot.y + 7}, {p.at.x + 5, knot.y + 9},
             0.6, rng, palette::Sepia);
    DrawHero(cr, p, Seed("balloon", f).c_str());
    if (f == 1) MotionLines(cr, {w * 0.3, 18}, Pi * 0.9, 6, 3, 4, rng);
}

void PitFall(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 0.85; // as near the walker's size as the frame allows
    p.shadow = false;
    if (f == 0) { // teetering on the edge
        p.at = {w * 0.5, h - 32};
        p.tilt = 0.35;
        p.face = Face::Scared;
        p.armFront = -2.4;
        p.armBack = -0.6;
        p.footBack = {-8, 38};
        p.footFront = {12, 34};
        MotionLines(cr, {w * 0.15, h * 0.35}, Pi, 4, 2, 5, rng);
    } else if (f == 1) { // dropping through the gap
        p.at = {w * 0.5, h - 6};
        p.hat = false;
        p.face = Face::Scared;
        p.armFront = -1.4;
        p.armBack = -1.8;
        DrawHat(cr, {w * 0.5, h * 0.2}, 0.72, 0.2, rng);
        MotionLines(cr, {w * 0.5, h * 0.05}, -Pi / 2, 5, 3, 6, rng);
    }
    if (f < 2) DrawHero(cr, p, Seed("pit", f).c_str());
    if (f == 2) DrawHat(cr, {w * 0.55, h - 4}, 0.72, 0.05, rng); // only the hat is left
}

// The great snow goose, wings at `beat` (-1 down to 1 up), flying to the right.
void Goose(cairo_t* cr, Pt at, double beat, Rng& rng) {
    const Rgb feather{0.93, 0.93, 0.94};
    auto wing = [&](double lift, Rgb c) {
        PathSmooth(cr, {{at.x - 8, at.y - 2},
                        {at.x - 22, at.y - 6 - lift * 26},
                        {at.x - 42, at.y - 4 - lift * 36},
                        {at.x - 30, at.y + 2 - lift * 10},
                        {at.x - 6, at.y + 6}});
        Fill(cr, c, rng, 0.8, 0.45);
        for (int k = 0; k < 3; ++k)
            InkLine(cr,
                    {{at.x - 20 - k * 6, at.y - 2 - lift * (14 + k * 6)},
                     {at.x - 26 - k * 6, at.y + 0 - lift * (16 + k * 6)}},
                    0.5, rng, palette::StoneDark, 0.7);
    };
    wing(beat * 0.8, Darker(feather, 0.12));
    PathSmooth(cr, {{at.x - 30, at.y},
                    {at.x - 10, at.y - 9},
                    {at.x + 14, at.y - 6},
                    {at.x + 22, at.y},
                    {at.x + 8, at.y + 9},
                    {at.x - 16, at.y + 8}});
    Fill(cr, feather, rng, 0.9, 0.3);
    Limb(cr, {{at.x + 16, at.y - 3}, {at.x + 26, at.y - 10}, {at.x + 32, at.y - 14}}, 5,
         Darker(feather, 0.05), 0.8); // neck
    PathEllipse(cr, at.x + 35, at.y - 15, 5, 4);
    Fill(cr, feather, rng, 0.8, 0.2);
    PathPolygon(cr, {{at.x + 39, at.y - 17}, {at.x + 46, at.y - 14}, {at.x + 39, at.y - 12.5}});
    Fill(cr, palette::Ochre, rng, 0.6);
    Dot(cr, at.x + 36.5, at.y - 16, 0.9, palette::Ink);
    wing(beat, feather);
}

void GooseCarried(cairo_t* cr, double w, double, int f, int, Rng& rng) {
    const double beat[3] = {0.7, 0.0, -0.8};
    const Pt goose{w * 0.55, 30 + f * 1.5};
    HeroPose p;
    p.size = 0.55;
    p.shadow = false;
    p.at = {goose.x - 4, goose.y + 30};
    p.tilt = 0.15 * (f - 1);
    p.armFront = -1.5;
    p.armBack = -1.7;
    p.armLength = 20;
    p.face = Face::Scared;
    p.footFront = {10, 40};
    p.footBack = {-6, 42};
    p.scarfFlow = 0.8;
    DrawHero(cr, p, Seed("goose", f).c_str());
    // Orange feet gripping the hero's mittens.
    for (double dx : {-6.0, 2.0})
        Limb(cr, {{goose.x - 4 + dx, goose.y + 6}, {goose.x - 4 + dx * 0.6, goose.y + 16}}, 2,
             palette::Ochre, 0.5);
    Goose(cr, goose, beat[f % 3], rng);
    MotionLines(cr, {8, goose.y}, Pi, 8, 3, 6, rng, 0.5);
}

void SunDazzled(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 0.9;
    p.armLength = 17;
    if (f == 2) { // sat down in a puddle of melted frost
        PathEllipse(cr, w * 0.5, h - 4, 28, 4);
        Fill(cr, Lighter(palette::Water, 0.3), rng, 0.6, 0.4);
        p.at = {w * 0.5, h - 30};
        p.shadow = false;
        p.squashY = 0.92;
        p.face = Face::Upset;
        p.footBack = {0, 30};
        p.footFront = {16, 28};
        p.armFront = 0.6;
        p.armBack = 2.4;
    } else {
        p.at = {w * 0.48, h - 40};
        p.face = Face::Squint;
        p.armFront = -2.1; // a mitten shading the eyes
        p.armBack = f == 0 ? 1.9 : -2.5;
        p.armLength = 14;
    }
    DrawHero(cr, p, Seed("sun", f).c_str());
    // Glare from the upper right and frost melting off in drops.
    for (int k = 0; k < 4; ++k) {
        double a = Pi * (0.55 + k * 0.12);
        InkLine(cr,
                {{w - 2 + std::cos(a) * 6, 2 - std::sin(a) * 6 + 6},
                 {w - 2 + std::cos(a) * 18, 2 - std::sin(a) * 18 + 18}},
                0.8, rng, titlecolour::Sun, 0.9);
    }
    for (int k = 0; k < 2 + f * 2; ++k) {
        Pt d{w * 0.3 + rng.Range(0, w * 0.4), h * 0.2 + rng.Range(0, h * 0.5)};
        PathEllipse(cr, d.x, d.y, 1.1, 1.6);
        SetColour(cr, Lighter(palette::Water, 0.3));
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.4, rng, palette::Water, 0.9, 0.1);
        cairo_new_path(cr);
    }
}

void SnowBuried(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    HeroPose p;
    p.size = 1.0;
    p.at = {w * 0.5, h - 42};
    if (f == 0) { // the clump falls on the hero, who looks up
        p.face = Face::Surprised;
        p.armFront = -1.6;
        p.armBack = -1.9;
        DrawHero(cr, p, Seed("buried", f).c_str());
        PathBlob(cr, w * 0.5, h * 0.25, 32, 22, rng, 0.2, 9);
        SetColour(cr, Snow);
        cairo_fill_preserve(cr);
        Wash(cr, Lighter(palette::Sky, 0.2), 0.45, rng, {.layers = 2, .jitter = 1.5});
        InkOutline(cr, 0.9, rng, palette::Water);
        cairo_new_path(cr);
        MotionLines(cr, {w * 0.5, h * 0.05}, -Pi / 2, 8, 4, 10, rng);
        SnowFlecks(cr, w * 0.15, h * 0.35, w * 0.7, 30, 8, rng);
    } else if (f == 1) { // the splash
        DrawHero(cr, p, Seed("buried", f).c_str());
        SnowHeap(cr, 2, w - 2, h, 70, rng);
        SnowFlecks(cr, 4, h * 0.35, w - 8, h * 0.3, 18, rng);
    } else { // a heap with only the hat showing
        SnowHeap(cr, 4, w - 4, h, 48, rng);
        DrawHat(cr, {w * 0.52, h - 44}, 1.0, 0.12, rng);
        PathBlob(cr, w * 0.5, h - 40, 20, 5, rng, 0.2, 7);
        SetColour(cr, Snow);
        cairo_fill(cr);
    }
}

} // namespace

const std::vector<PicturePlan>& CharPictures() {
    static const std::vector<PicturePlan> plans{
        {"walk", &Walk},
        {"knocked_down", &KnockedDown, levelart::Layout::Strip, true},
        {"windmill_ride", &WindmillRide, levelart::Layout::Strip},
        {"elk_mount", &ElkMount},
        {"elk_slip", &ElkSlip},
        {"elk_ride", &ElkRide},
        {"windmill_fall", &WindmillFall},
        {"landed_dazed", &LandedDazed, levelart::Layout::Strip, true},
        {"thrown_off", &ThrownOff, levelart::Layout::Strip, true},
        {"elk_jump", &ElkJump, levelart::Layout::Strip, true},
        {"elk_dismount", &ElkDismount},
        {"ring_bell", &RingBell},
        {"balloon_flight", &BalloonFlight},
        {"pit_fall", &PitFall},
        {"goose_carried", &GooseCarried, levelart::Layout::Strip, true},
        {"sun_dazzled", &SunDazzled},
        {"snow_buried", &SnowBuried},
        {"head_plain", &Head<Face::Plain>},
        {"head_relieved", &Head<Face::Relieved>},
        {"head_cold", &Head<Face::Cold>},
        {"head_surprised", &Head<Face::Surprised>},
        {"head_sleepy", &Head<Face::Sleepy>},
        {"head_upset", &Head<Face::Upset>},
    };
    return plans;
}

} // namespace levelart
