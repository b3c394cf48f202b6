// The bag items' pictures: for each of the 15 items its Tear strip (the piece of the page with the
// object painted on it), its Tearing strip (the piece being ripped out), its Hole (what stays in
// the page) and its Small picture (the piece in a bag slot). Sizes come from the property files.

#include "BagItems.h"
#include "Canvas.h"
#include "Ink.h"
#include "PieceOutline.h"
#include "Registry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kSmallSize = 80;
constexpr double kPieceInset = 1.2;

constexpr int kBoulder = 0;
// The boulder's paper starts this far into its picture. The boulder can be torn out until the
// page before it knocks the hero down, when its picture begins 5 px short of his front; the hole
// it leaves is drawn over him, so its torn edge has to start clear of his outstretched mitten.
constexpr double kBoulderLeftMargin = 8.0;

// Pieces that lie low on the lane and pass the walking hero: the balloon, the umbrella, the plank
// and the wheel. Torn out beside him, their hole (drawn after him) would hide him; it is a
// see-through window in the page instead, the torn rim and its shadow at less than half strength,
// so he shows through as if he were passing behind the torn paper.
constexpr int kSeeThroughHoles[] = {7, 10, 11, 12};
constexpr double kSeeThroughAlpha = 0.48;
constexpr double kSeeThroughPage = 0.4; // the page below, inside the see-through hole

// One item's piece of paper: its size and torn outline (relative to the picture's top-left), the
// same in every picture of the item so the hole fits the piece that came out of it. The outline
// hugs the thing painted on the piece (every frame of it) a little way out, so on the page the
// piece reads as part of the picture and only its faint torn line shows where it will come away.
// The thing is painted in x from `left` to w.
struct Piece {
    int item = 0;
    std::string seed; // the Tear picture's path
    double w = 0, h = 0;
    double left = 0;
    std::vector<Pt> outline;
};

constexpr int kCoverageScale = 4;      // cells to a picture pixel when finding what is painted
constexpr int kCoverageAlpha = 40;     // faint washes and ink fibres count as painted
constexpr double kOutlineMargin = 2.0; // picture pixels between the thing and the torn edge

Rng FrameRng(const std::string& seed, int frame) {
    return Rng(seed + "#frame" + std::to_string(frame));
}

Piece MakePiece(int item, const std::string& tearPath, double w, double h) {
    Piece piece{item, tearPath, w, h, item == kBoulder ? kBoulderLeftMargin : 0.0, {}};
    Canvas coverage(int(w) * kCoverageScale, int(h) * kCoverageScale);
    cairo_scale(coverage.cr, kCoverageScale, kCoverageScale);
    cairo_translate(coverage.cr, piece.left, 0);
    for (int f = 0; f < kBagItemFrames[item]; ++f) {
        Rng rng = FrameRng(tearPath, f);
        PaintBagItem(coverage.cr, item, f, w - piece.left, h, rng);
    }
    Rng rng(tearPath + "#outline");
    piece.outline =
        HuggingOutline(CoverageOf(coverage.surface, kCoverageScale, kCoverageAlpha), kOutlineMargin,
                       kPieceInset, rng, std::min(0.8, std::min(w, h) / 40));
    for (Pt& p : piece.outline)
        p.x = std::max(p.x, piece.left + kPieceInset);
    return piece;
}

