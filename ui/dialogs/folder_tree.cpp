#include "ui/dialogs/folder_tree.h"

#include <QHeaderView>
#include <string_view>

#include "platform/folder_listing.h"
#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

std::string WithoutFinalSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string PathOf(const QTreeWidgetItem* item) {
  return item->data(0, kPathRole).toByteArray().toStdString();
}

std::string ChildPath(const std::string& parent, const std::string& name) {
  return parent == "/" ? "/" + name : parent + "/" + name;
}

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setColumnCount(1);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::FillChildren);
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) {
            if (current) emit FolderChanged();
          });
}

QTreeWidgetItem* FolderTree::NewItem(const std::string& path, const QString& label) {
  auto* item = new QTreeWidgetItem({label});
  item->setData(0, kPathRole, QByteArray::fromStdString(path));
  item->setToolTip(0, PathText(path));
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void FolderTree::SetRoot(const std::string& root) {
  const std::string path = WithoutFinalSlash(root);
  QSignalBlocker blocker(this);
  clear();
  addTopLevelItem(NewItem(path, PathText(path)));
  FillChildren(topLevelItem(0));
  topLevelItem(0)->setExpanded(true);
  blocker.unblock();
  setCurrentItem(topLevelItem(0));
}

void FolderTree::FillChildren(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const std::string path = PathOf(item);
  for (const FolderEntry& entry : ListFolder(path))
    if (entry.is_folder && entry.name.front() != '.')
      item->addChild(NewItem(ChildPath(path, entry.name), PathText(entry.name)));
  item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* FolderTree::ChildFolder(QTreeWidgetItem* item, const std::string& name) {
  FillChildren(item);
  for (int i = 0; i < item->childCount(); ++i)
    if (PathOf(item->child(i)) == ChildPath(PathOf(item), name)) return item->child(i);
  const std::string path = ChildPath(PathOf(item), name);
  if (!IsFolder(path)) return nullptr;
  QTreeWidgetItem* child = NewItem(path, PathText(name));
  item->addChild(child);
  return child;
}

bool FolderTree::SetCurrentFolder(const std::string& folder) {
  if (topLevelItemCount() == 0 || folder.empty()) return false;
  QTreeWidgetItem* item = topLevelItem(0);
  const std::string root = PathOf(item);
  const std::string target = WithoutFinalSlash(folder);
  if (target != root) {
    const std::string prefix = root == "/" ? root : root + "/";
    if (target.compare(0, prefix.size(), prefix) != 0) return false;
    std::string_view rest = std::string_view(target).substr(prefix.size());
    while (item && !rest.empty()) {
      const std::size_t slash = rest.find('/');
      const std::string name(rest.substr(0, slash));
      rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
      if (name.empty() || name == "." || name == "..") return false;
      item = ChildFolder(item, name);
    }
    if (!item) return false;
  }
  for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
  FillChildren(item);
  item->setExpanded(true);
  setCurrentItem(item);
  scrollToItem(item);
  return true;
}

std::string FolderTree::CurrentFolder() const {
  return currentItem() ? PathOf(currentItem()) : std::string();
}

}  // namespace tobrel
