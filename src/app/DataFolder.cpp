#include "app/DataFolder.h"
#include "platform/Window.h"
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

#ifndef PEBBLEFROST_DATA_DIR
#define PEBBLEFROST_DATA_DIR "/usr/local/share/pebblefrost"
#endif
// The installed data folder seen from the installed programs' folder ("../share/pebblefrost"
// from games/): an install moved to another prefix still finds its data.
#ifndef PEBBLEFROST_DATA_FROM_PROGRAM
#define PEBBLEFROST_DATA_FROM_PROGRAM "../share/pebblefrost"
#endif

std::vector<std::string> DataFolderCandidates() {
    std::vector<std::string> candidates{"."};
    if (const std::string program = ProgramFolder(); !program.empty()) {
        candidates.push_back(program);
        candidates.push_back(
            (fs::path(program) / PEBBLEFROST_DATA_FROM_PROGRAM).lexically_normal().string());
    }
    candidates.emplace_back(PEBBLEFROST_DATA_DIR);
    return candidates;
}

std::string FindDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (fs::is_directory(fs::path(folder) / "Data", error)) return folder;
    }
    return "";
}

bool EnterDataFolder() {
    const std::vector<std::string> candidates = DataFolderCandidates();
    const std::string folder = FindDataFolder(candidates);
    std::error_code error;
    if (!folder.empty()) fs::current_path(folder, error);
    if (!folder.empty() && !error) return true;
    std::string looked;
    for (const std::string& candidate : candidates) {
        const fs::path place = fs::weakly_canonical(candidate, error);
        looked += (looked.empty() ? "" : ", ") + (error ? candidate : place.string());
    }
    std::fprintf(stderr, "PebbleFrost: no Data folder found; looked in %s\n", looked.c_str());
    return false;
}
