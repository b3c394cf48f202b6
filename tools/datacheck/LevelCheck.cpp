// The level's lists and property files, and the layout rules the puzzle needs: frame counts the
// rules step through, fixed positions the keyframes assume, start states, the common scroll step,
// ground lines and the order of things along the way.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr int kStep = 20;    // pixels per page for everything on the ground
constexpr int kGround = 570; // the walker's feet; loose items fall to kGround - displayed height
constexpr int kOnEdge = 860; // an object resting here switches on and off every frame
constexpr int kNoLimit = 1 << 20;      // no upper bound on a frame count
constexpr int kHeadFrames = 5;         // every head picture bobs with the five walking frames
constexpr int kEggRollsOffBelow = 710; // a loose egg left of this rolls off its stump
constexpr int kRideSteps = 10; // the windmill turns with the carried hero: a frame for each step

struct Record {
    std::string file; // property file, for messages
    int x = 0, y = 0, w = 0, h = 0, frames = 0, step = 0, state = 0;
    bool read = false;
};

// Frames of the animated background strips (by slot); 0 = drawn whole.
constexpr struct {
    int slot, frames;
} kBackStrips[] = {{1, 3},  {6, 4},  {12, 5}, {13, 3}, {14, 3}, {16, 3}, {17, 5}, {18, 3},
                   {19, 2}, {21, 4}, {22, 3}, {23, 8}, {24, 4}, {25, 5}, {27, 5}, {29, 4},
                   {30, 8}, {31, 5}, {56, 3}, {57, 5}, {58, 4}, {59, 3}, {73, 2}, {74, 3},
                   {75, 2}, {90, 3}, {91, 3}, {93, 5}, {94, 5}};

// Collision objects whose frames lie on one row; all others use rows of three.
constexpr int kOneRow[] = {5, 11, 15, 17, 18, 19, 22};

constexpr int kMustStartHidden[] = {2,  3,  11, 12, 13, 14, 17, 18, 21, 22, 24, 25, 26,
                                    27, 29, 30, 31, 56, 57, 58, 59, 91, 92, 93, 94};

// Far-away sky scenery may scroll at its own speed; everything else shares kStep.
constexpr int kSkySlots[] = {61, 64, 79, 81, 85};

