#pragma once
#include "services/DataLimits.h"
#include <string>
#include <vector>

struct LevelData;

// Checks a game data folder (the folder that holds Data) and collects every problem found.
struct DataCheck {
    std::vector<std::string> problems;
    int filesChecked = 0;
    // The level's pictures are painted after its text data; this checks the text data alone.
    bool skipLevelPictures = false;

    void Problem(const std::string& message) { problems.push_back(message); }

    // Reads a path list; reports a wrong count or an over-long path. Paths come back relative to
    // the game's working directory with forward slashes.
    std::vector<std::string> PathList(const std::string& file, size_t expected);
    // Reads a property file of "label integer" pairs, one per field and each within the field's
    // range (the game's own table); empty on any problem (reported).
    std::vector<int> Properties(const std::string& file, const PropertyField* fields, size_t k);
    template <size_t K>
    std::vector<int> Properties(const std::string& file, const PropertyField (&fields)[K]) {
        return Properties(file, fields, K);
    }
    // A value within the game's limits; otherwise reported (as the game reports it) and false.
    bool InRange(const std::string& file, const char* what, int value, ValueRange range);
    // Loads a PNG with the game's loader and limits; its size (0 x 0 and false on a problem).
    bool PngSize(const std::string& file, int& width, int& height);
    // A PNG of exactly this size (0 = any).
    void Png(const std::string& file, int width = 0, int height = 0);
    // A PNG at least this large.
    void PngAtLeast(const std::string& file, int width, int height);
    // A clip that the game's loader decodes whole, without errors, to some sound.
    void Ogg(const std::string& file);

    void CheckBag();
    void CheckFixedPictures();
    void CheckClips();
    void CheckLevel();

  private:
    // The text of a small regular file; false (reported) when it cannot be read.
    bool ReadText(const std::string& file, const char* kind, std::string& text);
    void CheckLevelRecords(LevelData& level);
    void CheckLevelLayout(LevelData& level);
    void CheckLevelPictures(const LevelData& level, const std::vector<std::string>& chars,
                            const std::vector<std::string>& heads,
                            const std::vector<std::string>& back,
                            const std::vector<std::string>& coll);
};
