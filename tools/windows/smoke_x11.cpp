// X11 helpers for the Windows smoke run under Wine on a bare Xvfb display (no window manager).
//   smoke_x11 focus WINDOW        gives WINDOW the keyboard focus the way a window manager does
//   smoke_x11 differ WINDOW PNG   prints how many of WINDOW's pixels differ visibly from the PNG
//   smoke_x11 lit [WINDOW]        prints how many pixels of WINDOW (or the screen) differ from
//                                 its top-left one
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>
#include <vector>

namespace {

// Per channel: blending and scaling may round differently between renderers; a drawn picture
// against a missing one differs by far more.
constexpr int kVisibleDifference = 48;

int Focus(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_TAKE_FOCUS", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

int Differ(Display* display, Window window, const char* pngPath) {
    png_image reference{};
    reference.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&reference, pngPath)) {
        std::fprintf(stderr, "smoke_x11: cannot read %s: %s\n", pngPath, reference.message);
        return 1;
    }
    reference.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(reference));
    if (!png_image_finish_read(&reference, nullptr, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "smoke_x11: cannot read %s: %s\n", pngPath, reference.message);
        return 1;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    const int width = attributes.width, height = attributes.height;
    if (width != int(reference.width) || height != int(reference.height)) {
        std::fprintf(stderr, "smoke_x11: window is %dx%d, %s is %ux%u\n", width, height, pngPath,
                     reference.width, reference.height);
        return 1;
    }
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image) return 1;
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned char* want = &rgb[(size_t(y) * width + x) * 3];
            const int got[3] = {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
            for (int c = 0; c < 3; ++c) {
                if (std::abs(got[c] - want[c]) > kVisibleDifference) {
                    ++differing;
                    break;
                }
            }
        }
    }
    XDestroyImage(image);
    std::printf("%ld\n", differing);
    return 0;
}

int Lit(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return 1;
    const unsigned long corner = XGetPixel(image, 0, 0);
    long lit = 0;
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            lit += XGetPixel(image, x, y) != corner;
    XDestroyImage(image);
    std::printf("%ld\n", lit);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "smoke_x11: no X display\n");
        return 1;
    }
    const Window window = argc > 2 ? std::strtoul(argv[2], nullptr, 0) : 0;
    int status = 2;
    if (argc == 3 && std::strcmp(argv[1], "focus") == 0) status = Focus(display, window);
    if (argc == 4 && std::strcmp(argv[1], "differ") == 0) status = Differ(display, window, argv[3]);
    if (argc <= 3 && argc >= 2 && std::strcmp(argv[1], "lit") == 0)
        status = Lit(display, argc == 3 ? window : DefaultRootWindow(display));
    if (status == 2) std::fprintf(stderr, "usage: smoke_x11 focus|differ|lit ...\n");
    XCloseDisplay(display);
    return status;
}
