// Text for the SVG and HTML drawings: CP932 report text made into escaped
// UTF-8 that is always valid XML, the width a text takes in the drawing's
// font, labels cut to a width, and numbers written for people.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// `cp932` as UTF-8 with &, <, >, " and ' escaped. Bytes that form no CP932
// character become U+FFFD, and control characters (which XML 1.0 forbids,
// tab and line breaks included) one blank, so the result is always valid
// UTF-8 and XML character data, usable in text and in quoted attributes.
std::string XmlText(std::string_view cp932);

// True when XmlText(cp932) is `cp932` itself: printable ASCII without a
// character that markup escapes.
bool IsPlainXmlText(std::string_view cp932);

// Appends XmlText(cp932) to `out`; quick for the plain ASCII of figures.
void AppendXmlText(std::string& out, std::string_view cp932);

// XmlText of each of `texts`, converted together: one conversion for a
// block of cells, where a big archive's title list has hundreds of
// thousands of them.
std::vector<std::string> XmlTexts(const std::vector<std::string_view>& texts);

// The same for text that is UTF-8 already; invalid UTF-8 sequences become
// U+FFFD.
std::string XmlTextFromUtf8(std::string_view utf8);

// The width of `cp932` in pixels at `font_size`, as drawn in the Japanese
// font: full-width characters one em, half-width katakana half an em, ASCII
// a little more than half (room for the wider letters of a fallback font).
double TextWidth(std::string_view cp932, double font_size);

// `cp932` cut on a character boundary so that, with "…" after it, it takes
// at most `width` pixels; the whole text when it fits.
std::string CutToWidth(std::string_view cp932, double width, double font_size);

// A figure with thousands separators ("12,345"); a fraction with up to three
// decimals, trailing zeros dropped ("0.333", "2.5").
std::string FigureText(double value);

// A coordinate or size with at most one decimal ("12", "12.5"), or appended
// to `out`.
std::string Coordinate(double value);
void AppendCoordinate(std::string& out, double value);

}  // namespace tobrel
