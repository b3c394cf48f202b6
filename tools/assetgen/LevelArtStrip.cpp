#include "LevelArtStrip.h"

#include "Canvas.h"
#include "FitInFrame.h"

#include <algorithm>

namespace levelart {

void PaintPicture(GenContext& ctx, const std::string& path, const PicturePlan& plan, int w, int h,
                  int frames) {
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096)
        throw GenError(path + ": frame size " + std::to_string(w) + "x" + std::to_string(h) +
                       " is out of range");
    if (frames < 1 || frames > 64)
        throw GenError(path + ": frame count " + std::to_string(frames) + " is out of range");
    const int cols = plan.layout == Layout::Whole       ? 1
                     : plan.layout == Layout::ThreeWide ? std::min(frames, 3)
                                                        : frames;
    const int rows = plan.layout == Layout::ThreeWide && frames > 3 ? 2 : 1;
    const int drawn = plan.layout == Layout::Whole       ? 1
                      : plan.layout == Layout::ThreeWide ? std::min(frames, 6)
                                                         : frames;
    Canvas canvas(cols * w, rows * h);
    cairo_t* cr = canvas.cr;
    if (plan.keepInside) {
        PaintFramesFitted(
            cr, w, h, drawn, 3.0, 0.7,
            [&](int f, double& x, double& y) {
                x = (f % cols) * w;
                y = (f / cols) * h;
            },
            [&](cairo_t* rcr, int f) {
                Rng rng(path + "#" + std::to_string(f));
                plan.paint(rcr, w, h, f, frames, rng);
            });
        ctx.Save(canvas, path);
        return;
    }
    for (int f = 0; f < drawn; ++f) {
        Rng rng(path + "#" + std::to_string(f));
        cairo_save(cr);
        cairo_translate(cr, (f % cols) * w, (f / cols) * h);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        cairo_new_path(cr);
        plan.paint(cr, w, h, f, frames, rng);
        cairo_restore(cr);
        cairo_new_path(cr);
    }
    ctx.Save(canvas, path);
}

std::string StemOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace levelart
