#include "LevelArtBack.h"

#include <algorithm>
#include <cmath>

namespace backart {

namespace {
constexpr WashStyle kWash{
    .layers = 3, .jitter = 0.8, .edge = 0.6, .granulation = 0.2, .blooms = 0.35};
} // namespace

void Fill(cairo_t* cr, Rgb c, Rng& rng, double ink, double washAlpha) {
    SetColour(cr, Lighter(c, 0.3), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, c, washAlpha, rng, kWash);
    if (ink > 0) InkOutline(cr, ink, rng, palette::Ink, 0.85, 0.25);
    cairo_new_path(cr);
}

void MaskFaded(cairo_t* cr, cairo_pattern_t* group, double w, double h, EdgeFade fade) {
    const int mw = static_cast<int>(std::ceil(w)), mh = static_cast<int>(std::ceil(h));
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, mw, mh);
    cairo_surface_flush(mask);
    unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    // A smooth ramp from 0 at the edge to 1 at `width` pixels in.
    auto ramp = [](double d, double width) {
        if (width <= 0 || d >= width) return 1.0;
        double t = std::max(0.0, d / width);
        return t * t * (3 - 2 * t);
    };
    for (int y = 0; y < mh; ++y)
        for (int x = 0; x < mw; ++x) {
            double a = ramp(x + 0.5, fade.left) * ramp(w - x - 0.5, fade.right) *
                       ramp(y + 0.5, fade.top) * ramp(h - y - 0.5, fade.bottom);
            data[y * stride + x] = static_cast<unsigned char>(std::lround(a * 255));
        }
    cairo_surface_mark_dirty(mask);
    cairo_set_source(cr, group);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_surface_destroy(mask);
}

void Snow(cairo_t* cr, Rng& rng, double ink) {
    SetColour(cr, colour::Snow);
    cairo_fill_preserve(cr);
    Wash(cr, colour::SnowShade, 0.3, rng,
         {.layers = 2, .jitter = 0.8, .edge = 0.9, .granulation = 0.05, .blooms = 0.2});
    if (ink > 0) InkOutline(cr, ink, rng, Darker(colour::SnowShade, 0.35), 0.8, 0.2);
    cairo_new_path(cr);
}

void SnowCap(cairo_t* cr, const std::vector<Pt>& top, double thick, Rng& rng) {
    if (top.size() < 2) return;
    std::vector<Pt> up, down;
    for (std::size_t i = 0; i < top.size(); ++i) {
        const Pt& p = top[i];
        double bump = thick * rng.Range(0.35, 0.6);
        up.push_back({p.x, p.y - bump});
        down.push_back({p.x, p.y + thick * rng.Range(0.25, 0.6)});
    }
    // Round off the ends so the cap hangs over a little.
    std::vector<Pt> loop;
    loop.push_back({top.front().x - thick * 0.4, top.front().y + thick * 0.1});
    loop.insert(loop.end(), up.begin(), up.end());
    loop.push_back({top.back().x + thick * 0.4, top.back().y + thick * 0.1});
    for (auto it = down.rbegin(); it != down.rend(); ++it)
        loop.push_back(*it);
    PathSmooth(cr, loop);
    Snow(cr, rng, 0.7);
}

void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    Rgb s = Darker(colour::SnowShade, 0.3);
    cairo_pattern_add_color_stop_rgba(g, 0, s.r, s.g, s.b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, s.r, s.g, s.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void SnowMound(cairo_t* cr, double x0, double x1, double bottom, double top, Rng& rng) {
    std::vector<Pt> pts{{x0, bottom}};
    int n = std::max(3, static_cast<int>((x1 - x0) / 12));
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double rise = std::sin(t * Pi);
        pts.push_back({x0 + (x1 - x0) * t,
                       bottom - (bottom - top) * std::pow(rise, 0.6) * rng.Range(0.85, 1.0)});
    }
    pts.push_back({x1, bottom});
    PathSmooth(cr, pts);
    Snow(cr, rng, 0.7);
}

