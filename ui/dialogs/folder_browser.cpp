#include "ui/dialogs/folder_browser.h"

#include <QDir>
#include <QFileDialog>
#include <QList>
#include <QUrl>

#include "ui/widgets/qt_text.h"

namespace tobrel {

std::optional<std::string> BrowseFolder(QWidget* parent, const QString& title,
                                        const std::string& start,
                                        const std::vector<std::string>& drives) {
  QFileDialog dialog(parent, title);
  dialog.setObjectName(QStringLiteral("FolderBrowser"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  const QString start_folder = FromNative(start);
  dialog.setDirectory(!start.empty() && QDir(start_folder).exists() ? start_folder
                                                                    : QDir::homePath());
  QList<QUrl> places;
  for (const std::string& drive : drives) places.append(QUrl::fromLocalFile(FromNative(drive)));
  dialog.setSidebarUrls(places);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToNative(QDir::cleanPath(dialog.selectedFiles().first()));
}

}  // namespace tobrel