// Placements made when the level starts: target = anchor + (dx, dy), or y = yAbs when set.
enum Kind { Back, Coll, Item, Fixed };
struct Placement {
    Kind kind;
    int slot;
    Kind anchorKind;
    int anchor, dx, dy;
    bool yAbs;
};
constexpr Placement kPlacements[] = {
    {Back, 5, Item, 1, -182, -168, false},
    {Back, 6, Item, 3, -100, -110, false},
    {Back, 7, Item, 4, -146, -150, false},
    {Back, 8, Item, 6, -39, -13, false},
    {Back, 9, Item, 8, -124, -156, false},
    {Back, 10, Coll, 2, -198, -2, false},
    {Back, 20, Item, 11, 89, 0, false},
    {Back, 23, Coll, 9, 116, -46, false},
    {Back, 61, Back, 60, 350, 0, false},
    {Back, 62, Back, 60, 1077, 106, false},
    {Back, 63, Back, 60, 4226, -153, false},
    {Back, 64, Back, 60, 2705, 9, false},
    {Back, 65, Back, 60, 5668, 120, false},
    {Back, 66, Back, 60, 7817, 14, false},
    {Back, 67, Back, 60, 617, -46, false},
    {Back, 68, Back, 60, 3633, 113, false},
    {Back, 69, Back, 60, 1423, 72, false},
    {Back, 70, Back, 60, 1722, 145, false},
    {Back, 71, Back, 60, 2167, 49, false},
    {Back, 72, Back, 60, 2517, 9, false},
    {Back, 74, Back, 62, 136, 166, false},
    {Back, 75, Back, 65, 360, 178, false},
    {Back, 73, Back, 63, 12, 158, false},
    {Back, 50, Back, 60, 288, 444, false},
    {Back, 51, Back, 50, 200, 489, true},
    {Back, 52, Back, 51, 200, 489, true},
    {Back, 53, Back, 52, 200, 489, true},
    {Back, 54, Back, 53, 200, 489, true},
    {Back, 55, Back, 54, 200, 489, true},
    {Back, 76, Back, 60, 1412, 322, false},
    {Back, 77, Back, 60, 1625, 227, false},
    {Back, 78, Back, 60, 3365, 277, false},
    {Back, 79, Back, 60, 3315, 30, false},
    {Back, 80, Back, 60, 2014, 289, false},
    {Back, 81, Back, 60, 5135, 56, false},
    {Back, 82, Back, 60, 5288, 379, false},
    {Back, 83, Back, 60, 7299, 454, false},
    {Back, 84, Back, 60, 2203, 261, false},
    {Back, 85, Back, 60, 5338, 30, false},
    {Back, 86, Back, 60, 6356, 88, false},
    {Back, 87, Back, 60, 3648, 194, false},
    {Back, 88, Back, 60, 6380, 413, false},
    {Back, 89, Back, 60, 3913, 322, false},
    {Back, 90, Back, 60, 1800, 332, true},
    {Item, 14, Back, 28, 25, -81, false},
    {Back, 32, Back, 5, -455, 176, false},
    {Back, 33, Back, 6, -1009, 184, false},
    {Back, 34, Back, 6, -697, 274, false},
    {Back, 35, Back, 6, -228, 219, false},
    {Back, 36, Back, 6, 976, 7, false},
    {Back, 37, Back, 7, -510, 89, false},
    {Back, 38, Back, 7, 604, 30, false},
    {Back, 39, Back, 8, -896, -92, false},
    {Back, 40, Back, 8, 497, 120, false},
    {Back, 41, Back, 9, -171, 254, false},
    {Back, 42, Back, 9, 558, 108, false},
    {Back, 43, Coll, 2, -582, 24, false},
    {Back, 44, Coll, 2, -515, -21, false},
    {Back, 45, Coll, 2, -364, 16, false},
    {Back, 46, Fixed, 0, 18500, -61, false},
    {Back, 47, Coll, 0, -510, 224, false},
    {Back, 48, Coll, 0, -99, 250, false},
    {Back, 49, Coll, 0, 405, 267, false},
    // Collision objects are placed after all background objects.
    {Coll, 14, Back, 50, 3000, -100, false},
    {Coll, 22, Back, 60, 6300, 429, true},
    {Coll, 23, Back, 60, 3000, 322, true},
    {Coll, 18, Back, 63, 203, 166, false},
    {Coll, 16, Back, 63, -150, 396, false},
    {Coll, 20, Back, 90, 13, 144, false},
    {Coll, 24, Back, 60, 6601, 144, false},
    {Back, 15, Coll, 6, -77, 46, false},
    {Item, 2, Coll, 0, 144, 92, false},
    {Item, 12, Coll, 9, 292, 198, false},
};

// Where things lie along the way (x after placement, at page 0): the order the puzzle chain is
// built on, each within a window around its intended place.
struct Waypoint {
    Kind kind;
    int slot;
    int low, high;
    const char* what;
};
constexpr Waypoint kWay[] = {
    {Item, 0, 700, 700, "the first hazard (the boulder)"},
    {Coll, 0, 1200, 1400, "the carrier"},
    {Item, 11, 1350, 1550, "the plank"},
    {Back, 20, 1440, 1640, "the pit"},
    {Item, 13, 1500, 1700, "the egg"},
    {Back, 90, 1700, 1900, "the sled's keeper"},
    {Coll, 14, 3200, 3400, "the bag thief"},
    {Coll, 1, 3800, 4000, "the mount"},
    {Coll, 2, 4250, 4450, "the jump"},
    {Coll, 18, 4330, 4530, "the perched dropper"},
    {Coll, 3, 4950, 5150, "the dismount"},
    {Coll, 6, 5300, 5500, "the assembly"},
    {Coll, 4, 5500, 5700, "the bell"},
    {Back, 16, 6500, 6700, "the guard's arrival"},
    {Coll, 24, 6500, 6700, "the snow trap"},
    {Back, 66, 7700, 7900, "the ending"},
};

