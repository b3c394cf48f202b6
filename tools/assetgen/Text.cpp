#include "Text.h"

#include "Registry.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <map>
#include <sstream>

namespace {

const char* FontPath(FontFace face) {
    switch (face) {
    case FontFace::Serif:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case FontFace::SerifBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case FontFace::Sans:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case FontFace::SansBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    }
    return "";
}

// Faces live until the process ends; the FreeType library and faces are never freed.
FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw GenError("FreeType: cannot initialise");
        return lib;
    }();
    return library;
}

} // namespace

cairo_font_face_t* LoadFontFile(const std::string& ttfPath) {
    static std::map<std::string, cairo_font_face_t*> cache;
    auto found = cache.find(ttfPath);
    if (found != cache.end()) return found->second;
    if (!std::filesystem::is_regular_file(ttfPath))
        throw GenError(ttfPath + ": font file missing (install fonts-dejavu-core)");
    FT_Face ftFace = nullptr;
    if (FT_New_Face(Library(), ttfPath.c_str(), 0, &ftFace) != 0)
        throw GenError(ttfPath + ": FreeType cannot load this font");
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS)
        throw GenError(ttfPath + ": cairo cannot use this font");
    cache[ttfPath] = face;
    return face;
}

cairo_font_face_t* LoadFont(FontFace face) {
    return LoadFontFile(FontPath(face));
}

void UseFont(cairo_t* cr, FontFace face, double size) {
    cairo_set_font_face(cr, LoadFont(face));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, FontFace face, double size, const std::string& text) {
    cairo_save(cr);
    UseFont(cr, face, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_restore(cr);
    return ext.x_advance;
}

void DrawText(cairo_t* cr, FontFace face, double size, double x, double y, const std::string& text,
              Rgb colour, Align align, double alpha) {
    double width = TextWidth(cr, face, size, text);
    if (align == Align::Centre) x -= width / 2;
    if (align == Align::Right) x -= width;
    cairo_save(cr);
    cairo_new_path(cr);
    UseFont(cr, face, size);
    SetColour(cr, colour, alpha);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

std::vector<std::string> WrapLines(cairo_t* cr, FontFace face, double size, const std::string& text,
                                   double maxWidth) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, face, size, candidate) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

double DrawParagraph(cairo_t* cr, FontFace face, double size, double x, double top, double boxWidth,
                     const std::string& text, Rgb colour, Align align, double lineHeight) {
    if (lineHeight <= 0) lineHeight = size * 1.3;
    double anchor = align == Align::Left     ? x
                    : align == Align::Centre ? x + boxWidth / 2
                                             : x + boxWidth;
    double y = top + size; // first baseline
    for (const std::string& line : WrapLines(cr, face, size, text, boxWidth)) {
        DrawText(cr, face, size, anchor, y, line, colour, align);
        y += lineHeight;
    }
    return y - lineHeight + size * 0.35;
}
