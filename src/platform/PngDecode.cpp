#include "platform/PngDecode.h"
#include "platform/RegularFile.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <png.h>

namespace {

std::string LocalPath(const char* path) {
    std::string local(path);
    for (char& c : local)
        if (c == '\\') c = '/';
    return local;
}

// The simplified reader on a file opened only if it is a regular one; closes both.
struct PngReader {
    png_image image;
    std::FILE* file = nullptr;

    bool Begin(const char* path, std::string& error) {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        file = OpenRegularFile(LocalPath(path).c_str(), error);
        if (!file) return false;
        if (!png_image_begin_read_from_stdio(&image, file)) {
            error = std::string("not a readable PNG: ") + image.message;
            return false;
        }
        return true;
    }
    ~PngReader() {
        png_image_free(&image);
        if (file) std::fclose(file);
    }
};

} // namespace

bool ReadPngSize(const char* path, int& width, int& height, std::string& error) {
    PngReader reader;
    width = height = 0;
    if (!reader.Begin(path, error)) return false;
    // Declared sides go up to 2^31 - 1; kept as they are for the message, clipped to int.
    width = static_cast<int>(std::min<png_uint_32>(reader.image.width, INT32_MAX));
    height = static_cast<int>(std::min<png_uint_32>(reader.image.height, INT32_MAX));
    return true;
}

bool DecodePng(const char* path, int maxSide, DecodedPng& out, std::string& error) {
    out = DecodedPng{};
    PngReader reader;
    if (!reader.Begin(path, error)) return false;
    png_image& image = reader.image;
    if (image.width < 1 || image.height < 1 || image.width > png_uint_32(maxSide) ||
        image.height > png_uint_32(maxSide)) {
        error = "declares " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                " pixels, more than the " + std::to_string(maxSide) + " x " +
                std::to_string(maxSide) + " a picture may have";
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    // In size_t: 32-bit arithmetic wraps for declared sizes near 2^16 x 2^16.
    const size_t bytes = size_t(image.width) * size_t(image.height) * 4;
    try {
        out.rgba.resize(bytes);
    } catch (const std::bad_alloc&) {
        error = "no memory for " + std::to_string(bytes) + " bytes of pixels";
        return false;
    }
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        error = std::string("cannot be decoded: ") + image.message;
        out.rgba.clear();
        out.rgba.shrink_to_fit();
        return false;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    return true;
}