bool Contains(const int* first, const int* last, int value) {
    return std::find(first, last, value) != last;
}

// One past the lowest painted row (alpha 128 and above) of frame f of a strip of w x h frames;
// 0 when the frame paints nothing or the picture cannot be read (reported elsewhere).
int PaintedFoot(const std::string& file, int w, int h, int f) {
    DecodedPng png;
    std::string why;
    if (!DecodePng(file.c_str(), kDataLimits.pictureSide.high, png, why) ||
        (f + 1) * w > png.width || h > png.height)
        return 0;
    for (int y = h - 1; y >= 0; --y)
        for (int x = f * w; x < (f + 1) * w; ++x)
            if (png.rgba[(size_t(y) * png.width + x) * 4 + 3] >= 128) return y + 1;
    return 0;
}

} // namespace

struct LevelData {
    std::vector<Record> chars, back, coll, items;
    Record head;
    std::vector<Record>& Of(Kind kind) { return kind == Back ? back : kind == Coll ? coll : items; }
};

namespace {

// Reads one record per file; fields names the record member each value goes to, in file order.
template <size_t K>
std::vector<Record> ReadRecords(DataCheck& check, const std::vector<std::string>& files,
                                const PropertyField (&ranges)[K], const char* fields) {
    const size_t k = K;
    std::vector<Record> records(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        Record& r = records[i];
        r.file = files[i];
        if (r.file.empty()) continue;
        std::vector<int> v = check.Properties(r.file, ranges);
        if (v.empty()) continue;
        r.read = true;
        for (size_t f = 0; f < k; ++f) {
            switch (fields[f]) {
            case 'x':
                r.x = v[f];
                break;
            case 'y':
                r.y = v[f];
                break;
            case 'w':
                r.w = v[f];
                break;
            case 'h':
                r.h = v[f];
                break;
            case 'n':
                r.frames = v[f];
                break;
            case 's':
                r.step = v[f];
                break;
            case 'S':
                r.state = v[f];
                break;
            }
        }
    }
    return records;
}

std::string Name(Kind kind, int slot) {
    const char* prefix = kind == Back   ? "background object "
                         : kind == Coll ? "collision object "
                                        : "item ";
    return prefix + std::to_string(slot);
}

} // namespace

void DataCheck::CheckLevel() {
    std::vector<std::string> charPics = PathList("Data/Address/One/Char_Normal.txt", 17);
    std::vector<std::string> headPics = PathList("Data/Address/One/Char_Head.txt", 6);
    std::vector<std::string> backPics = PathList("Data/Address/One/Back_OBJ.txt", 95);
    std::vector<std::string> collPics = PathList("Data/Address/One/Collision_OBJ.txt", 25);
    std::vector<std::string> charFiles = PathList("Data/Text/One/Char_OBJ.txt", 17);
    std::vector<std::string> backFiles = PathList("Data/Text/One/Back_OBJ.txt", 95);
    std::vector<std::string> collFiles = PathList("Data/Text/One/Coll_OBJ.txt", 25);
    std::vector<std::string> itemFiles = PathList("Data/Text/Bag/Tear_OBJ.txt", 15);
    for (const auto* list : {&charPics, &headPics, &backPics, &collPics})
        for (const std::string& path : *list)
            if (!path.empty() && path.rfind("Data/image/One/", 0) != 0)
                Problem(path + ": level pictures live under Data\\image\\One\\");
    for (const auto* list : {&charFiles, &backFiles, &collFiles})
        for (const std::string& path : *list)
            if (!path.empty() && path.rfind("Data/Text/One/", 0) != 0)
                Problem(path + ": level property files live under Data\\Text\\One\\");

    LevelData level;
    namespace fields = property_fields;
    level.chars = ReadRecords(*this, charFiles, fields::kChar, "xywhn");
    level.head = ReadRecords(*this, {"Data/Text/Head_OBJ.txt"}, fields::kHead, "xywh")[0];
    level.back = ReadRecords(*this, backFiles, fields::kBack, "xywhsS");
    level.coll = ReadRecords(*this, collFiles, fields::kColl, "xywhns");
    level.items = ReadRecords(*this, itemFiles, fields::kTear, "xywhs");
    CheckLevelRecords(level);
    CheckLevelLayout(level);
    if (!skipLevelPictures) CheckLevelPictures(level, charPics, headPics, backPics, collPics);
}

