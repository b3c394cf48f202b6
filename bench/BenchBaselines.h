#pragma once
// Baselines the benchmarks compare with: the pictures the level loads, decoded bare with libpng
// into memory, and wall-clock seconds. Run from the build folder.
#include "services/ListFiles.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

// Every picture file the level loads, in its loading order.
inline std::vector<std::string> LevelPictures() {
    std::vector<std::string> paths;
    const std::pair<const char*, int> lists[] = {{"Data/Address/One/Char_Normal.txt", 17},
                                                 {"Data/Address/One/Char_Head.txt", 6},
                                                 {"Data/Address/One/Back_OBJ.txt", 95},
                                                 {"Data/Address/One/Collision_OBJ.txt", 25}};
    for (const auto& [list, n] : lists) {
        std::vector<PathSlot> slots(n);
        ReadPathList(list, n, slots.data());
        for (const PathSlot& slot : slots)
            paths.emplace_back(slot.path);
    }
    for (const char* name :
         {"One/esc", "One/esc_quit", "One/esc_main", "One/esc_resume", "Support/gameover1",
          "Support/gameover2", "Support/gameover3", "Support/warning"})
        paths.push_back(std::string("Data/image/") + name + ".png");
    for (int i = 1; i <= 8; ++i)
        paths.push_back("Data/image/One/Back_OBJ/smoke" + std::to_string(i) + ".png");
    return paths;
}

// The baseline: the same files decoded to RGBA in memory, nothing else.
inline void DecodeAll(const std::vector<std::string>& paths, std::vector<uint8_t>& pixels) {
    for (const std::string& path : paths) {
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, path.c_str())) continue;
        image.format = PNG_FORMAT_BGRA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

inline double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}
