#include "platform/Sound.h"
#include "scenes/ending/CEnding.h"
#include <array>
#include <cstdio>

namespace {

// One or more pictures loaded into consecutive slots: stem + (first + k) + ".png" for a numbered
// group, stem + ".png" for a single picture.
struct PictureGroup {
    const char* stem;
    int count;
    int first; // number of the first file; 0 = not numbered
    Texture** slots;
};

// Every picture of the ending in loading order (37 in all).
std::array<PictureGroup, 6> PictureGroups(CEnding& e) {
    return {{
        {"Data/image/Ending/room", 1, 0, &e.roomImage},
        {"Data/image/Bag/Tear/stone", 1, 0, &e.stoneImage},
        {"Data/image/Ending/smoke", CEnding::kSmokePictures, CEnding::kFirstSmokeNumber,
         e.smokeImages},
        {"Data/image/Ending/char", CEnding::kCharPictures, 1, e.charImages},
        {"Data/image/Ending/end", CEnding::kEndPictures, 1, e.endImages},
        {"Data/image/Ending/hand", CEnding::kHandPictures, 1, e.handImages},
    }};
}

} // namespace

void CEnding::Init() {
    blinkStep = 0;
    holdStep = 0;
    smokeFrame = 0;
    charFrame = 0;
    handFrame = 0;
    fadeAlpha = kFadeFrom;
    endPhase = 0;
    closePlayed = 0;
    stepTick = GetTickCount();

    closeSound.OnCreate(window);
    closeSound.OpenOgg("Data/Sound/close.ogg");

    char path[128];
    for (const PictureGroup& group : PictureGroups(*this)) {
        for (int i = 0; i < group.count; ++i) {
            if (group.first > 0)
                std::snprintf(path, sizeof path, "%s%d.png", group.stem, group.first + i);
            else
                std::snprintf(path, sizeof path, "%s.png", group.stem);
            LoadTexture(path, group.slots[i]);
        }
    }
}

void CEnding::Release() {
    for (const PictureGroup& group : PictureGroups(*this)) {
        for (int i = 0; i < group.count; ++i) {
            if (group.slots[i]) ReleaseTexture(group.slots[i]);
        }
    }
    closeSound.Unload();
}
