#pragma once
#include "services/DataLimits.h"
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct LevelData;

// How a picture is cut into frames: frames of w x h, `columns` to a row, `count` in all, then
// `more` five to a row below the first two rows (the windmill's ride); the edges (bit mask: 1 top,
// 2 bottom, 4 left, 8 right) its frames may touch.
struct FrameGrid {
    int w = 0, h = 0, columns = 1, rows = 1, count = 1;
    unsigned mayTouch = 0;
    int more = 0;
};
// The top left of frame f (from 0 to count + more - 1).
int FrameX(const FrameGrid& grid, int f);
int FrameY(const FrameGrid& grid, int f);

// Painted pixels on the four border lines of the frame at (x0, y0), w x h, of an RGBA picture
// `stride` pixels wide.
struct EdgeCounts {
    int top = 0, bottom = 0, left = 0, right = 0;
};
EdgeCounts CountEdgePixels(const uint8_t* rgba, int stride, int x0, int y0, int w, int h);

struct DecodedPng;
// Pixels painted (alpha 128 and above) in both pictures, a placed at (ax, ay), b at (bx, by).
int OverlappingPixels(const DecodedPng& a, int ax, int ay, const DecodedPng& b, int bx, int by);
// Pixels painted (alpha 128 and above) at page x `edge` and right of it, the picture at placedX.
int PaintedRightOf(const DecodedPng& png, int placedX, int edge);

// Checks a game data folder (the folder that holds Data) and collects every problem found.
struct DataCheck {
    std::vector<std::string> problems;
    int filesChecked = 0;
    // The level's pictures are painted after its text data; this checks the text data alone.
    bool skipLevelPictures = false;

    void Problem(const std::string& message) { problems.push_back(message); }

    // Reads a path list; reports a wrong count or an over-long path. Paths come back relative to
    // the game's working directory with forward slashes.
    std::vector<std::string> PathList(const std::string& file, size_t expected);
    // Reads a property file of "label integer" pairs, one per field and each within the field's
    // range (the game's own table); empty on any problem (reported).
    std::vector<int> Properties(const std::string& file, const PropertyField* fields, size_t k);
    template <size_t K>
    std::vector<int> Properties(const std::string& file, const PropertyField (&fields)[K]) {
        return Properties(file, fields, K);
    }
    // A value within the game's limits; otherwise reported (as the game reports it) and false.
    bool InRange(const std::string& file, const char* what, int value, ValueRange range);
    // Loads a PNG with the game's loader and limits; its size (0 x 0 and false on a problem).
    bool PngSize(const std::string& file, int& width, int& height);
    // A PNG of exactly this size (0 = any).
    void Png(const std::string& file, int width = 0, int height = 0);
    // A PNG at least this large.
    void PngAtLeast(const std::string& file, int width, int height);
    // A clip that the game's loader decodes whole, without errors, to some sound.
    void Ogg(const std::string& file);

    void CheckBag();
    void CheckFixedPictures();
    void CheckClips();
    void CheckLevel();
    // Every picture under Data/image: no frame cut off at an edge it is not meant to touch.
    void CheckEdges();
    // Notices that can show at the same time do not cover each other.
    void CheckNoticeOverlaps();
    // The pictures of the pieces lying on the page (recorded by CheckBag; frames as recorded by
    // Frames): each reads as part of the picture, with no square of paper round the thing.
    std::vector<std::string> pieceOnPage;
    void CheckPiecesBlendIn();
    // The title's pictures on the page end with the page (nothing shows by the cover).
    void CheckTitleOnPage();
    // A picture's frame placed on the page (drawn at scale 2).
    struct Placed {
        int x, y, w, h;
    };
    // On every step of the windmill's ride the hero holds a sail of the windmill's frame for
    // that step (after its `millFrames` own), the windmill standing where its sail caught the
    // walker: his pose touches it, and his hands lie on the turning rotor.
    void CheckWindmillRide(const std::string& windmill, const Placed& mill, int millFrames,
                           const std::string& ride, int rideW, int rideH);
    // The hole a torn piece leaves, as the bag draws it: its picture, placed (offX, offY) up and
    // left of the piece, one tearing frame (w x h) in size. Recorded by CheckBag, by item.
    struct Hole {
        std::string picture;
        int offX = 0, offY = 0, w = 0, h = 0;
    };
    std::vector<Hole> holes;
    // A piece as the level starts: where it lies, and the leftmost x at which it can still be
    // torn out while the hero walks (INT32_MIN: anywhere along the lane).
    struct LanePiece {
        int x = 0, y = 0;
        int tearableFrom = INT32_MIN;
    };
    // Holes are drawn after the hero: at no place where a piece can be torn out while the hero
    // walks may its hole paint over him (walker and head frames placed as the level draws them).
    void CheckHolesClearOfWalker(const std::vector<LanePiece>& pieces, const Placed& walker,
                                 const std::string& walk, int walkFrames, const Placed& head,
                                 const std::vector<std::string>& heads, int headFrames);
    // The lantern's light before the troll: strips of `frames` frames of w x h, each drawn at
    // scale 2 at every one of `places` (its top left on the lane); pictures drawn after it (their
    // first frame, w x h, at their places) must leave most of each frame's light above the
    // `ground` line seen, or it is reported.
    struct Light {
        std::string picture;
        int w = 0, h = 0, frames = 1;
    };
    struct At {
        int x = 0, y = 0;
    };
    struct Cover {
        std::string picture;
        Placed at;
    };
    void CheckLanternLight(const std::vector<Light>& lights, const std::vector<At>& places,
                           int ground, const std::vector<Cover>& covers);
    // Records how a picture is cut into frames for CheckEdges.
    void Frames(const std::string& file, FrameGrid grid);
    // The bottom edge for a level object drawn at y, frame height h, that stands on the lane.
    static unsigned GroundEdges(int y, int h);

  private:
    std::map<std::string, FrameGrid> frameGrids;
    // The text of a small regular file; false (reported) when it cannot be read.
    bool ReadText(const std::string& file, const char* kind, std::string& text);
    void CheckLevelRecords(LevelData& level);
    void CheckLevelLayout(LevelData& level);
    // The lane around the troll as it stands guard, with the lantern put down before it.
    void CheckLanternScene(const LevelData& level, const std::vector<std::string>& back);
    void CheckLevelPictures(const LevelData& level, const std::vector<std::string>& chars,
                            const std::vector<std::string>& heads,
                            const std::vector<std::string>& back,
                            const std::vector<std::string>& coll);
};
