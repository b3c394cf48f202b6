// Init and Release: reading the level's lists and property files, deriving sizes, frame
// rectangles and placements, loading the pictures.
#include "platform/Sound.h"
#include "scenes/level/CStage_One.h"
#include "services/InventoryBag.h"
#include <algorithm>
#include <cstddef>
#include <string>

int16_t lossResult = 0;

namespace {

// The property reader fills the leading integer fields of each record in file order.
static_assert(offsetof(CharObj, frames) == 4 * sizeof(int32_t));
static_assert(offsetof(HeadObj, h) == 3 * sizeof(int32_t));
static_assert(offsetof(BackObj, state) == 5 * sizeof(int32_t));
static_assert(offsetof(CollObj, step) == 5 * sizeof(int32_t));
static_assert(std::size(property_fields::kChar) == 5 && std::size(property_fields::kHead) == 4 &&
              std::size(property_fields::kBack) == 6 && std::size(property_fields::kColl) == 6);

// One strip of the background objects' shared frame table: `frames` frames cut with the frame
// size of background object `sizeOf`.
struct FrameRun {
    int base;
    int frames;
    int sizeOf;
};
constexpr FrameRun kFrameRuns[] = {
    {0, 3, 1},   {3, 5, 12},  {8, 3, 13},   {11, 4, 6},   {15, 3, 14},  {18, 3, 16},
    {21, 5, 17}, {26, 3, 18}, {29, 2, 19},  {31, 4, 21},  {35, 3, 22},  {38, 8, 23},
    {46, 4, 24}, {50, 5, 25}, {55, 5, 27},  {60, 4, 29},  {64, 8, 30},  {72, 5, 31},
    {77, 3, 56}, {80, 3, 56}, {83, 5, 57},  {88, 4, 58},  {92, 2, 73},  {94, 3, 74},
    {97, 2, 75}, {99, 3, 90}, {102, 3, 91}, {105, 5, 93}, {110, 5, 94},
};

// Collision objects whose strip is one row; the others hold two rows of three frames.
constexpr int kOneRowColls[] = {5, 11, 15, 17, 18, 19, 22};
// Collision objects that start carried by the world (state 6).
constexpr int kCarriedColls[] = {5, 7, 8, 10, 11, 12, 13, 15, 17, 19};

template <size_t N> constexpr bool Contains(const int (&list)[N], int value) {
    return std::find(list, list + N, value) != list + N;
}

// Placements: objects set relative to another one after reading. Each row reads its anchor's
// value at that moment, so the order of the rows matters.
enum class Kind { Back, Coll, Item };
struct Ref {
    Kind kind;
    int index;
};
constexpr Ref B(int i) {
    return {Kind::Back, i};
}
constexpr Ref C(int i) {
    return {Kind::Coll, i};
}
constexpr Ref T(int i) {
    return {Kind::Item, i};
}
enum class Axis { FromAnchor, Absolute };
struct Placement {
    Ref target;
    Ref anchor;
    int32_t dx;
    int32_t dy;
    Axis x = Axis::FromAnchor; // Absolute: x := dx
    Axis y = Axis::FromAnchor; // Absolute: y := dy
};

constexpr Placement kBackPlacements[] = {
    {B(5), T(1), -182, -168},
    {B(6), T(3), -100, -110},
    {B(7), T(4), -146, -150},
    {B(8), T(6), -39, -13},
    {B(9), T(8), -124, -156},
    {B(10), C(2), -198, -2},
    {B(20), T(11), 89, 0},
    {B(23), C(9), 116, -46},
    {B(61), B(60), 350, 0},
    {B(62), B(60), 1077, 106},
    {B(63), B(60), 4226, -153},
    {B(64), B(60), 2705, 9},
    {B(65), B(60), 5668, 120},
    {B(66), B(60), 7817, 14},
    {B(67), B(60), 617, -46},
    {B(68), B(60), 3633, 113},
    {B(69), B(60), 1423, 72},
    {B(70), B(60), 1722, 145},
    {B(71), B(60), 2167, 49},
    {B(72), B(60), 2517, 9},
    {B(74), B(62), 136, 166},
    {B(75), B(65), 360, 178},
    {B(73), B(63), 12, 158},
    {B(50), B(60), 288, 444},
    {B(51), B(50), 200, 489, Axis::FromAnchor, Axis::Absolute},
    {B(52), B(51), 200, 489, Axis::FromAnchor, Axis::Absolute},
    {B(53), B(52), 200, 489, Axis::FromAnchor, Axis::Absolute},
    {B(54), B(53), 200, 489, Axis::FromAnchor, Axis::Absolute},
    {B(55), B(54), 200, 489, Axis::FromAnchor, Axis::Absolute},
    {B(76), B(60), 1412, 322},
    {B(77), B(60), 1625, 227},
    {B(78), B(60), 3365, 277},
    {B(79), B(60), 3315, 30},
    {B(80), B(60), 2014, 289},
    {B(81), B(60), 5135, 56},
    {B(82), B(60), 5288, 379},
    {B(83), B(60), 7299, 454},
    {B(84), B(60), 2203, 261},
    {B(85), B(60), 5338, 30},
    {B(86), B(60), 6356, 88},
    {B(87), B(60), 3648, 194},
    {B(88), B(60), 6380, 413},
    {B(89), B(60), 3913, 322},
    {B(90), B(60), 1800, 332, Axis::FromAnchor, Axis::Absolute},
    {T(14), B(28), 25, -81},
    {B(32), B(5), -455, 176},
    {B(33), B(6), -1009, 184},
    {B(34), B(6), -697, 274},
    {B(35), B(6), -228, 219},
    {B(36), B(6), 976, 7},
    {B(37), B(7), -510, 89},
    {B(38), B(7), 604, 30},
    {B(39), B(8), -896, -92},
    {B(40), B(8), 497, 120},
    {B(41), B(9), -171, 254},
    {B(42), B(9), 558, 108},
    {B(43), C(2), -582, 24},
    {B(44), C(2), -515, -21},
    {B(45), C(2), -364, 16},
    {B(46), C(0), 18500, -61, Axis::Absolute, Axis::FromAnchor}, // parked far away
    {B(47), C(0), -510, 224},
    {B(48), C(0), -99, 250},
    {B(49), C(0), 405, 267},
};

constexpr Placement kCollPlacements[] = {
    {C(14), B(50), 3000, -100},
    {C(22), B(60), 6300, 429, Axis::FromAnchor, Axis::Absolute},
    {C(23), B(60), 3000, 322, Axis::FromAnchor, Axis::Absolute},
    {C(18), B(63), 203, 166},
    {C(16), B(63), -150, 396},
    {C(20), B(90), 13, 144},
    {C(24), B(60), 6601, 144},
    {B(15), C(6), -77, 46},
    {T(2), C(0), 144, 92},
    {T(12), C(9), 292, 198},
};

// The x and y fields of the record a reference names.
struct Position {
    int32_t* x;
    int32_t* y;
};
Position PositionOf(LevelState& level, InventoryBag& bag, Ref ref) {
    switch (ref.kind) {
    case Kind::Back:
        return {&level.backs[ref.index].x, &level.backs[ref.index].y};
    case Kind::Coll:
        return {&level.colls[ref.index].x, &level.colls[ref.index].y};
    case Kind::Item:
        break;
    }
    return {&bag.items[ref.index].x, &bag.items[ref.index].y};
}

template <size_t N>
void ApplyPlacements(const Placement (&rows)[N], LevelState& level, InventoryBag& bag) {
    for (const Placement& row : rows) {
        const Position anchor = PositionOf(level, bag, row.anchor);
        const Position target = PositionOf(level, bag, row.target);
        const int32_t anchorX = *anchor.x, anchorY = *anchor.y;
        *target.x = row.x == Axis::Absolute ? row.dx : anchorX + row.dx;
        *target.y = row.y == Axis::Absolute ? row.dy : anchorY + row.dy;
    }
}

RECT StripRect(int f, int32_t w, int32_t h) {
    return RECT{f * w, 0, f * w + w, h};
}

void LoadPictures(Texture** slots, const PathSlot* paths, int n) {
    for (int i = 0; i < n; ++i)
        if (paths[i].path[0] != '\0') LoadTexture(paths[i].path, slots[i]);
}

} // namespace

