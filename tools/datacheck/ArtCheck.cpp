// Pictures that end where they should: a picture (or each frame of a strip) that is not meant to
// fill its frame keeps its border rows and columns see-through, so nothing on the page shows a
// hard straight edge where the painting was cut off. Pictures meant to touch an edge are listed
// below with the reason; things standing on the lane may rest on their bottom edge.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

constexpr int kOpaque = 128;     // alpha from which a pixel counts as painted
constexpr int kTolerance = 3;    // painted pixels an edge may hold (a stray fibre of ink)
constexpr int kGroundLow = 556;  // a level object whose drawn bottom lies in this band stands on
constexpr int kGroundHigh = 590; // the lane (its feet may be cut flat by the ground)

// Edges a picture may touch.
enum : unsigned { Top = 1, Bottom = 2, Left = 4, Right = 8, AllEdges = 15 };

struct Allowance {
    const char* path; // a path ending or folder (matched as a substring)
    unsigned edges;
    const char* reason;
};

// clang-format off
constexpr Allowance kAllowed[] = {
    // Book layers and full pages.
    {"/image/Common/", AllEdges, "book layers: the cover, pages and frames fill the screen"},
    {"/image/Title/", AllEdges, "title pictures: full pages, the menu bar, logos on their cards"},
    {"/image/Title/Opening/", AllEdges, "the opening film's pictures fill the page"},
    {"/image/One/esc", AllEdges, "pause menu sheet and buttons are cards"},
    {"/image/Support/Inventory.png", AllEdges, "the bag window is a card"},
    {"/image/Support/inven_full.png", AllEdges, "the bag's full notice is a card"},
    {"/image/Support/inventoryNum.png", AllEdges, "the bag's page numbers fill their strip"},
    {"/image/Support/sun_effect.png", AllEdges, "the sun's glare fills its strip"},
    {"/image/Common/help_p.png", AllEdges, "the help panel is cut into slices"},
    // Pages of the closing sequence and the ending that fill the page.
    {"/Back_OBJ/smoke4.png", AllEdges, "closing smoke fills the page"},
    {"/Back_OBJ/smoke5.png", AllEdges, "closing smoke fills the page"},
    {"/Back_OBJ/smoke6.png", AllEdges, "closing smoke fills the page"},
    {"/Back_OBJ/smoke7.png", AllEdges, "closing smoke fills the page"},
    {"/Back_OBJ/smoke8.png", AllEdges, "closing smoke fills the page"},
    {"/image/Ending/room.png", AllEdges, "the ending's room fills the page"},
    {"/image/Ending/smoke", AllEdges, "the ending's smoke over the room fills the page"},
    {"/image/Ending/end5.png", AllEdges, "the closed book on the table fills the screen"},
    {"/image/Ending/end", Top | Bottom | Right, "the last page comes over from the right, top to bottom"},
    {"/image/Ending/hand", Top | Right, "the storyteller's arm reaches in from outside the page"},
    {"/image/Ending/char", Bottom, "the hero's pictures end at the page's bottom edge, under the floor line"},
    // The level: the ground strip and things that reach out of the picture on purpose.
    {"/Back_OBJ/snowbank_", AllEdges, "the ground strip: tiles laid edge to edge"},
    {"/Back_OBJ/boardwalk.png", Left | Right | Bottom, "boardwalk tiles laid edge to edge"},
    {"/Back_OBJ/frost_bough.png", Top | Left, "the bough hangs in from the page's top left corner"},
    {"/Back_OBJ/lantern_flare.png", AllEdges, "lantern light spreading past its frame (soft glow)"},
    {"/Back_OBJ/lantern_glow.png", Left, "the glow of the lantern standing left of its frame"},
    {"/Back_OBJ/lantern_burst_fox.png", AllEdges, "lantern light spreading past its frame (soft glow)"},
    {"/Back_OBJ/pine_branch_sway.png", Left, "the branch grows out of the tall pine's trunk at its left"},
    {"/Back_OBJ/firelit_window.png", AllEdges, "a window pane laid exactly over the farmhouse's window"},
    {"/One/Char/head_", Left | Right | Bottom,
     "a head joins the walker's body at its neck, where the body is widest"},
    {"/One/Char/walk.png", Top, "the body's top lies under the head picture"},
    // Hidden objects placed by a rule on the lane (their file places are unused): their feet
    // stand on the lane when they are shown.
    {"/Back_OBJ/imp_flattened.png", Bottom, "shown at the imp's place, on the lane"},
    {"/Back_OBJ/imp_tumbling.png", Bottom, "shown at the imp's place, on the lane"},
    {"/Back_OBJ/snowman_alive.png", Bottom, "shown at the snowman's place, on the lane"},
    {"/Back_OBJ/goose_with_gosling.png", Bottom, "shown where the gosling stood, on the lane"},
    {"/Back_OBJ/badger_lifts_egg.png", Bottom, "shown at the badger's place, on the lane"},
    {"/Back_OBJ/fox_bowled_over.png", Bottom, "shown at the fox's place, down to the lane"},
    {"/Back_OBJ/fox_fleeing_bowled_over.png", Bottom, "shown at the fox's place, down to the lane"},
    // Torn pieces: the tearing strip and the bag's picture are scraps of paper, and the thing on
    // a piece may run to its torn rim; holes are the torn-out shape itself. (A piece lying on the
    // page shows no paper round the thing: CheckPiecesBlendIn.)
    {"/image/Bag/", AllEdges, "bag pieces are torn scraps; holes are the torn-out shape"},
    // The notes pinned on the page: the strip of tape holding each runs off its top edge.
    {"/image/Support/gameover", Top, "the tape holding the note runs off its top"},
    {"/image/Support/warning.png", Top, "the tape holding the note runs off its top"},
    {"/image/Support/stop_", Top, "the tape holding the note runs off its top"},
    {"/image/Support/fox_took_", Top, "the tape holding the note runs off its top"},
};
// clang-format on

