// pebblefrost-lane <folder holding Data> <output folder>: pictures for reviewing the level's art.
//  lane.png        the whole lane at page 0 as the level places it when it starts (every shown
//                  background object, collision object and loose item at its start place, at
//                  scale 2, first frame, with its slot written beside it); hidden objects and
//                  those waiting off-stage are left out (their file places are unused).
//  lane_small.png  the same, shrunk and cut into rows, for data/LEVEL.md.
//  contact_sheet.png  every level and ending picture, whole, with its name, on a tinted ground
//                  with its frame boxes outlined (so cut-off edges stand out).
// Places come from the level's own start-up (CStage_One::Init on the headless platform).
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <algorithm>
#include <cairo.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kGround = 570; // the walker's feet
constexpr int kTop = -120;   // the lane picture shows y from here (things reach above the page)
constexpr int kBottom = 640;
constexpr int kMargin = 200;
constexpr int kFarAway = 12000; // objects beyond this (the far hut) go into an inset

std::string Slashed(const char* path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

// Pictures are loaded once and kept (cairo surfaces, freed at exit).
cairo_surface_t* Picture(const std::string& path) {
    static std::map<std::string, std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)>>
        cache;
    auto it = cache.find(path);
    if (it != cache.end()) return it->second.get();
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "pebblefrost-lane: cannot read %s\n", path.c_str());
        cairo_surface_destroy(s);
        s = nullptr;
    }
    cache.emplace(path, std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)>(
                            s, [](cairo_surface_t* p) {
                                if (p) cairo_surface_destroy(p);
                            }));
    return s;
}

// One thing on the lane: frame (sx, sy, w, h) of a picture drawn at (x, y), scale 2.
struct Placed {
    std::string label, picture;
    int x, y, sx, sy, w, h;
    bool mirrored = false;
};

void DrawPlaced(cairo_t* cr, const Placed& p, double alpha = 1.0) {
    cairo_surface_t* s = Picture(p.picture);
    if (!s) return;
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    if (p.mirrored) {
        cairo_translate(cr, 2 * p.w, 0);
        cairo_scale(cr, -1, 1);
    }
    cairo_scale(cr, 2, 2);
    cairo_rectangle(cr, 0, 0, p.w, p.h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, -p.sx, -p.sy);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void Label(cairo_t* cr, double x, double y, const std::string& text, double size) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, size / 4);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0.75, 0.05, 0.05);
    cairo_fill(cr);
}

std::vector<Placed> PlaceLane(const CStage_One& stage) {
    const LevelState& L = stage.level;
    std::vector<Placed> out;
    auto back = [&](int i) {
        const BackObj& b = L.backs[i];
        Placed p{"B" + std::to_string(i),
                 Slashed(stage.backImagePaths[i].path),
                 b.x,
                 b.y,
                 0,
                 0,
                 b.w,
                 b.h};
        if (i == 59) { // cut with slot 56's frame size
            p.w = L.backs[56].w;
            p.h = L.backs[56].h;
        }
        if (i == 20) { // the boardwalk: twelve tiles, no tile at +890
            for (int d : {0, 89, 178, 267, 356, 445, 534, 623, 712, 801, 979, 1068}) {
                Placed tile = p;
                tile.x += d;
                tile.label = d == 0 ? p.label : "";
                out.push_back(tile);
            }
            return;
        }
        out.push_back(p);
        if (i == 72) { // the mirrored partner 805 px on
            Placed m = p;
            m.x += 805 - 2 * p.w;
            m.mirrored = true;
            m.label = "";
            out.push_back(m);
        }
    };
    auto shown = [](int32_t state) { return state == 0 || state == 1; };
    for (int i = 50; i <= 55; ++i)
        if (shown(L.backs[i].state)) back(i);
    for (int i = 0; i < LevelState::kBacks; ++i)
        if ((i < 50 || i > 55) && i != 60 && shown(L.backs[i].state)) back(i);
    for (int i = 0; i < LevelState::kColls; ++i) {
        const CollObj& c = L.colls[i];
        if (!shown(c.state)) continue;
        out.push_back({"C" + std::to_string(i), Slashed(stage.collImagePaths[i].path), c.x, c.y, 0,
                       0, c.w, c.h});
    }
    const InventoryBag& bag = InventoryBag::Instance();
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        const TearObj& t = bag.items[i];
        if (t.state != 0 && t.state != 1) continue;
        out.push_back(
            {"I" + std::to_string(i), Slashed(bag.tearPath[i].path), t.x, t.y, 0, 0, t.w, t.h});
    }
    const CharObj& walker = L.chars[0];
    out.push_back({"hero", Slashed(stage.charImagePaths[0].path), walker.x, walker.y, 0, 0,
                   walker.w, walker.h});
    out.push_back(
        {"", Slashed(stage.headImagePaths[0].path), L.head.x, L.head.y, 0, 0, L.head.w, L.head.h});
    if (shown(L.backs[60].state)) back(60); // drawn over everything
    return out;
}

