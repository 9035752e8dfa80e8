// FolderTree: the folder tree of the folder-list dialog. It shows the
// folders under one root folder (a "drive"), opens a folder's subfolders
// when it is expanded, and has one current folder. Folders whose names
// start with "." are not offered, except on the way down to a folder made
// current by SetCurrentFolder.
#pragma once

#include <QTreeWidget>
#include <string>

namespace tobrel {

class FolderTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderTree(QWidget* parent = nullptr);

  // Shows the folders under the native folder `root`; the root becomes the
  // current folder.
  void SetRoot(const std::string& root);
  // Opens the tree down to the native `folder`, makes it current and shows
  // its subfolders; false
  // (nothing changed) when it is no folder under the root.
  bool SetCurrentFolder(const std::string& folder);
  // The current folder, native, without a final "/" (except "/").
  std::string CurrentFolder() const;

 signals:
  // The current folder changed.
  void FolderChanged();

 private:
  QTreeWidgetItem* NewItem(const std::string& path, const QString& label);
  // Adds the subfolders of `item` once.
  void FillChildren(QTreeWidgetItem* item);
  // The child of `item` named `name`; added when it is a folder not offered.
  QTreeWidgetItem* ChildFolder(QTreeWidgetItem* item, const std::string& name);
};

}  // namespace tobrel
