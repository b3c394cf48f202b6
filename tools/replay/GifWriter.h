#pragma once
// A small animated-GIF writer: frames of 0xAARRGGBB pixels, reduced to a fixed 252-colour
// palette (6 levels of red, 7 of green, 6 of blue), LZW-compressed, looping forever.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class GifWriter {
  public:
    ~GifWriter() { Close(); }
    bool Open(const std::string& path, int width, int height);
    // delayCs: how long the frame shows, in hundredths of a second.
    void AddFrame(const uint32_t* pixels, int delayCs);
    void Close();

  private:
    void WriteLzw(const std::vector<uint8_t>& indices);
    std::FILE* file = nullptr;
    int width = 0;
    int height = 0;
    std::vector<int16_t> table; // LZW dictionary: (code, next byte) -> code
};
