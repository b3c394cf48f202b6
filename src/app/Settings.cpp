#include "app/Settings.h"
#include "platform/Input.h"
#include "platform/RegularFile.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

// A whole token as a decimal number within [lo, hi].
bool ReadNumber(const std::string& token, int32_t lo, int32_t hi, int32_t& out) {
    int32_t value = 0;
    const char* end = token.data() + token.size();
    const auto [at, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc() || at != end || value < lo || value > hi) return false;
    out = value;
    return true;
}

bool Pressed(int code) {
    return InputKeyboard::Instance().CheckKey(code) == KeyPressed &&
           GetActiveWindow() == mainWindow;
}

void ApplyVolume(const Settings& s) {
    SetMasterVolume(s.muted ? 0 : s.volume);
}

} // namespace

Settings& Settings::Current() {
    static Settings settings;
    return settings;
}

VolumeCard& VolumeCard::Current() {
    static VolumeCard card;
    return card;
}

bool ParseSettings(const std::string& text, Settings& out, std::string& problem) {
    if (text.find('\0') != std::string::npos) {
        problem = "holds a NUL byte";
        return false;
    }
    Settings read;
    bool seenWindow = false, seenVolume = false, seenMuted = false;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string name, a, b, extra;
        words >> name >> a >> b >> extra;
        if (name.empty() || name[0] == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        bool ok = false;
        bool* seen = nullptr;
        if (name == "window") {
            seen = &seenWindow;
            ok = extra.empty() &&
                 ReadNumber(a, Settings::kMinWidth, Settings::kMaxSide, read.windowWidth) &&
                 ReadNumber(b, Settings::kMinHeight, Settings::kMaxSide, read.windowHeight);
        } else if (name == "volume") {
            seen = &seenVolume;
            ok = b.empty() && ReadNumber(a, 0, 100, read.volume);
        } else if (name == "muted") {
            seen = &seenMuted;
            int32_t muted = 0;
            ok = b.empty() && ReadNumber(a, 0, 1, muted);
            read.muted = muted != 0;
        } else {
            problem = where + "unknown setting \"" + name.substr(0, 40) + "\"";
            return false;
        }
        if (!ok) {
            problem = where + "bad value for " + name;
            return false;
        }
        if (*seen) {
            problem = where + name + " is set twice";
            return false;
        }
        *seen = true;
    }
    out = read;
    return true;
}

std::string FormatSettings(const Settings& s) {
    return "# PebbleFrost keeps these between runs.\nwindow " + std::to_string(s.windowWidth) +
           " " + std::to_string(s.windowHeight) + "\nvolume " + std::to_string(s.volume) +
           "\nmuted " + (s.muted ? "1" : "0") + "\n";
}

Settings LoadSettings(const std::string& path) {
    Settings settings;
    std::string problem;
    std::FILE* file = OpenRegularFile(path.c_str(), problem);
    if (!file) {
        // No file yet is the first run; anything else in its place is said once.
        if (problem != std::strerror(ENOENT))
            std::fprintf(stderr, "PebbleFrost: settings file %s %s; using the defaults\n",
                         path.c_str(), problem.c_str());
        return settings;
    }
    // Read one byte past the limit to know an oversized file without reading all of it.
    std::string text(Settings::kMaxFileBytes + 1, '\0');
    const size_t length = std::fread(text.data(), 1, text.size(), file);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    text.resize(length);
    if (readError)
        problem = "cannot be read";
    else if (length > static_cast<size_t>(Settings::kMaxFileBytes))
        problem = "is larger than " + std::to_string(Settings::kMaxFileBytes) + " bytes";
    if ((!problem.empty() || !ParseSettings(text, settings, problem))) {
        std::fprintf(stderr, "PebbleFrost: settings file %s is damaged (%s); using the defaults\n",
                     path.c_str(), problem.c_str());
        return Settings{};
    }
    return settings;
}

bool SaveSettings(const std::string& path, const Settings& settings) {
    // Written beside it and renamed over it, so that a crash never leaves half a file.
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    const std::string text = FormatSettings(settings);
    bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file) ok = std::fclose(file) == 0 && ok;
#ifdef _WIN32
    if (ok) std::remove(path.c_str()); // rename does not replace a file there
#endif
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::fprintf(stderr, "PebbleFrost: cannot write the settings file %s: %s\n", path.c_str(),
                     std::strerror(errno));
        std::remove(temporary.c_str());
    }
    return ok;
}

std::string SettingsPath() {
    const std::string folder = PreferenceFolder();
    return folder.empty() ? "" : folder + "settings.txt";
}

void HandleVolumeKeys() {
    Settings& s = Settings::Current();
    bool changed = false;
    // Each pair: the second key is asked only when the first did not act.
    if (Pressed(DIK_MINUS) || Pressed(DIK_SUBTRACT)) {
        s.volume = s.volume > Settings::kVolumeStep ? s.volume - Settings::kVolumeStep : 0;
        s.muted = false;
        changed = true;
    }
    if (Pressed(DIK_EQUALS) || Pressed(DIK_ADD)) {
        s.volume = s.volume < 100 - Settings::kVolumeStep ? s.volume + Settings::kVolumeStep : 100;
        s.muted = false;
        changed = true;
    }
    if (Pressed(DIK_M)) {
        s.muted = !s.muted;
        changed = true;
    }
    if (!changed) return;
    ApplyVolume(s);
    VolumeCard::Current() = VolumeCard{true, GetTickCount()};
}

void ApplySoundVolume() {
    ApplyVolume(Settings::Current());
}