unsigned AllowedEdges(const std::string& file) {
    unsigned edges = 0;
    for (const Allowance& a : kAllowed)
        if (file.find(a.path) != std::string::npos) edges |= a.edges;
    return edges;
}

std::string EdgeName(unsigned edge) {
    return edge == Top ? "top" : edge == Bottom ? "bottom" : edge == Left ? "left" : "right";
}

} // namespace

EdgeCounts CountEdgePixels(const uint8_t* rgba, int stride, int x0, int y0, int w, int h) {
    EdgeCounts c;
    auto painted = [&](int x, int y) { return rgba[(y * stride + x) * 4 + 3] >= kOpaque; };
    for (int x = x0; x < x0 + w; ++x) {
        c.top += painted(x, y0);
        c.bottom += painted(x, y0 + h - 1);
    }
    for (int y = y0; y < y0 + h; ++y) {
        c.left += painted(x0, y);
        c.right += painted(x0 + w - 1, y);
    }
    return c;
}

int FrameX(const FrameGrid& grid, int f) {
    return (f < grid.count ? f % grid.columns : (f - grid.count) % 5) * grid.w;
}
int FrameY(const FrameGrid& grid, int f) {
    return (f < grid.count ? f / grid.columns : 2 + (f - grid.count) / 5) * grid.h;
}

void DataCheck::Frames(const std::string& file, FrameGrid grid) {
    frameGrids[file] = grid;
}

void DataCheck::CheckEdges() {
    std::error_code error;
    std::vector<std::string> files;
    for (std::filesystem::recursive_directory_iterator it("Data/image", error), end;
         !error && it != end; it.increment(error))
        if (it->is_regular_file() && it->path().extension() == ".png")
            files.push_back(it->path().generic_string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        const unsigned allowed = AllowedEdges(file);
        auto known = frameGrids.find(file);
        FrameGrid grid = known == frameGrids.end() ? FrameGrid{} : known->second;
        const unsigned mayTouch = allowed | grid.mayTouch;
        if (mayTouch == AllEdges) continue;
        DecodedPng png;
        std::string why;
        if (!DecodePng(file.c_str(), kDataLimits.pictureSide.high, png, why))
            continue; // reported by the size checks
        if (grid.w <= 0 || grid.h <= 0) grid = FrameGrid{png.width, png.height, 1, 1, 1, 0};
        for (int f = 0; f < grid.count + grid.more; ++f) {
            const int x0 = FrameX(grid, f), y0 = FrameY(grid, f);
            if (x0 + grid.w > png.width || y0 + grid.h > png.height) break; // size reported
            const EdgeCounts c =
                CountEdgePixels(png.rgba.data(), png.width, x0, y0, grid.w, grid.h);
            for (auto [edge, count] : {std::pair{Top, c.top}, std::pair{Bottom, c.bottom},
                                       std::pair{Left, c.left}, std::pair{Right, c.right}}) {
                if ((mayTouch & edge) || count <= kTolerance) continue;
                Problem(file + (grid.count + grid.more > 1 ? ": frame " + std::to_string(f) : "") +
                        ": " + std::to_string(count) + " painted pixels on its " + EdgeName(edge) +
                        " edge (cut off; at most " + std::to_string(kTolerance) + ")");
            }
        }
    }
}

