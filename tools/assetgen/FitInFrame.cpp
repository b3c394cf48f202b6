#include "FitInFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The box round the pixels a recording paints, counted on a raster of the region round the
// frame: a recording's own ink extents count a wash or a clipped paint as the whole region.
bool InkBox(cairo_surface_t* rec, double w, double h, double& x0, double& y0, double& iw,
            double& ih) {
    const int rw = int(std::ceil(3 * w)), rh = int(std::ceil(2 * h));
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rw, rh);
    cairo_t* icr = cairo_create(img);
    cairo_set_source_surface(icr, rec, w, h); // the frame's (0, 0) lands at (w, h)
    cairo_paint(icr);
    cairo_destroy(icr);
    cairo_surface_flush(img);
    const unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    int left = rw, right = -1, top = rh, bottom = -1;
    for (int y = 0; y < rh; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < rw; ++x) {
            if ((row[x] >> 24) < 8) continue; // what the eye does not see does not count
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    cairo_surface_destroy(img);
    if (right < 0) return false;
    x0 = left - w;
    y0 = top - h;
    iw = right + 1 - left;
    ih = bottom + 1 - top;
    return true;
}

} // namespace

void PaintFramesFitted(cairo_t* cr, double w, double h, int count, double margin, double minScale,
                       const std::function<void(int, double&, double&)>& place,
                       const std::function<void(cairo_t*, int)>& paint, double maxScale) {
    std::vector<cairo_surface_t*> recordings;
    double scale = maxScale;
    const double cx = w / 2;
    for (int f = 0; f < count; ++f) {
        // Bounded to a wide margin round the frame: what a painter draws far outside it (a wash
        // over a big rectangle) would be clipped away anyway.
        cairo_rectangle_t extents{-w, -h, 3 * w, 3 * h};
        cairo_surface_t* rec = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
        cairo_t* rcr = cairo_create(rec);
        cairo_rectangle(rcr, -w, -h, 3 * w, 2 * h); // keep the frame's bottom edge as the floor
        cairo_clip(rcr);
        cairo_new_path(rcr);
        paint(rcr, f);
        cairo_destroy(rcr);
        double x0, y0, iw, ih;
        if (InkBox(rec, w, h, x0, y0, iw, ih)) {
            if (x0 < margin) scale = std::min(scale, (cx - margin) / (cx - x0));
            if (x0 + iw > w - margin) scale = std::min(scale, (w - margin - cx) / (x0 + iw - cx));
            if (y0 < margin) scale = std::min(scale, (h - margin) / (h - y0));
        }
        recordings.push_back(rec);
    }
    scale = std::max(scale, minScale);
    for (int f = 0; f < count; ++f) {
        double fx = 0, fy = 0;
        place(f, fx, fy);
        cairo_save(cr);
        cairo_translate(cr, fx, fy);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        cairo_translate(cr, cx, h);
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, -cx, -h);
        cairo_set_source_surface(cr, recordings[f], 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(recordings[f]);
    }
}