// The piece at the origin: the thing painted on it, the piece's paper under it at strength
// `paper` (none while it is still part of the page, all of it once it is torn out), and its
// torn edge: on the page a faint line with a pale rim, so a player can find it.
void DrawPiece(cairo_t* cr, const Piece& piece, int frame, double paper) {
    Rng rng = FrameRng(piece.seed, frame);
    Rng edgeRng(piece.seed + "#edge" + std::to_string(frame));
    cairo_save(cr);
    cairo_new_path(cr);
    if (paper > 0) {
        cairo_push_group(cr);
        PathPolygon(cr, piece.outline);
        FillPaper(cr, edgeRng, palette::Paper, 0.12);
        cairo_new_path(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, paper);
    }
    PathPolygon(cr, piece.outline);
    cairo_clip(cr);
    cairo_translate(cr, piece.left, 0);
    PaintBagItem(cr, piece.item, frame, piece.w - piece.left, piece.h, rng);
    cairo_translate(cr, -piece.left, 0);
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    PathPolygon(cr, piece.outline);
    InkOutline(cr, 1.3, edgeRng, Lighter(palette::Paper, 0.5), 0.55 * (1 - paper), 0.1);
    InkOutline(cr, 0.55, edgeRng, palette::Sepia, 0.45, 0.15);
    cairo_new_path(cr);
    cairo_restore(cr);
}

// The inside of the hole the piece leaves: the darker page below in the shadow of the torn edge.
// A see-through hole shows that page only faintly.
void DrawHoleInside(cairo_t* cr, const Piece& piece, Rng& rng, bool seeThrough = false) {
    cairo_save(cr);
    cairo_new_path(cr);
    PathPolygon(cr, piece.outline);
    if (seeThrough) cairo_push_group(cr);
    FillPaper(cr, rng, Blend(palette::PaperShade, palette::Sepia, 0.45), 0.35);
    if (seeThrough) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, kSeeThroughPage);
    }
    cairo_clip(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int k = 1; k <= 4; ++k) { // the torn edge above and to the left throws a shadow in
        cairo_save(cr);
        cairo_translate(cr, 0.7 * k, 0.9 * k);
        PathPolygon(cr, piece.outline);
        cairo_restore(cr);
        cairo_set_line_width(cr, 2.5);
        SetColour(cr, Darker(palette::Sepia, 0.4), 0.2);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// The white fibres of the page's torn edge around the hole.
void DrawTornRim(cairo_t* cr, const Piece& piece, Rng& rng, double fraction = 1.0) {
    std::size_t n = piece.outline.size();
    std::size_t count = std::clamp<std::size_t>(static_cast<std::size_t>(n * fraction), 2, n);
    std::vector<Pt> pts(piece.outline.begin(), piece.outline.begin() + count);
    bool closed = count == n;
    InkLine(cr, pts, 2.0, rng, Darker(palette::Sepia, 0.3), 0.75, 0.2, closed);
    InkLine(cr, pts, 1.0, rng, Lighter(palette::Paper, 0.7), 1.0, 0.2, closed);
    for (std::size_t i = 0; i < count; i += 2) { // loose fibres
        Pt p = pts[i];
        double a = rng.Range(0, 6.283);
        InkLine(cr, {p, {p.x + std::cos(a) * 1.5, p.y + std::sin(a) * 1.5}}, 0.35, rng, {1, 1, 1},
                0.8, 0.0);
    }
}

// The half-plane on the corner's side of the fold line through a and b.
void PathHalfPlane(cairo_t* cr, Pt a, Pt b, Pt towards) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    double nx = -dy, ny = dx;
    if ((towards.x - a.x) * nx + (towards.y - a.y) * ny < 0) nx = -nx, ny = -ny;
    const double far = 1000;
    PathPolygon(cr, {{a.x - dx * far, a.y - dy * far},
                     {b.x + dx * far, b.y + dy * far},
                     {b.x + dx * far + nx * far, b.y + dy * far + ny * far},
                     {a.x - dx * far + nx * far, a.y - dy * far + ny * far}});
}

// Reflection across the line through a and b.
cairo_matrix_t Reflection(Pt a, Pt b) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    double xx = 2 * dx * dx - 1, xy = 2 * dx * dy, yy = 2 * dy * dy - 1;
    cairo_matrix_t m;
    cairo_matrix_init(&m, xx, xy, xy, yy, a.x - (xx * a.x + xy * a.y), a.y - (xy * a.x + yy * a.y));
    return m;
}