namespace {

// Notices that can be on the screen at the same time, each at its place (scale 1).
struct PlacedNotice {
    const char* file;
    int x, y;
};
constexpr PlacedNotice kPageNotice{"Data/image/Support/Not_page.png", 230, 115};
constexpr PlacedNotice kBagFull{"Data/image/Support/inven_full.png", 230, 115};
constexpr PlacedNotice kLostNotices[] = {{"Data/image/Support/gameover1.png", 100, 185},
                                         {"Data/image/Support/gameover2.png", 100, 185},
                                         {"Data/image/Support/gameover3.png", 100, 185},
                                         {"Data/image/Support/warning.png", 100, 185},
                                         {"Data/image/Support/stop_troll.png", 100, 185},
                                         {"Data/image/Support/fox_took_balloon.png", 100, 185}};
// The nearer hint under a notice (all hints share one size and place).
constexpr PlacedNotice kHint{"Data/image/Support/hint_fence_3.png", 100, 365};
// Notes shown while the hero walks keep right of this page x (they are drawn at kNoticeX).
constexpr int kNoticeX = 100, kWalkingNoteLeft = 460;
// The slip the page number is printed on, on every page of the level.
constexpr PlacedNotice kPageSlip{"Data/image/Support/page_slip.png", 368, 574};

// Pairs that overlap, with the reason they never show together.
struct AllowedOverlap {
    const char* first;
    const char* second;
    const char* reason;
};
constexpr AllowedOverlap kOverlapsAllowed[] = {
    {"inven_full.png", "Not_page.png",
     "the bag is never full on page 0, and a locked page tears nothing out"},
};

bool OverlapAllowed(const std::string& a, const std::string& b) {
    auto ends = [](const std::string& s, const char* tail) {
        const std::string t = tail;
        return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
    };
    for (const AllowedOverlap& o : kOverlapsAllowed)
        if ((ends(a, o.first) && ends(b, o.second)) || (ends(a, o.second) && ends(b, o.first)))
            return true;
    return false;
}

} // namespace

int OverlappingPixels(const DecodedPng& a, int ax, int ay, const DecodedPng& b, int bx, int by) {
    const int left = std::max(ax, bx), right = std::min(ax + a.width, bx + b.width);
    const int top = std::max(ay, by), bottom = std::min(ay + a.height, by + b.height);
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const size_t ia = (size_t(y - ay) * a.width + (x - ax)) * 4 + 3;
            const size_t ib = (size_t(y - by) * b.width + (x - bx)) * 4 + 3;
            count += a.rgba[ia] >= kOpaque && b.rgba[ib] >= kOpaque;
        }
    return count;
}

void DataCheck::CheckNoticeOverlaps() {
    std::vector<std::pair<PlacedNotice, PlacedNotice>> pairs;
    for (const PlacedNotice& lost : kLostNotices) {
        pairs.push_back({kPageNotice, lost});
        pairs.push_back({kBagFull, lost});
        pairs.push_back({kHint, lost});
        pairs.push_back({kPageSlip, lost});
    }
    pairs.push_back({kBagFull, kPageNotice});
    pairs.push_back({kHint, kPageNotice});
    for (const PlacedNotice& other : {kPageNotice, kBagFull, kHint})
        pairs.push_back({kPageSlip, other});
    for (const auto& [a, b] : pairs) {
        DecodedPng pa, pb;
        std::string why;
        if (!DecodePng(a.file, kDataLimits.pictureSide.high, pa, why) ||
            !DecodePng(b.file, kDataLimits.pictureSide.high, pb, why))
            continue; // reported by the size checks
        const int shared = OverlappingPixels(pa, a.x, a.y, pb, b.x, b.y);
        if (shared > 0 && !OverlapAllowed(a.file, b.file))
            Problem(std::string(a.file) + " at (" + std::to_string(a.x) + ", " +
                    std::to_string(a.y) + ") and " + b.file + " at (" + std::to_string(b.x) + ", " +
                    std::to_string(b.y) + ") can show together and overlap on " +
                    std::to_string(shared) + " painted pixels");
    }
    // The notes that show while the hero walks on (the fox's warning, what the fox took) are
    // narrow, in the page's right part: the hero, the fox and the imp winding up its throw stay
    // in sight on the left.
    std::vector<std::string> walkingNotes = {"Data/image/Support/warning.png"};
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("Data/image/Support", error))
        if (entry.path().filename().string().rfind("fox_took_", 0) == 0)
            walkingNotes.push_back(entry.path().generic_string());
    for (const std::string& file : walkingNotes) {
        DecodedPng png;
        std::string why;
        if (!DecodePng(file.c_str(), kDataLimits.pictureSide.high, png, why)) continue;
        int painted = 0;
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < std::min(png.width, kWalkingNoteLeft - kNoticeX); ++x)
                painted += png.rgba[(size_t(y) * png.width + x) * 4 + 3] >= kOpaque;
        if (painted > 0)
            Problem(file + " at (" + std::to_string(kNoticeX) + ", 185) shows while the hero " +
                    "walks and paints " + std::to_string(painted) + " pixels left of page x " +
                    std::to_string(kWalkingNoteLeft) + ", where the hero and the fox are");
    }
}

