#pragma once

// The small creatures and things among the level's collision objects (LevelArtCritters.cpp).
// Each paints frame `f` of `n` into the box (0, 0, w, h).

#include "Ink.h"

#include <cairo.h>

namespace levelart {

void HareBalloon(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void Snowball(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void EggRolling(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void Gosling(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void TinBird(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void Fox(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void FoxFleeing(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void SnowBunting(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void CrowTakingOff(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void CrowPerched(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void PineCone(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void SnowHareHopping(cairo_t* cr, double w, double h, int f, int n, Rng& rng);
void Hedgehog(cairo_t* cr, double w, double h, int f, int n, Rng& rng);

} // namespace levelart
