// Builds the game's Data folder: copies the text data (list and property files) and runs every
// registered asset group, which draw the pictures and synthesise the clips.
//
//   pebblefrost_assetgen <text data folder> <output Data folder> [group ...]
//
// Naming groups runs only those (handy while drawing); the text data is always copied.
// PEBBLEFROST_PNG_CACHE names a folder that keeps the encoded pictures between runs (PngWrite.h);
// a run of every group removes from it what that run did not use.

#include "Registry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void CopyTextData(const fs::path& from, const fs::path& to, GenContext& ctx) {
    if (!fs::is_directory(from)) throw GenError(from.string() + ": text data folder not found");
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(from))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        fs::path target = to / fs::relative(file, from);
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (ec)
            throw GenError(target.parent_path().string() +
                           ": cannot create folder: " + ec.message());
        fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
        if (ec) throw GenError(target.string() + ": cannot copy: " + ec.message());
        ctx.Count(target);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <text data folder> <output Data folder> [group ...]\n",
                     argv[0]);
        return 2;
    }
    auto started = std::chrono::steady_clock::now();
    GenContext ctx;
    ctx.outRoot = argv[2];
    if (const char* cache = std::getenv("PEBBLEFROST_PNG_CACHE")) ctx.pngCache.folder = cache;
    std::set<std::string> only(argv + 3, argv + argc);
    std::set<std::string> known;
    for (const AssetGroup* group : RegisteredGroups())
        known.insert(group->name);
    for (const std::string& name : only)
        if (!known.count(name)) {
            std::fprintf(stderr, "pebblefrost_assetgen: no asset group named '%s'\n", name.c_str());
            return 2;
        }
    std::string current = "text data";
    try {
        CopyTextData(argv[1], ctx.outRoot, ctx);
        for (const AssetGroup* group : RegisteredGroups()) {
            if (!only.empty() && !only.count(group->name)) continue;
            current = std::string("group ") + group->name;
            group->fn(ctx);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pebblefrost_assetgen: %s: %s\n", current.c_str(), e.what());
        return 1;
    }
    if (only.empty()) ctx.pngCache.Prune();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("pebblefrost_assetgen: %d files, %llu bytes, %.2f s\n", ctx.filesWritten,
                static_cast<unsigned long long>(ctx.bytesWritten), seconds);
    return 0;
}
