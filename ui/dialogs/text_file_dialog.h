// TTextFileDialog: the open and save dialogs of log and result files. It is
// Qt's own file dialog (not the desktop's) with a text preview pane beside
// the file list that shows the first lines of the selected file. Filters
// are given as "description|patterns|description|patterns..." and matched
// ignoring letter case; "*.*" matches every name, as on Windows.
#pragma once

#include <QFileDialog>
#include <QStringList>
#include <string>
#include <vector>

namespace tobrel {

class TTextPreview;

// Qt name filters for a filter text "description|patterns|...": each entry
// shows its description, and its patterns (separated by ";") follow in
// parentheses for Qt to read, "*.*" written as "*".
QStringList NameFiltersOf(const QString& filter);

class TTextFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  enum class Kind { Open, Save };

  TTextFileDialog(Kind kind, const QString& title, QWidget* parent = nullptr);

  // The filter list; `default_extensions` (one per filter, "" for none)
  // gives the extension a typed name without one receives, following the
  // filter chosen. The first filter is chosen.
  void SetFilter(const QString& filter, const QStringList& default_extensions = {});
  // Chooses filter `index` (0-based) and its default extension.
  void SelectFilterIndex(int index);
  // The filter chosen (0-based), -1 when none is.
  int SelectedFilterIndex() const;

  TTextPreview* Preview() const { return preview_; }

 protected:
  // Centred over the window that opens it and kept on its screen.
  void showEvent(QShowEvent* event) override;

 private:
  int IndexOfFilter(const QString& name_filter) const;
  void FilterChosen(const QString& name_filter);

  TTextPreview* preview_ = nullptr;
  QStringList default_extensions_;
};

}  // namespace tobrel
