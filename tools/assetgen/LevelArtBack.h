#pragma once

// Painters for the level's background objects (the winter lane's scenery, the animals and the
// little effects) and the shared strokes they are built from. Each painter fills the frame box
// (0, 0, w, h) with frame `frame` of its strip; pictures are painted at half size, so ink lines
// stay about 1 px.

#include "Ink.h"

#include <cairo.h>

#include <vector>

namespace backart {

inline constexpr double Pi = 3.14159265358979323846;

using Painter = void (*)(cairo_t* cr, double w, double h, int frame, Rng& rng);

namespace colour {
inline constexpr Rgb Snow{0.985, 0.985, 1.0};
inline constexpr Rgb SnowShade{0.70, 0.80, 0.90};
inline constexpr Rgb Bark{0.42, 0.30, 0.20};
inline constexpr Rgb Pine{0.20, 0.40, 0.30};
inline constexpr Rgb Birch{0.93, 0.92, 0.88};
inline constexpr Rgb Roof{0.55, 0.25, 0.20};
inline constexpr Rgb Wall{0.90, 0.82, 0.66};
inline constexpr Rgb Glow{1.0, 0.82, 0.40};
inline constexpr Rgb Fur{0.55, 0.40, 0.28};
inline constexpr Rgb Fox{0.85, 0.45, 0.18};
inline constexpr Rgb Red{0.78, 0.20, 0.16};
inline constexpr Rgb Ice{0.78, 0.90, 0.97};
} // namespace colour

// --- Shared strokes (LevelArtBackParts.cpp). Painting functions clear the path.
// The current path as a painted shape with a wash and an ink rim.
void Fill(cairo_t* cr, Rgb colour, Rng& rng, double ink = 1.0, double washAlpha = 0.7);
// The current path as snow: near white, a cold blue wash at the rim, a pale blue-grey line.
void Snow(cairo_t* cr, Rng& rng, double ink = 0.8);
// A lumpy cap of snow lying along the polyline `top` (left to right), `thick` pixels deep.
void SnowCap(cairo_t* cr, const std::vector<Pt>& top, double thick, Rng& rng);
// A soft oval shadow on the snow.
void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.2);
// A drift of snow along the bottom of the box, from x0 to x1, rising to `top`.
void SnowMound(cairo_t* cr, double x0, double x1, double bottom, double top, Rng& rng);
// A spruce or fir: `tiers` layers of drooping boughs from the tip (cx, top) to the trunk foot.
void Conifer(cairo_t* cr, double cx, double top, double bottom, double halfWidth, int tiers,
             Rng& rng, Rgb needles = colour::Pine, double snow = 1.0);
// The box a tree's branches must end inside (so that no branch is cut off by the frame).
struct TreeBox {
    double left, top, right;
};
// A leafless tree with snow along its branches; the branch tips are returned (for fruit).
// With keepIn, branches that would leave the box are shortened to end inside it.
std::vector<Pt> BareTree(cairo_t* cr, Pt foot, double height, double spread, Rng& rng,
                         Rgb bark = colour::Bark, int depth = 4, double trunk = 5.0,
                         const TreeBox* keepIn = nullptr);
// Paints what `paint` draws faded out towards the frame's edges (0, 0, w, h): over `left`,
// `right`, `top` and `bottom` pixels (0 keeps that edge as painted). For far scenery that must
// melt into the page instead of ending in straight lines.
struct EdgeFade {
    double left = 0, right = 0, top = 0, bottom = 0;
};
// Paints `group` through the fading mask of PaintFaded.
void MaskFaded(cairo_t* cr, cairo_pattern_t* group, double w, double h, EdgeFade fade);
template <typename Paint>
void PaintFaded(cairo_t* cr, double w, double h, EdgeFade fade, Paint paint) {
    cairo_push_group(cr);
    paint();
    cairo_pattern_t* group = cairo_pop_group(cr);
    MaskFaded(cr, group, w, h, fade);
    cairo_pattern_destroy(group);
}

