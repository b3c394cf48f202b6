// The lantern's light before the troll. Put down on the lane left of the standing troll, the
// lantern shows its flare and then its glow just right of it. They are drawn in their slots'
// order, under every background object of a higher slot: scenery standing between the lantern
// and the troll hides the light. Wherever a player puts the lantern down between the pebble and
// the troll, most of the light must be seen.
#include "DataCheck.h"
#include "platform/PngDecode.h"
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kLit = 64;          // alpha from which a pixel of the light is seen as light
constexpr int kOpaque = 128;      // alpha from which a picture drawn over the light hides it
constexpr int kMaxHiddenPct = 15; // per cent of the light that may be hidden: a post or a trunk

bool Painted(const DecodedPng& png, int x, int y, int alpha) {
    return x >= 0 && y >= 0 && x < png.width && y < png.height &&
           png.rgba[(size_t(y) * png.width + x) * 4 + 3] >= alpha;
}

} // namespace

void DataCheck::CheckLanternLight(const std::vector<Light>& lights, const std::vector<At>& places,
                                  int ground, const std::vector<Cover>& covers) {
    if (places.empty()) return;
    std::string why;
    // The page region any light frame can reach, and which of its pixels a cover hides (by the
    // index + 1 of the first cover that does, for the message; 0: none).
    int left = places[0].x, right = left, top = places[0].y, bottom = top;
    for (const Light& light : lights)
        for (const At& at : places) {
            left = std::min(left, at.x), top = std::min(top, at.y);
            right = std::max(right, at.x + 2 * light.w),
            bottom = std::max(bottom, at.y + 2 * light.h);
        }
    bottom = std::min(bottom, ground); // the light is seen above the lane's ground line
    if (right <= left) return;
    const int w = right - left, h = std::max(0, bottom - top);
    std::vector<uint16_t> hiddenBy(size_t(w) * h, 0);
    for (size_t c = 0; c < covers.size() && c < UINT16_MAX; ++c) {
        const Cover& cover = covers[c];
        DecodedPng png;
        if (!DecodePng(cover.picture.c_str(), kDataLimits.pictureSide.high, png, why))
            continue; // reported by the size checks
        for (int py = std::max(top, cover.at.y); py < std::min(bottom, cover.at.y + 2 * cover.at.h);
             ++py)
            for (int px = std::max(left, cover.at.x);
                 px < std::min(right, cover.at.x + 2 * cover.at.w); ++px) {
                uint16_t& by = hiddenBy[size_t(py - top) * w + (px - left)];
                if (by == 0 && Painted(png, (px - cover.at.x) / 2, (py - cover.at.y) / 2, kOpaque))
                    by = uint16_t(c + 1);
            }
    }

    for (const Light& light : lights) {
        DecodedPng png;
        if (!DecodePng(light.picture.c_str(), kDataLimits.pictureSide.high, png, why) ||
            png.width < light.w * light.frames || png.height < light.h)
            continue; // reported by the size checks
        // The light of all its frames together, at the place where most of it is hidden; a post
        // may stand in it, a wall may not.
        int worstPct = -1, worstLit = 0, dark = -1;
        At worstAt{};
        std::vector<int> worstHidden;
        for (const At& at : places) {
            int lit = 0;
            std::vector<int> hidden(covers.size(), 0);
            for (int f = 0; f < light.frames; ++f) {
                int litInFrame = 0;
                for (int py = at.y; py < std::min(at.y + 2 * light.h, bottom); ++py)
                    for (int px = at.x; px < at.x + 2 * light.w; ++px) {
                        if (!Painted(png, f * light.w + (px - at.x) / 2, (py - at.y) / 2, kLit))
                            continue;
                        ++litInFrame;
                        const uint16_t by = hiddenBy[size_t(py - top) * w + (px - left)];
                        if (by > 0) ++hidden[by - 1u];
                    }
                if (litInFrame == 0 && dark < 0) dark = f;
                lit += litInFrame;
            }
            int all = 0;
            for (int n : hidden)
                all += n;
            const int pct = lit > 0 ? all * 100 / lit : 100;
            if (pct > worstPct) worstPct = pct, worstAt = at, worstLit = lit, worstHidden = hidden;
        }
        // A frame with no light above the ground line shows the lantern dark for a page.
        if (dark >= 0)
            Problem(light.picture + ": frame " + std::to_string(dark) +
                    " of the lantern's light before the troll paints no light above the ground "
                    "line");
        if (worstPct <= kMaxHiddenPct || worstLit == 0) continue;
        std::string who;
        for (size_t c = 0; c < covers.size(); ++c)
            if (worstHidden[c] > 0)
                who += (who.empty() ? "" : ", ") + covers[c].picture + " " +
                       std::to_string(worstHidden[c] * 100 / worstLit) + "%";
        Problem(light.picture + ": the lantern's light, shining at lane x " +
                std::to_string(worstAt.x) + ", y " + std::to_string(worstAt.y) +
                " before the troll, is " + std::to_string(worstPct) +
                "% hidden by pictures drawn after it (" + who + "; at most " +
                std::to_string(kMaxHiddenPct) + "%)");
    }
}
