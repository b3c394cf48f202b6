#pragma once

#include <cairo.h>

#include <filesystem>

// One picture being drawn: a transparent ARGB32 cairo surface and its drawing context.
struct Canvas {
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Writes the picture as the smallest PNG that keeps it (PngWrite.h); throws GenError naming
    // the file on failure.
    void SavePng(const std::filesystem::path& file) const;

    int w;
    int h;
    cairo_surface_t* surface;
    cairo_t* cr;
};
