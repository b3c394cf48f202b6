#include "FitInFrame.h"

#include <algorithm>
#include <vector>

void PaintFramesFitted(cairo_t* cr, double w, double h, int count, double margin, double minScale,
                       const std::function<void(int, double&, double&)>& place,
                       const std::function<void(cairo_t*, int)>& paint) {
    std::vector<cairo_surface_t*> recordings;
    double scale = 1.0;
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
        cairo_recording_surface_ink_extents(rec, &x0, &y0, &iw, &ih);
        if (iw > 0 && ih > 0) {
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