unsigned DataCheck::GroundEdges(int y, int h) {
    const int bottom = y + 2 * h;
    return bottom >= kGroundLow && bottom <= kGroundHigh ? unsigned(Bottom) : 0u;
}

namespace {

// A piece lying on the page shows the thing on it and at most a faint torn line round it: the
// page's own paper colour painted all along the piece's border would read as a square of paper
// stuck onto the page. Counted in the band within kPieceBand pixels of each frame's border.
constexpr int kPieceBand = 5;
constexpr int kPaperRgb[3] = {244, 236, 214}; // the page's cream
constexpr int kPaperDistance = 30;            // summed over the channels
constexpr double kMaxPaperInBand = 0.08;      // of the band's pixels

bool PaperColoured(const uint8_t* px) {
    return px[3] >= kOpaque && std::abs(px[0] - kPaperRgb[0]) + std::abs(px[1] - kPaperRgb[1]) +
                                       std::abs(px[2] - kPaperRgb[2]) <
                                   kPaperDistance;
}

double PaperInBorderBand(const uint8_t* rgba, int stride, int x0, int y0, int w, int h) {
    int band = 0, paper = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (std::min({x, y, w - 1 - x, h - 1 - y}) >= kPieceBand) continue;
            ++band;
            paper += PaperColoured(rgba + (size_t(y0 + y) * stride + x0 + x) * 4);
        }
    return band > 0 ? double(paper) / band : 0.0;
}

} // namespace

void DataCheck::CheckPiecesBlendIn() {
    for (const std::string& file : pieceOnPage) {
        DecodedPng png;
        std::string why;
        if (!DecodePng(file.c_str(), kDataLimits.pictureSide.high, png, why))
            continue; // reported by the size checks
        auto known = frameGrids.find(file);
        FrameGrid grid = known == frameGrids.end() ? FrameGrid{} : known->second;
        if (grid.w <= 0 || grid.h <= 0) grid = FrameGrid{png.width, png.height, 1, 1, 1, 0};
        for (int f = 0; f < grid.count + grid.more; ++f) {
            const int x0 = FrameX(grid, f), y0 = FrameY(grid, f);
            if (x0 + grid.w > png.width || y0 + grid.h > png.height) break; // size reported
            const double paper =
                PaperInBorderBand(png.rgba.data(), png.width, x0, y0, grid.w, grid.h);
            if (paper > kMaxPaperInBand)
                Problem(file + (grid.count > 1 ? ": frame " + std::to_string(f) : "") +
                        ": the page's paper colour fills " + std::to_string(int(paper * 100)) +
                        "% of the piece's border (a square of paper stuck on the page; at most " +
                        std::to_string(int(kMaxPaperInBand * 100)) + "%)");
        }
    }
}

namespace {

// Pictures painted on the title's page, at their place (scale 1). The page's paper ends at x 771;
// the edges of the pages below lie over it up to the cover, but between them and the cover a
// chink is left where anything painted this far right would show as a sliver.
struct OnPage {
    const char* file;
    int x;
};
constexpr OnPage kTitleOnPage[] = {{"Data/image/Title/MenuBar.png", 0}};
constexpr int kPageEdge = 775; // a little inside the pages' edges

} // namespace

int PaintedRightOf(const DecodedPng& png, int placedX, int edge) {
    int count = 0;
    for (int y = 0; y < png.height; ++y)
        for (int x = std::max(0, edge - placedX); x < png.width; ++x)
            count += png.rgba[(size_t(y) * png.width + x) * 4 + 3] >= kOpaque;
    return count;
}

void DataCheck::CheckTitleOnPage() {
    for (const OnPage& p : kTitleOnPage) {
        DecodedPng png;
        std::string why;
        if (!DecodePng(p.file, kDataLimits.pictureSide.high, png, why))
            continue; // reported by the size checks
        if (const int n = PaintedRightOf(png, p.x, kPageEdge); n > 0)
            Problem(std::string(p.file) + ": " + std::to_string(n) +
                    " painted pixels right of the page's edge (x " + std::to_string(kPageEdge) +
                    "), where the chink by the book's cover shows them");
    }
}
