// pebblefrost_datacheck <folder>: checks the game data in <folder>/Data (or <folder> itself when
// it is named Data) and prints every problem; exit status 1 when there is any.
#include "DataCheck.h"
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    std::filesystem::path root = argc > 1 ? argv[1] : ".";
    if (root.filename() == "Data") root = root.parent_path();
    if (root.empty()) root = ".";
    std::error_code error;
    std::filesystem::current_path(root, error);
    if (error || !std::filesystem::is_directory("Data")) {
        std::fprintf(stderr, "datacheck: no Data folder in '%s'\n", root.string().c_str());
        return 1;
    }
    DataCheck check;
    check.CheckBag();
    check.CheckFixedPictures();
    check.CheckClips();
    for (const std::string& problem : check.problems)
        std::printf("problem: %s\n", problem.c_str());
    std::printf("data check: %d files, %zu problems\n", check.filesChecked, check.problems.size());
    return check.problems.empty() ? 0 : 1;
}
