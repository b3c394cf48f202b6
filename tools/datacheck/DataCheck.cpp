#include "DataCheck.h"
#include "platform/OggDecode.h"
#include "platform/PngDecode.h"
#include "platform/RegularFile.h"
#include "services/ListFiles.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// List and property files are a few kilobytes; anything far larger is not one.
constexpr long kMaxTextFile = 1 << 20;

// The device rate the clips are converted to when checked (the usual one).
constexpr int kCheckRate = 48000;

} // namespace

bool DataCheck::ReadText(const std::string& file, const char* kind, std::string& text) {
    std::string why;
    std::FILE* handle = OpenRegularFile(file.c_str(), why);
    if (!handle) {
        Problem(file + ": cannot open " + kind + ": " + why);
        return false;
    }
    text.clear();
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, handle)) > 0 &&
           long(text.size()) <= kMaxTextFile)
        text.append(buffer, got);
    std::fclose(handle);
    if (long(text.size()) > kMaxTextFile) {
        Problem(file + ": " + kind + " is larger than 1 MiB");
        return false;
    }
    return true;
}

std::vector<std::string> DataCheck::PathList(const std::string& file, size_t expected) {
    ++filesChecked;
    std::vector<std::string> paths;
    std::string text;
    if (!ReadText(file, "list file", text)) return std::vector<std::string>(expected);
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        const std::string entry = file + ": path " + std::to_string(paths.size() + 1) + " ";
        if (!IsCleanUtf8(token)) {
            Problem(entry + "holds a NUL byte or is not UTF-8 text");
            token.clear();
        } else if (token.size() > size_t(kDataLimits.pathLength)) {
            Problem(file + ": path '" + token + "' is longer than " +
                    std::to_string(kDataLimits.pathLength) + " characters");
        }
        for (char& c : token)
            if (c == '\\') c = '/';
        if (const char* reason = UnsafePathReason(token); !token.empty() && *reason) {
            Problem(entry + "('" + token + "') " + reason);
            token.clear();
        }
        paths.push_back(token);
    }
    if (paths.size() != expected)
        Problem(file + ": " + std::to_string(paths.size()) + " paths, the game reads " +
                std::to_string(expected));
    paths.resize(expected);
    return paths;
}

std::vector<int> DataCheck::Properties(const std::string& file, const PropertyField* fields,
                                       size_t k) {
    ++filesChecked;
    std::string text;
    if (!ReadText(file, "property file", text)) return {};
    std::istringstream in(text);
    std::vector<int> values;
    std::string label, value;
    bool inRange = true;
    while (in >> label) {
        if (!IsCleanUtf8(label)) {
            Problem(file + ": label " + std::to_string(values.size() + 1) +
                    " holds a NUL byte or is not UTF-8 text");
            return {};
        }
        if (label.size() > size_t(kDataLimits.labelLength))
            Problem(file + ": label '" + label + "' is longer than " +
                    std::to_string(kDataLimits.labelLength) + " characters");
        int parsed = 0;
        if (!(in >> value) || !ParseInt(value, parsed)) {
            Problem(file + ": value of '" + label + "' is not an integer");
            return {};
        }
        if (values.size() < k) {
            const PropertyField& field = fields[values.size()];
            if (!InRange(file, field.what, parsed, field.range)) {
                problems.back() += " (label '" + label + "')";
                inRange = false;
            }
        }
        values.push_back(parsed);
    }
    if (values.size() != k) {
        Problem(file + ": " + std::to_string(values.size()) + " values, the game reads " +
                std::to_string(k));
        return {};
    }
    return inRange ? values : std::vector<int>{};
}

bool DataCheck::InRange(const std::string& file, const char* what, int value, ValueRange range) {
    if (range.Holds(value)) return true;
    Problem(file + ": " + what + " " + std::to_string(value) + " is outside " +
            std::to_string(range.low) + ".." + std::to_string(range.high));
    return false;
}

bool DataCheck::PngSize(const std::string& file, int& width, int& height) {
    ++filesChecked;
    width = height = 0;
    DecodedPng picture;
    std::string error;
    if (!DecodePng(file.c_str(), kDataLimits.pictureSide.high, picture, error)) {
        std::error_code missing;
        Problem(file + ": " + (std::filesystem::exists(file, missing) ? "" : "missing picture: ") +
                error);
        return false;
    }
    width = picture.width;
    height = picture.height;
    return true;
}

void DataCheck::Png(const std::string& file, int width, int height) {
    int w, h;
    if (!PngSize(file, w, h)) return;
    if ((width && w != width) || (height && h != height))
        Problem(file + ": picture is " + std::to_string(w) + " x " + std::to_string(h) +
                ", the game expects " + (width ? std::to_string(width) : "any") + " x " +
                (height ? std::to_string(height) : "any"));
}

void DataCheck::PngAtLeast(const std::string& file, int width, int height) {
    int w, h;
    if (!PngSize(file, w, h)) return;
    if (w < width || h < height)
        Problem(file + ": picture is " + std::to_string(w) + " x " + std::to_string(h) +
                ", the game needs at least " + std::to_string(width) + " x " +
                std::to_string(height));
}

void DataCheck::Ogg(const std::string& file) {
    ++filesChecked;
    DecodedOgg decoded;
    std::string error;
    const DecodeResult result = DecodeOgg(file.c_str(), decoded, error);
    if (result == DecodeResult::Missing) {
        Problem(file + ": missing clip");
        return;
    }
    if (!error.empty()) {
        Problem(error); // names the file
        if (result != DecodeResult::Ok) return;
    }
    if (decoded.bytes == 0 || ToDeviceFormat(decoded, kCheckRate).empty())
        Problem(file + ": clip holds no sound");
}
