// The holes torn pieces leave. The level draws them after the hero, so a hole torn out where the
// hero stands would be painted over him. Every piece that can be torn out while the walking hero
// is beside it must leave a hole that keeps clear of his painted pixels, or lets him show through
// (painted at less than half strength), wherever along the lane it is torn.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

constexpr int kOpaque = 128; // alpha from which a hole pixel hides what lies under it
constexpr int kMaxCover = 2; // page pixels of the hero a hole may cover (a stray fibre)

// The walker's painted page pixels: every frame of the walk and of every head, where the level
// draws them, at scale 2.
struct WalkerMask {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<uint8_t> painted;
    bool At(int x, int y) const {
        x -= left, y -= top;
        return x >= 0 && y >= 0 && x < w && y < h && painted[size_t(y) * w + x];
    }
    void Add(const DecodedPng& png, int frames, int fw, int fh, int px, int py) {
        for (int f = 0; f < frames; ++f)
            for (int y = 0; y < fh && y < png.height; ++y)
                for (int x = 0; x < fw && f * fw + x < png.width; ++x) {
                    if (png.rgba[(size_t(y) * png.width + f * fw + x) * 4 + 3] < kOpaque) continue;
                    for (int d = 0; d < 4; ++d) {
                        const int mx = px + 2 * x + d % 2 - left, my = py + 2 * y + d / 2 - top;
                        if (mx >= 0 && my >= 0 && mx < w && my < h)
                            painted[size_t(my) * w + mx] = 1;
                    }
                }
    }
};

} // namespace

void DataCheck::CheckHolesClearOfWalker(const std::vector<LanePiece>& pieces, const Placed& walker,
                                        const std::string& walk, int walkFrames, const Placed& head,
                                        const std::vector<std::string>& heads, int headFrames) {
    std::string why;
    DecodedPng walkPng;
    if (!DecodePng(walk.c_str(), kDataLimits.pictureSide.high, walkPng, why))
        return; // reported by the size checks
    WalkerMask mask;
    mask.left = std::min(walker.x, head.x);
    mask.top = std::min(walker.y, head.y);
    mask.w = std::max(walker.x + 2 * walker.w, head.x + 2 * head.w) - mask.left;
    mask.h = std::max(walker.y + 2 * walker.h, head.y + 2 * head.h) - mask.top;
    mask.painted.assign(size_t(mask.w) * mask.h, 0);
    mask.Add(walkPng, walkFrames, walker.w, walker.h, walker.x, walker.y);
    for (const std::string& file : heads) {
        DecodedPng headPng;
        if (!file.empty() && DecodePng(file.c_str(), kDataLimits.pictureSide.high, headPng, why))
            mask.Add(headPng, headFrames, head.w, head.h, head.x, head.y);
    }

    for (size_t i = 0; i < pieces.size() && i < holes.size(); ++i) {
        const Hole& hole = holes[i];
        DecodedPng png;
        if (hole.picture.empty() ||
            !DecodePng(hole.picture.c_str(), kDataLimits.pictureSide.high, png, why))
            continue;
        const int hw = std::min(png.width, hole.w), hh = std::min(png.height, hole.h);
        const int top = pieces[i].y - hole.offY;
        // Every x at which the hole's box meets the walker's, from where the piece can be torn.
        const int first = std::max(mask.left - 2 * hw + 1 + hole.offX, pieces[i].tearableFrom);
        int worst = 0, worstX = 0;
        for (int x = first; x < mask.left + mask.w + hole.offX; ++x) {
            const int left = x - hole.offX;
            int covered = 0;
            for (int py = std::max(top, mask.top); py < std::min(top + 2 * hh, mask.top + mask.h);
                 ++py)
                for (int px = std::max(left, mask.left);
                     px < std::min(left + 2 * hw, mask.left + mask.w); ++px)
                    covered +=
                        mask.At(px, py) &&
                        png.rgba[(size_t((py - top) / 2) * png.width + (px - left) / 2) * 4 + 3] >=
                            kOpaque;
            if (covered > worst) worst = covered, worstX = x;
        }
        if (worst > kMaxCover)
            Problem(hole.picture + ": the hole of item " + std::to_string(i) + ", torn out at x " +
                    std::to_string(worstX) + ", y " + std::to_string(pieces[i].y) +
                    " while the hero walks there, covers " + std::to_string(worst) +
                    " of his page pixels (holes are drawn over him; at most " +
                    std::to_string(kMaxCover) + ")");
    }
}