void Conifer(cairo_t* cr, double cx, double top, double bottom, double halfWidth, int tiers,
             Rng& rng, Rgb needles, double snow) {
    double height = bottom - top;
    double trunkTop = bottom - height * 0.12;
    PathRoundedRect(cr, cx - halfWidth * 0.1, trunkTop - 4, halfWidth * 0.2, bottom - trunkTop + 4,
                    1);
    Fill(cr, colour::Bark, rng, 0.8);
    // Tiers from the bottom up so the upper ones overlap the lower.
    for (int t = tiers - 1; t >= 0; --t) {
        double u0 = double(t) / tiers, u1 = double(t + 1) / tiers;
        double yTop = top + (trunkTop - top) * u0 * 0.92;
        double yBot = top + (trunkTop - top) * (u1 * 0.92 + 0.08);
        double half = halfWidth * (0.25 + 0.75 * u1);
        double topHalf = halfWidth * 0.25 * u0;
        std::vector<Pt> pts{{cx - topHalf, yTop}, {cx + topHalf, yTop}};
        // Drooping bough tips along the lower edge, right to left.
        int tips = 3 + t / 2;
        pts.push_back({cx + half * 0.7, yBot - (yBot - yTop) * 0.25});
        pts.push_back({cx + half, yBot + rng.Range(-1, 1.5)});
        for (int k = tips - 1; k >= 1; --k) {
            double x = cx - half + 2 * half * k / tips;
            pts.push_back({x + half / tips * 0.5, yBot - rng.Range(2, 4)});
            pts.push_back({x, yBot + rng.Range(0, 2.5)});
        }
        pts.push_back({cx - half, yBot + rng.Range(-1, 1.5)});
        pts.push_back({cx - half * 0.7, yBot - (yBot - yTop) * 0.25});
        PathPolygon(cr, pts);
        Fill(cr, needles, rng, 0.9, 0.75);
        // Darker needles underneath the snow, then the snow along the bough.
        if (snow > 0) {
            std::vector<Pt> cap;
            int steps = 5;
            for (int k = 0; k <= steps; ++k) {
                double v = double(k) / steps;
                double x = cx - half * 0.85 + 1.7 * half * v;
                double y = yTop + (yBot - yTop) * (0.55 + 0.35 * std::abs(v - 0.5) * 2) - 1;
                cap.push_back({x, y});
            }
            SnowCap(cr, cap, std::max(2.0, (yBot - yTop) * 0.22 * snow), rng);
        }
    }
    if (snow > 0) { // the crown's snow
        PathSmooth(cr, {{cx - 2.5, top + 6}, {cx, top - 1}, {cx + 2.5, top + 6}, {cx, top + 8}});
        Snow(cr, rng, 0.6);
    }
}

namespace {
// The longest a branch from `from` at `angle` may grow and still end inside `box`.
double LengthInside(Pt from, double angle, double length, const TreeBox& box) {
    const double dx = std::cos(angle), dy = std::sin(angle);
    double t = length;
    if (dx < 0) t = std::min(t, (from.x - box.left) / -dx);
    if (dx > 0) t = std::min(t, (box.right - from.x) / dx);
    if (dy < 0) t = std::min(t, (from.y - box.top) / -dy);
    return std::max(0.0, t);
}

void Branch(cairo_t* cr, Pt from, double angle, double length, double width, int depth, Rng& rng,
            Rgb bark, std::vector<Pt>& tips, const TreeBox* keepIn) {
    if (keepIn) length = LengthInside(from, angle, length, *keepIn);
    Pt mid{from.x + std::cos(angle) * length * 0.5 + rng.Range(-1, 1),
           from.y + std::sin(angle) * length * 0.5 + rng.Range(-1, 1)};
    Pt to{from.x + std::cos(angle) * length, from.y + std::sin(angle) * length};
    InkLine(cr, {from, mid, to}, width, rng, bark, 1.0, 0.3);
    // Snow on the upper side of the thicker branches.
    if (width > 1.2 && std::abs(std::cos(angle)) > 0.3)
        InkLine(cr, {{from.x, from.y - width * 0.5}, {mid.x, mid.y - width * 0.6}}, width * 0.8,
                rng, colour::Snow, 0.95, 0.2);
    if (depth <= 0) {
        tips.push_back(to);
        return;
    }
    int kids = depth > 2 ? 2 : rng.Int(2, 3);
    for (int k = 0; k < kids; ++k) {
        double spread = (k - (kids - 1) / 2.0) * rng.Range(0.45, 0.7);
        Branch(cr, to, angle + spread + rng.Range(-0.15, 0.15), length * rng.Range(0.62, 0.78),
               width * 0.65, depth - 1, rng, bark, tips, keepIn);
    }
}
} // namespace

