// pebblefrost_datacheck [--skip-level-pictures] <folder>: checks the game data in <folder>/Data
// (or <folder> itself when it is named Data) and prints every problem; exit status 1 when there is
// any. --skip-level-pictures leaves out the level's pictures (they are painted after its text).
#include "DataCheck.h"
#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    bool skipLevelPictures = false;
    std::filesystem::path root = ".";
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--skip-level-pictures")
            skipLevelPictures = true;
        else if (argv[i][0] == '-') {
            std::fprintf(stderr, "datacheck: unknown option '%s'\n", argv[i]);
            return 2;
        } else
            root = argv[i];
    }
    if (root.filename() == "Data") root = root.parent_path();
    if (root.empty()) root = ".";
    std::error_code error;
    std::filesystem::current_path(root, error);
    if (error || !std::filesystem::is_directory("Data")) {
        std::fprintf(stderr, "datacheck: no Data folder in '%s'\n", root.string().c_str());
        return 1;
    }
    DataCheck check;
    check.skipLevelPictures = skipLevelPictures;
    check.CheckBag();
    check.CheckFixedPictures();
    check.CheckClips();
    check.CheckLevel();
    check.CheckEdges();
    check.CheckNoticeOverlaps();
    check.CheckPiecesBlendIn();
    check.CheckTitleOnPage();
    for (const std::string& problem : check.problems)
        std::printf("problem: %s\n", problem.c_str());
    std::printf("data check: %d files, %zu problems\n", check.filesChecked, check.problems.size());
    return check.problems.empty() ? 0 : 1;
}