// One frame of the tearing strip at the origin (the piece's top-left): the rip runs round the
// piece, then the bottom-right corner curls up off the page and the piece lifts.
void DrawTearingFrame(cairo_t* cr, const Piece& piece, int i, int frames, Rng& rng) {
    double t = frames > 1 ? static_cast<double>(i) / (frames - 1) : 1.0;
    double rip = std::min(1.0, (i + 1) * 1.4 / std::max(1, frames - 1));
    double curl = 0.62 * t;
    double lift = frames > 2 ? std::max(0.0, (i - 1.0) / (frames - 2)) : t;
    double w = piece.w, h = piece.h;
    Pt a{w - curl * w, h}, b{w, h - curl * h}, corner{w, h}, centre{w / 2, h / 2};

    if (lift > 0) { // the lifted piece's shadow on the page
        cairo_new_path(cr);
        PathPolygon(cr, piece.outline);
        DropShadow(cr, 0.8 + 1.2 * lift, 1.0 + 1.5 * lift, 0.8 + lift, 0.18 + 0.14 * lift);
        cairo_new_path(cr);
    }
    if (curl > 0) {
        cairo_save(cr); // the hole shows where the corner came away
        PathHalfPlane(cr, a, b, corner);
        cairo_clip(cr);
        DrawHoleInside(cr, piece, rng);
        cairo_restore(cr);
        cairo_save(cr);
        PathHalfPlane(cr, a, b, centre);
        cairo_clip(cr);
    }
    DrawPiece(cr, piece, 0, 1.0);
    DrawTornRim(cr, piece, rng, rip);
    if (curl > 0) {
        cairo_restore(cr);
        // The corner folded back over the piece, showing the paper's back: the outline's cut
        // corner mirrored across the fold.
        cairo_matrix_t m = Reflection(a, b);
        cairo_save(cr);
        cairo_transform(cr, &m);
        PathHalfPlane(cr, a, b, corner);
        cairo_clip(cr);
        cairo_new_path(cr);
        PathPolygon(cr, piece.outline);
        DropShadow(cr, 0.8, 0.8, 1.2, 0.35);
        SetColour(cr, Lighter(palette::Paper, 0.3));
        cairo_fill_preserve(cr);
        double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        cairo_pattern_t* g = cairo_pattern_create_linear(mx, my, corner.x, corner.y);
        Rgb d = palette::PaperShade, l = Lighter(palette::Paper, 0.5);
        cairo_pattern_add_color_stop_rgba(g, 0, d.r, d.g, d.b, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 0.45, l.r, l.g, l.b, 0.5);
        cairo_pattern_add_color_stop_rgba(g, 1, d.r, d.g, d.b, 0.15);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        InkOutline(cr, 0.6, rng, palette::Sepia, 0.7, 0.1);
        cairo_new_path(cr);
        cairo_restore(cr);
    }
}

struct ItemFiles {
    std::string tear, hole, small, tearing, tearProps, tearingProps;
};

std::vector<int> ReadProps(GenContext& ctx, const std::string& file) {
    std::vector<int> v = ctx.ReadInts(file);
    if (v.size() < 5)
        throw GenError(file + ": expected 5 values, found " + std::to_string(v.size()));
    if (v[2] <= 0 || v[3] <= 0) throw GenError(file + ": width and height must be positive");
    return v;
}

std::vector<std::string> ReadList(GenContext& ctx, const std::string& file) {
    std::vector<std::string> list = ctx.ReadTokens(file);
    if (list.size() < kBagItemCount)
        throw GenError(file + ": expected " + std::to_string(kBagItemCount) + " paths, found " +
                       std::to_string(list.size()));
    return list;
}