void DataCheck::CheckLevelRecords(LevelData& level) {
    auto& ch = level.chars;
    auto needFrames = [&](const Record& r, const std::string& who, int low, int high) {
        if (!r.read || (r.frames >= low && r.frames <= high)) return;
        std::string want = low == high        ? std::to_string(low)
                           : high == kNoLimit ? "at least " + std::to_string(low)
                                              : std::to_string(low) + " to " + std::to_string(high);
        Problem(r.file + ": " + who + " has " + std::to_string(r.frames) + " frames, needs " +
                want);
    };
    auto needAt = [&](const Record& r, const std::string& who, int x, int y) {
        if (r.read && (r.x != x || r.y != y))
            Problem(r.file + ": " + who + " at (" + std::to_string(r.x) + ", " +
                    std::to_string(r.y) + "), the keyframes need (" + std::to_string(x) + ", " +
                    std::to_string(y) + ")");
    };
    for (size_t i = 0; i < ch.size(); ++i) {
        needFrames(ch[i], "character " + std::to_string(i), 1, kNoLimit);
    }
    constexpr struct {
        int slot, low, high;
    } kCharFrames[] = {{0, 5, 5},         {1, 3, 3},         {2, 5, 5},         {3, 5, 5},
                       {4, 5, 5},         {6, 3, kNoLimit},  {7, 2, kNoLimit},  {8, 2, kNoLimit},
                       {9, 5, 5},         {11, 5, kNoLimit}, {13, 2, kNoLimit}, {14, 2, kNoLimit},
                       {15, 2, kNoLimit}, {16, 2, kNoLimit}};
    for (auto [slot, low, high] : kCharFrames)
        needFrames(ch[slot], "character " + std::to_string(slot), low, high);
    constexpr struct {
        int slot, x, y;
    } kCharAt[] = {{0, 75, 450},  {2, 79, 424},  {3, 126, 334},
                   {4, 124, 339}, {5, 155, 232}, {9, 75, 205}};
    for (auto [slot, x, y] : kCharAt)
        needAt(ch[slot], "character " + std::to_string(slot), x, y);
    if (ch[0].read && ch[0].y + 2 * ch[0].h != kGround)
        Problem(ch[0].file + ": the walker's feet are at y " +
                std::to_string(ch[0].y + 2 * ch[0].h) + ", the ground line is 570");
    const Record& head = level.head;
    needAt(head, "the head", 109, 395);
    if (head.read && (head.h <= 0 || 2 * head.w < 50))
        Problem(head.file + ": the head shows " + std::to_string(2 * head.w) +
                " wide, needs at least 50 (and a positive height)");

    for (size_t i = 0; i < level.coll.size(); ++i) {
        const Record& r = level.coll[i];
        needFrames(r, "collision object " + std::to_string(i), 1, kNoLimit);
    }
    constexpr struct {
        int slot, low, high;
    } kCollFrames[] = {{3, 3, 3},         {5, 5, kNoLimit}, {9, 1, 3},
                       {15, 3, kNoLimit}, {21, 3, 3},       {22, 4, 4}};
    for (auto [slot, low, high] : kCollFrames)
        needFrames(level.coll[slot], "collision object " + std::to_string(slot), low, high);

    for (size_t i = 0; i < level.back.size(); ++i) {
        const Record& r = level.back[i];
        if (!r.read) continue;
        if (Contains(std::begin(kMustStartHidden), std::end(kMustStartHidden), int(i)) &&
            r.state != 2)
            Problem(r.file + ": background object " + std::to_string(i) +
                    " must start hidden (state 2)");
    }
    if (level.back[66].read && level.back[66].state == 2)
        Problem(level.back[66].file + ": the ending object starts hidden, the ending never comes");
    if (level.back[20].read && level.back[20].w != 45)
        Problem(level.back[20].file + ": the pit's tiles are 89 apart, its frame width must be 45");
    if (level.back[72].read && level.back[72].w < 101)
        Problem(level.back[72].file + ": the mirrored pair needs a frame width of at least 101");
    if (level.back[60].read && level.back[60].y != 45)
        Problem(level.back[60].file + ": the landmarks' anchor must stand at y 45");
}

