#include "output/svg_markup.h"

#include "output/svg_text.h"

namespace tobrel {
namespace {

void Attribute(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendCoordinate(out, value);
  out += '"';
}

void More(std::string& out, std::string_view more) {
  if (more.empty()) return;
  out += ' ';
  out += more;
}

}  // namespace

void SvgMarkup::Rect(double x, double y, double width, double height, std::string_view fill,
                     std::string_view more) {
  text_ += "<rect";
  Attribute(text_, "x", x);
  Attribute(text_, "y", y);
  Attribute(text_, "width", width);
  Attribute(text_, "height", height);
  text_ += " fill=\"";
  text_ += fill;
  text_ += '"';
  More(text_, more);
  text_ += "/>\n";
}

void SvgMarkup::BareRect(double x, double y, double width, double height, std::string_view fill) {
  text_ += "<rect";
  Attribute(text_, "x", x);
  Attribute(text_, "y", y);
  Attribute(text_, "width", width);
  Attribute(text_, "height", height);
  if (!fill.empty()) {
    text_ += " fill=\"";
    text_ += fill;
    text_ += '"';
  }
  text_ += "/>\n";
}

void SvgMarkup::BareText(double x, double y, std::string_view xml_text, std::string_view more) {
  text_ += "<text";
  Attribute(text_, "x", x);
  Attribute(text_, "y", y);
  More(text_, more);
  text_ += '>';
  text_ += xml_text;
  text_ += "</text>\n";
}

void SvgMarkup::Line(double x1, double y1, double x2, double y2, std::string_view stroke,
                     double stroke_width, std::string_view more) {
  text_ += "<line";
  Attribute(text_, "x1", x1);
  Attribute(text_, "y1", y1);
  Attribute(text_, "x2", x2);
  Attribute(text_, "y2", y2);
  text_ += " stroke=\"";
  text_ += stroke;
  text_ += '"';
  if (stroke_width != 1) Attribute(text_, "stroke-width", stroke_width);
  More(text_, more);
  text_ += "/>\n";
}

void SvgMarkup::Circle(double x, double y, double radius, std::string_view fill) {
  text_ += "<circle";
  Attribute(text_, "cx", x);
  Attribute(text_, "cy", y);
  Attribute(text_, "r", radius);
  text_ += " fill=\"";
  text_ += fill;
  text_ += "\"/>\n";
}

void SvgMarkup::Text(double x, double y, std::string_view xml_text, double font_size,
                     std::string_view anchor, std::string_view more, bool upright,
                     std::string_view full_text) {
  text_ += "<text";
  Attribute(text_, "x", x);
  Attribute(text_, "y", y);
  Attribute(text_, "font-size", font_size);
  if (anchor != "start") {
    text_ += " text-anchor=\"";
    text_ += anchor;
    text_ += '"';
  }
  if (upright)
    text_ += " transform=\"rotate(-90 " + Coordinate(x) + ' ' + Coordinate(y) + ")\"";
  More(text_, more);
  text_ += '>';
  if (!full_text.empty()) {
    text_ += "<title>";
    text_ += full_text;
    text_ += "</title>";
  }
  text_ += xml_text;
  text_ += "</text>\n";
}

void SvgMarkup::Path(std::string_view steps, std::string_view stroke, double stroke_width,
                     std::string_view more) {
  text_ += "<path d=\"";
  text_ += steps;
  text_ += "\" fill=\"none\" stroke=\"";
  text_ += stroke;
  text_ += '"';
  Attribute(text_, "stroke-width", stroke_width);
  More(text_, more);
  text_ += "/>\n";
}

void SvgMarkup::FilledPath(std::string_view steps, std::string_view fill) {
  text_ += "<path d=\"";
  text_ += steps;
  text_ += "\" fill=\"";
  text_ += fill;
  text_ += "\"/>\n";
}

}  // namespace tobrel