std::vector<Pt> BareTree(cairo_t* cr, Pt foot, double height, double spread, Rng& rng, Rgb bark,
                         int depth, double trunk, const TreeBox* keepIn) {
    std::vector<Pt> tips;
    // The trunk as a tapering shape, then branches from its top.
    double trunkH = height * 0.38;
    PathPolygon(cr, {{foot.x - trunk, foot.y},
                     {foot.x - trunk * 0.55, foot.y - trunkH},
                     {foot.x + trunk * 0.55, foot.y - trunkH},
                     {foot.x + trunk, foot.y}});
    Fill(cr, bark, rng, 0.9);
    Pt top{foot.x, foot.y - trunkH + 1};
    double len = (height - trunkH) * 0.42;
    int main = 3;
    for (int k = 0; k < main; ++k) {
        double a = -Pi / 2 + (k - 1) * spread * 0.55 + rng.Range(-0.1, 0.1);
        Branch(cr, top, a, len * (k == 1 ? 1.1 : 0.95), trunk * 1.1, depth - 1, rng, bark, tips,
               keepIn);
    }
    return tips;
}

void Window(cairo_t* cr, double x, double y, double w, double h, bool lit, Rng& rng) {
    PathRoundedRect(cr, x, y, w, h, std::min(w, h) * 0.12);
    if (lit) {
        Glow(cr, x + w / 2, y + h / 2, w * 1.2, h * 1.1, colour::Glow, 0.35);
        PathRoundedRect(cr, x, y, w, h, std::min(w, h) * 0.12);
        Fill(cr, colour::Glow, rng, 0.8, 0.6);
    } else {
        Fill(cr, Blend(palette::Water, palette::Ink, 0.3), rng, 0.8, 0.6);
    }
    InkLine(cr, {{x + w / 2, y}, {x + w / 2, y + h}}, 0.8, rng, palette::Wood);
    InkLine(cr, {{x, y + h / 2}, {x + w, y + h / 2}}, 0.8, rng, palette::Wood);
    // A sill with a line of snow.
    InkLine(cr, {{x - 1, y + h + 0.8}, {x + w + 1, y + h + 0.8}}, 1.6, rng, colour::Snow, 1.0, 0.2);
}

void Fence(cairo_t* cr, double x0, double x1, double top, double bottom, Rng& rng, Rgb wood) {
    double h = bottom - top;
    int posts = std::max(2, static_cast<int>((x1 - x0) / 24) + 1);
    double gap = (x1 - x0) / (posts - 1);
    for (double ry : {top + h * 0.2, top + h * 0.6}) { // rails behind the posts
        PathPolygon(
            cr,
            {{x0, ry + rng.Range(-1, 1)}, {x1, ry + rng.Range(-1, 1)}, {x1, ry + 4}, {x0, ry + 4}});
        Fill(cr, Darker(wood, 0.1), rng, 0.7);
        SnowCap(cr, {{x0, ry}, {(x0 + x1) / 2, ry - 0.5}, {x1, ry}}, 2.5, rng);
    }
    for (int i = 0; i < posts; ++i) {
        double x = x0 + gap * i + rng.Range(-1, 1);
        double t = top - rng.Range(0, 3);
        PathPolygon(
            cr,
            {{x - 2.5, t + 2}, {x, t - 1}, {x + 2.5, t + 2}, {x + 2.5, bottom}, {x - 2.5, bottom}});
        Fill(cr, wood, rng, 0.8);
        PathEllipse(cr, x, t, 3.2, 2);
        Snow(cr, rng, 0.5);
    }
}

void Flakes(cairo_t* cr, double x, double y, double w, double h, int count, Rng& rng) {
    for (int i = 0; i < count; ++i) {
        double fx = x + rng.Range(0, w), fy = y + rng.Range(0, h), r = rng.Range(0.6, 1.4);
        cairo_new_path(cr);
        PathEllipse(cr, fx, fy, r, r);
        SetColour(cr, colour::Snow, 0.95);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.4);
        SetColour(cr, colour::SnowShade, 0.8);
        cairo_stroke(cr);
    }
}

void Eye(cairo_t* cr, double x, double y, double r) {
    cairo_new_path(cr);
    PathEllipse(cr, x, y, r, r * 1.15);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    PathEllipse(cr, x + r * 0.35, y - r * 0.4, r * 0.35, r * 0.35);
    SetColour(cr, {1, 1, 1});
    cairo_fill(cr);
}

void Twinkle(cairo_t* cr, double x, double y, double r, Rgb c, Rng& rng) {
    cairo_new_path(cr);
    PathStar(cr, x, y, r, r * 0.3, 4, rng.Range(-0.3, 0.3));
    SetColour(cr, Lighter(c, 0.4));
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.5, rng, Darker(c, 0.3), 0.9, 0.05);
    cairo_new_path(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c, double alpha) {
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 0.5, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

} // namespace backart