void DataCheck::CheckLevelLayout(LevelData& level) {
    // Steps: one common step for everything on the ground, and items move with their hosts.
    for (Kind kind : {Back, Coll, Item}) {
        std::vector<Record>& records = level.Of(kind);
        for (size_t i = 0; i < records.size(); ++i) {
            const Record& r = records[i];
            if (!r.read || r.step == kStep) continue;
            if (kind == Back && Contains(std::begin(kSkySlots), std::end(kSkySlots), int(i)))
                continue;
            Problem(r.file + ": step " + std::to_string(r.step) + ", everything on the ground " +
                    "moves " + std::to_string(kStep) + " px per page");
        }
    }
    constexpr struct {
        int item;
        Kind hostKind;
        int host;
    } kHosts[] = {{2, Coll, 0}, {12, Coll, 9}, {12, Back, 23}, {14, Back, 28}, {11, Back, 20},
                  {1, Back, 5}, {3, Back, 6},  {4, Back, 7},   {6, Back, 8},   {8, Back, 9},
                  {1, Coll, 6}, {3, Coll, 6},  {4, Coll, 6},   {6, Coll, 6},   {8, Coll, 6}};
    for (auto [item, hostKind, host] : kHosts) {
        const Record& i = level.items[item];
        const Record& h = level.Of(hostKind)[host];
        if (i.read && h.read && i.step != h.step)
            Problem(i.file + ": item " + std::to_string(item) + " steps " + std::to_string(i.step) +
                    ", its host " + Name(hostKind, host) + " steps " + std::to_string(h.step));
    }

    // Positions after the level's start-up placements.
    for (const Placement& p : kPlacements) {
        Record& target = level.Of(p.kind)[p.slot];
        if (p.anchorKind == Fixed) {
            target.x = p.dx;
            target.y = level.coll[0].y + p.dy;
            continue;
        }
        const Record& anchor = level.Of(p.anchorKind)[p.anchor];
        target.x = anchor.x + p.dx;
        target.y = p.yAbs ? p.dy : anchor.y + p.dy;
    }

    auto ground = [&](int item, const char* what) {
        const Record& r = level.items[item];
        if (r.read && r.y + 2 * r.h != kGround)
            Problem(r.file + ": " + what + " lies at y " + std::to_string(r.y) +
                    ", its ground line is " + std::to_string(kGround - 2 * r.h));
    };
    ground(0, "the boulder on the lane");
    ground(11, "the plank");
    ground(12, "the wheel (placed from its barrow)");

    // The order along the way.
    int previous = INT32_MIN;
    const Waypoint* previousWay = nullptr;
    for (const Waypoint& way : kWay) {
        const Record& r = level.Of(way.kind)[way.slot];
        if (r.x < way.low || r.x > way.high)
            Problem(r.file + ": " + Name(way.kind, way.slot) + " (" + way.what + ") starts at x " +
                    std::to_string(r.x) + ", the way needs it between " + std::to_string(way.low) +
                    " and " + std::to_string(way.high));
        if (r.x < previous)
            Problem(r.file + ": " + way.what + " comes before " + previousWay->what +
                    " along the way");
        previous = std::max(previous, r.x);
        previousWay = &way;
    }
    // Starting places that act as delays.
    if (level.coll[9].x >= 0)
        Problem(level.coll[9].file + ": the thrower must enter from the left (x below 0)");
    if (level.back[23].x > 200)
        Problem(level.back[23].file + ": the thrower's arms start at x " +
                std::to_string(level.back[23].x) + ", beyond 200 it throws at once");
    if (level.back[4].x >= 200) Problem(level.back[4].file + ": the kite must start left of x 200");
    if (level.back[16].x <= 620)
        Problem(level.back[16].file + ": the guard must arrive from beyond x 620");
    if (level.items[9].x <= 759) Problem(level.items[9].file + ": the sun must start beyond x 759");

    // Nothing that scrolls in from the right may stop exactly on the switching edge.
    for (Kind kind : {Back, Coll, Item}) {
        std::vector<Record>& records = level.Of(kind);
        for (size_t i = 0; i < records.size(); ++i) {
            const Record& r = records[i];
            if (!r.read || r.step <= 0 || r.x <= kOnEdge || (kind == Back && i == 46)) continue;
            if (kind == Back && r.state == 2) continue;
            if ((r.x - kOnEdge) % r.step == 0)
                Problem(r.file + ": " + Name(kind, int(i)) + " starts at x " + std::to_string(r.x) +
                        " and would stop exactly on x 860");
        }
    }
}

