#pragma once
// Whole-picture PNG decoding with the header checked first (platform-internal; the data checker
// uses it too, so that it passes only pictures the game loads).
#include <cstdint>
#include <string>
#include <vector>

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // straight alpha, bytes R, G, B, A, rows top to bottom
};

// Decodes the PNG at path (either separator) when it is a regular file whose header declares
// sides of 1 to maxSide pixels; otherwise, and on any decoding or allocation failure, returns
// false and describes the problem in error (without the file's name).
bool DecodePng(const char* path, int maxSide, DecodedPng& out, std::string& error);

// Only reads the header: the declared size, or false with the problem in error.
bool ReadPngSize(const char* path, int& width, int& height, std::string& error);
