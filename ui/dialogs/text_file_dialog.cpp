#include "ui/dialogs/text_file_dialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeView>

#include "ui/widgets/dialog_placement.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/text_preview.h"

namespace tobrel {

QStringList NameFiltersOf(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
  }
  return filters;
}

TTextFileDialog::TTextFileDialog(Kind kind, const QString& title, QWidget* parent)
    : QFileDialog(parent, title) {
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::HideNameFilterDetails);
  setAcceptMode(kind == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setFileMode(kind == Kind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  setModal(true);

  preview_ = new TTextPreview(this);
  preview_->setMinimumWidth(280);
  // Qt's own file dialog lays its parts out in a grid: the preview takes a
  // column of its own on the right, as tall as the grid.
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(preview_, 0, grid->columnCount(), grid->rowCount(), 1);
  // Size, kind and date as wide as their texts: the preview takes room
  // the list would otherwise have.
  if (auto* details = findChild<QTreeView*>(QStringLiteral("treeView")))
    for (int column = 1; column < details->header()->count(); ++column)
      details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  resize(1080, 480);
  if (auto* splitter = findChild<QSplitter*>(QStringLiteral("splitter")))
    splitter->setSizes({140, 560});

  connect(this, &QFileDialog::currentChanged, this,
          [this](const QString& path) { preview_->ShowFile(ToNative(path)); });
  connect(this, &QFileDialog::filterSelected, this, &TTextFileDialog::FilterChosen);
}

void TTextFileDialog::SetFilter(const QString& filter, const QStringList& default_extensions) {
  default_extensions_ = default_extensions;
  setNameFilters(NameFiltersOf(filter));
  SelectFilterIndex(0);
}

void TTextFileDialog::SelectFilterIndex(int index) {
  const QStringList filters = nameFilters();
  if (index < 0 || index >= filters.size()) return;
  selectNameFilter(filters[index]);
  FilterChosen(filters[index]);
}

int TTextFileDialog::IndexOfFilter(const QString& name_filter) const {
  // The dialog names a filter in full or, as it shows it, by its
  // description alone.
  const QStringList filters = nameFilters();
  int index = static_cast<int>(filters.indexOf(name_filter));
  for (int i = 0; index < 0 && i < filters.size(); ++i)
    if (filters[i].startsWith(name_filter + QStringLiteral(" ("))) index = i;
  return index;
}

int TTextFileDialog::SelectedFilterIndex() const { return IndexOfFilter(selectedNameFilter()); }

void TTextFileDialog::FilterChosen(const QString& name_filter) {
  const int index = IndexOfFilter(name_filter);
  setDefaultSuffix(index >= 0 && index < default_extensions_.size() ? default_extensions_[index]
                                                                     : QString());
}

void TTextFileDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  if (!event->spontaneous()) CenterOverParent(this);  // opened, not restored
}

}  // namespace tobrel
