#include "Canvas.h"

#include "PngWrite.h"
#include "Registry.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

Canvas::Canvas(int width, int height) : w(width), h(height) {
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192)
        throw GenError("bad canvas size " + std::to_string(width) + " x " + std::to_string(height));
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr = cairo_create(surface);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw GenError(std::string("cairo: ") + cairo_status_to_string(cairo_status(cr)));
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void Canvas::SavePng(const std::filesystem::path& file, PngCache& cache) const {
    // A drawing error sticks to the context; report it against the picture it spoiled.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw GenError(file.string() + ": cairo: " + cairo_status_to_string(cairo_status(cr)));
    cairo_surface_flush(surface);
    // cairo keeps colours premultiplied by alpha; PNG stores them straight.
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<std::uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            const std::uint32_t argb = row[x];
            const unsigned a = argb >> 24;
            std::uint8_t* out = rgba.data() + (size_t(y) * size_t(w) + size_t(x)) * 4;
            out[3] = std::uint8_t(a);
            for (int c = 0; c < 3; ++c) {
                const unsigned v = (argb >> (16 - 8 * c)) & 0xFF;
                out[c] = a == 0 ? 0 : std::uint8_t(std::min(255u, (v * 255 + a / 2) / a));
            }
        }
    }
    WriteFileBytes(file, cache.Encode(rgba.data(), w, h, file.string()));
}
