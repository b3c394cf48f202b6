// The level's hero strips (the character list and the heads) and its collision objects. Each
// listed picture is painted by the painter of its file name, frame sizes from its property file.

#include "LevelArtChars.h"
#include "Registry.h"

#include <string>
#include <vector>

namespace {

using levelart::PicturePlan;

const PicturePlan& SpecFor(const std::vector<PicturePlan>& plans, const std::string& path,
                           const std::string& list) {
    const std::string stem = levelart::StemOf(path);
    for (const PicturePlan& plan : plans)
        if (plan.name == stem) return plan;
    throw GenError(list + ": no painter for picture " + path);
}

// Collision slots whose frames the game cuts from one row; the others hold rows of three.
constexpr int kOneRowColls[] = {5, 11, 15, 17, 18, 19, 22};

bool OneRow(std::size_t slot) {
    for (int s : kOneRowColls)
        if (std::size_t(s) == slot) return true;
    return false;
}

// A list of pictures and the list of their property files, side by side. For collision objects
// the slot decides how the frames are laid out, as the game cuts them.
void PaintList(GenContext& ctx, const std::string& pictures, const std::string& properties,
               const std::vector<PicturePlan>& plans, bool collisionSlots = false) {
    const std::vector<std::string> paths = ctx.ReadTokens(pictures);
    const std::vector<std::string> props = ctx.ReadTokens(properties);
    if (paths.size() != props.size())
        throw GenError(pictures + ": " + std::to_string(paths.size()) + " pictures but " +
                       properties + " lists " + std::to_string(props.size()) + " files");
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::vector<int> v = ctx.ReadInts(props[i]);
        if (v.size() < 5) throw GenError(props[i] + ": expected x, y, width, height and frames");
        PicturePlan plan = SpecFor(plans, paths[i], pictures);
        if (collisionSlots && plan.layout != levelart::Layout::Whole)
            plan.layout = OneRow(i) ? levelart::Layout::Strip : levelart::Layout::ThreeWide;
        levelart::PaintPicture(ctx, paths[i], plan, v[2], v[3], v[4]);
    }
}

void GenerateLevelChars(GenContext& ctx) {
    const auto& plans = levelart::CharPictures();
    PaintList(ctx, "Address/One/Char_Normal.txt", "Text/One/Char_OBJ.txt", plans);
    // The heads nod with the walker, so they have its frame count.
    const std::vector<std::string> walkProps = ctx.ReadTokens("Text/One/Char_OBJ.txt");
    if (walkProps.empty()) throw GenError("Text/One/Char_OBJ.txt: no walker listed");
    const std::vector<int> walk = ctx.ReadInts(walkProps.front());
    const std::vector<int> head = ctx.ReadInts("Text/Head_OBJ.txt");
    if (walk.size() < 5) throw GenError(walkProps.front() + ": expected a frame count");
    if (head.size() < 4) throw GenError("Text/Head_OBJ.txt: expected x, y, width and height");
    for (const std::string& path : ctx.ReadTokens("Address/One/Char_Head.txt"))
        levelart::PaintPicture(ctx, path, SpecFor(plans, path, "Address/One/Char_Head.txt"),
                               head[2], head[3], walk[4]);
}

void GenerateLevelColls(GenContext& ctx) {
    PaintList(ctx, "Address/One/Collision_OBJ.txt", "Text/One/Coll_OBJ.txt",
              levelart::CollPictures(), true);
}

AssetGroup chars("level_char", &GenerateLevelChars);
AssetGroup colls("level_coll", &GenerateLevelColls);

} // namespace