bool WritePng(cairo_surface_t* s, const std::string& path) {
    if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "pebblefrost-lane: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// The lane from `left` to `right` (lane x), with a ruler, the first page's frame and the
// ground line; returns the surface.
cairo_surface_t* DrawLane(const std::vector<Placed>& things, int left, int right) {
    const int width = right - left, height = kBottom - kTop;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.96, 0.93, 0.85); // the page
    cairo_paint(cr);
    cairo_translate(cr, -left, -kTop);
    for (int x = (left / 500) * 500; x < right; x += 500) { // ruler
        cairo_set_source_rgba(cr, 0.3, 0.3, 0.5, x % 1000 == 0 ? 0.35 : 0.15);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x, kTop);
        cairo_line_to(cr, x, kBottom);
        cairo_stroke(cr);
        Label(cr, x + 6, kBottom - 10, std::to_string(x), 22);
    }
    cairo_set_source_rgba(cr, 0.2, 0.5, 0.2, 0.6); // the ground line
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, left, kGround);
    cairo_line_to(cr, right, kGround);
    cairo_stroke(cr);
    for (const Placed& p : things)
        if (p.x < right && p.x + 2 * p.w > left) DrawPlaced(cr, p);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.8, 0.8); // the page the player sees at page 0
    cairo_set_line_width(cr, 4);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_stroke(cr);
    for (const Placed& p : things)
        if (!p.label.empty() && p.x < right && p.x + 2 * p.w > left)
            Label(cr, p.x + 4, std::max(kTop + 30, p.y + 26), p.label, 26);
    cairo_destroy(cr);
    return s;
}

