#pragma once
#include <cstddef>
#include <cstdint>

// What the game's data files may hold. The game's loaders refuse anything beyond these (naming
// the file), and the data checker (tools/datacheck) reports it the same way, so a data set the
// checker passes is one the game loads. This is the only table of these limits.
struct ValueRange {
    int32_t low;
    int32_t high;
    constexpr bool Holds(int64_t value) const { return value >= low && value <= high; }
};

struct DataLimits {
    int pathLength;           // characters of one path in a path list
    int labelLength;          // characters of one label in a property file
    ValueRange coordinate;    // x or y of anything placed on a page
    ValueRange step;          // pixels moved per page turn
    ValueRange pictureSide;   // width or height of a piece, one frame of a strip, or a PNG
    ValueRange tearingFrames; // frames in a piece's tearing strip
    ValueRange levelFrames;   // frames of a level animation (0: drawn whole, never stepped)
    ValueRange startState;    // a background object's state when the level starts
    ValueRange clipRate;      // samples per second of a clip
    ValueRange clipChannels;  // channels of a clip
    size_t clipBytes;         // decoded 16-bit PCM of one clip, before and after conversion
};

constexpr DataLimits kDataLimits{
    .pathLength = 69,
    .labelLength = 19,
    .coordinate = {-100000, 100000},
    .step = {-1000, 1000},
    .pictureSide = {1, 4096},
    .tearingFrames = {1, 256},
    .levelFrames = {0, 256},
    .startState = {0, 2},
    .clipRate = {8000, 192000},
    .clipChannels = {1, 2},
    .clipBytes = 0x3C00000, // 60 MiB
};

// One integer of a property file: what it means (for messages) and the values it may take.
struct PropertyField {
    const char* what;
    ValueRange range;
};

// The record kinds read from property files, field by field in file order.
namespace property_fields {
constexpr DataLimits L = kDataLimits;
constexpr PropertyField kChar[] = {{"x", L.coordinate},
                                   {"y", L.coordinate},
                                   {"frame width", L.pictureSide},
                                   {"frame height", L.pictureSide},
                                   {"frame count", L.levelFrames}};
constexpr PropertyField kHead[] = {{"x", L.coordinate},
                                   {"y", L.coordinate},
                                   {"frame width", L.pictureSide},
                                   {"frame height", L.pictureSide}};
constexpr PropertyField kBack[] = {{"x", L.coordinate},
                                   {"y", L.coordinate},
                                   {"frame width", L.pictureSide},
                                   {"frame height", L.pictureSide},
                                   {"step", L.step},
                                   {"state", L.startState}};
constexpr PropertyField kColl[] = {{"x", L.coordinate},
                                   {"y", L.coordinate},
                                   {"frame width", L.pictureSide},
                                   {"frame height", L.pictureSide},
                                   {"frame count", L.levelFrames},
                                   {"step", L.step}};
constexpr PropertyField kTear[] = {{"x", L.coordinate},
                                   {"y", L.coordinate},
                                   {"width", L.pictureSide},
                                   {"height", L.pictureSide},
                                   {"step", L.step}};
constexpr PropertyField kTearing[] = {{"x offset", L.coordinate},
                                      {"y offset", L.coordinate},
                                      {"frame width", L.pictureSide},
                                      {"frame height", L.pictureSide},
                                      {"frame count", L.tearingFrames}};
} // namespace property_fields
