#pragma once
#include <cstdint>
#include <string>

// What the player chose that stays from one run to the next: the windowed program's window size
// and the sound volume. Kept as a few "name value" lines in settings.txt in the user's
// preference folder.
struct Settings {
    static constexpr int32_t kMinWidth = 200, kMinHeight = 150, kMaxSide = 16384;
    static constexpr int32_t kVolumeStep = 10;
    static constexpr int32_t kMaxFileBytes = 4096;

    int32_t windowWidth = 800;
    int32_t windowHeight = 600;
    int32_t volume = 100; // percent
    bool muted = false;

    bool operator==(const Settings&) const = default;

    // The settings of this run (defaults until LoadSettings).
    static Settings& Current();
};

// Reads the settings from text. False, with the first thing wrong in problem, when a line is
// not one of ours, a value is out of range or a name comes twice; out is then left alone.
bool ParseSettings(const std::string& text, Settings& out, std::string& problem);
std::string FormatSettings(const Settings& settings);

// The defaults when the file is missing; also when it is damaged, after one line on stderr
// naming the file and what is wrong.
Settings LoadSettings(const std::string& path);
// False, after one line on stderr, when the file cannot be written.
bool SaveSettings(const std::string& path, const Settings& settings);
// settings.txt in the user's preference folder; "" when the system has none.
std::string SettingsPath();

// -, + (also on the keypad) and M: the volume down or up a step, the sound off or on again.
// Played at once and remembered for the next run; the level shows it for a moment.
void HandleVolumeKeys();
// Sets the sound device's volume from Settings::Current().
void ApplySoundVolume();
// The volume card: shown after a volume key until kVolumeCardMs have passed.
constexpr uint32_t kVolumeCardMs = 1500;
struct VolumeCard {
    bool shown = false;
    uint32_t tick = 0; // when the last volume key was pressed
    static VolumeCard& Current();
};
