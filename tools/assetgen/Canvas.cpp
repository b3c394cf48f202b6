#include "Canvas.h"

#include "Registry.h"

#include <string>

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

void Canvas::SavePng(const std::filesystem::path& file) const {
    // A drawing error sticks to the context; report it against the picture it spoiled.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw GenError(file.string() + ": cairo: " + cairo_status_to_string(cairo_status(cr)));
    cairo_surface_flush(surface);
    cairo_status_t status = cairo_surface_write_to_png(surface, file.string().c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw GenError(file.string() + ": cannot write PNG: " + cairo_status_to_string(status));
}
