#pragma once

// Text drawn with fonts loaded from TTF files through FreeType, never by family name, so every
// machine renders the same pixels.

#include "Ink.h"

#include <cairo.h>

#include <string>
#include <vector>

enum class FontFace { Serif, SerifBold, Sans, SansBold };

// The cairo face for one of the house fonts, loaded on first use (throws GenError naming the
// file if it is missing).
cairo_font_face_t* LoadFont(FontFace face);
// Any TTF file, cached by path.
cairo_font_face_t* LoadFontFile(const std::string& ttfPath);

enum class Align { Left, Centre, Right };

// Selects the font and size on cr (hinting off, grey antialiasing).
void UseFont(cairo_t* cr, FontFace face, double size);
double TextWidth(cairo_t* cr, FontFace face, double size, const std::string& text);
// One line of text; y is the baseline; x is the left edge, centre or right edge per align.
void DrawText(cairo_t* cr, FontFace face, double size, double x, double y, const std::string& text,
              Rgb colour = palette::Ink, Align align = Align::Left, double alpha = 1.0);
// Splits a paragraph into lines no wider than maxWidth (a single over-long word stays whole).
std::vector<std::string> WrapLines(cairo_t* cr, FontFace face, double size, const std::string& text,
                                   double maxWidth);
// Draws a wrapped paragraph in the box starting at (x, top) of width boxWidth, lines
// lineHeight apart (0: 1.3 x size); returns the y just below the last line.
double DrawParagraph(cairo_t* cr, FontFace face, double size, double x, double top, double boxWidth,
                     const std::string& text, Rgb colour = palette::Ink, Align align = Align::Left,
                     double lineHeight = 0.0);
