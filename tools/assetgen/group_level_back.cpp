// The level's background pictures: the 95 background objects named by the level's path list
// (sizes from their property files, frame counts from the strips the level animates), the
// closing smoke, the notices and the pause menu.

#include "Canvas.h"
#include "FitInFrame.h"
#include "LevelArtBack.h"
#include "LevelArtBackNotices.h"
#include "Registry.h"

#include <string>
#include <string_view>

namespace {

using namespace backart;

struct BackPicture {
    std::string_view name; // file name without folder and ".png"
    Painter paint;
    int frames; // the length of the strip the level animates it through (1: a still picture)
};

// Background objects by file name; the frame counts are the runs the level cuts from its strips.
constexpr BackPicture kBackPictures[] = {
    {"stump_nest", StumpNest, 1},
    {"windmill_whirl", WindmillWhirl, 3},
    {"elk_bowled_over", ElkBowledOver, 1},
    {"elk_resting", ElkResting, 1},
    {"kite", Kite, 1},
    {"apple_tree", AppleTree, 1},
    {"pear_tree", PearTree, 4},
    {"plum_tree", PlumTree, 1},
    {"squirrel_log", SquirrelLog, 1},
    {"lemon_tree_frame", LemonTreeFrame, 1},
    {"fence_sign", FenceSign, 1},
    {"snow_puff", SnowPuff, 1},
    {"lamp_shutters", LampShutters, 5},
    {"lampmaker_waving", LampmakerWaving, 3},
    {"snowman_alive", SnowmanAlive, 3},
    {"snow_shovel", SnowShovel, 1},
    {"troll_walking", TrollWalking, 3},
    {"lantern_flare", LanternFlare, 5},
    {"lantern_glow", LanternGlowOnSnow, 3},
    {"robin", Robin, 2},
    {"boardwalk", Boardwalk, 1},
    {"imp_tumbling", ImpTumbling, 4},
    {"imp_flattened", ImpFlattened, 3},
    {"imp_arms", ImpArms, 8},
    {"imp_hat", ImpHat, 4},
    {"goose_swooping", GooseSwooping, 5},
    {"goose_with_gosling", GooseWithGosling, 1},
    {"gosling_flying_up", GoslingFlyingUp, 5},
    {"key_post", KeyPost, 1},
    {"tin_bird_falling", TinBirdFalling, 4},
    {"plank_falling", PlankFalling, 8},
    {"snowball_burst", SnowballBurst, 5},
    {"birdhouse_pole", BirdhousePole, 1},
    {"sledge_fence", SledgeFence, 1},
    {"snowy_rock", SnowyRock, 1},
    {"frozen_pump", FrozenPump, 1},
    {"bare_apple_tree", BareAppleTree, 1},
    {"gatepost_lantern", GatepostLantern, 1},
    {"tall_spruce_a", Spruce, 1},
    {"beehive", Beehive, 1},
    {"pebble_row", PebbleRow, 1},
    {"snow_barrow", SnowBarrow, 1},
    {"village_signpost", VillageSignpost, 1},
    {"snow_shrub", SnowShrub, 1},
    {"fence_poles", FencePoles, 1},
    {"frozen_puddle", FrozenPuddle, 1},
    {"far_hut", FarHut, 1},
    {"snowy_cart", SnowyCart, 1},
    {"flour_sacks", FlourSacks, 1},
    {"windmill_fence", FenceSection, 1},
    {"snowbank_a", Snowbank, 1},
    {"snowbank_b", Snowbank, 1},
    {"snowbank_c", Snowbank, 1},
    {"snowbank_d", Snowbank, 1},
    {"snowbank_e", Snowbank, 1},
    {"snowbank_f", Snowbank, 1},
    {"fox_bowled_over", FoxBowledOver, 3},
    {"lantern_burst_fox", LanternBurstUp, 5},
    {"lantern_glow_fox", LanternGlow, 4},
    {"fox_fleeing_bowled_over", FoxBowledOver, 3},
    {"frost_bough", FrostBough, 1},
    {"snow_cloud", SnowCloud, 1},
    {"farmhouse", Farmhouse, 1},
    {"tall_pine", TallPine, 1},
    {"distant_chapel", DistantChapel, 1},
    {"bakery_cottage", BakeryCottage, 1},
    {"home_cottage", HomeCottage, 1},
    {"tall_birch", TallBirch, 1},
    {"log_cabin", LogCabin, 1},
    {"tall_spruce_b", Spruce, 1},
    {"wreath_lamppost", WreathLamppost, 1},
    {"snowy_fir", Spruce, 1},
    {"birch_arch", BirchArch, 1},
    {"pine_branch_sway", PineBranchSway, 2},
    {"firelit_window", FirelitWindow, 3},
    {"bakery_cat", BakeryCat, 2},
    {"drift_sledge", DriftSledge, 1},
    {"postbox", Postbox, 1},
    {"woodpile", Woodpile, 1},
    {"far_geese", FarGeese, 1},
    {"fence_section", FenceSection, 1},
    {"hill_cottage", HillCottage, 1},
    {"frozen_well", FrozenWell, 1},
    {"stepping_stones", SteppingStones, 1},
    {"holly_bush", HollyBush, 1},
    {"far_spire", FarSpire, 1},
    {"tall_spruce_c", SpruceBareTrunk, 1},
    {"snowy_barn", SnowyBarn, 1},
    {"snowy_shrubs", SnowyShrubs, 1},
    {"hay_rack", HayRack, 1},
    {"badger_waving", BadgerWaving, 3},
    {"badger_stamping", BadgerStamping, 3},
    {"badger_sled_away", BadgerSledAway, 1},
    {"badger_lifts_egg", BadgerLiftsEgg, 5},
    {"badger_lifts_umbrella", BadgerLiftsUmbrella, 5},
};

constexpr int kBackSlots = 95;
constexpr int kMaxFrameSide = 1024; // half-size frames; anything larger is a broken file

const BackPicture& FindPicture(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::string_view file =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (file.size() > 4 && file.substr(file.size() - 4) == ".png") file.remove_suffix(4);
    for (const BackPicture& p : kBackPictures)
        if (p.name == file) return p;
    throw GenError("Address/One/Back_OBJ.txt: no painter for picture '" + path + "'");
}

// Paints every frame of a strip with a fresh Rng from the same seed, so the parts that do not
// move are inked the same way in every frame and the strip animates without shimmer.
void PaintStrip(GenContext& ctx, const std::string& path, Painter paint, int w, int h, int frames) {
    Canvas canvas(w * frames, h);
    cairo_t* cr = canvas.cr;
    for (int f = 0; f < frames; ++f) {
        Rng rng(path);
        cairo_save(cr);
        cairo_rectangle(cr, f * w, 0, w, h);
        cairo_clip(cr);
        cairo_translate(cr, f * w, 0);
        cairo_new_path(cr);
        paint(cr, w, h, f, rng);
        cairo_restore(cr);
    }
    ctx.Save(canvas, path);
}

// Pictures whose painting reached past their frame's top or sides: painted whole, then shrunk
// a little about their foot so that nothing in them ends in a cut straight edge.
constexpr std::string_view kKeepInside[] = {
    "home_cottage",     "troll_walking",    "woodpile",       "elk_resting",
    "elk_bowled_over",  "bakery_cottage",   "badger_waving",  "badger_lifts_umbrella",
    "badger_sled_away", "lampmaker_waving", "birdhouse_pole", "drift_sledge",
    "frozen_well",      "hay_rack",         "snowy_barn",     "sledge_fence",
    "village_signpost", "goose_swooping",   "robin",          "kite",
    "farmhouse",        "windmill_whirl",   "bakery_cat",     "badger_lifts_egg",
    "lemon_tree_frame",
};

constexpr double kPropScale = 0.7;

void PaintStripInside(GenContext& ctx, const std::string& path, Painter paint, int w, int h,
                      int frames) {
    Canvas canvas(w * frames, h);
    // The lane's props are drawn at 0.7 of their painting's size, the size their frames and places
    // in the data were laid out for (at full size they would also add some 66 KB to the browser's
    // first download).
    PaintFramesFitted(
        canvas.cr, w, h, frames, 3.0, kPropScale,
        [&](int f, double& x, double& y) {
            x = f * w;
            y = 0;
        },
        [&](cairo_t* cr, int f) {
            Rng rng(path);
            paint(cr, w, h, f, rng);
        },
        kPropScale);
    ctx.Save(canvas, path);
}

bool KeptInside(const std::string& path) {
    for (std::string_view name : kKeepInside)
        if (path.size() > name.size() + 4 &&
            path.compare(path.size() - name.size() - 4, name.size(), name) == 0 &&
            path[path.size() - name.size() - 5] == '/')
            return true;
    return false;
}

void GenerateBackObjects(GenContext& ctx) {
    const std::string list = "Address/One/Back_OBJ.txt", props = "Text/One/Back_OBJ.txt";
    std::vector<std::string> pictures = ctx.ReadTokens(list);
    std::vector<std::string> files = ctx.ReadTokens(props);
    if (pictures.size() != kBackSlots || files.size() != kBackSlots)
        throw GenError(list + " and " + props + ": expected " + std::to_string(kBackSlots) +
                       " entries each, found " + std::to_string(pictures.size()) + " and " +
                       std::to_string(files.size()));
    for (int i = 0; i < kBackSlots; ++i) {
        const BackPicture& picture = FindPicture(pictures[i]);
        std::vector<int> v = ctx.ReadInts(files[i]);
        if (v.size() < 4) throw GenError(files[i] + ": expected x, y, frame width and height");
        int w = v[2], h = v[3];
        if (w < 1 || h < 1 || w > kMaxFrameSide || h > kMaxFrameSide)
            throw GenError(files[i] + ": bad frame size " + std::to_string(w) + " x " +
                           std::to_string(h));
        if (KeptInside(pictures[i]))
            PaintStripInside(ctx, pictures[i], picture.paint, w, h, picture.frames);
        else
            PaintStrip(ctx, pictures[i], picture.paint, w, h, picture.frames);
    }
}

// The closing sequence's smoke: sizes and places as the level draws them (scale 2).
struct SmokePicture {
    int w, h;
    Pt at;
};
constexpr SmokePicture kSmoke[8] = {
    {60, 50, {420, 326}}, {90, 80, {400, 278}}, {140, 110, {348, 266}}, {390, 300, {20, 0}},
    {390, 300, {20, 0}},  {390, 300, {20, 0}},  {390, 300, {20, 0}},    {390, 300, {20, 0}}};

void GenerateSmoke(GenContext& ctx) {
    for (int i = 0; i < 8; ++i) {
        const std::string path = "image/One/Back_OBJ/smoke" + std::to_string(i + 1) + ".png";
        Rng rng(path);
        const SmokePicture& s = kSmoke[i];
        Canvas canvas(s.w, s.h);
        Smoke(canvas.cr, s.w, s.h, i + 1, rng,
              {(kHomeChimneyTop.x - s.at.x) / 2, (kHomeChimneyTop.y - s.at.y) / 2});
        ctx.Save(canvas, path);
    }
}

void GenerateLevelBack(GenContext& ctx) {
    GenerateBackObjects(ctx);
    GenerateSmoke(ctx);
    GenerateNotices(ctx);
    GeneratePauseMenu(ctx);
}

AssetGroup group("level_back", &GenerateLevelBack);

} // namespace
