#pragma once

#include "PngWrite.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

struct Canvas;
struct Pcm;

// Any failure while generating: the message names the file or value at fault.
struct GenError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a group sees while it runs. Paths given to it are relative to the output Data folder
// and use forward slashes ("image/Common/back.png").
struct GenContext {
    std::filesystem::path outRoot;
    int filesWritten = 0;
    std::uint64_t bytesWritten = 0;
    PngCache pngCache;

    std::filesystem::path Abs(const std::string& rel) const;

    // Create the parent folders, write the file and count it.
    void Save(const Canvas& canvas, const std::string& rel);
    void Save(const Pcm& pcm, const std::string& rel, float quality = 0.4f);

    // A property file: "label value" pairs; returns the values in file order.
    std::vector<int> ReadInts(const std::string& rel) const;
    // A path list: whitespace-separated tokens with backslashes turned into slashes and a
    // leading "Data/" dropped, so each token is relative to outRoot like the paths above.
    std::vector<std::string> ReadTokens(const std::string& rel) const;

    void Count(const std::filesystem::path& written);
};

using GroupFn = void (*)(GenContext&);

// A group registers itself from its own .cpp with a static object:
//   static AssetGroup group("support", &GenerateSupport);
struct AssetGroup {
    AssetGroup(const char* name, GroupFn fn);

    const char* name;
    GroupFn fn;
};

// Every registered group, sorted by name.
std::vector<const AssetGroup*> RegisteredGroups();
