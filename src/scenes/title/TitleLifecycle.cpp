#include "platform/Sound.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include <array>
#include <cstdio>

namespace {

constexpr const char* kPictureFolder = "Data/image/Title/";

// One or more pictures loaded into consecutive slots. A numbered group loads stem1.png,
// stem2.png, ... ; a single picture is stem.png.
struct PictureGroup {
    const char* stem;
    int count;
    bool numbered;
    Texture** slots;
};

// Every picture of the title in loading order (80 in all).
std::array<PictureGroup, 22> PictureGroups(CStage_Title& t) {
    return {{
        {"Dovrik_", CStage_Title::kLogoFrames, true, t.firstLogo},
        {"PebbleFrost_", CStage_Title::kLogoFrames, true, t.titleLogo},
        {"help", CStage_Title::kHelpPages, true, t.helpPages},
        {"School", 1, false, &t.schoolSplash},
        {"Quillfen", 1, false, &t.groupLogo},
        {"TeamName", 1, false, &t.namePlate},
        {"MenuBar", 1, false, &t.menuBar},
        {"main_start", 1, false, &t.menuItems[0]},
        {"main_help", 1, false, &t.menuItems[1]},
        {"main_credits", 1, false, &t.menuItems[2]},
        {"main_quit", 1, false, &t.menuItems[3]},
        {"main_start_lit", 1, false, &t.menuItemsLit[0]},
        {"main_help_lit", 1, false, &t.menuItemsLit[1]},
        {"main_credits_lit", 1, false, &t.menuItemsLit[2]},
        {"main_quit_lit", 1, false, &t.menuItemsLit[3]},
        {"credits", 1, false, &t.creditsPage},
        {"Opening/Opening_skip", 1, false, &t.skipPrompt},
        {"Opening/OpeningChar", 1, false, &t.openingChar},
        {"Opening/OpeningHill", 1, false, &t.openingHill},
        {"Opening/Opening_", CStage_Title::kOpeningPictures, true, t.openingPictures},
        {"Opening/OpeningEnd_", CStage_Title::kOpeningEnds, true, t.openingEnd},
        {"Opening/Openinghand_", CStage_Title::kHandFrames, true, t.handFrames},
    }};
}

void LoadClip(CSound& clip, WindowHandle window, const char* path) {
    clip.OnCreate(window);
    clip.OpenOgg(path);
}

// The pieces before the picture groups (LoadPiece).
constexpr int kClipPieces = 3;
static_assert(CStage_Title::kLoadPieces == kClipPieces + 22);

} // namespace

void CStage_Title::LoadPiece(int piece) {
    if (piece == 0) {
        // The rest of the book, when it waits for this: its first clip opens the sound device.
        if (CCommon::loadInStages) CCommon::Instance().LoadTheRest();
        return LoadClip(clickSound, window, "Data/Sound/click.ogg");
    }
    if (piece == 1) return LoadClip(menuMusic, window, "Data/Sound/menu.ogg");
    if (piece == 2) return LoadClip(openingSound, window, "Data/Sound/Opening.ogg");
    const PictureGroup group = PictureGroups(*this)[piece - kClipPieces];
    char path[128];
    for (int i = 0; i < group.count; ++i) {
        if (group.numbered)
            std::snprintf(path, sizeof path, "%s%s%d.png", kPictureFolder, group.stem, i + 1);
        else
            std::snprintf(path, sizeof path, "%s%s.png", kPictureFolder, group.stem);
        LoadTexture(path, group.slots[i]);
    }
}

void CStage_Title::LoadPendingPieces() {
    if (nextLoad >= kLoadPieces) return;
    const CCommon& common = CCommon::Instance();
    const bool schoolAlone = common.introDone == 0 && common.titlePhase == 0;
    if (schoolAlone && !drawnOnce) return; // the first picture goes out first
    do
        LoadPiece(nextLoad++);
    while (!schoolAlone && nextLoad < kLoadPieces);
}

void CStage_Title::Init() {
    for (int i = 0; i < kMenuItems; ++i)
        menuItemPos[i] = kMenuRestPos[i];
    openingStep = 0;
    openingFrame = 0;
    creditsStep = 0;
    helpPageStep = 0;
    logoFrameA = 0;
    logoFrameB = 0;
    menuAlpha = 0;
    menuBarReveal = 0;
    creditsReveal = 0;
    helpReveal = 0;
    musicStarted = 0;
    titleTick = GetTickCount();

    drawnOnce = false;

    nextLoad = 0;
    if (CCommon::loadInStages && CCommon::Instance().introDone == 0) {
        LoadTexture("Data/image/Title/School.png", schoolSplash); // its group skips it later
        return;
    }
    while (nextLoad < kLoadPieces)
        LoadPiece(nextLoad++);
}

void CStage_Title::Release() {
    for (const PictureGroup& group : PictureGroups(*this)) {
        for (int i = 0; i < group.count; ++i) {
            if (group.slots[i]) ReleaseTexture(group.slots[i]);
        }
    }
    clickSound.Unload();
    menuMusic.Unload();
    openingSound.Unload();
}
