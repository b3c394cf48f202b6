// pebblefrost-replay SCRIPT [--frames DIR] [--every N] [--from F] [--gif FILE] [--last PNG]
// Plays an input script through the whole game headless on the virtual clock, as a player would
// see it, and writes every Nth frame as a PNG (and optionally an animated GIF, and the picture
// on screen when the script ends); with --from, only frames F and later.
#include "GifWriter.h"
#include "ScriptPlayer.h"
#include "platform/Headless.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: pebblefrost-replay SCRIPT [--frames DIR] [--every N] [--from F] "
                         "[--gif FILE] [--last PNG]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string script, framesDir, gifPath, lastPath;
    int every = 1;
    int from = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue) {
            framesDir = argv[++i];
        } else if (arg == "--every" && hasValue) {
            char* end = nullptr;
            every = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end != '\0' || every < 1) {
                std::fprintf(stderr, "pebblefrost-replay: --every needs a whole number >= 1\n");
                return 2;
            }
        } else if (arg == "--from" && hasValue) {
            char* end = nullptr;
            from = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end != '\0' || from < 0) {
                std::fprintf(stderr, "pebblefrost-replay: --from needs a whole number >= 0\n");
                return 2;
            }
        } else if (arg == "--gif" && hasValue) {
            gifPath = argv[++i];
        } else if (arg == "--last" && hasValue) {
            lastPath = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && script.empty()) {
            script = arg;
        } else {
            return Usage();
        }
    }
    if (script.empty()) return Usage();

    ScriptPlayer player;
    if (!player.Load(script)) {
        std::fprintf(stderr, "pebblefrost-replay: %s\n", player.error.c_str());
        return 1;
    }
    if (!framesDir.empty()) std::filesystem::create_directories(framesDir);
    GifWriter gif;
    if (!gifPath.empty() && !gif.Open(gifPath, 800, 600)) {
        std::fprintf(stderr, "pebblefrost-replay: cannot write '%s'\n", gifPath.c_str());
        return 1;
    }
    const bool pictures = !framesDir.empty() || !gifPath.empty() || !lastPath.empty();
    int saved = 0;
    // With only --last, every frame is drawn so that the last one is on screen at the end.
    const bool sampled = !framesDir.empty() || !gifPath.empty();
    player.wantPicture = [&](int frame) {
        return !lastPath.empty() || (pictures && frame >= from && frame % every == 0);
    };
    player.onFrame = [&](int frame) {
        if (!sampled || frame < from || frame % every != 0) return;
        if (!framesDir.empty()) {
            char name[64];
            std::snprintf(name, sizeof name, "/frame%06d.png", frame);
            headless::SaveFramePng((framesDir + name).c_str());
        }
        if (!gifPath.empty())
            gif.AddFrame(headless::Pixels(), static_cast<int>(player.frameMs * every / 10));
        ++saved;
    };
    const bool ok = player.Run();
    if (!gifPath.empty()) gif.Close();
    if (ok && !lastPath.empty() && !headless::SaveFramePng(lastPath.c_str())) {
        std::fprintf(stderr, "pebblefrost-replay: cannot write '%s'\n", lastPath.c_str());
        return 1;
    }
    if (!ok) {
        std::fprintf(stderr, "pebblefrost-replay: %s\n", player.error.c_str());
        return 1;
    }
    std::printf("%s: %d frames played, %d pictures written%s\n", script.c_str(), player.framesRun,
                saved, player.quitTaken ? ", the game ended" : "");
    return 0;
}
