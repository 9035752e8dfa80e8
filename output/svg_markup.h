// A small writer of SVG elements for the chart drawings: shapes and text at
// coordinates written with at most one decimal, so that a drawing's bytes
// depend only on its chart.
#pragma once

#include <string>
#include <string_view>

namespace tobrel {

class SvgMarkup {
 public:
  // A rectangle; `more` adds attributes (`stroke="..."`).
  void Rect(double x, double y, double width, double height, std::string_view fill,
            std::string_view more = {});
  void Line(double x1, double y1, double x2, double y2, std::string_view stroke,
            double stroke_width = 1, std::string_view more = {});
  void Circle(double x, double y, double radius, std::string_view fill);
  // Text already escaped (XmlText); `anchor` is start, middle or end. With
  // `upright` the text is turned to read upwards about (x, y). A non-empty
  // `full_text` (escaped) becomes its tooltip, for a label that was cut.
  void Text(double x, double y, std::string_view xml_text, double font_size,
            std::string_view anchor = "start", std::string_view more = {}, bool upright = false,
            std::string_view full_text = {});
  // A rectangle that takes its fill and stroke from the group it stands in;
  // a text that takes its size, anchor and colour from its group. For the
  // thousands of cells of a large drawing.
  void BareRect(double x, double y, double width, double height, std::string_view fill = {});
  void BareText(double x, double y, std::string_view xml_text, std::string_view more = {});
  // A path of "M x y L x y ..." steps.
  void Path(std::string_view steps, std::string_view stroke, double stroke_width,
            std::string_view more = {});
  // A shape of the same steps, filled, without an outline.
  void FilledPath(std::string_view steps, std::string_view fill);
  void Raw(std::string_view markup) { text_ += markup; }
  // Makes room for `bytes` more, so that a large drawing grows in one step.
  void Reserve(std::size_t bytes) { text_.reserve(text_.size() + bytes); }

  const std::string& str() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace tobrel