int MakeLane(const std::vector<Placed>& all, const std::string& outDir) {
    std::vector<Placed> near, far;
    int left = 0, right = 800;
    for (const Placed& p : all) {
        (p.x > kFarAway ? far : near).push_back(p);
        if (p.x > kFarAway) continue;
        left = std::min(left, p.x);
        right = std::max(right, p.x + 2 * p.w);
    }
    left -= kMargin;
    right += kMargin;
    // The far objects in an inset after the lane's end, at their own places.
    int farLeft = INT32_MAX, farRight = INT32_MIN;
    for (const Placed& p : far) {
        farLeft = std::min(farLeft, p.x - kMargin);
        farRight = std::max(farRight, p.x + 2 * p.w + kMargin);
    }
    cairo_surface_t* lane = DrawLane(near, left, right);
    cairo_surface_t* inset = far.empty() ? nullptr : DrawLane(far, farLeft, farRight);
    const int laneW = right - left, insetW = inset ? farRight - farLeft : 0, h = kBottom - kTop;
    const int gap = inset ? 60 : 0;
    cairo_surface_t* whole =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, laneW + gap + insetW, h);
    cairo_t* cr = cairo_create(whole);
    cairo_set_source_rgb(cr, 0.25, 0.2, 0.15);
    cairo_paint(cr);
    cairo_set_source_surface(cr, lane, 0, 0);
    cairo_paint(cr);
    if (inset) {
        cairo_set_source_surface(cr, inset, laneW + gap, 0);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    bool ok = WritePng(whole, outDir + "/lane.png");

    // Rows of at most 3200 lane pixels, at a quarter of the size.
    const int rowW = 3200, totalW = laneW + gap + insetW;
    const int rows = (totalW + rowW - 1) / rowW;
    const double k = 0.25;
    cairo_surface_t* small =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(rowW * k), int(rows * (h * k + 8)));
    cr = cairo_create(small);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    for (int r = 0; r < rows; ++r) {
        cairo_save(cr);
        cairo_translate(cr, 0, r * (h * k + 8));
        cairo_rectangle(cr, 0, 0, rowW * k, h * k);
        cairo_clip(cr);
        cairo_scale(cr, k, k);
        cairo_set_source_surface(cr, whole, -r * rowW, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    ok = WritePng(small, outDir + "/lane_small.png") && ok;
    cairo_surface_destroy(small);
    cairo_surface_destroy(whole);
    cairo_surface_destroy(lane);
    if (inset) cairo_surface_destroy(inset);
    return ok ? 0 : 1;
}

// Every picture of the level and the ending, whole, scaled to fit a cell, with its name.
int MakeContactSheet(const std::string& outDir) {
    std::vector<std::string> files;
    for (const char* folder : {"Data/image/One/Back_OBJ", "Data/image/One/Coll_OBJ",
                               "Data/image/One/Char", "Data/image/Bag/Tear", "Data/image/Ending"}) {
        std::error_code error;
        std::vector<std::string> here;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            if (it->path().extension() == ".png") here.push_back(it->path().generic_string());
        std::sort(here.begin(), here.end());
        files.insert(files.end(), here.begin(), here.end());
    }
    const int cellW = 300, cellH = 250, columns = 10, pictureH = 220;
    const int rows = (int(files.size()) + columns - 1) / columns;
    cairo_surface_t* sheet =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * cellW, rows * cellH);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    for (size_t i = 0; i < files.size(); ++i) {
        const double cx = double(i % columns) * cellW, cy = double(i / columns) * cellH;
        cairo_surface_t* s = Picture(files[i]);
        if (s) {
            const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
            const double k = std::min({2.0, (cellW - 12.0) / w, (pictureH - 8.0) / h});
            cairo_save(cr);
            cairo_translate(cr, cx + 6, cy + 4);
            cairo_rectangle(cr, 0, 0, w * k, h * k); // a tinted ground shows the picture's box
            cairo_set_source_rgb(cr, 0.72, 0.80, 0.86);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, 0.85, 0.2, 0.2);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            cairo_scale(cr, k, k);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
        std::string name = files[i].substr(files[i].find("image/") + 6);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 12);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, cx + 6, cy + pictureH + 18);
        cairo_show_text(cr, name.c_str());
    }
    cairo_destroy(cr);
    const bool ok = WritePng(sheet, outDir + "/contact_sheet.png");
    cairo_surface_destroy(sheet);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pebblefrost-lane <folder holding Data> <output folder>\n");
        return 2;
    }
    const std::string outDir = std::filesystem::absolute(argv[2]).string();
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    std::filesystem::current_path(argv[1], error);
    if (error || !std::filesystem::is_directory("Data")) {
        std::fprintf(stderr, "pebblefrost-lane: no Data folder in '%s'\n", argv[1]);
        return 1;
    }
    const char* why = "";
    WindowHandle window = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &why);
    if (!window || Graphics::Instance().InitDevice() != 0) {
        std::fprintf(stderr, "pebblefrost-lane: no headless device: %s\n", why);
        return 1;
    }
    mainWindow = window;
    headless::SetClock(1000);
    CCommon::Instance().ResetPlay();
    InventoryBag::Instance().ResetBag();
    auto stage = std::make_unique<CStage_One>();
    stage->window = window;
    stage->Init();
    const std::vector<Placed> lane = PlaceLane(*stage);
    int status = MakeLane(lane, outDir);
    status = std::max(status, MakeContactSheet(outDir));
    stage->Release();
    return status;
}