// A window with a frame and cross bars; lit windows glow.
void Window(cairo_t* cr, double x, double y, double w, double h, bool lit, Rng& rng);
// A plank-and-post fence from x0 to x1 with its top rail at `top` and feet at `bottom`.
void Fence(cairo_t* cr, double x0, double x1, double top, double bottom, Rng& rng,
           Rgb wood = palette::Wood);
// A few snowflakes scattered in the box.
void Flakes(cairo_t* cr, double x, double y, double w, double h, int count, Rng& rng);
// A dark eye with a glint.
void Eye(cairo_t* cr, double x, double y, double r);
// A small four-pointed star (dizzy stars, sparkles).
void Twinkle(cairo_t* cr, double x, double y, double r, Rgb colour, Rng& rng);
// Soft light falling off from (cx, cy).
void Glow(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb colour, double alpha);

// --- Painters, one per picture (or family). Scenery: LevelArtBackScenery.cpp and
// LevelArtBackLaneProps.cpp.
void StumpNest(cairo_t*, double, double, int, Rng&);
void AppleTree(cairo_t*, double, double, int, Rng&);
void PearTree(cairo_t*, double, double, int, Rng&);
void PlumTree(cairo_t*, double, double, int, Rng&);
void SquirrelLog(cairo_t*, double, double, int, Rng&);
void LemonTreeFrame(cairo_t*, double, double, int, Rng&);
void FenceSign(cairo_t*, double, double, int, Rng&);
void SnowShovel(cairo_t*, double, double, int, Rng&);
void Boardwalk(cairo_t*, double, double, int, Rng&);
void KeyPost(cairo_t*, double, double, int, Rng&);
void BirdhousePole(cairo_t*, double, double, int, Rng&);
void SledgeFence(cairo_t*, double, double, int, Rng&);
void SnowyRock(cairo_t*, double, double, int, Rng&);
void FrozenPump(cairo_t*, double, double, int, Rng&);
void BareAppleTree(cairo_t*, double, double, int, Rng&);
void GatepostLantern(cairo_t*, double, double, int, Rng&);
void Spruce(cairo_t*, double, double, int, Rng&);
void SpruceBareTrunk(cairo_t*, double, double, int, Rng&);
void Beehive(cairo_t*, double, double, int, Rng&);
void PebbleRow(cairo_t*, double, double, int, Rng&);
void SnowBarrow(cairo_t*, double, double, int, Rng&);
void VillageSignpost(cairo_t*, double, double, int, Rng&);
void SnowShrub(cairo_t*, double, double, int, Rng&);
void FencePoles(cairo_t*, double, double, int, Rng&);
void FrozenPuddle(cairo_t*, double, double, int, Rng&);
void SnowyCart(cairo_t*, double, double, int, Rng&);
void FlourSacks(cairo_t*, double, double, int, Rng&);
void FenceSection(cairo_t*, double, double, int, Rng&);
void Snowbank(cairo_t*, double, double, int, Rng&);
void FrostBough(cairo_t*, double, double, int, Rng&);
void SnowCloud(cairo_t*, double, double, int, Rng&);
void TallPine(cairo_t*, double, double, int, Rng&);
void TallBirch(cairo_t*, double, double, int, Rng&);
void BirchArch(cairo_t*, double, double, int, Rng&);
void PineBranchSway(cairo_t*, double, double, int, Rng&);
void DriftSledge(cairo_t*, double, double, int, Rng&);
void Postbox(cairo_t*, double, double, int, Rng&);
void Woodpile(cairo_t*, double, double, int, Rng&);
void FrozenWell(cairo_t*, double, double, int, Rng&);
void SteppingStones(cairo_t*, double, double, int, Rng&);
void HollyBush(cairo_t*, double, double, int, Rng&);
void SnowyShrubs(cairo_t*, double, double, int, Rng&);
void HayRack(cairo_t*, double, double, int, Rng&);
void WreathLamppost(cairo_t*, double, double, int, Rng&);