void DataCheck::CheckLevelPictures(const LevelData& level, const std::vector<std::string>& chars,
                                   const std::vector<std::string>& heads,
                                   const std::vector<std::string>& back,
                                   const std::vector<std::string>& coll) {
    // The edges a level picture may touch: its bottom when it stands on the lane at page 0.
    auto strip = [&](const std::string& file, const Record& r, int frames, unsigned mayTouch) {
        if (file.empty()) return;
        if (!r.read || r.w <= 0 || r.h <= 0 || frames <= 0) {
            Png(file);
            return;
        }
        Png(file, r.w * frames, r.h);
        Frames(file, {r.w, r.h, frames, 1, frames, mayTouch});
    };
    for (size_t i = 0; i < chars.size(); ++i)
        strip(chars[i], level.chars[i], level.chars[i].frames,
              GroundEdges(level.chars[i].y, level.chars[i].h));
    for (const std::string& head : heads)
        strip(head, level.head, kHeadFrames, 0);
    for (size_t i = 0; i < back.size(); ++i) {
        int frames = 1;
        for (auto [slot, n] : kBackStrips)
            if (slot == int(i)) frames = n;
        // Slot 59's strip is cut with slot 56's frame size.
        const Record& r = i == 59 ? level.back[56] : level.back[i];
        strip(back[i], r, frames, GroundEdges(level.back[i].y, r.h));
    }
    for (size_t i = 0; i < coll.size(); ++i) {
        const Record& r = level.coll[i];
        if (coll[i].empty()) continue;
        const unsigned ground = GroundEdges(r.y, r.h);
        if (!r.read || r.w <= 0 || r.h <= 0 || r.frames <= 0) {
            Png(coll[i]);
        } else if (i == 10) {
            Png(coll[i], r.w, r.h); // drawn whole
        } else if (Contains(std::begin(kOneRow), std::end(kOneRow), int(i))) {
            Png(coll[i], r.w * r.frames, r.h);
            Frames(coll[i], {r.w, r.h, r.frames, 1, r.frames, ground});
        } else {
            // The windmill's picture holds a frame for each step of the ride, five to a row below
            // two rows of its own.
            const int more = i == 0 ? kRideSteps : 0;
            Png(coll[i], r.w * (more > 0 ? 5 : std::min(r.frames, 3)),
                more > 0       ? (2 + more / 5) * r.h
                : r.frames > 3 ? 2 * r.h
                               : r.h);
            Frames(coll[i], {r.w, r.h, 3, 2, r.frames, ground, more});
        }
    }
    // The windmill (C0) catches the walker (Char 0) when its left edge passes the walker's front.
    const Record &mill = level.coll[0], &walker = level.chars[0], &ride = level.chars[2];
    if (!coll.empty() && chars.size() > 2 && mill.read && walker.read && ride.read &&
        mill.step > 0) {
        const int front = walker.x + 2 * walker.w - 10;
        int catchX = mill.x;
        while (catchX >= front)
            catchX -= mill.step;
        CheckWindmillRide(coll[0], {catchX, mill.y, mill.w, mill.h}, mill.frames, chars[2], ride.w,
                          ride.h);
    }
    // The imp's hat, flown off as the imp tumbles, comes to rest beside it on the boardwalk's
    // handrail (on the lane it would lie hidden behind the boardwalk, drawn after it): the last
    // picture of its strip has its painted foot on the rail's top, where the rules leave it
    // (the imp's place, to the tumbling imp's, to the hat's last step).
    constexpr int kHatRestBelowImp = -79 + 181, kHatSlot = 24, kImpSlot = 9, kBoardwalkSlot = 20;
    constexpr int kRailTop = 2, kRestSlack = 6; // page pixels below the boardwalk's y
    if (back.size() > kHatSlot && coll.size() > kImpSlot && level.back[kHatSlot].read &&
        level.coll[kImpSlot].read && level.back[kBoardwalkSlot].read) {
        const Record &hat = level.back[kHatSlot], &imp = level.coll[kImpSlot];
        const int foot = PaintedFoot(back[kHatSlot], hat.w, hat.h, 3);
        const int restY = imp.y + kHatRestBelowImp + 2 * foot;
        const int railY = level.back[kBoardwalkSlot].y + kRailTop;
        if (foot > 0 && std::abs(restY - railY) > kRestSlack)
            Problem(back[kHatSlot] + ": the hat's last picture rests with its foot at page y " +
                    std::to_string(restY) + ", not on the boardwalk's handrail (y " +
                    std::to_string(railY) + " +- " + std::to_string(kRestSlack) +
                    "): it hangs in the air or lies hidden behind the boardwalk");
    }
    // The pieces the walking hero meets along the lane. The boulder can be torn out only until
    // it knocks him down (its hit area, inset by a fortieth of its size, meets the front of his);
    // the egg rolls off its stump before it comes near him.
    if (!chars.empty() && walker.read && level.head.read) {
        std::vector<LanePiece> pieces;
        for (const Record& item : level.items)
            pieces.push_back({item.x, item.y, item.read ? INT32_MIN : INT32_MAX});
        if (pieces.size() > 13) {
            pieces[0].tearableFrom = walker.x + 2 * walker.w - 10 - 2 * level.items[0].w / 40;
            pieces[13].tearableFrom = kEggRollsOffBelow;
        }
        CheckHolesClearOfWalker(
            pieces, {walker.x, walker.y, walker.w, walker.h}, chars[0], walker.frames,
            {level.head.x, level.head.y, level.head.w, level.head.h}, heads, kHeadFrames);
    }
    CheckLanternScene(level, back);
    for (int k = 1; k <= 8; ++k)
        Png("Data/image/One/Back_OBJ/smoke" + std::to_string(k) + ".png");
    for (const char* notice : {"gameover1", "gameover2", "gameover3", "warning"})
        Png(std::string("Data/image/Support/") + notice + ".png");
    Png("Data/image/One/esc.png");
    for (const char* button : {"esc_quit", "esc_main", "esc_resume"})
        for (const char* end : {".png", "_lit.png"})
            Png(std::string("Data/image/One/") + button + end, 200, 50);
}

