#pragma once

#include <cairo.h>

#include <filesystem>

struct PngCache;

// One picture being drawn: a transparent ARGB32 cairo surface and its drawing context.
struct Canvas {
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Writes the picture as the smallest PNG that keeps it (PngWrite.h); throws GenError naming
    // the file on failure. The cache may already hold the encoded picture.
    void SavePng(const std::filesystem::path& file, PngCache& cache) const;

    int w;
    int h;
    cairo_surface_t* surface;
    cairo_t* cr;
};
