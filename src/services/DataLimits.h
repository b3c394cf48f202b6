#pragma once
#include <cstdint>

// What the game's list and property files may hold. The game's loaders refuse anything beyond
// these (naming the file), and the data checker (tools/datacheck) reports it the same way, so a
// data set the checker passes is one the game loads.
struct ValueRange {
    int32_t low;
    int32_t high;
    constexpr bool Holds(int32_t value) const { return value >= low && value <= high; }
};

struct DataLimits {
    int pathLength;           // characters of one path in a path list
    int labelLength;          // characters of one label in a property file
    ValueRange pictureSide;   // width or height of a piece, or of one frame of a strip
    ValueRange tearingFrames; // frames in a piece's tearing strip
};

constexpr DataLimits kDataLimits{
    .pathLength = 69,
    .labelLength = 19,
    .pictureSide = {1, 4096},
    .tearingFrames = {1, 256},
};
