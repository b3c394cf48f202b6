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
    const int counted = plan.layout == Layout::Whole       ? 1
                        : plan.layout == Layout::ThreeWide ? std::min(frames, 6)
                                                           : frames;
    constexpr int kMoreColumns = 5;
    const int more = plan.moreFrames, drawn = counted + more;
    auto origin = [&](int f, double& x, double& y) {
        const int k = f - counted; // past the counted frames: the rows of five below
        x = (k >= 0 ? k % kMoreColumns : f % cols) * w;
        y = (k >= 0 ? 2 + k / kMoreColumns : f / cols) * h;
    };
    const int width = more > 0 ? std::max(cols, std::min(more, kMoreColumns)) : cols;
    const int height = more > 0 ? 2 + (more + kMoreColumns - 1) / kMoreColumns : rows;
    frames += more;
    Canvas canvas(width * w, height * h);
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
