#include "DataCheck.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vorbis/vorbisfile.h>

namespace {

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int>(parsed);
    return true;
}

uint32_t BigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

} // namespace

std::vector<std::string> DataCheck::PathList(const std::string& file, size_t expected) {
    ++filesChecked;
    std::ifstream in(file);
    if (!in) {
        Problem(file + ": cannot open list file");
        return {};
    }
    std::vector<std::string> paths;
    std::string token;
    while (in >> token) {
        if (token.size() > size_t(kDataLimits.pathLength))
            Problem(file + ": path '" + token + "' is longer than " +
                    std::to_string(kDataLimits.pathLength) + " characters");
        for (char& c : token)
            if (c == '\\') c = '/';
        paths.push_back(token);
    }
    if (paths.size() != expected)
        Problem(file + ": " + std::to_string(paths.size()) + " paths, the game reads " +
                std::to_string(expected));
    paths.resize(expected);
    return paths;
}

std::vector<int> DataCheck::Properties(const std::string& file, size_t k) {
    ++filesChecked;
    std::ifstream in(file);
    if (!in) {
        Problem(file + ": cannot open property file");
        return {};
    }
    std::vector<int> values;
    std::string label, value;
    while (in >> label) {
        if (label.size() > size_t(kDataLimits.labelLength))
            Problem(file + ": label '" + label + "' is longer than " +
                    std::to_string(kDataLimits.labelLength) + " characters");
        int parsed = 0;
        if (!(in >> value) || !ParseInt(value, parsed)) {
            Problem(file + ": value of '" + label + "' is not an integer");
            return {};
        }
        values.push_back(parsed);
    }
    if (values.size() != k) {
        Problem(file + ": " + std::to_string(values.size()) + " values, the game reads " +
                std::to_string(k));
        return {};
    }
    return values;
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
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Problem(file + ": missing picture");
        return false;
    }
    unsigned char header[24];
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) ||
        !std::equal(kSignature, kSignature + 8, header) ||
        std::string(header + 12, header + 16) != "IHDR") {
        Problem(file + ": not a PNG picture");
        return false;
    }
    width = static_cast<int>(BigEndian32(header + 16));
    height = static_cast<int>(BigEndian32(header + 20));
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
    OggVorbis_File vf;
    if (ov_fopen(file.c_str(), &vf) != 0) {
        Problem(file + ": missing or not an Ogg Vorbis clip");
        return;
    }
    vorbis_info* info = ov_info(&vf, -1);
    double seconds = ov_time_total(&vf, -1);
    if (!info || seconds <= 0.0) Problem(file + ": clip holds no sound");
    ov_clear(&vf);
}