namespace {

// The troll (B16) walks in with the world until it stands at page x 620 or less, walks two more
// pages, and then stands guard (C7) 16 px left of where it stood, without moving that page.
constexpr int kTrollStopsAt = 620, kTrollLastPages = 2, kGuardLeftOfTroll = 16;
constexpr int kLanternSlot = 5, kFlareSlot = 17, kGlowSlot = 18, kTrollSlot = 16, kAnchorSlot = 60;
// The lantern frightens the troll only put down more than this left of it; its light shows at
// this offset from the lantern's top left.
constexpr int kLanternReach = 200, kLightDx = 94, kLightDy = -6;
constexpr int kFallStep = 20; // a loose piece falls this far a page, so rests up to 19 px low
// Landmarks that come back ahead once they have left the page on the left (x <= -60 - drawn
// width), in the order they come back: their places from the anchor (B60).
constexpr struct {
    int slot, dx, dy;
} kComebacks[] = {{67, 7428, -16}, {69, 3290, 86}, {68, 6341, 125},
                  {70, 4884, 158}, {71, 5332, 65}, {71, 7050, 69}};
// Background objects drawn over the loose items, after the light although their slot is lower.
constexpr int kOverItems[] = {5, 6, 7, 8, 9};
constexpr int kGroundStrip[] = {50, 51, 52, 53, 54, 55}; // drawn first, under everything

} // namespace