// Buildings and far views: LevelArtBackBuildings.cpp.
void FarHut(cairo_t*, double, double, int, Rng&);
void Farmhouse(cairo_t*, double, double, int, Rng&);
void DistantChapel(cairo_t*, double, double, int, Rng&);
void BakeryCottage(cairo_t*, double, double, int, Rng&);
void HomeCottage(cairo_t*, double, double, int, Rng&);
void LogCabin(cairo_t*, double, double, int, Rng&);
void HillCottage(cairo_t*, double, double, int, Rng&);
void FarSpire(cairo_t*, double, double, int, Rng&);
void SnowyBarn(cairo_t*, double, double, int, Rng&);
void FirelitWindow(cairo_t*, double, double, int, Rng&);
void LampShutters(cairo_t*, double, double, int, Rng&);
void LampmakerWaving(cairo_t*, double, double, int, Rng&);

// Creatures: LevelArtBackCreatures.cpp and LevelArtBackBeasts.cpp.
void Kite(cairo_t*, double, double, int, Rng&);
void ElkBowledOver(cairo_t*, double, double, int, Rng&);
void ElkResting(cairo_t*, double, double, int, Rng&);
void SnowmanAlive(cairo_t*, double, double, int, Rng&);
void TrollWalking(cairo_t*, double, double, int, Rng&);
void Robin(cairo_t*, double, double, int, Rng&);
void ImpTumbling(cairo_t*, double, double, int, Rng&);
void ImpFlattened(cairo_t*, double, double, int, Rng&);
void ImpArms(cairo_t*, double, double, int, Rng&);
void ImpHat(cairo_t*, double, double, int, Rng&);
void GooseSwooping(cairo_t*, double, double, int, Rng&);
void GooseWithGosling(cairo_t*, double, double, int, Rng&);
void GoslingFlyingUp(cairo_t*, double, double, int, Rng&);
void TinBirdFalling(cairo_t*, double, double, int, Rng&);
void FoxBowledOver(cairo_t*, double, double, int, Rng&);
void BakeryCat(cairo_t*, double, double, int, Rng&);
void FarGeese(cairo_t*, double, double, int, Rng&);
void BadgerWaving(cairo_t*, double, double, int, Rng&);
void BadgerStamping(cairo_t*, double, double, int, Rng&);
void BadgerSledAway(cairo_t*, double, double, int, Rng&);
void BadgerLiftsEgg(cairo_t*, double, double, int, Rng&);
void BadgerLiftsUmbrella(cairo_t*, double, double, int, Rng&);

// Effects: LevelArtBackEffects.cpp.
void WindmillWhirl(cairo_t*, double, double, int, Rng&);
void SnowPuff(cairo_t*, double, double, int, Rng&);
void LanternFlare(cairo_t*, double, double, int, Rng&);
void LanternGlow(cairo_t*, double, double, int, Rng&);
void LanternGlowOnSnow(cairo_t*, double, double, int, Rng&);
void LanternBurstUp(cairo_t*, double, double, int, Rng&);
void SnowballBurst(cairo_t*, double, double, int, Rng&);
void PlankFalling(cairo_t*, double, double, int, Rng&);
// Closing smoke, step 1..8 of the sequence, filling a w x h box; the first three puff up from
// the home cottage's chimney, whose top lies at `chimney` in the box.
void Smoke(cairo_t* cr, double w, double h, int step, Rng& rng, Pt chimney);

// Where the top of the home cottage's chimney is on the page while the closing smoke rises
// (screen pixels; the cottage stands at (422, 59) then). Its chimney is built up the outside of
// its left wall so that the first, small puffs, drawn at fixed places left of the middle of the
// page, come out of it.
inline constexpr Pt kHomeChimneyTop{485, 364};

} // namespace backart