void DrawItem(GenContext& ctx, int item, const ItemFiles& files) {
    std::vector<int> props = ReadProps(ctx, files.tearProps);
    std::vector<int> anim = ReadProps(ctx, files.tearingProps);
    const int w = props[2], h = props[3];
    const int fw = anim[2], fh = anim[3], frames = anim[4];
    if (frames < 1) throw GenError(files.tearingProps + ": frames must be at least 1");
    // The tearing picture is placed x_offset, y_offset screen pixels up and left of the piece;
    // at the level's double scale that is half as many picture pixels.
    const double ox = anim[0] / 2.0, oy = anim[1] / 2.0;
    Piece piece = MakePiece(item, files.tear, w, h);

    const int stripFrames = kBagItemFrames[item];
    Canvas tear(w * stripFrames, h);
    for (int f = 0; f < stripFrames; ++f) {
        cairo_save(tear.cr);
        cairo_rectangle(tear.cr, f * w, 0, w, h);
        cairo_clip(tear.cr);
        cairo_translate(tear.cr, f * w, 0);
        DrawPiece(tear.cr, piece, f, 0.0);
        cairo_restore(tear.cr);
    }
    ctx.Save(tear, files.tear);

    Canvas tearing(fw * frames, fh);
    Rng tearingRng(files.tearing);
    for (int i = 0; i < frames; ++i) {
        cairo_save(tearing.cr);
        cairo_rectangle(tearing.cr, i * fw, 0, fw, fh);
        cairo_clip(tearing.cr);
        cairo_translate(tearing.cr, i * fw + ox, oy);
        DrawTearingFrame(tearing.cr, piece, i, frames, tearingRng);
        cairo_restore(tearing.cr);
    }
    ctx.Save(tearing, files.tearing);

    Canvas hole(fw, fh);
    Rng holeRng(files.hole);
    cairo_translate(hole.cr, ox, oy);
    const bool seeThrough = std::find(std::begin(kSeeThroughHoles), std::end(kSeeThroughHoles),
                                      item) != std::end(kSeeThroughHoles);
    if (seeThrough) cairo_push_group(hole.cr);
    DrawHoleInside(hole.cr, piece, holeRng, seeThrough);
    DrawTornRim(hole.cr, piece, holeRng);
    if (seeThrough) {
        cairo_pop_group_to_source(hole.cr);
        cairo_paint_with_alpha(hole.cr, kSeeThroughAlpha);
    }
    ctx.Save(hole, files.hole);

    Canvas small(kSmallSize, kSmallSize);
    const double paperW = w - piece.left;
    double scale = std::min({(kSmallSize - 8.0) / paperW, (kSmallSize - 8.0) / h, 2.0});
    cairo_translate(small.cr, (kSmallSize - scale * paperW) / 2 - scale * piece.left,
                    (kSmallSize - scale * h) / 2);
    cairo_scale(small.cr, scale, scale);
    PathPolygon(small.cr, piece.outline);
    DropShadow(small.cr, 1.0 / scale, 1.5 / scale, 1.5 / scale, 0.3);
    cairo_new_path(small.cr);
    DrawPiece(small.cr, piece, 0, 1.0);
    ctx.Save(small, files.small);
}

void GenerateBag(GenContext& ctx) {
    std::vector<std::string> tear = ReadList(ctx, "Address/Bag/Tear.txt");
    std::vector<std::string> hole = ReadList(ctx, "Address/Bag/Hole.txt");
    std::vector<std::string> small = ReadList(ctx, "Address/Bag/Small.txt");
    std::vector<std::string> tearing = ReadList(ctx, "Address/Bag/Tearing.txt");
    std::vector<std::string> tearProps = ReadList(ctx, "Text/Bag/Tear_OBJ.txt");
    std::vector<std::string> tearingProps = ReadList(ctx, "Text/Bag/Tearing_OBJ.txt");
    for (int i = 0; i < kBagItemCount; ++i)
        DrawItem(ctx, i, {tear[i], hole[i], small[i], tearing[i], tearProps[i], tearingProps[i]});
}

AssetGroup group("bag", &GenerateBag);

} // namespace
