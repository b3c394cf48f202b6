#pragma once

// Drawing helpers for the house style: ink and watercolour on cream paper.
//
// Shapes are built as cairo paths with the Path* functions. The painters (FillPaper, Wash,
// InkOutline, Hatch, DropShadow) use the current path and leave it in place, so one shape can
// get a shadow, a wash and an outline in turn; call cairo_new_path() before the next shape.
// All randomness comes from an Rng seeded with a string, so every run draws the same picture.

#include <cairo.h>

#include <cstdint>
#include <string_view>
#include <vector>

struct Rgb {
    double r, g, b;
};

Rgb Blend(Rgb a, Rgb b, double t); // t = 0 gives a, 1 gives b
Rgb Darker(Rgb c, double amount);  // amount 0..1 towards black
Rgb Lighter(Rgb c, double amount); // amount 0..1 towards white
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

namespace palette {
inline constexpr Rgb Paper{0.957, 0.925, 0.840};
inline constexpr Rgb PaperShade{0.820, 0.745, 0.610};
inline constexpr Rgb Ink{0.120, 0.100, 0.090};
inline constexpr Rgb Sepia{0.400, 0.270, 0.160};
inline constexpr Rgb Stone{0.560, 0.560, 0.540};
inline constexpr Rgb StoneDark{0.360, 0.360, 0.350};
inline constexpr Rgb Moss{0.420, 0.540, 0.300};
inline constexpr Rgb Leaf{0.300, 0.560, 0.280};
inline constexpr Rgb Sky{0.520, 0.700, 0.850};
inline constexpr Rgb Water{0.300, 0.520, 0.720};
inline constexpr Rgb Ochre{0.850, 0.640, 0.300};
inline constexpr Rgb Rust{0.720, 0.330, 0.200};
inline constexpr Rgb Rose{0.850, 0.480, 0.500};
inline constexpr Rgb Plum{0.450, 0.300, 0.500};
inline constexpr Rgb Wood{0.560, 0.380, 0.220};
} // namespace palette

// Deterministic random numbers (splitmix64), seeded from a string such as the asset's path.
class Rng {
  public:
    explicit Rng(std::string_view seed);
    std::uint64_t Next();
    double Uniform();                   // [0, 1)
    double Range(double lo, double hi); // [lo, hi)
    int Int(int lo, int hi);            // lo..hi inclusive
    double Normal();                    // mean 0, deviation 1
    bool Chance(double p) { return Uniform() < p; }

  private:
    std::uint64_t state_;
};

struct Pt {
    double x, y;
};

// --- Shapes: each adds a sub-path to the current path.
void PathPolygon(cairo_t* cr, const std::vector<Pt>& pts, bool closed = true);
void PathSmooth(cairo_t* cr, const std::vector<Pt>& pts, bool closed = true); // curve through pts
void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void PathRoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void PathStar(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double rotation = 0.0);
// A lumpy closed shape (pebble, bush, cloud) inside the ellipse rx x ry.
void PathBlob(cairo_t* cr, double cx, double cy, double rx, double ry, Rng& rng,
              double bumpiness = 0.15, int lobes = 9);
// The jagged outline of a piece torn out of paper, around the rectangle x, y, w, h.
std::vector<Pt> TornOutline(double x, double y, double w, double h, Rng& rng,
                            double roughness = 3.0);
void PathTornRect(cairo_t* cr, double x, double y, double w, double h, Rng& rng,
                  double roughness = 3.0);

// --- Painters: use the current path and keep it.
// Cream paper with grain, fibres and a slight darkening towards the edges.
void FillPaper(cairo_t* cr, Rng& rng, Rgb base = palette::Paper, double vignette = 0.18);

struct WashStyle {
    int layers = 4;           // translucent jittered fills
    double jitter = 3.0;      // how far each layer's edge wanders, pixels
    double edge = 0.45;       // strength of the darker rim where pigment pools
    double granulation = 0.3; // pigment specks, 0 for none
    double blooms = 0.5;      // soft lighter/darker patches inside, 0 for none
};
// A watercolour wash of the current path; alpha is the wash's overall strength.
void Wash(cairo_t* cr, Rgb colour, double alpha, Rng& rng, const WashStyle& style = {});

// A hand-inked line of about `width` pixels along the current path (all sub-paths).
void InkOutline(cairo_t* cr, double width, Rng& rng, Rgb colour = palette::Ink, double alpha = 1.0,
                double wobble = 0.6);
// A hand-inked line through points; tapered at both ends unless closed.
void InkLine(cairo_t* cr, const std::vector<Pt>& pts, double width, Rng& rng,
             Rgb colour = palette::Ink, double alpha = 1.0, double wobble = 0.6,
             bool closed = false);
// A hand-inked cubic bezier from p0 to p3.
void InkCurve(cairo_t* cr, Pt p0, Pt c1, Pt c2, Pt p3, double width, Rng& rng,
              Rgb colour = palette::Ink, double alpha = 1.0);
// Parallel hand-drawn lines at `angle` radians, clipped to the current path.
void Hatch(cairo_t* cr, double angle, double spacing, double width, Rng& rng,
           Rgb colour = palette::Ink, double alpha = 0.5);
// A soft shadow of the current path, offset by dx, dy; draw it before the shape itself.
void DropShadow(cairo_t* cr, double dx, double dy, double blur, double alpha = 0.3,
                Rgb colour = palette::Sepia);