const char* const kStopNames[kStopKinds] = {
    "",        "boulder",       "fence",      "snowball", "pine_cone",
    "pit",     "troll",         "fir_snow",   "goose",    "sun",
    "balloon", "windmill_fall", "thrown_off", "tin_bird", "falling_piece"};
const char* const kItemNames[InventoryBag::kItems] = {
    "boulder", "apple", "bird",     "pear",  "plum",  "lantern", "acorn", "balloon",
    "lemon",   "sun",   "umbrella", "plank", "wheel", "egg",     "key"};

void CStage_One::Init() {
    level = LevelState{};
    autoFlipTick = pacingTick = GetTickCount();
    InventoryBag& bag = InventoryBag::Instance();

    ReadPathList("Data/Address/One/Char_Normal.txt", kChars, charImagePaths);
    ReadPathList("Data/Address/One/Char_Head.txt", kHeads, headImagePaths);
    ReadPathList("Data/Address/One/Back_OBJ.txt", kBacks, backImagePaths);
    ReadPathList("Data/Address/One/Collision_OBJ.txt", kColls, collImagePaths);
    ReadPathList("Data/Text/One/Char_OBJ.txt", kChars, charPropPaths);
    ReadPathList("Data/Text/One/Back_OBJ.txt", kBacks, backPropPaths);
    ReadPathList("Data/Text/One/Coll_OBJ.txt", kColls, collPropPaths);
    // Values outside their ranges are refused by the reader (and kept inside them when its
    // handler returns), so nothing below allocates or overflows with them.
    namespace fields = property_fields;
    ReadPropertyFiles(charPropPaths, kChars, 5, &level.chars[0].x, sizeof(CharObj), fields::kChar);
    ReadPropertyFile("Data/Text/Head_OBJ.txt", 4, &level.head.x, fields::kHead);
    ReadPropertyFiles(backPropPaths, kBacks, 6, &level.backs[0].x, sizeof(BackObj), fields::kBack);
    ReadPropertyFiles(collPropPaths, kColls, 6, &level.colls[0].x, sizeof(CollObj), fields::kColl);

    for (int i = 0; i < kChars; ++i) {
        CharObj& c = level.chars[i];
        charFrames[i].resize(c.frames);
        for (int f = 0; f < c.frames; ++f)
            charFrames[i][f] = StripRect(f, c.w, c.h);
        c.frame = 0;
        c.dw = 2 * c.w;
        c.dh = 2 * c.h;
    }

    HeadObj& head = level.head;
    head.dw = 2 * head.w;
    head.dh = 2 * head.h;
    for (int f = 0; f < kHeadFrames; ++f)
        headFrames[f] = StripRect(f, head.w, head.h);

    for (int i = 0; i < kBacks; ++i) {
        BackObj& b = level.backs[i];
        // The long bridge (20) and the wide cloud bank (72) are drawn larger than the rest.
        const int32_t scale = i == 20 ? 30 : i == 72 ? 8 : 2;
        b.dw = scale * b.w;
        b.dh = scale * b.h;
    }
    back4Rect = RECT{0, 0, level.backs[4].w, level.backs[4].h};
    for (const FrameRun& run : kFrameRuns) {
        const BackObj& sized = level.backs[run.sizeOf];
        for (int f = 0; f < run.frames; ++f)
            frameTable[run.base + f] = StripRect(f, sized.w, sized.h);
    }
    ApplyPlacements(kBackPlacements, level, bag);

    for (int i = 0; i < kColls; ++i) {
        CollObj& c = level.colls[i];
        const bool oneRow = Contains(kOneRowColls, i);
        collFrames[i].resize(c.frames);
        for (int f = 0; f < c.frames; ++f) {
            collFrames[i][f] = oneRow || f < 3
                                   ? StripRect(f, c.w, c.h)
                                   : RECT{(f - 3) * c.w, c.h, (f - 3) * c.w + c.w, 2 * c.h};
        }
        for (int s = 0; i == 0 && c.frames > 0 && s < kWindmillRideFrames; ++s) {
            const int32_t x = s % kWindmillRideColumns * c.w,
                          y = (2 + s / kWindmillRideColumns) * c.h;
            collFrames[i].push_back(RECT{x, y, x + c.w, y + c.h});
        }
        c.dw = 2 * c.w;
        c.dh = 2 * c.h;
        c.state = Contains(kCarriedColls, i) ? 6 : 0;
        c.pageStamp = kNoStamp;
        c.frame = 0;
        c.hit = RECT{};
    }
    ApplyPlacements(kCollPlacements, level, bag);

    LoadPictures(charImages, charImagePaths, kChars);
    LoadPictures(headImages, headImagePaths, kHeads);
    LoadPictures(backImages, backImagePaths, kBacks);
    LoadPictures(collImages, collImagePaths, kColls);
    LoadTexture("Data/image/One/esc.png", escMenu);
    LoadTexture("Data/image/One/esc_quit.png", escQuit);
    LoadTexture("Data/image/One/esc_main.png", escMain);
    LoadTexture("Data/image/One/esc_resume.png", escResume);
    LoadTexture("Data/image/One/esc_quit_lit.png", escQuitLit);
    LoadTexture("Data/image/One/esc_main_lit.png", escMainLit);
    LoadTexture("Data/image/One/esc_resume_lit.png", escResumeLit);
    LoadTexture("Data/image/Support/gameover1.png", gameover[0]);
    LoadTexture("Data/image/Support/gameover2.png", gameover[1]);
    LoadTexture("Data/image/Support/gameover3.png", gameover[2]);
    LoadTexture("Data/image/Support/warning.png", warning);
    const std::string support = "Data/image/Support/";
    for (int k = StopNone + 1; k < kStopKinds; ++k) {
        const std::string name = kStopNames[k];
        LoadTexture((support + "stop_" + name + ".png").c_str(), stopCards[k]);
        LoadTexture((support + "hint_" + name + "_2.png").c_str(), stopHints[k][0]);
        LoadTexture((support + "hint_" + name + "_3.png").c_str(), stopHints[k][1]);
    }
    LoadTexture((support + "hint_fence_elk_out.png").c_str(), elkKnockedOutHint);
    for (int i = 0; i < InventoryBag::kItems; ++i)
        LoadTexture((support + "fox_took_" + kItemNames[i] + ".png").c_str(), foxCards[i]);
    LoadTexture("Data/image/Support/page_digits.png", pageDigits);
    LoadTexture("Data/image/Support/page_slip.png", pageSlip);
    for (int i = 0; i < kSmokePictures; ++i) {
        const std::string path = "Data/image/One/Back_OBJ/smoke" + std::to_string(i + 1) + ".png";
        LoadTexture(path.c_str(), smoke[i]);
    }
}

void CStage_One::Release() {
    for (int i = 0; i < kChars; ++i) {
        ReleaseTexture(charImages[i]);
        charFrames[i].clear();
    }
    for (Texture*& t : headImages)
        ReleaseTexture(t);
    for (Texture*& t : backImages)
        ReleaseTexture(t);
    for (int i = 0; i < kColls; ++i) {
        ReleaseTexture(collImages[i]);
        collFrames[i].clear();
    }
    for (Texture*& t : smoke)
        ReleaseTexture(t);
    for (Texture*& t : gameover)
        ReleaseTexture(t);
    for (Texture*& t : stopCards)
        ReleaseTexture(t);
    for (auto& hints : stopHints)
        for (Texture*& t : hints)
            ReleaseTexture(t);
    for (Texture*& t : foxCards)
        ReleaseTexture(t);
    Texture** rest[] = {&warning,    &escMenu,    &escQuit,          &escMain,
                        &escResume,  &escQuitLit, &escMainLit,       &escResumeLit,
                        &pageDigits, &pageSlip,   &elkKnockedOutHint};
    for (Texture** t : rest)
        ReleaseTexture(*t);
}
