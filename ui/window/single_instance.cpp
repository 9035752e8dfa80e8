#include "ui/window/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tobrel {
namespace {

constexpr char kName[] = "tobrel-Ident8348";
constexpr int kWaitMs = 2000;
constexpr qint64 kMaxMessage = 1 << 20;

}  // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent),
      lock_path_(folder + "/" + kName + ".lock"),
      socket_path_(folder + "/" + kName + ".socket") {}

QString SingleInstance::DefaultFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder;
}

bool SingleInstance::BecomeFirst() {
  lock_ = std::make_unique<QLockFile>(lock_path_);
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) return false;
  QLocalServer::removeServer(socket_path_);  // left by a first instance that crashed
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(socket_path_);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      // Read the whole message: paths separated by NUL, ended by the peer's close.
      auto* data = new QByteArray;
      connect(socket, &QLocalSocket::readyRead, socket, [socket, data] {
        data->append(socket->readAll());
        if (data->size() > kMaxMessage) socket->abort();
      });
      connect(socket, &QLocalSocket::disconnected, this, [this, socket, data] {
        data->append(socket->readAll());
        QStringList files;
        if (data->size() <= kMaxMessage)
          for (const QByteArray& part : data->split('\0'))
            if (!part.isEmpty()) files << QString::fromUtf8(part);
        delete data;
        emit FilesReceived(files);
      });
    }
  });
  return true;
}

bool SingleInstance::HandOver(const QStringList& files) const {
  QLocalSocket socket;
  socket.connectToServer(socket_path_);
  if (!socket.waitForConnected(kWaitMs)) return false;
  QByteArray message;
  for (const QString& file : files) {
    message += file.toUtf8();
    message += '\0';
  }
  socket.write(message);
  socket.waitForBytesWritten(kWaitMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWaitMs);
  return true;
}

}  // namespace tobrel
