#include "ui/view/text_lines.h"

#include "platform/atomic_file.h"
#include "ui/view/text_view.h"

namespace tobrel {

void TTextLines::Clear() {
  view_.model_.Clear();
  view_.UpdateLayout();
}

void TTextLines::Add(std::string_view line) {
  view_.model_.AppendLine(line);
  view_.ContentChanged();
}

int TTextLines::Count() const { return view_.model_.LineCount(); }

std::string_view TTextLines::operator[](int row) const { return view_.model_.Line(row); }

std::string TTextLines::Text() const { return view_.model_.Text(); }

void TTextLines::SetText(std::string_view text) {
  view_.model_.SetText(text);
  view_.UpdateLayout();
}

void TTextLines::SaveToFile(const std::filesystem::path& path) const {
  WriteFileAtomically(path, view_.model_.FileText());
}

}  // namespace tobrel