// Only background objects count: the collision objects there (the hedgehog, the leaning fir) take
// part in the play and stand where their rules put them.
void DataCheck::CheckLanternScene(const LevelData& level, const std::vector<std::string>& back) {
    if (back.size() <= kAnchorSlot || level.back.size() <= kAnchorSlot ||
        level.items.size() <= kLanternSlot || level.chars.empty())
        return;
    const Record &troll = level.back[kTrollSlot], &anchor = level.back[kAnchorSlot],
                 &lantern = level.items[kLanternSlot], &walker = level.chars[0],
                 &flare = level.back[kFlareSlot], &glow = level.back[kGlowSlot];
    for (const Record* r : {&troll, &anchor, &lantern, &walker, &flare, &glow})
        if (!r->read) return; // reported by the record checks
    if (troll.step <= 0) return;
    // Lane x is page x at page 0: everything on the ground moves together, so the scene keeps
    // its lane places; `moved` is how far the world has moved on the page the troll stands.
    int trollPageX = troll.x;
    while (trollPageX > kTrollStopsAt)
        trollPageX -= troll.step;
    trollPageX -= kTrollLastPages * troll.step;
    const int moved = troll.x + troll.step - trollPageX;
    const int guardX = trollPageX - kGuardLeftOfTroll + moved;

    // Where things stand then: a landmark that has left on the left is at its next place ahead.
    auto leftOnTheLeft = [&](int laneX, int w) { return laneX - moved <= -60 - 2 * w; };
    std::vector<Cover> covers;
    auto add = [&](const std::string& picture, const Record& r) {
        if (!picture.empty() && r.read && r.w > 0 && r.h > 0)
            covers.push_back({picture, {r.x, r.y, r.w, r.h}});
    };
    for (int slot = 0; slot < int(back.size()) && slot < int(level.back.size()); ++slot) {
        const bool after =
            slot > kGlowSlot || Contains(std::begin(kOverItems), std::end(kOverItems), slot);
        if (!after || Contains(std::begin(kGroundStrip), std::end(kGroundStrip), slot) ||
            Contains(std::begin(kSkySlots), std::end(kSkySlots), slot))
            continue;
        Record r = level.back[slot];
        if (r.state != 0 && r.state != 1) continue; // hidden until a rule shows it
        bool gone = leftOnTheLeft(r.x, r.w);
        for (const auto& next : kComebacks)
            if (next.slot == slot && gone) {
                r.x = anchor.x + next.dx, r.y = anchor.y + next.dy;
                gone = leftOnTheLeft(r.x, r.w);
            }
        if (!gone) add(back[slot], r);
    }
    // The lantern put down where it shines on the troll (its light reaches the troll's left
    // edge), right of the pebble's front and as far right as the troll's rule takes it, resting
    // on the ground line or sunk up to a fall step less one pixel below it.
    const int first = std::max(walker.x + 2 * walker.w - 10 + moved,
                               guardX - kLightDx - 2 * std::max(flare.w, glow.w));
    const int last = guardX - kLanternReach - 1;
    std::vector<At> places;
    for (int x = first; x <= last; x += 2)
        for (int rest : {0, kFallStep - 1})
            places.push_back({x + kLightDx, kGround - 2 * lantern.h + rest + kLightDy});
    CheckLanternLight(
        {{back[kFlareSlot], flare.w, flare.h, 5}, {back[kGlowSlot], glow.w, glow.h, 3}}, places,
        kGround, covers);
}
