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
    frames += plan.moreFrames;
    // Rows of three: the first row holds three frames, the second all the others.
    const bool threeWide = plan.layout == Layout::ThreeWide;
    const int cols = plan.layout == Layout::Whole ? 1
                     : threeWide && frames > 3    ? std::max(3, frames - 3)
                                                  : frames;
    const int rows = threeWide && frames > 3 ? 2 : 1;
    const int drawn = plan.layout == Layout::Whole ? 1 : frames;
    auto origin = [&](int f, double& x, double& y) {
        const bool second = threeWide && f >= 3;
        x = (second ? f - 3 : f) * w;
        y = second ? h : 0;
    };
    Canvas canvas(cols * w, rows * h);
    cairo_t* cr = canvas.cr;
    if (plan.keepInside) {
        PaintFramesFitted(cr, w, h, drawn, 3.0, 0.7, origin, [&](cairo_t* rcr, int f) {
            Rng rng(path + "#" + std::to_string(f));
            plan.paint(rcr, w, h, f, frames, rng);
        });
        ctx.Save(canvas, path);
        return;
    }
    for (int f = 0; f < drawn; ++f) {
        Rng rng(path + "#" + std::to_string(f));
        double x = 0, y = 0;
        origin(f, x, y);
        cairo_save(cr);
        cairo_translate(cr, x, y);
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
