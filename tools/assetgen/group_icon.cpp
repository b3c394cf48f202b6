// The game's icon for desktops and installers: the pebble hero in its hat and scarf on a square
// of the book's paper, a winter sky washed above and snow below. From 48 px up the whole figure
// stands on the snow; at 16 and 32 px the figure would be a smudge, so those show the head and
// hat close up. The pictures go to icon/<size>.png, and the Windows icon file icon/PebbleFrost.ico
// holds the 16 to 256 px ones; the install rules take them from there and leave them out of the
// installed Data.

#include "Canvas.h"
#include "Ink.h"
#include "LevelArtKit.h"
#include "Registry.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using levelart::Face;
using levelart::HeroPose;

// The paper square with rounded corners, its sky and its snow, inside an inset margin.
void DrawTile(cairo_t* cr, double size, double snowLine, Rng& rng) {
    const double inset = size < 48 ? 0.5 : size / 16;
    const double side = size - 2 * inset;
    const double radius = side * 0.16;
    PathRoundedRect(cr, inset, inset, side, side, radius);
    if (size >= 48) DropShadow(cr, size / 96, size / 64, size / 64, 0.35, palette::Ink);
    FillPaper(cr, rng, palette::Paper, 0.12);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 0, size, snowLine);
    Wash(cr, palette::Sky, 0.65, rng,
         {.layers = 3, .jitter = size / 80, .edge = 0.2, .granulation = 0.15, .blooms = 0.6});
    cairo_new_path(cr);
    // A low drift of snow with a blue-grey shadow along its crest.
    cairo_move_to(cr, 0, snowLine + size * 0.02);
    cairo_curve_to(cr, size * 0.3, snowLine - size * 0.04, size * 0.65, snowLine + size * 0.05,
                   size, snowLine - size * 0.01);
    cairo_line_to(cr, size, size);
    cairo_line_to(cr, 0, size);
    cairo_close_path(cr);
    SetColour(cr, levelart::Snow);
    cairo_fill_preserve(cr);
    Wash(cr, Blend(palette::Sky, palette::Stone, 0.5), 0.25, rng,
         {.layers = 2, .jitter = size / 100, .edge = 0.6, .granulation = 0, .blooms = 0});
    cairo_new_path(cr);
    cairo_restore(cr);
    PathRoundedRect(cr, inset, inset, side, side, radius);
    InkOutline(cr, std::max(1.0, size / 64), rng, palette::Sepia, 0.9, 0.3);
    cairo_new_path(cr);
}

void DrawIcon(GenContext& ctx, int size) {
    const std::string path = "icon/" + std::to_string(size) + ".png";
    Rng rng(path);
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr;
    const double s = size;
    HeroPose pose;
    pose.face = Face::Happy;
    pose.armBack = 2.3; // one arm waving, the other down
    pose.armFront = -0.9;
    pose.scarfFlow = 0.6;
    if (size >= 48) {
        // The figure reaches 44 up (the hat's bobble) and 42 down (the feet) at size 1.
        pose.size = s * 0.72 / 86;
        pose.at = {s * 0.5, s * 0.5};
        DrawTile(cr, s, s * 0.8, rng);
    } else {
        // The pebble's top with the hat, the eyes as dots (the smile's arcs vanish this small).
        pose.size = s / 52;
        pose.at = {s * 0.5, s * 0.86};
        pose.face = Face::Plain;
        pose.shadow = false;
        pose.feet = false;
        pose.arms = false;
        DrawTile(cr, s, s * 0.92, rng);
    }
    const double inset = size < 48 ? 0.5 : s / 16;
    cairo_save(cr);
    PathRoundedRect(cr, inset, inset, s - 2 * inset, s - 2 * inset, (s - 2 * inset) * 0.16);
    cairo_clip(cr);
    cairo_new_path(cr);
    levelart::DrawHero(cr, pose, ("icon hero " + std::to_string(size)).c_str());
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

void PutLe(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// An .ico file whose pictures are the PNG files themselves (Windows reads PNG entries since
// Vista). Entries larger than 256 px cannot be described by the format.
void WriteIco(GenContext& ctx, const std::vector<int>& sizes, const std::string& rel) {
    std::vector<std::vector<char>> pngs;
    for (int size : sizes) {
        const auto file = ctx.Abs("icon/" + std::to_string(size) + ".png");
        std::ifstream in(file, std::ios::binary);
        if (!in) throw GenError(file.string() + ": cannot read it back for the .ico");
        pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<char> out;
    PutLe(out, 0, 2); // reserved
    PutLe(out, 1, 2); // an icon, not a cursor
    PutLe(out, static_cast<std::uint32_t>(sizes.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        PutLe(out, sizes[i] >= 256 ? 0 : sizes[i], 1); // 0 stands for 256
        PutLe(out, sizes[i] >= 256 ? 0 : sizes[i], 1);
        PutLe(out, 0, 1); // no palette
        PutLe(out, 0, 1);
        PutLe(out, 1, 2);  // planes
        PutLe(out, 32, 2); // bits per pixel
        PutLe(out, static_cast<std::uint32_t>(pngs[i].size()), 4);
        PutLe(out, offset, 4);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (const auto& png : pngs)
        out.insert(out.end(), png.begin(), png.end());
    const auto file = ctx.Abs(rel);
    std::ofstream ico(file, std::ios::binary);
    ico.write(out.data(), static_cast<std::streamsize>(out.size()));
    ico.close();
    if (!ico) throw GenError(file.string() + ": cannot write");
    ctx.Count(file);
}

void GenerateIcon(GenContext& ctx) {
    for (int size : {16, 32, 48, 64, 128, 256, 512})
        DrawIcon(ctx, size);
    WriteIco(ctx, {16, 32, 48, 64, 128, 256}, "icon/PebbleFrost.ico");
}

AssetGroup group("icon", &GenerateIcon);

} // namespace
