// One running window per user: the first start holds a lock file in the
// user's runtime folder and listens on a local socket beside it; a later
// start finds the lock taken, sends its file arguments over the socket (the
// first window adds them and comes to the front) and ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

namespace tobrel {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `folder` holds the lock and the socket (the runtime folder normally).
  explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

  // Takes the lock and listens; false when another instance holds it.
  bool BecomeFirst();

  // Sends `files` to the first instance; false when none answered.
  bool HandOver(const QStringList& files) const;

  static QString DefaultFolder();

 signals:
  void FilesReceived(const QStringList& files);

 private:
  QString lock_path_;
  QString socket_path_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};

}  // namespace tobrel
