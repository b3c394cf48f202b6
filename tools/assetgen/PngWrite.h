#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// How a picture is stored. The game reads every kind the same way (libpng's RGBA output).
enum class PngKind { Palette, Grey, GreyAlpha, Rgb, Rgba, QuantisedPalette };

// How far a reduced picture is from the drawing, channel by channel on premultiplied values
// (colour times alpha, and alpha: what a pixel adds when drawn over anything), out of 255.
struct QuantError {
    int worst = 0;       // the largest error of any pixel
    int thousandth = -1; // the error that all but a thousandth of the pixels stay within
    double mean = 0;     // the mean error over all pixels and channels
};

// A reduced palette is kept only within all three. Chosen from a sweep of 32, 64, 128 and 256
// colours over every picture the generator draws, looking at the pictures at the edge: a card at
// 64 colours with a thousandth at 28 already showed the pebble's blue cap duller (at 32 colours,
// worst 75, it turned grey), while pictures passing at 14 to 16 (the opening film, the credits,
// the book's corners) could not be told from the drawing side by side. The worst-pixel cap keeps
// a small coloured detail (under a thousandth of the picture) from losing its colour; the mean
// keeps gradients from banding.
constexpr int kQuantWorst = 64;
constexpr int kQuantThousandth = 16;
constexpr double kQuantMean = 1.0;

QuantError PremultipliedError(const std::uint8_t* a, const std::uint8_t* b, std::size_t pixels);
bool WithinQuantBound(const QuantError& error);

// A picture ready for writing: straight (not premultiplied) RGBA bytes in, a small PNG out. A
// picture of at most 256 colours is stored exactly as a palette. Otherwise it is reduced to the
// fewest of 32, 64, 128 or 256 colours that stays within the bound above (a byte or less a pixel
// before compression, against three or four); a picture no palette keeps is stored exactly, in
// the narrowest colour type that holds it (grey or colour, with or without alpha). The same
// pixels always give the same bytes.
struct EncodedPng {
    std::vector<std::uint8_t> bytes;
    PngKind kind = PngKind::Rgba;
    int colours = 0;  // the palette's size when reduced
    QuantError error; // when reduced
};

// Throws GenError naming `what` on failure.
EncodedPng EncodePicture(const std::uint8_t* rgba, int width, int height, const std::string& what);

// Encoded pictures kept between runs of the generator, each under a hash of its pixels (and of
// the encoder and its libraries' versions): a run encodes again only what it drew differently,
// since reducing to a palette is most of its time. The bytes are the same as EncodePicture's.
// Without a folder nothing is kept; a folder that cannot be written only costs the time.
struct PngCache {
    std::filesystem::path folder;

    // The picture's bytes (only the bytes: kind and error are not kept).
    std::vector<std::uint8_t> Encode(const std::uint8_t* rgba, int width, int height,
                                     const std::string& what);
    // Removes the entries this run did not ask for (after a run of every group).
    void Prune() const;

  private:
    std::set<std::string> used;
};

// Writes bytes to file; throws GenError naming the file on failure.
void WriteFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
